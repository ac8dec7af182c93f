#include "diag/can_tables.h"

#include <algorithm>

namespace ztv {

CanIdIndex::CanIdIndex(std::size_t capacity) {
    std::size_t size = 16;
    while (size * 13 < capacity * 20) size *= 2;  // keep the load below 0.65
    slots_.resize(size);
    mask_ = size - 1;
}

std::size_t CanIdIndex::slot_of(CanKey key) const {
    // Identifier words of standard frames differ only in bits 18-28, the extended flag is bit
    // 32: the product's high half, which every bit reaches, is folded down.
    std::uint64_t h = key.value * 0x9E3779B97F4A7C15ull;
    h ^= h >> 32;
    return static_cast<std::size_t>(h & mask_);
}

std::optional<std::uint32_t> CanIdIndex::find(CanKey key) const {
    for (std::size_t i = slot_of(key);; i = (i + 1) & mask_) {
        const Slot& slot = slots_[i];
        if (slot.index == kEmpty) return std::nullopt;
        if (slot.key == key) return slot.index;
    }
}

void CanIdIndex::insert(CanKey key, std::uint32_t index) {
    std::size_t i = slot_of(key);
    while (slots_[i].index != kEmpty) i = (i + 1) & mask_;
    slots_[i] = Slot{key, index};
}

void CanIdIndex::clear() { std::fill(slots_.begin(), slots_.end(), Slot{}); }

CanIdTable::CanIdTable() : index_(kMaxRows) { rows_.reserve(kMaxRows); }

CanIdTable::Result CanIdTable::add(const CanFrame& frame) {
    const CanKey key = frame.key();
    if (const auto found = index_.find(key)) {
        CanRow& row = rows_[*found];
        const std::uint32_t difference = frame.stamp_ms() - row.frame.stamp_ms();
        row.cycle = difference < kMaxCycleMs ? difference : 0;
        ++row.count;
        const CanFrame previous = row.frame;
        row.frame = frame;
        return {Outcome::Updated, *found, previous};
    }
    if (rows_.size() >= kMaxRows) return {Outcome::Full, 0, {}};
    index_.insert(key, static_cast<std::uint32_t>(rows_.size()));
    rows_.push_back(CanRow{frame, 0, 1});
    return {Outcome::Appended, rows_.size() - 1, {}};
}

void CanIdTable::clear() {
    rows_.clear();
    index_.clear();
}

std::optional<std::size_t> CanIdTable::find(CanKey key) const {
    const auto found = index_.find(key);
    if (!found) return std::nullopt;
    return *found;
}

CanFilterTable::CanFilterTable() : index_(kMaxEntries) { entries_.reserve(kMaxEntries); }

bool CanFilterTable::accept(const CanFrame& frame, std::uint8_t mode) {
    const CanKey key = frame.key();
    const std::uint8_t signature = can_change_signature(frame);
    if (const auto found = index_.find(key)) {
        Entry& entry = entries_[*found];
        if (entry.hidden) return false;
        if (mode == 3) {
            if (entry.signature == signature) return false;
            entry.signature = signature;
        }
        return true;
    }
    if (entries_.size() < kMaxEntries) {
        index_.insert(key, static_cast<std::uint32_t>(entries_.size()));
        entries_.push_back(Entry{key, false, signature});
    }
    return true;
}

void CanFilterTable::set_all_hidden(bool hidden) {
    for (Entry& entry : entries_) entry.hidden = hidden;
}

void CanFilterTable::hide(CanKey key) {
    if (const auto found = index_.find(key)) entries_[*found].hidden = true;
}

void CanFilterTable::hide_all_except(CanKey key) {
    for (Entry& entry : entries_)
        if (entry.key != key) entry.hidden = true;
}

const CanFilterTable::Entry* CanFilterTable::find(CanKey key) const {
    const auto found = index_.find(key);
    return found ? &entries_[*found] : nullptr;
}

}  // namespace ztv
