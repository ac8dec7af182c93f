// HidapiBackend against a stand-in for hidapi that answers as the real stack (hidraw and the
// kernel's usbhid, seen through ztv-usb-gadget) does: whole reports counted with their ID,
// replies cut short, and failures once the device has left the bus.
#include <gtest/gtest.h>

#include <hidapi.h>

#include <cerrno>
#include <cstring>
#include <deque>

#include "device/device_errors.h"
#include "device/hidapi_backend.h"
#include "device/transport.h"
#include "support/fake_host.h"

namespace ztv {
namespace {

// What the stand-in does; one per test (function pointers cannot carry a context).
struct FakeHidapi {
    int init_result = 0;
    int inits = 0;
    int exits = 0;
    std::vector<hid_device_info> devices;
    bool present = true;
    int open_errno = 0;  // set: open fails with this errno
    int opens = 0;
    int closes = 0;
    std::deque<int> send_results;      // what each set-feature reports; the whole report when empty
    std::deque<std::vector<std::uint8_t>> replies;  // bytes each get-feature delivers
    std::deque<int> get_results;       // a failure (-1) instead of the next reply
    std::vector<std::vector<std::uint8_t>> sent;
};
FakeHidapi* fake = nullptr;
int handle_token = 0;

HidapiCalls fake_calls() {
    HidapiCalls c;
    c.init = [] { return ++fake->inits, fake->init_result; };
    c.exit = [] { return ++fake->exits, 0; };
    c.enumerate = [](unsigned short vendor, unsigned short product) -> hid_device_info* {
        if (!fake->present) return nullptr;
        hid_device_info* head = nullptr;
        for (auto it = fake->devices.rbegin(); it != fake->devices.rend(); ++it) {
            if (it->vendor_id != vendor || (product != 0 && it->product_id != product)) continue;
            it->next = head;
            head = &*it;
        }
        return head;
    };
    c.free_enumeration = [](hid_device_info*) {};
    c.open_path = [](const char*) -> hid_device_* {
        if (!fake->present) return nullptr;
        if (fake->open_errno != 0) {
            errno = fake->open_errno;
            return nullptr;
        }
        ++fake->opens;
        return reinterpret_cast<hid_device_*>(&handle_token);
    };
    c.close = [](hid_device_*) { ++fake->closes; };
    c.send_feature_report = [](hid_device_*, const unsigned char* data, std::size_t length) {
        fake->sent.emplace_back(data, data + length);
        if (!fake->send_results.empty()) {
            const int r = fake->send_results.front();
            fake->send_results.pop_front();
            return r;
        }
        return fake->present ? static_cast<int>(length) : -1;
    };
    c.get_feature_report = [](hid_device_*, unsigned char* data, std::size_t length) {
        EXPECT_EQ(data[0], kReportId) << "hidapi takes the report ID from the first byte";
        if (!fake->get_results.empty()) {
            const int r = fake->get_results.front();
            fake->get_results.pop_front();
            return r;
        }
        if (!fake->present || fake->replies.empty()) return -1;
        const std::vector<std::uint8_t> reply = fake->replies.front();
        fake->replies.pop_front();
        const std::size_t n = std::min(length, reply.size());
        std::memcpy(data, reply.data(), n);
        return static_cast<int>(n);
    };
    return c;
}

hid_device_info device_info(const char* path, unsigned short product, const wchar_t* manufacturer,
                            const wchar_t* name) {
    hid_device_info info{};
    info.path = const_cast<char*>(path);
    info.vendor_id = 0xFFFF;
    info.product_id = product;
    info.manufacturer_string = const_cast<wchar_t*>(manufacturer);
    info.product_string = const_cast<wchar_t*>(name);
    return info;
}

std::vector<std::uint8_t> reply_frame(std::uint8_t command, std::uint8_t fill) {
    Frame f;
    f.set_command(command);
    f.set_length(3);
    f.payload()[0] = fill;
    f.payload()[1] = fill;
    f.payload()[2] = fill;
    f.seal();
    return {f.bytes.begin(), f.bytes.end()};
}

struct HidapiBackendTest : ::testing::Test {
    HidapiBackendTest() { fake = &state; }
    ~HidapiBackendTest() override { fake = nullptr; }
    FakeHidapi state;
};

TEST_F(HidapiBackendTest, InitialisesOnceAndExitsOnlyAfterASuccessfulInit) {
    {
        state.init_result = -1;
        HidapiBackend backend(fake_calls());
        EXPECT_EQ(backend.init(), kErrDriverLoad);
        state.init_result = 0;
        EXPECT_EQ(backend.init(), kOk);
        EXPECT_EQ(backend.init(), kOk);
        EXPECT_EQ(state.inits, 2);
    }
    EXPECT_EQ(state.exits, 1);
    { HidapiBackend unused(fake_calls()); }
    EXPECT_EQ(state.exits, 1);
}

TEST_F(HidapiBackendTest, EnumerationNarrowsStringsAndSkipsEntriesWithoutAPath) {
    state.devices = {device_info("/dev/hidraw0", 0x0011, L"ZEB", L"TERVIO-V4"),
                     device_info(nullptr, 0x0011, L"ZEB", L"TERVIO-V4"),
                     device_info("", 0x0011, L"ZEB", L"TERVIO-V4"),
                     device_info("/dev/hidraw1", 0x0011, nullptr, L"TERVIO\u0416V4"),
                     device_info("/dev/hidraw2", 0x0010, L"ZEB", L"TERVIO-V4-BOOT")};
    HidapiBackend backend(fake_calls());
    const auto found = backend.enumerate(0xFFFF, 0x0011);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].path, "/dev/hidraw0");
    EXPECT_EQ(found[0].manufacturer, "ZEB");
    EXPECT_EQ(found[0].product, "TERVIO-V4");
    EXPECT_FALSE(found[1].manufacturer) << "a string the device would not give";
    EXPECT_EQ(found[1].product, "TERVIO?V4");
}

TEST_F(HidapiBackendTest, WholeReportsAreCountedWithTheirId) {
    HidapiBackend backend(fake_calls());
    auto device = backend.open("/dev/hidraw0");
    ASSERT_TRUE(device);
    Frame request;
    request.set_command(0x01);
    request.seal();
    EXPECT_TRUE(device->set_feature(request.bytes));
    ASSERT_EQ(state.sent.size(), 1u);
    EXPECT_EQ(state.sent[0].size(), kFrameSize) << "the report ID travels in byte 0 of 70";
    state.send_results = {69, 0, -1};
    EXPECT_FALSE(device->set_feature(request.bytes)) << "one byte short did not go out whole";
    EXPECT_FALSE(device->set_feature(request.bytes));
    EXPECT_FALSE(device->set_feature(request.bytes));

    state.replies = {reply_frame(0x81, 0x42)};
    std::array<std::uint8_t, kFrameSize> report{};
    EXPECT_TRUE(device->get_feature(report));
    EXPECT_EQ(std::vector<std::uint8_t>(report.begin(), report.end()), reply_frame(0x81, 0x42));
    device.reset();
    EXPECT_EQ(state.closes, 1);
}

// A reply cut short (a device or driver that delivers fewer bytes than the report) is no
// frame: it fails, and nothing of the reply before it survives in the buffer.
TEST_F(HidapiBackendTest, ShortReplyFailsAndLeavesNoStaleBytes) {
    HidapiBackend backend(fake_calls());
    auto device = backend.open("/dev/hidraw0");
    std::vector<std::uint8_t> cut = reply_frame(0x90, 0x77);
    cut.resize(10);
    std::vector<std::uint8_t> no_checksum = reply_frame(0x90, 0x77);
    no_checksum.resize(kFrameSize - 1);
    state.replies = {cut, no_checksum};
    std::array<std::uint8_t, kFrameSize> report{};
    report.fill(0xEE);  // an earlier reply
    EXPECT_FALSE(device->get_feature(report));
    for (std::size_t i = 10; i < kFrameSize; ++i) EXPECT_EQ(report[i], 0) << i;
    EXPECT_FALSE(device->get_feature(report)) << "without its checksum byte";
}

// After an unplug hidraw fails every call on the old handle and the device is no longer
// listed: the transport's retries end with "Controller is disconnected", not with a
// communication error.
TEST_F(HidapiBackendTest, UnplugDuringAnExchangeEndsAsDisconnected) {
    state.devices = {device_info("/dev/hidraw0", 0x0011, L"ZEB", L"TERVIO-V4")};
    test::FakeHost host;
    HidapiBackend backend(fake_calls());
    Transport transport(backend, host);
    transport.set_identity_index(1);
    ASSERT_EQ(transport.open_device(), kOk);
    state.get_results = {-1};
    state.present = false;  // the cable is pulled while the first reply is awaited
    Frame request;
    request.set_command(0x10);
    request.set_length(1);
    EXPECT_EQ(transport.exchange_with_retry(request), kErrDisconnected);
    EXPECT_EQ(state.closes, state.opens) << "no handle is left open";
    EXPECT_EQ(error_text(kErrDisconnected).en, "Controller is disconnected");
}

}  // namespace
}  // namespace ztv

namespace ztv {
namespace {

// A controller plugged in before its udev rule was installed is listed but cannot be opened:
// that is said as such through every identity's turn, not as "disconnected", and no longer once
// it opens or has gone.
TEST_F(HidapiBackendTest, ControllerFoundButNotOpenedIsReportedAsRefusedAccess) {
    state.devices = {device_info("/dev/hidraw0", 0x0012, L"ZEB", L"TERVIO-V4")};
    state.open_errno = EACCES;
    test::FakeHost host;
    HidapiBackend backend(fake_calls());
    Transport transport(backend, host);
    for (std::size_t turn = 0; turn < 2 * kIdentityCount; ++turn) {
        const int result = transport.is_device_online();
        if (turn >= 2) {
            EXPECT_EQ(result, kErrAccessDenied) << "turn " << turn;
        }
    }
    EXPECT_NE(error_text(kErrAccessDenied).en.find("permission denied"), std::string::npos);
    EXPECT_NE(error_text(kErrAccessDenied).en.find("70-zeb-tervio-v4.rules"), std::string::npos);
    state.open_errno = ENOENT;  // another failure is no question of rights
    for (std::size_t turn = 0; turn < kIdentityCount; ++turn) transport.is_device_online();
    for (std::size_t turn = 0; turn < kIdentityCount; ++turn) EXPECT_EQ(transport.is_device_online(), kErrDisconnected);
    state.open_errno = EACCES;
    for (std::size_t turn = 0; turn < kIdentityCount; ++turn) transport.is_device_online();
    state.present = false;
    for (std::size_t turn = 0; turn < kIdentityCount; ++turn) transport.is_device_online();
    EXPECT_EQ(transport.is_device_online(), kErrDisconnected) << "unplugged";
}

}  // namespace
}  // namespace ztv
