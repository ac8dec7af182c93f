// The transport with its HID calls on the I/O thread: the same exchange, the wait shown while
// a call hangs, and a close that does not wait for a call the kernel holds.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "device/device_errors.h"
#include "device/transport.h"
#include "support/fake_host.h"

namespace ztv {
namespace {

// Holds get-feature calls while shut; tells when a call is held and when the device has been
// closed.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = true;
    bool holding = false;
    bool device_closed = false;
    bool refuse_writes = false;
    std::vector<std::thread::id> closed_on;  // the thread of each close

    bool is_holding() {
        const std::lock_guard lock(mutex);
        return holding;
    }
    void set_open(bool value) {
        {
            const std::lock_guard lock(mutex);
            open = value;
        }
        changed.notify_all();
    }
    void wait_until_device_closed() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return device_closed; });
    }
};

// A controller that answers every request with its own frame, command | 0x80.
class EchoDevice final : public HidDevice {
public:
    explicit EchoDevice(std::shared_ptr<Gate> gate) : gate_(std::move(gate)) {}
    ~EchoDevice() override {
        {
            const std::lock_guard lock(gate_->mutex);
            gate_->device_closed = true;
            gate_->closed_on.push_back(std::this_thread::get_id());
        }
        gate_->changed.notify_all();
    }
    bool set_feature(std::span<const std::uint8_t, kFrameSize> report) override {
        if (gate_->refuse_writes) return false;
        std::copy(report.begin(), report.end(), last_.bytes.begin());
        return true;
    }
    bool get_feature(std::span<std::uint8_t, kFrameSize> report) override {
        std::unique_lock lock(gate_->mutex);
        gate_->holding = !gate_->open;
        gate_->changed.wait(lock, [this] { return gate_->open; });
        gate_->holding = false;
        Frame reply = last_;
        reply.set_command(static_cast<std::uint8_t>(last_.command() | 0x80));
        reply.seal();
        std::copy(reply.bytes.begin(), reply.bytes.end(), report.begin());
        return true;
    }

private:
    std::shared_ptr<Gate> gate_;
    Frame last_;
};

class EchoBackend final : public HidBackend {
public:
    explicit EchoBackend(std::shared_ptr<Gate> gate) : gate_(std::move(gate)) {}
    int init() override { return kOk; }
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendor_id, std::uint16_t product_id) override {
        if (product_id != kIdentities[1].product_id) return {};
        return {{"echo", vendor_id, product_id, std::string(kManufacturer), std::string(kIdentities[1].product)}};
    }
    std::unique_ptr<HidDevice> open(const std::string&) override { return std::make_unique<EchoDevice>(gate_); }

private:
    std::shared_ptr<Gate> gate_;
};

struct IoThreadTest : ::testing::Test {
    IoThreadTest() {
        transport->set_identity_index(1);
        transport->set_pump_interval(std::chrono::microseconds(0));
        // Time passes only while a call is held at the gate: how long the thread takes to
        // answer otherwise does not show on the clock.
        host.pump_step_us = 0;
        host.on_pump = [this](test::FakeHost& h) { step(h); };
    }
    void step(test::FakeHost& h) {
        if (gate->is_holding()) h.advance_ms(1);
        if (meanwhile) meanwhile(h);
    }
    Frame request() {
        Frame frame;
        frame.set_command(0x04);
        frame.set_length(2);
        frame.payload()[0] = 0xAB;
        frame.payload()[1] = 0xCD;
        return frame;
    }

    test::FakeHost host;
    std::function<void(test::FakeHost&)> meanwhile;
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    std::unique_ptr<Transport> transport = std::make_unique<Transport>(std::make_shared<EchoBackend>(gate), host);
};

TEST_F(IoThreadTest, ExchangeIsTheSameAndAHangingCallShowsTheWait) {
    Frame frame = request();
    ASSERT_EQ(transport->exchange(frame), kOk);
    EXPECT_EQ(frame.command(), 0x84);
    EXPECT_EQ(frame.payload()[1], 0xCD);
    EXPECT_TRUE(host.wait_notices.empty());

    gate->set_open(false);
    const std::uint32_t start = host.tick_ms();
    std::uint32_t noticed_at = 0;
    meanwhile = [&](test::FakeHost& h) {
        if (noticed_at == 0 && !h.wait_notices.empty()) noticed_at = h.tick_ms();
        if (h.tick_ms() - start >= 1500) gate->set_open(true);
    };
    frame = request();
    EXPECT_EQ(transport->exchange(frame), kOk);
    EXPECT_EQ(frame.command(), 0x84);
    ASSERT_EQ(host.wait_notices.size(), 1u);
    EXPECT_EQ(host.wait_notices[0].en, "Waiting for the controller...");
    EXPECT_GE(noticed_at - start, kDeviceWaitNoticeMs);
    EXPECT_LT(noticed_at - start, 1500u);
    EXPECT_EQ(host.wait_notice_clears, 1);
}

TEST_F(IoThreadTest, CloseDuringAHangingCallGivesItUpAndTheThreadClosesTheDevice) {
    gate->set_open(false);
    const std::uint32_t start = host.tick_ms();
    meanwhile = [&](test::FakeHost& h) {
        if (h.tick_ms() - start >= 300) h.set_closing(true);
    };
    Frame frame = request();
    EXPECT_EQ(transport->exchange(frame), kErrDisconnected);
    EXPECT_EQ(host.wait_notices.size(), 1u);
    // Closing: the thread still held by the kernel is not waited for again.
    const std::uint64_t pumps = host.pumps;
    EXPECT_EQ(transport->exchange(frame), kErrDisconnected);
    EXPECT_EQ(host.pumps, pumps);
    transport.reset();                 // the program ends while the call still hangs
    gate->set_open(true);              // the kernel lets go: the thread closes the device itself
    gate->wait_until_device_closed();
}

// A failed call closes the device, and on the I/O thread: the window's thread never waits in the
// kernel for a close, even when the failed call's own record was the last to hold the device.
TEST_F(IoThreadTest, AFailedCallClosesTheDeviceOnTheIoThread) {
    gate->refuse_writes = true;
    // Which thread lets go last is a race; ten failed exchanges (three calls each) leave it no room.
    for (int i = 0; i < 10; ++i) {
        Frame frame = request();
        EXPECT_NE(transport->exchange(frame), kOk);
    }
    transport.reset();  // runs what is queued, the close included
    ASSERT_FALSE(gate->closed_on.empty());
    for (const std::thread::id thread : gate->closed_on) EXPECT_NE(thread, std::this_thread::get_id());
}

}  // namespace
}  // namespace ztv
