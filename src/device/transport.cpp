#include "device/transport.h"

#include "common/format.h"
#include "device/device_errors.h"

namespace ztv {

const Identity kIdentities[kIdentityCount] = {
    {0x0010, "TERVIO-V4-BOOT", true},
    {0x0011, "TERVIO-V4", false},
    {0x0012, "TERVIO-V4", false},
    {0x2011, "TERVIO-V4", false},
    {0x2012, "TERVIO-V4", false},
};

namespace {

// Sets a flag for the lifetime of a scope, so that every return path clears it.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

constexpr std::size_t kTraceLineLimit = 996;

}  // namespace

const Identity& Transport::current_identity() const {
    return kIdentities[identity_index_ < kIdentityCount ? identity_index_ : 0];
}

int Transport::open_device() {
    if (device_) return kOk;
    if (const int error = backend_.init(); error != kOk) return error;
    if (identity_index_ >= kIdentityCount) identity_index_ = 0;
    const Identity& identity = kIdentities[identity_index_];

    int result = kErrDisconnected;
    for (const HidDeviceInfo& info : backend_.enumerate(kVendorId, identity.product_id)) {
        if (info.vendor_id != kVendorId || info.product_id != identity.product_id) continue;
        result = kErrDisconnected;
        if (!info.manufacturer) {
            result = kErrManufacturerString;
            continue;
        }
        if (*info.manufacturer != kManufacturer) continue;
        if (!info.product) {
            result = kErrProductString;
            continue;
        }
        if (*info.product != identity.product) continue;
        std::unique_ptr<HidDevice> device = backend_.open(info.path);
        if (!device) continue;
        device_ = std::move(device);
        return kOk;
    }
    return result;
}

void Transport::wait_for_exchange() {
    while (exchange_running_ && !host_.closing()) host_.pump();
}

int Transport::is_device_online() {
    wait_for_exchange();
    int result;
    {
        FlagGuard running(exchange_running_);
        result = open_device();
        close_device();
    }
    if (result != kOk) identity_index_ = (identity_index_ + 1) % kIdentityCount;
    return result;
}

void Transport::report_slow(const char* call, std::uint32_t started) {
    if (!options_.report_slow_calls) return;
    const std::uint32_t taken = host_.tick_ms() - started;
    if (taken > kSlowReportMs) host_.log_line(strprintf("%s to:%lu", call, static_cast<unsigned long>(taken)), LogSource::Program);
}

int Transport::send_frame(const Frame& frame) {
    if (const int error = open_device(); error != kOk) return error;
    const std::uint32_t started = host_.tick_ms();
    const bool sent = device_->set_feature(frame.bytes);
    report_slow("usbhidSetReport", started);
    if (!sent) {
        close_device();
        return kErrSetFeature;
    }
    return kOk;
}

int Transport::receive_frame(Frame& frame) {
    if (const int error = open_device(); error != kOk) return error;
    frame.bytes[kFrameReportId] = kReportId;
    const std::uint32_t started = host_.tick_ms();
    const bool received = device_->get_feature(frame.bytes);
    report_slow("usbhidGetReport", started);
    int result = kOk;
    if (!received)
        result = kErrGetFeature;
    else if (frame.bytes[kFrameReportId] != kReportId)
        result = kErrBadReportId;
    if (result != kOk) close_device();
    return result;
}

int Transport::exchange(Frame& frame) {
    wait_for_exchange();
    Frame reply;
    int result;
    {
        FlagGuard running(exchange_running_);
        frame.seal();
        trace(frame, '>');
        result = send_frame(frame);
        if (result == kOk) {
            if (frame.command() == kCmdFirmwareBlock)
                wait_pumping(host_, options_.reply_delay_ms != 0 ? options_.reply_delay_ms : kDefaultReplyDelayMs);
            const std::uint32_t started = host_.tick_ms();
            for (;;) {
                reply = Frame{};
                result = receive_frame(reply);
                if (result != kOk) {
                    host_.pump();
                    break;
                }
                if (reply.command() == 0) {
                    if (host_.tick_ms() - started >= kReplyTimeoutMs) {
                        result = kErrTimeout;
                        break;
                    }
                    continue;
                }
                trace(reply, '<');
                result = reply.intact() ? kOk : kErrBadReply;
                break;
            }
        }
    }
    if (result == kOk) frame = reply;
    return result;
}

int Transport::exchange_with_retry(Frame& frame) {
    const bool single_attempt = frame.command() == kCmdFirmwareBlock;
    const Frame request = frame;
    int result = exchange(frame);
    for (int attempt = 1; result != kOk && !single_attempt && attempt < kExchangeAttempts && !host_.closing();
         ++attempt) {
        wait_pumping(host_, kRetryPauseMs);
        frame = request;
        result = exchange(frame);
    }
    return result;
}

std::string trace_line(const Frame& frame, char direction, std::uint32_t elapsed_ms) {
    std::string line = strprintf("%6u.%03u %c CMD:%02X OFFSET:%04u LEN:%02u", elapsed_ms / 1000, elapsed_ms % 1000,
                                 direction, frame.command(), frame.offset(), frame.length());
    if (frame.length() != 0) {
        line += " [";
        // A reply may claim more than the payload holds; the trace shows what the frame has.
        const std::size_t shown = frame.length() < kPayloadMax ? frame.length() : kPayloadMax;
        for (std::size_t i = 0; i < shown && line.size() < kTraceLineLimit; ++i)
            line += strprintf(" %02X", frame.payload()[i]);
        line += " ]";
    }
    return line;
}

void Transport::trace(const Frame& frame, char direction) {
    if (!options_.trace) return;
    if (frame.command() == kCmdStatus || frame.command() == kCmdStatusReply) return;
    std::uint32_t now = host_.tick_ms();
    if (now == 0) now = 1;
    if (trace_base_ == 0) trace_base_ = now;
    const std::string line = trace_line(frame, direction, now - trace_base_);
    if (trace_sink_)
        trace_sink_(line);
    else
        host_.log_line(line, LogSource::Program);
}

}  // namespace ztv
