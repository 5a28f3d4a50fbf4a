#include "drawing/DrawingFile.h"

#include "common/OutputFile.h"

namespace tavrel {

void WriteDrawingFile(const std::filesystem::path& path, std::string_view bytes) { WriteOutputFile(path, bytes); }

}  // namespace tavrel
