#include "gadget/hid_responder.h"

#include <algorithm>

#include "device/frame.h"
#include "device/transport.h"
#include "gadget/hid_descriptors.h"

namespace ztv::gadget {
namespace {

constexpr std::uint8_t kStandardInterfaceIn = 0x81;
constexpr std::uint8_t kClassInterfaceIn = 0xA1;
constexpr std::uint8_t kClassInterfaceOut = 0x21;
constexpr std::uint8_t kGetDescriptor = 0x06;
constexpr std::uint8_t kGetReport = 0x01;
constexpr std::uint8_t kSetReport = 0x09;
constexpr std::uint8_t kSetIdle = 0x0A;
constexpr std::uint8_t kFeatureReportType = 3;

std::vector<std::uint8_t> cut(std::vector<std::uint8_t> bytes, std::uint16_t length) {
    if (bytes.size() > length) bytes.resize(length);
    return bytes;
}

}  // namespace

bool HidResponder::is_feature_report(const SetupRequest& setup) const {
    return setup.value == ((kFeatureReportType << 8) | kReportId);
}

HidDevice* HidResponder::device() {
    if (!device_) {
        const std::vector<HidDeviceInfo> found = controller_.enumerate(kVendorId, 0);
        if (!found.empty()) device_ = controller_.open(found.front().path);
    }
    return device_.get();
}

std::optional<std::vector<std::uint8_t>> HidResponder::answer_in(const SetupRequest& setup) {
    if (setup.request_type == kStandardInterfaceIn && setup.request == kGetDescriptor) {
        const auto type = static_cast<std::uint8_t>(setup.value >> 8);
        if (type == kReportDescriptorType) return cut(report_descriptor(), setup.length);
        if (type == kHidDescriptorType) return cut(hid_class_descriptor(), setup.length);
        return std::nullopt;
    }
    if (setup.request_type != kClassInterfaceIn || setup.request != kGetReport || !is_feature_report(setup))
        return std::nullopt;
    std::array<std::uint8_t, kFrameSize> report{};
    HidDevice* handle = device();
    if (handle == nullptr) return std::nullopt;
    if (!handle->get_feature(report)) {
        // The controller restarted since the handle was opened: a real one would have left
        // the bus, so the host gets a failed transfer, not someone else's reply.
        device_.reset();
        return std::nullopt;
    }
    return cut(std::vector<std::uint8_t>(report.begin(), report.end()), setup.length);
}

bool HidResponder::accepts_out(const SetupRequest& setup) {
    if (setup.request_type != kClassInterfaceOut) return false;
    if (setup.request == kSetIdle) return setup.length == 0;
    // Exactly one whole report: its ID and the 69 bytes the report descriptor declares.
    return setup.request == kSetReport && is_feature_report(setup) && setup.length == kFrameSize &&
           device() != nullptr;
}

void HidResponder::take_out(const SetupRequest& setup, std::span<const std::uint8_t> data) {
    if (setup.request != kSetReport || data.size() != kFrameSize || data[0] != kReportId) return;
    ++frames_;
    std::array<std::uint8_t, kFrameSize> report{};
    std::copy(data.begin(), data.end(), report.begin());
    HidDevice* handle = device();
    if (handle != nullptr && !handle->set_feature(report)) device_.reset();
}

std::optional<BusIdentity> HidResponder::identity() {
    const std::vector<HidDeviceInfo> found = controller_.enumerate(kVendorId, 0);
    if (found.empty()) {
        device_.reset();
        return std::nullopt;
    }
    const HidDeviceInfo& info = found.front();
    for (std::size_t i = 0; i < kIdentityCount; ++i) {
        if (kIdentities[i].product_id != info.product_id) continue;
        BusIdentity identity;
        identity.index = i;
        identity.product_id = info.product_id;
        identity.manufacturer = info.manufacturer.value_or("");
        identity.product = info.product.value_or("");
        return identity;
    }
    return std::nullopt;
}

}  // namespace ztv::gadget
