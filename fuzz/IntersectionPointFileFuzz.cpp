// Plan by intersection points (*.jdx) and the main line built from it.
#include "FuzzSupport.h"
#include "input/IntersectionPointFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrel;
    fuzz::ReadDecoded(fuzz::BytesOf(data, size),
                      [](const std::string& text) { MainLineBuild(ReadIntersectionPointFile(text)); });
    return 0;
}
