// HidBackend on hidapi (the hidraw flavour on Linux).
#pragma once

#include <cstddef>

#include "device/hid_backend.h"

struct hid_device_;
struct hid_device_info;

namespace ztv {

// The hidapi calls the backend makes. The program uses the library's own; tests put in their
// own to play what the real stack does (short reports, failures after an unplug).
struct HidapiCalls {
    int (*init)() = nullptr;
    int (*exit)() = nullptr;
    hid_device_info* (*enumerate)(unsigned short vendor_id, unsigned short product_id) = nullptr;
    void (*free_enumeration)(hid_device_info* list) = nullptr;
    hid_device_* (*open_path)(const char* path) = nullptr;
    void (*close)(hid_device_* device) = nullptr;
    int (*send_feature_report)(hid_device_* device, const unsigned char* data, std::size_t length) = nullptr;
    int (*get_feature_report)(hid_device_* device, unsigned char* data, std::size_t length) = nullptr;
};

HidapiCalls hidapi_library_calls();

class HidapiBackend final : public HidBackend {
public:
    HidapiBackend() : HidapiBackend(hidapi_library_calls()) {}
    explicit HidapiBackend(const HidapiCalls& calls) : calls_(calls) {}
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    int init() override;
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendor_id, std::uint16_t product_id) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;
    bool last_open_refused() const override { return open_refused_; }

private:
    HidapiCalls calls_;
    bool open_refused_ = false;
    bool initialised_ = false;
};

}  // namespace ztv
