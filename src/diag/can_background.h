// Finding the frame of a button: while the background is learned, every bit of every
// identifier that changes by itself is noted, and for each data byte the largest step it took
// between two frames (read as a number, modulo 256: a counter's wrap is a step of one);
// afterwards each frame is compared with the identifier's previous one and the bits that
// changed outside the background are reported (and kept, so a view can show only the
// identifiers that have them).
//
// The steps are what keeps a slowly varying value (engine speed, a temperature) in the
// background: twenty seconds of learning see it move a little, within a few bits, and minutes
// later it moves on by the same small steps into bits never seen to change. A byte that moved
// while learning is background as long as it moves by at most twice its largest learned step;
// a bigger jump (a button's bit beside a counter) is judged by its bits. A byte that never
// moved while learning has every change reported. An identifier first seen after learning
// counts every set bit of its first frame as new: a button may send a frame of its own. Keyed
// by identifier (word and extended flag), so it outlives clearing the identifier table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "diag/can_frame.h"
#include "diag/can_tables.h"

namespace ztv {

// One byte per data byte; bit n set: bit n of that byte.
using CanBits = std::array<std::uint8_t, kCanMaxData>;

class CanBackground {
public:
    static constexpr std::size_t kMaxIdentifiers = 16384;
    enum class State { None, Learning, Learned };

    CanBackground();
    // Forgets everything and learns from now on.
    void start_learning(std::uint32_t now_ms);
    // Ends learning (nothing when not learning): from now on changes outside it are news.
    void stop_learning();
    State state() const { return state_; }
    // Whole seconds learned so far (the progress text); 0 when not learning.
    std::uint32_t learning_seconds(std::uint32_t now_ms) const;

    // Every frame, in order. Returns the bits that changed outside the background (all zero
    // while learning, before any learning, and for identifiers beyond kMaxIdentifiers).
    CanBits observe(const CanFrame& frame);

    // Since learning ended: the bits of the identifier that changed outside the background.
    CanBits new_bits(CanKey key) const;
    bool has_new(CanKey key) const;
    // The bits that changed by themselves while learning.
    CanBits background_bits(CanKey key) const;
    std::size_t identifiers() const { return entries_.size(); }
    std::size_t background_bit_count() const;

private:
    struct Entry {
        CanKey key;
        CanBits last{};
        CanBits background{};
        CanBits steps{};  // per byte: the largest step while learning, 0 to 128
        CanBits news{};
    };
    const Entry* find(CanKey key) const;

    State state_ = State::None;
    std::uint32_t started_ms_ = 0;
    std::vector<Entry> entries_;
    CanIdIndex index_;
};

}  // namespace ztv
