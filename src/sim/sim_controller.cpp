#include "sim/sim_controller.h"

#include <algorithm>

#include "device/device_errors.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "sim/sim_can_traffic.h"

namespace ztv::sim {
namespace {

constexpr const char* kSimPath = "sim:zeb-tervio-v4";
constexpr std::string_view kFamily = "ZEB-TERVIO-V4-";

class SimDevice final : public HidDevice {
public:
    SimDevice(SimController& controller, std::uint64_t generation) : controller_(controller), generation_(generation) {}
    bool set_feature(std::span<const std::uint8_t, kFrameSize> report) override {
        return controller_.on_set_feature(generation_, report);
    }
    bool get_feature(std::span<std::uint8_t, kFrameSize> report) override {
        return controller_.on_get_feature(generation_, report);
    }

private:
    SimController& controller_;
    std::uint64_t generation_;
};

}  // namespace

SimController::SimController(SimClock& clock, SimMemory memory) : clock_(clock), memory_(std::move(memory)) {
    if (memory_.app_version == 0) mode_ = SimMode::Bootloader;
    set_calibration_steps({1, 2, 3});
}

SimController::~SimController() = default;

std::uint32_t SimController::elapsed_ms(std::uint32_t since) const { return clock_.now_ms() - since; }

void SimController::at(std::uint32_t at_ms, std::function<void(SimController&)> action) {
    script_.push_back({at_ms, std::move(action)});
}

void SimController::run_script() {
    const std::uint32_t now = clock_.now_ms();
    // Actions may add actions; take the due ones out first.
    std::vector<Timed> due;
    for (auto it = script_.begin(); it != script_.end();) {
        if (static_cast<std::int32_t>(now - it->at_ms) >= 0) {
            due.push_back(std::move(*it));
            it = script_.erase(it);
        } else {
            ++it;
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const Timed& a, const Timed& b) { return a.at_ms < b.at_ms; });
    for (Timed& timed : due) timed.action(*this);
    capture_can();
}

bool SimController::present() {
    run_script();
    if (back_at_ms_ && static_cast<std::int32_t>(clock_.now_ms() - *back_at_ms_) >= 0) back_at_ms_.reset();
    return plugged_ && !back_at_ms_;
}

void SimController::unplug() {
    plugged_ = false;
    ++generation_;
    reply_.reset();
}

void SimController::replug() {
    plugged_ = true;
    reply_.reset();
}

void SimController::reboot(SimMode into, std::uint32_t absent_ms) {
    ++generation_;
    ++restarts_;
    reply_.reset();
    mode_ = memory_.app_version == 0 ? SimMode::Bootloader : into;
    back_at_ms_ = clock_.now_ms() + absent_ms;
    can_mode_ = 0;
    learning_block_.fill(0);
    calibration_started_ms_.reset();
    capture_started_ms_.reset();
    if (mode_ == SimMode::Bootloader) firmware_.clear();
}

std::string SimController::name() const {
    return mode_ == SimMode::Bootloader ? std::string(kFamily) + "BOOT" : std::string(kFamily) + memory_.features;
}

StatusRecord SimController::status() const {
    StatusRecord s;
    s.app_version = memory_.app_version;
    s.serial = memory_.serial;
    s.boot_version = memory_.boot_version;
    s.hardware_code = memory_.hardware_code;
    s.name = name();
    std::uint16_t word = source_index_;
    if (can_mode_ != 0) word |= kStatusCanLogRunning;
    if (mode_ == SimMode::Application) {
        if (!terminal_out_.empty()) word |= static_cast<std::uint16_t>(kPendingTerminal << kStatusPendingShift);
        if (!can_out_.empty()) word |= static_cast<std::uint16_t>(kPendingCan << kStatusPendingShift);
    }
    s.status_word = word;
    return s;
}

std::vector<HidDeviceInfo> SimController::enumerate(std::uint16_t vendor_id, std::uint16_t product_id) {
    std::vector<HidDeviceInfo> found;
    if (!present()) return found;
    const std::size_t identity = mode_ == SimMode::Bootloader ? 0 : std::clamp<std::size_t>(app_identity_, 1, 4);
    HidDeviceInfo info;
    info.path = kSimPath;
    info.vendor_id = kVendorId;
    info.product_id = kIdentities[identity].product_id;
    if (!manufacturer_unreadable_) info.manufacturer = manufacturer_;
    if (!product_unreadable_) info.product = product_override_ ? *product_override_ : kIdentities[identity].product;
    if ((vendor_id == 0 || vendor_id == info.vendor_id) && (product_id == 0 || product_id == info.product_id))
        found.push_back(std::move(info));
    return found;
}

std::unique_ptr<HidDevice> SimController::open(const std::string& path) {
    if (path != kSimPath || !present()) return nullptr;
    return std::make_unique<SimDevice>(*this, generation_);
}

void SimController::spend() {
    ++transfers_;
    clock_.spend_us(latency_us_);
}

std::optional<Fault> SimController::take_fault(const Frame& request) {
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->command && *it->command != request.command()) continue;
        if (it->offset && *it->offset != request.offset()) continue;
        if (it->skip > 0) {
            --it->skip;
            continue;
        }
        const Fault kind = it->kind;
        if (--it->count <= 0) faults_.erase(it);
        return kind;
    }
    return std::nullopt;
}

bool SimController::on_set_feature(std::uint64_t generation, std::span<const std::uint8_t, kFrameSize> report) {
    spend();
    if (!present() || generation != generation_) return false;
    Frame request;
    std::copy(report.begin(), report.end(), request.bytes.begin());
    ++requests_;
    if (keep_log_) request_log_.push_back(request);
    const std::optional<Fault> fault = take_fault(request);
    if (fault == Fault::Unplug) {
        unplug();
        return false;
    }
    if (fault == Fault::FailSet) return false;
    reply_.reset();
    if (fault == Fault::NoReply) return true;

    std::optional<Frame> reply = handle(request);
    if (!reply) return true;
    Frame& r = *reply;
    switch (fault.value_or(Fault::NoReply)) {
        case Fault::WrongOffset: r.set_offset(static_cast<std::uint32_t>(r.offset() + 1)); break;
        case Fault::WrongCommand: r.set_command(static_cast<std::uint8_t>(r.command() ^ 0x08)); break;
        case Fault::AnswerParameters: r = Frame{}; r.set_command(kReplyParameters); r.set_offset(request.offset()); break;
        case Fault::AnswerFailed: r = Frame{}; r.set_command(kReplyFailed); r.set_offset(request.offset()); break;
        case Fault::LongLength: r.set_length(kPayloadMax + 1); break;
        default: break;
    }
    r.seal();
    if (fault == Fault::BadChecksum) r.bytes[kFrameChecksum] ^= 0x5A;
    if (fault == Fault::BadReportId) r.bytes[kFrameReportId] = 2;
    if (fault == Fault::FailGet) {
        // Marked by a report ID of 0: the next get-feature fails instead of answering.
        r.bytes[kFrameReportId] = 0;
    }
    reply_ = r;
    return true;
}

bool SimController::on_get_feature(std::uint64_t generation, std::span<std::uint8_t, kFrameSize> report) {
    spend();
    if (!present() || generation != generation_) return false;
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    report[kFrameReportId] = kReportId;
    if (!reply_) return true;  // nothing ready: command byte 0
    if (reply_->bytes[kFrameReportId] == 0) {
        reply_.reset();
        return false;
    }
    std::copy(reply_->bytes.begin(), reply_->bytes.end(), report.begin());
    reply_.reset();
    if (reboot_after_reply_) {
        const SimMode into = *reboot_after_reply_;
        reboot_after_reply_.reset();
        reboot(into, restart_ms_);
    }
    return true;
}

std::optional<Frame> SimController::handle(const Frame& request) {
    Frame reply;
    reply.set_offset(request.offset());
    if (frame_checksum(request.bytes) != request.checksum() || request.length() > kPayloadMax) {
        reply.set_command(kReplyParameters);
        return reply;
    }
    return mode_ == SimMode::Bootloader ? handle_bootloader(request, reply) : handle_application(request, reply);
}

void SimController::read_bytes(Frame& reply, std::span<const std::uint8_t> area, std::uint16_t offset) {
    const std::size_t available = offset < area.size() ? area.size() - offset : 0;
    const std::size_t n = std::min(available, kPayloadMax);
    std::copy_n(area.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(offset, area.size())), n,
                reply.payload().begin());
    reply.set_length(static_cast<std::uint8_t>(n));
}

bool SimController::write_bytes(const Frame& request, std::span<std::uint8_t> area) {
    const std::size_t offset = request.offset();
    const std::size_t n = request.length();
    if (offset + n > area.size()) return false;
    std::copy_n(request.payload().begin(), n, area.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

}  // namespace ztv::sim
