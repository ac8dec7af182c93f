// info, backup, restore and flash: ztv-tool talking to a controller over USB, or with
// --simulate to the simulated controller (whose memory --sim-state keeps between runs).
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console_host.h"
#include "config/config_file.h"
#include "device/connection_monitor.h"
#include "device/device_errors.h"
#include "device/firmware_update.h"
#include "device/hidapi_backend.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "sim/sim_controller.h"
#include "sim/sim_state_file.h"

namespace ztv::cli {
namespace {

struct DeviceOptions {
    bool simulate = false;
    std::string sim_state;
    bool trace = false;
    bool yes = false;
    std::vector<std::string> files;
};

// Parses the common options; prints the usage and returns nothing when they are wrong.
std::optional<DeviceOptions> parse_options(Args args, std::size_t file_count, bool allow_yes, const char* usage) {
    DeviceOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--simulate") {
            options.simulate = true;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--yes" && allow_yes) {
            options.yes = true;
        } else if (arg == "--sim-state" && i + 1 < args.size()) {
            options.sim_state = std::string(args[++i]);
        } else if (!arg.starts_with("--")) {
            options.files.emplace_back(arg);
        } else {
            options.files.clear();
            options.files.resize(file_count + 1);  // force the usage message
            break;
        }
    }
    if (options.files.size() != file_count || (!options.sim_state.empty() && !options.simulate)) {
        std::fprintf(stderr, "usage: ztv-tool %s\n", usage);
        return std::nullopt;
    }
    return options;
}

// Everything one command needs to talk to a controller, wired as the program wires it.
class DeviceSession {
public:
    explicit DeviceSession(const DeviceOptions& options)
        : options_(options), host_(options.yes), clock_(host_), transport_(backend(), host_),
          protocol_(transport_, host_), monitor_(protocol_, state_, events_) {
        if (options.trace) {
            transport_.options().trace = true;
            transport_.set_trace_sink([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
        }
    }

    // Loads the simulated controller's memory; false (with a message) when the file is bad.
    bool start() {
        if (!options_.simulate) return true;
        sim::SimMemory memory;
        if (!options_.sim_state.empty() && !sim::load_sim_state(options_.sim_state, memory)) {
            std::fprintf(stderr, "Cannot read the simulated controller's state \"%s\"\n", options_.sim_state.c_str());
            return false;
        }
        sim_->memory() = memory;
        sim_->set_mode(memory.app_version == 0 ? sim::SimMode::Bootloader : sim::SimMode::Application);
        return true;
    }

    // Keeps the simulated controller's memory for the next run.
    bool finish() {
        if (!options_.simulate || options_.sim_state.empty()) return true;
        if (sim::save_sim_state(options_.sim_state, sim_->memory())) return true;
        std::fprintf(stderr, "Cannot write the simulated controller's state \"%s\"\n", options_.sim_state.c_str());
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
    Transport transport_;
    Protocol protocol_;
    ConfigState state_;
    MonitorEvents events_;
    ConnectionMonitor monitor_;
    StatusRecord status_;
};

int fail(const Text& message) {
    std::fprintf(stderr, "%s\n", message.in(Lang::English).c_str());
    return 1;
}

int fail_with(const TextPair& format, int error) { return fail(with_error_text(format, error)); }

constexpr TextPair kNoConfigurationInBootloader{"Контроллер в режиме загрузчика: конфигурации нет",
                                                "The controller runs its bootloader: it holds no configuration"};

// Runs a command body with a session and keeps the simulated state on every path.
template <typename Body>
int with_session(const DeviceOptions& options, Body body) {
    DeviceSession session(options);
    if (!session.start()) return 1;
    int status = body(session);
    if (!session.finish() && status == 0) status = 1;
    return status;
}

}  // namespace

int run_info(Args args) {
    const auto options = parse_options(args, 0, false, "info [--simulate [--sim-state FILE]] [--trace]");
    if (!options) return 2;
    return with_session(*options, [](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return fail(error_text(error));
        for (const Text& line : device_info_lines(session.status())) std::printf("%s\n", line.en.c_str());
        std::printf("hardware code: %lu\n", static_cast<unsigned long>(session.status().hardware_code));
        return 0;
    });
}

int run_backup(Args args) {
    const auto options = parse_options(args, 1, false, "backup OUT.ZTV [--simulate [--sim-state FILE]] [--trace]");
    if (!options) return 2;
    const std::string out = options->files[0];
    return with_session(*options, [&out](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return fail(error_text(error));
        if (session.status().bootloader()) return fail(to_text(kNoConfigurationInBootloader));
        if (const int error = session.protocol().read_configuration(session.state()); error != kOk)
            return fail_with(kReadConfigurationFailed, error);
        const ConfigFileStatus saved = save_config_file(out, session.state());
        if (saved != ConfigFileStatus::Ok) return fail(config_file_error(saved, out));
        return 0;
    });
}

int run_restore(Args args) {
    const auto options = parse_options(args, 1, false, "restore IN.ZTV [--simulate [--sim-state FILE]] [--trace]");
    if (!options) return 2;
    const std::string in = options->files[0];
    return with_session(*options, [&in](DeviceSession& session) {
        // The file first: a bad file must not leave a half-written controller.
        const ConfigFileStatus loaded = load_config_file(in, session.state());
        if (loaded != ConfigFileStatus::Ok) return fail(config_file_error(loaded, in));
        if (const int error = session.connect(); error != kOk) return fail(error_text(error));
        if (session.status().bootloader()) return fail(to_text(kNoConfigurationInBootloader));
        if (const int error = session.protocol().write_configuration(session.state()); error != kOk)
            return fail_with(kWriteConfigurationFailed, error);
        return 0;
    });
}

int run_flash(Args args) {
    const auto options =
        parse_options(args, 1, true, "flash FILE.LDR [--yes] [--simulate [--sim-state FILE]] [--trace]");
    if (!options) return 2;
    const std::string path = options->files[0];
    return with_session(*options, [&path](DeviceSession& session) {
        if (const int error = session.connect(); error != kOk) return fail(error_text(error));
        // The monitor must run during the waits: it is how the bootloader is seen coming up.
        ConnectionMonitor& monitor = session.monitor();
        session.host().attach_polling([&monitor] { monitor.on_polling_tick(); },
                                      [&monitor] { return monitor.interval_ms(); });
        FirmwareUpdate update(monitor);
        const FirmwareResult result = update.run([&path] { return std::optional<std::string>(path); });
        return result == FirmwareResult::Updated ? 0 : 1;
    });
}

}  // namespace ztv::cli
