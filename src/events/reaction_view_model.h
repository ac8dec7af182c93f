// What the reaction half of a slot looks like on screen: the selected page and, for each of
// its controls, the texts, selections and states. Built by display_reaction() from the record
// after the record has been made consistent; the editor only draws it. Plain data, no toolkit.
#pragma once

#include <cstdint>
#include <vector>

#include "common/text.h"
#include "events/reaction_catalogue.h"

namespace ztv {

// A drop-down list or a row of tabs.
struct ReactionList {
    ReactionControl control;
    Text label;                 // caption the code sets beside the list; empty: the form's own
    std::vector<Text> entries;
    int selected = -1;          // -1: the stored value names no entry
    bool enabled = true;
    bool visible = true;
};

// An entry field, a read-only box or a button whose caption the code sets.
struct ReactionField {
    ReactionControl control;
    Text label;                 // caption the code sets; empty: the form's own
    Text text;                  // what the field shows
    bool enabled = true;
    bool visible = true;
};

struct ReactionCheck {
    ReactionControl control;
    bool checked = false;
    bool enabled = true;
};

struct ReactionView {
    std::uint8_t kind = 0;      // the selected reaction page = the kind code
    Text title;                 // that page's title
    std::vector<ReactionList> lists;    // in the page's order
    std::vector<ReactionField> fields;
    std::vector<ReactionCheck> checks;

    // The control of the current page, or nullptr when the page has no such control.
    const ReactionList* list(ReactionControl control) const {
        for (const ReactionList& l : lists)
            if (l.control == control) return &l;
        return nullptr;
    }
    const ReactionField* field(ReactionControl control) const {
        for (const ReactionField& f : fields)
            if (f.control == control) return &f;
        return nullptr;
    }
    const ReactionCheck* check(ReactionControl control) const {
        for (const ReactionCheck& c : checks)
            if (c.control == control) return &c;
        return nullptr;
    }
};

}  // namespace ztv
