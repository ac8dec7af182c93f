#include "gadget/functionfs_endpoint.h"

#include <endian.h>
#include <fcntl.h>
#include <linux/usb/functionfs.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "gadget/hid_descriptors.h"

namespace ztv::gadget {
namespace {

bool write_all(int fd, const std::vector<std::uint8_t>& bytes) {
    return ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

}  // namespace

FunctionFsEndpoint::~FunctionFsEndpoint() {
    if (ep0_ >= 0) ::close(ep0_);
}

bool FunctionFsEndpoint::open(const std::string& mount_dir) {
    const std::string path = mount_dir + "/ep0";
    ep0_ = ::open(path.c_str(), O_RDWR);
    if (ep0_ < 0) {
        error_ = path + ": " + std::strerror(errno);
        return false;
    }
    if (!write_all(ep0_, functionfs_descriptors())) {
        error_ = path + ": descriptors refused: " + std::strerror(errno);
        return false;
    }
    if (!write_all(ep0_, functionfs_strings())) {
        error_ = path + ": strings refused: " + std::strerror(errno);
        return false;
    }
    return true;
}

std::vector<SetupRequest> FunctionFsEndpoint::wait(int timeout_ms) {
    std::vector<SetupRequest> requests;
    pollfd ready{ep0_, POLLIN, 0};
    if (::poll(&ready, 1, timeout_ms) <= 0 || (ready.revents & POLLIN) == 0) return requests;
    std::array<usb_functionfs_event, 4> events{};
    const ssize_t got = ::read(ep0_, events.data(), sizeof(events));
    if (got <= 0) return requests;
    const std::size_t count = static_cast<std::size_t>(got) / sizeof(usb_functionfs_event);
    for (std::size_t i = 0; i < count; ++i) {
        if (events[i].type != FUNCTIONFS_SETUP) continue;
        const usb_ctrlrequest& raw = events[i].u.setup;
        SetupRequest setup;
        setup.request_type = raw.bRequestType;
        setup.request = raw.bRequest;
        setup.value = le16toh(raw.wValue);
        setup.index = le16toh(raw.wIndex);
        setup.length = le16toh(raw.wLength);
        requests.push_back(setup);
    }
    return requests;
}

bool FunctionFsEndpoint::reply(const std::optional<std::vector<std::uint8_t>>& data) {
    if (!data) {
        // Reading in the IN direction is how FunctionFS is told to stall.
        [[maybe_unused]] const ssize_t ignored = ::read(ep0_, nullptr, 0);
        return false;
    }
    return write_all(ep0_, *data);
}

std::optional<std::vector<std::uint8_t>> FunctionFsEndpoint::receive(const SetupRequest& setup) {
    std::vector<std::uint8_t> data(setup.length);
    const ssize_t got = ::read(ep0_, data.data(), data.size());
    if (got < 0) return std::nullopt;
    data.resize(static_cast<std::size_t>(got));
    return data;
}

void FunctionFsEndpoint::refuse() {
    // Writing in the OUT direction stalls.
    [[maybe_unused]] const ssize_t ignored = ::write(ep0_, nullptr, 0);
}

}  // namespace ztv::gadget
