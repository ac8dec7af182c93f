#include "device/status_record.h"

#include <algorithm>
#include <array>

#include "common/format.h"

namespace ztv {
namespace {

std::uint32_t le32(const std::array<std::uint8_t, kStatusSize>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

void put32(std::span<std::uint8_t, kStatusSize> b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

struct FeatureLine {
    char letter;
    TextPair line;  // ru nullptr: the letter gives no line
};

constexpr FeatureLine kFeatures[] = {
    {'8', {"Шина CAN для сиденья AUDI A8", "CAN Bus for AUDI A8 seat"}},
    {'A', {"Виртуальный COM-порт CDC ACM", "CDC ACM Virtual COM port"}},
    {'B', {"Модуль Bluetooth BK3231/JDY-33 SPP-C", "Bluetooth module BK3231/JDY-33 SPP-C"}},
    {'C', {"Шина CAN", "CAN Bus"}},
    {'E', {"Сенсор через USB-мышь", "USB Mouse touch"}},
    {'G', {"GaNet Honda/Acura", "GaNet Honda/Acura"}},
    {'I', {"IEBUS Toyota/Lexus", "IEBUS Toyota/Lexus"}},
    {'J', {"Джойстик Renault", "Renault Joystick"}},
    {'K', {"USB-клавиатура, страница 7", "USB Keyboard page 7"}},
    {'L', {"Шина LIN", "LIN Bus"}},
    {'M', {"Шина CAN для BMW iDrive", "CAN Bus for BMW iDrive"}},
    {'P', {"Тачпад PS/2 Synaptics", "PS/2 touchpad Synaptics"}},
    {'R', {"Контроллер CAP2RES", "CAP2RES controller"}},
    {'S', {"iBUS для BMW", "iBUS for BMW"}},
    {'T', {"Терминал", "Terminal"}},
    {'U', {"События и реакции UART", "UART event and response"}},
    {'V', {"Шина LIN для руля VW", "LIN Bus for VW Steering Wheel"}},
    {'X', {nullptr, nullptr}},
    {'Z', {"Последовательный порт MMI AUDI", "MMI AUDI Serial"}},
    {'c', {"Эмуляция руля VW по шине CAN", "CAN Bus VW SW Emulate"}},
    {'d', {"Шина CAN для джойстика MERCEDES", "CAN Bus for MERCEDES Joystick"}},
    {'e', {"Шина CAN для контроллера MERCEDES", "CAN Bus for MERCEDES Controller"}},
    {'g', {"GAZER PA", "GAZER PA"}},
    {'l', {"Шина LIN для руля AUDI", "LIN Bus for AUDI Steering Wheel"}},
    {'m', {"Шина LIN для джойстика Mazda CX5", "LIN Bus for Mazda CX5 Joystick"}},
    {'r', {"Шина CAN для джойстика Renault", "CAN Bus for Renault Joystick"}},
};

constexpr const char* kHyphens = "---------------------------";
constexpr std::string_view kFamilyPrefix = "ZEB-TERVIO-V4-";

}  // namespace

StatusRecord StatusRecord::parse(std::span<const std::uint8_t> bytes) {
    std::array<std::uint8_t, kStatusSize> b{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), b.size()), b.begin());
    StatusRecord s;
    s.app_version = le32(b, 0);
    s.serial = le32(b, 4);
    s.boot_version = le32(b, 8);
    s.hardware_code = le32(b, 12);
    const auto* name = reinterpret_cast<const char*>(b.data() + kStatusNameOffset);
    s.name.assign(name, std::find(name, name + kStatusNameSize, '\0'));
    s.status_word = static_cast<std::uint16_t>(b[kStatusWordOffset] | (b[kStatusWordOffset + 1] << 8));
    return s;
}

void StatusRecord::serialize(std::span<std::uint8_t, kStatusSize> out) const {
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    put32(out, 0, app_version);
    put32(out, 4, serial);
    put32(out, 8, boot_version);
    put32(out, 12, hardware_code);
    std::copy_n(name.begin(), std::min(name.size(), kStatusNameSize), out.begin() + kStatusNameOffset);
    out[kStatusWordOffset] = static_cast<std::uint8_t>(status_word & 0xFF);
    out[kStatusWordOffset + 1] = static_cast<std::uint8_t>(status_word >> 8);
}

bool is_bootloader_name(std::string_view name) { return name.find("TERVIO-V4-BOOT") != std::string_view::npos; }

bool StatusRecord::bootloader() const { return is_bootloader_name(name); }

std::string version_text(std::uint32_t version) {
    return strprintf("%lu.%02lu", static_cast<unsigned long>(version / 100), static_cast<unsigned long>(version % 100));
}

std::vector<Text> device_info_lines(const StatusRecord& s) {
    std::vector<Text> lines;
    lines.push_back(format_pair({"Контроллер          \"%s\"", "Controller          \"%s\""}, s.name.c_str()));
    lines.push_back(format_pair({"Серийный номер      %lu", "The serial number   %lu"},
                                static_cast<unsigned long>(s.serial)));
    lines.push_back(format_pair({"Версия загрузчика   %s", "Boot version        %s"}, version_text(s.boot_version).c_str()));
    if (s.app_version == 0) {
        lines.push_back(to_text({"Версия приложения   (приложение не загружено)",
                                 "Application version (application is not loaded)"}));
        return lines;
    }
    lines.push_back(format_pair({"Версия приложения   %s", "Application version %s"}, version_text(s.app_version).c_str()));
    const std::size_t dash = s.name.rfind('-');
    if (dash == std::string::npos) return lines;
    const std::string letters = s.name.substr(dash + 1);
    lines.push_back(Text::same(kHyphens));
    if (letters == "BOOT") return lines;
    lines.push_back(to_text({"Поддержка контроллера:", "Controller support:"}));
    for (const Text& feature : controller_features(s)) lines.push_back(join(Text::same(" - "), "", feature));
    lines.push_back(Text::same(kHyphens));
    return lines;
}

std::vector<Text> controller_features(const StatusRecord& s) {
    std::vector<Text> features;
    const std::size_t dash = s.name.rfind('-');
    if (dash == std::string::npos || s.app_version == 0) return features;
    const std::string letters = s.name.substr(dash + 1);
    if (letters == "BOOT") return features;
    for (const char letter : letters) {
        const auto* feature = std::find_if(std::begin(kFeatures), std::end(kFeatures),
                                           [letter](const FeatureLine& f) { return f.letter == letter; });
        if (feature == std::end(kFeatures))
            features.push_back(format_pair({"Неизвестно '%c'", "Unknown '%c'"}, letter));
        else if (feature->line.ru != nullptr)
            features.push_back(to_text(feature->line));
    }
    return features;
}

Text status_line_text(const StatusRecord& s, int dots, bool can_file_open) {
    const std::string dot_text(static_cast<std::size_t>(std::clamp(dots, 0, 10)), '.');
    if (s.bootloader())
        return format_pair({"Загрузчик контроллера \"%s\" подключён%s", "The bootloader of controller \"%s\" is connected%s"},
                           s.name.c_str(), dot_text.c_str());
    Text suffix;
    if (s.can_log_running()) {
        suffix = to_text({". CAN-лог запущен", ". CAN log started"});
        if (can_file_open) suffix = join(suffix, "", to_text({" и записывается в файл", " and written to the file"}));
    }
    // The name comes from the controller: it is only ever an argument, never part of a format.
    const int major = static_cast<int>(s.app_version / 100);
    const int minor = static_cast<int>(s.app_version % 100);
    return Text(strprintf("Контроллер \"%s V%d.%02d\" подключён%s%s", s.name.c_str(), major, minor, suffix.ru.c_str(),
                          dot_text.c_str()),
                strprintf("Controller \"%s V%d.%02d\" is connected%s%s", s.name.c_str(), major, minor,
                          suffix.en.c_str(), dot_text.c_str()));
}

bool can_log_offered(std::string_view name) {
    if (name.find("-CAN-") != std::string_view::npos || name.find("-CL-") != std::string_view::npos) return true;
    const std::size_t family = name.find(kFamilyPrefix);
    if (family == std::string_view::npos) return false;
    return name.substr(family + kFamilyPrefix.size()).find('C') != std::string_view::npos;
}

}  // namespace ztv
