#include "device/firmware_update.h"

#include <filesystem>

#include "common/format.h"
#include "common/system_names.h"
#include "device/device_errors.h"

namespace ztv {
namespace {

constexpr TextPair kOpenFailed{"Ошибка открытия файла \"%s%s\"", "Error opening file \"%s%s\""};
constexpr TextPair kSizeRefused{"Ошибка размера файла \"%s%s\"", "Error file size \"%s%s\""};
constexpr TextPair kReadFailed{"Ошибка чтения файла \"%s%s\"", "Error reading file \"%s%s\""};
constexpr TextPair kChecksumWrong{"Ошибка в файле \"%s%s\"", "Error in file \"%s%s\""};
constexpr TextPair kNotForDevice{"Это обновление не для этого устройства", "This update is not for this device"};
constexpr TextPair kSameVersion{"Вы пытаетесь загрузить ту же версию, что и в устройстве\nПродолжить?",
                                "Are you trying to download the same version as in the device\nContinue?"};
constexpr TextPair kOlderVersion{"Вы пытаетесь загрузить более старую версию, чем в устройстве\nПродолжить?",
                                 "Are you trying to download an older version than the device\nContinue?"};
constexpr TextPair kUpdateTitle{"Обновление прошивки", "Firmware update"};
constexpr TextPair kWaitingTitle{"Ожидание загрузчика", "Waiting for the bootloader"};
constexpr TextPair kRestartTitle{"Ожидание запуска новой прошивки", "Waiting for the new firmware to start"};
constexpr TextPair kUpdateFailed{"Не удалось обновить прошивку\n%s", "Failed to update the firmware\n%s"};
constexpr TextPair kUpdated{"Устройство обновлено до версии %u.%02u", "The device is updated to version %u.%02u"};
constexpr TextPair kNotBack{"Контроллер не вернулся в течение 10 с после обновления прошивки",
                           "The controller did not come back within 10 s after the firmware update"};
constexpr TextPair kStayedInBootloader{
    "Контроллер остался в режиме загрузчика: новая прошивка не запустилась",
    "The controller stayed in its bootloader: the new firmware did not start"};
constexpr TextPair kOtherVersion{"После обновления контроллер сообщает версию %u.%02u вместо %u.%02u",
                                 "After the update the controller reports version %u.%02u instead of %u.%02u"};
constexpr TextPair kDeviceBanner{"******************* Устройство *******************",
                                 "******************* Device *******************"};
constexpr TextPair kUpdateBanner{"******************* Обновление *******************",
                                 "******************* Update *******************"};
constexpr TextPair kUpdateFile{"Файл обновления           \"%s%s\"", "The update file           \"%s%s\""};
constexpr TextPair kFileVersion{"Версия приложения         %u.%02u", "Application version       %u.%02u"};

}  // namespace

FirmwareUpdate::FirmwareUpdate(ConnectionMonitor& monitor)
    : monitor_(monitor), protocol_(monitor.protocol()), host_(monitor.protocol().host()) {}

void FirmwareUpdate::error_box(const Text& text) { host_.show_message(kBoxError, text); }

bool FirmwareUpdate::read_device() {
    std::array<std::uint8_t, kStatusSize> bytes{};
    std::size_t got = 0;
    const int error = protocol_.read_area(block::kStatus, 0, bytes, got);
    if (error != kOk) {
        error_box(with_error_text(kReadConfigurationFailed, error));
        return false;
    }
    device_ = StatusRecord::parse(bytes);
    host_.log_line(to_text(kDeviceBanner).in(host_.language()), LogSource::Program);
    monitor_.print_device_info(device_);
    return true;
}

FirmwareResult FirmwareUpdate::run(const std::function<std::optional<std::string>()>& choose_file,
                                   const std::function<bool()>& before_overwrite) {
    if (!read_device()) return FirmwareResult::Refused;
    const std::optional<std::string> path = choose_file ? choose_file() : std::nullopt;
    if (!path) return FirmwareResult::NoFile;
    if (!load(*path)) return FirmwareResult::Refused;
    return send(before_overwrite);
}

bool FirmwareUpdate::load(const std::string& path) {
    const std::filesystem::path file = system_path(path);
    file_name_ = utf8_path(file.stem());
    file_extension_ = utf8_path(file.extension());
    FirmwareLoad loaded = load_firmware_file(path);
    const char* name = file_name_.c_str();
    const char* extension = file_extension_.c_str();
    switch (loaded.status) {
        case FirmwareFileStatus::Ok: break;
        case FirmwareFileStatus::OpenFailed: error_box(format_pair(kOpenFailed, name, extension)); return false;
        case FirmwareFileStatus::SizeRefused: error_box(format_pair(kSizeRefused, name, extension)); return false;
        case FirmwareFileStatus::ReadFailed:
            error_box(join(format_pair(kReadFailed, name, extension), "\n", read_failure_reason(loaded.problem)));
            return false;
        case FirmwareFileStatus::ChecksumWrong: error_box(format_pair(kChecksumWrong, name, extension)); return false;
    }
    image_ = std::move(loaded.image);
    const Lang lang = host_.language();
    host_.log_line(to_text(kUpdateBanner).in(lang), LogSource::Program);
    host_.log_line(format_pair(kUpdateFile, name, extension).in(lang), LogSource::Program);
    host_.log_line(format_pair(kFileVersion, image_.version / 100, image_.version % 100).in(lang), LogSource::Program);
    return true;
}

bool FirmwareUpdate::bring_into_bootloader() {
    // The first firmware block tells the application to start its bootloader.
    const std::span<const std::uint8_t> first(image_.transfer.data(), kPayloadMax);
    const int error = protocol_.write_area(block::kFirmware, 0, first);
    if (error != kOk) {
        // The application may have left without answering: wait for the polling tick to
        // find a controller again, under any of its identities.
        monitor_.clear_connected();
        bool back = false;
        for (int step = 1; step <= kBootloaderConnectSteps && !host_.closing(); ++step) {
            wait_pumping(host_, kBootloaderWaitStepMs);
            if (step < kBootloaderConnectSteps && monitor_.connected()) {
                back = true;
                break;
            }
        }
        if (!back) {
            if (!host_.closing()) error_box(with_error_text(kUpdateFailed, error));
            return false;
        }
    }
    // A handle still open to the application would make the first presence check succeed
    // at once while the controller is still restarting; every check must really search.
    protocol_.transport().close_device();
    for (int step = 0; step < kBootloaderPresenceSteps && !host_.closing(); ++step) {
        wait_pumping(host_, kBootloaderWaitStepMs);
        if (protocol_.transport().is_device_online() == kOk) break;
    }
    return true;
}

bool FirmwareUpdate::confirm_update() {
    // The bootloader confirming the last block says nothing about whether the new firmware
    // starts: only the application answering with the file's version proves the update. The
    // polling tick runs during the waits and finds the controller under whatever identity it
    // comes back with.
    host_.progress_begin(0, to_text(kRestartTitle));
    for (int step = 0; step < kConfirmSteps && !host_.closing(); ++step) {
        if (monitor_.connected() && !monitor_.is_bootloader()) break;
        wait_pumping(host_, kBootloaderWaitStepMs);
    }
    if (host_.closing()) return false;
    if (!monitor_.connected()) {
        error_box(to_text(kNotBack));
        return false;
    }
    if (monitor_.is_bootloader()) {
        error_box(to_text(kStayedInBootloader));
        return false;
    }
    const std::uint32_t reported = monitor_.status().app_version;
    if (reported != image_.version) {
        error_box(format_pair(kOtherVersion, reported / 100, reported % 100, image_.version / 100, image_.version % 100));
        return false;
    }
    return true;
}

FirmwareResult FirmwareUpdate::send(const std::function<bool()>& before_overwrite) {
    if (image_.transfer.empty()) return FirmwareResult::Refused;
    if (image_.hardware_code != device_.hardware_code) {
        error_box(to_text(kNotForDevice));
        return FirmwareResult::Refused;
    }
    if (image_.version <= device_.app_version) {
        const TextPair& question = image_.version == device_.app_version ? kSameVersion : kOlderVersion;
        if (host_.show_message(kBoxWarning, to_text(question)) != kIdYes) return FirmwareResult::Refused;
    }
    if (before_overwrite && !before_overwrite()) return FirmwareResult::Refused;
    // The wait for the bootloader has no measure of its own: the user is shown that it runs,
    // and the transfer's progress starts when there is something to count.
    if (!device_.bootloader()) {
        host_.progress_begin(0, to_text(kWaitingTitle));
        if (!bring_into_bootloader()) return FirmwareResult::Refused;
    }
    host_.progress_begin(static_cast<int>(image_.body_size()), to_text(kUpdateTitle));

    monitor_.events().set_busy(true);
    const int error = protocol_.write_chunked(block::kFirmware, 0, image_.transfer, kPayloadMax);
    if (error != kOk) {
        if (!host_.closing()) error_box(with_error_text(kUpdateFailed, error));
        return FirmwareResult::Refused;
    }
    if (!confirm_update()) return FirmwareResult::Refused;
    host_.flash_message(3000, 250, format_pair(kUpdated, image_.version / 100, image_.version % 100));
    return FirmwareResult::Updated;
}

}  // namespace ztv
