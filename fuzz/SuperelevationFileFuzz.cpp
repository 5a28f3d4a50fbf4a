// Superelevation table (*.cg).
#include "FuzzSupport.h"
#include "input/SuperelevationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrel;
    fuzz::ReadDecoded(fuzz::BytesOf(data, size),
                      [](const std::string& text) { ReadSuperelevationFile(text, ChainBreakTable{}); });
    return 0;
}
