// HidBackend on hidapi (the hidraw flavour on Linux).
#pragma once

#include "device/hid_backend.h"

namespace ztv {

class HidapiBackend final : public HidBackend {
public:
    HidapiBackend() = default;
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    int init() override;
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendor_id, std::uint16_t product_id) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;

private:
    bool initialised_ = false;
};

}  // namespace ztv
