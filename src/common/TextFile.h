#pragma once
// Input text files: reading, decoding (GBK or UTF-8) and splitting into lines.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/Errors.h"

namespace tavrel {

inline constexpr std::uintmax_t kMaxInputFileBytes = 64u << 20;  // no road data file comes near 64 MiB

// The whole file's bytes, undecoded (for formats that declare their own encoding). An empty path, a folder,
// anything but a regular file (a FIFO, a device, a socket: refused at once, never waited on) or a file that
// cannot be opened for reading throws InputCancelled; a path that names nothing or a file over
// kMaxInputFileBytes throw FormatError.
std::string ReadFileBytes(const std::filesystem::path& path);

// The whole file as UTF-8. An empty path, a folder, anything but a regular file (a FIFO, a device, a socket:
// refused at once, never waited on) or a file that cannot be opened for reading throws InputCancelled; a path
// that names nothing, a file over kMaxInputFileBytes, NUL bytes or text that is neither UTF-8 nor GBK throw
// FormatError (the last two with the line they are on).
std::string ReadTextFile(const std::filesystem::path& path);

// Bytes of a text file -> UTF-8. Taken as UTF-8 when it starts with a UTF-8 byte-order mark (which is dropped),
// or when it is valid UTF-8 whose every non-ASCII character is a three-byte sequence (as Chinese characters
// are); otherwise decoded as GBK (code page 936). Short GBK texts are often valid UTF-8 by accident, but then
// they hold two- or four-byte sequences, which this rule sends to GBK.
std::string DecodeInputText(std::string_view bytes);

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points above U+10FFFF).
bool IsUtf8(std::string_view bytes);

// Lines of a text: CR LF, a lone CR and a lone LF each end a line. A line end at the very end of the text does
// not start another (empty) line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The 1-based number of the line that holds text position `pos` (the line ends before it, plus one).
std::size_t LineNumberAt(std::string_view text, std::size_t pos);

// The line that holds text position `pos`, without its line end.
std::string_view LineAt(std::string_view text, std::size_t pos);

// The location of raw bytes position `pos` that are not text in any encoding read: its line number and the line
// with its bytes outside ASCII (and NULs) shown as '?'.
SourceLocation ByteLocation(std::string_view bytes, std::size_t pos);

}  // namespace tavrel
