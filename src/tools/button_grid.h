// The learned-button grid as the "Keys" page shows it: 5 columns (channels 1-4 and the encoder
// directions) by 16 rows (a header and the 15 buttons of a channel). It holds the cell texts
// and the highlight flags, records the codes that learning reports, names buttons in place,
// and answers what the pointer, a right-click and a drag may do on a cell. The record stays
// the truth: texts are rebuilt from it, and names go back into it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogues/button_labels.h"
#include "common/control_view.h"
#include "common/text.h"
#include "config/record.h"

namespace ztv {

inline constexpr unsigned kGridColumns = 5;  // channels 1-4, then the encoder column
inline constexpr unsigned kGridRows = 16;    // row 0 is the header

enum class GridCursor : std::uint8_t { Default, Hand, NoEntry, Help };

// A button as events refer to it: column 0-3 (or 4 for an encoder) and row 1-15.
struct GridButton {
    std::uint8_t channel = 0;
    std::uint8_t key = 0;
};

// What the pointer shows over a cell.
struct GridHover {
    GridCursor cursor = GridCursor::Default;
    Text hint;  // empty: no hint
};

// Pending actions of the main window's shared popup menu that the grid opens.
inline constexpr int kPopupDeleteKey = 1;
inline constexpr int kPopupDeleteModKey = 2;
inline constexpr int kPopupDeleteKeyRef = 3;
inline constexpr int kPopupDeleteChannel = 6;

struct GridPopup {
    int action = 0;  // 0: no menu
    Text caption;
};

// The in-place editor's text as it must be shown after a keystroke.
struct TypedName {
    std::string text;
    bool close = false;  // encoder cells keep their fixed text and close the editor
};

// Cuts a typed name to what the record can hold: five Windows-1251 characters (others are
// left out), given back as UTF-8.
std::string fit_button_name(std::string_view utf8);

// Channel c has at least one learned button (its 135 bytes are not all zero).
bool channel_has_buttons(const Record& record, unsigned channel);

// The header of a column in both languages: "Ch 1" to "Ch 4", then "Encoder".
Text grid_header(unsigned column);

class ButtonGrid {
public:
    ButtonGrid() = default;

    // Cell text (UTF-8) of column 0-4, row 1-15; the empty text elsewhere.
    const std::string& text(unsigned column, unsigned row) const;
    bool highlighted(unsigned column, unsigned row) const;

    // The record to the cells: stored names, automatic names, the encoder directions in use.
    // All highlight flags are cleared.
    void fill_from_record(const Record& record);
    // The cells to the record before the record leaves the program (to the controller or a
    // file): names of their own are stored, automatic names never.
    void names_to_record(Record& record) const;

    // --- learning ---
    // A code read on channel 0-3: the entry within 63 codes of it takes it, or the first free
    // entry; a full channel ignores it. Returns the row (1-15) that was highlighted.
    std::optional<unsigned> record_code(Record& record, unsigned channel, std::uint16_t code);
    void clear_highlights(unsigned channel);
    void clear_all_highlights();

    // --- pointer, selection, drags ---
    bool selectable(const Record& record, unsigned column, unsigned row) const;
    GridHover hover(const Record& record, unsigned column, unsigned row) const;
    // A learned button or an encoder direction in use may be dragged onto an event.
    std::optional<GridButton> drag_source(const Record& record, unsigned column, unsigned row) const;

    // --- popup menu ---
    GridPopup popup_at(const Record& record, unsigned column, unsigned row) const;
    // Action 1 on the grid's side: the 9-byte entry and its cell (the events that refer to the
    // button are the slot table's business: delete_learned_button does both).
    void delete_key(Record& record, unsigned column, unsigned row);
    // Action 6: the channel's 135 bytes and cells; references in events stay as they are.
    void delete_channel(Record& record, unsigned channel);

    // --- naming in place ---
    // The in-place editor opened on a cell. False: it must close at once (encoder cells).
    bool editor_opened(unsigned column, unsigned row);
    // A keystroke in the open editor.
    TypedName editor_typed(const Record& record, unsigned column, unsigned row, std::string_view text) const;
    // The editor closed with this text in it: the cell shows it until the commit.
    void editor_closed(unsigned column, unsigned row, std::string_view text);
    // Runs on every polling tick: a closed editor's name is checked and stored. Refused
    // (a name another cell shows) gives the message and the cell's old text; Page asks for
    // the grid selection to go and the current slot's description to be redrawn.
    EditOutcome commit_tick(Record& record, bool editor_open);
    int name_edit_state() const { return static_cast<int>(edit_state_); }

private:
    enum class EditState : std::uint8_t { Idle = 0, Opened = 1, Seen = 2 };

    std::string& cell(unsigned column, unsigned row) { return text_[column][row]; }
    bool name_taken(std::string_view name, unsigned column, unsigned row) const;

    std::array<std::array<std::string, kGridRows>, kGridColumns> text_{};
    std::array<std::array<bool, kGridRows>, kChannels> highlight_{};
    EditState edit_state_ = EditState::Idle;
    unsigned edit_column_ = 0;
    unsigned edit_row_ = 0;
    std::string edit_start_text_;
};

}  // namespace ztv
