// The configuration file (*.ZTV): every record field under a named key in an INI text, with
// the touch calibration block, the source names and the slot names beside it.
#pragma once

#include <string>

#include "common/ini_document.h"
#include "common/text.h"
#include "config/config_state.h"

namespace ztv {

// Configuration files are about 9 KB; anything far larger is not one.
inline constexpr std::size_t kMaxConfigFileSize = 1024 * 1024;

enum class ConfigFileStatus { Ok, NotFound, Unreadable, TooLarge, WriteFailed };

// What a configuration file holds, as plain data.
struct ConfigImage {
    Record record;
    TouchBlock touch{};
    SlotNames slot_names{};
};

// Field-by-field reading: missing or garbled values give the key's default, never an error.
ConfigImage read_config(const IniDocument& doc);
// Writes every key in the documented order, replacing keys in place and keeping all others.
void write_config(IniDocument& doc, const Record& record, const TouchBlock& touch, const SlotNames& names);

// Loads the file into the state's record, touch block and slot names. A file that is missing,
// unreadable or too large leaves the state untouched and returns the reason; an empty file
// loads as a configuration with every key missing.
ConfigFileStatus load_config_file(const std::string& path, ConfigState& state);

// Saves over path, keeping sections and keys of an existing file that this program does not
// write. The file is replaced only when the whole new text was written.
ConfigFileStatus save_config_file(const std::string& path, const ConfigState& state);

// The message for a failed load or save, with the file name in it.
Text config_file_error(ConfigFileStatus status, const std::string& path);

}  // namespace ztv
