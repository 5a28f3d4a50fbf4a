#pragma once
// Where a written drawing (DXF, SVG, PDF) goes: one function, so that every drawing file is written the same way.
#include <filesystem>
#include <string_view>

namespace tavrel {

// WriteDrawingFile: the bytes as the whole content of the file at `path`, written safely (WriteOutputFile: a
// temporary file renamed into place when complete, unsafe targets refused). Throws WriteError, naming the file
// and the reason, when the file cannot be written.
void WriteDrawingFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tavrel
