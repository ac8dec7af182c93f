// The CAN log file (*.LOG): one text line per logged frame, in one of three forms: aligned for
// reading, or tab-separated (with a header line) for a spreadsheet, both with CR LF line ends and
// times counted from the first frame written after the file was opened or the log was cleared;
// or the can-utils log for the Linux CAN tools (LF line ends), stamped as candump -l stamps:
// the time of day the first frame arrived, later ones after it by the controller's clock (or,
// when asked, with the controller's own stamps).
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "common/file_io.h"
#include "diag/can_tables.h"

namespace ztv {

enum class CanFileFormat { Aligned, Tab, Candump };

// The header line of the tab-separated form, without its line end. The first title is the
// number sign, written as Windows-1251 like the program's other files.
std::string can_tab_header_line();
// One line without its line end. `number` counts from 1; `since_base_ms` is the frame's time
// after the base time; the row gives the identifier's count and cycle.
std::string can_tab_line(std::uint32_t number, const CanRow& row, std::uint32_t since_base_ms);
std::string can_aligned_line(std::uint32_t number, const CanRow& row, std::uint32_t since_base_ms);

class CanLogFile {
public:
    CanLogFile() = default;
    ~CanLogFile() { close(); }
    CanLogFile(const CanLogFile&) = delete;
    CanLogFile& operator=(const CanLogFile&) = delete;

    // Creates the file (replacing an existing one); false when it cannot be created, with the
    // reason in open_problem() (a pipe or a device is refused, never waited for).
    bool open(const std::string& path, CanFileFormat format);
    // Writes to a stream the caller owns (ztv-tool's standard output), named `name` in
    // messages; closing flushes it and leaves it open.
    void attach(std::FILE* stream, const std::string& name, CanFileFormat format);
    FileWriteStatus open_problem() const { return open_problem_; }
    // Puts the log on the disk and closes it; false when that failed (nothing to close is fine).
    bool close();
    bool is_open() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }
    CanFileFormat format() const { return format_; }
    // The can-utils log is stamped with the controller's own clock instead of the time of day.
    void set_controller_time(bool on) { controller_time_ = on; }
    // Writes the row's latest frame, which arrived at wall_clock_us (microseconds since 1970);
    // the first line after open or restart sets the base time (and writes the header in the
    // tab form). False when the write failed (the file is then closed, so a full disk does not
    // pretend to log).
    bool write(const CanRow& row, std::int64_t wall_clock_us);
    // The table was cleared: the next frame starts a new base time (and header).
    void restart_numbering() { lines_ = 0; }
    std::uint32_t lines() const { return lines_; }

private:
    bool put_line(const std::string& line, const char* end = "\r\n");
    void begin(std::FILE* file, bool owned, const std::string& name, CanFileFormat format);

    std::FILE* file_ = nullptr;
    bool owned_ = true;
    std::string path_;
    FileWriteStatus open_problem_ = FileWriteStatus::Ok;
    CanFileFormat format_ = CanFileFormat::Aligned;
    std::uint32_t lines_ = 0;
    std::uint32_t base_ms_ = 0;
    bool controller_time_ = false;
    // The can-utils log's time of the last frame written, and that frame's stamp.
    std::optional<std::uint64_t> candump_us_;
    std::uint32_t candump_stamp_ = 0;
};

}  // namespace ztv
