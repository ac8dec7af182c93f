// The firmware update: checks a *.LDR file against its own checksum and against the connected
// controller, brings the controller into its bootloader if it runs its application, and sends
// the body in 64-byte firmware-block frames. Dialogs and questions go through the Host; the
// polling timer keeps running meanwhile (it is how the bootloader is seen coming up).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "device/connection_monitor.h"
#include "device/firmware_file.h"

namespace ztv {

inline constexpr std::uint32_t kBootloaderWaitStepMs = 100;
inline constexpr int kBootloaderConnectSteps = 50;
inline constexpr int kBootloaderPresenceSteps = 60;
// After the transfer the new application must show up within this many 100 ms steps.
inline constexpr int kConfirmSteps = 100;

enum class FirmwareResult : int { Refused = -1, NoFile = 0, Updated = 1 };

class FirmwareUpdate {
public:
    explicit FirmwareUpdate(ConnectionMonitor& monitor);

    // The whole procedure. choose_file is asked for the file once the device information is
    // shown (the shell's open dialog; nothing means cancelled). before_overwrite runs once the
    // file and the controller passed every check and question, just before the controller is
    // touched (the backup of its configuration); false stops the update there.
    FirmwareResult run(const std::function<std::optional<std::string>()>& choose_file,
                       const std::function<bool()>& before_overwrite = {});

    // Reads and checks the file; on failure shows the error box and returns false.
    bool load(const std::string& path);
    // The controller checks and the transfer, for the file loaded last.
    FirmwareResult send(const std::function<bool()>& before_overwrite = {});

    const FirmwareImage& image() const { return image_; }
    const StatusRecord& device() const { return device_; }

private:
    bool read_device();
    bool bring_into_bootloader();
    // Waits for the controller to come back as its application with the file's version.
    bool confirm_update();
    void error_box(const Text& text);

    ConnectionMonitor& monitor_;
    Protocol& protocol_;
    Host& host_;
    StatusRecord device_;
    FirmwareImage image_;
    std::string file_name_;  // messages show name and extension, without the folder
    std::string file_extension_;
};

}  // namespace ztv
