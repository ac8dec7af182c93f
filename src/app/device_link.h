// The controller behind the main window: USB (or the simulated controller), transport,
// protocol, connection monitor, configuration session and firmware update, wired to the
// window's hooks and toolbar.
#pragma once

#include <QPointer>

#include <memory>
#include <optional>
#include <string>

#include "app/window_device.h"
#include "device/connection_monitor.h"
#include "device/firmware_update.h"
#include "device/hidapi_backend.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "diag/can_log.h"
#include "diag/can_log_page.h"
#include "session/config_session.h"
#include "sim/sim_clock.h"
#include "sim/sim_controller.h"
#include "widgets/page_context.h"

class QTabWidget;
class QWidget;

namespace ztv {

class FileDialogs;
class PageHost;
class SettingsStore;
class ShellHost;
class SlotEditor;
class TerminalPage;
class WindowOperations;

// What the device link uses of the window: the host's services, the page list, the busy state
// and the controller's place in the window, the file dialogs and settings of the CAN log, and
// the pages it joins the controller to (the terminal, the CAN log's tab, the slot editor).
struct DeviceLinkShell {
    ShellHost& host;
    PageHost& pages;
    WindowOperations& operations;
    FileDialogs& files;
    SettingsStore& settings;
    TerminalPage& terminal;
    QTabWidget& tabs;
    QWidget& can_log_tab;
    SlotEditor& editor;
};

// How long the configuration read of a freshly updated controller may take, in 100 ms steps.
inline constexpr int kRestartWaitSteps = 100;

class DeviceLink final : public WindowDevice, public MonitorEvents, public SessionEvents, public Page {
public:
    // simulate: the built-in simulated controller with its demo script instead of USB.
    DeviceLink(const DeviceLinkShell& shell, ConfigState& state, bool simulate);
    // A backend of the caller's (benchmarks: the simulated controller taking real time per
    // transfer), on the transport's I/O thread like the USB, or on the window's thread.
    DeviceLink(const DeviceLinkShell& shell, ConfigState& state, std::shared_ptr<HidBackend> backend, bool io_thread = true);
    ~DeviceLink() override;
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    ConnectionMonitor& monitor() { return monitor_; }
    ConfigSession& session() { return session_; }
    Protocol& protocol() { return protocol_; }
    Transport& transport() { return *transport_; }
    sim::SimController* simulator() { return sim_.get(); }
    // Benchmarks: every transfer with the simulated controller takes this long in real time.
    void model_usb_latency(std::uint32_t us) {
        clock_.set_real_spending(us != 0);
        if (sim_) sim_->set_transfer_latency_us(us);
    }

    // WindowDevice: the toolbar's device operations,
    void read_configuration() override;
    void write_configuration() override;
    void reset_to_defaults() override;
    void restart() override;
    void firmware_update() override;
    bool before_file_applied(const ConfigState& file, const std::string& path) override;
    // what the window's timer, settings and close ask of the controller,
    void on_polling_tick() override;
    int poll_interval_ms() const override { return static_cast<int>(monitor_.interval_ms()); }
    bool connected() const override { return monitor_.connected(); }
    void clear_connected() override { monitor_.clear_connected(); }
    void clear_status() override { monitor_.clear_status(); }
    void close_device() override { transport_->close_device(); }
    bool exchange_running() const override { return transport_->is_exchange_running(); }
    bool toggle_no_background_pulls() override;
    void set_reply_delay(int speed_up_ms) override;
    void set_trace_options(bool debug, bool log) override;
    // and closing the CAN log file and stopping the controller's CAN log (mode 0), without a
    // message.
    void stop_can_log() override;
    CanLog& can_log() { return *can_log_; }
    CanLogPage* can_log_page() { return can_page_.data(); }

    // What a polling tick does first: the pages put an edit they have open into the record.
    void commit_pending_edit();

    // MonitorEvents
    void set_busy(bool busy) override;
    void new_controller() override { session_.new_controller(); }
    std::string controller_line(std::string_view raw) override;
    // SessionEvents
    void configuration_replaced() override;
    ConnectChoice choose_on_connect() override;
    Text describe_unsent(const ConfigSnapshot& held, const ConfigSnapshot& shown) override;
    // Page: the CAN log page follows the language.
    void retranslate(Lang lang) override;

private:
    DeviceLink(const DeviceLinkShell& shell, ConfigState& state, bool simulate, std::shared_ptr<HidBackend> backend,
               bool io_thread);
    // The USB on the I/O thread; the built-in simulated controller on the window's thread.
    std::unique_ptr<Transport> make_transport(bool simulate, std::shared_ptr<HidBackend> backend, bool io_thread);
    void poll_done();  // what the window shows after each poll
    // What the window shows of the poll's facts: the current source, the CAN log page.
    void show_source();
    void show_can_log_page();
    void wait_for_new_firmware();
    // Marks the operation as long (no background pulls) for its lifetime.
    struct LongOperation;

    DeviceLinkShell shell_;
    ConfigState& state_;
    sim::HostClock clock_;
    std::unique_ptr<sim::SimController> sim_;
    std::shared_ptr<HidBackend> caller_backend_;  // kept for a transport on the window's thread
    std::unique_ptr<Transport> transport_;
    Protocol protocol_;
    ConnectionMonitor monitor_;
    ConfigSession session_;
    FirmwareUpdate firmware_;
    std::unique_ptr<CanLog> can_log_;
    QPointer<CanLogPage> can_page_;
    int polls_ = 0;  // polling ticks that reached the controller
    bool connected_before_poll_ = false;
    std::optional<bool> can_page_shown_;  // nothing before the controller first said
};

}  // namespace ztv
