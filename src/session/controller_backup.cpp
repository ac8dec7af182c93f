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

BackupResult backup_controller(Protocol& protocol, std::uint32_t serial, std::string_view reason,
                               const std::string& folder, std::time_t when) {
    ConfigState image;
    if (const int error = read_controller_configuration(protocol, image, kBackingUp); error != kOk) {
        BackupResult failed;
        failed.error = with_error_text(kBackupReadFailed, error);
        return failed;
    }
    return save_backup(folder, serial, reason, when, image);
}

}  // namespace ztv
