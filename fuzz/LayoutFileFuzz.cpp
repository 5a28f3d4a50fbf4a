// Pedestal layout file (*.txt).
#include "FuzzSupport.h"
#include "pedestal/Layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrel;
    fuzz::ReadDecoded(fuzz::BytesOf(data, size),
                      [](const std::string& text) { ReadPedestalLayout(text, ChainBreakTable{}); });
    return 0;
}
