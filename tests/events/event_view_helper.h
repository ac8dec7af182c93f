// The event half as display_slot shows it: the record made consistent, then described as the
// controls the editor draws, with readers that name what a test looks at.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "events/event_catalogue.h"
#include "events/event_display.h"
#include "events/slot_controls.h"

namespace ztv::test {

struct EventShown {
    std::uint8_t kind = 0;  // the page shown: the slot's kind once normalised
    std::vector<ControlView> common;
    std::vector<ControlView> page;

    const ControlView& common_control(std::string_view name) const {
        static const ControlView kMissing;
        const ControlView* found = find_control(common, name);
        return found != nullptr ? *found : kMissing;
    }
    const ControlView& trigger() const { return common_control(event_common::kTrigger); }
    const ControlView& once() const { return common_control(event_common::kOnce); }
    const ControlView& wake_up() const { return common_control(event_common::kWakeUp); }
    const ControlView& source() const { return common_control(event_common::kSource); }

    // The trigger types the list offers, read back from its entries.
    std::array<bool, kTriggerTypeCount> offered() const {
        std::array<bool, kTriggerTypeCount> offered{};
        for (const Text& item : trigger().items)
            for (unsigned type = 0; type < kTriggerTypeCount; ++type)
                if (item.en == trigger_type_names()[type].en) offered[type] = true;
        return offered;
    }
    // The type of the selected trigger entry; kNoType when none is selected.
    static constexpr unsigned kNoType = 0xFF;
    unsigned trigger_type() const {
        const ControlView& list = trigger();
        if (list.selected < 0 || static_cast<std::size_t>(list.selected) >= list.items.size()) return kNoType;
        for (unsigned type = 0; type < kTriggerTypeCount; ++type)
            if (list.items[static_cast<std::size_t>(list.selected)].en == trigger_type_names()[type].en) return type;
        return kNoType;
    }

    const ControlView* control(std::string_view name) const { return find_control(page, name); }
    // The English text a page control shows; empty when the page has no such control.
    std::string text(std::string_view name) const {
        const ControlView* found = control(name);
        return found != nullptr ? found->text.en : std::string();
    }
    std::size_t count(ControlKind widget) const {
        std::size_t n = 0;
        for (const ControlView& view : page) n += view.kind == widget ? 1 : 0;
        return n;
    }
};

inline EventShown show_event(Record& record, std::size_t slot) {
    normalize_event(record, slot);
    EventShown shown;
    if (slot < kSlotCount) shown.kind = record.slot(slot)[kEventKindByte];
    shown.common = event_common_controls(record, slot);
    shown.page = event_page(record, slot);
    return shown;
}

}  // namespace ztv::test
