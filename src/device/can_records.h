// Where the connection monitor hands the CAN frames it pulls from the controller. The CAN log
// implements it; the monitor only moves whole 20-byte records and asks about the log file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace ztv {

inline constexpr std::size_t kCanRecordSize = 20;
inline constexpr std::size_t kCanPullMax = 60;  // bytes kept from one pull: three records

class CanRecordSink {
public:
    virtual ~CanRecordSink() = default;
    // One pull's records, in order; records.size() is a nonzero multiple of kCanRecordSize.
    virtual void receive_can_records(std::span<const std::uint8_t> records) = 0;
    // Whether frames are being written to a log file (the status line says so).
    virtual bool log_file_open() const = 0;
    // The CAN log page was hidden: an open log file is closed.
    virtual void close_log_file() = 0;
};

}  // namespace ztv
