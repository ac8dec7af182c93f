// The configuration file (*.ZTV): every record field under a named key in an INI text, with
// the touch calibration block, the source names and the slot names beside it.
#pragma once

#include <string>

#include "common/file_io.h"
#include "common/ini_document.h"
#include "common/text.h"
#include "config/config_state.h"

namespace ztv {

// Configuration files are about 9 KB; anything far larger is not one.
inline constexpr std::size_t kMaxConfigFileSize = 1024 * 1024;

// How a load ended. NotConfiguration: the file holds none of the program's sections (an empty
// file, a text of another kind, random bytes), so loading it would wipe the configuration.
enum class ConfigFileStatus { Ok, NotFound, Unreadable, TooLarge, NotConfiguration };

// What a configuration file holds, as plain data.
struct ConfigImage {
    Record record;
    TouchBlock touch{};
    SlotNames slot_names{};
};

// Field-by-field reading: missing or garbled values give the key's default, never an error.
ConfigImage read_config(const IniDocument& doc);
// Whether the text holds at least one of the sections this program writes (every file it
// wrote does); only such a text is taken as a configuration.
bool holds_configuration(const IniDocument& doc);
// Writes every key in the documented order, replacing keys in place and keeping all others.
void write_config(IniDocument& doc, const Record& record, const TouchBlock& touch, const SlotNames& names);

// Loads the file into the state's record, touch block and slot names. A file that is missing,
// unreadable, too large or holds no configuration leaves the state untouched and returns the
// reason; within a configuration, missing keys take their defaults.
ConfigFileStatus load_config_file(const std::string& path, ConfigState& state);
// The same from a text already read (standard input): Ok or NotConfiguration.
ConfigFileStatus load_config_text(const std::string& text, ConfigState& state);

// Saves over path, keeping sections, keys and line ends of an existing file that this program
// does not write (see replace_file for links, permissions and atomic replacement). A save
// whose text would exceed kMaxConfigFileSize is refused, so every saved file loads again.
FileWriteStatus save_config_file(const std::string& path, const ConfigState& state);
// The text a save writes over the text `over` (an existing file's, standard input's), keeping
// what other programs put there; a new file's when it is empty.
std::string config_text(const ConfigState& state, std::string_view over = {});

// The message for a failed load or save, with the file name in it. A save's message is
// "Unable to write to <file>" with the reason on a second line.
Text config_file_error(ConfigFileStatus status, const std::string& path);
Text config_file_error(FileWriteStatus status, const std::string& path);

}  // namespace ztv
