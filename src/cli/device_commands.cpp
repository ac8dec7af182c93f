// info, backup, restore and flash: ztv-tool talking to a controller over USB, or with
// --simulate to the simulated controller (whose memory --sim-state keeps between runs).
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "cli/console_host.h"
#include "common/file_io.h"
#include "common/format.h"
#include "common/standard_streams.h"
#include "config/config_file.h"
#include "session/controller_backup.h"
#include "device/connection_monitor.h"
#include "device/device_errors.h"
#include "device/firmware_update.h"
#include "device/hidapi_backend.h"
#include "device/protocol.h"
#include "device/status_record.h"
#include "device/transport.h"
#include "session/config_session.h"
#include "sim/sim_controller.h"
#include "sim/sim_state_file.h"

namespace ztv::cli {
namespace {

// Everything one command needs to talk to a controller, wired as the program wires it.
class DeviceSession {
public:
    explicit DeviceSession(const ToolOptions& options)
        : options_(options), host_(options.lang, options.yes), clock_(host_), transport_(backend(), host_),
          protocol_(transport_, host_), monitor_(protocol_, events_), session_(state_, monitor_, no_pages_) {
        events_.session = &session_;
        if (options.trace) {
            transport_.options().trace = true;
            transport_.set_trace_sink([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
        }
    }

    // Takes the simulated controller's state file for the whole command and loads its memory;
    // false (with a message) when the file is not ours, cannot be read or is in use.
    bool start() {
        if (!options_.simulate) return true;
        sim::SimMemory memory;
        if (!options_.sim_state.empty()) {
            state_file_.emplace(options_.sim_state);
            const sim::SimStateStatus opened = state_file_->open(memory, sim::kSimStateWaitMs);
            if (opened != sim::SimStateStatus::Ok) {
                print_error(sim::sim_state_error(opened, options_.sim_state));
                return false;
            }
        }
        sim_->memory() = memory;
        sim_->set_mode(memory.app_version == 0 ? sim::SimMode::Bootloader : sim::SimMode::Application);
        return true;
    }

    // Keeps the simulated controller's memory for the next run: after a command that
    // succeeded, and after one that failed once it had changed that memory (a flash that
    // erased the old firmware), so that the file never claims what the controller lost.
    bool finish(bool succeeded) {
        if (!state_file_) return true;
        const bool keep = succeeded || state_file_->changed(sim_->memory());
        const sim::SimStateStatus saved = keep ? state_file_->save(sim_->memory()) : sim::SimStateStatus::Ok;
        state_file_->close();
        if (saved == sim::SimStateStatus::Ok) return true;
        print_error(sim::sim_state_error(saved, options_.sim_state));
        return false;
    }

    // The first controller found: one presence check per identity, then its status record.
    int connect() {
        int error = kErrDisconnected;
        for (std::size_t i = 0; i < kIdentityCount; ++i) {
            error = transport_.is_device_online();
            if (error == kOk) break;
        }
        if (error != kOk) return error;
        std::array<std::uint8_t, kStatusSize> bytes{};
        std::size_t got = 0;
        error = protocol_.read_area(block::kStatus, 0, bytes, got);
        if (error == kOk) status_ = StatusRecord::parse(bytes);
        return error;
    }

    void print_error(const Text& message) const { std::fprintf(stderr, "%s\n", message.in(options_.lang).c_str()); }
    int fail(const Text& message) const {
        print_error(message);
        return 1;
    }
    int fail_with(const TextPair& format, int error) const { return fail(with_error_text(format, error)); }
    // The device information lines in the run's language, on standard output.
    void print_lines(const std::vector<Text>& lines) const {
        for (const Text& line : lines) std::printf("%s\n", line.in(options_.lang).c_str());
    }

    Lang lang() const { return options_.lang; }
    ConsoleHost& host() { return host_; }
    Protocol& protocol() { return protocol_; }
    ConnectionMonitor& monitor() { return monitor_; }
    ConfigSession& session() { return session_; }
    ConfigState& state() { return state_; }
    const StatusRecord& status() const { return status_; }

private:
    HidBackend& backend() {
        if (!options_.simulate) return hidapi_;
        sim_ = std::make_unique<sim::SimController>(clock_);
        return *sim_;
    }

    ToolOptions options_;
    ConsoleHost host_;
    sim::HostClock clock_;
    HidapiBackend hidapi_;
    std::unique_ptr<sim::SimController> sim_;
    std::optional<sim::SimStateFile> state_file_;
    Transport transport_;
    Protocol protocol_;
    ConfigState state_;
    SessionMonitorEvents events_;
    ConnectionMonitor monitor_;
    SessionEvents no_pages_;
    ConfigSession session_;
    StatusRecord status_;
};

constexpr TextPair kNoConfigurationInBootloader{"Контроллер в режиме загрузчика: конфигурации нет",
                                                "The controller runs its bootloader: it holds no configuration"};

constexpr TextPair kBackupHint{"Чтобы продолжить без резервной копии, укажите --no-backup",
                               "Give --no-backup to go on without one"};
constexpr TextPair kBackupSaved{"Резервная копия конфигурации: %s", "Backup of the configuration: %s"};

// Saves what the controller holds before the command overwrites it; false (with the reason)
// when no backup could be made. `restored`, the file the command writes, is never pruned.
bool back_up(DeviceSession& session, std::string_view reason, const std::string& restored = {}) {
    const BackupResult backup = backup_controller(session.protocol(), session.status().serial, reason,
                                                  default_backup_folder(), std::time(nullptr), restored);
    if (!backup.ok()) {
        session.print_error(join(backup.error, "\n", to_text(kBackupHint)));
        return false;
    }
    session.print_error(format_pair(kBackupSaved, backup.path.c_str()));
    return true;
}

JsonWriter status_json(const StatusRecord& status, Lang lang) {
    JsonWriter json;
    json.begin_object().key("name").value(status.name).key("serial").value(status.serial);
    json.key("bootloader").value(status.bootloader());
    json.key("boot_version").value(version_text(status.boot_version)).key("application_version");
    if (status.app_version == 0) json.null();
    else json.value(version_text(status.app_version));
    json.key("hardware_code").value(status.hardware_code).key("features").begin_array();
    for (const Text& feature : controller_features(status)) json.value(feature.in(lang));
    json.end_array().end_object();
    return json;
}

// Runs a command body with a session (see finish for what is kept of the simulated state).
template <typename Body>
int with_session(const ToolOptions& options, Body body) {
    DeviceSession session(options);
    if (!session.start()) return 1;
    int status = body(session);
    if (!session.finish(status == 0) && status == 0) status = 1;
    return status;
}

}  // namespace

int info_command(const ToolOptions& options) {
    return with_session(options, [json = options.json](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return session.fail(error_text(error));
        if (json) {
            print_json(status_json(session.status(), session.lang()));
            return 0;
        }
        session.print_lines(device_info_lines(session.status()));
        static constexpr TextPair kHardwareCode{"код оборудования: %lu", "hardware code: %lu"};
        session.print_lines({format_pair(kHardwareCode, static_cast<unsigned long>(session.status().hardware_code))});
        return 0;
    });
}

int backup_command(const ToolOptions& options) {
    const std::string& out = options.arguments[0];
    // Saving the backup over the state would lose the controller it describes.
    if (!options.sim_state.empty() && !names_standard_stream(out) && same_file(out, options.sim_state)) {
        static constexpr TextPair kOverState{"%s: это файл состояния имитируемого контроллера, а не место для копии",
                                             "%s is the simulated controller's state file, not a place for a backup"};
        return refuse_command_line("backup", format_pair(kOverState, out.c_str()), options.lang);
    }
    return with_session(options, [&out](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return session.fail(error_text(error));
        if (session.status().bootloader()) return session.fail(to_text(kNoConfigurationInBootloader));
        if (const int error = read_configuration(session.protocol(), session.state()); error != kOk)
            return session.fail_with(kReadConfigurationFailed, error);
        return save_configuration(out, session.state(), session.lang()) ? 0 : 1;
    });
}

int restore_command(const ToolOptions& options) {
    const std::string& in = options.arguments[0];
    const bool no_backup = options.no_backup;
    return with_session(options, [&in, no_backup](DeviceSession& session) {
        // The file first: a bad file must not leave a half-written controller.
        if (!load_configuration(in, session.state(), session.lang())) return 1;
        if (const int error = session.connect(); error != kOk) return session.fail(error_text(error));
        if (session.status().bootloader()) return session.fail(to_text(kNoConfigurationInBootloader));
        if (!no_backup && !back_up(session, backup_reason::kRestore, in)) return 1;
        if (const int error = write_configuration(session.protocol(), session.state()); error != kOk)
            return session.fail_with(kWriteConfigurationFailed, error);
        return 0;
    });
}

int flash_command(const ToolOptions& options) {
    const std::string& path = options.arguments[0];
    if (names_standard_stream(path)) {
        static constexpr TextPair kFirmwareFromFile{"прошивка читается из файла *.LDR, а не со стандартного ввода",
                                                    "the firmware is read from a *.LDR file, not from standard input"};
        return refuse_command_line("flash", to_text(kFirmwareFromFile), options.lang);
    }
    const bool no_backup = options.no_backup;
    return with_session(options, [&path, no_backup](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return session.fail(error_text(error));
        // The monitor must run during the waits: it is how the bootloader is seen coming up.
        ConnectionMonitor& monitor = session.monitor();
        ConfigSession& config = session.session();
        session.host().attach_polling([&config] { config.on_polling_tick(); },
                                      [&monitor] { return monitor.interval_ms(); });
        FirmwareUpdate update(monitor);
        // The backup once the file has passed its checks: a file that is refused overwrites
        // nothing. A controller in its bootloader holds no configuration to keep.
        const bool keep = !no_backup && !session.status().bootloader();
        const FirmwareResult result = update.run([&path] { return std::optional<std::string>(path); },
                                                 [&] { return !keep || back_up(session, backup_reason::kFirmware); });
        return result == FirmwareResult::Updated ? 0 : 1;
    });
}

}  // namespace ztv::cli

namespace ztv::cli {

int read_controller(const ToolOptions& device, ConfigState& into) {
    return with_session(device, [&into](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return session.fail(error_text(error));
        if (session.status().bootloader()) return session.fail(to_text(kNoConfigurationInBootloader));
        if (const int error = read_controller_configuration(session.protocol(), into, kReadingTitle); error != kOk)
            return session.fail_with(kReadConfigurationFailed, error);
        return 0;
    });
}

}  // namespace ztv::cli
