#include "session/controller_backup.h"

#include "common/format.h"
#include "device/device_errors.h"

namespace ztv {
namespace {

constexpr TextPair kBackingUp{"Резервная копия конфигурации устройства", "Backing up the device configuration"};
constexpr TextPair kBackupReadFailed{"Не удалось прочитать конфигурацию устройства для резервной копии\n%s",
                                     "Unable to read the device configuration for a backup\n%s"};

}  // namespace

int read_controller_configuration(Protocol& protocol, ConfigState& image, const TextPair& title) {
    PollingSuspension suspended(protocol.host());
    protocol.host().progress_begin(kConfigurationProgress, to_text(title));
    int error = protocol.read_chunked(block::kTouchCalibration, 0, image.touch);
    if (error == kOk) error = protocol.read_chunked(block::kRecord, 0, image.record.bytes());
    return error;
}

HeldConfiguration read_held_configuration(Protocol& protocol) {
    HeldConfiguration held;
    if (const int error = read_controller_configuration(protocol, held.image, kBackingUp); error != kOk) {
        held.error = with_error_text(kBackupReadFailed, error);
        return held;
    }
    held.image.record_valid = true;
    return held;
}

BackupResult save_held_configuration(const HeldConfiguration& held, std::uint32_t serial, std::string_view reason,
                                     const std::string& folder, std::time_t when, const std::string& spare) {
    if (!held.read()) {
        BackupResult failed;
        failed.error = held.error;
        return failed;
    }
    return save_backup(folder, serial, reason, when, held.image, spare);
}

BackupResult backup_controller(Protocol& protocol, std::uint32_t serial, std::string_view reason,
                               const std::string& folder, std::time_t when, const std::string& spare) {
    return save_held_configuration(read_held_configuration(protocol), serial, reason, folder, when, spare);
}

}  // namespace ztv
