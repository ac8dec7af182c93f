#include "config/config_file.h"

#include <algorithm>
#include <array>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/format.h"
#include "common/hex.h"
#include "common/profile_int.h"
#include "config/config_messages.h"
#include "config/field_table.h"

namespace ztv {
namespace {

constexpr const char* kTouchSection = "TOUCH";
constexpr const char* kParamSection = "PARAM";
constexpr const char* kEventsSection = "EVENTS";
constexpr const char* kSourceSection = "SOURCE";
constexpr const char* kSlotNameSection = "EVRESPNAME";

const char* section_name(FileSection section) {
    return section == FileSection::Source ? kSourceSection : kParamSection;
}

// The numbered section and key names, formatted once: a file is read and written with several
// hundred of them.
template <std::size_t N>
std::array<std::string, N> numbered(const char* format) {
    std::array<std::string, N> names;
    for (std::size_t i = 0; i < N; ++i) names[i] = strprintf(format, i + 1);
    return names;
}
struct NumberedNames {
    std::array<std::string, kChannels> button_sections = numbered<kChannels>("KEYSCH%zu");
    std::array<std::string, kButtonsPerChannel> button_keys = numbered<kButtonsPerChannel>("KEY%02zu");
    std::array<std::string, kSlotCount> slot_keys = numbered<kSlotCount>("EVRESP%02zu");
    std::array<std::string, kSourceCount> source_keys = numbered<kSourceCount>("NAME%zu");
    std::array<std::string, kSlotCount> slot_name_keys = numbered<kSlotCount>("TAB%zu");
};
const NumberedNames& file_names() {
    static const NumberedNames table;
    return table;
}

std::span<std::uint8_t> record_span(Record& record, std::size_t offset, std::size_t length) {
    return std::span<std::uint8_t>(record.data() + offset, length);
}
std::span<const std::uint8_t> record_span(const Record& record, std::size_t offset, std::size_t length) {
    return std::span<const std::uint8_t>(record.data() + offset, length);
}

void write_field(IniDocument& doc, const Record& record, const FieldDef& def) {
    if (def.kind == FieldKind::Hex) {
        doc.set(section_name(def.section), def.key, to_hex(record_span(record, def.offset, def.length)));
    } else {
        doc.set(section_name(def.section), def.key, std::to_string(get_field(record, def.id)));
    }
}

void read_int_field(const IniDocument& doc, Record& record, const FieldDef& def) {
    std::uint32_t value = def.file_default;
    if (const auto text = doc.get(section_name(def.section), def.key)) {
        if (const auto parsed = parse_profile_int(*text)) value = *parsed;
    }
    set_field(record, def.id, value);
}

void read_hex(const IniDocument& doc, const char* section, const std::string& key, std::span<std::uint8_t> out) {
    from_hex(doc.get(section, key).value_or(std::string_view()), out);
}

}  // namespace

void write_config(IniDocument& doc, const Record& record, const TouchBlock& touch, const SlotNames& names) {
    doc.set(kTouchSection, "TOUCH", to_hex(touch));
    for (const FieldDef& def : all_fields())
        if (def.section == FileSection::Param) write_field(doc, record, def);
    for (std::size_t channel = 0; channel < kChannels; ++channel) {
        const std::string& section = file_names().button_sections[channel];
        for (std::size_t button = 0; button < kButtonsPerChannel; ++button)
            doc.set(section, file_names().button_keys[button],
                    to_hex(record_span(record, Record::button_offset(channel, button), kButtonEntrySize)));
    }
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) doc.set(kEventsSection, file_names().slot_keys[slot], to_hex(record.slot(slot)));
    write_field(doc, record, field(FieldId::USE_NAME));
    for (std::size_t source = 0; source < kSourceCount; ++source)
        doc.set_text(kSourceSection, file_names().source_keys[source], record.source_name(source));
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        doc.set_text(kSlotNameSection, file_names().slot_name_keys[slot], field_text(names[slot].data(), kSlotNameSize));
}

ConfigImage read_config(const IniDocument& doc) {
    ConfigImage image;
    read_hex(doc, kTouchSection, "TOUCH", image.touch);
    Record& record = image.record;
    // Integer keys first; the hex blobs after them, so ANAPARAM overwrites the single analog keys.
    for (const FieldDef& def : all_fields())
        if (def.section == FileSection::Param && def.kind != FieldKind::Hex) read_int_field(doc, record, def);
    for (const FieldDef& def : all_fields())
        if (def.section == FileSection::Param && def.kind == FieldKind::Hex)
            read_hex(doc, kParamSection, def.key, record_span(record, def.offset, def.length));
    for (std::size_t channel = 0; channel < kChannels; ++channel) {
        const std::string& section = file_names().button_sections[channel];
        for (std::size_t button = 0; button < kButtonsPerChannel; ++button)
            read_hex(doc, section.c_str(), file_names().button_keys[button],
                     record_span(record, Record::button_offset(channel, button), kButtonEntrySize));
    }
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) read_hex(doc, kEventsSection, file_names().slot_keys[slot], record.slot(slot));
    read_int_field(doc, record, field(FieldId::USE_NAME));
    for (std::size_t source = 0; source < kSourceCount; ++source)
        record.set_source_name(source, doc.get(kSourceSection, file_names().source_keys[source]).value_or(std::string_view()));
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        put_field_text(image.slot_names[slot], doc.get(kSlotNameSection, file_names().slot_name_keys[slot]).value_or(std::string_view()));
    return image;
}

bool holds_configuration(const IniDocument& doc) {
    for (const char* section : {kTouchSection, kParamSection, kEventsSection, kSourceSection, kSlotNameSection})
        if (doc.has_section(section)) return true;
    for (std::size_t channel = 0; channel < kChannels; ++channel)
        if (doc.has_section(file_names().button_sections[channel])) return true;
    return false;
}

ConfigFileStatus load_config_file(const std::string& path, ConfigState& state) {
    const FileReadResult file = read_file_bounded(path, kMaxConfigFileSize);
    switch (file.status) {
        case FileReadStatus::Ok: break;
        case FileReadStatus::NotFound: return ConfigFileStatus::NotFound;
        case FileReadStatus::Unreadable: return ConfigFileStatus::Unreadable;
        case FileReadStatus::TooLarge: return ConfigFileStatus::TooLarge;
    }
    return load_config_text(file.content, state);
}

ConfigFileStatus load_config_text(const std::string& text, ConfigState& state) {
    const IniDocument doc = IniDocument::parse(text);
    if (!holds_configuration(doc)) return ConfigFileStatus::NotConfiguration;
    const ConfigImage image = read_config(doc);
    // Only the 2038 record bytes come from the file; nothing past them is touched.
    std::copy_n(image.record.raw.begin(), kRecordSize, state.record.raw.begin());
    state.touch = image.touch;
    state.slot_names = image.slot_names;
    return ConfigFileStatus::Ok;
}

FileWriteStatus save_config_file(const std::string& path, const ConfigState& state) {
    const FileReadResult existing = read_file_bounded(path, kMaxConfigFileSize);
    switch (existing.status) {
        case FileReadStatus::Ok:
        case FileReadStatus::NotFound: break;
        // Saving over a file we cannot read would lose the sections it holds.
        case FileReadStatus::TooLarge: return FileWriteStatus::BeyondReadLimit;
        case FileReadStatus::Unreadable: return unreadable_reason(path);
    }
    return replace_file(path, config_text(state, existing.content), kMaxConfigFileSize);
}

std::string config_text(const ConfigState& state, std::string_view over) {
    IniDocument doc = IniDocument::parse(over);
    write_config(doc, state.record, state.touch, state.slot_names);
    return doc.serialize();
}

Text config_file_error(ConfigFileStatus status, const std::string& path) {
    switch (status) {
        case ConfigFileStatus::Ok: return {};
        case ConfigFileStatus::NotFound: return format_pair(msg::kConfigNotFound, path.c_str());
        case ConfigFileStatus::Unreadable:
            return join(format_pair(msg::kConfigUnreadable, path.c_str()), "\n", why_unreadable(path));
        case ConfigFileStatus::TooLarge: return format_pair(msg::kConfigTooLarge, path.c_str());
        case ConfigFileStatus::NotConfiguration: return format_pair(msg::kNoConfigurationInFile, path.c_str());
    }
    return {};
}

Text config_file_error(FileWriteStatus status, const std::string& path) {
    if (status == FileWriteStatus::Ok) return {};
    return join(format_pair(msg::kUnableToWrite, path.c_str()), "\n", write_failure_reason(status));
}

}  // namespace ztv
