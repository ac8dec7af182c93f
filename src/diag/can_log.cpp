#include "diag/can_log.h"

#include "common/format.h"
#include "device/device_errors.h"
#include "device/protocol.h"

namespace ztv {

CanMenuVisibility can_menu_visibility(const CanMenuState& state) {
    CanMenuVisibility visible;
    const auto set = [&visible](CanMenuItem item, bool on) { visible.set(static_cast<std::size_t>(item), on); };
    set(CanMenuItem::Start, !state.log_running);
    set(CanMenuItem::StartSave, !state.log_running);
    set(CanMenuItem::StartSaveTab, !state.log_running);
    set(CanMenuItem::StartSaveCandump, !state.log_running);
    set(CanMenuItem::Stop, state.log_running);
    set(CanMenuItem::Clear, state.has_rows);
    set(CanMenuItem::HideDetails, state.details_shown);
    set(CanMenuItem::HideThis, state.row_selected);
    set(CanMenuItem::HideAllExcept, state.row_selected);
    set(CanMenuItem::HideAccumulated, true);
    set(CanMenuItem::HideNotChanged, true);
    set(CanMenuItem::ShowAll, true);
    set(CanMenuItem::LearnBackground, !state.learning);
    set(CanMenuItem::StopLearning, state.learning);
    set(CanMenuItem::ShowNewChanges, state.learned && !state.showing_new);
    set(CanMenuItem::HighlightChanges, true);
    return visible;
}

int write_can_mode(Protocol& protocol, std::uint8_t mode) {
    return protocol.write_area(block::kCanLog, 0, std::span<const std::uint8_t>(&mode, 1));
}

CanLog::CanLog(Host& host, CanLogLink link)
    : host_(host), link_(std::move(link)), changed_flag_(CanIdTable::kMaxRows, false) {}

CanMenuVisibility CanLog::menu(bool log_running) const {
    return can_menu_visibility({log_running, !table_.empty(), details_shown(), selected_row_.has_value(),
                                background_.state() == CanBackground::State::Learning,
                                background_.state() == CanBackground::State::Learned, showing_new_});
}

bool CanLog::check_connected() {
    if (link_.connected()) return true;
    host_.show_message(kBoxError, error_text(kErrDisconnected));
    return false;
}

int CanLog::write_mode(std::uint8_t mode) {
    last_mode_ = mode;
    filters_.set_all_hidden(mode == kCanModeHideSeen);
    return link_.send_mode(mode);
}

void CanLog::report(int error) {
    // Only a firmware without a CAN log is worth a box; other failures show in the status line
    // through the next poll.
    if (error == kErrParameters) host_.show_message(kBoxError, to_text(can_msg::kNotSupported));
}

void CanLog::start(std::uint8_t mode) {
    if (check_connected()) {
        const int error = write_mode(kCanModeOff);
        if (error == kOk) {
            clear_table();
            report(write_mode(mode));
        } else {
            report(error);
        }
    }
    hide_details();
}

bool CanLog::start_saving(CanFileFormat format, std::uint8_t mode) {
    bool started = false;
    if (check_connected()) {
        file_.close();
        file_write_failed_ = false;
        link_.set_busy(true);
        const int error = write_mode(kCanModeOff);
        if (error == kOk) {
            clear_table();
            const std::string path = link_.ask_file_name();
            if (!path.empty()) {
                link_.remember_folder(path);
                if (file_.open(path, format)) {
                    const int started_error = write_mode(mode);
                    report(started_error);
                    started = started_error == kOk;
                } else {
                    host_.show_message(kBoxError, join(format_pair(can_msg::kCannotCreate, path.c_str()), "\n",
                                                       write_failure_reason(file_.open_problem())));
                }
            }
        } else {
            report(error);
        }
        link_.set_busy(false);
    }
    hide_details();
    return started;
}

bool CanLog::start_without_file(std::uint8_t mode) {
    if (!check_connected()) return false;
    int error = write_mode(kCanModeOff);
    if (error == kOk) {
        clear_table();
        error = write_mode(mode);
    }
    report(error);
    return error == kOk;
}

bool CanLog::start_streaming(std::FILE* stream, const std::string& name, CanFileFormat format, std::uint8_t mode) {
    file_.close();
    file_write_failed_ = false;
    if (!start_without_file(mode)) return false;
    file_.attach(stream, name, format);
    return true;
}

void CanLog::learn_background() {
    background_.start_learning(host_.tick_ms());
    if (showing_new_) filter_changed_ = true;
    showing_new_ = false;
}

void CanLog::stop_learning() { background_.stop_learning(); }

void CanLog::show_new_changes() {
    if (background_.state() != CanBackground::State::Learned || showing_new_) return;
    showing_new_ = true;
    filter_changed_ = true;
}

void CanLog::show_all() {
    // From the view of new changes back to every identifier, keeping the table; otherwise
    // every identifier is shown again and logging restarts.
    if (showing_new_) {
        showing_new_ = false;
        filter_changed_ = true;
        return;
    }
    start(kCanModeAll);
}

void CanLog::stop() {
    if (check_connected()) {
        file_.close();
        report(write_mode(kCanModeOff));
    }
    hide_details();
}

int CanLog::stop_quietly() {
    // A log that could not be put on the disk is as lost as one whose write failed.
    if (!file_.close()) file_write_failed_ = true;
    if (!link_.connected()) {
        last_mode_ = kCanModeOff;
        return kOk;
    }
    return write_mode(kCanModeOff);
}

void CanLog::clear() {
    if (check_connected()) clear_table();
}

void CanLog::hide_selected() {
    if (!selected_row_ || *selected_row_ >= table_.size()) return;
    filters_.hide(table_.row(*selected_row_).frame.key());
    clear();
}

void CanLog::hide_all_except_selected() {
    if (!selected_row_ || *selected_row_ >= table_.size()) return;
    filters_.hide_all_except(table_.row(*selected_row_).frame.key());
    clear();
}

void CanLog::run(CanMenuItem item) {
    switch (item) {
        case CanMenuItem::Start: start(kCanModeAll); break;
        case CanMenuItem::ShowAll: show_all(); break;
        case CanMenuItem::StartSave: start_saving(CanFileFormat::Aligned); break;
        case CanMenuItem::StartSaveTab: start_saving(CanFileFormat::Tab); break;
        case CanMenuItem::StartSaveCandump: start_saving(CanFileFormat::Candump); break;
        case CanMenuItem::Stop: stop(); break;
        case CanMenuItem::Clear: clear(); break;
        case CanMenuItem::HideDetails: hide_details(); break;
        case CanMenuItem::HideThis: hide_selected(); break;
        case CanMenuItem::HideAllExcept: hide_all_except_selected(); break;
        case CanMenuItem::HideAccumulated: start(kCanModeHideSeen); break;
        case CanMenuItem::HideNotChanged: start(kCanModeChangedOnly); break;
        case CanMenuItem::LearnBackground: learn_background(); break;
        case CanMenuItem::StopLearning: stop_learning(); break;
        case CanMenuItem::ShowNewChanges: show_new_changes(); break;
        case CanMenuItem::HighlightChanges: set_highlight(!highlight_); break;
    }
}

void CanLog::clear_table() {
    table_.clear();
    changes_.clear();
    history_.clear();
    file_.restart_numbering();
    hide_details();
    selected_row_.reset();
    last_clicked_.reset();
    reset_ = true;
    shown_rows_ = 0;
    for (const std::size_t row : changed_) changed_flag_[row] = false;
    changed_.clear();
}

void CanLog::click_row(std::size_t row) {
    if (row >= table_.size()) return;
    if (detail_row_ == row && last_clicked_ == row) {
        hide_details();
    } else {
        detail_row_ = row;
        detail_changed_ = true;
    }
    last_clicked_ = row;
}

void CanLog::follow_row(std::size_t row) {
    if (!detail_row_ || *detail_row_ == row || row >= table_.size()) return;
    detail_row_ = row;
    detail_changed_ = true;
    last_clicked_.reset();
}

void CanLog::select_row(std::optional<std::size_t> row) {
    selected_row_ = row && *row < table_.size() ? row : std::nullopt;
}

void CanLog::hide_details() {
    if (detail_row_) detail_changed_ = true;
    detail_row_.reset();
}

void CanLog::mark_changed(std::size_t row) {
    if (row >= shown_rows_ || changed_flag_[row]) return;
    changed_flag_[row] = true;
    changed_.push_back(row);
}

bool CanLog::receive(const CanFrame& frame) {
    if (!filters_.accept(frame, last_mode_)) return false;
    if (link_.terminal_active()) host_.log_line(can_terminal_line(frame), LogSource::Controller);
    if (listener_) listener_(frame);
    const CanBits news = background_.observe(frame);
    if (news_listener_ && news != CanBits{}) news_listener_(frame, news);
    const CanIdTable::Result result = table_.add(frame);
    if (result.outcome == CanIdTable::Outcome::Full) return false;
    const std::uint32_t now = host_.tick_ms();
    if (result.outcome == CanIdTable::Outcome::Updated) changes_.note(result.row, result.previous.data(), frame.data(), now);
    history_.note(result.row, frame, now);
    mark_changed(result.row);
    if (detail_row_ == result.row) detail_changed_ = true;
    if (file_.is_open() && !file_.write(table_.row(result.row), host_.wall_clock_us())) {
        file_write_failed_ = true;
        host_.show_message(kBoxError, format_pair(can_msg::kWriteFailed, file_.path().c_str()));
    }
    return true;
}

void CanLog::receive_can_records(std::span<const std::uint8_t> records) {
    // Only whole records; the monitor hands nothing else, but this is outside input all the same.
    for (std::size_t at = 0; at + kCanRecordSize <= records.size(); at += kCanRecordSize)
        receive(CanFrame::from_record(records.subspan(at).first<kCanRecordSize>()));
}

CanLogChanges CanLog::take_changes() {
    CanLogChanges changes;
    changes.reset = reset_;
    changes.shown_rows = shown_rows_;
    changes.rows = table_.size();
    changes.changed.swap(changed_);
    for (const std::size_t row : changes.changed) changed_flag_[row] = false;
    changes.detail_changed = detail_changed_;
    changes.filter_changed = filter_changed_;
    reset_ = false;
    detail_changed_ = false;
    filter_changed_ = false;
    shown_rows_ = table_.size();
    return changes;
}

}  // namespace ztv
