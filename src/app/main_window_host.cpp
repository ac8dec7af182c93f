// The shell services of the main window: message boxes, flash strip, progress, polling,
// program settings and the close query.
#include <cstdio>

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPalette>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QThread>
#include <QTimer>

#include "app/main_window.h"
#include "app/parameter_split.h"
#include "app/settings_store.h"
#include "app/setup_options.h"
#include "app/shell_messages.h"
#include "config/parameter_pages.h"
#include "diag/terminal_page.h"
#include "session/safety_texts.h"
#include "events/slot_editor_view.h"
#include "tools/key_board_window.h"

namespace ztv {
namespace {

// Message texts are built in a 1000-byte buffer: cut longer ones at a character boundary.
QString bounded_message(const std::string& text) {
    constexpr std::size_t kLimit = 999;
    std::size_t size = std::min(text.size(), kLimit);
    while (size > 0 && size < text.size() && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) --size;
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(size));
}

}  // namespace

std::uint32_t TMainForm::tick_ms() { return clock_->now_ms(); }

void TMainForm::pump() {
    if (clock_->simulated()) {
        // Waits are loops of pumps: on simulated time each one lets a millisecond pass.
        clock_->advance(1);
        return;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // A short sleep keeps a wait from spinning a core.
    QThread::usleep(500);
}

void TMainForm::pump_device_wait() {
    if (clock_->simulated()) {
        clock_->advance(1);
        return;
    }
    // The transport waits on its I/O thread between pumps; clicks and keys wait in the queue
    // until the transfer is over (a close request is not user input and gets through).
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

int TMainForm::show_message(int type, const Text& text) {
    const int kind = type & 0xFF;
    // Once the window has closed nobody is there to answer: what the close cut short (a
    // transfer given up on) ends without a box.
    if (closed_) return kind == kBoxQuestion || kind == kBoxWarning ? kIdNo : kIdOk;
    TextPair title{"", ""};
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool yes_no = false;
    switch (kind) {
        case kBoxError: title = msg::kTitleError; icon = QMessageBox::Critical; break;
        case kBoxQuestion: title = msg::kTitleQuestion; icon = QMessageBox::Question; yes_no = true; break;
        case kBoxWarning: title = msg::kTitleWarning; icon = QMessageBox::Warning; yes_no = true; break;
        case kBoxInformation: title = msg::kTitleInformation; icon = QMessageBox::Information; break;
        default: break;
    }
    const QString body = bounded_message(text.in(lang_));
    PollingSuspension no_polling(*this);
    if (answerer_) return answerer_(type, tr_pair(title), body);

    QMessageBox box(icon, tr_pair(title), body, QMessageBox::NoButton, this);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (yes_no) {
        QAbstractButton* yes = box.addButton(QMessageBox::Yes);
        QAbstractButton* no = box.addButton(QMessageBox::No);
        box.setDefaultButton(static_cast<QPushButton*>((type & kBoxDefaultSecond) != 0 ? no : yes));
        box.setEscapeButton(no);
        if ((type & kBoxWithCancel) != 0) box.setEscapeButton(box.addButton(QMessageBox::Cancel));
        if ((type & kBoxShowChanges) != 0) box.addButton(tr_pair(kShowChanges), QMessageBox::ActionRole);
    } else {
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
    }
    QTimer::singleShot(0, &box, [this, &box] { place_box(&box); });
    const int pressed = box.exec();
    if (box.buttonRole(box.clickedButton()) == QMessageBox::ActionRole) return kIdShowChanges;
    if (pressed == QMessageBox::Yes) return kIdYes;
    if (pressed == QMessageBox::No) return kIdNo;
    if (pressed == QMessageBox::Cancel) return kIdCancel;
    return kIdOk;
}

// Centred on the main window and 50 pixels lower, so the box does not hide what it is about.
void TMainForm::place_box(QWidget* box) {
    const QRect main = frameGeometry();
    QSize size = box->frameGeometry().size();
    if (!size.isValid() || size.isEmpty()) size = QSize(400, 400);
    box->move(main.left() + main.width() / 2 - size.width() / 2, main.top() + main.height() / 2 - size.height() / 2 + 50);
    box->raise();
    box->activateWindow();
}

// A polling tick hides a progress display left over from an earlier exchange. The firmware
// update keeps polling while it runs (that is how the bootloader is seen coming up), so a
// toolbar operation's display stays until the operation itself ends.
void TMainForm::progress_hide() {
    if (!toolbar_operation_running()) chrome_->hide_progress();
}

void TMainForm::suspend_polling() {
    if (polling_suspension_++ == 0) polling_timer_->stop();
}

void TMainForm::resume_polling() {
    if (polling_suspension_ <= 0) return;
    if (--polling_suspension_ == 0 && !closing_) polling_timer_->start();
}

bool TMainForm::polling_running() const { return polling_timer_->is_active(); }

void TMainForm::on_polling_timer() {
    if (device_ == nullptr) return;
    device_->on_polling_tick();
    const int interval = device_->poll_interval_ms();
    if (interval > 0 && interval != polling_timer_->interval()) polling_timer_->set_interval(interval);
    // A tick can change what the toolbar may do (a controller came or went, a read brought a
    // record with other modules). Ticks come a hundred times a second while the controller
    // has data waiting: one that changed nothing leaves the toolbar as it is.
    if (!toolbar_operation_running() &&
        (busy_ || toolbar_enabling(false, controller_connected(), state_.record) != enabling_))
        set_busy(false);
}

void TMainForm::log_line(const std::string& line, LogSource source) {
    if (source == LogSource::Controller) {
        terminal_->append_controller_line(line);
    } else {
        terminal_->log_line(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())),
                            terminal_->palette().color(QPalette::WindowText));
    }
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
    set_language(settings.lang);
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
    settings.lang = static_cast<int>(lang_);
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
    clear_selections();
    apply_settings();
    setMinimumSize(size());
    const bool debug = chrome_->debug_item()->isChecked();
    chrome_->debug_item()->setVisible(debug);
    chrome_->log_item()->setVisible(debug);
    if (device_ != nullptr) device_->clear_status();
    // Start-up fills the editor from the all-zero record, like every page.
    editor_->refresh();
    set_busy(false);
    resume_polling();
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
    if (!closing_ && device_ != nullptr && device_->exchange_running() && !waiting_for_device_) {
        event->ignore();
        close_retry_->start();
        return;
    }
    if (!closing_ && edits_.may_replace && !edits_.may_replace(false)) {
        event->ignore();
        return;
    }
    if (!closing_) {
        polling_timer_->stop();
        closing_ = true;
        if (device_ != nullptr) device_->stop_can_log();
        wait_pumping(*this, 100);
        if (device_ != nullptr) device_->close_device();
        wait_pumping(*this, 100);
        save_settings();
        closed_ = true;
    }
    event->accept();
}

}  // namespace ztv
