#include "common/TextFile.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "common/Errors.h"

namespace tavrel {

namespace {

// Length of the UTF-8 sequence at s[i], 0 when it is not a well-formed one (overlong forms, surrogates and code
// points above U+10FFFF are not).
std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned c = b(i);
    if (c < 0x80) return 1;
    std::size_t n;
    unsigned cp;
    if (c >= 0xC2 && c <= 0xDF) n = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) n = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4) n = 4, cp = c & 0x07;
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) return 0;
    if (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) return 0;
    return n;
}

// 0: not valid UTF-8; otherwise the set of sequence lengths seen (bit n for length n).
unsigned utf8Shape(std::string_view s) {
    unsigned lengths = 1;  // never 0 for valid text
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8SequenceLength(s, i);
        if (n == 0) return 0;
        lengths |= 1u << n;
        i += n;
    }
    return lengths;
}

// A format error on the line of raw text position `pos` (it is not text in any encoding the program reads).
[[noreturn]] void failAtByte(std::string_view bytes, std::size_t pos, const char* what) {
    FormatError e(what);
    e.where = ByteLocation(bytes, pos);
    throw e;
}

std::string gbkToUtf8(std::string_view bytes) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw FormatError("GBK decoding is not available");
    std::unique_ptr<void, int (*)(iconv_t)> guard(cd, iconv_close);
    // Room for the usual case, two-byte characters that become three UTF-8 bytes; a text of single-byte
    // characters that grow (0x80, the euro sign, becomes three bytes) makes the buffer grow on E2BIG.
    std::string out(bytes.size() * 3 / 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size(), done = 0;
    for (;;) {
        char* dst = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t converted = iconv(cd, &in, &inLeft, &dst, &outLeft);
        done = out.size() - outLeft;
        if (converted != static_cast<std::size_t>(-1)) break;
        if (errno != E2BIG)
            failAtByte(bytes, static_cast<std::size_t>(in - bytes.data()), "text is neither UTF-8 nor GBK");
        out.resize(out.size() * 2);
    }
    out.resize(done);
    return out;
}

// A file that cannot be read at all: the failure concerns the file as a whole and says why.
template <class Failure>
[[noreturn]] void failOpening(const char* what, const char* reason) {
    Failure e(what);
    e.where = SourceLocation{};
    e.unreadable = reason;
    throw e;
}

}  // namespace

std::string DecodeInputText(std::string_view bytes) {
    if (const auto nul = bytes.find('\0'); nul != std::string_view::npos)
        failAtByte(bytes, nul, "NUL byte in a text file");
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (bytes.substr(0, 3) == bom) {
        bytes.remove_prefix(3);
        if (utf8Shape(bytes) == 0) throw FormatError("invalid UTF-8 after a byte-order mark");
        return std::string(bytes);
    }
    const unsigned shape = utf8Shape(bytes);
    if (shape != 0 && (shape & ((1u << 2) | (1u << 4))) == 0) return std::string(bytes);
    return gbkToUtf8(bytes);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    if (path.empty()) throw InputCancelled("no file chosen");
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) failOpening<FormatError>("no such file", "文件不存在");
    if (ec) failOpening<InputCancelled>("path not accessible", "不能读取");
    if (std::filesystem::is_directory(status)) failOpening<InputCancelled>("path is a folder", "这是文件夹");
    // Only a regular file is read: opening a FIFO would wait for a writer, a device may never end. Opened
    // without waiting, then checked again on the open file, so that nothing swapped in meanwhile is read.
    if (!std::filesystem::is_regular_file(status)) failOpening<InputCancelled>("not a regular file", "不是普通文件");
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) failOpening<InputCancelled>("file cannot be opened", "不能读取");
    std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* f) {
        ::close(*f);
        delete f;
    });
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        failOpening<InputCancelled>("not a regular file", "不是普通文件");
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxInputFileBytes)
        failOpening<FormatError>("file too large", "文件超过 64 MB");
    std::string bytes;
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failOpening<FormatError>("read error", "不能读取");
        if (n == 0) break;
        bytes.append(buf, static_cast<std::size_t>(n));
        if (bytes.size() > kMaxInputFileBytes) failOpening<FormatError>("file too large", "文件超过 64 MB");
    }
    return bytes;
}

bool IsUtf8(std::string_view bytes) { return utf8Shape(bytes) != 0; }

std::string ReadTextFile(const std::filesystem::path& path) { return DecodeInputText(ReadFileBytes(path)); }

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::size_t LineNumberAt(std::string_view text, std::size_t pos) {
    pos = std::min(pos, text.size());
    std::size_t line = 1;
    for (std::size_t i = 0; i < pos; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && !(i + 1 < text.size() && text[i + 1] == '\n'))) ++line;
    }
    return line;
}

std::string_view LineAt(std::string_view text, std::size_t pos) {
    pos = std::min(pos, text.size());
    std::size_t start = pos;
    while (start > 0 && text[start - 1] != '\r' && text[start - 1] != '\n') --start;
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    return text.substr(start, end - start);
}

SourceLocation ByteLocation(std::string_view bytes, std::size_t pos) {
    std::string shown(LineAt(bytes, pos));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\0') c = '?';
    return SourceLocation{{}, LineNumberAt(bytes, pos), shown};
}

}  // namespace tavrel
