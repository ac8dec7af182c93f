#include "device/hidapi_backend.h"

#include <hidapi.h>

#include "device/device_errors.h"

namespace ztv {
namespace {

// The string buffers of the HID layer hold 1024 bytes, that is 512 UTF-16 units.
constexpr std::size_t kMaxStringUnits = 512;

class HidapiDevice final : public HidDevice {
public:
    explicit HidapiDevice(hid_device* handle) : handle_(handle) {}
    ~HidapiDevice() override { hid_close(handle_); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    bool set_feature(std::span<const std::uint8_t, kFrameSize> report) override {
        return hid_send_feature_report(handle_, report.data(), report.size()) > 0;
    }
    bool get_feature(std::span<std::uint8_t, kFrameSize> report) override {
        report[0] = kReportId;
        // The byte count differs between hidapi flavours (with or without the report ID); bytes
        // that did not arrive stay as the caller cleared them and fail the reply's checksum.
        return hid_get_feature_report(handle_, report.data(), report.size()) > 0;
    }

private:
    hid_device* handle_;
};

std::optional<std::string> narrowed(const wchar_t* text) {
    if (text == nullptr) return std::nullopt;
    return narrow_hid_string(text, kMaxStringUnits);
}

}  // namespace

HidapiBackend::~HidapiBackend() {
    if (initialised_) hid_exit();
}

int HidapiBackend::init() {
    if (initialised_) return kOk;
    if (hid_init() != 0) return kErrDriverLoad;
    initialised_ = true;
    return kOk;
}

std::vector<HidDeviceInfo> HidapiBackend::enumerate(std::uint16_t vendor_id, std::uint16_t product_id) {
    std::vector<HidDeviceInfo> found;
    hid_device_info* list = hid_enumerate(vendor_id, product_id);
    for (const hid_device_info* info = list; info != nullptr; info = info->next) {
        HidDeviceInfo item;
        item.path = info->path != nullptr ? info->path : "";
        item.vendor_id = info->vendor_id;
        item.product_id = info->product_id;
        item.manufacturer = narrowed(info->manufacturer_string);
        item.product = narrowed(info->product_string);
        found.push_back(std::move(item));
    }
    hid_free_enumeration(list);
    return found;
}

std::unique_ptr<HidDevice> HidapiBackend::open(const std::string& path) {
    hid_device* handle = hid_open_path(path.c_str());
    if (handle == nullptr) return nullptr;
    return std::make_unique<HidapiDevice>(handle);
}

}  // namespace ztv
