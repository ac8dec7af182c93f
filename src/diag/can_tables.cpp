#include "diag/can_tables.h"

#include <algorithm>

namespace ztv {

CanIdIndex::CanIdIndex(std::size_t capacity) {
    std::size_t size = 16;
    while (size * 13 < capacity * 20) size *= 2;  // keep the load below 0.65
    slots_.resize(size);
    mask_ = size - 1;
}

std::size_t CanIdIndex::slot_of(std::uint32_t word) const {
    // Identifier words of standard frames differ only in bits 18-28: mix them down.
    std::uint32_t h = word * 0x9E3779B1u;
    h ^= h >> 15;
    return h & mask_;
}

std::optional<std::uint32_t> CanIdIndex::find(std::uint32_t word) const {
    for (std::size_t i = slot_of(word);; i = (i + 1) & mask_) {
        const Slot& slot = slots_[i];
        if (slot.index == kEmpty) return std::nullopt;
        if (slot.word == word) return slot.index;
    }
}

void CanIdIndex::insert(std::uint32_t word, std::uint32_t index) {
    std::size_t i = slot_of(word);
    while (slots_[i].index != kEmpty) i = (i + 1) & mask_;
    slots_[i] = Slot{word, index};
}

void CanIdIndex::clear() { std::fill(slots_.begin(), slots_.end(), Slot{}); }

CanIdTable::CanIdTable() : index_(kMaxRows) { rows_.reserve(kMaxRows); }

CanIdTable::Result CanIdTable::add(const CanFrame& frame) {
    const std::uint32_t word = frame.id_word();
    if (const auto found = index_.find(word)) {
        CanRow& row = rows_[*found];
        const std::uint32_t difference = frame.stamp_ms() - row.frame.stamp_ms();
        row.cycle = difference < kMaxCycleMs ? difference : 0;
        ++row.count;
        const CanFrame previous = row.frame;
        row.frame = frame;
        return {Outcome::Updated, *found, previous};
    }
    if (rows_.size() >= kMaxRows) return {Outcome::Full, 0, {}};
    index_.insert(word, static_cast<std::uint32_t>(rows_.size()));
    rows_.push_back(CanRow{frame, 0, 1});
    return {Outcome::Appended, rows_.size() - 1, {}};
}

void CanIdTable::clear() {
    rows_.clear();
    index_.clear();
}

std::optional<std::size_t> CanIdTable::find(std::uint32_t word) const {
    const auto found = index_.find(word);
    if (!found) return std::nullopt;
    return *found;
}

CanFilterTable::CanFilterTable() : index_(kMaxEntries) { entries_.reserve(kMaxEntries); }

bool CanFilterTable::accept(const CanFrame& frame, std::uint8_t mode) {
    const std::uint32_t word = frame.id_word();
    const std::uint8_t signature = can_change_signature(frame);
    if (const auto found = index_.find(word)) {
        Entry& entry = entries_[*found];
        if (entry.hidden) return false;
        if (mode == 3) {
            if (entry.signature == signature) return false;
            entry.signature = signature;
        }
        return true;
    }
    if (entries_.size() < kMaxEntries) {
        index_.insert(word, static_cast<std::uint32_t>(entries_.size()));
        entries_.push_back(Entry{word, false, signature});
    }
    return true;
}

void CanFilterTable::set_all_hidden(bool hidden) {
    for (Entry& entry : entries_) entry.hidden = hidden;
}

void CanFilterTable::hide(std::uint32_t word) {
    if (const auto found = index_.find(word)) entries_[*found].hidden = true;
}

void CanFilterTable::hide_all_except(std::uint32_t word) {
    for (Entry& entry : entries_)
        if (entry.word != word) entry.hidden = true;
}

const CanFilterTable::Entry* CanFilterTable::find(std::uint32_t word) const {
    const auto found = index_.find(word);
    return found ? &entries_[*found] : nullptr;
}

}  // namespace ztv
