#include "common/file_io.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace ztv {

namespace fs = std::filesystem;

FileReadResult read_file_bounded(const std::string& path, std::size_t max_bytes) {
    FileReadResult result;
    std::error_code ec;
    const fs::path p(path);
    const auto status = fs::status(p, ec);
    if (ec || !fs::exists(status)) {
        result.status = ec && ec != std::errc::no_such_file_or_directory ? FileReadStatus::Unreadable
                                                                           : FileReadStatus::NotFound;
        return result;
    }
    if (!fs::is_regular_file(status)) return result;
    const auto size = fs::file_size(p, ec);
    if (ec) return result;
    if (size > max_bytes) {
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) return result;
    result.content.resize(static_cast<std::size_t>(size));
    in.read(result.content.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) {
        result.content.clear();
        return result;
    }
    // The file may have grown since it was measured; anything past the bound is refused.
    if (in.peek() != std::char_traits<char>::eof()) {
        result.content.clear();
        result.status = FileReadStatus::TooLarge;
        return result;
    }
    result.status = FileReadStatus::Ok;
    return result;
}

bool write_file_atomically(const std::string& path, const std::string& content) {
    const fs::path target(path);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::random_device seed;
    const fs::path temp = folder / (std::string(".") + target.filename().string() + ".tmp" + std::to_string(seed() % 1000000));

    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    const auto old_status = fs::status(target, ec);
    if (!ec && fs::exists(old_status)) fs::permissions(temp, old_status.permissions(), ec);
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

}  // namespace ztv
