// The main window: the wiring of the shell's parts. The chrome (toolbar, strip, status line,
// menus) is a part of its own; the toolbar's handlers are in app/toolbar_actions.*.
#pragma once

#include <QFile>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/file_dialogs.h"
#include "app/page_host.h"
#include "app/settings_store.h"
#include "app/shell_clock.h"
#include "app/shell_host.h"
#include "app/toolbar_actions.h"
#include "app/window_chrome.h"
#include "app/window_device.h"
#include "app/window_operations.h"
#include "config/config_state.h"

class QSplitter;
class QTabWidget;

namespace ztv {

class SlotEditor;
class ParameterPages;
struct DeviceLinkShell;
struct LearningToolsShell;
struct SafetyMenuShell;
struct UndoActionsShell;
class ParameterSplit;
class TInterceptForm;
class TerminalPage;

struct ShellOptions {
    std::string settings_path;     // the program's own settings file
    std::string default_folder;    // where file dialogs start when no folder is remembered
    int system_language_id = 0;    // Windows-style identifier of the desktop's language
    ShellClock* clock = nullptr;   // tests pass a simulated one; empty: the machine's clock
};

// The main window: it makes the parts and wires them. The services the core uses are the
// host's (ShellHost), the pages' the page host's (PageHost), the settings file the store's,
// the "Parameters" tab's border the split's; the window itself keeps the busy state, the
// toolbar lock and the close, and lends each peer only the parts it uses.
class TMainForm : public QMainWindow, public WindowOperations {
    Q_OBJECT
public:
    TMainForm(ConfigState& state, ShellOptions options, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The initialisation after all windows exist: settings, language, pages, then polling.
    void initialise();

    // --- the parts ---
    ShellHost& host() const { return *host_; }
    PageHost& page_host() const { return *page_host_; }
    SettingsStore& settings() const { return *settings_; }
    ParameterSplit& parameter_split() const { return *split_; }
    FileDialogs& file_dialogs() const { return *files_; }
    // The toolbar, strip, gauge, status line and menus.
    WindowChrome& chrome() const { return *chrome_; }
    ConfigState& state() { return state_; }
    TerminalPage* terminal() const { return terminal_; }
    QWidget* parameters_page() const { return parameters_; }
    // Holds the parameter page control (first) and the event/reaction editor (second).
    QSplitter* parameters_splitter() const { return parameters_splitter_; }
    SlotEditor* slot_editor() const { return editor_; }
    QWidget* can_log_page() const { return can_log_; }
    QTabWidget* page_control() const { return pages_; }
    // The 25 parameter pages, first in the parameters splitter.
    ParameterPages* parameter_pages() const { return parameter_pages_; }
    // What each peer uses of the window: it receives that, never the window.
    DeviceLinkShell device_link_shell();
    LearningToolsShell learning_tools_shell();
    SafetyMenuShell safety_menu_shell();
    UndoActionsShell undo_actions_shell();

    // --- WindowOperations ---
    bool busy() const override { return busy_; }
    void set_busy(bool busy) override;
    bool toolbar_operation_running() const override { return toolbar_depth_ > 0; }
    void begin_procedure(QWidget* stop_button) override;
    void end_procedure() override;
    void set_device(WindowDevice* device) override;
    WindowDevice* device() const override { return device_; }
    EditHistory* edit_history() const override { return edits_; }
    void set_edit_history(EditHistory* history) override { edits_ = history; }
    void edits_changed() override { set_caption(); }
    void save_configuration() override { on_save_config(); }
    void open_configuration_file(const std::string& path) override { open_config_file(QByteArray::fromStdString(path)); }

    bool controller_connected() const { return device_ != nullptr && device_->connected(); }
    void set_caption();
    // Moves a window to a stored place, or centres it on the screen when the place is missing
    // or would put it off the screen (the main window and the key picker window use this).
    void place_from_settings(QWidget& window, std::optional<int> top, std::optional<int> left) const;
    // The key picker where it was at the last close, and open if it was.
    void restore_key_picker(const MainSettings& settings);
    // Settings applied at start and saved at close.
    int reply_delay_ms() const { return speed_up_; }
    QString status_line() const;

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
    void run_toolbar_action(const std::function<void()>& action) override;
    void on_debug_clicked();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void wire_chrome();
    void wire_language();
    void build_pages();
    void apply_settings();
    void save_settings();
    void retranslate_code_texts();
    void on_polling_timer();

    ConfigState& state_;
    ShellOptions options_;
    bool busy_ = false;
    ToolbarEnabling enabling_;  // as the toolbar was last set
    int toolbar_depth_ = 0;
    QPointer<QWidget> procedure_button_;
    int speed_up_ = 0;
    std::unique_ptr<ShellClock> own_clock_;
    ShellClock* clock_ = nullptr;
    WindowChrome* chrome_ = nullptr;
    ShellHost* host_ = nullptr;
    PageHost* page_host_ = nullptr;
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
    ParameterSplit* split_ = nullptr;
    ShellTimer* close_retry_ = nullptr;  // a close that waits for the exchange under way
    static constexpr int kCloseRetryMs = 10;
    WindowDevice* device_ = nullptr;
    EditHistory* edits_ = nullptr;
};

}  // namespace ztv
