#include "app/shell_host.h"

#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include "app/shell_clock.h"
#include "app/shell_messages.h"
#include "app/window_chrome.h"
#include "app/window_operations.h"
#include "diag/terminal_page.h"
#include "session/safety_texts.h"

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

ShellHost::ShellHost(QWidget& window, WindowChrome& chrome, WindowOperations& operations, ShellClock& clock)
    : QObject(&window), window_(window), chrome_(chrome), operations_(operations), clock_(clock) {}

void ShellHost::attach(TerminalPage& terminal) {
    terminal_ = &terminal;
    polling_timer_ = new ShellTimer(clock_, this);
    polling_timer_->setObjectName(QStringLiteral("TimerPolling"));
    polling_timer_->set_interval(200);
    connect(polling_timer_, &ShellTimer::timeout, this, &ShellHost::polling_tick);
}

std::uint32_t ShellHost::tick_ms() { return clock_.now_ms(); }

void ShellHost::pump() {
    if (clock_.simulated()) {
        // Waits are loops of pumps: on simulated time each one lets a millisecond pass.
        clock_.advance(1);
        return;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // A short sleep keeps a wait from spinning a core.
    QThread::usleep(500);
}

void ShellHost::pump_device_wait() {
    if (clock_.simulated()) {
        clock_.advance(1);
        return;
    }
    // The transport waits on its I/O thread between pumps; clicks and keys wait in the queue
    // until the transfer is over (a close request is not user input and gets through).
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ShellHost::show_wait_notice(const Text& text) {
    waiting_for_device_ = true;
    chrome_.set_wait_notice(text);
}

void ShellHost::clear_wait_notice() {
    waiting_for_device_ = false;
    chrome_.set_wait_notice(std::nullopt);
}

int ShellHost::show_message(int type, const Text& text) {
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

    QMessageBox box(icon, tr_pair(title), body, QMessageBox::NoButton, &window_);
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
void ShellHost::place_box(QWidget* box) {
    const QRect main = window_.frameGeometry();
    QSize size = box->frameGeometry().size();
    if (!size.isValid() || size.isEmpty()) size = QSize(400, 400);
    box->move(main.left() + main.width() / 2 - size.width() / 2, main.top() + main.height() / 2 - size.height() / 2 + 50);
    box->raise();
    box->activateWindow();
}

void ShellHost::flash_message(int duration_ms, int blink_ms, const Text& text) {
    chrome_.flash(duration_ms, blink_ms, text);
}

void ShellHost::clear_flash_message() { chrome_.clear_flash(); }

void ShellHost::progress_begin(int maximum, const Text& title) { chrome_.begin_progress(maximum, title); }

void ShellHost::progress_add(int amount) { chrome_.add_progress(amount); }

// A polling tick hides a progress display left over from an earlier exchange. The firmware
// update keeps polling while it runs (that is how the bootloader is seen coming up), so a
// toolbar operation's display stays until the operation itself ends.
void ShellHost::progress_hide() {
    if (!operations_.toolbar_operation_running()) chrome_.hide_progress();
}

void ShellHost::suspend_polling() {
    if (polling_suspension_++ == 0) polling_timer_->stop();
}

void ShellHost::resume_polling() {
    if (polling_suspension_ <= 0) return;
    if (--polling_suspension_ == 0 && !closing_) polling_timer_->start();
}

bool ShellHost::polling_running() const { return polling_timer_->is_active(); }

int ShellHost::polling_interval() const { return polling_timer_->interval(); }

void ShellHost::set_polling_interval(int ms) { polling_timer_->set_interval(ms); }

void ShellHost::begin_close() {
    polling_timer_->stop();
    closing_ = true;
}

void ShellHost::log_line(const std::string& line, LogSource source) {
    if (source == LogSource::Controller) {
        terminal_->append_controller_line(line);
    } else {
        terminal_->log_line(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())),
                            terminal_->palette().color(QPalette::WindowText));
    }
}

void ShellHost::set_status_text(const Text& text) { chrome_.set_status(text); }

void ShellHost::show_status_note(const Text& note, int duration_ms) { chrome_.show_status_note(note, duration_ms); }

QString ShellHost::tr_pair(const TextPair& pair) const { return QString::fromUtf8(pick(pair, lang_)); }

}  // namespace ztv
