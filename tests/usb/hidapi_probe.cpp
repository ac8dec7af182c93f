// Prints what hidapi itself returns from the controller (ztv-usb-gadget) over the real stack,
// for buffer lengths with and without the report ID, a short buffer, a refused report and
// after the device has left the bus: the facts HidapiBackend is written against.
//   hidapi_probe            the calls against a present controller
//   hidapi_probe unplugged  one request (the gadget is told to leave after it), then the
//                           calls on the handle and path it left behind
#include <hidapi.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "device/frame.h"

namespace {

std::vector<unsigned char> status_request() {
    ztv::Frame frame;
    frame.set_command(0x01);
    frame.set_length(56);
    frame.seal();
    return {frame.bytes.begin(), frame.bytes.end()};
}

int get(hid_device* device, std::size_t length) {
    std::vector<unsigned char> buffer(length, 0);
    buffer[0] = 1;
    errno = 0;
    const int n = hid_get_feature_report(device, buffer.data(), buffer.size());
    std::printf("probe: get_feature(%zu) -> %d%s%s, byte1 %02X\n", length, n, n < 0 ? " errno " : "",
                n < 0 ? std::strerror(errno) : "", buffer.size() > 1 ? buffer[1] : 0);
    return n;
}

int send(hid_device* device, std::size_t length) {
    std::vector<unsigned char> request = status_request();
    request.resize(length, 0);
    errno = 0;
    const int n = hid_send_feature_report(device, request.data(), request.size());
    std::printf("probe: send_feature(%zu) -> %d%s%s\n", length, n, n < 0 ? " errno " : "",
                n < 0 ? std::strerror(errno) : "");
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    const bool unplugged = argc > 1 && std::string(argv[1]) == "unplugged";
    if (hid_init() != 0) return 1;
    hid_device_info* list = hid_enumerate(0xFFFF, 0);
    std::string path;
    for (hid_device_info* i = list; i != nullptr; i = i->next) {
        std::printf("probe: found %04X:%04X interface %d manufacturer \"%ls\" product \"%ls\" serial \"%ls\"\n",
                    i->vendor_id, i->product_id, i->interface_number,
                    i->manufacturer_string ? i->manufacturer_string : L"(none)",
                    i->product_string ? i->product_string : L"(none)",
                    i->serial_number ? i->serial_number : L"(none)");
        if (path.empty() && i->path != nullptr) path = i->path;
    }
    hid_free_enumeration(list);
    hid_device* device = path.empty() ? nullptr : hid_open_path(path.c_str());
    if (device == nullptr) {
        std::printf("probe: no device to open\n");
        return 1;
    }
    if (!unplugged) {
        send(device, ztv::kFrameSize);
        get(device, ztv::kFrameSize);
        send(device, ztv::kFrameSize);
        get(device, ztv::kFrameSize + 30);  // a longer buffer
        send(device, ztv::kFrameSize);
        get(device, 10);                    // a short buffer
        get(device, ztv::kFrameSize);       // the rest of that reply is gone
        send(device, ztv::kFrameSize - 1);  // the report without its last byte
        send(device, ztv::kFrameSize + 1);
        hid_close(device);
    } else {
        send(device, ztv::kFrameSize);  // the gadget leaves the bus after this one
        for (int i = 0; i < 3; ++i) get(device, ztv::kFrameSize);
        send(device, ztv::kFrameSize);
        hid_close(device);
        hid_device* again = hid_open_path(path.c_str());
        std::printf("probe: open of the old path -> %s\n", again != nullptr ? "a handle" : "nothing");
        if (again != nullptr) hid_close(again);
        hid_device_info* after = hid_enumerate(0xFFFF, 0);
        int count = 0;
        for (hid_device_info* i = after; i != nullptr; i = i->next) ++count;
        hid_free_enumeration(after);
        std::printf("probe: devices listed after the unplug: %d\n", count);
    }
    hid_exit();
    return 0;
}
