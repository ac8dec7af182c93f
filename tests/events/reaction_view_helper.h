// The reaction page as the editor gets it, its controls looked up by their table rows: the
// record is made consistent first, then the page is built from it, as display_slot does.
#pragma once

#include <vector>

#include "common/control_view.h"
#include "events/reaction_catalogue.h"
#include "events/reaction_controls.h"
#include "events/reaction_display.h"

namespace ztv::test {

struct ReactionView {
    std::uint8_t kind = 0;
    Text title;
    std::vector<ControlView> controls;
    const ControlView* control(ReactionControl c) const { return find_control(controls, reaction_control_def(c).name); }
    const ControlView* list(ReactionControl c) const { return control(c); }
    const ControlView* field(ReactionControl c) const { return control(c); }
    const ControlView* check(ReactionControl c) const { return control(c); }
};

inline ReactionView display_reaction(Record& record, std::size_t slot) {
    normalize_reaction(record, slot);
    ReactionView view;
    view.kind = record.slot(slot)[kReactionKindByte];
    view.title = to_text(reaction_kind_titles()[view.kind]);
    view.controls = reaction_page(record, slot);
    return view;
}

}  // namespace ztv::test
