// A controller that answers with random frames: the transport, the protocol helpers and the
// connection monitor (status record, pulls of terminal text and CAN records, configuration
// read, change sender) must neither crash nor read out of bounds, and must keep their
// invariants. Each reply is one control byte and 69 frame bytes from the input; the control
// byte can make a reply well-formed (checksum, echoed command and offset) so that the fuzzer
// gets past the transport's checks into the layers above.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "common/host.h"
#include "config/config_state.h"
#include "device/connection_monitor.h"
#include "device/hid_backend.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "session/config_session.h"

namespace {

using namespace ztv;

// The time that passes while the core looks at the clock, so that every wait ends.
class FuzzHost final : public Host {
public:
    std::uint32_t tick_ms() override { return now_ += 1; }
    void pump() override { now_ += 1; }
    bool closing() const override { return false; }
    int show_message(int, const Text&) override { return kIdNo; }
    void flash_message(int, int, const Text&) override {}
    void clear_flash_message() override {}
    void progress_begin(int, const Text&) override {}
    void progress_add(int) override {}
    void progress_hide() override {}
    void suspend_polling() override {}
    void resume_polling() override {}
    void log_line(const std::string& line, LogSource) override {
        if (line.size() > 20000) std::abort();
    }
    void set_status_text(const Text&) override {}

private:
    std::uint32_t now_ = 1000;
};

class RandomDevice final : public HidDevice {
public:
    explicit RandomDevice(std::span<const std::uint8_t>& input) : input_(input) {}
    bool set_feature(std::span<const std::uint8_t, kFrameSize> report) override {
        if (input_.empty()) return false;
        std::copy(report.begin(), report.end(), last_request_.bytes.begin());
        return true;
    }
    bool get_feature(std::span<std::uint8_t, kFrameSize> report) override {
        if (input_.empty()) return false;
        const std::uint8_t control = input_[0];
        const std::size_t n = std::min<std::size_t>(input_.size() - 1, kFrameSize - 1);
        Frame reply;
        std::copy_n(input_.begin() + 1, n, reply.bytes.begin() + 1);
        input_ = input_.subspan(1 + n);
        reply.bytes[0] = (control & 0x40) != 0 ? control : kReportId;
        if ((control & 0x02) != 0) {
            const std::uint8_t c = last_request_.command();
            reply.set_command((c & 0x80) != 0 ? 0xFF : static_cast<std::uint8_t>(c | 0x80));
        }
        if ((control & 0x04) != 0) reply.set_offset(last_request_.offset());
        if ((control & 0x08) != 0) reply.set_length(static_cast<std::uint8_t>(reply.length() % 65));
        if ((control & 0x01) != 0) reply.bytes[kFrameChecksum] = frame_checksum(reply.bytes);
        if ((control & 0x10) != 0) return false;
        std::copy(reply.bytes.begin(), reply.bytes.end(), report.begin());
        return true;
    }

private:
    std::span<const std::uint8_t>& input_;
    Frame last_request_;
};

class RandomBackend final : public HidBackend {
public:
    explicit RandomBackend(std::span<const std::uint8_t> input) : input_(input) {}
    int init() override { return 0; }
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendor_id, std::uint16_t product_id) override {
        if (input_.empty()) return {};
        HidDeviceInfo info;
        info.path = "fuzz";
        info.vendor_id = vendor_id;
        info.product_id = product_id;
        info.manufacturer = "ZEB";
        info.product = product_id == 0x0010 ? "TERVIO-V4-BOOT" : "TERVIO-V4";
        return {info};
    }
    std::unique_ptr<HidDevice> open(const std::string&) override { return std::make_unique<RandomDevice>(input_); }

private:
    std::span<const std::uint8_t> input_;
};

class CheckingCanSink final : public CanRecordSink {
public:
    void receive_can_records(std::span<const std::uint8_t> records) override {
        if (records.empty() || records.size() % kCanRecordSize != 0 || records.size() > kCanPullMax) std::abort();
    }
    bool log_file_open() const override { return false; }
    void close_log_file() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzHost host;
    RandomBackend backend(std::span<const std::uint8_t>(data, size));
    Transport transport(backend, host);
    Protocol protocol(transport, host);
    ConfigState state;
    SessionMonitorEvents events;
    CheckingCanSink can;
    ConnectionMonitor monitor(protocol, events, &can);
    SessionEvents no_pages;
    ConfigSession session(state, monitor, no_pages);
    events.session = &session;
    for (int round = 0; round < 64; ++round) {
        monitor.poll();
        if (monitor.status().name.size() > kStatusNameSize) std::abort();
        if (protocol.tick_skip() != 0) std::abort();
        state.record.set_u8(static_cast<std::size_t>(round * 31) % kRecordSize, static_cast<std::uint8_t>(round));
        session.send_changes();
        if (state.record_valid && !monitor.is_bootloader() && state.shadow.raw != state.record.raw) std::abort();
        if (round % 8 == 3) {
            const int error = read_configuration(protocol, state);
            if (error != 0 && state.record_valid) std::abort();
        }
        if (round % 8 == 5) monitor.pull_terminal_text();
        if (round % 8 == 6) monitor.pull_can_records();
        if (transport.is_exchange_running()) std::abort();
    }
    return 0;
}
