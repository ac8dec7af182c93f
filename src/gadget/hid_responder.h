// The controller's side of endpoint 0: turns the HID class requests the USB host sends into
// feature-report calls on a controller (the simulated one, behind its HidBackend) and answers
// the standard requests HID adds (the report and HID descriptors). No kernel types: the
// FunctionFS loop hands in the eight setup bytes it read and acts on the answer.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/hid_backend.h"

namespace ztv::gadget {

struct SetupRequest {
    std::uint8_t request_type = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;

    bool device_to_host() const { return (request_type & 0x80) != 0; }
};

// What the controller presents on the bus right now.
struct BusIdentity {
    std::size_t index = 0;  // into kIdentities
    std::uint16_t product_id = 0;
    std::string manufacturer;
    std::string product;

    bool operator==(const BusIdentity&) const = default;
};

class HidResponder {
public:
    explicit HidResponder(HidBackend& controller) : controller_(controller) {}

    // The bytes of an IN request's data stage (at most its length), or nothing to stall it.
    std::optional<std::vector<std::uint8_t>> answer_in(const SetupRequest& setup);
    // Whether an OUT request is taken; decided before its data stage is read, because a
    // request whose data has been taken can no longer be refused.
    bool accepts_out(const SetupRequest& setup);
    // The data stage of an accepted OUT request.
    void take_out(const SetupRequest& setup, std::span<const std::uint8_t> data);

    // The identity the controller shows, or nothing while it is off the bus (restarting).
    std::optional<BusIdentity> identity();

    // Feature reports written to the controller (requests it received).
    std::uint64_t frames() const { return frames_; }

private:
    bool is_feature_report(const SetupRequest& setup) const;
    HidDevice* device();

    HidBackend& controller_;
    std::unique_ptr<HidDevice> device_;
    std::uint64_t frames_ = 0;
};

}  // namespace ztv::gadget
