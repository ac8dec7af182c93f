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
#include "common/command_line.h"
#include "common/format.h"
#include "config/config_file.h"
#include "session/controller_backup.h"
#include "device/connection_monitor.h"
#include "device/device_errors.h"
#include "device/firmware_update.h"
#include "device/hidapi_backend.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "session/config_session.h"
#include "sim/sim_controller.h"
#include "sim/sim_state_file.h"

namespace ztv::cli {
namespace {

struct DeviceOptions {
    bool simulate = false;
    std::string sim_state;
    bool trace = false;
    bool yes = false;
    bool no_backup = false;
    std::vector<std::string> files;
};

using OptionError = std::optional<std::string>;

// The options every device command takes, then --no-backup (restore and flash) and --yes
// (flash only): each command takes the first rows up to its own.
constexpr OptionRow<DeviceOptions> kDeviceOptionRows[] = {
    {"--simulate", "", "talk to the simulated controller instead of USB",
     [](DeviceOptions& o, std::string_view) -> OptionError {
         o.simulate = true;
         return std::nullopt;
     }},
    {"--sim-state", "FILE", "keep the simulated controller's memory in FILE between runs",
     [](DeviceOptions& o, std::string_view value) -> OptionError {
         if (value.empty()) return std::string("--sim-state needs a file name");
         o.sim_state = std::string(value);
         return std::nullopt;
     }},
    {"--trace", "", "print every exchange on standard error",
     [](DeviceOptions& o, std::string_view) -> OptionError {
         o.trace = true;
         return std::nullopt;
     }},
    {"--no-backup", "", "overwrite the controller without saving a backup of its configuration first",
     [](DeviceOptions& o, std::string_view) -> OptionError {
         o.no_backup = true;
         return std::nullopt;
     }},
    {"--yes", "", "accept a firmware of the same or an older version",
     [](DeviceOptions& o, std::string_view) -> OptionError {
         o.yes = true;
         return std::nullopt;
     }},
};

OptionError add_file(DeviceOptions& o, std::string_view value) {
    o.files.emplace_back(value);
    return std::nullopt;
}

// Parses the command's options; prints the problem and the usage and returns nothing when they
// are wrong.
constexpr std::size_t kCommonRows = 3;
constexpr std::size_t kOverwriteRows = 4;
constexpr std::size_t kFlashRows = 5;

std::optional<DeviceOptions> parse_options(Args args, std::size_t file_count, std::size_t row_count, const char* usage) {
    const std::span<const OptionRow<DeviceOptions>> rows = std::span(kDeviceOptionRows).first(row_count);
    DeviceOptions options;
    OptionError error = parse_command_line(args, OptionTable<DeviceOptions>{rows, add_file}, options);
    if (!error && options.files.size() != file_count)
        error = "expected " + std::to_string(file_count) + " file name(s), got " + std::to_string(options.files.size());
    if (!error && !options.sim_state.empty() && !options.simulate) error = "--sim-state only works with --simulate";
    if (error) {
        std::fprintf(stderr, "ztv-tool: %s\nusage: ztv-tool %s\n", error->c_str(), usage);
        return std::nullopt;
    }
    return options;
}

void print_error(const Text& message) { std::fprintf(stderr, "%s\n", message.in(Lang::English).c_str()); }

// Everything one command needs to talk to a controller, wired as the program wires it.
class DeviceSession {
public:
    explicit DeviceSession(const DeviceOptions& options)
        : options_(options), host_(options.yes), clock_(host_), transport_(backend(), host_),
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

    // Keeps the simulated controller's memory for the next run, and only after a command that
    // succeeded: a failed one leaves the file as the last good command wrote it.
    bool finish(bool succeeded) {
        if (!state_file_) return true;
        const sim::SimStateStatus saved =
            succeeded ? state_file_->save(sim_->memory()) : sim::SimStateStatus::Ok;
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

    DeviceOptions options_;
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

int fail(const Text& message) {
    print_error(message);
    return 1;
}

int fail_with(const TextPair& format, int error) { return fail(with_error_text(format, error)); }

constexpr TextPair kNoConfigurationInBootloader{"Контроллер в режиме загрузчика: конфигурации нет",
                                                "The controller runs its bootloader: it holds no configuration"};

// Runs a command body with a session; the simulated state is kept only when the body succeeds.
constexpr TextPair kBackupHint{"Чтобы продолжить без резервной копии, укажите --no-backup",
                               "Give --no-backup to go on without one"};
constexpr TextPair kBackupSaved{"Резервная копия конфигурации: %s", "Backup of the configuration: %s"};

// Saves what the controller holds before the command overwrites it; false (with the reason)
// when no backup could be made.
bool back_up(DeviceSession& session, std::string_view reason) {
    const BackupResult backup = backup_controller(session.protocol(), session.status().serial, reason,
                                                  default_backup_folder(), std::time(nullptr));
    if (!backup.ok()) {
        print_error(join(backup.error, "\n", to_text(kBackupHint)));
        return false;
    }
    print_error(format_pair(kBackupSaved, backup.path.c_str()));
    return true;
}

template <typename Body>
int with_session(const DeviceOptions& options, Body body) {
    DeviceSession session(options);
    if (!session.start()) return 1;
    int status = body(session);
    if (!session.finish(status == 0) && status == 0) status = 1;
    return status;
}

}  // namespace

int run_info(Args args) {
    const auto options = parse_options(args, 0, kCommonRows, "info [--simulate [--sim-state FILE]] [--trace]");
    if (!options) return 2;
    return with_session(*options, [](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return fail(error_text(error));
        for (const Text& line : device_info_lines(session.status())) std::printf("%s\n", line.en.c_str());
        std::printf("hardware code: %lu\n", static_cast<unsigned long>(session.status().hardware_code));
        return 0;
    });
}

int run_backup(Args args) {
    const auto options = parse_options(args, 1, kCommonRows, "backup OUT.ZTV [--simulate [--sim-state FILE]] [--trace]");
    if (!options) return 2;
    const std::string out = options->files[0];
    return with_session(*options, [&out](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return fail(error_text(error));
        if (session.status().bootloader()) return fail(to_text(kNoConfigurationInBootloader));
        if (const int error = read_configuration(session.protocol(), session.state()); error != kOk)
            return fail_with(kReadConfigurationFailed, error);
        const FileWriteStatus saved = save_config_file(out, session.state());
        if (saved != FileWriteStatus::Ok) return fail(config_file_error(saved, out));
        return 0;
    });
}

int run_restore(Args args) {
    const auto options = parse_options(args, 1, kOverwriteRows, "restore IN.ZTV [--no-backup] [--simulate [--sim-state FILE]] [--trace]");
    if (!options) return 2;
    const std::string in = options->files[0];
    const bool no_backup = options->no_backup;
    return with_session(*options, [&in, no_backup](DeviceSession& session) {
        // The file first: a bad file must not leave a half-written controller.
        const ConfigFileStatus loaded = load_config_file(in, session.state());
        if (loaded != ConfigFileStatus::Ok) return fail(config_file_error(loaded, in));
        if (const int error = session.connect(); error != kOk) return fail(error_text(error));
        if (session.status().bootloader()) return fail(to_text(kNoConfigurationInBootloader));
        if (!no_backup && !back_up(session, backup_reason::kRestore)) return 1;
        if (const int error = write_configuration(session.protocol(), session.state()); error != kOk)
            return fail_with(kWriteConfigurationFailed, error);
        return 0;
    });
}

int run_flash(Args args) {
    const auto options =
        parse_options(args, 1, kFlashRows, "flash FILE.LDR [--yes] [--no-backup] [--simulate [--sim-state FILE]] [--trace]");
    if (!options) return 2;
    const std::string path = options->files[0];
    const bool no_backup = options->no_backup;
    return with_session(*options, [&path, no_backup](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return fail(error_text(error));
        // A controller in its bootloader holds no configuration to keep.
        if (!no_backup && !session.status().bootloader() && !back_up(session, backup_reason::kFirmware)) return 1;
        // The monitor must run during the waits: it is how the bootloader is seen coming up.
        ConnectionMonitor& monitor = session.monitor();
        ConfigSession& config = session.session();
        session.host().attach_polling([&config] { config.on_polling_tick(); },
                                      [&monitor] { return monitor.interval_ms(); });
        FirmwareUpdate update(monitor);
        const FirmwareResult result = update.run([&path] { return std::optional<std::string>(path); });
        return result == FirmwareResult::Updated ? 0 : 1;
    });
}

}  // namespace ztv::cli

namespace ztv::cli {

int read_controller(Args device_args, ConfigState& into) {
    const auto options = parse_options(device_args, 0, kCommonRows, "diff FILE.ZTV [--simulate [--sim-state FILE]] [--trace]");
    if (!options) return 2;
    return with_session(*options, [&into](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return fail(error_text(error));
        if (session.status().bootloader()) return fail(to_text(kNoConfigurationInBootloader));
        if (const int error = read_controller_configuration(session.protocol(), into, kReadingTitle); error != kOk)
            return fail_with(kReadConfigurationFailed, error);
        return 0;
    });
}

}  // namespace ztv::cli
