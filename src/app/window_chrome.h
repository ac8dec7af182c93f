// The main window's chrome: the toolbar and its buttons, the flash strip with the progress
// gauge over it, the status line, the main popup menu with its language submenu, the popup
// that the pages share, and the toolbar's keys. It draws and reports; the window decides.
// The strip's, gauge's and status line's texts follow the language.
#pragma once

#include <QLabel>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

#include "app/shell_clock.h"
#include "app/toolbar_rules.h"
#include "common/text.h"

class QAction;
class QMainWindow;
class QMenu;
class QProgressBar;
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

    // The toolbar's keys and the main menu key; call once the toolbar exists.
    void add_shortcuts();
    // A button of the toolbar or of a page, by its name.
    QToolButton* speed_button(const char* name) const;
    // What the toolbar may do now; the stop button of a running procedure stays usable.
    void enable(const ToolbarEnabling& enabling, bool busy, QWidget* procedure_button);
    // Texts that code owns: they follow the language without a table row.
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
    QAction* debug_item() const { return menu_debug_; }
    QAction* log_item() const { return menu_log_; }
    QAction* only_used_item() const { return menu_only_used_; }
    QAction* russian_item() const { return menu_russian_; }
    QAction* english_item() const { return menu_english_; }
    QToolButton* menu_button() const { return button_menu_; }
    QToolButton* language_button() const { return button_lang_; }

private:
    void build_toolbar();
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
    QToolButton* button_update_ = nullptr;
    QToolButton* button_read_config_ = nullptr;
    QToolButton* button_write_config_ = nullptr;
    QToolButton* button_read_device_ = nullptr;
    QToolButton* button_write_device_ = nullptr;
    QToolButton* button_to_default_ = nullptr;
    QToolButton* button_reset_ = nullptr;
    QToolButton* button_only_used_ = nullptr;
    QToolButton* button_lang_ = nullptr;
    QToolButton* button_menu_ = nullptr;
    FlashStrip* strip_ = nullptr;
    QProgressBar* gauge_ = nullptr;
    QLabel* gauge_title_ = nullptr;  // the title over a gauge without a measure
    QLabel* status_panel_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* menu_debug_ = nullptr;
    QAction* menu_log_ = nullptr;
    QAction* menu_only_used_ = nullptr;
    QAction* menu_russian_ = nullptr;
    QAction* menu_english_ = nullptr;
    QMenu* shared_popup_ = nullptr;
    QAction* shared_first_ = nullptr;
    QAction* shared_second_ = nullptr;
    std::function<void(int)> shared_chosen_;
    QAction* shared_separator_ = nullptr;
    QList<QPointer<QAction>> shared_extra_;  // the caller's: gone when it deletes them
};

}  // namespace ztv
