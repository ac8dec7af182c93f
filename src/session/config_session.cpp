#include "session/config_session.h"

#include <algorithm>
#include <optional>

#include "common/host.h"
#include "device/device_errors.h"

namespace ztv {
namespace {

constexpr TextPair kSendOfChanges{"Отправка изменений", "Send of changes"};
constexpr TextPair kChangesNotSent{
    "Ошибка записи в устройство: изменения не отправлены\n%s\n\nКонфигурация считается несохранённой, пока "
    "её не запишут в контроллер, не прочитают из него или не сохранят в файл.",
    "Error writing to the device: the changes were not sent\n%s\n\nThe configuration counts as unsaved until "
    "it is written to the controller, read from it or saved to a file."};
constexpr TextPair kNotSentList{"Не отправлено:", "Not sent:"};

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
    if (error == kOk) unsent_ = false;
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
        unsent_ = false;
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
    if (point == CleanPoint::File) names_saved_ = state_.slot_names;
}

void ConfigSession::reset_history() {
    history_.reset(take_snapshot(state_));
    names_saved_ = state_.slot_names;
    // Nothing shown yet is the user's: a controller connecting now may replace it.
    history_.mark(CleanPoint::Controller);
}

bool ConfigSession::unsaved() const {
    if (history_.at(CleanPoint::File)) return false;
    if (state_.slot_names != names_saved_) return true;
    return !history_.at(CleanPoint::Controller) && !controller_holds_configuration();
}

bool ConfigSession::controller_holds_configuration() const {
    if (!monitor_.connected() || monitor_.is_bootloader() || !state_.record_valid || touch_unsent_ || unsent_)
        return false;
    return std::ranges::equal(state_.record.bytes(), state_.shadow.bytes());
}

bool ConfigSession::controller_answers() const {
    return (monitor_.connected() || meeting_) && !monitor_.is_bootloader();
}

void ConfigSession::controller_changed() {
    monitor_.forget_serial();
    state_.record_valid = false;
}

void ConfigSession::controller_read(const Record& held) {
    state_.shadow = held;
    unsent_ = false;
}

void ConfigSession::send_changes() {
    if (!state_.record_valid || monitor_.learning() || monitor_.is_bootloader()) return;
    auto record = state_.record.bytes();
    auto shadow = state_.shadow.bytes();
    Record held = state_.shadow;  // what the controller has, as far as the sends go
    std::size_t total = 0;
    bool sending = monitor_.connected();
    int failure = kOk;
    for (std::size_t i = 0; i < kRecordSize;) {
        if (record[i] == shadow[i]) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < kRecordSize && record[end] != shadow[end]) ++end;
        const auto run_start = static_cast<std::ptrdiff_t>(i);
        const auto run_end = static_cast<std::ptrdiff_t>(end);
        std::copy(record.begin() + run_start, record.begin() + run_end, shadow.begin() + run_start);
        if (sending) {
            // One error box is enough: the shadow still takes the remaining runs, as it does for
            // the failed one, but they are not sent into a link that just failed.
            failure = monitor_.protocol().write_chunked(block::kRecord, static_cast<std::uint32_t>(i),
                                                        record.subspan(i, end - i), kPayloadMax);
            if (failure == kOk) {
                std::copy(record.begin() + run_start, record.begin() + run_end, held.bytes().begin() + run_start);
                total += end - i;
            } else {
                sending = false;
            }
        }
        i = end;
    }
    if (touch_unsent_ && sending) {
        // An undo or redo brought back another touch calibration.
        touch_unsent_ = false;
        failure = monitor_.protocol().write_chunked(block::kTouchCalibration, 0, state_.touch, kPayloadMax);
        if (failure == kOk) total += state_.touch.size();
    }
    if (failure != kOk) report_unsent(failure, held);
    if (total > 0) monitor_.protocol().host().flash_message(1000, 250, to_text(kSendOfChanges));
}

// The changes the controller refused are not sent again: the configuration stays unsaved, and
// the controller is no longer known to hold any state of the history, until a whole read or
// write.
void ConfigSession::report_unsent(int error, const Record& held) {
    unsent_ = true;
    history_.forget(CleanPoint::Controller);
    ConfigSnapshot controller = take_snapshot(state_);
    controller.record = held;
    const Text unsent = events_.describe_unsent(controller, take_snapshot(state_));
    Text message = with_error_text(kChangesNotSent, error);
    if (!unsent.empty()) message = join(message, "\n\n", join(to_text(kNotSentList), "\n", unsent));
    monitor_.protocol().host().show_message(kBoxError, message);
}

}  // namespace ztv
