// Endpoint 0 of a FunctionFS function: takes the descriptors, then hands out the host's
// setup requests and carries their data stages. Linux only.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gadget/hid_responder.h"

namespace ztv::gadget {

class FunctionFsEndpoint {
public:
    FunctionFsEndpoint() = default;
    ~FunctionFsEndpoint();
    FunctionFsEndpoint(const FunctionFsEndpoint&) = delete;
    FunctionFsEndpoint& operator=(const FunctionFsEndpoint&) = delete;

    // Opens ep0 in the mounted FunctionFS folder and writes descriptors and strings.
    bool open(const std::string& mount_dir);

    // Waits up to timeout_ms for the host; returns the setup requests that arrived (other
    // events, such as bind, enable and suspend, need nothing from us and are dropped).
    std::vector<SetupRequest> wait(int timeout_ms);

    // Data stage of an IN request (cut to its length) or, with nothing, a stall.
    bool reply(const std::optional<std::vector<std::uint8_t>>& data);
    // Reads the data stage of an OUT request (and acknowledges it).
    std::optional<std::vector<std::uint8_t>> receive(const SetupRequest& setup);
    // Stalls an OUT request.
    void refuse();

    const std::string& error() const { return error_; }

private:
    int ep0_ = -1;
    std::string error_;
};

}  // namespace ztv::gadget
