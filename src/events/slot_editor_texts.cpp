#include "events/slot_editor_texts.h"

#include "events/event_catalogue.h"
#include "events/reaction_catalogue.h"
#include "events/slot_model.h"

namespace ztv::slot_texts {

std::vector<Text> event_page_titles() {
    std::vector<Text> titles;
    titles.reserve(kEventKindCount);
    for (const EventKindDef& kind : event_kinds()) titles.push_back(to_text(kind.title));
    return titles;
}

std::vector<Text> reaction_page_titles() {
    std::vector<Text> titles;
    titles.reserve(kReactionKindCount);
    for (const TextPair& title : reaction_kind_titles()) titles.push_back(to_text(title));
    return titles;
}

std::vector<Text> slot_menu_groups() {
    std::vector<Text> groups;
    groups.reserve(slots::kSlotMenuGroups);
    for (std::size_t group = 0; group < slots::kSlotMenuGroups; ++group)
        groups.push_back(Text::same(slots::slot_menu_group_caption(group)));
    return groups;
}

}  // namespace ztv::slot_texts
