// The gadget's endpoint-0 side: its descriptors, and the program's protocol carried through
// the same requests the kernel's usbhid driver makes of a real device.
#include <gtest/gtest.h>

#include "device/device_errors.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "gadget/answer_pause.h"
#include "gadget/bus_presence.h"
#include "gadget/hid_descriptors.h"
#include "gadget/hid_responder.h"
#include "sim/sim_controller.h"
#include "support/fake_host.h"

namespace ztv::gadget {
namespace {

using test::FakeHost;

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (b[at + 3] << 24));
}

// Walks a report descriptor's short items and adds up the feature report's bits.
TEST(HidDescriptors, ReportDescriptorDeclaresOneFeatureReportOfSeventyBytesWithId1) {
    const std::vector<std::uint8_t> d = report_descriptor();
    unsigned report_id = 0, size = 0, count = 0, feature_bits = 0, features = 0, depth = 0;
    for (std::size_t i = 0; i < d.size();) {
        const std::uint8_t prefix = d[i];
        const std::size_t n = (prefix & 3) == 3 ? 4 : (prefix & 3);
        ASSERT_LE(i + 1 + n, d.size());
        unsigned value = 0;
        for (std::size_t k = 0; k < n; ++k) value |= static_cast<unsigned>(d[i + 1 + k]) << (8 * k);
        switch (prefix & 0xFC) {
            case 0x84: report_id = value; break;
            case 0x74: size = value; break;
            case 0x94: count = value; break;
            case 0xB0: feature_bits += size * count; ++features; break;
            case 0xA0: ++depth; break;
            case 0xC0: --depth; break;
            case 0x80: case 0x90: FAIL() << "no input or output reports expected"; break;
            default: break;
        }
        i += 1 + n;
    }
    EXPECT_EQ(report_id, 1u);
    EXPECT_EQ(features, 1u);
    EXPECT_EQ(feature_bits / 8 + 1, kFrameSize);  // with the report ID byte
    EXPECT_EQ(depth, 0u);
}

TEST(HidDescriptors, FunctionFsBlobHoldsInterfaceHidAndInterruptEndpointPerSpeed) {
    const std::vector<std::uint8_t> blob = functionfs_descriptors();
    ASSERT_GE(blob.size(), 20u);
    EXPECT_EQ(le32(blob, 0), 3u);             // version 2 magic
    EXPECT_EQ(le32(blob, 4), blob.size());    // length
    EXPECT_EQ(le32(blob, 8), 3u);             // full and high speed
    EXPECT_EQ(le32(blob, 12), 3u);
    EXPECT_EQ(le32(blob, 16), 3u);
    const std::vector<std::uint8_t> hid = hid_class_descriptor();
    const std::size_t report_length = report_descriptor().size();
    std::size_t at = 20;
    for (int speed = 0; speed < 2; ++speed) {
        ASSERT_LE(at + 25, blob.size());
        EXPECT_EQ(blob[at], 9);
        EXPECT_EQ(blob[at + 1], 0x04);  // interface
        EXPECT_EQ(blob[at + 4], 1);     // one endpoint
        EXPECT_EQ(blob[at + 5], 0x03);  // HID class
        at += 9;
        EXPECT_TRUE(std::equal(hid.begin(), hid.end(), blob.begin() + static_cast<std::ptrdiff_t>(at)));
        EXPECT_EQ(blob[at + 6], 0x22);
        EXPECT_EQ(blob[at + 7] | (blob[at + 8] << 8), static_cast<int>(report_length));
        at += 9;
        EXPECT_EQ(blob[at + 1], 0x05);  // endpoint
        EXPECT_EQ(blob[at + 2], 0x81);  // IN 1
        EXPECT_EQ(blob[at + 3], 0x03);  // interrupt
        at += 7;
    }
    EXPECT_EQ(at, blob.size());
    const std::vector<std::uint8_t> strings = functionfs_strings();
    EXPECT_EQ(le32(strings, 0), 2u);
    EXPECT_EQ(le32(strings, 4), strings.size());
}

// A HID backend that reaches the controller only through endpoint-0 requests built as the
// kernel's usbhid builds them for hidraw's feature-report calls.
class Ep0Loopback final : public HidBackend {
public:
    explicit Ep0Loopback(HidResponder& responder) : responder_(responder) {}
    int init() override { return kOk; }
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendor_id, std::uint16_t product_id) override {
        std::vector<HidDeviceInfo> found;
        const auto identity = responder_.identity();
        if (!identity || (vendor_id != kVendorId) || (product_id != 0 && product_id != identity->product_id))
            return found;
        found.push_back({"ep0", kVendorId, identity->product_id, identity->manufacturer, identity->product});
        return found;
    }
    std::unique_ptr<HidDevice> open(const std::string&) override { return std::make_unique<Device>(responder_); }

private:
    struct Device final : HidDevice {
        explicit Device(HidResponder& r) : responder(r) {}
        bool set_feature(std::span<const std::uint8_t, kFrameSize> report) override {
            const SetupRequest setup{0x21, 0x09, static_cast<std::uint16_t>(0x0300 | report[0]), 0, kFrameSize};
            if (!responder.accepts_out(setup)) return false;
            responder.take_out(setup, report);
            return true;
        }
        bool get_feature(std::span<std::uint8_t, kFrameSize> report) override {
            const SetupRequest setup{0xA1, 0x01, static_cast<std::uint16_t>(0x0300 | report[0]), 0, kFrameSize};
            const auto data = responder.answer_in(setup);
            if (!data || data->size() != kFrameSize) return false;
            std::copy(data->begin(), data->end(), report.begin());
            return true;
        }
        HidResponder& responder;
    };
    HidResponder& responder_;
};

struct GadgetWorld {
    FakeHost host;
    sim::SimController sim{host};
    HidResponder responder{sim};
    Ep0Loopback usb{responder};
    Transport transport{usb, host};
    Protocol protocol{transport, host};
};

TEST(HidResponder, ProtocolRunsThroughEndpointZeroRequests) {
    GadgetWorld w;
    w.sim.set_app_identity(3);
    ASSERT_EQ(w.transport.is_device_online(), kErrDisconnected);  // index 0: bootloader identity
    for (int i = 0; i < 3 && w.transport.is_device_online() != kOk; ++i) {}
    std::array<std::uint8_t, kStatusSize> status{};
    std::size_t got = 0;
    ASSERT_EQ(w.protocol.read_area(block::kStatus, 0, status, got), kOk);
    EXPECT_EQ(StatusRecord::parse(status).name, "ZEB-TERVIO-V4-CKT");
    const std::array<std::uint8_t, 3> bytes{7, 8, 9};
    ASSERT_EQ(w.protocol.write_area(block::kRecord, 100, bytes), kOk);
    EXPECT_EQ(w.sim.memory().record.raw[101], 8);
    EXPECT_EQ(w.responder.frames(), 2u);
}

TEST(HidResponder, AnswersDescriptorsAndRefusesWhatAControllerDoesNotHave) {
    GadgetWorld w;
    const auto report = w.responder.answer_in({0x81, 0x06, 0x2200, 0, 255});
    ASSERT_TRUE(report);
    EXPECT_EQ(*report, report_descriptor());
    const auto cut = w.responder.answer_in({0x81, 0x06, 0x2200, 0, 4});
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), 4u);
    EXPECT_EQ(*w.responder.answer_in({0x81, 0x06, 0x2100, 0, 9}), hid_class_descriptor());
    EXPECT_FALSE(w.responder.answer_in({0x81, 0x06, 0x2300, 0, 9}));      // physical descriptor
    EXPECT_FALSE(w.responder.answer_in({0xA1, 0x01, 0x0101, 0, 70}));     // input report
    EXPECT_FALSE(w.responder.answer_in({0xA1, 0x01, 0x0302, 0, 70}));     // feature report 2
    EXPECT_FALSE(w.responder.answer_in({0xA1, 0x02, 0x0000, 0, 1}));      // GET_IDLE
    EXPECT_TRUE(w.responder.accepts_out({0x21, 0x0A, 0x0000, 0, 0}));     // SET_IDLE
    EXPECT_FALSE(w.responder.accepts_out({0x21, 0x09, 0x0301, 0, 69}));   // without the ID byte
    EXPECT_FALSE(w.responder.accepts_out({0x21, 0x09, 0x0301, 0, 71}));
    EXPECT_FALSE(w.responder.accepts_out({0x21, 0x09, 0x0201, 0, 70}));   // output report
    EXPECT_FALSE(w.responder.accepts_out({0x21, 0x0B, 0x0000, 0, 0}));    // SET_PROTOCOL
    // A GET_REPORT before any request gets "no reply yet": the ID and a zero command byte.
    const auto idle = w.responder.answer_in({0xA1, 0x01, 0x0301, 0, 70});
    ASSERT_TRUE(idle);
    ASSERT_EQ(idle->size(), kFrameSize);
    EXPECT_EQ((*idle)[0], kReportId);
    EXPECT_EQ((*idle)[1], 0);
    EXPECT_EQ(w.responder.frames(), 0u);
}

TEST(HidResponder, RestartLeavesTheBusAndComesBackUnderTheOtherIdentity) {
    GadgetWorld w;
    w.sim.set_app_identity(4);
    auto identity = w.responder.identity();
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->product_id, 0x2012);
    EXPECT_EQ(identity->product, "TERVIO-V4");
    EXPECT_EQ(identity->manufacturer, "ZEB");
    // The first firmware block sends the application into its bootloader without a reply.
    Frame trigger;
    trigger.set_command(0x82);
    trigger.set_length(64);
    trigger.seal();
    ASSERT_TRUE(w.responder.accepts_out({0x21, 0x09, 0x0301, 0, 70}));
    w.responder.take_out({0x21, 0x09, 0x0301, 0, 70}, trigger.bytes);
    EXPECT_FALSE(w.responder.identity());
    EXPECT_FALSE(w.responder.accepts_out({0x21, 0x09, 0x0301, 0, 70})) << "nothing to take a report";
    EXPECT_FALSE(w.responder.answer_in({0xA1, 0x01, 0x0301, 0, 70}));
    w.host.advance_ms(5000);
    identity = w.responder.identity();
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->index, 0u);
    EXPECT_EQ(identity->product_id, 0x0010);
    EXPECT_EQ(identity->product, "TERVIO-V4-BOOT");
    // The handle opened before the restart is not used for the new controller's replies.
    EXPECT_TRUE(w.responder.answer_in({0xA1, 0x01, 0x0301, 0, 70}));
}

TEST(BusPresence, UnplugsOnceAfterTheFramesForItsAbsentTime) {
    BusIdentity app;
    app.product_id = 0x0011;
    BusPresence presence(3, 2000);
    EXPECT_EQ(presence.wanted(100, 2, app), app);
    EXPECT_FALSE(presence.wanted(200, 3, app));
    EXPECT_FALSE(presence.wanted(2199, 9, app));
    EXPECT_EQ(presence.wanted(2200, 9, app), app);
    EXPECT_EQ(presence.wanted(9000, 50, app), app) << "once per run";
    EXPECT_FALSE(presence.wanted(9000, 50, std::nullopt)) << "the controller's own absence shows";
    BusPresence never(std::nullopt, 2000);
    EXPECT_EQ(never.wanted(0, 1000000, app), app);
}

TEST(AnswerPause, SilentFromTheFramesForItsTimeOrForGood) {
    AnswerPause pause(5, 3000);
    EXPECT_FALSE(pause.silent(100, 4));
    EXPECT_TRUE(pause.silent(200, 5));
    EXPECT_TRUE(pause.silent(3199, 5));
    EXPECT_FALSE(pause.silent(3200, 5));
    EXPECT_FALSE(pause.silent(9000, 60)) << "once per run";
    AnswerPause for_good(1, std::nullopt);
    EXPECT_TRUE(for_good.silent(0, 1));
    EXPECT_TRUE(for_good.silent(600000, 1));
}

}  // namespace
}  // namespace ztv::gadget
