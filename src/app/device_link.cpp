#include "app/device_link.h"

#include <QFile>
#include <QLayout>
#include <QTabWidget>

#include <algorithm>
#include <optional>

#include "app/backup_guard.h"
#include "config/config_backups.h"
#include "app/file_dialogs.h"
#include "app/page_host.h"
#include "app/settings_store.h"
#include "app/shell_clock.h"
#include "app/shell_host.h"
#include "app/window_operations.h"
#include "app/shell_messages.h"
#include "common/format.h"
#include "device/device_errors.h"
#include "diag/can_log_page.h"
#include "diag/terminal_page.h"
#include "events/slot_editor_view.h"
#include "events/config_compare.h"
#include "events/debug_line.h"
#include "events/shown_configuration.h"
#include "session/edit_steps.h"
#include "sim/sim_demo.h"

namespace ztv {

struct DeviceLink::LongOperation {
    explicit LongOperation(ConnectionMonitor& m) : monitor(m), was(m.long_operation()) { monitor.set_long_operation(true); }
    ~LongOperation() { monitor.set_long_operation(was); }
    LongOperation(const LongOperation&) = delete;
    LongOperation& operator=(const LongOperation&) = delete;
    ConnectionMonitor& monitor;
    bool was;
};

std::unique_ptr<Transport> DeviceLink::make_transport(bool simulate, std::shared_ptr<HidBackend> backend,
                                                      bool io_thread) {
    if (backend && !io_thread) {
        caller_backend_ = std::move(backend);
        return std::make_unique<Transport>(*caller_backend_, shell_.host);
    }
    if (backend) return std::make_unique<Transport>(std::move(backend), shell_.host);
    if (simulate) {
        sim_ = std::make_unique<sim::SimController>(clock_);
        sim::start_demo(*sim_, clock_.now_ms());
        return std::make_unique<Transport>(*sim_, shell_.host);
    }
    return std::make_unique<Transport>(std::make_shared<HidapiBackend>(), shell_.host);
}

DeviceLink::DeviceLink(const DeviceLinkShell& shell, ConfigState& state, bool simulate)
    : DeviceLink(shell, state, simulate, nullptr, !simulate) {}

DeviceLink::DeviceLink(const DeviceLinkShell& shell, ConfigState& state, std::shared_ptr<HidBackend> backend, bool io_thread)
    : DeviceLink(shell, state, false, std::move(backend), io_thread) {}

DeviceLink::DeviceLink(const DeviceLinkShell& shell, ConfigState& state, bool simulate, std::shared_ptr<HidBackend> backend,
                       bool io_thread)
    : shell_(shell),
      state_(state),
      clock_(shell.host),
      transport_(make_transport(simulate, std::move(backend), io_thread)),
      protocol_(*transport_, shell.host),
      monitor_(protocol_, *this),
      session_(state, monitor_, *this),
      firmware_(monitor_) {
    shell_.operations.set_device(this);

    TerminalLink link;
    link.application_connected = [this] { return monitor_.connected() && !monitor_.is_bootloader(); };
    link.write_line = [this](const std::uint8_t* bytes, std::size_t length) {
        return protocol_.write_area(block::kTerminal, 0, std::span<const std::uint8_t>(bytes, length));
    };
    link.error_text = [](int error) { return error_text(error); };
    shell_.terminal.set_link(link);

    CanLogLink can_link;
    can_link.connected = [this] { return monitor_.connected(); };
    can_link.send_mode = [this](std::uint8_t mode) { return write_can_mode(protocol_, mode); };
    can_link.terminal_active = [this] { return shell_.tabs.currentWidget() == &shell_.terminal; };
    can_link.ask_file_name = [this] {
        return QFile::encodeName(shell_.files.ask(FileDialogKind::SaveCanLog)).toStdString();
    };
    can_link.remember_folder = [this](const std::string& path) {
        shell_.files.remember_folder(FileDialogKind::SaveCanLog, QFile::decodeName(QByteArray::fromStdString(path)));
    };
    can_link.set_busy = [this](bool busy) { set_busy(busy); };
    can_log_ = std::make_unique<CanLog>(shell_.host, std::move(can_link));
    monitor_.set_can_sink(can_log_.get());
    can_page_ = new CanLogPage(*can_log_, [this] { return monitor_.status().can_log_running(); }, &shell_.can_log_tab);
    shell_.can_log_tab.layout()->addWidget(can_page_);
    can_page_->set_highlight(shell_.settings.can_highlight());
    can_page_->on_highlight_changed([this](bool on) { shell_.settings.remember_can_highlight(on); });
    auto* repaint = new ShellTimer(shell_.host.clock(), can_page_);
    QObject::connect(repaint, &ShellTimer::timeout, can_page_, &CanLogPage::refresh);
    repaint->start(kCanRepaintIntervalMs);
    shell_.pages.add_page(*this);

    // Captures speak to an application, not to a bootloader.
    shell_.editor.set_device({&protocol_, [this] { return monitor_.connected() && !monitor_.is_bootloader(); }});
    // The current-source panel beside the editor's source choice: nothing known until a poll.
    shell_.editor.show_current_source(to_text(msg::kNoSelectedSource), false);
}

DeviceLink::~DeviceLink() {
    shell_.operations.set_device(nullptr);
    shell_.pages.remove_page(*this);
    // The page reads the log it shows: it goes first.
    delete can_page_.data();
    monitor_.set_can_sink(nullptr);
    transport_->close_device();
}

bool DeviceLink::toggle_no_background_pulls() {
    monitor_.set_no_background_pulls(!monitor_.no_background_pulls());
    return monitor_.no_background_pulls();
}

void DeviceLink::set_reply_delay(int speed_up_ms) {
    transport_->options().reply_delay_ms = speed_up_ms > 0 ? static_cast<std::uint32_t>(speed_up_ms) : 0;
}

void DeviceLink::set_trace_options(bool debug, bool log) {
    transport_->options().report_slow_calls = debug;
    transport_->options().trace = log;
}

void DeviceLink::stop_can_log() {
    // A bootloader has no CAN log to stop; a controller without one refuses the mode (0xFE),
    // which is no news either.
    if (monitor_.is_bootloader())
        can_log_->close_log_file();
    else
        can_log_->stop_quietly();
}

void DeviceLink::read_configuration() {
    PollingSuspension no_polling(shell_.host);
    // A bootloader has no configuration; the monitor shows its own error box on failure.
    session_.read_configuration_if_application();
}

void DeviceLink::write_configuration() {
    LongOperation long_operation(monitor_);
    // One read shows what the write will change and, once the answer is Yes, is the backup.
    const HeldConfiguration held = read_before_overwrite(session_);
    shell_.host.progress_hide();
    if (!ask_overwrite(shell_.host, state_, msg::kAskWriteDevice, held)) return;
    if (!keep_backup(shell_.host, session_, backup_reason::kWrite, held)) return;
    stop_can_log();
    const int error = session_.write_configuration();
    if (error != kOk) shell_.host.show_message(kBoxError, with_error_text(kWriteConfigurationFailed, error));
}

void DeviceLink::reset_to_defaults() {
    LongOperation long_operation(monitor_);
    stop_can_log();
    // The backup only once the user said Yes: a No keeps the controller as it is.
    const int error =
        protocol_.reset_to_defaults([this] { return back_up_controller(shell_.host, session_, backup_reason::kDefaults); });
    if (error != kOk) shell_.host.show_message(kBoxError, with_error_text(msg::kErrorDefaults, error));
    session_.controller_changed();
}

// A file opened while a controller application answers reaches it through the change sender.
// What the controller holds is read first and kept as a backup when the file changes it; the
// read becomes the shadow copy, so that exactly the bytes that differ are sent, whatever the
// window believed before (a read that failed, a controller left alone when it connected).
bool DeviceLink::before_file_applied(const ConfigState& file, const std::string& path) {
    if (!session_.controller_answers()) return true;
    LongOperation long_operation(monitor_);
    const HeldConfiguration held = read_before_overwrite(session_);
    shell_.host.progress_hide();
    // The window restates the file as it shows it; bytes that only that changes are not sent.
    const auto shown_record = [](const ConfigState& image) {
        return as_shown(take_snapshot(image), ConfigOrigin::File).record;
    };
    const bool changes =
        !held.read() || !std::ranges::equal(shown_record(held.image).bytes(), shown_record(file).bytes());
    // The file itself may be the oldest backup: the new one never prunes it.
    if (changes && !keep_backup(shell_.host, session_, backup_reason::kRestore, held, path)) return false;
    if (held.read()) session_.controller_read(held.image.record);
    return true;
}

void DeviceLink::restart() {
    LongOperation long_operation(monitor_);
    session_.controller_changed();
    const int error = protocol_.restart_device();
    if (error != kOk) shell_.host.show_message(kBoxError, with_error_text(msg::kErrorRestart, error));
}

void DeviceLink::firmware_update() {
    LongOperation long_operation(monitor_);
    stop_can_log();
    const FirmwareResult result = firmware_.run(
        [this]() -> std::optional<std::string> {
            const QString path = shell_.files.ask(FileDialogKind::OpenFirmware);
            if (path.isEmpty()) return std::nullopt;
            shell_.files.remember_folder(FileDialogKind::OpenFirmware, path);
            return path.toStdString();
        },
        // Once the file passed its checks and every question was answered Yes.
        [this] { return back_up_controller(shell_.host, session_, backup_reason::kFirmware); });
    session_.controller_changed();
    if (result == FirmwareResult::Updated) wait_for_new_firmware();
}

// The update has seen the new firmware answer; until its configuration is read again the
// toolbar stays locked, so the toolbar and the status line never contradict "The device is
// updated". The configuration read shows its own progress.
void DeviceLink::wait_for_new_firmware() {
    std::optional<int> back_at;  // the poll that found it back; the next one writes the status line
    for (int step = 0; step < kRestartWaitSteps && !shell_.host.closing(); ++step) {
        if (monitor_.connected() && !monitor_.is_bootloader() && state_.record_valid) {
            if (!back_at) back_at = polls_;
            else if (polls_ > *back_at) return;
        }
        wait_pumping(shell_.host, kBootloaderWaitStepMs);
    }
}

void DeviceLink::on_polling_tick() {
    commit_pending_edit();
    connected_before_poll_ = monitor_.connected();
    session_.on_polling_tick([this] { poll_done(); });
}

void DeviceLink::commit_pending_edit() { shell_.pages.before_poll(); }

void DeviceLink::poll_done() {
    ++polls_;
    show_source();
    show_can_log_page();
    shell_.pages.after_poll();
}

// A controller that stays connected shows its current source; one that went away, none.
void DeviceLink::show_source() {
    if (!connected_before_poll_) return;
    SlotEditor& editor = shell_.editor;
    if (monitor_.connected()) {
        editor.show_current_source(format_pair(msg::kSelectedSource, monitor_.status().source_index() + 1), true);
    } else {
        editor.show_current_source(to_text(msg::kNoSelectedSource), false);
    }
}

void DeviceLink::set_busy(bool busy) { shell_.operations.set_busy(busy || shell_.operations.toolbar_operation_running()); }

void DeviceLink::configuration_replaced() { shell_.pages.refresh_pages(); }

// The user's configuration wins unless the user says otherwise (Yes is the default). Without
// a backup of what the controller holds, and unwilling to go on without one, neither happens:
// the window keeps its configuration and sends nothing until the user writes or reads.
ConnectChoice DeviceLink::choose_on_connect() {
    // The monitor writes the status line of a controller it has just met only on its next poll:
    // the question must not stand under "disconnected".
    shell_.host.set_status_text(status_line_text(monitor_.status(), 0, false));
    if (shell_.host.show_message(kBoxQuestion, to_text(kAskConnectChoice)) != kIdYes) return ConnectChoice::Read;
    return back_up_controller(shell_.host, session_, backup_reason::kWrite) ? ConnectChoice::Write : ConnectChoice::Leave;
}

Text DeviceLink::describe_unsent(const ConfigSnapshot& held, const ConfigSnapshot& shown) {
    // The controller keeps no slot names: they are never sent.
    const auto text = [&](Lang lang) { return compare_configurations(held, shown, lang, CompareScope{false}).text; };
    return Text(text(Lang::Russian), text(Lang::English));
}

void DeviceLink::retranslate(Lang lang) {
    if (can_page_) can_page_->set_language(lang);
}

void DeviceLink::show_can_log_page() {
    const std::optional<bool> offered = monitor_.can_log_offered();
    if (!offered || offered == can_page_shown_) return;
    can_page_shown_ = offered;
    const bool visible = *offered;
    QTabWidget* pages = &shell_.tabs;
    pages->setTabVisible(pages->indexOf(&shell_.can_log_tab), visible);
    // A controller that cannot log any more (another one, or its bootloader) is told to stop.
    if (!visible) stop_can_log();
}

std::string DeviceLink::controller_line(std::string_view raw) {
    std::string line = cp1251_to_utf8(raw);
    rewriteDebugLine(line, shell_.host.language());
    return line;
}

}  // namespace ztv
