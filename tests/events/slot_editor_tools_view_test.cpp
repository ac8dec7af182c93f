// The editor's captures and windows against the simulated controller: infrared codes for the
// event and the reaction, the IR code editor from the context menu, the touch point, the key
// picker, learned buttons dropped on "Button" and "Mod", the source window and refused input.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QToolButton>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/shell_fixture.h"
#include "common/numeric_entry.h"
#include "config/parameter_bindings.h"
#include "config/parameter_pages.h"
#include "device/device_errors.h"
#include "device/protocol.h"
#include "device/transport.h"
#include "events/button_drop_helper.h"
#include "events/button_tab_row_widget.h"
#include "events/editor_controls_widget.h"
#include "events/slot_editor_view.h"
#include "sim/sim_clock.h"
#include "sim/sim_controller.h"
#include "tools/ir_code_window.h"
#include "tools/key_board_window.h"
#include "widgets/control_widgets.h"
#include "widgets/source_select_window.h"

namespace ztv {
namespace {

class EditorToolsTest : public testing::ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        make_form();
        window->initialise();
        clock = std::make_unique<sim::HostClock>(window->host());
        sim = std::make_unique<sim::SimController>(*clock);
        transport = std::make_unique<Transport>(*sim, window->host());
        protocol = std::make_unique<Protocol>(*transport, window->host());
        // The identity the simulated application answers to, as the connection monitor finds it.
        for (std::size_t identity = 0; identity < 5 && !transport->device_open(); ++identity) {
            transport->set_identity_index(identity);
            if (transport->open_device() == kOk && transport->current_identity().bootloader) transport->close_device();
        }
        ASSERT_TRUE(transport->device_open());
        editor().set_device({protocol.get(), [this] { return connected; }});
    }
    void TearDown() override {
        transport->close_device();
        window.reset();
    }

    SlotEditor& editor() { return *window->slot_editor(); }
    std::uint8_t byte(std::size_t slot, std::size_t at) { return state.record.slot(slot)[at]; }
    void set_byte(std::size_t slot, std::size_t at, std::uint8_t v) { state.record.slot(slot)[at] = v; }
    QWidget* input(const char* name) {
        BoundControl* c = editor().control(name);
        return c != nullptr ? c->input() : nullptr;
    }
    QString text_of(const char* name) {
        auto* label = qobject_cast<QLabel*>(input(name));
        return label != nullptr ? label->text() : QString();
    }
    void click(const char* name) {
        QWidget* w = input(name);
        ASSERT_NE(w, nullptr) << name;
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            button->click();
        else
            QTest::mouseClick(w, Qt::LeftButton);
    }
    // The entries the shared popup offers, then a choice of one of them.
    QStringList offered() {
        QStringList texts;
        for (QAction* a : window->chrome().shared_popup()->actions())
            if (a->isVisible()) texts << a->text();
        return texts;
    }
    void choose_popup(int index) {
        window->chrome().shared_popup()->actions()[index]->trigger();
        window->chrome().shared_popup()->close();
    }
    // Sends a drag of a learned button over a drop target and drops it there.
    int drag_over(const char* target, ButtonDrag button, bool drop) {
        auto* control = dynamic_cast<ButtonDropControl*>(editor().control(target));
        if (control == nullptr) return 99;
        std::unique_ptr<QMimeData> data(make_button_drag(button));
        return testing::drag_over_target(*control, *data, drop);
    }

    bool connected = true;
    std::unique_ptr<sim::HostClock> clock;
    std::unique_ptr<sim::SimController> sim;
    std::unique_ptr<Transport> transport;
    std::unique_ptr<Protocol> protocol;
};

// Command 0x12, address 0x00FF, protocol 1 (NEC).
constexpr std::uint32_t kNecCode = 0x0100FF12;

TEST_F(EditorToolsTest, ClickingTheIrEventPanelCapturesTheControllersCode) {
    editor().select_slot(4);
    editor().event_tabs()->tab(1)->click();
    EXPECT_EQ(byte(4, 0), 1);
    EXPECT_FALSE(editor().control("ComboBoxEventEvent")->input()->isEnabled()) << "no code yet: no trigger type";

    sim->set_ir_code(kNecCode);
    click("PanelEventIRx");
    EXPECT_EQ(byte(4, 2), 0x12);
    EXPECT_EQ(byte(4, 3), 0xFF);
    EXPECT_EQ(byte(4, 4), 0x00);
    EXPECT_EQ(byte(4, 5), 0x01);
    EXPECT_EQ(byte(4, 10) & 0x0F, 3) << "a disabled trigger becomes Any";
    EXPECT_EQ(text_of("PanelEventIRx"), QStringLiteral("NEC 255/18"));
    EXPECT_TRUE(editor().control("ComboBoxEventEvent")->input()->isEnabled());

    // Nothing received: the notice, and the slot keeps its code.
    sim->set_ir_code(0);
    click("PanelEventIRx");
    EXPECT_EQ(window->chrome().strip()->caption(), QStringLiteral("Нет ИК-кода"));
    EXPECT_EQ(byte(4, 2), 0x12);

    // Without a controller: the box says so and nothing changes.
    connected = false;
    sim->set_ir_code(0x01001234);
    click("PanelEventIRx");
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().type & 0xFF, kBoxError);
    EXPECT_EQ(byte(4, 2), 0x12);
}

TEST_F(EditorToolsTest, ReactionCaptureTakesSendableProtocolsAndRefusesOthers) {
    editor().select_slot(6);
    editor().reaction_tabs()->tab(1)->click();
    sim->set_ir_code(0x03001A0C);  // RC5: not for a reaction
    click("PanelReactionIRx");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type & 0xFF, kBoxInformation);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Для реакции поддерживаются только протоколы NEC, JVC или SONY"));
    EXPECT_EQ(byte(6, 12), 0);

    sim->set_ir_code(kNecCode);
    click("PanelReactionIRx");
    EXPECT_EQ(byte(6, 11), 1);
    EXPECT_EQ(byte(6, 12), 0x12);
    EXPECT_EQ(byte(6, 15), 0x01);
    EXPECT_EQ(text_of("PanelReactionIRx"), QStringLiteral("NEC 255/18"));
}

TEST_F(EditorToolsTest, IrContextMenuDeletesOrEditsTheCodeWithTheIrCodeEditor) {
    editor().select_slot(2);
    editor().event_tabs()->tab(1)->click();
    sim->set_ir_code(kNecCode);
    click("PanelEventIRx");
    set_byte(2, 1, 0x04);  // sources, cleared with the code

    editor().open_control_menu("PanelEventIRx", QPoint(5, 5));
    EXPECT_EQ(window->chrome().popup_context(), static_cast<int>(EditorContext::IrEventCode));
    EXPECT_EQ(offered(), (QStringList{QStringLiteral("Удалить ИК-код"), QStringLiteral("Изменить ИК-код")}));

    // "Edit IR code": the editor opens on the code; a new address and command are stored.
    TFormIRCode* ir = editor().ir_code_window();
    QTimer::singleShot(0, ir, [ir] {
        EXPECT_EQ(ir->protocol_list()->currentText(), QStringLiteral("IR_NEC"));
        EXPECT_EQ(ir->address_field()->text(), QStringLiteral("255"));
        ir->address_field()->setText(QStringLiteral("4660"));
        ir->command_field()->setText(QStringLiteral("86"));
        ir->protocol_list()->setCurrentText(QStringLiteral("IR_SAMSUNG"));
        ir->ok_button()->click();
    });
    choose_popup(1);
    EXPECT_EQ(byte(2, 2), 86);
    EXPECT_EQ(byte(2, 3), 0x34);
    EXPECT_EQ(byte(2, 4), 0x12);
    EXPECT_EQ(byte(2, 5), 10);
    EXPECT_EQ(text_of("PanelEventIRx"), QStringLiteral("SAMSUNG 4660/86"));

    // A command that is no number stops "OK" there: the protocol is set, the command is not.
    const std::size_t boxes_before = boxes.size();
    editor().open_control_menu("PanelEventIRx", QPoint(5, 5));
    QTimer::singleShot(0, ir, [ir] {
        ir->protocol_list()->setCurrentText(QStringLiteral("IR_JVC"));
        ir->command_field()->setText(QStringLiteral("8x"));
        ir->ok_button()->click();
    });
    choose_popup(1);
    ASSERT_EQ(boxes.size(), boxes_before + 1);
    EXPECT_EQ(boxes.back().text, QStringLiteral("'8x' не является целым числом"));
    EXPECT_EQ(byte(2, 5), 2);
    EXPECT_EQ(byte(2, 2), 86);

    // "Delete IR code": an IR event without a code, its flags and sources gone.
    editor().open_control_menu("PanelEventIRx", QPoint(5, 5));
    choose_popup(0);
    EXPECT_EQ(window->chrome().popup_context(), 0);
    EXPECT_EQ(byte(2, 0), 1);
    for (std::size_t i = 1; i <= 10; ++i) EXPECT_EQ(byte(2, i), 0) << "byte " << i;

    // The reaction's panel offers the editor alone, and only on an IR reaction.
    editor().open_control_menu("PanelEventIRx", QPoint(5, 5));  // still an IR event: offered
    window->chrome().shared_popup()->close();
    window->page_host().set_popup_context(0);
    editor().reaction_tabs()->tab(0)->click();
    editor().open_control_menu("PanelReactionIRx", QPoint(5, 5));
    EXPECT_EQ(window->chrome().popup_context(), 0) << "no IR reaction: no menu";
}

TEST_F(EditorToolsTest, TouchPointCaptureStoresThePointAndShowsItsProgress) {
    editor().select_slot(9);
    editor().reaction_tabs()->tab(5)->click();
    auto* touch = dynamic_cast<TouchPointControl*>(editor().control("SpeedButtonReactionTouch"));
    ASSERT_NE(touch, nullptr);
    EXPECT_FALSE(touch->progress()->isVisible());
    int highest = 0;
    ShellTimer poll(window->host().clock(), nullptr);
    QObject::connect(&poll, &ShellTimer::timeout, [&] {
        if (touch->progress()->isVisibleTo(touch)) highest = std::max(highest, touch->progress()->value());
    });
    poll.start(20);
    sim->touch_at(window->host().tick_ms() + 400, 1234, 2345);
    click("SpeedButtonReactionTouch");
    poll.stop();
    EXPECT_GE(highest, 2) << "the bar moved while waiting";
    EXPECT_FALSE(touch->progress()->isVisibleTo(touch));
    EXPECT_EQ(byte(9, 12), 0xD2);
    EXPECT_EQ(byte(9, 13), 0x94);
    EXPECT_EQ(byte(9, 14), 0x92);
    EXPECT_EQ(byte(9, 15), 200);
    EXPECT_EQ(byte(9, 16) & 0x0F, 0);
    EXPECT_TRUE(editor().isEnabled()) << "the editor is given back after the capture";
    EXPECT_EQ(sim->touch_capture_ms(), 0) << "the capture was ended on the controller";
}

TEST_F(EditorToolsTest, KeyPickerEditsTheUsbKeyReactionOfTheCurrentSlotAndFollowsTheSlot) {
    window->page_host().set_language(1);
    editor().select_slot(3);
    // The key text is reached and opened without the mouse, like a button.
    QWidget* key_text = editor().control("PanelReactionUSBKeyx")->input();
    key_text->setFocus(Qt::TabFocusReason);
    QTest::keyClick(key_text, Qt::Key_Space);
    TFormKeyBoard* picker = editor().key_picker();
    ASSERT_TRUE(picker->isVisible());
    EXPECT_EQ(picker->windowTitle(), QStringLiteral("Keyboard (Reactions for the event 4)"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(picker));  // it takes the focus: its keys are next
    EXPECT_TRUE(picker->isAncestorOf(QApplication::focusWidget()) &&
                qobject_cast<QAbstractButton*>(QApplication::focusWidget()) != nullptr);  // a key, not a field

    picker->button(QStringLiteral("PanelMod0x"))->click();
    picker->button(QStringLiteral("PanelKey4x"))->click();
    EXPECT_EQ(byte(3, 12), 7);
    EXPECT_EQ(byte(3, 13), 0x01);
    EXPECT_EQ(byte(3, 14), 4);
    EXPECT_TRUE(picker->is_marked(QStringLiteral("PanelKey4x")));
    EXPECT_TRUE(picker->is_marked(QStringLiteral("PanelMod0x")));
    EXPECT_EQ(picker->key1_field()->text(), QStringLiteral("x04"));
    EXPECT_TRUE(text_of("PanelReactionUSBKeyx").endsWith(QStringLiteral("lCtrl + A")));

    picker->key2_field()->setText(QStringLiteral("300"));
    QTest::keyClick(picker->key2_field(), Qt::Key_Return);
    EXPECT_EQ(byte(3, 15), 255);

    picker->button(QStringLiteral("SpeedButtonMMKey00E2x"))->click();
    EXPECT_EQ(byte(3, 12), 12);
    EXPECT_EQ(byte(3, 14), 0xE2);
    EXPECT_TRUE(text_of("PanelReactionUSBKeyx").endsWith(QStringLiteral("ConsumerPage:MUTE")));

    // Another slot shown: the picker edits that one now, retitled.
    editor().select_slot(10);
    EXPECT_EQ(picker->windowTitle(), QStringLiteral("Keyboard (Reactions for the event 11)"));
    EXPECT_FALSE(picker->is_marked(QStringLiteral("SpeedButtonMMKey00E2x")));
    window->page_host().set_language(0);
    EXPECT_EQ(picker->windowTitle(), QStringLiteral("Клавиатура (реакция на событие 11)"));
}

TEST_F(EditorToolsTest, LearnedButtonsDropOnButtonAndModUnderTheRules) {
    // Learned: key 3 and 5 of channel 1, key 7 of channel 3; key 4 of channel 1 is not.
    state.record.set_u16(Record::button_offset(0, 2), 812);
    state.record.set_button_name(0, 2, "Vol+");
    state.record.set_u16(Record::button_offset(0, 4), 1500);
    state.record.set_u16(Record::button_offset(2, 6), 2300);
    editor().select_slot(0);
    EXPECT_EQ(drag_over("PanelKeyx", {0, 4}, true), -1) << "a key that was never learned is red";
    EXPECT_EQ(drag_over("PanelKeyx", {0, 3}, true), 1) << "a learned key is shown green";
    EXPECT_EQ(byte(0, 2), 3);
    EXPECT_EQ(byte(0, 3), 0);
    EXPECT_EQ(text_of("PanelKeyx"), QStringLiteral("Vol+"));
    EXPECT_EQ(drag_over("PanelKeyModx", {0, 5}, true), -1) << "a modifier on the main button's channel is red";
    EXPECT_EQ(byte(0, 4), 0);
    EXPECT_EQ(drag_over("PanelKeyModx", {4, 1}, true), -1) << "an encoder is never a modifier";
    EXPECT_EQ(drag_over("PanelKeyModx", {2, 7}, true), 1);
    EXPECT_EQ(byte(0, 4), 7);
    EXPECT_EQ(byte(0, 5), 2);
    EXPECT_EQ(drag_over("PanelKeyx", {2, 1}, false), -1) << "the main button may not share the modifier's channel";

    // Delete mod key / Delete key, each offered only while set.
    editor().open_control_menu("PanelKeyModx", QPoint(5, 5));
    EXPECT_EQ(window->chrome().popup_context(), static_cast<int>(EditorContext::ModLabel));
    EXPECT_EQ(offered(), QStringList{QStringLiteral("Удалить кнопку-модификатор")});
    choose_popup(0);
    EXPECT_EQ(byte(0, 4), 0);
    EXPECT_EQ(byte(0, 5), 0);
    EXPECT_EQ(byte(0, 2), 3);
    editor().open_control_menu("PanelKeyModx", QPoint(5, 5));
    EXPECT_EQ(window->chrome().popup_context(), 0);
    editor().open_control_menu("PanelKeyx", QPoint(5, 5));
    EXPECT_EQ(window->chrome().popup_context(), static_cast<int>(EditorContext::KeyLabel));
    choose_popup(0);
    EXPECT_EQ(byte(0, 2), 0);

    // No drop on another event kind.
    editor().event_tabs()->tab(3)->click();
    EXPECT_EQ(editor().control("PanelKeyx")->isVisibleTo(window.get()), false);
    EXPECT_FALSE(editor().drop_accepted(false, 0, 3));
}

TEST_F(EditorToolsTest, SelectOpensTheSourceWindowBelowTheListAndAllEightMeanAny) {
    editor().select_slot(1);
    editor().event_tabs()->tab(3)->click();
    auto* sources = qobject_cast<QComboBox*>(input("ComboBoxEventSRCMASK"));
    ASSERT_NE(sources, nullptr);
    TInterceptForm* form = editor().source_window();
    const auto tick_and_ok = [form](std::vector<int> rows) {
        QTimer::singleShot(0, form, [form, rows] {
            for (int i = 0; i < form->source_list()->count(); ++i)
                form->source_list()->item(i)->setCheckState(Qt::Unchecked);
            for (const int row : rows) form->source_list()->item(row)->setCheckState(Qt::Checked);
            form->ok_button()->click();
        });
    };
    tick_and_ok({0, 2});
    sources->setCurrentIndex(1);
    emit sources->activated(1);
    EXPECT_EQ(byte(1, 1), 0x05);
    EXPECT_EQ(sources->currentIndex(), 1);
    EXPECT_EQ(sources->itemText(1), QStringLiteral(" 1 3"));

    tick_and_ok({0, 1, 2, 3, 4, 5, 6, 7});
    emit sources->activated(1);
    EXPECT_EQ(byte(1, 1), 0);
    EXPECT_EQ(sources->currentIndex(), 0);
}

TEST_F(EditorToolsTest, RefusedNumberKeepsTheTextSelectedAndThePinCheckShowsThePinsPage) {
    editor().select_slot(5);
    editor().event_tabs()->tab(4)->click();  // "Timeout"
    auto* time = qobject_cast<QLineEdit*>(input("EditEventTimeout"));
    ASSERT_NE(time, nullptr);
    time->setText(QStringLiteral("12a"));
    QTest::keyClick(time, Qt::Key_Return);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(kEnterValueMessage.ru));
    EXPECT_EQ(time->text(), QStringLiteral("12a"));
    EXPECT_EQ(time->selectedText(), QStringLiteral("12a"));
    time->setText(QStringLiteral("1500"));
    QTest::keyClick(time, Qt::Key_Return);
    EXPECT_EQ(byte(5, 3) | byte(5, 4) << 8, 1500);

    window->parameter_pages()->setCurrentIndex(static_cast<int>(ParamPage::Sources));
    editor().reaction_tabs()->tab(2)->click();  // "Pin"
    auto* pin = qobject_cast<QComboBox*>(input("ComboBoxEventReactionPinNUM"));
    ASSERT_NE(pin, nullptr);
    emit pin->activated(2);  // X2/2 without a pin mode
    EXPECT_EQ(window->parameter_pages()->currentIndex(), static_cast<int>(ParamPage::Pins));
    EXPECT_EQ(byte(5, 12), 0);
    EXPECT_EQ(boxes.back().type & 0xFF, kBoxWarning);
}

}  // namespace
}  // namespace ztv
