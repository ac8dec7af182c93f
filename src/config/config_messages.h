// Messages of configuration-file loading and saving.
#pragma once

#include "common/text.h"

namespace ztv::msg {

inline constexpr TextPair kConfigRead{"Конфигурация прочитана", "The configuration is read"};
inline constexpr TextPair kConfigWritten{"Конфигурация записана", "The configuration is written"};
inline constexpr TextPair kUnableToWrite{"Не удалось записать в %s", "Unable to write to %s"};
inline constexpr TextPair kConfigNotFound{"Файл конфигурации не найден:\n%s", "The configuration file was not found:\n%s"};
inline constexpr TextPair kConfigUnreadable{"Не удалось прочитать файл конфигурации:\n%s",
                                            "Unable to read the configuration file:\n%s"};
inline constexpr TextPair kConfigTooLarge{"Файл слишком велик для файла конфигурации:\n%s",
                                          "The file is too large to be a configuration file:\n%s"};
inline constexpr TextPair kNoConfigurationInFile{"В файле нет конфигурации устройства:\n%s",
                                                 "The file holds no device configuration:\n%s"};
inline constexpr TextPair kConfigNotChanged{"Текущая конфигурация не изменена.",
                                            "The current configuration is unchanged."};

}  // namespace ztv::msg
