// Plan by elements (*.jdx) and the element chain built from it.
#include "FuzzSupport.h"
#include "input/ElementFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrel;
    fuzz::ReadDecoded(fuzz::BytesOf(data, size),
                      [](const std::string& text) { BuildElementChain(ReadElementFile(text)); });
    return 0;
}
