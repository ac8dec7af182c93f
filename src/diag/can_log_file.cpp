#include "diag/can_log_file.h"

#include <algorithm>
#include <utility>

#include "common/format.h"
#include "diag/can_texts.h"
#include "diag/candump_log.h"

namespace ztv {
namespace {

unsigned long ul(std::uint32_t v) { return static_cast<unsigned long>(v); }

}  // namespace

std::string can_tab_header_line() {
    // "\xB9" is the number sign in Windows-1251.
    return "\xB9\tID count\tTime\tDlit\tID\tDLC\tData";
}

std::string can_tab_line(std::uint32_t number, const CanRow& row, std::uint32_t since_base_ms) {
    return strprintf("%lu\t%lu\t%lu.%03lu\t%lu.%03lu\t%s\t%u\t%s", ul(number), ul(row.count), ul(since_base_ms / 1000),
                     ul(since_base_ms % 1000), ul(row.cycle / 1000), ul(row.cycle % 1000),
                     can_id_text(row.frame).c_str(), static_cast<unsigned>(row.frame.data_length()),
                     can_data_text(row.frame, false).c_str());
}

std::string can_aligned_line(std::uint32_t number, const CanRow& row, std::uint32_t since_base_ms) {
    return strprintf("%4lu(%4lu) %4lu.%03lu(%4lu.%03lu) %s %u [%s]", ul(number), ul(row.count),
                     ul(since_base_ms / 1000), ul(since_base_ms % 1000), ul(row.cycle / 1000), ul(row.cycle % 1000),
                     can_id_text(row.frame).c_str(), static_cast<unsigned>(row.frame.data_length()),
                     can_data_text(row.frame, true).c_str());
}

bool CanLogFile::open(const std::string& path, CanFileFormat format) {
    close();
    std::FILE* file = open_regular_for_writing(path, open_problem_);
    if (file == nullptr) return false;
    begin(file, true, path, format);
    return true;
}

void CanLogFile::attach(std::FILE* stream, const std::string& name, CanFileFormat format) {
    close();
    begin(stream, false, name, format);
}

void CanLogFile::begin(std::FILE* file, bool owned, const std::string& name, CanFileFormat format) {
    file_ = file;
    owned_ = owned;
    path_ = name;
    format_ = format;
    lines_ = 0;
    candump_us_.reset();
}

bool CanLogFile::close() {
    if (file_ == nullptr) return true;
    std::FILE* file = std::exchange(file_, nullptr);
    if (!owned_) return std::fflush(file) == 0 && std::ferror(file) == 0;
    return close_durably(file);
}

bool CanLogFile::put_line(const std::string& line, const char* end) {
    const bool ok = std::fputs(line.c_str(), file_) >= 0 && std::fputs(end, file_) >= 0;
    // Flushed line by line: whatever was logged is on disk if the program is killed.
    if (ok && std::fflush(file_) == 0) return true;
    close();
    return false;
}

bool CanLogFile::write(const CanRow& row, std::int64_t wall_clock_us) {
    if (file_ == nullptr) return false;
    if (format_ == CanFileFormat::Candump) {
        ++lines_;
        if (controller_time_) return put_line(candump_line(row.frame), "\n");
        const std::uint32_t stamp = row.frame.stamp_ms();
        if (candump_us_)
            *candump_us_ += std::uint64_t{can_stamp_step_ms(candump_stamp_, stamp)} * 1000;
        else
            candump_us_ = static_cast<std::uint64_t>(std::max<std::int64_t>(wall_clock_us, 0));
        candump_stamp_ = stamp;
        return put_line(candump_line(row.frame, *candump_us_), "\n");
    }
    const std::uint32_t stamp = row.frame.stamp_ms();
    if (lines_ == 0) {
        base_ms_ = stamp;
        if (format_ == CanFileFormat::Tab && !put_line(can_tab_header_line())) return false;
    }
    ++lines_;
    const std::uint32_t since = stamp - base_ms_;
    return put_line(format_ == CanFileFormat::Tab ? can_tab_line(lines_, row, since)
                                                  : can_aligned_line(lines_, row, since));
}

}  // namespace ztv
