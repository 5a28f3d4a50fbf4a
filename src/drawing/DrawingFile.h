#pragma once
// Where a written drawing (DXF, SVG, PDF) goes: one function, so that every drawing file is written the same way.
#include <filesystem>
#include <string_view>

#include "common/Errors.h"

namespace tavrel {

// The file could not be written (no access, a folder in the way, a full disk).
struct DrawingWriteError : TavrelError {
    using TavrelError::TavrelError;
};

// WriteDrawingFile: the bytes as the whole content of the file at `path`, replacing what was there. Throws
// DrawingWriteError when the file cannot be written completely.
void WriteDrawingFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tavrel
