// What a slot holds as text lines, as the editor shows it: `ztv-tool describe` prints them,
// and the comparison of two configurations pairs them by label.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/text.h"
#include "config/config_state.h"

namespace ztv {

struct SlotLine {
    bool reaction = false;  // the line belongs to the reaction half (labels repeat across halves)
    std::string label;      // the short label `describe` prints
    std::string value;
    std::string caption;    // what the editor calls it, for a person reading a comparison
};

struct SlotListing {
    std::string caption;  // the tab caption: "7* (Wipers)"
    std::vector<SlotLine> lines;
};

// One slot after the display rules (written into `state`, which the caller gives as a copy
// that every slot has been normalized in; see normalize_all_slots).
SlotListing list_slot(ConfigState& state, std::size_t slot, Lang lang);
// Every slot that is not empty, with its index (from 0) and name, as `describe` lists them.
struct UsedSlot {
    std::size_t slot;
    std::string name;  // UTF-8
    SlotListing listing;
};
std::vector<UsedSlot> list_used_slots(const ConfigState& state, Lang lang);
// Every slot that is not empty: its caption, then its lines with two blanks before each.
std::string describe_slots(const ConfigState& state, Lang lang);

}  // namespace ztv
