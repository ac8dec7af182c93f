#include "device/hidapi_backend.h"

#include <hidapi.h>

#include <algorithm>
#include <cerrno>

#include "device/device_errors.h"

namespace ztv {
namespace {

// The string buffers of the HID layer hold 1024 bytes, that is 512 UTF-16 units.
constexpr std::size_t kMaxStringUnits = 512;

class HidapiDevice final : public HidDevice {
public:
    HidapiDevice(const HidapiCalls& calls, hid_device* handle) : calls_(calls), handle_(handle) {}
    ~HidapiDevice() override { calls_.close(handle_); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    bool set_feature(std::span<const std::uint8_t, kFrameSize> report) override {
        // hidapi counts the report ID byte; anything less than the whole report did not go out.
        return calls_.send_feature_report(handle_, report.data(), report.size()) >= static_cast<int>(kFrameSize);
    }
    bool get_feature(std::span<std::uint8_t, kFrameSize> report) override {
        // Cleared first: a reply cut short by the device or the driver must not leave bytes of
        // an earlier reply behind it, and is not a frame at all.
        std::fill(report.begin(), report.end(), std::uint8_t{0});
        report[0] = kReportId;
        const int got = calls_.get_feature_report(handle_, report.data(), report.size());
        return got >= static_cast<int>(kFrameSize);
    }

private:
    HidapiCalls calls_;  // a copy: an open device may outlive the backend that opened it
    hid_device* handle_;
};

std::optional<std::string> narrowed(const wchar_t* text) {
    if (text == nullptr) return std::nullopt;
    return narrow_hid_string(text, kMaxStringUnits);
}

}  // namespace

HidapiCalls hidapi_library_calls() {
    HidapiCalls calls;
    calls.init = hid_init;
    calls.exit = hid_exit;
    calls.enumerate = hid_enumerate;
    calls.free_enumeration = hid_free_enumeration;
    calls.open_path = hid_open_path;
    calls.close = hid_close;
    calls.send_feature_report = hid_send_feature_report;
    calls.get_feature_report = hid_get_feature_report;
    return calls;
}

HidapiBackend::~HidapiBackend() {
    if (initialised_) calls_.exit();
}

int HidapiBackend::init() {
    if (initialised_) return kOk;
    if (calls_.init() != 0) return kErrDriverLoad;
    initialised_ = true;
    return kOk;
}

std::vector<HidDeviceInfo> HidapiBackend::enumerate(std::uint16_t vendor_id, std::uint16_t product_id) {
    std::vector<HidDeviceInfo> found;
    hid_device_info* list = calls_.enumerate(vendor_id, product_id);
    for (const hid_device_info* info = list; info != nullptr; info = info->next) {
        // An entry without a path cannot be opened; it is not a device for us.
        if (info->path == nullptr || info->path[0] == '\0') continue;
        HidDeviceInfo item;
        item.path = info->path;
        item.vendor_id = info->vendor_id;
        item.product_id = info->product_id;
        item.manufacturer = narrowed(info->manufacturer_string);
        item.product = narrowed(info->product_string);
        found.push_back(std::move(item));
    }
    calls_.free_enumeration(list);
    return found;
}

std::unique_ptr<HidDevice> HidapiBackend::open(const std::string& path) {
    errno = 0;
    hid_device* handle = calls_.open_path(path.c_str());
    // hidraw's open() says why it failed; a device node the user may not open is the usual
    // state of a controller plugged in before its udev rule was installed.
    open_refused_ = handle == nullptr && (errno == EACCES || errno == EPERM);
    if (handle == nullptr) return nullptr;
    return std::make_unique<HidapiDevice>(calls_, handle);
}

}  // namespace ztv
