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

// The search for one identity among the present devices; runs where the HID calls run.
int find_identity(HidBackend& backend, const Identity& identity, std::shared_ptr<HidDevice>& found) {
    if (const int error = backend.init(); error != kOk) return error;
    int result = kErrDisconnected;
    bool refused = false;
    for (const HidDeviceInfo& info : backend.enumerate(kVendorId, identity.product_id)) {
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
        std::unique_ptr<HidDevice> device = backend.open(info.path);
        if (!device) {
            refused = refused || backend.last_open_refused();
            continue;
        }
        found = std::move(device);
        return kOk;
    }
    return refused ? kErrAccessDenied : result;
}

// What a call on the I/O thread reads and writes: owned by the call, not by its caller's stack.
struct FeatureCall {
    std::shared_ptr<HidBackend> backend;  // the device came from it and may rely on it
    std::shared_ptr<HidDevice> device;
    Frame frame;
    bool ok = false;

    // Let go of the device on the I/O thread once the call is over: the caller keeps this
    // object until it returns, and a device it held last would be closed on the window's thread.
    void release() {
        device.reset();
        backend.reset();
    }
};

}  // namespace

Transport::Transport(HidBackend& backend, Host& host)
    : backend_(std::shared_ptr<HidBackend>(), &backend), host_(host) {}

Transport::Transport(std::shared_ptr<HidBackend> backend, Host& host)
    : backend_(std::move(backend)), host_(host), io_(std::make_unique<HidIoThread>()) {}

Transport::~Transport() {
    close_device();
    io_.reset();
}

const Identity& Transport::current_identity() const {
    return kIdentities[identity_index_ < kIdentityCount ? identity_index_ : 0];
}

void Transport::pump_if_due() {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_pump_ < pump_interval_) return;
    last_pump_ = now;
    host_.pump_device_wait();
}

bool Transport::run_call(std::function<void()> work) {
    if (!io_) {
        work();
        return true;
    }
    // While the window closes, a thread held by a stalled call is not waited for again.
    if (host_.closing() && (gave_up_call_ || stalled_waits_ > 0)) return false;
    const HidIoThread::Call call = io_->post(std::move(work));
    const std::uint32_t started = host_.tick_ms();
    bool noticed = false;
    bool ended = true;
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        const auto next_pump = last_pump_ + pump_interval_;
        if (now < next_pump) {
            if (call.wait_for(std::chrono::duration_cast<std::chrono::microseconds>(next_pump - now))) break;
            continue;
        }
        pump_if_due();
        if (call.done()) break;
        const std::uint32_t waited = host_.tick_ms() - started;
        if (!noticed && waited >= kDeviceWaitNoticeMs) {
            noticed = true;
            if (stalled_waits_++ == 0) host_.show_wait_notice(to_text(kWaitingForController));
        }
        if (noticed && host_.closing()) {
            call.give_up();
            gave_up_call_ = true;
            ended = false;
            break;
        }
    }
    if (noticed && --stalled_waits_ == 0) host_.clear_wait_notice();
    return ended;
}

void Transport::close_device() {
    if (!device_) return;
    if (!io_) {
        device_.reset();
        return;
    }
    // Closed on the I/O thread, after any call still using it.
    io_->post([device = std::move(device_), backend = backend_]() mutable {
        device.reset();
        backend.reset();
    });
    device_.reset();
}

int Transport::open_device() {
    if (device_) return kOk;
    if (identity_index_ >= kIdentityCount) identity_index_ = 0;
    struct Search {
        std::shared_ptr<HidBackend> backend;
        std::shared_ptr<HidDevice> device;
        int result = kErrDisconnected;
    };
    auto search = std::make_shared<Search>();
    search->backend = backend_;
    const Identity identity = kIdentities[identity_index_];
    if (!run_call([search, identity] { search->result = find_identity(*search->backend, identity, search->device); }))
        return kErrDisconnected;
    if (search->result == kOk) device_ = std::move(search->device);
    // A device found by a search given up on is closed by the call that owns it.
    return search->result;
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
    // The presence check tries one identity a call: a controller refused to this user stays
    // reported as refused while the other identities take their turns, until its own turn
    // finds it gone (or open).
    if (result == kErrAccessDenied) refused_identity_ = identity_index_;
    else if (result == kOk || refused_identity_ == identity_index_) refused_identity_.reset();
    else if (refused_identity_ && result == kErrDisconnected) result = kErrAccessDenied;
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
    auto call = std::make_shared<FeatureCall>();
    call->backend = backend_;
    call->device = device_;
    call->frame = frame;
    const std::uint32_t started = host_.tick_ms();
    const bool ended = run_call([call] {
        call->ok = call->device->set_feature(call->frame.bytes);
        call->release();
    });
    report_slow("usbhidSetReport", started);
    if (!ended || !call->ok) {
        close_device();
        return ended ? kErrSetFeature : kErrDisconnected;
    }
    return kOk;
}

int Transport::receive_frame(Frame& frame) {
    if (const int error = open_device(); error != kOk) return error;
    auto call = std::make_shared<FeatureCall>();
    call->backend = backend_;
    call->device = device_;
    call->frame = frame;
    call->frame.bytes[kFrameReportId] = kReportId;
    const std::uint32_t started = host_.tick_ms();
    const bool ended = run_call([call] {
        call->ok = call->device->get_feature(call->frame.bytes);
        call->release();
    });
    report_slow("usbhidGetReport", started);
    int result = kOk;
    if (!ended) {
        result = kErrDisconnected;
    } else {
        frame = call->frame;
        if (!call->ok)
            result = kErrGetFeature;
        else if (frame.bytes[kFrameReportId] != kReportId)
            result = kErrBadReportId;
    }
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
