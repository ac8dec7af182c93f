#include "diag/can_background.h"

#include <algorithm>
#include <bit>

namespace ztv {

namespace {

// How far a byte moved read as a number on a circle of 256: 1 to 128.
std::uint8_t step_between(std::uint8_t from, std::uint8_t to) {
    const auto up = static_cast<std::uint8_t>(to - from);
    return up <= 128 ? up : static_cast<std::uint8_t>(256 - up);
}

}  // namespace

CanBackground::CanBackground() : index_(kMaxIdentifiers) { entries_.reserve(kMaxIdentifiers); }

void CanBackground::start_learning(std::uint32_t now_ms) {
    entries_.clear();
    index_.clear();
    state_ = State::Learning;
    started_ms_ = now_ms;
}

void CanBackground::stop_learning() {
    if (state_ == State::Learning) state_ = State::Learned;
}

std::uint32_t CanBackground::learning_seconds(std::uint32_t now_ms) const {
    return state_ == State::Learning ? (now_ms - started_ms_) / 1000 : 0;
}

CanBits CanBackground::observe(const CanFrame& frame) {
    CanBits changed{};
    if (state_ == State::None) return changed;
    CanBits data{};
    const auto bytes = frame.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) data[i] = bytes[i];

    const CanKey key = frame.key();
    Entry* entry = nullptr;
    if (const auto found = index_.find(key)) {
        entry = &entries_[*found];
    } else {
        if (entries_.size() >= kMaxIdentifiers) return changed;
        index_.insert(key, static_cast<std::uint32_t>(entries_.size()));
        entries_.push_back(Entry{key, data, {}, {}, {}});
        if (state_ == State::Learning) return changed;
        // Unknown to the background: its first frame is news as a whole.
        entry = &entries_.back();
        entry->news = data;
        return data;
    }
    for (std::size_t i = 0; i < kCanMaxData; ++i) {
        const auto diff = static_cast<std::uint8_t>(entry->last[i] ^ data[i]);
        if (diff == 0) continue;
        const std::uint8_t step = step_between(entry->last[i], data[i]);
        if (state_ == State::Learning) {
            entry->background[i] = static_cast<std::uint8_t>(entry->background[i] | diff);
            entry->steps[i] = std::max(entry->steps[i], step);
        } else if (entry->steps[i] == 0 || step > 2 * entry->steps[i]) {
            changed[i] = static_cast<std::uint8_t>(diff & ~entry->background[i]);
            entry->news[i] = static_cast<std::uint8_t>(entry->news[i] | changed[i]);
        }
    }
    entry->last = data;
    return changed;
}

const CanBackground::Entry* CanBackground::find(CanKey key) const {
    const auto found = index_.find(key);
    return found ? &entries_[*found] : nullptr;
}

CanBits CanBackground::new_bits(CanKey key) const {
    const Entry* entry = find(key);
    return entry != nullptr ? entry->news : CanBits{};
}

bool CanBackground::has_new(CanKey key) const {
    const Entry* entry = find(key);
    if (entry == nullptr) return false;
    for (const std::uint8_t b : entry->news)
        if (b != 0) return true;
    return false;
}

CanBits CanBackground::background_bits(CanKey key) const {
    const Entry* entry = find(key);
    return entry != nullptr ? entry->background : CanBits{};
}

std::size_t CanBackground::background_bit_count() const {
    std::size_t bits = 0;
    for (const Entry& entry : entries_)
        for (const std::uint8_t b : entry.background) bits += static_cast<std::size_t>(std::popcount(b));
    return bits;
}

}  // namespace ztv
