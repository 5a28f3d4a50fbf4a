// Vertical profile (*.zdm) and the profile built from it.
#include "FuzzSupport.h"
#include "input/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrel;
    fuzz::ReadDecoded(fuzz::BytesOf(data, size),
                      [](const std::string& text) { ProfileBuild(ReadProfileFile(text, ChainBreakTable{})); });
    return 0;
}
