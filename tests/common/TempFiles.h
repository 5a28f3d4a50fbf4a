#pragma once
// Scratch files for tests, removed with the fixture, and a file read back as its bytes.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <unistd.h>

namespace tavrel::testing {

class TempDir {
public:
    TempDir() {
        dir_ = std::filesystem::temp_directory_path() /
               ("tavrel-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
        std::filesystem::create_directories(dir_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes the bytes as they are (no encoding or line-end translation) and returns the path.
    std::filesystem::path write(const std::string& name, std::string_view bytes) const {
        const auto p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    const std::filesystem::path& path() const { return dir_; }

private:
    static int& counter() {
        static int n = 0;
        return n;
    }
    std::filesystem::path dir_;
};

// A file's bytes as they are ("" for a file that cannot be read).
inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tavrel::testing
