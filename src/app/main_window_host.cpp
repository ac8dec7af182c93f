// The window's settings at start and close, its polling tick, and the close.
#include <QCloseEvent>
#include <QScreen>
#include <QTabWidget>

#include "app/main_window.h"
#include "app/parameter_split.h"
#include "app/settings_store.h"
#include "app/toolbar_rules.h"
#include "config/parameter_pages.h"
#include "diag/terminal_page.h"
#include "events/slot_editor_view.h"
#include "tools/key_board_window.h"

namespace ztv {

void TMainForm::on_polling_timer() {
    if (device_ == nullptr) return;
    device_->on_polling_tick();
    const int interval = device_->poll_interval_ms();
    if (interval > 0 && interval != host_->polling_interval()) host_->set_polling_interval(interval);
    // A tick can change what the toolbar may do (a controller came or went, a read brought a
    // record with other modules). Ticks come a hundred times a second while the controller
    // has data waiting: one that changed nothing leaves the toolbar as it is.
    if (!toolbar_operation_running() &&
        (busy_ || ToolbarEnabling(false, controller_connected(), state_.record) != enabling_))
        set_busy(false);
}

void TMainForm::apply_settings() {
    const MainSettings settings = settings_->load();

    place_from_settings(*this, settings.main_top, settings.main_left);

    terminal_->set_input_height(settings.tx_height);
    split_->set_share(settings.param_share);
    pages_->setCurrentWidget(parameters_);
    chrome_->log_item()->setChecked(settings.log);
    chrome_->debug_item()->setChecked(settings.debug);
    chrome_->only_used_item()->setChecked(settings.only_used);
    speed_up_ = settings.speed_up;
    if (device_ != nullptr) {
        device_->set_reply_delay(speed_up_);
        device_->set_trace_options(settings.debug, settings.log);
    }
    page_host_->set_language(settings.lang);
    restore_key_picker(settings);
}

void TMainForm::restore_key_picker(const MainSettings& settings) {
    QWidget* picker = editor_->key_picker();
    picker->adjustSize();
    place_from_settings(*picker, settings.key_top, settings.key_left);
    if (settings.key_visible != 0) editor_->open_key_picker(editor_->current_slot());
}

void TMainForm::place_from_settings(QWidget& window, std::optional<int> top, std::optional<int> left) const {
    const QScreen* screen = window.screen() != nullptr ? window.screen() : this->screen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1920, 1080);
    const QSize size = window.frameGeometry().size().isEmpty() ? window.size() : window.frameGeometry().size();
    const WindowPlace place = place_window(area.width(), area.height(), size.width(), size.height(), top, left);
    window.move(area.left() + place.left, area.top() + place.top);
}

void TMainForm::save_settings() {
    MainSettings settings = settings_->loaded();
    settings.main_top = frameGeometry().top();
    settings.main_left = frameGeometry().left();
    settings.lang = static_cast<int>(host_->language());
    settings.log = chrome_->log_item()->isChecked();
    settings.debug = chrome_->debug_item()->isChecked();
    settings.only_used = chrome_->only_used_item()->isChecked();
    settings.speed_up = speed_up_;
    settings.tx_height = terminal_->input_height();
    settings.param_share = split_->share();  // none until the user drags the border
    const QWidget* picker = editor_->key_picker();
    settings.key_top = picker->y();
    settings.key_left = picker->x();
    settings.key_visible = picker->isVisible() ? 1 : 0;
    settings_->save(settings);
}

void TMainForm::initialise() {
    // Gestures are not offered by this version of the controller.
    if (QWidget* gestures = parameter_pages_->touch_gestures_box()) gestures->hide();
    page_host_->clear_selections();
    apply_settings();
    setMinimumSize(size());
    const bool debug = chrome_->debug_item()->isChecked();
    chrome_->debug_item()->setVisible(debug);
    chrome_->log_item()->setVisible(debug);
    if (device_ != nullptr) device_->clear_status();
    // Start-up fills the editor from the all-zero record, like every page.
    editor_->refresh();
    set_busy(false);
    host_->resume_polling();
}

void TMainForm::on_debug_clicked() {
    const bool debug = chrome_->debug_item()->isChecked();
    chrome_->debug_item()->setVisible(debug);
    chrome_->log_item()->setVisible(debug);
    if (device_ != nullptr) device_->set_trace_options(debug, chrome_->log_item()->isChecked());
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A close asked for in the middle of a healthy exchange waits for its end (a few
    // milliseconds), so that the close's own requests do not cut into it; a transfer the
    // controller does not answer is not waited for.
    const bool closing = host_->closing();
    if (!closing && device_ != nullptr && device_->exchange_running() && !host_->waiting_for_device()) {
        event->ignore();
        close_retry_->start();
        return;
    }
    if (!closing && edits_ != nullptr && !edits_->may_replace(false)) {
        event->ignore();
        return;
    }
    if (!closing) {
        host_->begin_close();
        if (device_ != nullptr) device_->stop_can_log();
        wait_pumping(*host_, 100);
        if (device_ != nullptr) device_->close_device();
        wait_pumping(*host_, 100);
        save_settings();
        host_->end_close();
    }
    event->accept();
}

}  // namespace ztv
