// Hands the controller's frames to a Linux SocketCAN interface (vcan0, can0), so candump,
// Wireshark and every SocketCAN program see the car's bus while the controller captures it.
// Other systems have no SocketCAN: open() refuses there with a message that says so.
#pragma once

#include <cstdint>
#include <string>

#include "diag/can_frame.h"

namespace ztv {

class SocketCanBridge {
public:
    SocketCanBridge() = default;
    ~SocketCanBridge() { close(); }
    SocketCanBridge(const SocketCanBridge&) = delete;
    SocketCanBridge& operator=(const SocketCanBridge&) = delete;

    // A raw CAN socket bound to the interface; false with error() when it cannot be had.
    bool open(const std::string& interface_name);
    void close();
    bool is_open() const { return socket_ >= 0; }
    // Sends one frame, in order after the ones before; a full transmit queue is waited for
    // (up to a second). False with error() when the frame could not be sent.
    bool send(const CanFrame& frame);
    const std::string& error() const { return error_; }
    std::uint64_t sent() const { return sent_; }

private:
    int socket_ = -1;
    std::string interface_;
    std::string error_;
    std::uint64_t sent_ = 0;
};

}  // namespace ztv
