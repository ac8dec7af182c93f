#include "diag/socketcan_bridge.h"

#include <algorithm>
#include <cstring>

#ifdef __linux__
#include <cerrno>
#include <linux/can.h>
#include <linux/can/raw.h>
#include <net/if.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace ztv {

#ifdef __linux__

bool SocketCanBridge::open(const std::string& interface_name) {
    close();
    error_.clear();
    interface_ = interface_name;
    if (interface_name.empty() || interface_name.size() >= IFNAMSIZ || interface_name.find('/') != std::string::npos) {
        error_ = "\"" + interface_name + "\" is not a network interface name";
        return false;
    }
    const unsigned index = if_nametoindex(interface_name.c_str());
    if (index == 0) {
        error_ = "no network interface \"" + interface_name + "\" (for a virtual one: ip link add dev " +
                 interface_name + " type vcan; ip link set " + interface_name + " up)";
        return false;
    }
    const int s = ::socket(PF_CAN, SOCK_RAW | SOCK_CLOEXEC, CAN_RAW);
    if (s < 0) {
        error_ = std::string("no SocketCAN raw socket: ") + std::strerror(errno);
        return false;
    }
    // Nothing is read from the bus here; what others send is not queued for us.
    const can_filter none{};
    setsockopt(s, SOL_CAN_RAW, CAN_RAW_FILTER, &none, 0);
    sockaddr_can address{};
    address.can_family = AF_CAN;
    address.can_ifindex = static_cast<int>(index);
    if (::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error_ = "cannot use \"" + interface_name + "\" as a CAN interface: " + std::strerror(errno);
        ::close(s);
        return false;
    }
    socket_ = s;
    return true;
}

void SocketCanBridge::close() {
    if (socket_ >= 0) ::close(socket_);
    socket_ = -1;
}

bool SocketCanBridge::send(const CanFrame& frame) {
    if (socket_ < 0) {
        if (error_.empty()) error_ = "the SocketCAN interface is not open";
        return false;
    }
    can_frame out{};
    const std::uint32_t word = frame.id_word();
    out.can_id = frame.extended() ? (word & CAN_EFF_MASK) | CAN_EFF_FLAG : (word >> kCanStandardShift) & CAN_SFF_MASK;
    const auto data = frame.data();
    out.can_dlc = static_cast<std::uint8_t>(data.size());
    std::copy(data.begin(), data.end(), out.data);
    for (int attempt = 0; attempt < 10; ++attempt) {
        const ssize_t written = ::write(socket_, &out, sizeof out);
        if (written == static_cast<ssize_t>(sizeof out)) {
            ++sent_;
            return true;
        }
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && (errno == ENOBUFS || errno == EAGAIN)) {
            // The interface's transmit queue is full: wait for room rather than drop a frame.
            pollfd p{socket_, POLLOUT, 0};
            ::poll(&p, 1, 100);
            continue;
        }
        error_ = "sending to \"" + interface_ + "\" failed: " +
                 (written < 0 ? std::string(std::strerror(errno)) : std::string("a frame was cut short"));
        return false;
    }
    error_ = "sending to \"" + interface_ + "\" failed: its transmit queue stayed full for a second";
    return false;
}

#else

bool SocketCanBridge::open(const std::string& interface_name) {
    interface_ = interface_name;
    error_ = "SocketCAN is a Linux interface; this system has none";
    return false;
}

void SocketCanBridge::close() {}

bool SocketCanBridge::send(const CanFrame&) {
    error_ = "SocketCAN is a Linux interface; this system has none";
    return false;
}

#endif

}  // namespace ztv
