// Chain-break file (*.dl) and the table built from it.
#include "FuzzSupport.h"
#include "input/ChainBreakFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrel;
    fuzz::ReadDecoded(fuzz::BytesOf(data, size),
                      [](const std::string& text) { MakeChainBreakTable(ReadChainBreakFile(text)); });
    return 0;
}
