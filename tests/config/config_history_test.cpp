// Undo and redo over whole-configuration snapshots, without a display.
#include "config/config_history.h"

#include <gtest/gtest.h>

namespace ztv {
namespace {

ConfigSnapshot with_byte(std::size_t offset, std::uint8_t value) {
    ConfigSnapshot snapshot{};
    snapshot.record.set_u8(offset, value);
    return snapshot;
}

const Text kLongPress{"Долгое нажатие более", "Long press over"};
const Text kSlotName{"Имя слота", "Slot name"};

TEST(ConfigHistory, UndoAndRedoWalkTheStepsByName) {
    ConfigHistory history;
    EXPECT_EQ(history.undo_text().en, "Undo");
    EXPECT_FALSE(history.commit(ConfigSnapshot{}, kLongPress));  // nothing changed: no step
    EXPECT_TRUE(history.commit(with_byte(0, 1), kLongPress));
    ConfigSnapshot named = with_byte(0, 1);
    named.slot_names[4][0] = 'W';
    EXPECT_TRUE(history.commit(named, kSlotName));
    EXPECT_EQ(history.undo_text().en, "Undo: Slot name");
    EXPECT_EQ(history.undo_text().ru, "Отменить: Имя слота");

    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(same_configuration(history.current(), with_byte(0, 1)));
    EXPECT_EQ(history.redo_text().en, "Redo: Slot name");
    EXPECT_EQ(history.undo_text().ru, "Отменить: Долгое нажатие более");
    ASSERT_TRUE(history.undo());
    EXPECT_FALSE(history.undo());
    EXPECT_TRUE(same_configuration(*history.redo(), with_byte(0, 1)));

    // A new step after an undo drops what could be redone.
    EXPECT_TRUE(history.commit(with_byte(0, 9), kLongPress));
    EXPECT_FALSE(history.can_redo());
    EXPECT_EQ(history.undo_count(), 2u);
}

TEST(ConfigHistory, TypingInOneFieldIsOneStepUntilItEnds) {
    ConfigHistory history;
    history.commit(with_byte(5, 1), kSlotName, "slot-name-5");
    history.commit(with_byte(5, 2), kSlotName, "slot-name-5");
    history.commit(with_byte(5, 3), kSlotName, "slot-name-5");
    EXPECT_EQ(history.undo_count(), 1u);
    history.commit(with_byte(6, 3), kLongPress, "long-press");  // another field
    history.end_typing();
    history.commit(with_byte(6, 4), kLongPress, "long-press");  // the same field after focus left
    EXPECT_EQ(history.undo_count(), 3u);
    history.undo();
    history.undo();
    EXPECT_TRUE(same_configuration(*history.undo(), ConfigSnapshot{}));

    // Typed back to where the field started: no step is left.
    ConfigHistory back;
    back.commit(with_byte(5, 1), kSlotName, "slot-name-5");
    back.commit(ConfigSnapshot{}, kSlotName, "slot-name-5");
    EXPECT_FALSE(back.can_undo());
}

TEST(ConfigHistory, KeepsAtMostItsCapacityDroppingTheOldest) {
    ConfigHistory history(3);
    for (std::uint8_t i = 1; i <= 5; ++i) history.commit(with_byte(0, i), kLongPress);
    EXPECT_EQ(history.undo_count(), 3u);
    while (history.can_undo()) history.undo();
    EXPECT_TRUE(same_configuration(history.current(), with_byte(0, 2)));
}

TEST(ConfigHistory, CleanMarksSurviveUndoAndRedo) {
    ConfigHistory history;
    EXPECT_FALSE(history.modified());
    history.commit(with_byte(0, 1), kLongPress);
    EXPECT_TRUE(history.modified());
    history.mark(CleanPoint::File);  // saved
    history.commit(with_byte(0, 2), kLongPress);
    EXPECT_TRUE(history.modified());
    history.undo();
    EXPECT_FALSE(history.modified());
    history.redo();
    EXPECT_TRUE(history.modified());
    history.mark(CleanPoint::Controller);  // written to the controller
    EXPECT_FALSE(history.modified());
    EXPECT_FALSE(history.at(CleanPoint::File));
}

}  // namespace
}  // namespace ztv
