// The gadget's entry in the kernel's configfs (usb_gadget/NAME, made by the set-up script):
// its device identity and strings, and whether it is bound to a USB device controller, that
// is whether the cable is in. Writing the identity while unbound is how the controller
// re-enumerates under another product ID.
#pragma once

#include <string>

#include "gadget/hid_responder.h"

namespace ztv::gadget {

class ConfigfsGadget {
public:
    ConfigfsGadget(std::string gadget_dir, std::string udc, std::string serial)
        : dir_(std::move(gadget_dir)), udc_(std::move(udc)), serial_(std::move(serial)) {}

    // Sets vendor, product ID and strings, then binds: the host sees a device arrive.
    bool attach(const BusIdentity& identity);
    // Unbinds: the host sees the device leave. Fails when not bound.
    bool detach();

    // What failed last (file and system error), for the log.
    const std::string& error() const { return error_; }

private:
    bool write(const std::string& name, const std::string& value);

    std::string dir_;
    std::string udc_;
    std::string serial_;
    std::string error_;
};

}  // namespace ztv::gadget
