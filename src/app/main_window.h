// The main window as the Qt host: the shell services (Host) that the core asks of it, the
// clock and timers, the three pages and the language switch. The chrome (toolbar, strip,
// status line, menus) is a part of its own; the toolbar's handlers are in
// app/toolbar_actions.*.
#pragma once

#include <QFile>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/file_dialogs.h"
#include "app/settings_store.h"
#include "app/shell_clock.h"
#include "app/toolbar_actions.h"
#include "app/window_device.h"
#include "app/window_chrome.h"
#include "common/host.h"
#include "common/translation_table.h"
#include "config/config_state.h"
#include "widgets/page_context.h"

class QSplitter;
class QTabWidget;

namespace ztv {

class SlotEditor;
class ParameterPages;
class ParameterSplit;
class TInterceptForm;
class TerminalPage;
class QtTranslations;

struct ShellOptions {
    std::string settings_path;     // the program's own settings file
    std::string default_folder;    // where file dialogs start when no folder is remembered
    int system_language_id = 0;    // Windows-style identifier of the desktop's language
    ShellClock* clock = nullptr;   // tests pass a simulated one; empty: the machine's clock
};

// Stand-ins for a person at the keyboard: tests and unattended runs answer boxes and dialogs
// through these instead of showing them.
using MessageAnswerer = std::function<int(int type, const QString& title, const QString& text)>;

// What the undo history asks of the window (app/undo_actions fills it in); every member may
// be empty.
struct EditHooks {
    std::function<bool()> unsaved;                 // the title's "*"
    // Before a close or another file: false stays. `changed_meanwhile` asks even when the
    // controller holds the configuration (an operation changed it while a file waited).
    std::function<bool(bool changed_meanwhile)> may_replace;
    std::function<void(bool opened)> file_done;    // a file was opened (true) or saved (false)
    // An edit of the window's own (a procedure, the button grid) is over: its step.
    std::function<void(const Text& name, const std::string& field)> record;
    std::function<void(bool busy)> busy_changed;   // an operation began or the window is idle
};

class TMainForm : public QMainWindow, public Host, public PageContext {
    Q_OBJECT
public:
    TMainForm(ConfigState& state, ShellOptions options, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The initialisation after all windows exist: settings, language, pages, then polling.
    void initialise();

    // --- Host ---
    std::uint32_t tick_ms() override;
    void pump() override;
    bool closing() const override { return closing_; }
    void pump_device_wait() override;
    void show_wait_notice(const Text& text) override {
        waiting_for_device_ = true;
        chrome_->set_wait_notice(text);
    }
    void clear_wait_notice() override {
        waiting_for_device_ = false;
        chrome_->set_wait_notice(std::nullopt);
    }
    int show_message(int type, const Text& text) override;
    void flash_message(int duration_ms, int blink_ms, const Text& text) override {
        chrome_->flash(duration_ms, blink_ms, text);
    }
    void clear_flash_message() override { chrome_->clear_flash(); }
    void progress_begin(int maximum, const Text& title) override { chrome_->begin_progress(maximum, title); }
    void progress_add(int amount) override { chrome_->add_progress(amount); }
    void progress_hide() override;
    void suspend_polling() override;
    void resume_polling() override;
    void log_line(const std::string& line, LogSource source) override;
    void set_status_text(const Text& text) override { chrome_->set_status(text); }

    // --- shell services ---
    void set_busy(bool busy) override;
    bool busy() const { return busy_; }
    // True while a toolbar handler runs: the monitor's own busy spells must not unlock it.
    bool toolbar_operation_running() const { return toolbar_depth_ > 0; }
    // A guided procedure (button learning, touch calibration) runs inside its button's handler
    // like a toolbar operation, but its own button stays enabled so that it can stop it.
    void begin_procedure(QWidget* stop_button);
    void end_procedure();
    int polling_suspension() const { return polling_suspension_; }
    bool polling_running() const;
    void begin_redraw_pause();
    void end_redraw_pause();
    int redraw_pause_depth() const { return redraw_pause_; }
    void set_caption();
    // The clock of tick_ms() that every timer of the shell runs on.
    ShellClock& clock() { return *clock_; }

    // Language: 1 English, 0 or any other value Russian, -1 only asks. Returns the index in force.
    int set_language(int value);
    Lang language() const override { return lang_; }
    QString tr_pair(const TextPair& pair) const;
    // Windows translated with their table on every switch (companion windows register here).
    void add_translated_window(std::span<const TranslationRow> table, QWidget* window) override;
    // The pages in the order they joined: the parameter pages, the editor, then later ones.
    void add_page(Page& page) override { page_list_.push_back(&page); }
    void remove_page(Page& page) override;
    // Redraws every page from the record (the page refresh).
    void refresh_pages() override {
        for (Page* page : page_list_) page->refresh();
    }
    void lock_pages(bool locked) {
        for (Page* page : page_list_) page->set_locked(locked);
    }
    void clear_selections() {
        for (Page* page : page_list_) page->clear_selection();
    }
    // Brings the parameter pages' "Pins" page to the front (a reaction pin that needs a pin
    // mode set there first).
    void show_pins_page() override;
    // The one reader and writer of the settings file.
    SettingsStore& settings() { return *settings_; }
    // Moves a window to a stored place, or centres it on the screen when the place is missing
    // or would put it off the screen (the main window and the key picker window use this).
    void place_from_settings(QWidget& window, std::optional<int> top, std::optional<int> left) const;
    // The key picker where it was at the last close, and open if it was.
    void restore_key_picker(const MainSettings& settings);
    QWidget* main_widget() override { return this; }

    // File dialogs that start in the folder used last for their kind of file; empty = cancelled.
    QString ask_file(FileDialogKind kind, const QString& proposed_name = {}) { return files_->ask(kind, proposed_name); }
    void remember_folder(FileDialogKind kind, const QString& path) { files_->remember_folder(kind, path); }

    // Seams for tests and unattended runs.
    void set_message_answerer(MessageAnswerer answerer) { answerer_ = std::move(answerer); }
    void set_file_chooser(FileChooser chooser) { files_->set_chooser(std::move(chooser)); }

    // The controller behind the window; nothing: none. It must leave before it goes.
    void set_device(WindowDevice* device);
    WindowDevice* device() const { return device_; }
    bool controller_connected() const { return device_ != nullptr && device_->connected(); }
    void set_edit_hooks(EditHooks hooks) { edits_ = std::move(hooks); }
    const EditHooks& edit_hooks() const { return edits_; }

    // Settings applied at start and saved at close.
    int reply_delay_ms() const { return speed_up_; }
    int terminal_input_height() const;

    // Parts of the window that other pages fill or tests look at.
    ConfigState& state() { return state_; }
    TerminalPage* terminal() const { return terminal_; }
    QWidget* parameters_page() const { return parameters_; }
    // Holds the parameter page control (first) and the event/reaction editor (second).
    QSplitter* parameters_splitter() const { return parameters_splitter_; }
    SlotEditor* slot_editor() const { return editor_; }
    QWidget* can_log_page() const { return can_log_; }
    QTabWidget* page_control() const { return pages_; }
    // The toolbar, strip, gauge, status line and menus.
    WindowChrome& chrome() const { return *chrome_; }
    QString status_line() const;
    // The 25 parameter pages, first in the parameters splitter; refresh_pages() redraws them.
    ParameterPages* parameter_pages() const { return parameter_pages_; }
    // The source selection window, shared by the parameter pages and the event editor.
    TInterceptForm* source_window() const override { return source_window_; }

    // The only-used switch ("Display only used events and reactions"): the menu item and the
    // toolbar toggle show one state, saved as OnlyUsed. The pages hear of every change, in
    // order (the event editor hides the kinds no slot uses).
    bool only_used() const override;
    void set_only_used(bool on);

    // Opens the popup that the terminal, the button table and the event editor share; context
    // says who opened it. A second entry with no text is left out.
    void open_shared_popup(int context, const TextPair& first, const TextPair& second, const QPoint& global_pos,
                           std::function<void(int item)> chosen) override;
    // The same with a caption built by the program (a channel number in it), no second entry
    // and the caller's own entries after it.
    void open_shared_popup(int context, const Text& first, const QPoint& global_pos, std::function<void(int item)> chosen,
                           const QList<QAction*>& extra = {});
    void set_popup_context(int context) override { chrome_->set_popup_context(context); }

    // The toolbar handlers (public so that tests and scripts drive them like a click).
    void on_open_config() { toolbar_->open_config(); }
    void open_handed_over_file(const QByteArray& path) { toolbar_->open_handed_over_file(path); }
    // A file named on the command line or opened from a file manager; its bytes as the system
    // gave them.
    void open_config_file(const QByteArray& path) { toolbar_->open_config_file(path); }
    void open_config_file(const QString& path) { toolbar_->open_config_file(QFile::encodeName(path)); }
    void on_save_config() { toolbar_->save_config(); }
    void on_read_device() { toolbar_->read_device(); }
    void on_write_device() { toolbar_->write_device(); }
    void on_to_default() { toolbar_->to_default(); }
    void on_reset() { toolbar_->reset(); }
    void on_update_device() { toolbar_->update_device(); }
    ToolbarActions& toolbar() const { return *toolbar_; }
    void on_hidden_n();
    // Runs a command of the command table as its button, entry or keys do.
    void run(Command command);
    // Runs a toolbar handler with the toolbar locked; it unlocks on every way out.
    void run_toolbar_action(const std::function<void()>& action);
    // Every page puts what it holds outside the record into it (before a save or a write).
    // Each page in turn, around a polling tick.
    void pages_before_poll() {
        for (Page* page : page_list_) page->before_poll();
    }
    void pages_after_poll() {
        for (Page* page : page_list_) page->after_poll();
    }
    void commit_pending_edits() {
        for (Page* page : page_list_) page->commit_pending_edit();
    }
    void on_debug_clicked();

    // The border between the parameter pages and the editor.
    ParameterSplit& parameter_split() const { return *split_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void wire_chrome();
    void build_pages();
    void build_timers();
    void apply_settings();
    void save_settings();
    void retranslate_code_texts();
    void place_box(QWidget* box);
    void run_dialog_placing(QWidget* dialog);
    void on_polling_timer();

    ConfigState& state_;
    ShellOptions options_;
    Lang lang_ = Lang::Russian;
    bool busy_ = false;
    ToolbarEnabling enabling_;  // as the toolbar was last set
    int toolbar_depth_ = 0;
    QPointer<QWidget> procedure_button_;
    bool closing_ = false;
    bool closed_ = false;              // the close has run: no box can be answered any more
    bool waiting_for_device_ = false;  // a transfer has gone unanswered for a while
    int polling_suspension_ = 1;  // polling stays off until the window is initialised
    int redraw_pause_ = 0;
    int speed_up_ = 0;
    WindowChrome* chrome_ = nullptr;
    std::unique_ptr<SettingsStore> settings_;
    FileDialogs* files_ = nullptr;
    ToolbarActions* toolbar_ = nullptr;
    QTabWidget* pages_ = nullptr;
    TerminalPage* terminal_ = nullptr;
    QWidget* parameters_ = nullptr;
    QSplitter* parameters_splitter_ = nullptr;
    QWidget* can_log_ = nullptr;
    SlotEditor* editor_ = nullptr;

    TInterceptForm* source_window_ = nullptr;
    ParameterPages* parameter_pages_ = nullptr;

    std::unique_ptr<ShellClock> own_clock_;
    ShellClock* clock_ = nullptr;
    ShellTimer* polling_timer_ = nullptr;
    ShellTimer* close_retry_ = nullptr;  // a close that waits for the exchange under way
    static constexpr int kCloseRetryMs = 10;

    struct TranslatedWindow {
        std::span<const TranslationRow> table;
        QPointer<QWidget> window;
    };
    std::vector<TranslatedWindow> translated_;
    std::vector<Page*> page_list_;
    ParameterSplit* split_ = nullptr;

    MessageAnswerer answerer_;
    std::unique_ptr<QtTranslations> qt_texts_;
    bool qt_texts_warned_ = false;
    WindowDevice* device_ = nullptr;
    EditHooks edits_;
};

}  // namespace ztv
