// Undo and redo over snapshots of the whole configuration (record, touch block, slot names).
// Each step is named by a text pair, so the menu entries follow a language switch. Undo and
// redo steps together never exceed `capacity` (redo steps are undone ones, and a new step past
// the capacity drops the oldest); each holds one fixed-size snapshot of about 4.6 KB (record
// 2048, touch block 10, slot names 2560) and its name, so 500 steps stay near 2.3 MB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "common/text.h"
#include "config/config_file.h"

namespace ztv {

inline constexpr std::size_t kDefaultHistorySteps = 500;

// What an undo step restores: the image of config_file.h is exactly the undoable state.
using ConfigSnapshot = ConfigImage;

ConfigSnapshot take_snapshot(const ConfigState& state);
// Puts a snapshot back into the state (record, touch block, slot names); the shadow and the
// flags stay, so a connected controller gets the difference from the change sender.
void restore_snapshot(const ConfigSnapshot& snapshot, ConfigState& state);
bool same_configuration(const ConfigSnapshot& a, const ConfigSnapshot& b);

// The states the "unsaved changes" marks compare with.
enum class CleanPoint { File, Controller };

class ConfigHistory {
public:
    explicit ConfigHistory(std::size_t capacity = kDefaultHistorySteps);

    // Forgets every step; `current` is the state the window shows now. It is at no clean
    // point until marked.
    void reset(const ConfigSnapshot& current);

    // Called after every user action with the state it left. A state equal to the current one
    // adds nothing. A non-empty `field` makes consecutive commits with the same field (typing
    // in one box) one step, until another step, an undo or redo, a mark or end_typing()
    // comes between. Returns whether a step was added or extended.
    bool commit(const ConfigSnapshot& after, const Text& name, const std::string& field = {});
    // The next commit starts a new step even for the same field (the box lost the focus).
    void end_typing() { typing_open_ = false; }

    bool can_undo() const { return !undo_.empty(); }
    bool can_redo() const { return !redo_.empty(); }
    // The state to show after the undo or redo; nothing when there is no such step.
    std::optional<ConfigSnapshot> undo();
    std::optional<ConfigSnapshot> redo();
    // The state shown after an undo or redo settled (the page refresh restated a consistency
    // rule): it becomes the current state without a step of its own, keeping its clean marks.
    void amend(const ConfigSnapshot& now) { current_ = now; }
    // "Undo: <step>" and "Redo: <step>"; bare "Undo" and "Redo" without a step.
    Text undo_text() const;
    Text redo_text() const;

    // The current state is the one a file or the controller holds (opened, saved, read,
    // written); at() stays true across an undo and redo that come back to it.
    // keep_typing: the mark of edits sent to a connected controller as they are made, which
    // must not cut the typing in one box into several steps.
    void mark(CleanPoint point, bool keep_typing = false);
    // No state is known to be held there any more (a send to the controller failed).
    void forget(CleanPoint point) { (point == CleanPoint::File ? file_id_ : controller_id_) = kNowhere; }
    bool at(CleanPoint point) const;
    // The title's "*": the state differs from both the last file and the last controller state.
    bool modified() const { return !at(CleanPoint::File) && !at(CleanPoint::Controller); }

    const ConfigSnapshot& current() const { return current_; }
    std::size_t undo_count() const { return undo_.size(); }
    std::size_t redo_count() const { return redo_.size(); }
    std::size_t capacity() const { return capacity_; }
    // Bytes held by the snapshots and step names (for the memory figure).
    std::size_t memory_bytes() const;

private:
    struct Step {
        ConfigSnapshot state;  // before the step on the undo side, after it on the redo side
        std::uint64_t id;      // the identity of that state, for the clean marks
        Text name;
        std::string field;
    };

    std::optional<ConfigSnapshot> move_step(std::deque<Step>& from, std::deque<Step>& to);

    static constexpr std::uint64_t kNowhere = ~std::uint64_t{0};  // no state ever has it

    std::size_t capacity_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    ConfigSnapshot current_{};
    std::uint64_t current_id_ = 0;
    std::uint64_t next_id_ = 1;
    std::uint64_t file_id_ = 0;
    std::uint64_t controller_id_ = 0;
    bool typing_open_ = false;
};

}  // namespace ztv
