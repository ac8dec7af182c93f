// Showing a slot's reaction half: the writes every display makes, and what the page shows.
#include "events/reaction_display.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>

#include "config/field_table.h"
#include "events/reaction_view_helper.h"

namespace ztv {
namespace {

using C = ReactionControl;

constexpr std::size_t kSlot = 6;

using test::ReactionView;
using test::display_reaction;

// A record whose slot kSlot holds the reaction half given as bytes 11-16.
Record with_reaction(std::initializer_list<std::uint8_t> reaction) {
    Record record;
    auto s = record.slot(kSlot);
    std::size_t i = kReactionFirstByte;
    for (std::uint8_t b : reaction) s[i++] = b;
    return record;
}

std::array<std::uint8_t, 6> reaction_of(const Record& record) {
    std::array<std::uint8_t, 6> out{};
    for (std::size_t i = 0; i < 6; ++i) out[i] = record.slot(kSlot)[kReactionFirstByte + i];
    return out;
}
using R = std::array<std::uint8_t, 6>;

TEST(ReactionDisplay, UnknownKindClearsTheReactionHalfOnly) {
    Record record = with_reaction({28, 1, 2, 3, 4, 5});
    record.slot(kSlot)[0] = 3;
    record.slot(kSlot)[2] = 4;
    const ReactionView view = display_reaction(record, kSlot);
    EXPECT_EQ(reaction_of(record), (R{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(record.slot(kSlot)[0], 3);
    EXPECT_EQ(record.slot(kSlot)[2], 4);
    EXPECT_EQ(view.kind, 0);
    EXPECT_EQ(view.title.en, "USB key");
}

TEST(ReactionDisplay, UsbKeyShowsDurationInMilliseconds) {
    Record record = with_reaction({0, 7, 0, 4, 0, 3});
    const ReactionView view = display_reaction(record, kSlot);
    ASSERT_NE(view.field(C::UsbKeyDuration), nullptr);
    EXPECT_EQ(view.field(C::UsbKeyDuration)->text.en, "300");
    ASSERT_NE(view.field(C::UsbKeyText), nullptr);
}

TEST(ReactionDisplay, InfraredWithoutCodeIsClearedButKeepsItsPin) {
    Record record = with_reaction({1, 0x12, 0x34, 0x00, 0x3B, 4});  // protocol 11 (CAN AUTO) is no code here
    const ReactionView view = display_reaction(record, kSlot);
    EXPECT_EQ(reaction_of(record), (R{1, 0, 0, 0, 0, 4}));
    ASSERT_NE(view.list(C::IrOutput), nullptr);
    EXPECT_FALSE(view.list(C::IrOutput)->enabled);
    EXPECT_EQ(view.list(C::IrOutput)->selected, 4);

    Record valid = with_reaction({1, 0x12, 0x34, 0x00, 0x2F, 4});  // IR_ALPINE, two repeats
    const ReactionView shown = display_reaction(valid, kSlot);
    EXPECT_EQ(reaction_of(valid), (R{1, 0x12, 0x34, 0x00, 0x2F, 4}));
    EXPECT_TRUE(shown.list(C::IrOutput)->enabled);
    EXPECT_EQ(shown.field(C::IrRepeats)->text.en, "2");
}

TEST(ReactionDisplay, PinZeroClearsModeAndDuration) {
    Record record = with_reaction({2, 0, 3, 0x10, 0x27, 0});
    const ReactionView view = display_reaction(record, kSlot);
    EXPECT_EQ(reaction_of(record), (R{2, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(view.list(C::PinMode)->enabled);
    EXPECT_FALSE(view.field(C::PinDuration)->enabled);

    Record set = with_reaction({2, 16, 3, 0x10, 0x27, 0});
    const ReactionView shown = display_reaction(set, kSlot);
    EXPECT_EQ(reaction_of(set), (R{2, 16, 3, 0x10, 0x27, 0}));
    EXPECT_EQ(shown.list(C::PinOutput)->items[16].en, "USB_UP");
    EXPECT_EQ(shown.list(C::PinMode)->selected, 3);
    EXPECT_EQ(shown.field(C::PinDuration)->text.en, "10000");
    EXPECT_TRUE(shown.field(C::PinDuration)->enabled);
}

TEST(ReactionDisplay, ControlVoltageLimitFormula) {
    // Default byte 255 - 50 (1.00 V) and maximum byte 150 (3.00 V): the code stays within them.
    EXPECT_EQ(limit_control_voltage(255 - 100, 255 - 50, 150), 255 - 100);
    EXPECT_EQ(limit_control_voltage(255 - 200, 255 - 50, 150), 255 - 150);
    EXPECT_EQ(limit_control_voltage(255 - 10, 255 - 50, 150), 255 - 50);
    // Bounds given the other way round are swapped.
    EXPECT_EQ(limit_control_voltage(255 - 200, 255 - 150, 50), 255 - 150);
    EXPECT_EQ(limit_control_voltage(255 - 10, 255 - 150, 50), 255 - 50);
}

TEST(ReactionDisplay, ControlLimitsOnlySetAndEqualChannels) {
    Record record = with_reaction({3, 255 - 200, 255 - 200, 0x10, 0x00, 0x14});  // ch1 "equal", ch2 "not touch"
    set_field(record, FieldId::ANA_VOUT1, 255 - 50);
    set_field(record, FieldId::MINMAX_VOUT1, 150);
    set_field(record, FieldId::ANA_VOUT2, 255 - 50);
    set_field(record, FieldId::MINMAX_VOUT2, 150);
    const ReactionView view = display_reaction(record, kSlot);
    EXPECT_EQ(reaction_of(record), (R{3, 255 - 150, 255 - 200, 0x10, 0x00, 0x14}));
    EXPECT_EQ(view.field(C::ControlVoltage1)->text.en, "3.00");
    EXPECT_EQ(view.field(C::ControlVoltage2)->text.en, "4.00");
    EXPECT_EQ(view.list(C::ControlAction1)->selected, 4);
    EXPECT_EQ(view.list(C::ControlAction2)->selected, 1);
    EXPECT_FALSE(view.check(C::ControlSave1)->checked);
    EXPECT_EQ(view.field(C::ControlDuration)->text.en, "16");
}

TEST(ReactionDisplay, SourceOptionsFollowTheSelection) {
    Record next = with_reaction({4, 0, 0x05, 1, 0, 0});
    ReactionView view = display_reaction(next, kSlot);
    EXPECT_EQ(reaction_of(next), (R{4, 0, 0x05, 0, 0, 0}));
    EXPECT_TRUE(view.field(C::SourceSkip)->enabled);
    EXPECT_EQ(view.field(C::SourceSkip)->text.en, "Skip:  1 3");
    EXPECT_FALSE(view.check(C::SourceSave)->enabled);

    Record restore = with_reaction({4, 10, 0x05, 1, 0, 0});
    view = display_reaction(restore, kSlot);
    EXPECT_EQ(reaction_of(restore), (R{4, 10, 0, 0, 0, 0}));
    EXPECT_FALSE(view.field(C::SourceSkip)->enabled);
    EXPECT_FALSE(view.check(C::SourceSave)->enabled);
    EXPECT_EQ(view.field(C::SourceSkip)->text.en, "Skip:  no");

    Record fixed = with_reaction({4, 3, 0x05, 1, 0, 0});
    view = display_reaction(fixed, kSlot);
    EXPECT_EQ(reaction_of(fixed), (R{4, 3, 0, 1, 0, 0}));
    EXPECT_FALSE(view.field(C::SourceSkip)->enabled);
    EXPECT_TRUE(view.check(C::SourceSave)->enabled);
    EXPECT_TRUE(view.check(C::SourceSave)->checked);
}

TEST(ReactionDisplay, EventManageNeverDisablesPowerOn) {
    for (std::uint8_t action : {std::uint8_t{1}, std::uint8_t{2}}) {
        Record record = with_reaction({6, action, 0, 0, 0, 0});
        const ReactionView view = display_reaction(record, kSlot);
        EXPECT_EQ(record.slot(kSlot)[13], 1);
        EXPECT_EQ(view.list(C::EventManageTarget)->selected, 1);
        EXPECT_EQ(view.list(C::EventManageTarget)->label.en, "event");
    }
    Record simulate = with_reaction({6, 0, 0, 0, 0, 0});
    const ReactionView view = display_reaction(simulate, kSlot);
    EXPECT_EQ(simulate.slot(kSlot)[13], 0);
    EXPECT_EQ(view.list(C::EventManageTarget)->items[0].en, "Power On");
}

TEST(ReactionDisplay, AmplifierPositionsAreKeptInsideTheirLists) {
    Record record = with_reaction({7, 9, 40, 0, 0, 0});
    ReactionView view = display_reaction(record, kSlot);
    EXPECT_EQ(reaction_of(record), (R{7, 0, 40, 0, 0, 0}));  // VOL has 68 entries: 40 stays
    EXPECT_EQ(view.list(C::AmplifierParameter)->selected, 0);
    EXPECT_EQ(view.list(C::AmplifierAction)->items.size(), 68u);

    Record asl = with_reaction({7, 6, 3, 0, 0, 0});
    view = display_reaction(asl, kSlot);
    EXPECT_EQ(reaction_of(asl), (R{7, 6, 0, 0, 0, 0}));
    EXPECT_EQ(view.list(C::AmplifierAction)->items.size(), 3u);
}

TEST(ReactionDisplay, CarDspParameterAndAutorepeat) {
    Record sub = with_reaction({19, 4, 25, 0xF4, 0x01, 0});  // "Subwoofer Set" position 25
    ReactionView view = display_reaction(sub, kSlot);
    EXPECT_EQ(reaction_of(sub), (R{19, 4, 0, 0, 0, 0}));
    EXPECT_FALSE(view.field(C::DspRepeat)->visible);
    EXPECT_TRUE(view.list(C::DspParameter)->visible);

    Record up = with_reaction({19, 2, 31, 0xF4, 0x01, 0});
    view = display_reaction(up, kSlot);
    EXPECT_EQ(reaction_of(up), (R{19, 2, 31, 0xF4, 0x01, 0}));
    EXPECT_TRUE(view.field(C::DspRepeat)->visible);
    EXPECT_EQ(view.field(C::DspRepeat)->text.en, "500");
    EXPECT_EQ(view.list(C::DspParameter)->items[31].en, "32");

    Record source = with_reaction({19, 9, 2, 1, 1, 0});
    view = display_reaction(source, kSlot);
    EXPECT_EQ(reaction_of(source), (R{19, 9, 0, 0, 0, 0}));
    EXPECT_FALSE(view.list(C::DspParameter)->visible);

    Record volume = with_reaction({19, 7, 100, 0, 0, 0});
    set_field(volume, FieldId::CARDSP_RUX_PARAM_TYPE, 5);
    display_reaction(volume, kSlot);
    EXPECT_EQ(volume.slot(kSlot)[13], 0);
    Record volume_ext = with_reaction({19, 7, 100, 0, 0, 0});
    display_reaction(volume_ext, kSlot);
    EXPECT_EQ(volume_ext.slot(kSlot)[13], 100);
}

TEST(ReactionDisplay, SwCanCodeNotOfferedByItsCarTypeKeepsTheStoredBytes) {
    Record foreign = with_reaction({23, 40, 0x34, 0x12, 2, 0});  // AUDI RNS-E offers no 40
    ReactionView view = display_reaction(foreign, kSlot);
    EXPECT_EQ(reaction_of(foreign), (R{23, 40, 0x34, 0x12, 2, 0}));
    EXPECT_EQ(view.list(C::SwCanButton)->selected, -1);
    EXPECT_FALSE(view.field(C::SwCanCode)->visible);

    // A type without "Custom code" still shows the stored custom code.
    Record a5 = with_reaction({23, 0, 0x34, 0x12, 3, 0});
    view = display_reaction(a5, kSlot);
    EXPECT_EQ(reaction_of(a5), (R{23, 0, 0x34, 0x12, 3, 0}));
    EXPECT_EQ(view.list(C::SwCanButton)->selected, -1);
    EXPECT_TRUE(view.field(C::SwCanCode)->visible);
    EXPECT_EQ(view.field(C::SwCanCode)->text.en, "1234");

    Record unknown_type = with_reaction({23, 5, 1, 2, 40, 0});
    view = display_reaction(unknown_type, kSlot);
    EXPECT_EQ(reaction_of(unknown_type), (R{23, 5, 1, 2, 40, 0}));
    EXPECT_TRUE(view.list(C::SwCanButton)->items.empty());
    EXPECT_EQ(view.list(C::SwCanCarType)->selected, -1);

    Record offered = with_reaction({23, 13, 0x34, 0x12, 2, 0});
    view = display_reaction(offered, kSlot);
    EXPECT_EQ(reaction_of(offered), (R{23, 13, 0, 0, 2, 0}));
    EXPECT_EQ(view.list(C::SwCanButton)->selected, 8);
    EXPECT_EQ(view.list(C::SwCanButton)->items[8].en, "PHONE");
    EXPECT_FALSE(view.field(C::SwCanCode)->visible);
}

TEST(ReactionDisplay, GanetCustomCodeOnlyForEntryZero) {
    Record custom = with_reaction({24, 0, 0xAB, 0x12, 0, 0});
    ReactionView view = display_reaction(custom, kSlot);
    EXPECT_EQ(reaction_of(custom), (R{24, 0, 0xAB, 0x12, 0, 0}));
    EXPECT_EQ(view.field(C::GanetCode)->text.en, "12AB");
    EXPECT_EQ(view.field(C::GanetCode)->label.en, "Code, HEX 2 bytes");

    Record fan = with_reaction({24, 5, 0xAB, 0x12, 0, 0});
    view = display_reaction(fan, kSlot);
    EXPECT_EQ(reaction_of(fan), (R{24, 5, 0, 0, 0, 0}));
    EXPECT_FALSE(view.field(C::GanetCode)->visible);
}

TEST(ReactionDisplay, LabelsThatDependOnTheChoice) {
    Record idrive = with_reaction({11, 1, 0x10, 0x00, 0, 0});
    ReactionView view = display_reaction(idrive, kSlot);
    EXPECT_EQ(view.field(C::IdriveParameter)->label.en, "Backlight code (0-default)");
    EXPECT_EQ(view.field(C::IdriveParameter)->text.en, "16");
    idrive.slot(kSlot)[12] = 14;
    EXPECT_EQ(display_reaction(idrive, kSlot).field(C::IdriveParameter)->label.en, "Interval, mSec");
    idrive.slot(kSlot)[12] = 5;
    EXPECT_FALSE(display_reaction(idrive, kSlot).field(C::IdriveParameter)->visible);

    Record mmi = with_reaction({18, 0, 50, 0, 0, 0});
    EXPECT_FALSE(display_reaction(mmi, kSlot).field(C::MmiParameter)->visible);
    mmi.slot(kSlot)[12] = 1;
    EXPECT_EQ(display_reaction(mmi, kSlot).field(C::MmiParameter)->label.en, "0...100%");
    mmi.slot(kSlot)[12] = 15;
    EXPECT_EQ(display_reaction(mmi, kSlot).field(C::MmiParameter)->label.en, "Led 0/1=off/on");
}

TEST(ReactionDisplay, SerialChannelAndPreview) {
    Record record = with_reaction({13, 0, 0, 0, 0, 0});
    ReactionView view = display_reaction(record, kSlot);
    EXPECT_EQ(view.field(C::SerialChannel)->text.en, "To USB");
    EXPECT_EQ(view.field(C::SerialValue)->text.en, "");
    EXPECT_EQ(view.field(C::SerialPreview)->text.en, "on press <press:event07>");
    set_field(record, FieldId::BT_NUM, 2);
    const char value[] = "HELLO";
    for (std::size_t i = 0; i < 5; ++i) record.slot(kSlot)[12 + i] = static_cast<std::uint8_t>(value[i]);
    view = display_reaction(record, kSlot);
    EXPECT_EQ(view.field(C::SerialChannel)->text.en, "To bluetooth");
    EXPECT_EQ(view.field(C::SerialValue)->text.en, "HELLO");
    EXPECT_EQ(view.field(C::SerialPreview)->text.en, "on press <press:HELLO>");

    // The UART page names its channel too, in both languages.
    Record uart_record = with_reaction({16, 'A', 0, 0, 0, 0});
    const ReactionView uart = display_reaction(uart_record, kSlot);
    EXPECT_EQ(uart.field(C::UartChannel)->text.en, "To UART");
    EXPECT_EQ(uart.field(C::UartChannel)->text.ru, "В UART");
    EXPECT_EQ(uart.field(C::UartValue)->text.en, "A");
}

TEST(ReactionDisplay, PackedTouchAndSignedSteps) {
    // X 0xABC in bits 0-11 of bytes 12-13, Y 0x123 in bits 4-15 of bytes 13-14, 4000 ms.
    Record touch = with_reaction({5, 0xBC, 0x3A, 0x12, 0xA0, 0xFF});
    ReactionView view = display_reaction(touch, kSlot);
    EXPECT_EQ(view.field(C::TouchX)->text.en, std::to_string(0xABC));
    EXPECT_EQ(view.field(C::TouchY)->text.en, std::to_string(0x123));
    EXPECT_EQ(view.field(C::TouchDuration)->text.en, std::to_string(0xFA0));

    Record encoder = with_reaction({9, 0, 0xF6, 0, 0, 0});
    view = display_reaction(encoder, kSlot);
    EXPECT_EQ(view.field(C::EncoderSteps)->kind, ControlKind::Spin);
    EXPECT_EQ(view.field(C::EncoderSteps)->value, -10);
    EXPECT_FALSE(view.field(C::EncoderSteps)->enabled);
    EXPECT_FALSE(view.field(C::EncoderRepeat)->enabled);
    encoder.slot(kSlot)[12] = 3;
    EXPECT_TRUE(display_reaction(encoder, kSlot).field(C::EncoderSteps)->enabled);
}

TEST(ReactionDisplay, EveryKindHasAPageAndOutOfListValuesSelectNothing) {
    for (std::uint8_t kind = 0; kind < kReactionKindCount; ++kind) {
        Record record = with_reaction({kind, 200, 200, 200, 200, 200});
        const ReactionView view = display_reaction(record, kSlot);
        EXPECT_EQ(view.kind, kind);
        EXPECT_EQ(view.title.en, reaction_kind_titles()[kind].en);
        EXPECT_FALSE(view.controls.empty()) << int(kind);
        EXPECT_LE(view.controls.size(), 7u);
        for (const ControlView& control : view.controls)
            EXPECT_TRUE(control.selected == -1 || static_cast<std::size_t>(control.selected) < control.items.size())
                << control.name;
    }
}

TEST(ReactionDisplay, SecondDisplayChangesNothing) {
    std::mt19937 random(1234);
    for (int round = 0; round < 3000; ++round) {
        Record record;
        for (std::size_t i = 0; i < kRecordSize; ++i) record.raw[i] = static_cast<std::uint8_t>(random());
        // Bias the kind byte towards valid kinds so every rule gets exercised.
        record.slot(kSlot)[kReactionKindByte] = static_cast<std::uint8_t>(random() % 32);
        display_reaction(record, kSlot);
        const Record once = record;
        display_reaction(record, kSlot);
        ASSERT_EQ(once.raw, record.raw) << "kind " << int(once.slot(kSlot)[11]);
    }
}

}  // namespace
}  // namespace ztv
