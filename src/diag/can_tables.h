// The CAN log's two tables: the identifier table (one row per identifier, in order of first
// appearance) and the filter table (hidden flag and change signature per identifier). An
// identifier is its word and its extended flag (CanKey), so a standard and an extended frame
// whose words are equal keep rows and filters of their own.
// Both find an identifier in constant time: a frame rate of thousands a second against 9999
// rows must not scan the rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "diag/can_frame.h"

namespace ztv {

// Identifier -> row index, open addressing over a power-of-two array sized for at most
// `capacity` keys (load below 0.65). No removal: the tables only grow until cleared.
class CanIdIndex {
public:
    explicit CanIdIndex(std::size_t capacity);
    std::optional<std::uint32_t> find(CanKey key) const;
    void insert(CanKey key, std::uint32_t index);  // key must not be present
    void clear();

private:
    std::size_t slot_of(CanKey key) const;

    struct Slot {
        CanKey key;
        std::uint32_t index = kEmpty;
    };
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

struct CanRow {
    CanFrame frame;             // the identifier's last frame
    std::uint32_t cycle = 0;    // ms between its last two frames; 0: first frame or a gap too long
    std::uint32_t count = 0;    // frames since the table was last cleared
};

class CanIdTable {
public:
    static constexpr std::size_t kMaxRows = 9999;
    // A difference of this many ms or more (a stamp that went backwards wraps to a huge one)
    // is not a cycle.
    static constexpr std::uint32_t kMaxCycleMs = 1000000;

    enum class Outcome { Appended, Updated, Full };
    struct Result {
        Outcome outcome;
        std::size_t row;     // the appended or updated row; meaningless when Full
        CanFrame previous;   // the row's frame before an update
    };

    CanIdTable();
    Result add(const CanFrame& frame);
    void clear();
    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const CanRow& row(std::size_t index) const { return rows_[index]; }
    std::optional<std::size_t> find(CanKey key) const;

private:
    std::vector<CanRow> rows_;
    CanIdIndex index_;
};

class CanFilterTable {
public:
    static constexpr std::size_t kMaxEntries = 1000;
    struct Entry {
        CanKey key;
        bool hidden = false;
        std::uint8_t signature = 0;  // of the identifier's last accepted frame
    };

    CanFilterTable();
    // Whether a frame passes in the given log mode; remembers new identifiers (while there is
    // room) and, in mode 3, the signature of an accepted frame.
    bool accept(const CanFrame& frame, std::uint8_t mode);
    // Writing a mode: mode 2 hides every identifier seen so far, any other mode shows all.
    void set_all_hidden(bool hidden);
    void hide(CanKey key);
    void hide_all_except(CanKey key);
    std::size_t size() const { return entries_.size(); }
    const Entry* find(CanKey key) const;

private:
    std::vector<Entry> entries_;
    CanIdIndex index_;
};

}  // namespace ztv
