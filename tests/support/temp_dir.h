// A fresh folder for a test's files, removed when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/system_names.h"

namespace ztv::test {

class TempDir {
public:
    TempDir() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("ztv-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // A file's name in UTF-8, as the program's own calls take it.
    std::string file(const std::string& name) const { return utf8_path(path_ / system_path(name)); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void write_text(const std::string& path, const std::string& content) {
    std::ofstream out(system_path(path), std::ios::binary);
    out << content;
}

inline std::string read_text(const std::string& path) {
    std::ifstream in(system_path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace ztv::test
