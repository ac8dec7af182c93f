#include "config/config_history.h"

#include <algorithm>

namespace ztv {
namespace {

constexpr TextPair kUndo{"Отменить", "Undo"};
constexpr TextPair kRedo{"Повторить", "Redo"};

Text prefixed(const TextPair& action, const Text& step) {
    if (step.empty()) return to_text(action);
    return join(to_text(action), ": ", step);
}

std::size_t text_bytes(const Text& text) { return text.ru.capacity() + text.en.capacity(); }

}  // namespace

ConfigSnapshot take_snapshot(const ConfigState& state) {
    return ConfigSnapshot{state.record, state.touch, state.slot_names};
}

void restore_snapshot(const ConfigSnapshot& snapshot, ConfigState& state) {
    state.record = snapshot.record;
    state.touch = snapshot.touch;
    state.slot_names = snapshot.slot_names;
}

bool same_configuration(const ConfigSnapshot& a, const ConfigSnapshot& b) {
    const auto record_a = a.record.bytes();
    const auto record_b = b.record.bytes();
    return std::equal(record_a.begin(), record_a.end(), record_b.begin()) && a.touch == b.touch &&
           a.slot_names == b.slot_names;
}

ConfigHistory::ConfigHistory(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void ConfigHistory::reset(const ConfigSnapshot& current) {
    undo_.clear();
    redo_.clear();
    current_ = current;
    current_id_ = next_id_++;
    typing_open_ = false;
}

bool ConfigHistory::commit(const ConfigSnapshot& after, const Text& name, const std::string& field) {
    if (same_configuration(after, current_)) return false;
    redo_.clear();
    const bool extend = typing_open_ && !field.empty() && !undo_.empty() && undo_.back().field == field;
    if (extend && same_configuration(after, undo_.back().state)) {
        // Typed back to where the field started: the step is gone, and so is the change.
        current_ = after;
        current_id_ = undo_.back().id;
        undo_.pop_back();
        typing_open_ = false;
        return true;
    }
    if (!extend) {
        undo_.push_back(Step{current_, current_id_, name, field});
        if (undo_.size() > capacity_) undo_.pop_front();
    } else {
        undo_.back().name = name;
    }
    current_ = after;
    current_id_ = next_id_++;
    typing_open_ = !field.empty();
    return true;
}

// Undo and redo are the same move in opposite directions: the step's state becomes the
// current one, and the current one goes on the other side under the same name.
std::optional<ConfigSnapshot> ConfigHistory::move_step(std::deque<Step>& from, std::deque<Step>& to) {
    if (from.empty()) return std::nullopt;
    Step step = std::move(from.back());
    from.pop_back();
    std::swap(step.state, current_);
    std::swap(step.id, current_id_);
    to.push_back(std::move(step));
    typing_open_ = false;
    return current_;
}

std::optional<ConfigSnapshot> ConfigHistory::undo() { return move_step(undo_, redo_); }
std::optional<ConfigSnapshot> ConfigHistory::redo() { return move_step(redo_, undo_); }

Text ConfigHistory::undo_text() const { return prefixed(kUndo, undo_.empty() ? Text() : undo_.back().name); }
Text ConfigHistory::redo_text() const { return prefixed(kRedo, redo_.empty() ? Text() : redo_.back().name); }

void ConfigHistory::mark(CleanPoint point) {
    (point == CleanPoint::File ? file_id_ : controller_id_) = current_id_;
    typing_open_ = false;
}

bool ConfigHistory::at(CleanPoint point) const {
    return (point == CleanPoint::File ? file_id_ : controller_id_) == current_id_;
}

std::size_t ConfigHistory::memory_bytes() const {
    std::size_t bytes = sizeof(*this);
    for (const auto* steps : {&undo_, &redo_})
        for (const Step& step : *steps) bytes += sizeof(Step) + text_bytes(step.name) + step.field.capacity();
    return bytes;
}

}  // namespace ztv
