#include "tools/button_grid.h"

#include <algorithm>
#include <cstdlib>

#include "common/cp1251.h"
#include "common/format.h"
#include "tools/learning_messages.h"

namespace ztv {
namespace {

// Two readings closer than this are the same button.
constexpr int kSameButtonDistance = 64;

bool button_cell(unsigned column, unsigned row) { return column < kChannels && row >= 1 && row <= kButtonsPerChannel; }
bool encoder_cell(unsigned column, unsigned row) { return column == kEncoderColumn && row >= 1 && row < kGridRows; }

const TextPair& encoder_hint(unsigned row) {
    static constexpr TextPair kHints[kEncoderRows] = {msg::kHintEncoder1Up, msg::kHintEncoder1Down,
                                                      msg::kHintEncoder2Up, msg::kHintEncoder2Down};
    return kHints[row - 1];
}

const std::string& empty_text() {
    static const std::string kEmpty;
    return kEmpty;
}

}  // namespace

std::string fit_button_name(std::string_view utf8) {
    // A character the controller cannot store is refused as typed, not turned into "?".
    std::string kept;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const std::string_view character = utf8.substr(i, length);
        if (cp1251_to_utf8(utf8_to_cp1251(character)) == character) kept += character;
        i += length;
    }
    std::string bytes = utf8_to_cp1251(kept);
    bytes = bytes.substr(0, bytes.find('\0'));
    if (bytes.size() > kButtonNameSize) bytes.resize(kButtonNameSize);
    return cp1251_to_utf8(bytes);
}

bool channel_has_buttons(const Record& record, unsigned channel) {
    if (channel >= kChannels) return false;
    const auto first = record.bytes().begin() + static_cast<std::ptrdiff_t>(Record::button_offset(channel, 0));
    return std::any_of(first, first + kButtonsPerChannel * kButtonEntrySize, [](std::uint8_t b) { return b != 0; });
}

Text grid_header(unsigned column) {
    if (column < kChannels) return format_pair(msg::kGridChannelHeader, static_cast<int>(column + 1));
    return to_text(msg::kGridEncoderHeader);
}

const std::string& ButtonGrid::text(unsigned column, unsigned row) const {
    if (column >= kGridColumns || row < 1 || row >= kGridRows) return empty_text();
    return text_[column][row];
}

bool ButtonGrid::highlighted(unsigned column, unsigned row) const {
    return button_cell(column, row) && highlight_[column][row];
}

void ButtonGrid::fill_from_record(const Record& record) {
    for (unsigned channel = 0; channel < kChannels; ++channel)
        for (unsigned row = 1; row < kGridRows; ++row) cell(channel, row) = button_cell_text(record, channel, row);
    for (unsigned row = 1; row < kGridRows; ++row)
        cell(kEncoderColumn, row) = row <= kEncoderRows ? encoder_cell_text(record, row) : std::string();
    clear_all_highlights();
}

void ButtonGrid::names_to_record(Record& record) const {
    for (unsigned channel = 0; channel < kChannels; ++channel) {
        for (unsigned row = 1; row < kGridRows; ++row) {
            const std::string& name = text_[channel][row];
            record.set_button_name(channel, row - 1, is_automatic_name(name) ? std::string() : utf8_to_cp1251(name));
        }
    }
}

std::optional<unsigned> ButtonGrid::record_code(Record& record, unsigned channel, std::uint16_t code) {
    if (channel >= kChannels || code == 0) return std::nullopt;
    std::optional<std::size_t> entry;
    for (std::size_t e = 0; e < kButtonsPerChannel && !entry; ++e) {
        const std::uint16_t known = record.button_code(channel, e);
        if (known != 0 && std::abs(int{known} - int{code}) < kSameButtonDistance) entry = e;
    }
    for (std::size_t e = 0; e < kButtonsPerChannel && !entry; ++e)
        if (record.button_code(channel, e) == 0) entry = e;
    if (!entry) return std::nullopt;  // fifteen buttons already: the channel is full

    record.set_u16(Record::button_offset(channel, *entry), code);
    const unsigned row = static_cast<unsigned>(*entry) + 1;
    if (is_automatic_name(record.button_name(channel, *entry))) cell(channel, row) = automatic_name(channel, code);
    clear_highlights(channel);
    highlight_[channel][row] = true;
    return row;
}

void ButtonGrid::clear_highlights(unsigned channel) {
    if (channel < kChannels) highlight_[channel].fill(false);
}

void ButtonGrid::clear_all_highlights() {
    for (auto& column : highlight_) column.fill(false);
}

bool ButtonGrid::selectable(const Record& record, unsigned column, unsigned row) const {
    if (button_cell(column, row)) return record.button_code(column, row - 1) != 0;
    if (encoder_cell(column, row)) return encoder_row_connected(record, row);
    return false;
}

GridHover ButtonGrid::hover(const Record& record, unsigned column, unsigned row) const {
    GridHover hover;
    if (row == 0) {
        hover.cursor = channel_has_buttons(record, column) ? GridCursor::Help : GridCursor::Default;
        return hover;
    }
    if (button_cell(column, row)) {
        const std::uint16_t code = record.button_code(column, row - 1);
        if (code == 0) {
            hover.cursor = GridCursor::NoEntry;
            return hover;
        }
        hover.cursor = GridCursor::Hand;
        const unsigned limit = record.button_limit(column, row - 1);
        const std::string& name = text(column, row);
        hover.hint = is_automatic_name(name)
                         ? format_pair(msg::kHintAutomaticButton, column + 1, unsigned{code}, limit)
                         : format_pair(msg::kHintNamedButton, name.c_str(), column + 1, unsigned{code}, limit);
        return hover;
    }
    if (encoder_cell(column, row) && encoder_row_connected(record, row)) {
        hover.cursor = GridCursor::Hand;
        hover.hint = to_text(encoder_hint(row));
        return hover;
    }
    hover.cursor = GridCursor::NoEntry;
    return hover;
}

std::optional<GridButton> ButtonGrid::drag_source(const Record& record, unsigned column, unsigned row) const {
    if (!selectable(record, column, row)) return std::nullopt;
    return GridButton{static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row)};
}

GridPopup ButtonGrid::popup_at(const Record& record, unsigned column, unsigned row) const {
    if (row == 0 && channel_has_buttons(record, column))
        return {kPopupDeleteChannel, format_pair(msg::kDeleteChannel, static_cast<int>(column + 1))};
    if (button_cell(column, row) && record.button_code(column, row - 1) != 0)
        return {kPopupDeleteKey, to_text(msg::kDeleteThisKey)};
    return {};
}

void ButtonGrid::delete_key(Record& record, unsigned column, unsigned row) {
    if (!button_cell(column, row)) return;
    const std::size_t offset = Record::button_offset(column, row - 1);
    std::fill_n(record.data() + offset, kButtonEntrySize, std::uint8_t{0});
    cell(column, row).clear();
    highlight_[column][row] = false;
}

void ButtonGrid::delete_channel(Record& record, unsigned channel) {
    if (channel >= kChannels) return;
    std::fill_n(record.data() + Record::button_offset(channel, 0), kButtonsPerChannel * kButtonEntrySize,
                std::uint8_t{0});
    for (unsigned row = 1; row < kGridRows; ++row) cell(channel, row).clear();
    clear_highlights(channel);
}

bool ButtonGrid::editor_opened(unsigned column, unsigned row) {
    if (!button_cell(column, row)) return false;
    if (edit_state_ == EditState::Idle) {
        edit_column_ = column;
        edit_row_ = row;
        edit_start_text_ = text(column, row);
        edit_state_ = EditState::Opened;
    }
    return true;
}

TypedName ButtonGrid::editor_typed(const Record& record, unsigned column, unsigned row, std::string_view text) const {
    if (encoder_cell(column, row)) return {row <= kEncoderRows ? encoder_cell_text(record, row) : std::string(), true};
    if (!button_cell(column, row)) return {std::string(), true};
    return {fit_button_name(text), false};
}

void ButtonGrid::editor_closed(unsigned column, unsigned row, std::string_view text) {
    if (button_cell(column, row)) cell(column, row) = fit_button_name(text);
}

bool ButtonGrid::name_taken(std::string_view name, unsigned column, unsigned row) const {
    for (unsigned c = 0; c < kChannels; ++c)
        for (unsigned r = 1; r < kGridRows; ++r)
            if ((c != column || r != row) && text_[c][r] == name) return true;
    return false;
}

EditOutcome ButtonGrid::commit_tick(Record& record, bool editor_open) {
    EditOutcome outcome;
    if (edit_state_ == EditState::Idle) return outcome;
    if (editor_open) {
        if (edit_state_ == EditState::Opened) edit_state_ = EditState::Seen;
        return outcome;
    }
    // A closed editor is committed even when no tick saw it open: a name typed and confirmed
    // within one polling period must not wait for (or land on) the next cell edited.
    edit_state_ = EditState::Idle;
    outcome.redraw = EditOutcome::Redraw::Page;
    const unsigned column = edit_column_;
    const unsigned row = edit_row_;
    const std::uint16_t code = record.button_code(column, row - 1);
    if (code == 0) return outcome;  // the button went while its name was typed

    std::string name = fit_button_name(text(column, row));
    if (name.empty()) name = automatic_name(column, code);
    if (name_taken(name, column, row)) {
        outcome.accepted = false;
        outcome.message = format_pair(msg::kNameTaken, name.c_str());
        outcome.box_type = kBoxInformation;
        name = edit_start_text_;
    }
    cell(column, row) = name;
    record.set_button_name(column, row - 1, is_automatic_name(name) ? std::string() : utf8_to_cp1251(name));
    return outcome;
}

}  // namespace ztv
