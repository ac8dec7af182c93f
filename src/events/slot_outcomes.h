// The answers of the slot editor's edits. Every edit of a slot's page draws the page again,
// whether it stored or refused, so that a control always shows what the record keeps.
#pragma once

#include <string>
#include <string_view>

#include "common/control_view.h"
#include "common/numeric_entry.h"

namespace ztv::slot_outcome {

inline EditOutcome stored() {
    EditOutcome outcome;
    outcome.redraw = EditOutcome::Redraw::Page;
    return outcome;
}

// Nothing stored.
inline EditOutcome refused() {
    EditOutcome outcome = stored();
    outcome.accepted = false;
    return outcome;
}

// A typed value the numeric entry rule refuses: the field keeps its text and the focus, and the
// rule's message is shown.
inline EditOutcome refused_entry(const NumericEntry& entry) {
    EditOutcome outcome;
    outcome.accepted = false;
    outcome.message = entry.message;
    outcome.box_type = entry.box_type;
    outcome.focus = EditOutcome::Focus::Control;
    return outcome;
}

// Nothing stored yet: the view runs the named follow-up (a window) first.
inline EditOutcome follow_up(std::string_view name) {
    EditOutcome outcome;
    outcome.follow_up = std::string(name);
    return outcome;
}

}  // namespace ztv::slot_outcome
