#include "diag/terminal_page.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstdarg>

#include "common/cp1251.h"
#include "device/device_errors.h"
#include "device/protocol.h"
#include "diag/terminal_input_height.h"

namespace ztv {

EnterOutcome decide_enter(const QString& text, int caret) {
    EnterOutcome out;
    if (caret == 0 && text.isEmpty()) return out;  // nothing typed: the key is swallowed
    // Enter at the very end starts a new line; on an earlier line it re-sends that line and
    // leaves the text as it is.
    out.let_through = caret >= text.size();
    const int start = caret > 0 ? static_cast<int>(text.lastIndexOf(QLatin1Char('\n'), caret - 1)) + 1 : 0;
    int end = static_cast<int>(text.size());
    for (int i = caret; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
            end = i;
            break;
        }
    }
    out.line = text.mid(start, end - start);
    if (out.line.isEmpty()) {
        out.let_through = false;
        return out;
    }
    out.send = out.line.size() < kTerminalLineLimit;
    return out;
}

TerminalPage::TerminalPage(Host& host, QWidget* parent) : QWidget(parent), host_(host) {
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    receive_ = new TerminalView(kReceivePaneMaxLines, this);
    receive_->setObjectName(QStringLiteral("RichEditRX"));
    receive_->setFont(fixed);
    receive_->viewport()->installEventFilter(this);

    send_ = new QPlainTextEdit(this);
    send_->setObjectName(QStringLiteral("MemoTX"));
    send_->setLineWrapMode(QPlainTextEdit::NoWrap);
    send_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    send_->setFont(fixed);
    // Commands have no use for tab characters; Tab moves on, as everywhere else.
    send_->setTabChangesFocus(true);
    send_->installEventFilter(this);
    send_->viewport()->installEventFilter(this);

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("SplitterTerminal"));
    splitter_->addWidget(receive_);
    splitter_->addWidget(send_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    set_input_height(wanted_input_height_);
}

void TerminalPage::log_line(const QString& text, const QColor& colour) { receive_->append_line(text, colour); }

void TerminalPage::log_printf(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const std::string text = vstrprintf(format, args);
    va_end(args);
    log_line(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), palette().color(QPalette::WindowText));
}

void TerminalPage::append_controller_line(std::string_view line) {
    const std::string shown = rewriter_ ? rewriter_(line) : std::string(line);
    log_line(QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())), kControllerLineColour);
}

int TerminalPage::send_terminal_line(const std::uint8_t* bytes, std::size_t length) {
    if (!link_.application_connected || !link_.application_connected() || !link_.write_line) {
        host_.show_message(kBoxError, error_text(kErrDisconnected));
        return kTerminalNotConnected;
    }
    std::array<std::uint8_t, kTerminalWriteMax> area{};
    length = std::min(length, kTerminalWriteMax);
    std::copy_n(bytes, length, area.begin());
    area[kTerminalWriteMax - 1] = 0;
    const int error = link_.write_line(area.data(), length);
    if (error != 0) {
        const Text reason = link_.error_text ? link_.error_text(error) : Text::same(std::to_string(error));
        host_.show_message(kBoxError, join(to_text(kWriteErrorTitle),
                                           "\n", reason));
    }
    return error;
}

void TerminalPage::clear_receive_pane() { receive_->clear(); }

// The copy is the whole pane; a selection left behind would hide the controller's blue and
// swallow every new line into it, so none is left once the text is on the clipboard.
void TerminalPage::copy_all() {
    QApplication::clipboard()->setText(receive_->text());
    receive_->clear_selection();
}

int TerminalPage::input_height() const {
    const QList<int> sizes = splitter_->sizes();
    if (!isVisible() || sizes.size() < 2 || sizes[1] <= 0) return wanted_input_height_;
    return sizes[1];
}

void TerminalPage::set_input_height(int height) {
    wanted_input_height_ = std::clamp(height, kMinTerminalInputHeight, kMaxTerminalInputHeight);
    const int total = std::max(splitter_->height(), wanted_input_height_ + 100);
    splitter_->setSizes({total - wanted_input_height_, wanted_input_height_});
}

void TerminalPage::receive_click() {
    const std::uint32_t now = host_.tick_ms();
    if (click_pending_ && now - last_click_ms_ < 500) {
        click_pending_ = false;
        clear_receive_pane();
        return;
    }
    click_pending_ = true;
    last_click_ms_ = now;
}

bool TerminalPage::handle_enter() {
    if (!link_.application_connected || !link_.application_connected()) return false;  // an ordinary key
    const QTextCursor cursor = send_->textCursor();
    const EnterOutcome outcome = decide_enter(send_->toPlainText(), cursor.position());
    if (outcome.send) {
        // The controller reads 8-bit text; what cannot be written in Windows-1251 becomes '?'.
        const std::string bytes = utf8_to_cp1251(outcome.line.toStdString());
        std::array<std::uint8_t, kTerminalLineLimit + 1> buffer{};
        const std::size_t n = std::min(bytes.size(), buffer.size() - 1);
        std::copy_n(bytes.begin(), n, buffer.begin());
        send_terminal_line(buffer.data(), n + 1);
    }
    return !outcome.let_through;
}

bool TerminalPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == send_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return handle_enter();
        return false;
    }
    if (watched == send_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        send_->clear();
        return true;
    }
    if (watched == receive_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                receive_click();
            } else if (mouse->button() == Qt::RightButton) {
                emit popup_requested(mouse->globalPosition().toPoint());
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace ztv
