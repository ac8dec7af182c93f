// The editor's small windows on the offscreen platform: the slot-name window, the key picker
// and the IR code editor, driven as a user would.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

#include "app/language_walker.h"
#include "catalogues/key_captions.h"
#include "tools/ir_code_window.h"
#include "tools/key_board_window.h"
#include "tools/tool_window_tables.h"
#include "widgets/slot_name_window.h"

namespace ztv {
namespace {

TEST(SlotNameWindow, EnterConfirmsEscapeCancelsAndTheFieldTakesItsLimit) {
    TFormSlotName window(32);
    EXPECT_EQ(window.field()->maxLength(), 32);
    bool selected = false;
    QTimer::singleShot(0, &window, [&] {
        selected = window.field()->selectedText() == QStringLiteral("Wipers");
        QTest::keyClicks(window.field(), QStringLiteral("Front wipers"));
        QTest::keyClick(window.field(), Qt::Key_Return);
    });
    const std::optional<QString> name =
        window.ask(QStringLiteral("Set name for 7 tab"), QStringLiteral("OK"), QStringLiteral("Wipers"), QPoint(30, 30));
    EXPECT_TRUE(selected) << "the current name is selected, so typing replaces it";
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, QStringLiteral("Front wipers"));

    QTimer::singleShot(0, &window, [&] {
        QTest::keyClicks(window.field(), QStringLiteral("x"));
        QTest::keyClick(window.field(), Qt::Key_Escape);
    });
    EXPECT_FALSE(window.ask(QStringLiteral("Name"), QStringLiteral("OK"), QStringLiteral("Old"), QPoint(30, 30)).has_value());
}

TEST(KeyBoardWindow, HasEveryKeyOfThePickerNamedAfterItsCode) {
    TFormKeyBoard window;
    EXPECT_EQ(window.buttons().size(), 8u + 96u + 19u + 8u);
    std::set<QString> names;
    for (const QAbstractButton* b : window.buttons()) names.insert(b->objectName());
    EXPECT_EQ(names.size(), window.buttons().size()) << "every name is unique";
    for (unsigned bit = 0; bit < kModifierCount; ++bit) {
        const QAbstractButton* mod = window.button(QStringLiteral("PanelMod%1x").arg(bit));
        ASSERT_NE(mod, nullptr);
        EXPECT_EQ(mod->text(), QString::fromLatin1(key_modifier_caption(bit)));
    }
    for (const KeyCaption& key : keyboard_keys()) {
        const QAbstractButton* b = window.button(QStringLiteral("PanelKey%1x").arg(key.usage));
        ASSERT_NE(b, nullptr) << key.usage;
        EXPECT_EQ(b->text(), QString::fromLatin1(key.caption));
    }
    EXPECT_EQ(window.button(QStringLiteral("PanelKey50x")), nullptr);
    EXPECT_EQ(window.button(QStringLiteral("PanelKey100x")), nullptr);
    for (const KeyCaption& key : consumer_keys()) {
        const QString hex = QString::number(key.usage, 16).rightJustified(4, QLatin1Char('0')).toUpper();
        const QAbstractButton* b = window.button(QStringLiteral("SpeedButtonMMKey%1x").arg(hex));
        ASSERT_NE(b, nullptr) << key.caption;
        EXPECT_FALSE(b->icon().isNull()) << key.caption << " has a picture";
        EXPECT_EQ(b->toolTip(), QString::fromLatin1(key.caption));
    }
    window.retranslate(Lang::English);
    EXPECT_EQ(window.button(QStringLiteral("SystemControl0x"))->text(), QStringLiteral("Power Down"));
    EXPECT_EQ(window.button(QStringLiteral("SystemControl7x"))->text(), QStringLiteral("Menu Exit"));
    window.retranslate(Lang::Russian);
    EXPECT_EQ(window.button(QStringLiteral("SystemControl1x"))->text(), QString::fromUtf8(system_control_caption(1).ru));

    // The five group captions come from the window's translation table.
    translate_window(key_board_table(), &window, Lang::English);
    EXPECT_EQ(window.findChild<QGroupBox*>(QStringLiteral("GroupBoxSystemControl"))->title(),
              QStringLiteral(" System Control "));
    EXPECT_EQ(window.findChild<QGroupBox*>(QStringLiteral("GroupBoxKeyboardPage07"))->title(),
              QStringLiteral(" Keyboard, page x07 "));
}

TEST(KeyBoardWindow, ShowsExactlyTheMarksItIsGivenAndReportsClicksAndCodes) {
    TFormKeyBoard window;
    KeyBoardMarks marks;
    marks.marked = {QStringLiteral("PanelKey4x"), QStringLiteral("PanelMod5x"), QStringLiteral("SpeedButtonMMKey00E2x")};
    marks.key1 = QStringLiteral("x04");
    window.show_marks(marks);
    EXPECT_TRUE(window.is_marked(QStringLiteral("PanelKey4x")));
    EXPECT_TRUE(window.is_marked(QStringLiteral("PanelMod5x")));
    EXPECT_FALSE(window.is_marked(QStringLiteral("PanelKey5x")));
    EXPECT_TRUE(window.button(QStringLiteral("SpeedButtonMMKey00E2x"))->isChecked());
    const QPalette green = window.button(QStringLiteral("PanelKey4x"))->palette();
    const QPalette plain = window.button(QStringLiteral("PanelKey5x"))->palette();
    EXPECT_NE(green.color(QPalette::Button), plain.color(QPalette::Button));
    EXPECT_EQ(green.color(QPalette::ButtonText), window.palette().color(QPalette::Window));
    EXPECT_EQ(plain.color(QPalette::ButtonText), QColor(Qt::black));
    EXPECT_EQ(window.key1_field()->text(), QStringLiteral("x04"));

    window.show_marks({});
    EXPECT_FALSE(window.is_marked(QStringLiteral("PanelKey4x")));
    EXPECT_FALSE(window.button(QStringLiteral("SpeedButtonMMKey00E2x"))->isChecked());
    EXPECT_EQ(window.key2_field()->text(), QStringLiteral("x00"));
    EXPECT_EQ(window.consumer_field()->text(), QStringLiteral("x0000"));

    QSignalSpy clicks(&window, &TFormKeyBoard::key_clicked);
    window.button(QStringLiteral("SystemControl3x"))->click();
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0][0].toString(), QStringLiteral("SystemControl3x"));

    QSignalSpy codes(&window, &TFormKeyBoard::code_entered);
    window.key2_field()->setText(QStringLiteral("x1F"));
    QTest::keyClick(window.key2_field(), Qt::Key_Return);
    ASSERT_EQ(codes.size(), 1);
    EXPECT_EQ(codes[0][0].toString(), QStringLiteral("EditKEY2x"));
    EXPECT_EQ(codes[0][1].toString(), QStringLiteral("x1F"));
}

// Used from the keyboard: it takes the focus on its marked key, the arrows move to the key
// beside, above or below, Enter and Space press the key, Esc closes the window.
TEST(KeyBoardWindow, ItsKeysAreUsedFromTheKeyboard) {
    TFormKeyBoard window;
    KeyBoardMarks marks;
    marks.marked = {QStringLiteral("PanelKey4x")};  // A
    window.show_marks(marks);
    window.take_focus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto focused = [] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); };
    EXPECT_EQ(focused(), QStringLiteral("PanelKey4x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(focused(), QStringLiteral("PanelKey22x"));  // S
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(focused(), QStringLiteral("PanelKey26x"));  // W, above S
    QSignalSpy clicks(&window, &TFormKeyBoard::key_clicked);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks[1][0].toString(), QStringLiteral("PanelKey26x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST(IrCodeWindow, ChecksTypedFieldsAndReturnsTheEntryOnlyWithOk) {
    TFormIRCode window;
    std::vector<Text> boxes;
    window.set_message_box([&](const Text& text) { boxes.push_back(text); });
    window.set_field_check([](int field, const QString& text) {
        if (text.isEmpty()) return Text("пусто", "empty");
        return field == 1 && text.toInt() > 255 ? Text("много", "too big") : Text();
    });
    bool selected_after_refusal = false;
    QTimer::singleShot(0, &window, [&] {
        EXPECT_EQ(window.protocol_list()->currentText(), QStringLiteral("IR_NEC"));
        QTest::keyClicks(window.command_field(), QStringLiteral("9"));  // 569: refused
        selected_after_refusal = window.command_field()->selectedText() == QStringLiteral("569");
        QTest::keyClicks(window.command_field(), QStringLiteral("7"));  // replaces the selection
        window.protocol_list()->setCurrentIndex(2);
        window.ok_button()->click();
    });
    const auto entry = window.edit({QStringLiteral("NONE"), QStringLiteral("IR_NEC"), QStringLiteral("IR_JVC")}, 1,
                                   QStringLiteral("1234"), QStringLiteral("56"), QPoint(20, 20), Lang::English);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("IR code"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].en, "too big");
    EXPECT_TRUE(selected_after_refusal);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->protocol, QStringLiteral("IR_JVC"));
    EXPECT_EQ(entry->address, QStringLiteral("1234"));
    EXPECT_EQ(entry->command, QStringLiteral("7"));

    QTimer::singleShot(0, &window, [&] { QTest::keyClick(window.address_field(), Qt::Key_Escape); });
    EXPECT_FALSE(window.edit({QStringLiteral("NONE")}, 0, QStringLiteral("1"), QStringLiteral("2"), QPoint(20, 20),
                             Lang::Russian)
                     .has_value());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ИК-код"));
}

}  // namespace
}  // namespace ztv
