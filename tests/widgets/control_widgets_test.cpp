// The generic bound widgets against hand-made views: each kind shows its view, reports the
// user's action in the core's shape, and never reports while a view is being shown.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "widgets/control_widgets.h"

namespace ztv {
namespace {

ControlView view_of(std::string_view name, ControlKind kind) {
    ControlView view;
    view.name = name;
    view.kind = kind;
    return view;
}

class ControlWidgetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        page = std::make_unique<QWidget>();
        form = new QFormLayout(page.get());
        controls.set_handler([this](const ControlAction& action) { actions.push_back(action); });
    }

    // Builds, places and shows a control from its first view.
    BoundControl* place(const ControlView& view, Lang lang = Lang::English) {
        BoundControl* control = controls.add(make_bound_control(view, page.get()));
        control->show_view(view, lang);
        add_form_row(*form, *control);
        page->show();
        return control;
    }

    template <typename T>
    T* input(BoundControl* control) {
        T* widget = qobject_cast<T*>(control->input());
        EXPECT_NE(widget, nullptr);
        return widget;
    }

    std::unique_ptr<QWidget> page;
    QFormLayout* form = nullptr;
    ControlSet controls;
    std::vector<ControlAction> actions;
};

TEST_F(ControlWidgetsTest, ListShowsItsEntriesAndReportsTheChosenIndex) {
    ControlView view = view_of("ComboBoxGPSSPEED", ControlKind::List);
    view.label = Text("Скорость", "Speed");
    view.items = {Text("по USB", "according to USB"), Text::same("1200 bps"), Text::same("2400 bps")};
    view.selected = 1;
    view.hint = Text("Скорость порта", "Port rate");
    BoundControl* control = place(view);
    auto* combo = input<QComboBox>(control);
    EXPECT_EQ(combo->objectName(), QStringLiteral("ComboBoxGPSSPEED"));
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("according to USB"));
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->toolTip(), QStringLiteral("Port rate"));
    ASSERT_NE(control->caption(), nullptr);
    EXPECT_EQ(control->caption()->text(), QStringLiteral("Speed"));
    EXPECT_TRUE(actions.empty());

    QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].name, "ComboBoxGPSSPEED");
    EXPECT_EQ(actions[0].kind, ControlKind::List);
    EXPECT_EQ(actions[0].value, 2);
}

TEST_F(ControlWidgetsTest, ListSelectionOutsideItsEntriesShowsNothingSelected) {
    ControlView view = view_of("ComboBoxX", ControlKind::List);
    view.items = {Text::same("a"), Text::same("b")};
    view.selected = 7;
    auto* combo = input<QComboBox>(place(view));
    EXPECT_EQ(combo->currentIndex(), -1);
    view.selected = -1;
    controls.show({view}, Lang::English);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(actions.empty());
}

TEST_F(ControlWidgetsTest, LanguageSwitchRewritesEntriesAndKeepsTheSelection) {
    ControlView view = view_of("ComboBoxTouchMode", ControlKind::List);
    view.label = Text("Режим", "Mode");
    view.items = {Text("Отключено", "Disabled"), Text("Только внешний", "Only external")};
    view.selected = 1;
    BoundControl* control = place(view, Lang::Russian);
    auto* combo = input<QComboBox>(control);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Отключено"));
    EXPECT_EQ(control->caption()->text(), QStringLiteral("Режим"));
    controls.show({view}, Lang::English);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Disabled"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Only external"));
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(control->caption()->text(), QStringLiteral("Mode"));
    EXPECT_TRUE(actions.empty());
}

TEST_F(ControlWidgetsTest, ListEntriesChangedByTheCoreAreRedrawn) {
    ControlView view = view_of("ComboBoxSource2Touch", ControlKind::List);
    view.items = {Text("Любой", "Any"), Text("Выбрать...", "Select...")};
    view.selected = 0;
    auto* combo = input<QComboBox>(place(view));
    view.items[1] = Text::same(" 1 3");
    view.selected = 1;
    controls.show({view}, Lang::English);
    EXPECT_EQ(combo->itemText(1), QStringLiteral(" 1 3"));
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_TRUE(actions.empty());
}

TEST_F(ControlWidgetsTest, TickBoxCarriesItsCaptionAndReportsZeroOrOne) {
    ControlView view = view_of("CheckBoxCANACKED", ControlKind::Check);
    view.label = Text("Подтверждать пакеты CAN", "ACK CAN packets");
    BoundControl* control = place(view);
    auto* box = input<QCheckBox>(control);
    EXPECT_EQ(control->caption(), nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("ACK CAN packets"));
    EXPECT_FALSE(box->isChecked());

    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, ControlKind::Check);
    EXPECT_EQ(actions[0].value, 1);

    // The core refused: the refresh shows the box unticked again, silently.
    controls.show({view}, Lang::English);
    EXPECT_FALSE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton);
    view.checked = true;
    controls.show({view}, Lang::English);
    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_EQ(actions.size(), 3u);
    EXPECT_EQ(actions[2].value, 0);
}

TEST_F(ControlWidgetsTest, EditCommitsTheTypedTextOnEnterOnly) {
    ControlView view = view_of("EditPULSEMSACTIVE", ControlKind::Edit);
    view.label = Text("Активное состояние", "Active state");
    view.unit = Text("мс", "mSec");
    view.text = Text::same("100");
    BoundControl* control = place(view);
    auto* edit = input<QLineEdit>(control);
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
    const QLabel* unit = nullptr;
    for (const QLabel* label : control->findChildren<QLabel*>())
        if (label->text() == QStringLiteral("mSec")) unit = label;
    ASSERT_NE(unit, nullptr);
    EXPECT_FALSE(unit->isHidden());

    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("12a"));
    EXPECT_TRUE(actions.empty());
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, ControlKind::Edit);
    EXPECT_EQ(actions[0].text, "12a");

    // Text typed and not confirmed is replaced by what the record holds.
    QTest::keyClicks(edit, QStringLiteral("99"));
    controls.show({view}, Lang::English);
    EXPECT_EQ(edit->text(), QStringLiteral("100"));
    EXPECT_EQ(actions.size(), 1u);
}

TEST_F(ControlWidgetsTest, EditTakesAtMostItsLengthAndPassesNonAsciiTextAsUtf8) {
    ControlView view = view_of("Edit_PAR_LongTO", ControlKind::Edit);
    view.max_length = 6;
    auto* edit = input<QLineEdit>(place(view));
    QTest::keyClicks(edit, QStringLiteral("12345678"));
    EXPECT_EQ(edit->text(), QStringLiteral("123456"));
    edit->clear();
    edit->insert(QStringLiteral("2,5В"));  // typed with a Cyrillic layout
    QTest::keyClick(edit, Qt::Key_Enter);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].text, "2,5В");
}

TEST_F(ControlWidgetsTest, SpinReportsTheNumberWithinItsRange) {
    ControlView view = view_of("CSpinEditEncoder1Div", ControlKind::Spin);
    view.label = Text("Делитель", "Divisor");
    view.minimum = 1;
    view.maximum = 10;
    view.value = 10;
    auto* spin = input<QSpinBox>(place(view));
    EXPECT_EQ(spin->value(), 10);
    EXPECT_EQ(spin->maximum(), 10);
    QTest::keyClick(spin, Qt::Key_Up);  // already at the top
    EXPECT_TRUE(actions.empty());
    QTest::keyClick(spin, Qt::Key_Down);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, ControlKind::Spin);
    EXPECT_EQ(actions[0].value, 9);

    // Typed digits count once, on Enter.
    spin->selectAll();
    QTest::keyClicks(spin, QStringLiteral("3"));
    EXPECT_EQ(actions.size(), 1u);
    QTest::keyClick(spin, Qt::Key_Return);
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[1].value, 3);
}

TEST_F(ControlWidgetsTest, CheckListShowsBitsAndReportsTheWholeMask) {
    ControlView view = view_of("CheckListBoxIEBUSMODEBITS", ControlKind::CheckList);
    for (const char* name : {"Navigator emulation", "DVD1 emulation", "CDC emulation", "Amplifier controls"})
        view.items.push_back(Text::same(name));
    view.bits = 0b0101;
    auto* list = input<QListWidget>(place(view));
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list->item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("Amplifier controls"));
    EXPECT_TRUE(actions.empty());

    list->item(3)->setCheckState(Qt::Checked);  // what a click on the tick does
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, ControlKind::CheckList);
    EXPECT_EQ(actions[0].value, 0b1101);

    // The core's rule left bit 3 alone; the refresh shows that without reporting it.
    view.bits = 0b1000;
    controls.show({view}, Lang::English);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list->item(3)->checkState(), Qt::Checked);
    EXPECT_EQ(actions.size(), 1u);
    // Every entry is in sight.
    EXPECT_GE(list->height(), 4 * list->sizeHintForRow(0));
}

TEST_F(ControlWidgetsTest, UncaptionedControlTakesTheWholeRow) {
    ControlView view = view_of("SpeedButtonTouchSetup", ControlKind::Button);
    view.text = Text::same("Calibrate...");
    BoundControl* control = place(view);
    EXPECT_EQ(control->caption(), nullptr);
    QFormLayout::ItemRole role{};
    int row = -1;
    form->getWidgetPosition(control, &row, &role);
    EXPECT_EQ(role, QFormLayout::SpanningRole);
    controls.show({view}, Lang::English);  // a later view draws without a caption to draw

    ControlView captioned = view_of("ComboBoxY", ControlKind::List);
    captioned.label = Text::same("Mode");
    BoundControl* other = place(captioned);
    ASSERT_NE(other->caption(), nullptr);
    form->getWidgetPosition(other, &row, &role);
    EXPECT_EQ(role, QFormLayout::FieldRole);
}

TEST_F(ControlWidgetsTest, ButtonReportsAClickAndShowsItsText) {
    ControlView view = view_of("SpeedButtonKeysSetup", ControlKind::Button);
    view.text = Text("Настройка кнопок", "Button settings");
    auto* button = input<QToolButton>(place(view, Lang::Russian));
    EXPECT_EQ(button->text(), QStringLiteral("Настройка кнопок"));
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, ControlKind::Button);
}

TEST_F(ControlWidgetsTest, LabelShowsTheCoresText) {
    ControlView view = view_of("LabelCap2ResNotex", ControlKind::Label);
    view.text = Text("Работа с модулем CAP2RES", "Work with CAP2RES module");
    auto* label = input<QLabel>(place(view));
    EXPECT_EQ(label->text(), QStringLiteral("Work with CAP2RES module"));
}

TEST_F(ControlWidgetsTest, TableNumbersItsRowsAndReportsEveryChangeOfARow) {
    ControlView view = view_of("ValueListEditorSourceName", ControlKind::Table);
    view.label = Text("Названия источников", "Source names");
    view.columns = {Text("Источник", "Source"), Text("Имя", "Name")};
    view.max_length = 5;
    for (const char* name : {"RADIO", "", "TV", "", "", "", "", "NAVI"}) view.items.push_back(Text::same(name));
    auto* table = input<QTableWidget>(place(view));
    ASSERT_EQ(table->rowCount(), 8);
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(table->item(7, 0)->text(), QStringLiteral("8"));
    EXPECT_EQ(table->item(2, 1)->text(), QStringLiteral("TV"));
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), QStringLiteral("Source"));
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("Name"));
    EXPECT_FALSE(table->item(0, 0)->flags() & Qt::ItemIsEditable);
    // All eight rows in sight without a scroll bar.
    EXPECT_GE(table->height(), table->verticalHeader()->length() + table->horizontalHeader()->height());

    table->setCurrentCell(1, 1);
    table->editItem(table->item(1, 1));
    auto* editor = table->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("ABCDEFG"));
    // One report per accepted key; the sixth and seventh keys are refused.
    ASSERT_EQ(actions.size(), 5u);
    EXPECT_EQ(actions.back().kind, ControlKind::Table);
    EXPECT_EQ(actions.back().value, 1);
    EXPECT_EQ(actions.back().text, "ABCDE");
    QTest::keyClick(editor, Qt::Key_Backspace);
    ASSERT_EQ(actions.size(), 6u);
    EXPECT_EQ(actions.back().text, "ABCD");
}

TEST_F(ControlWidgetsTest, HiddenAndDisabledControlsTakeTheirCaptionAlong) {
    ControlView view = view_of("ComboBoxGPSSPEED", ControlKind::List);
    view.label = Text::same("Speed");
    view.items = {Text::same("a")};
    view.selected = 0;
    BoundControl* control = place(view);
    EXPECT_TRUE(control->isVisible());
    EXPECT_TRUE(control->caption()->isVisible());

    view.enabled = false;
    controls.show({view}, Lang::English);
    EXPECT_FALSE(control->input()->isEnabled());
    EXPECT_FALSE(control->caption()->isEnabled());

    view.visible = false;
    controls.show({view}, Lang::English);
    EXPECT_FALSE(control->isVisible());
    EXPECT_FALSE(control->caption()->isVisible());

    view.visible = true;
    view.enabled = true;
    controls.show({view}, Lang::English);
    EXPECT_TRUE(control->isVisible());
    EXPECT_TRUE(control->input()->isEnabled());
    EXPECT_TRUE(control->caption()->isVisible());
}

TEST_F(ControlWidgetsTest, RefusedEditGetsFocusSelectionAndThePointer) {
    ControlView other = view_of("EditA", ControlKind::Edit);
    place(other);
    ControlView view = view_of("EditPULSEMSPAUSE", ControlKind::Edit);
    view.text = Text::same("6000");
    BoundControl* control = place(view);
    QApplication::setActiveWindow(page.get());
    controls.find("EditA")->input()->setFocus();
    control->take_focus();
    auto* edit = input<QLineEdit>(control);
    EXPECT_EQ(page->focusWidget(), edit);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("6000"));
    EXPECT_EQ(QCursor::pos(), edit->mapToGlobal(edit->rect().center()));
    const QPoint below = control->bottom_centre();
    EXPECT_EQ(below, edit->mapToGlobal(QPoint(edit->width() / 2, edit->height())));
}

TEST_F(ControlWidgetsTest, SetShowsViewsByNameAndSkipsUnknownOnes) {
    ControlView list = view_of("ComboBoxA", ControlKind::List);
    list.items = {Text::same("x"), Text::same("y")};
    list.selected = 0;
    ControlView box = view_of("CheckBoxB", ControlKind::Check);
    place(list);
    place(box);
    EXPECT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls.find("Nothing"), nullptr);

    list.selected = 1;
    box.checked = true;
    const ControlView stranger = view_of("EditNotHere", ControlKind::Edit);
    controls.show({stranger, box, list}, Lang::English);
    EXPECT_EQ(input<QComboBox>(controls.find("ComboBoxA"))->currentIndex(), 1);
    EXPECT_TRUE(input<QCheckBox>(controls.find("CheckBoxB"))->isChecked());
    EXPECT_TRUE(actions.empty());

    QTest::mouseClick(controls.find("CheckBoxB")->input(), Qt::LeftButton);
    QTest::keyClick(controls.find("ComboBoxA")->input(), Qt::Key_Up);
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].name, "CheckBoxB");
    EXPECT_EQ(actions[0].value, 0);
    EXPECT_EQ(actions[1].name, "ComboBoxA");
    EXPECT_EQ(actions[1].value, 0);
}

TEST_F(ControlWidgetsTest, ShowingNeverReportsForAnyKind) {
    std::vector<ControlView> views;
    ControlView list = view_of("L", ControlKind::List);
    list.items = {Text::same("a"), Text::same("b")};
    views.push_back(list);
    views.push_back(view_of("C", ControlKind::Check));
    views.push_back(view_of("E", ControlKind::Edit));
    ControlView spin = view_of("S", ControlKind::Spin);
    spin.maximum = 100;
    views.push_back(spin);
    ControlView check_list = view_of("K", ControlKind::CheckList);
    check_list.items = {Text::same("a"), Text::same("b")};
    views.push_back(check_list);
    views.push_back(view_of("B", ControlKind::Button));
    ControlView table = view_of("T", ControlKind::Table);
    table.items = {Text::same("a"), Text::same("b")};
    views.push_back(table);
    for (const ControlView& view : views) place(view);

    // Change everything there is to change, twice, in both languages.
    for (int round = 0; round < 2; ++round) {
        for (ControlView& view : views) {
            view.selected = round;
            view.checked = round == 0;
            view.text = Text::same(round == 0 ? "17" : "18");
            view.value = 40 + round;
            view.bits = round == 0 ? 3u : 1u;
            view.items = {Text("а", "a"), Text(round == 0 ? "б" : "в", "b")};
        }
        controls.show(views, round == 0 ? Lang::Russian : Lang::English);
    }
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(input<QSpinBox>(controls.find("S"))->value(), 41);
    EXPECT_EQ(input<QListWidget>(controls.find("K"))->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(input<QTableWidget>(controls.find("T"))->item(1, 1)->text(), QStringLiteral("b"));
}

}  // namespace
}  // namespace ztv
