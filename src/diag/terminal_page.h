// The terminal page: the controller's debug text and the program's log above, a line editor
// for terminal commands below.
#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/format.h"
#include "common/host.h"
#include "diag/terminal_view.h"

class QSplitter;

namespace ztv {

// Controller lines are drawn in pure blue; the program's own lines in the window-text colour.
inline const QColor kControllerLineColour(0, 0, 255);

// Terminal commands travel in one 64-byte area: at most 63 characters and a NUL.
inline constexpr std::size_t kTerminalWriteMax = 64;
// A typed line this long or longer is not sent at all.
inline constexpr int kTerminalLineLimit = 999;
// Lines kept in the receive pane; the oldest go first, so a day-long session cannot eat memory.
inline constexpr int kReceivePaneMaxLines = 200000;

// What Enter in the send pane does with the text and caret position it finds.
struct EnterOutcome {
    bool let_through = false;  // the pane also gets the key (a new line is started)
    bool send = false;
    QString line;              // the line that holds the caret
};
EnterOutcome decide_enter(const QString& text, int caret);

// The controller side of the page; empty members read as "no controller".
struct TerminalLink {
    std::function<bool()> application_connected;
    // The terminal-write request: sends length bytes, returns the transport's error code.
    std::function<int(const std::uint8_t* bytes, std::size_t length)> write_line;
    std::function<Text(int error)> error_text;
};

// Error code returned when a line cannot be sent because no controller is there.
inline constexpr int kTerminalNotConnected = -1;

class TerminalPage : public QWidget {
    Q_OBJECT
public:
    explicit TerminalPage(Host& host, QWidget* parent = nullptr);

    // One line of text in one colour, scrolled into view.
    void log_line(const QString& text, const QColor& colour);
    // A line of the program's own log, in the window-text colour.
    void log_printf(const char* format, ...) ZTV_PRINTF(2, 3);
    // A completed controller line: through the debug-line rewriter, then in blue.
    void append_controller_line(std::string_view line);
    void set_line_rewriter(std::function<std::string(std::string_view)> rewriter) { rewriter_ = std::move(rewriter); }

    void set_link(TerminalLink link) { link_ = std::move(link); }
    // Sends one NUL-terminated line; longer than 64 bytes is cut so that 63 characters arrive.
    int send_terminal_line(const std::uint8_t* bytes, std::size_t length);

    void clear_receive_pane();
    void copy_all();
    int line_count() const { return receive_->line_count(); }
    TerminalView* receive_pane() const { return receive_; }
    QPlainTextEdit* send_pane() const { return send_; }

    int input_height() const;
    void set_input_height(int height);

signals:
    // A right click in the receive pane: the main window opens its shared popup there.
    void popup_requested(const QPoint& global_pos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handle_enter();
    void receive_click();

    Host& host_;
    TerminalLink link_;
    std::function<std::string(std::string_view)> rewriter_;
    QSplitter* splitter_ = nullptr;
    TerminalView* receive_ = nullptr;
    QPlainTextEdit* send_ = nullptr;
    int wanted_input_height_ = 64;
    bool click_pending_ = false;
    std::uint32_t last_click_ms_ = 0;
};

}  // namespace ztv
