// ztv-usb-gadget: the simulated controller as a real USB HID device, through the kernel's
// gadget framework (configfs + FunctionFS). With dummy_hcd the device appears on the same
// machine, so the program's real USB path (usbhid, hidraw, hidapi) can be tried without a
// controller. See the README for the set-up.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "gadget/answer_pause.h"
#include "gadget/bus_presence.h"
#include "gadget/configfs_gadget.h"
#include "gadget/functionfs_endpoint.h"
#include "gadget/hid_responder.h"
#include "device/transport.h"
#include "sim/sim_can_traffic.h"
#include "sim/sim_clock.h"
#include "sim/sim_controller.h"

namespace {

using namespace ztv;
using namespace ztv::gadget;

volatile std::sig_atomic_t g_stop = 0;

void on_signal(int) { g_stop = 1; }

constexpr const char* kUsage =
    "usage: ztv-usb-gadget --gadget CONFIGFS_DIR --ffs FUNCTIONFS_DIR [--udc NAME]\n"
    "                      [--identity 0-4] [--unplug-after FRAMES [--absent-ms MS]]\n"
    "                      [--silent-after FRAMES [--silent-ms MS]] [--verbose]\n"
    "  --identity 0 starts in the bootloader, 1-4 in the application under that product ID\n"
    "  --unplug-after leaves the bus once after that many feature reports, for MS (default 2000)\n"
    "  --silent-after answers no request once that many feature reports were written, for MS\n"
    "    (default: until stopped), as a controller that hangs in the middle of a transfer\n";

struct Options {
    std::string gadget_dir;
    std::string ffs_dir;
    std::string udc;
    std::size_t identity = 1;
    std::optional<std::uint64_t> unplug_after;
    std::uint32_t absent_ms = 2000;
    std::optional<std::uint64_t> silent_after;
    std::optional<std::uint32_t> silent_ms;
    bool verbose = false;
};

// A whole number within [0, max]; nothing for anything else.
std::optional<std::uint64_t> number(std::string_view text, std::uint64_t max) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > max) return std::nullopt;
    return value;
}

std::optional<Options> parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        const std::string_view value = has_value ? std::string_view(argv[i + 1]) : std::string_view();
        if (arg == "--verbose") {
            options.verbose = true;
            continue;
        }
        if (!has_value) return std::nullopt;
        ++i;
        if (arg == "--gadget") {
            options.gadget_dir = value;
        } else if (arg == "--ffs") {
            options.ffs_dir = value;
        } else if (arg == "--udc") {
            options.udc = value;
        } else if (arg == "--identity") {
            const auto n = number(value, kIdentityCount - 1);
            if (!n) return std::nullopt;
            options.identity = static_cast<std::size_t>(*n);
        } else if (arg == "--unplug-after") {
            const auto n = number(value, 1000000000);
            if (!n || *n == 0) return std::nullopt;
            options.unplug_after = *n;
        } else if (arg == "--silent-after") {
            const auto n = number(value, 1000000000);
            if (!n) return std::nullopt;
            options.silent_after = *n;
        } else if (arg == "--silent-ms") {
            const auto n = number(value, 600000);
            if (!n) return std::nullopt;
            options.silent_ms = static_cast<std::uint32_t>(*n);
        } else if (arg == "--absent-ms") {
            const auto n = number(value, 600000);
            if (!n) return std::nullopt;
            options.absent_ms = static_cast<std::uint32_t>(*n);
        } else {
            return std::nullopt;
        }
    }
    if (options.gadget_dir.empty() || options.ffs_dir.empty()) return std::nullopt;
    return options;
}

// The first USB device controller of the machine (dummy_udc.0 with dummy_hcd).
std::string first_udc() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/udc", error))
        return entry.path().filename().string();
    return {};
}

void log(const Options& options, const char* what, const std::string& detail) {
    if (options.verbose) std::fprintf(stderr, "ztv-usb-gadget: %s %s\n", what, detail.c_str());
}

std::string describe(const SetupRequest& s) {
    char text[64];
    std::snprintf(text, sizeof text, "%02x %02x %04x %04x %u", s.request_type, s.request, s.value, s.index,
                  static_cast<unsigned>(s.length));
    return text;
}

void serve(FunctionFsEndpoint& ep0, HidResponder& responder, const SetupRequest& setup, const Options& options) {
    if (setup.device_to_host()) {
        const auto data = responder.answer_in(setup);
        if (!data) log(options, "stall", describe(setup));
        ep0.reply(data);
        return;
    }
    if (!responder.accepts_out(setup)) {
        log(options, "stall", describe(setup));
        ep0.refuse();
        return;
    }
    const auto data = ep0.receive(setup);
    if (data) responder.take_out(setup, *data);
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> parsed = parse(argc, argv);
    if (!parsed) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Options options = *parsed;
    if (options.udc.empty()) options.udc = first_udc();
    if (options.udc.empty()) {
        std::fputs("ztv-usb-gadget: no USB device controller (load dummy_hcd, or name one with --udc)\n", stderr);
        return 1;
    }

    sim::RealClock clock;
    sim::SimController controller(clock);
    // The demo car bus while its CAN log runs, as with --simulate.
    controller.set_can_traffic(sim::make_demo_can_bus());
    if (options.identity == 0) {
        controller.set_mode(sim::SimMode::Bootloader);
    } else {
        controller.set_app_identity(options.identity);
    }
    HidResponder responder(controller);
    BusPresence presence(options.unplug_after, options.absent_ms);
    AnswerPause pause(options.silent_after, options.silent_ms);
    ConfigfsGadget gadget(options.gadget_dir, options.udc, std::to_string(controller.memory().serial));

    FunctionFsEndpoint ep0;
    if (!ep0.open(options.ffs_dir)) {
        std::fprintf(stderr, "ztv-usb-gadget: %s\n", ep0.error().c_str());
        return 1;
    }
    std::signal(SIGINT, on_signal);
    std::signal(SIGTERM, on_signal);

    std::optional<BusIdentity> shown;
    bool was_silent = false;
    int status = 0;
    while (g_stop == 0) {
        // Follow the controller on and off the bus: a restart detaches it, and it comes back
        // under the identity of the mode it restarted into.
        const std::optional<BusIdentity> wanted =
            presence.wanted(clock.now_ms(), responder.frames(), responder.identity());
        if (shown && shown != wanted) {
            if (!gadget.detach()) std::fprintf(stderr, "ztv-usb-gadget: detach: %s\n", gadget.error().c_str());
            log(options, "detached", shown->product);
            shown.reset();
        }
        if (!shown && wanted) {
            if (!gadget.attach(*wanted)) {
                std::fprintf(stderr, "ztv-usb-gadget: attach: %s\n", gadget.error().c_str());
                status = 1;
                break;
            }
            shown = wanted;
            log(options, "attached", wanted->product + " " + std::to_string(wanted->product_id));
            std::fflush(stderr);
        }
        const bool silent = pause.silent(clock.now_ms(), responder.frames());
        if (silent != was_silent) log(options, silent ? "silent:" : "answering", silent ? "requests go unanswered" : "again");
        was_silent = silent;
        if (silent) {
            // Endpoint 0 is left alone: any read of it would answer (or stall) the request the
            // host waits for, which instead runs into the USB stack's time-out.
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        for (const SetupRequest& setup : ep0.wait(5)) serve(ep0, responder, setup, options);
    }
    if (shown) gadget.detach();
    return status;
}
