// Everything the slot editor shows for one slot, in the one shape every page of the program is
// drawn from: the common event controls, the controls of the current event page and of the
// current reaction page (each a ControlView), the kinds and page titles to select, what the
// context menus may offer and the captions of the slot tab row. Built by display_slot() after
// the slot's consistency rules were written into the record; the editor only draws it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/control_view.h"
#include "common/text.h"
#include "config/record.h"

namespace ztv {

struct SlotView {
    std::size_t slot = 0;  // 0-79

    // " Event " group: the page tab of the kind, the kind's controls, and the controls every
    // kind shares (trigger type, "One time only", "Wake Up", source choice), in that order.
    std::uint8_t event_kind = 0;
    Text event_title;
    std::vector<ControlView> event_common;
    std::vector<ControlView> event_controls;

    // " Response " group.
    std::uint8_t reaction_kind = 0;
    Text reaction_title;
    std::vector<ControlView> reaction_controls;

    // What the context menus may offer for this slot: an entry that would act on nothing is
    // not offered.
    bool can_delete_key = false;      // "Delete key": a "Button" event with a main button
    bool can_delete_mod = false;      // "Delete mod key": a "Button" event with a modifier
    bool can_edit_ir_event = false;   // "Delete IR code" / "Edit IR code": the event is kind 1
    bool can_edit_ir_reaction = false;  // "Edit IR code": the reaction is kind 1

    std::string caption;                               // this slot's tab caption (UTF-8)
    std::array<std::string, kSlotCount> tab_captions;  // all 80, recomputed on every display

    // Any control of the slot by name (common, event or reaction); nullptr when not shown.
    const ControlView* control(std::string_view name) const {
        if (const ControlView* c = find_control(event_common, name)) return c;
        if (const ControlView* c = find_control(event_controls, name)) return c;
        return find_control(reaction_controls, name);
    }
};

}  // namespace ztv
