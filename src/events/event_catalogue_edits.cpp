#include "events/event_catalogue_edits.h"

#include "common/cp1251.h"
#include "events/slot_outcomes.h"

namespace ztv {
namespace {

using Slot = std::span<std::uint8_t, kSlotSize>;

constexpr std::size_t kComparisonByte = 3;

using slot_outcome::refused;
using slot_outcome::stored;

bool is_kind(const Record& record, std::size_t slot, EventKind kind) {
    return slot < kSlotCount && record.slot(slot)[kEventKindByte] == static_cast<std::uint8_t>(kind);
}

void arm_disabled_trigger(Slot slot) {
    if ((slot[kEventFlagsByte] & 0x0Fu) == kTriggerDisabled)
        slot[kEventFlagsByte] = static_cast<std::uint8_t>((slot[kEventFlagsByte] & 0xF0u) | kTriggerAny);
}

}  // namespace

EditOutcome set_event_choice(Record& record, std::size_t slot_index, EventChoice id, unsigned position) {
    const EventChoiceDef& def = event_choice(id);
    if (slot_index >= kSlotCount) return refused();
    const Slot slot = record.slot(slot_index);
    if (slot[kEventKindByte] != def.kind || position >= def.items().size()) return refused();
    slot[def.byte] = static_cast<std::uint8_t>(position);
    if (id == EventChoice::TimeoutStart) arm_disabled_trigger(slot);
    return stored();
}

EditOutcome set_event_number(Record& record, std::size_t slot_index, EventNumber id, std::uint32_t value) {
    const EventNumberDef& def = event_number(id);
    if (slot_index >= kSlotCount) return refused();
    const Slot slot = record.slot(slot_index);
    if (slot[kEventKindByte] != def.kind || value < def.min || value > def.max) return refused();
    for (std::size_t i = 0; i < def.width; ++i) slot[def.byte + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return stored();
}

EditOutcome set_event_text(Record& record, std::size_t slot_index, std::string_view cp1251) {
    if (!is_kind(record, slot_index, EventKind::Serial) && !is_kind(record, slot_index, EventKind::Uart))
        return refused();
    put_field_text(record.slot(slot_index).subspan(kEventParamByte, kEventTextSize), cp1251.substr(0, kEventTextSize));
    return stored();
}

EditOutcome toggle_voltage_comparison(Record& record, std::size_t slot_index) {
    if (!is_kind(record, slot_index, EventKind::Voltage)) return refused();
    const Slot slot = record.slot(slot_index);
    slot[kComparisonByte] = slot[kComparisonByte] == 0 ? 1 : 0;
    return stored();
}

EditOutcome store_captured_ir_event(Record& record, std::size_t slot_index, std::uint32_t code) {
    if (code == 0 || slot_index >= kSlotCount) return refused();
    const Slot slot = record.slot(slot_index);
    slot[kEventKindByte] = static_cast<std::uint8_t>(EventKind::IrCode);
    arm_disabled_trigger(slot);
    for (std::size_t i = 0; i < 4; ++i) slot[kEventParamByte + i] = static_cast<std::uint8_t>(code >> (8 * i));
    return stored();
}

}  // namespace ztv
