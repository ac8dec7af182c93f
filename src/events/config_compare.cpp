#include "events/config_compare.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <span>
#include <utility>
#include <vector>

#include "common/cp1251.h"
#include "common/format.h"
#include "common/hex.h"
#include "config/field_table.h"
#include "config/parameter_bindings.h"
#include "config/parameter_listing.h"
#include "config/pins.h"
#include "events/slot_display.h"
#include "events/slot_listing.h"
#include "events/slot_model.h"

namespace ztv {
namespace {

constexpr TextPair kNoChanges{"Изменений нет", "No changes"};
constexpr TextPair kAbsent{"(нет)", "(none)"};
constexpr TextPair kSlotHeading{"Слот %u", "Slot %u"};
constexpr TextPair kSlotName{"Имя", "Name"};
constexpr TextPair kStoredBytes{"байты", "bytes"};
// Not "Кнопки": that is the caption of the parameter page "Keys" in Russian.
constexpr TextPair kButtonsHeading{"Обученные кнопки", "Learned buttons"};
constexpr TextPair kButtonName{"канал %u, кнопка %u, имя", "channel %u, button %u, name"};
constexpr TextPair kButtonCode{"канал %u, кнопка %u, код/порог", "channel %u, button %u, code/limit"};
constexpr TextPair kThreshold{"канал %u, порог нажатия", "channel %u, press threshold"};
constexpr TextPair kTouchHeading{"Калибровка сенсорной панели", "Touch panel calibration"};
constexpr TextPair kOtherHeading{"Прочие байты конфигурации", "Other configuration bytes"};
constexpr TextPair kOffset{"байт %u", "byte %u"};
// A name that reads the same on both sides while its field still differs.
constexpr TextPair kNameTail{"(различаются байты после конца имени)", "(bytes after the end of the name differ)"};

constexpr const char* kArrow = " -> ";
constexpr TextPair kDisabledToUsable{"недоступно -> доступно", "disabled -> usable"};
constexpr TextPair kUsableToDisabled{"доступно -> недоступно", "usable -> disabled"};

class Report {
public:
    explicit Report(Lang lang) : lang_(lang) {}
    Lang lang() const { return lang_; }
    const char* pick_text(const TextPair& pair) const { return pick(pair, lang_); }

    // A group is kept only once a line is added under its heading.
    void heading(std::string text) {
        heading_ = std::move(text);
        heading_used_ = false;
    }
    void change(const std::string& label, const std::string& before, const std::string& after) {
        add(CompareLine{label, before, after, {}});
    }
    // A line that says in its own words what changed.
    void note(const std::string& label, const std::string& what) { add(CompareLine{label, {}, {}, what}); }
    std::size_t size() const { return lines_; }
    std::vector<CompareGroup> take() { return std::move(groups_); }

private:
    void add(CompareLine line) {
        if (!heading_used_) {
            groups_.push_back(CompareGroup{heading_, {}});
            heading_used_ = true;
        }
        groups_.back().lines.push_back(std::move(line));
        ++lines_;
    }

    Lang lang_;
    std::vector<CompareGroup> groups_;
    std::size_t lines_ = 0;
    std::string heading_;
    bool heading_used_ = true;
};

// The groups as a person reads them: the heading, then each line indented.
std::string comparison_text(const std::vector<CompareGroup>& groups) {
    std::string text;
    for (const CompareGroup& group : groups) {
        text += group.heading + "\n";
        for (const CompareLine& line : group.lines) {
            text += "  ";
            if (!line.label.empty()) text += line.label + ": ";
            text += (line.note.empty() ? line.before + kArrow + line.after : line.note) + "\n";
        }
    }
    return text;
}

std::string absent(Lang lang) { return pick(kAbsent, lang); }

// The bits of one record byte that a control shows.
struct ShownByte {
    std::size_t offset;
    std::uint8_t mask;
};

std::vector<ShownByte> shown_bytes(const ParamBinding& row) {
    std::vector<ShownByte> bytes;
    const auto whole = [&](std::size_t offset, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) bytes.push_back({offset + i, 0xFF});
    };
    switch (row.target) {
        case BindingTarget::LongPress: whole(kHeaderOffset, 2); break;
        case BindingTarget::SourceNames: whole(kSourceNamesOffset, kSourceCount * kSourceNameSize); break;
        case BindingTarget::PinMode: whole(pin_mode_offset(row.pin), 1); break;
        case BindingTarget::Field: {
            if (row.field == FieldId::Count) break;
            const FieldDef& def = field(row.field);
            switch (def.kind) {
                case FieldKind::Byte: whole(def.offset, 1); break;
                case FieldKind::Word: whole(def.offset, 2); break;
                case FieldKind::Hex: whole(def.offset, def.length); break;
                case FieldKind::Bits: {
                    const std::uint32_t bits = def.width_mask() << def.first_bit;
                    bytes.push_back({def.offset, static_cast<std::uint8_t>(bits)});
                    if (def.wide) bytes.push_back({def.offset + 1u, static_cast<std::uint8_t>(bits >> 8)});
                    break;
                }
            }
            break;
        }
        case BindingTarget::TouchOffset:
        case BindingTarget::None: break;
    }
    return bytes;
}

bool shown_bytes_differ(const ParamBinding& row, const Record& before, const Record& after) {
    for (const ShownByte& byte : shown_bytes(row))
        if (((before.u8(byte.offset) ^ after.u8(byte.offset)) & byte.mask) != 0) return true;
    return false;
}

std::string hex_of(const ParamBinding& row, const Record& record) {
    std::string text;
    for (const ShownByte& byte : shown_bytes(row)) text += strprintf("%02X", record.u8(byte.offset) & byte.mask);
    return text;
}

// A control whose stored value differs although its page line does not (the refresh restates
// an out-of-range UART delay, a list shows "?" for two unknown values): the value as stored,
// or when that reads the same too, what differs underneath.
void compare_stored(Report& report, const ParamBinding& row, const ConfigState& before, const ConfigState& after) {
    const auto old_line = list_stored_control(before, row.control, report.lang());
    const auto new_line = list_stored_control(after, row.control, report.lang());
    if (!old_line || !new_line) return;
    const std::string label = new_line->labelled ? new_line->label : std::string();
    if (old_line->bare_value != new_line->bare_value)
        report.change(label, old_line->bare_value, new_line->bare_value);
    else if (row.target == BindingTarget::SourceNames)
        report.note(label, new_line->bare_value + " " + report.pick_text(kNameTail));
    else
        report.note(label, new_line->bare_value + " (" + report.pick_text(kStoredBytes) + " " +
                               hex_of(row, before.record) + kArrow + hex_of(row, after.record) + ")");
}

// Pages keep their order and the same controls whatever the record holds; a control that is
// hidden on one side shows as absent there.
void compare_pages(Report& report, const ConfigState& stored_before, const ConfigState& stored_after) {
    ConfigState before = stored_before;
    ConfigState after = stored_after;
    const auto pages_before = list_parameter_pages(before, report.lang());
    const auto pages_after = list_parameter_pages(after, report.lang());
    for (std::size_t page = 0; page < std::min(pages_before.size(), pages_after.size()); ++page) {
        report.heading(pages_after[page].caption);
        std::set<std::string_view> values_shown;  // controls whose line above shows their change
        std::map<std::string_view, const ParameterLine*> old_lines;
        for (const ParameterLine& line : pages_before[page].lines) old_lines[line.control] = &line;
        for (const ParameterLine& line : pages_after[page].lines) {
            const auto found = old_lines.find(line.control);
            const ParameterLine* old_line = found == old_lines.end() ? nullptr : found->second;
            if (old_line != nullptr) old_lines.erase(found);
            const std::string old_value = old_line == nullptr ? absent(report.lang()) : old_line->value;
            if (old_value == line.value) continue;
            if (old_line == nullptr || old_line->bare_value != line.bare_value) values_shown.insert(line.control);
            const std::string label = line.labelled ? line.label : std::string();
            // The same value, usable on one side only: say so rather than "no (disabled) -> no".
            if (old_line != nullptr && old_line->bare_value == line.bare_value)
                report.note(label, line.bare_value + " (" +
                                       report.pick_text(line.enabled ? kDisabledToUsable : kUsableToDisabled) + ")");
            else
                report.change(label, old_value, line.value);
        }
        for (const ParameterLine& line : pages_before[page].lines)
            if (old_lines.count(line.control) != 0) {
                report.change(line.labelled ? line.label : std::string(), line.value, absent(report.lang()));
                values_shown.insert(line.control);
            }
        for (const ParamBinding& row : page_bindings(static_cast<ParamPage>(page)))
            if (values_shown.count(row.control) == 0 && shown_bytes_differ(row, stored_before.record, stored_after.record))
                compare_stored(report, row, stored_before, stored_after);
    }
}

std::vector<SlotLine> slot_lines(ConfigState& state, std::size_t slot, Lang lang) {
    if (slots::is_empty(state.record, slot)) return {};
    return list_slot(state, slot, lang).lines;
}

std::string slot_name(const ConfigSnapshot& image, std::size_t slot) {
    return cp1251_to_utf8(field_text(image.slot_names[slot].data(), kSlotNameSize));
}

void compare_slots(Report& report, const ConfigSnapshot& before_image, const ConfigSnapshot& after_image,
                   CompareScope scope) {
    ConfigState before;
    ConfigState after;
    restore_snapshot(before_image, before);
    restore_snapshot(after_image, after);
    normalize_all_slots(before.record);
    normalize_all_slots(after.record);
    const Lang lang = report.lang();
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const auto bytes_before = before_image.record.slot(slot);
        const auto bytes_after = after_image.record.slot(slot);
        const std::string name_before = slot_name(before_image, slot);
        const std::string name_after = slot_name(after_image, slot);
        const bool names_differ = scope.slot_names && before_image.slot_names[slot] != after_image.slot_names[slot];
        if (std::equal(bytes_before.begin(), bytes_before.end(), bytes_after.begin()) && !names_differ) continue;

        const std::string& shown_name = name_after.empty() || !scope.slot_names ? name_before : name_after;
        std::string heading = strprintf(report.pick_text(kSlotHeading), static_cast<unsigned>(slot + 1));
        if (scope.slot_names && !shown_name.empty()) heading += " (" + shown_name + ")";
        report.heading(std::move(heading));
        if (names_differ && name_before == name_after)
            report.note(report.pick_text(kSlotName), name_after + " " + report.pick_text(kNameTail));
        else if (names_differ)
            report.change(report.pick_text(kSlotName), name_before.empty() ? absent(lang) : name_before,
                          name_after.empty() ? absent(lang) : name_after);
        const std::size_t length = report.size();

        std::vector<SlotLine> old_lines = slot_lines(before, slot, lang);
        for (const SlotLine& line : slot_lines(after, slot, lang)) {
            const auto found = std::find_if(old_lines.begin(), old_lines.end(), [&](const SlotLine& old) {
                return old.reaction == line.reaction && old.label == line.label;
            });
            std::string old_value = absent(lang);
            if (found != old_lines.end()) {
                old_value = found->value;
                old_lines.erase(found);
            }
            if (old_value != line.value) report.change(line.caption, old_value, line.value);
        }
        for (const SlotLine& line : old_lines) report.change(line.caption, line.value, absent(lang));

        // Bytes that no description line shows still differ: say so rather than nothing.
        if (report.size() == length && !std::equal(bytes_before.begin(), bytes_before.end(), bytes_after.begin()))
            report.change(report.pick_text(kStoredBytes), to_hex(bytes_before), to_hex(bytes_after));
    }
}

std::string button_name(const Record& record, std::size_t channel, std::size_t button) {
    return cp1251_to_utf8(record.button_name(channel, button));
}

void compare_buttons(Report& report, const Record& before, const Record& after) {
    report.heading(report.pick_text(kButtonsHeading));
    const Lang lang = report.lang();
    for (std::size_t channel = 0; channel < kChannels; ++channel)
        if (before.press_threshold(channel) != after.press_threshold(channel))
            report.change(strprintf(pick(kThreshold, lang), static_cast<unsigned>(channel + 1)),
                          std::to_string(before.press_threshold(channel)), std::to_string(after.press_threshold(channel)));
    for (std::size_t channel = 0; channel < kChannels; ++channel)
        for (std::size_t button = 0; button < kButtonsPerChannel; ++button) {
            const auto number = [&](const TextPair& format) {
                return strprintf(pick(format, lang), static_cast<unsigned>(channel + 1), static_cast<unsigned>(button + 1));
            };
            const std::string old_name = button_name(before, channel, button);
            const std::string new_name = button_name(after, channel, button);
            const std::size_t name_at = Record::button_offset(channel, button) + 4;
            const bool name_bytes_differ = !std::equal(before.raw.begin() + static_cast<std::ptrdiff_t>(name_at),
                                                       before.raw.begin() + static_cast<std::ptrdiff_t>(name_at + kButtonNameSize),
                                                       after.raw.begin() + static_cast<std::ptrdiff_t>(name_at));
            if (name_bytes_differ && old_name == new_name)
                report.note(number(kButtonName), new_name + " " + report.pick_text(kNameTail));
            else if (name_bytes_differ)
                report.change(number(kButtonName), old_name.empty() ? absent(lang) : old_name,
                              new_name.empty() ? absent(lang) : new_name);
            const auto code = [&](const Record& record) {
                return strprintf("%u/%u", record.button_code(channel, button), record.button_limit(channel, button));
            };
            if (code(before) != code(after)) report.change(number(kButtonCode), code(before), code(after));
        }
}

// Everything the groups above do not show: the record is compared byte for byte, and every
// differing bit that no page control, slot or learned button accounts for is listed by offset.
void compare_remaining(Report& report, const Record& before, const Record& after) {
    std::array<std::uint8_t, kRecordSize> shown{};
    const auto whole = [&](std::size_t offset, std::size_t count) {
        std::fill_n(shown.begin() + static_cast<std::ptrdiff_t>(offset), count, std::uint8_t{0xFF});
    };
    whole(kHeaderOffset + 2, kHeaderSize - 2);  // press thresholds
    whole(kButtonTableOffset, kButtonTableSize);
    whole(kSlotArrayOffset, kSlotCount * kSlotSize);
    for (const ParamBinding& row : parameter_bindings())
        for (const ShownByte& byte : shown_bytes(row)) shown[byte.offset] |= byte.mask;
    report.heading(report.pick_text(kOtherHeading));
    for (std::size_t offset = 0; offset < kRecordSize; ++offset) {
        if (((before.u8(offset) ^ after.u8(offset)) & ~shown[offset]) == 0) continue;
        report.change(strprintf(report.pick_text(kOffset), static_cast<unsigned>(offset)),
                      strprintf("%02X", before.u8(offset)), strprintf("%02X", after.u8(offset)));
    }
}

}  // namespace

bool configurations_differ(const ConfigSnapshot& before, const ConfigSnapshot& after, CompareScope scope) {
    const auto a = before.record.bytes();
    const auto b = after.record.bytes();
    return !std::equal(a.begin(), a.end(), b.begin()) || before.touch != after.touch ||
           (scope.slot_names && before.slot_names != after.slot_names);
}

Comparison compare_configurations(const ConfigSnapshot& before, const ConfigSnapshot& after, Lang lang,
                                  CompareScope scope) {
    Comparison result;
    result.differ = configurations_differ(before, after, scope);
    if (!result.differ) {
        result.text = std::string(pick(kNoChanges, lang)) + "\n";
        return result;
    }
    Report report(lang);
    ConfigState state_before;
    ConfigState state_after;
    restore_snapshot(before, state_before);
    restore_snapshot(after, state_after);
    compare_pages(report, state_before, state_after);
    compare_slots(report, before, after, scope);
    compare_buttons(report, before.record, after.record);
    if (before.touch != after.touch) {
        report.heading(report.pick_text(kTouchHeading));
        report.change({}, to_hex(before.touch), to_hex(after.touch));
    }
    compare_remaining(report, before.record, after.record);
    result.groups = report.take();
    result.text = comparison_text(result.groups);
    if (!scope.before.empty() || !scope.after.empty()) result.text = scope.before + kArrow + scope.after + "\n" + result.text;
    return result;
}

}  // namespace ztv
