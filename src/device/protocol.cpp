#include "device/protocol.h"

#include <algorithm>
#include <array>

#include "device/device_errors.h"

namespace ztv {
namespace {

constexpr TextPair kDefaultsQuestion{
    "Вы уверены, что хотите сбросить\nконфигурацию устройства\nв состояние по умолчанию?",
    "Are you sure you want to reset\nthe device configuration\nto its default state?"};

// Bytes per read request of a chunked read: more than any reply can hold.
constexpr std::size_t kChunkBuffer = 1024;

int status_reply_error(std::uint8_t code) {
    if (code == kReplyFailed) return kErrFailedResult;
    if (code == kReplyParameters) return kErrParameters;
    return kOk;
}

}  // namespace

int Protocol::read_area(std::uint8_t code, std::uint32_t offset, std::span<std::uint8_t> dest, std::size_t& out_len) {
    out_len = 0;
    std::fill(dest.begin(), dest.end(), std::uint8_t{0});
    tick_skip_ = kTickSkipAfterRequest;
    Frame frame;
    frame.set_command(code);
    frame.set_offset(offset);
    const int error = transport_.exchange_with_retry(frame);
    tick_skip_ = kTickSkipAfterRequest;
    if (error != kOk) return error;
    if (const int status = status_reply_error(frame.command()); status != kOk) return status;
    if (frame.command() == kReplyConfirmed) return kOk;
    if (frame.command() != (code | kWriteBit) || frame.offset() != offset) return kErrReadMismatch;
    const std::size_t kept = std::min<std::size_t>(dest.size(), frame.length());
    std::copy_n(frame.payload().begin(), kept, dest.begin());
    out_len = frame.length();
    return kOk;
}

int Protocol::write_area(std::uint8_t code, std::uint32_t offset, std::span<const std::uint8_t> data) {
    if (data.size() > kPayloadMax) return kErrParameters;
    tick_skip_ = kTickSkipAfterRequest;
    Frame frame;
    frame.set_command(static_cast<std::uint8_t>(code | kWriteBit));
    frame.set_offset(offset);
    frame.set_length(static_cast<std::uint8_t>(data.size()));
    std::copy(data.begin(), data.end(), frame.payload().begin());
    const int error = transport_.exchange_with_retry(frame);
    tick_skip_ = kTickSkipAfterRequest;
    if (error != kOk) return error;
    if (frame.offset() != offset) return kErrWriteNotConfirmed;
    if (frame.command() == kReplyConfirmed) return kOk;
    if (const int status = status_reply_error(frame.command()); status != kOk) return status;
    return kErrWriteNotConfirmed;
}

int Protocol::read_chunked(std::uint8_t code, std::uint32_t offset, std::span<std::uint8_t> dest) {
    std::array<std::uint8_t, kChunkBuffer> buffer{};
    std::size_t done = 0;
    while (done < dest.size()) {
        std::size_t got = 0;
        const int error = read_area(code, offset + static_cast<std::uint32_t>(done), buffer, got);
        if (error != kOk) return error;
        if (got == 0) break;
        const std::size_t taken = std::min({got, dest.size() - done, buffer.size()});
        host_.progress_add(static_cast<int>(taken));
        std::copy_n(buffer.begin(), taken, dest.begin() + static_cast<std::ptrdiff_t>(done));
        done += taken;
    }
    return done == dest.size() ? kOk : kErrShortRead;
}

int Protocol::write_chunked(std::uint8_t code, std::uint32_t offset, std::span<const std::uint8_t> data,
                            std::size_t chunk) {
    if (chunk == 0 || chunk > kPayloadMax) chunk = kPayloadMax;
    std::size_t done = 0;
    while (done < data.size()) {
        const std::size_t n = std::min(chunk, data.size() - done);
        const int error = write_area(code, offset + static_cast<std::uint32_t>(done), data.subspan(done, n));
        if (error != kOk) return error;
        host_.progress_add(static_cast<int>(n));
        done += n;
    }
    return kOk;
}

int Protocol::read_checked(std::uint8_t code, std::uint32_t offset, std::span<std::uint8_t> dest,
                           std::size_t& out_len) {
    const int error = read_area(code, offset, dest, out_len);
    if (error != kOk) host_.show_message(kBoxError, join(to_text(kReadErrorTitle), "\n", error_text(error)));
    return error;
}

int Protocol::write_checked(std::uint8_t code, std::uint32_t offset, std::span<const std::uint8_t> data) {
    const int error = write_chunked(code, offset, data, kPayloadMax);
    if (error != kOk) host_.show_message(kBoxError, join(to_text(kWriteErrorTitle), "\n", error_text(error)));
    return error;
}

int Protocol::restart_device() { return write_area(block::kRestart, 0, {}); }

int Protocol::reset_to_defaults(const std::function<bool()>& go_on) {
    if (host_.show_message(kBoxWarning | kBoxDefaultSecond, to_text(kDefaultsQuestion)) != kIdYes) return kOk;
    if (go_on && !go_on()) return kOk;
    return write_area(block::kDefaults, 0, {});
}

}  // namespace ztv
