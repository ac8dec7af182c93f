// The answers of the slot editor's edits. Every edit of a slot's page draws the page again,
// whether it stored or refused, so that a control always shows what the record keeps.
#pragma once

#include <string>
#include <string_view>

#include "common/control_view.h"

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

// Nothing stored yet: the view runs the named follow-up (a window) first.
inline EditOutcome follow_up(std::string_view name) {
    EditOutcome outcome;
    outcome.follow_up = std::string(name);
    return outcome;
}

}  // namespace ztv::slot_outcome
