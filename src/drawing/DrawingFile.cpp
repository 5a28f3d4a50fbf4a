#include "drawing/DrawingFile.h"

#include <fstream>

namespace tavrel {

void WriteDrawingFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) throw DrawingWriteError("cannot open " + path.string());
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) throw DrawingWriteError("cannot write " + path.string());
}

}  // namespace tavrel
