#include "device/connection_monitor.h"

#include <algorithm>
#include <array>

#include "device/device_errors.h"

namespace ztv {
namespace {

constexpr TextPair kDisconnectedBanner{"******** Контроллер отключён **********",
                                       "******** Controller is disconnected **********"};

}  // namespace

ConnectionMonitor::ConnectionMonitor(Protocol& protocol, MonitorEvents& events, CanRecordSink* can_sink)
    : protocol_(protocol), events_(events), can_sink_(can_sink), host_(protocol.host()) {}

void ConnectionMonitor::log(const Text& text) { host_.log_line(text.in(host_.language()), LogSource::Program); }

bool ConnectionMonitor::on_polling_tick(const std::function<void()>& after_poll) {
    if (protocol_.tick_skip() > 0) {
        protocol_.set_tick_skip(protocol_.tick_skip() - 1);
        return false;
    }
    if (protocol_.transport().is_exchange_running()) return false;
    PollingSuspension suspended(host_);
    host_.progress_hide();
    poll();
    if (after_poll) after_poll();
    return true;
}

int ConnectionMonitor::read_status() {
    std::array<std::uint8_t, kStatusSize> bytes{};
    std::size_t got = 0;
    const int error = protocol_.read_area(block::kStatus, 0, bytes, got);
    // A short reply leaves the rest of the record zero; nothing beyond the buffer is looked at.
    if (error == kOk) status_ = StatusRecord::parse(bytes);
    return error;
}

int ConnectionMonitor::pull_pending(unsigned pending) {
    int result = kOk;
    switch (pending) {
        case kPendingCan: result = pull_can_records(); break;
        case kPendingTerminal: result = pull_terminal_text(); break;
        case kPendingBoth:
            if (alternate_) {
                alternate_ = false;
                result = pull_can_records();
            } else {
                alternate_ = true;
                result = pull_terminal_text();
            }
            break;
        default:
            if (fast_countdown_ == 0) {
                interval_ms_ = kIdleIntervalMs;
            } else {
                --fast_countdown_;
                interval_ms_ = kFastIntervalMs;
            }
            return kOk;
    }
    interval_ms_ = kFastIntervalMs;
    fast_countdown_ = kFastPollTicks;
    return result;
}

int ConnectionMonitor::poll() {
    int result;
    if (!connected_) {
        remembered_serial_ = 0;
        result = protocol_.transport().is_device_online();
        if (result == kOk) result = read_status();
    } else {
        result = read_status();
        if (result == kOk) {
            const unsigned pending = (long_operation_ || no_background_pulls_) ? kPendingNone : status_.pending();
            result = pull_pending(pending);
        }
    }

    if (result != kOk) {
        host_.set_status_text(error_text(result));
        if (connected_) {
            log(to_text(kDisconnectedBanner));
            connected_ = false;
            events_.set_busy(false);
        }
    } else {
        // While buttons are being learned the record holds what was gathered and not yet
        // written: reading the configuration now would throw it away. The serial stays
        // unremembered, so the first poll after learning reads it.
        if (status_.serial != remembered_serial_ && !learning_) {
            remembered_serial_ = status_.serial;
            events_.new_controller();
        }
        if (!connected_) {
            dots_ = 0;
            print_device_info(status_);
            connected_ = true;
            terminal_.reset();
            events_.set_busy(false);
        } else {
            show_status_line();
        }
    }
    protocol_.set_tick_skip(0);
    return result;
}

void ConnectionMonitor::show_status_line() {
    dots_ = dots_ >= kMaxDots ? 0 : dots_ + 1;
    update_can_log_offered();
    const bool file_open = can_sink_ != nullptr && can_sink_->log_file_open();
    host_.set_status_text(status_line_text(status_, dots_, file_open));
}

void ConnectionMonitor::update_can_log_offered() {
    const bool offered = ztv::can_log_offered(status_.name);
    can_log_offered_ = offered;
    if (!offered && can_sink_ != nullptr && can_sink_->log_file_open()) can_sink_->close_log_file();
}

void ConnectionMonitor::print_device_info(const StatusRecord& status) {
    for (const Text& line : device_info_lines(status)) log(line);
}

int ConnectionMonitor::pull_terminal_text() {
    std::array<std::uint8_t, kTerminalPullSize> buffer{};
    const auto sink = [this](std::string_view line) {
        host_.log_line(events_.controller_line(line), LogSource::Controller);
    };
    for (int request = 0; request < kMaxTerminalRequestsPerPull; ++request) {
        host_.pump();
        std::size_t got = 0;
        const int error = protocol_.read_area(block::kTerminal, 0, buffer, got);
        if (error != kOk) return error;
        if (host_.closing()) return kOk;
        terminal_.feed(std::span<const std::uint8_t>(buffer.data(), std::min(got, buffer.size())), sink);
        if (got == 0) break;
    }
    return kOk;
}

int ConnectionMonitor::pull_can_records() {
    std::array<std::uint8_t, kCanPullMax> buffer{};
    std::size_t got = 0;
    const int error = protocol_.read_area(block::kCanLog, 0, buffer, got);
    if (error != kOk) return error;
    // Only whole records count; a reply of any other length is ignored.
    if (got == 0 || got % kCanRecordSize != 0 || got > buffer.size()) return kOk;
    if (can_sink_ != nullptr) can_sink_->receive_can_records(std::span<const std::uint8_t>(buffer.data(), got));
    return kOk;
}

}  // namespace ztv
