#include "session/config_session.h"

#include <algorithm>
#include <optional>

#include "common/host.h"
#include "device/device_errors.h"

namespace ztv {
namespace {

constexpr TextPair kSendOfChanges{"Отправка изменений", "Send of changes"};

}  // namespace

int read_configuration(Protocol& protocol, ConfigState& state, const std::function<void()>& replaced) {
    Host& host = protocol.host();
    state.record_valid = false;
    int error;
    {
        PollingSuspension suspended(host);
        host.progress_begin(kConfigurationProgress, to_text(kReadingTitle));
        error = protocol.read_chunked(block::kTouchCalibration, 0, state.touch);
        if (error == kOk) error = protocol.read_chunked(block::kRecord, 0, state.record.bytes());
        if (error != kOk) {
            state.record.clear();
            state.touch.fill(0);
        }
        state.apply_header_defaults();
    }
    if (replaced) replaced();
    if (error != kOk) return error;
    state.shadow = state.record;
    state.record_valid = true;
    return kOk;
}

int write_configuration(Protocol& protocol, ConfigState& state) {
    {
        PollingSuspension suspended(protocol.host());
        protocol.host().progress_begin(kConfigurationProgress, to_text(kWritingTitle));
        if (const int error = protocol.write_chunked(block::kRecord, 0, state.record.bytes()); error != kOk)
            return error;
        // The controller now holds the record: the change sender must not send it again (the
        // controller may already be restarting, and the send would fail with an error box).
        state.shadow = state.record;
        if (const int error = protocol.write_chunked(block::kTouchCalibration, 0, state.touch); error != kOk)
            return error;
    }
    state.record_valid = true;
    return protocol.restart_device();
}

ConfigSession::ConfigSession(ConfigState& state, ConnectionMonitor& monitor, SessionEvents& events)
    : state_(state), monitor_(monitor), events_(events) {}

bool ConfigSession::on_polling_tick(const std::function<void()>& after_poll) {
    return monitor_.on_polling_tick([this, &after_poll] {
        if (after_poll) after_poll();
        send_changes();
        // Edits reach the controller as they are made: what it now holds is written.
        if (controller_holds_configuration() && !history_.at(CleanPoint::Controller))
            history_.mark(CleanPoint::Controller, true);
    });
}

void ConfigSession::new_controller() {
    state_.record_valid = false;
    if (monitor_.is_bootloader()) return;
    meeting_ = true;
    struct EndMeeting {
        bool& flag;
        ~EndMeeting() { flag = false; }
    } end_meeting{meeting_};
    const ConnectChoice choice = shows_user_configuration() ? events_.choose_on_connect() : ConnectChoice::Read;
    if (choice == ConnectChoice::Leave) return;
    if (choice == ConnectChoice::Read) {
        read_configuration_if_application();
        return;
    }
    const bool was_long = monitor_.long_operation();
    monitor_.set_long_operation(true);
    monitor_.events().set_busy(true);
    const int error = write_configuration();
    if (error != kOk)
        monitor_.protocol().host().show_message(kBoxError, with_error_text(kWriteConfigurationFailed, error));
    else
        mark_clean(CleanPoint::Controller, to_text(kWritingTitle));
    monitor_.events().set_busy(false);
    monitor_.set_long_operation(was_long);
}

int ConfigSession::read_configuration_if_application() {
    if (monitor_.is_bootloader()) return kOk;
    const bool was_long = monitor_.long_operation();
    monitor_.set_long_operation(true);
    monitor_.events().set_busy(true);
    Protocol& protocol = monitor_.protocol();
    const int error = read_configuration(protocol, state_, [this] { events_.configuration_replaced(); });
    // A failed read leaves an empty record: a step the user can undo, but held by nobody.
    if (error == kOk)
        mark_clean(CleanPoint::Controller, to_text(kReadingTitle));
    else
        record_edit(to_text(kReadingTitle));
    if (error != kOk) protocol.host().show_message(kBoxError, with_error_text(kReadConfigurationFailed, error));
    monitor_.events().set_busy(false);
    monitor_.set_long_operation(was_long);
    return error;
}

int ConfigSession::write_configuration() {
    const int error = ztv::write_configuration(monitor_.protocol(), state_);
    if (error == kOk) {
        touch_unsent_ = false;
        mark_clean(CleanPoint::Controller, to_text(kWritingTitle));
    }
    return error;
}

bool ConfigSession::record_edit(const Text& name, const std::string& field) {
    return history_.commit(take_snapshot(state_), name, field);
}

namespace {

bool step_back(ConfigHistory& history, bool forward, ConfigState& state, bool& touch_unsent) {
    const std::optional<ConfigSnapshot> to = forward ? history.redo() : history.undo();
    if (!to) return false;
    const TouchBlock touch_before = state.touch;
    restore_snapshot(*to, state);
    if (state.touch != touch_before) touch_unsent = true;
    return true;
}

}  // namespace

bool ConfigSession::undo() { return step_back(history_, false, state_, touch_unsent_); }

bool ConfigSession::redo() { return step_back(history_, true, state_, touch_unsent_); }

void ConfigSession::mark_clean(CleanPoint point, const Text& name) {
    history_.commit(take_snapshot(state_), name);
    history_.mark(point);
}

void ConfigSession::reset_history() {
    history_.reset(take_snapshot(state_));
    // Nothing shown yet is the user's: a controller connecting now may replace it.
    history_.mark(CleanPoint::Controller);
}

bool ConfigSession::controller_holds_configuration() const {
    if (!monitor_.connected() || monitor_.is_bootloader() || !state_.record_valid || touch_unsent_) return false;
    return std::ranges::equal(state_.record.bytes(), state_.shadow.bytes());
}

bool ConfigSession::controller_answers() const {
    return (monitor_.connected() || meeting_) && !monitor_.is_bootloader();
}

void ConfigSession::controller_changed() {
    monitor_.forget_serial();
    state_.record_valid = false;
}

void ConfigSession::send_changes() {
    if (!state_.record_valid || monitor_.learning() || monitor_.is_bootloader()) return;
    auto record = state_.record.bytes();
    auto shadow = state_.shadow.bytes();
    std::size_t total = 0;
    bool sending = monitor_.connected();
    for (std::size_t i = 0; i < kRecordSize;) {
        if (record[i] == shadow[i]) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < kRecordSize && record[end] != shadow[end]) ++end;
        std::copy(record.begin() + static_cast<std::ptrdiff_t>(i), record.begin() + static_cast<std::ptrdiff_t>(end),
                  shadow.begin() + static_cast<std::ptrdiff_t>(i));
        if (sending) {
            const int error = monitor_.protocol().write_checked(block::kRecord, static_cast<std::uint32_t>(i),
                                                                record.subspan(i, end - i));
            // One error box is enough: the shadow still takes the remaining runs, as it does for
            // the failed one, but they are not sent into a link that just failed.
            if (error != kOk) sending = false;
            total += end - i;
        }
        i = end;
    }
    if (touch_unsent_ && sending) {
        // An undo or redo brought back another touch calibration.
        touch_unsent_ = false;
        if (monitor_.protocol().write_checked(block::kTouchCalibration, 0, state_.touch) == kOk)
            total += state_.touch.size();
    }
    if (total > 0) monitor_.protocol().host().flash_message(1000, 250, to_text(kSendOfChanges));
}

}  // namespace ztv
