// The one place that turns a control's metadata and a stored value into what its bound widget
// shows, and a user's action on it into the value to store or the reason it is refused. The
// parameter pages and the slot editor both draw and edit through it; what is theirs alone (the
// place of the value, the pin rules, the lists the record decides) stays with their tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/control_view.h"
#include "config/control_meta.h"

namespace ztv {

// The control's view with its texts and the stored value shown as its codec says. `stored_text`
// is the stored Windows-1251 text of the Text codec; other codecs show `stored`. A list shows
// the metadata's entries.
ControlView show_control(std::string_view name, const ControlMeta& meta, std::uint32_t stored,
                         std::string_view stored_text = {});
// A list whose entries the record decides: the entries, and the stored position selected
// (nothing when it names no entry).
void show_entries(ControlView& view, std::vector<Text> entries, std::uint32_t stored);

// What an action stores, or why it does not.
struct Entry {
    bool accepted = false;
    std::uint32_t value = 0;  // the value to store (every codec but Text)
    std::string text;         // Text: the Windows-1251 characters to store
    bool replaced = false;    // Fallback: the typed value gave way to the default
    // A refusal the user is told of: the message, and the field takes the focus back with its
    // text kept. Empty for a refusal without a word (a value no widget of the control can give).
    Text message;
    int box_type = kBoxError;
};

// Checks an action against the control's metadata. An action of another widget kind is
// refused. `entries` is how many entries a list or check list has (the metadata's own, unless
// the record decides them).
Entry read_entry(const ControlMeta& meta, const ControlAction& action, std::size_t entries);
inline Entry read_entry(const ControlMeta& meta, const ControlAction& action) {
    return read_entry(meta, action, meta.items.size());
}

// The answer to a refused entry: the message and the focus back on the field, or a plain
// refusal that redraws as `silent` says.
EditOutcome refusal(const Entry& entry, EditOutcome::Redraw silent);

}  // namespace ztv
