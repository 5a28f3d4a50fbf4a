// Pedestal layout file (*.txt).
#include "FuzzSupport.h"
#include "input/LayoutFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrel;
    fuzz::ReadDecoded(fuzz::BytesOf(data, size),
                      [](const std::string& text) { ReadLayoutFile(text, ChainBreakTable{}); });
    return 0;
}
