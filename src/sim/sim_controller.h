// The simulated ZEB TERVIO V4: the controller's side of the USB link as a HidBackend, so that
// the program, the tool and the tests run without hardware. It answers every command the
// program sends, runs on the caller's thread and the host's clock, can be scripted (a button
// held on a channel, debug text, CAN frames, a touch) and can be made to misbehave (no reply,
// a wrong checksum or offset, 0xFE/0xFD answers, unplugging at any frame, slow transfers).
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/record.h"
#include "device/frame.h"
#include "device/hid_backend.h"
#include "device/status_record.h"
#include "sim/sim_clock.h"

namespace ztv::sim {

class CanTraffic;

// What the controller keeps across restarts (and, for the tool, across runs).
struct SimMemory {
    Record record;
    TouchBlock touch{};
    std::uint32_t app_version = 1005;  // 0: no application (it stays in its bootloader)
    std::uint32_t boot_version = 103;
    std::uint32_t serial = 40123;
    std::uint32_t hardware_code = 4;
    std::string features = "CKT";      // letters after "ZEB-TERVIO-V4-"
};

enum class Fault {
    NoReply,        // the request is taken, no reply ever becomes ready
    BadChecksum,    // the reply's checksum byte is wrong
    WrongOffset,    // the reply echoes another offset
    WrongCommand,   // a read is answered with another command's code
    LongLength,     // the reply claims 65 payload bytes (checksum right)
    BadReportId,    // the reply's byte 0 is not 1
    AnswerParameters,  // 0xFE
    AnswerFailed,      // 0xFD
    FailSet,        // the set-feature call fails
    FailGet,        // the get-feature call fails
    Unplug,         // the device leaves the bus at this request (until replugged)
};

// A fault for `count` requests after `skip` requests that match `command` (any when empty).
struct FaultPlan {
    FaultPlan(Fault fault_kind, int skip_requests = 0, int fault_count = 1,
              std::optional<std::uint8_t> only_command = std::nullopt)
        : kind(fault_kind), skip(skip_requests), count(fault_count), command(only_command) {}
    Fault kind;
    int skip;
    int count;
    std::optional<std::uint8_t> command;
    std::optional<std::uint16_t> offset;  // only requests at this offset (any when empty)
};

// One state of a calibration as block 17 byte 1 reports it, held for ms milliseconds.
struct CalibrationState {
    std::uint8_t state;
    std::uint32_t ms;
};

enum class SimMode { Application, Bootloader };

class SimController final : public HidBackend {
public:
    explicit SimController(SimClock& clock, SimMemory memory = {});
    ~SimController() override;
    SimController(const SimController&) = delete;
    SimController& operator=(const SimController&) = delete;

    // HidBackend
    int init() override { return init_error_; }
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendor_id, std::uint16_t product_id) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;

    // --- what the device side does with one request (public for the device handle) ---
    bool on_set_feature(std::uint64_t generation, std::span<const std::uint8_t, kFrameSize> report);
    bool on_get_feature(std::uint64_t generation, std::span<std::uint8_t, kFrameSize> report);

    // --- set-up and inspection ---
    SimMemory& memory() { return memory_; }
    const SimMemory& memory() const { return memory_; }
    SimMode mode() const { return mode_; }
    void set_mode(SimMode mode) { mode_ = mode; }
    StatusRecord status() const;
    std::string name() const;
    void set_app_identity(std::size_t index) { app_identity_ = index; }  // 1 to 4
    void set_manufacturer(std::string text) { manufacturer_ = std::move(text); }
    void set_product_override(std::optional<std::string> text) { product_override_ = std::move(text); }
    void set_strings_unreadable(bool manufacturer, bool product) {
        manufacturer_unreadable_ = manufacturer;
        product_unreadable_ = product;
    }
    void set_init_error(int error) { init_error_ = error; }
    void set_transfer_latency_us(std::uint32_t us) { latency_us_ = us; }
    void set_restart_ms(std::uint32_t ms) { restart_ms_ = ms; }
    // Whether the application confirms the firmware block that sends it to its bootloader
    // before it leaves the bus (by default it leaves without a reply).
    void set_ack_bootloader_entry(bool ack) { ack_bootloader_entry_ = ack; }

    // --- faults and presence ---
    void inject(const FaultPlan& plan) { faults_.push_back(plan); }
    void clear_faults() { faults_.clear(); }
    void unplug();
    void replug();
    bool present();
    // Requests received (set-feature calls that reached the device), by command.
    std::uint64_t requests() const { return requests_; }
    std::uint64_t transfers() const { return transfers_; }
    const std::vector<Frame>& request_log() const { return request_log_; }
    void keep_request_log(bool keep) { keep_log_ = keep; }

    // --- script ---
    // Runs action once the clock reaches at_ms (checked at every USB call).
    void at(std::uint32_t at_ms, std::function<void(SimController&)> action);
    void feed_terminal_text(const std::string& text);
    void push_can_record(std::uint32_t id_word, bool extended, std::span<const std::uint8_t> data, std::uint32_t stamp_ms);
    // The bus the CAN log captures while it runs (nothing: only pushed records).
    void set_can_traffic(std::unique_ptr<CanTraffic> traffic);
    // While held, the learning block reports `code` on channel 0-3.
    void hold_button(std::size_t channel, std::uint16_t code, std::uint32_t from_ms, std::uint32_t to_ms);
    void set_idle_level(std::size_t channel, std::uint16_t level) { idle_levels_.at(channel) = level; }
    // A resistor ladder is never quite still: idle readings wander up to noise - 1 codes above
    // the idle level, and a held button's readings up to jitter codes either side of its code.
    void set_idle_noise(std::uint16_t noise) { idle_noise_ = noise; }
    void set_press_jitter(std::uint16_t jitter) { press_jitter_ = jitter; }
    // A user who follows the prompts: while the idle levels are measured (learning on, no
    // ceilings told yet) the scripted buttons are left alone.
    void set_hands_off_while_measuring(bool hands_off) { hands_off_while_measuring_ = hands_off; }
    void set_ir_code(std::uint32_t code) { ir_code_ = code; }
    // A touch on the panel at time at_ms, caught by a running capture.
    void touch_at(std::uint32_t at_ms, std::uint16_t x, std::uint16_t y);
    // The calibration steps the controller goes through (each shown, pressed, released), then 0.
    void set_calibration_steps(const std::vector<std::uint8_t>& steps);
    // Exactly these states of byte 1, then 0.
    void set_calibration_states(std::vector<CalibrationState> states) { calibration_states_ = std::move(states); }
    // Every touch capture the program starts is answered by a touch `ms` later, each at
    // another point of the panel (nullopt: only the touches laid out with touch_at).
    void answer_touch_captures_after(std::optional<std::uint32_t> ms) { touch_answer_ms_ = ms; }
    void set_source_index(std::uint8_t index) { source_index_ = index; }

    // --- what the program told it ---
    std::uint8_t can_mode() const { return can_mode_; }
    const std::vector<std::string>& terminal_input() const { return terminal_input_; }
    const std::array<std::uint8_t, 9>& learning_block() const { return learning_block_; }
    std::uint16_t touch_capture_ms() const { return touch_capture_ms_; }
    std::size_t pending_terminal_bytes() const { return terminal_out_.size(); }
    std::size_t pending_can_records() const { return can_out_.size() / 20; }
    // The firmware image received by the bootloader since it started.
    const std::vector<std::uint8_t>& received_firmware() const { return firmware_; }
    int restarts() const { return restarts_; }

private:
    struct Hold {
        std::size_t channel;
        std::uint16_t code;
        std::uint32_t from_ms;
        std::uint32_t to_ms;
    };
    struct Timed {
        std::uint32_t at_ms;
        std::function<void(SimController&)> action;
    };

    void run_script();
    void capture_can();
    std::optional<Fault> take_fault(const Frame& request);
    void spend();
    // Handles one sealed request; returns the reply, or nothing for no reply.
    std::optional<Frame> handle(const Frame& request);
    std::optional<Frame> handle_application(const Frame& request, Frame& reply);
    std::optional<Frame> handle_bootloader(const Frame& request, Frame& reply);
    void read_bytes(Frame& reply, std::span<const std::uint8_t> area, std::uint16_t offset);
    bool write_bytes(const Frame& request, std::span<std::uint8_t> area);
    void reboot(SimMode into, std::uint32_t absent_ms);
    void receive_firmware_block(const Frame& request);
    std::uint8_t calibration_state() const;
    void finish_calibration_if_done();
    std::uint16_t learning_reading(std::size_t channel) const;
    void fill_touch_capture(Frame& reply);
    std::uint32_t elapsed_ms(std::uint32_t since) const;

    SimClock& clock_;
    SimMemory memory_;
    SimMode mode_ = SimMode::Application;
    std::size_t app_identity_ = 1;
    std::string manufacturer_ = "ZEB";
    std::optional<std::string> product_override_;
    bool manufacturer_unreadable_ = false;
    bool product_unreadable_ = false;
    int init_error_ = 0;
    std::uint32_t latency_us_ = 0;
    std::uint32_t restart_ms_ = 500;
    bool ack_bootloader_entry_ = false;

    // Presence: a generation number invalidates handles opened before an unplug or restart.
    bool plugged_ = true;
    std::optional<std::uint32_t> back_at_ms_;  // absent (restarting) until then
    std::uint64_t generation_ = 1;

    std::vector<FaultPlan> faults_;
    std::optional<Frame> reply_;
    std::uint64_t requests_ = 0;
    std::uint64_t transfers_ = 0;
    bool keep_log_ = false;
    std::vector<Frame> request_log_;

    std::vector<Timed> script_;
    std::deque<std::uint8_t> terminal_out_;
    std::deque<std::uint8_t> can_out_;
    std::vector<std::string> terminal_input_;
    std::uint8_t can_mode_ = 0;
    std::unique_ptr<CanTraffic> can_traffic_;
    std::uint8_t source_index_ = 0;
    std::uint32_t ir_code_ = 0;

    std::array<std::uint8_t, 9> learning_block_{};
    std::array<std::uint16_t, 4> idle_levels_{{120, 118, 95, 101}};
    std::uint16_t idle_noise_ = 7;
    std::uint16_t press_jitter_ = 0;
    bool hands_off_while_measuring_ = false;
    std::vector<Hold> holds_;

    std::vector<CalibrationState> calibration_states_;
    std::optional<std::uint32_t> calibration_started_ms_;

    std::uint16_t touch_capture_ms_ = 0;
    std::optional<std::uint32_t> capture_started_ms_;
    std::vector<std::array<std::uint32_t, 3>> touches_;  // at_ms, x, y
    std::optional<std::array<std::uint16_t, 2>> caught_touch_;
    std::optional<std::uint32_t> touch_answer_ms_;
    std::uint32_t touch_answers_ = 0;

    std::vector<std::uint8_t> firmware_;
    int restarts_ = 0;
    // A restart that waits until its confirmation has been fetched.
    std::optional<SimMode> reboot_after_reply_;
};

}  // namespace ztv::sim
