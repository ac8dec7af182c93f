// The main window's chrome: one action per command of the command table, shown as the toolbar's
// buttons and the main menu's entries with their keys; the flash strip with the progress gauge
// over it, the status line, and the popup that the pages share. It draws and reports; the
// window decides. The commands' texts and the strip's, gauge's and status line's follow the
// language.
#pragma once

#include <QLabel>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "app/command_table.h"
#include "app/shell_clock.h"
#include "app/toolbar_rules.h"
#include "common/text.h"

class QAction;
class QMainWindow;
class QMenu;
class QProgressBar;
class QToolBar;
class QToolButton;

namespace ztv {

// The strip that fills the rest of the toolbar. "Hidden" while blinking only hides its text,
// so the toolbar's layout never jumps.
class FlashStrip : public QLabel {
    Q_OBJECT
public:
    explicit FlashStrip(QWidget* parent = nullptr);
    void set_shown(bool shown);
    bool shown() const { return shown_; }
    QString caption() const { return caption_; }
    void set_caption(const QString& text);

signals:
    void context_menu_requested(const QPoint& global_pos);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QString caption_;
    bool shown_ = true;
};

class WindowChrome : public QObject {
    Q_OBJECT
public:
    WindowChrome(QMainWindow& window, ShellClock& clock);

    // The action of a command: its toolbar button and menu entry trigger it, its keys too.
    QAction* action(Command command) const { return actions_[static_cast<std::size_t>(command)]; }
    // The toolbar button that shows a command; nullptr for a command not on the toolbar.
    QToolButton* button(Command command) const { return buttons_[static_cast<std::size_t>(command)]; }
    // Hands a command that another part runs (undo, comparing, backups) to that part: its entry
    // shows from now on.
    QAction* take(Command command);
    // A control of a page that the toolbar lock governs as it does the commands (the setup
    // buttons of the "Keys" and "Touchpanel" pages).
    void follow_rule(QWidget* control, EnablingRule rule);
    // What the toolbar may do now; the stop button of a running procedure stays usable.
    void enable(const ToolbarEnabling& enabling, bool busy, QWidget* procedure_button);
    // The commands' texts from their rows, and the texts that follow a state (the language
    // button, the filter's hint, the strip, the gauge, the status line).
    void retranslate(Lang lang);

    // The strip's message: duration 0 keeps it until replaced, blink 0 does not blink.
    void flash(int duration_ms, int blink_ms, const Text& text);
    void clear_flash();
    // The gauge: a maximum of 0 or less shows a wait without a measure, the title over it.
    void begin_progress(int maximum, const Text& title);
    void add_progress(int amount);
    void hide_progress();
    void set_status(const Text& text);
    // A wait for the controller shown in the status line over its own text until cleared.
    void set_wait_notice(std::optional<Text> notice);
    // A note after the status line's text for `duration_ms` (a backup was made): the polls
    // rewrite the text many times a second, the note stays to be read.
    void show_status_note(const Text& note, int duration_ms);
    void show_language(Lang lang);
    // Opens the main popup menu under the menu button (its key does this).
    void open_main_menu();
    // Opens the shared popup; context says who opened it. An empty second entry is left out;
    // `extra` entries (owned by the caller) follow below a separator until the next opening.
    void open_shared_popup(int context, const QString& first, const QString& second, const QPoint& global_pos,
                           std::function<void(int item)> chosen, const QList<QAction*>& extra = {});
    int popup_context() const { return popup_context_; }
    void set_popup_context(int context) { popup_context_ = context; }

    FlashStrip* strip() const { return strip_; }
    QProgressBar* gauge() const { return gauge_; }
    QLabel* gauge_title() const { return gauge_title_; }
    QLabel* status_panel() const { return status_panel_; }
    QMenu* main_popup() const { return popup_; }
    QMenu* shared_popup() const { return shared_popup_; }
    QAction* debug_item() const { return action(Command::Debug); }
    QAction* log_item() const { return action(Command::Log); }
    QAction* only_used_item() const { return action(Command::OnlyUsed); }
    QToolButton* menu_button() const { return button(Command::MainMenu); }

private:
    void build_actions();
    void build_toolbar();
    void build_strip(QToolBar* bar);
    void build_status_line();
    void build_menus();
    void build_timers(ShellClock& clock);
    void show_progress_title();
    void show_status();

    QMainWindow& window_;
    Lang lang_ = Lang::Russian;
    Text status_text_;
    std::optional<Text> wait_notice_;
    Text status_note_;
    ShellTimer* note_end_ = nullptr;
    Text flash_text_;
    Text progress_title_;
    ShellTimer* flash_end_ = nullptr;
    ShellTimer* blink_ = nullptr;
    int popup_context_ = 0;
    std::array<QAction*, kCommandCount> actions_{};
    std::array<QToolButton*, kCommandCount> buttons_{};
    std::array<QMenu*, kSubmenus.size()> submenus_{};
    std::vector<std::pair<QPointer<QWidget>, EnablingRule>> followers_;
    FlashStrip* strip_ = nullptr;
    QProgressBar* gauge_ = nullptr;
    QLabel* gauge_title_ = nullptr;  // the title over a gauge without a measure
    QLabel* status_panel_ = nullptr;
    QMenu* popup_ = nullptr;
    QMenu* shared_popup_ = nullptr;
    QAction* shared_first_ = nullptr;
    QAction* shared_second_ = nullptr;
    std::function<void(int)> shared_chosen_;
    QAction* shared_separator_ = nullptr;
    QList<QPointer<QAction>> shared_extra_;  // the caller's: gone when it deletes them
};

}  // namespace ztv
