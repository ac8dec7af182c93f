// The parameter pages in the main window: drawn from the model, driven through the real
// widgets, answering bad input as a person would see it, and carrying edits to the simulated
// controller.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

#include "app/device_link.h"
#include "config/field_table.h"
#include "config/parameter_bindings.h"
#include "config/parameter_model.h"
#include "config/parameter_pages.h"
#include "shell_fixture.h"
#include "widgets/source_select_window.h"

namespace ztv {
namespace {

using testing::ShellFixture;

class ParameterPagesTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        make_form();
        window->initialise();
        pages = window->parameter_pages();
        ASSERT_NE(pages, nullptr);
    }

    template <typename T>
    T* input(const char* name) {
        BoundControl* control = pages->control(name);
        EXPECT_NE(control, nullptr) << name;
        return control != nullptr ? qobject_cast<T*>(control->input()) : nullptr;
    }

    // Shows the page a control is on, as a person would before using it.
    void show_page_of(const char* name) {
        const ParamBinding* row = find_binding(name);
        ASSERT_NE(row, nullptr) << name;
        pages->show_page(static_cast<int>(row->page));
    }

    void choose(const char* name, int index) {
        show_page_of(name);
        auto* combo = input<QComboBox>(name);
        ASSERT_NE(combo, nullptr);
        // What choosing an entry from the drop-down does.
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    void type_and_enter(const char* name, const QString& text) {
        show_page_of(name);
        auto* edit = input<QLineEdit>(name);
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // Every control of every page shows what a refresh of a copy of the record shows now.
    void expect_pages_show_a_fresh_refresh(Lang language) {
        ConfigState copy = state;
        const std::vector<ParameterPageView> views = refresh_pages(copy);
        ASSERT_EQ(views.size(), 25u);
        std::size_t seen = 0;
        const auto text = [&](const Text& t) { return QString::fromStdString(t.in(language)); };
        for (std::size_t page = 0; page < views.size(); ++page) {
            EXPECT_EQ(pages->tabText(static_cast<int>(page)), text(views[page].caption));
            for (const ControlView& view : views[page].controls) {
                ++seen;
                SCOPED_TRACE(std::string(view.name));
                BoundControl* control = pages->control(view.name);
                ASSERT_NE(control, nullptr);
                EXPECT_TRUE(pages->widget(static_cast<int>(page))->isAncestorOf(control));
                if (control->caption() != nullptr && !view.label.empty()) {
                    EXPECT_EQ(control->caption()->text(), text(view.label));
                }
                EXPECT_EQ(control->isEnabled(), view.enabled);
                EXPECT_EQ(control->isVisibleTo(pages->widget(static_cast<int>(page))), view.visible);
                if (auto* combo = qobject_cast<QComboBox*>(control->input())) {
                    ASSERT_EQ(combo->count(), static_cast<int>(view.items.size()));
                    for (int i = 0; i < combo->count(); ++i)
                        EXPECT_EQ(combo->itemText(i), text(view.items[static_cast<std::size_t>(i)])) << i;
                    EXPECT_EQ(combo->currentIndex(), view.selected);
                } else if (auto* box = qobject_cast<QCheckBox*>(control->input())) {
                    EXPECT_EQ(box->text(), text(view.label));
                    EXPECT_EQ(box->isChecked(), view.checked);
                } else if (auto* edit = qobject_cast<QLineEdit*>(control->input())) {
                    EXPECT_EQ(edit->text(), text(view.text));
                } else if (auto* list = qobject_cast<QListWidget*>(control->input())) {
                    ASSERT_EQ(list->count(), static_cast<int>(view.items.size()));
                    for (int i = 0; i < list->count(); ++i) {
                        EXPECT_EQ(list->item(i)->text(), text(view.items[static_cast<std::size_t>(i)]));
                        EXPECT_EQ(list->item(i)->checkState() == Qt::Checked, (view.bits >> i & 1u) != 0);
                    }
                } else if (auto* spin = qobject_cast<QSpinBox*>(control->input())) {
                    EXPECT_EQ(spin->value(), view.value);
                }
            }
        }
        EXPECT_EQ(seen, parameter_bindings().size());
    }

    ParameterPages* pages = nullptr;
};

TEST_F(ParameterPagesTest, TwentyFivePagesAboveTheEditorInTabOrder) {
    EXPECT_EQ(window->parameters_splitter()->widget(0), pages);
    ASSERT_EQ(pages->count(), 25);
    const auto defs = parameter_pages();
    for (int i = 0; i < pages->count(); ++i) {
        const ParamPageDef& def = defs[static_cast<std::size_t>(i)];
        EXPECT_EQ(pages->widget(i)->objectName(), QString::fromLatin1(def.sheet));
        EXPECT_EQ(pages->tabText(i), QString::fromUtf8(def.caption.ru)) << def.sheet;
    }
    window->page_host().set_language(1);
    for (int i = 0; i < pages->count(); ++i) {
        const ParamPageDef& def = defs[static_cast<std::size_t>(i)];
        EXPECT_EQ(pages->tabText(i), QString::fromUtf8(def.caption.en)) << def.sheet;
        if (!def.translated) {
            EXPECT_STREQ(def.caption.ru, def.caption.en) << def.sheet;
        }
    }
    EXPECT_EQ(pages->tabText(0), QStringLiteral("Pins"));
    EXPECT_EQ(pages->tabText(12), QStringLiteral("iDrive"));
    EXPECT_EQ(pages->tabText(24), QStringLiteral("Mercedes Ctrl"));
}

// Every control of the binding table is on its page and shows what the model says, in both
// languages: the language switch and the refresh never disagree with the model.
TEST_F(ParameterPagesTest, EveryControlShowsTheModelsViewInBothLanguages) {
    set_field(state.record, FieldId::GPS_NUM, 1);
    set_field(state.record, FieldId::IEBUS_MODEBITS, 0b101);
    set_field(state.record, FieldId::CANPARAM_ACKED, 1);
    set_field(state.record, FieldId::PULSE_MSACTIVE, 250);
    for (const int lang : {1, 0}) {
        window->page_host().set_language(lang);
        expect_pages_show_a_fresh_refresh(lang == 1 ? Lang::English : Lang::Russian);
        EXPECT_EQ(input<QComboBox>("ComboBoxGPSNUM")->currentIndex(), 1);
        EXPECT_TRUE(input<QCheckBox>("CheckBoxCANACKED")->isChecked());
        EXPECT_EQ(input<QLineEdit>("EditPULSEMSACTIVE")->text(), QStringLiteral("250"));
    }
}

// Entries that the refresh computes (the chosen sources, "Disabled" on an unusable pulse pin)
// are not the table's: after a switch the pages still show them, in the new language, and the
// switch writes nothing into the record.
TEST_F(ParameterPagesTest, ALanguageSwitchKeepsTheEntriesTheRefreshComputes) {
    set_field(state.record, FieldId::TOUCH_SRCMASK, 0b101);
    set_field(state.record, FieldId::TOUCH_MODE, 4);
    set_field(state.record, FieldId::TOUCH_INTERCEPT_SRCMASK, 0b10);
    set_field(state.record, FieldId::PULSE_NUMSRC, 0);
    set_field(state.record, FieldId::PULSE_NUM, 3);
    window->page_host().refresh_pages();
    EXPECT_EQ(input<QComboBox>("ComboBoxSource2Touch")->itemText(1), QStringLiteral(" 1 3"));
    const auto before = state.record.raw;
    for (const int lang : {1, 0, 1}) {
        window->page_host().set_language(lang);
        const Lang language = lang == 1 ? Lang::English : Lang::Russian;
        expect_pages_show_a_fresh_refresh(language);
        EXPECT_EQ(input<QComboBox>("ComboBoxSource2Touch")->itemText(1), QStringLiteral(" 1 3")) << lang;
        const QComboBox* mode = input<QComboBox>("ComboBoxTouchMode");
        EXPECT_EQ(mode->itemText(mode->count() - 1),
                  language == Lang::English ? QStringLiteral("Sources 2") : QStringLiteral("Источники 2"));
        EXPECT_TRUE(before == state.record.raw) << "the language switch wrote into the record";
    }
}

TEST_F(ParameterPagesTest, RangedEditRefusesBadInputAndHandsTheFieldBack) {
    window->page_host().set_language(1);
    set_field(state.record, FieldId::PULSE_NUMSRC, 1);
    set_field(state.record, FieldId::PULSE_NUM, 8);  // X5/7 needs no configured pin
    set_field(state.record, FieldId::PULSE_MSACTIVE, 300);
    window->page_host().refresh_pages();
    window->show();
    QApplication::setActiveWindow(window.get());
    auto* edit = input<QLineEdit>("EditPULSEMSACTIVE");
    ASSERT_TRUE(edit->isEnabled());

    type_and_enter("EditPULSEMSACTIVE", QStringLiteral("12a"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Enter a value in the specified position"));
    EXPECT_EQ(get_field(state.record, FieldId::PULSE_MSACTIVE), 300u);
    EXPECT_EQ(window->focusWidget(), edit);
    EXPECT_EQ(edit->text(), QStringLiteral("12a"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("12a"));
    EXPECT_EQ(QCursor::pos(), edit->mapToGlobal(edit->rect().center()));

    type_and_enter("EditPULSEMSACTIVE", QStringLiteral("6000"));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("The value must be in the range from 0 to 5000"));
    EXPECT_EQ(get_field(state.record, FieldId::PULSE_MSACTIVE), 300u);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("6000"));

    type_and_enter("EditPULSEMSACTIVE", QStringLiteral("5000"));
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(get_field(state.record, FieldId::PULSE_MSACTIVE), 5000u);
    EXPECT_EQ(edit->text(), QStringLiteral("5000"));
}

TEST_F(ParameterPagesTest, LongPressOutOfRangeShowsAndStoresAThousandSilently) {
    type_and_enter("Edit_PAR_LongTO", QStringLiteral("100"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(state.record.long_press_ms(), 1000u);
    EXPECT_EQ(input<QLineEdit>("Edit_PAR_LongTO")->text(), QStringLiteral("1000"));
    type_and_enter("Edit_PAR_LongTO", QStringLiteral("1234567"));  // the field takes six characters
    EXPECT_EQ(state.record.long_press_ms(), 1000u);
    type_and_enter("Edit_PAR_LongTO", QStringLiteral("2500"));
    EXPECT_EQ(state.record.long_press_ms(), 2500u);
}

TEST_F(ParameterPagesTest, DependentControlsFollowTheRecord) {
    window->page_host().set_language(1);
    auto* pulse_pin = input<QComboBox>("ComboBoxPULSENUM");
    EXPECT_FALSE(pages->control("ComboBoxPULSENUM")->isEnabled());
    EXPECT_EQ(pulse_pin->currentText(), QStringLiteral("Disabled"));
    choose("ComboBoxPULSESRCNUMx", 2);
    EXPECT_EQ(get_field(state.record, FieldId::PULSE_NUMSRC), 2u);
    EXPECT_TRUE(pages->control("ComboBoxPULSENUM")->isEnabled());
    EXPECT_FALSE(pages->control("EditPULSEMSACTIVE")->isEnabled());

    EXPECT_TRUE(pages->control("ValueListEditorSourceName")->isHidden());
    show_page_of("CheckBoxSourceNameUse");
    QTest::mouseClick(input<QCheckBox>("CheckBoxSourceNameUse"), Qt::LeftButton);
    EXPECT_EQ(get_field(state.record, FieldId::USE_NAME), 1u);
    EXPECT_FALSE(pages->control("ValueListEditorSourceName")->isHidden());

    // Disconnecting the head unit puts its type back to the first entry, in the record too.
    set_field(state.record, FieldId::HEAD_NUM, 1);
    set_field(state.record, FieldId::HEAD_TYPE, 3);
    window->page_host().refresh_pages();
    EXPECT_TRUE(pages->control("ComboBoxHEADTYPE")->isEnabled());
    choose("ComboBoxHEADNUM", 0);
    EXPECT_EQ(get_field(state.record, FieldId::HEAD_TYPE), 0u);
    EXPECT_FALSE(pages->control("ComboBoxHEADTYPE")->isEnabled());
    EXPECT_EQ(input<QComboBox>("ComboBoxHEADTYPE")->currentIndex(), 0);
}

TEST_F(ParameterPagesTest, IebusTicksFollowTheExclusionRules) {
    show_page_of("CheckListBoxIEBUSMODEBITS");
    auto* list = input<QListWidget>("CheckListBoxIEBUSMODEBITS");
    ASSERT_EQ(list->count(), 11);
    list->item(0)->setCheckState(Qt::Checked);  // "Navigator emulation"
    EXPECT_EQ(get_field(state.record, FieldId::IEBUS_MODEBITS), 0b1u);
    list->item(3)->setCheckState(Qt::Checked);  // "Amplifier controls" stands alone
    EXPECT_EQ(get_field(state.record, FieldId::IEBUS_MODEBITS), 0b1000u);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(pages->control("EditAMPLDELAYTO")->isEnabled());
    list->item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(get_field(state.record, FieldId::IEBUS_MODEBITS), 0b1u);
    EXPECT_EQ(list->item(3)->checkState(), Qt::Unchecked);
    list->item(5)->setCheckState(Qt::Checked);  // "Together with the Navi" wins over navigator emulation
    EXPECT_EQ(get_field(state.record, FieldId::IEBUS_MODEBITS), 0b100000u);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
}

TEST_F(ParameterPagesTest, PinRuleRefusalsSayWhyAndTheListsShowTheRecord) {
    window->page_host().set_language(1);
    set_field(state.record, FieldId::PULSE_NUMSRC, 1);
    window->page_host().refresh_pages();
    choose("ComboBoxPULSENUM", 1);  // X2/2, still "According to its purpose"
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type & 0xFF, kBoxInformation);
    EXPECT_EQ(boxes[0].text, QStringLiteral("First, configure the pin options\nin the \"Pins\""));
    EXPECT_EQ(get_field(state.record, FieldId::PULSE_NUM), 0u);
    EXPECT_EQ(input<QComboBox>("ComboBoxPULSENUM")->currentIndex(), 0);

    // A pin taken by a function shows it on the "Pins" page.
    choose("ComboBoxGPSNUM", 1);
    EXPECT_EQ(get_field(state.record, FieldId::GPS_NUM), 1u);
    auto* x42 = input<QComboBox>("ComboBoxX42");
    EXPECT_FALSE(x42->isEnabled());
    EXPECT_EQ(x42->itemText(0), QStringLiteral("UART GPS"));

    choose("ComboBoxHEADNUM", 1);  // the same pins
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, QStringLiteral("You can not use those pins to connect HEAD UNIT module\n"
                                            "because as they are already used to connect UART GPS"));
    EXPECT_EQ(get_field(state.record, FieldId::HEAD_NUM), 0u);
    EXPECT_EQ(input<QComboBox>("ComboBoxHEADNUM")->currentIndex(), 0);
}

TEST_F(ParameterPagesTest, UsbTouchSourcesAreChosenInTheSourceWindowBelowTheList) {
    window->page_host().set_language(1);
    window->show();
    TInterceptForm* sources = window->page_host().source_window();
    ASSERT_NE(sources, nullptr);
    QPoint opened_at;
    QPoint below_list;
    QTimer::singleShot(0, sources, [&] {
        EXPECT_TRUE(sources->isVisible());
        EXPECT_EQ(sources->first_line()->text(), QStringLiteral("Touch to USB"));
        opened_at = sources->pos();
        below_list = pages->control("ComboBoxSource2Touch")->bottom_centre();
        sources->source_list()->item(0)->setCheckState(Qt::Checked);
        sources->source_list()->item(2)->setCheckState(Qt::Checked);
        sources->ok_button()->click();
    });
    choose("ComboBoxSource2Touch", 1);
    EXPECT_EQ(get_field(state.record, FieldId::TOUCH_SRCMASK), 0b101u);
    auto* combo = input<QComboBox>("ComboBoxSource2Touch");
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->itemText(1), QStringLiteral(" 1 3"));
    EXPECT_EQ(opened_at, below_list);

    // All eight sources are "Any".
    QTimer::singleShot(0, sources, [&] {
        for (int i = 0; i < 8; ++i) sources->source_list()->item(i)->setCheckState(Qt::Checked);
        sources->ok_button()->click();
    });
    choose("ComboBoxSource2Touch", 1);
    EXPECT_EQ(get_field(state.record, FieldId::TOUCH_SRCMASK), 0u);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->itemText(1), QStringLiteral("Select..."));
}

TEST_F(ParameterPagesTest, TouchModeSourcesUnconfirmedWithoutAMaskLeaveTheTouchPanelOff) {
    window->page_host().set_language(1);
    TInterceptForm* sources = window->page_host().source_window();
    QTimer::singleShot(0, sources, [&] {
        EXPECT_EQ(sources->first_line()->text(), QStringLiteral("Interception touchpanel"));
        sources->source_list()->item(4)->setCheckState(Qt::Checked);
        sources->reject();
    });
    choose("ComboBoxTouchMode", 4);
    EXPECT_EQ(get_field(state.record, FieldId::TOUCH_MODE), 0u);
    EXPECT_EQ(input<QComboBox>("ComboBoxTouchMode")->currentIndex(), 0);

    QTimer::singleShot(0, sources, [&] {
        sources->source_list()->item(1)->setCheckState(Qt::Checked);
        sources->ok_button()->click();
    });
    choose("ComboBoxTouchMode", 4);
    EXPECT_EQ(get_field(state.record, FieldId::TOUCH_MODE), 4u);
    EXPECT_EQ(get_field(state.record, FieldId::TOUCH_INTERCEPT_SRCMASK), 0b10u);
    EXPECT_EQ(input<QComboBox>("ComboBoxTouchMode")->itemText(4), QStringLiteral("Sources 2"));
}

TEST_F(ParameterPagesTest, SourceNamesKeepFiveCharactersAsTyped) {
    set_field(state.record, FieldId::USE_NAME, 1);
    window->page_host().refresh_pages();
    show_page_of("ValueListEditorSourceName");
    window->show();
    auto* table = input<QTableWidget>("ValueListEditorSourceName");
    ASSERT_EQ(table->rowCount(), 8);
    table->setCurrentCell(2, 1);  // a current cell is open for typing at once
    auto* editor = qobject_cast<QLineEdit*>(table->indexWidget(table->model()->index(2, 1)));
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("ABCDEFG"));
    EXPECT_EQ(state.record.source_name(2), "ABCDE");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the cell takes the editor's text once the key is handled
    EXPECT_EQ(table->item(2, 1)->text(), QStringLiteral("ABCDE"));
    EXPECT_EQ(state.record.source_name(2), "ABCDE");

    // Cyrillic is stored in the controller's code page; what it cannot hold is refused as typed.
    table->setCurrentCell(3, 1);
    auto* next = qobject_cast<QLineEdit*>(table->indexWidget(table->model()->index(3, 1)));
    ASSERT_NE(next, nullptr);
    QTest::keyClick(next, Qt::Key_A);
    next->selectAll();
    next->insert(QStringLiteral("Юг"));
    next->insert(QStringLiteral("\U0001F600"));
    emit next->textEdited(next->text());  // what typing the text reports
    EXPECT_EQ(state.record.source_name(3), "\xDE\xE3");
    QTest::keyClick(next, Qt::Key_Return);
    QApplication::processEvents();
    window->page_host().refresh_pages();
    EXPECT_EQ(table->item(3, 1)->text(), QStringLiteral("Юг"));
}

TEST_F(ParameterPagesTest, PageMenuListsEveryPageAndTheLockHoldsThePage) {
    window->page_host().set_language(1);
    pages->open_page_menu(QPoint(10, 10));
    QMenu* menu = pages->page_menu();
    ASSERT_EQ(menu->actions().size(), 25);
    EXPECT_EQ(menu->actions()[7]->text(), QStringLiteral("GPS port"));
    menu->actions()[7]->trigger();
    EXPECT_EQ(pages->currentIndex(), 7);
    menu->close();

    pages->set_locked(true);
    EXPECT_FALSE(pages->tabBar()->isEnabled());
    pages->open_page_menu(QPoint(10, 10));
    EXPECT_FALSE(pages->page_menu()->actions()[3]->isEnabled());
    pages->page_menu()->actions()[3]->trigger();
    EXPECT_FALSE(pages->show_page(3));
    EXPECT_EQ(pages->currentIndex(), 7);
    pages->page_menu()->close();
    pages->set_locked(false);
    EXPECT_TRUE(pages->show_page(3));
    EXPECT_EQ(pages->currentIndex(), 3);
}

TEST_F(ParameterPagesTest, KeysPageKeepsAPlaceForTheButtonGrid) {
    QWidget* area = pages->keys_grid_area();
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(pages->widget(2)->isAncestorOf(area));
    EXPECT_NE(area->layout(), nullptr);
}

TEST_F(ParameterPagesTest, TouchSetupButtonFollowsTheToolbarAndCap2Res) {
    auto* button = input<QToolButton>("SpeedButtonTouchSetup");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(pages->touch_calibration_button(), button);
    EXPECT_FALSE(button->isEnabled());  // no controller
    int clicks = 0;
    pages->set_button_handler("SpeedButtonTouchSetup", [&clicks] { ++clicks; });
    pages->act(ControlAction{"SpeedButtonTouchSetup", ControlKind::Button, 0, {}});
    EXPECT_EQ(clicks, 1);
    choose("ComboBoxCap2ResNum", 1);
    EXPECT_EQ(get_field(state.record, FieldId::CAP2RES_NUM), 1u);
    EXPECT_FALSE(pages->control("SpeedButtonTouchSetup")->isEnabled());
    EXPECT_FALSE(pages->control("CheckBoxTouchWakeUp")->isEnabled());
    EXPECT_FALSE(pages->control("PanelTouchFromCap2Res")->isHidden());
    EXPECT_FALSE(input<QCheckBox>("CheckBoxTouchWakeUp")->isChecked());
}

// The whole road of an edit: widget, record, change sender, the controller's memory.
class ParameterPagesDeviceTest : public ParameterPagesTest {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        make_form();
        link = std::make_unique<DeviceLink>(window->device_link_shell(), state, true);
        window->initialise();
        pages = window->parameter_pages();
    }
    void TearDown() override {
        link.reset();
        window.reset();
    }
    std::uint32_t in_controller(FieldId id) { return get_field(link->simulator()->memory().record, id); }

    std::unique_ptr<DeviceLink> link;
};

TEST_F(ParameterPagesDeviceTest, EditsReachTheSimulatedControllerOnTheNextTicks) {
    ASSERT_TRUE(wait_until([this] { return link->monitor().connected() && state.record_valid; }));
    // The pages show what the controller holds once it has been read.
    EXPECT_EQ(input<QComboBox>("ComboBoxCANSPEEDx")->currentIndex(),
              static_cast<int>(get_field(state.record, FieldId::CANPARAM_BAUD500K)));

    const int speed = static_cast<int>(get_field(state.record, FieldId::CANPARAM_BAUD500K) + 1) % 11;
    choose("ComboBoxCANSPEEDx", speed);
    show_page_of("CheckBoxCANACKED");
    const bool acked = get_field(state.record, FieldId::CANPARAM_ACKED) != 0;
    QTest::mouseClick(input<QCheckBox>("CheckBoxCANACKED"), Qt::LeftButton);
    show_page_of("CheckListBoxIEBUSMODEBITS");
    input<QListWidget>("CheckListBoxIEBUSMODEBITS")->item(3)->setCheckState(Qt::Checked);  // enables the delay
    type_and_enter("EditAMPLDELAYTO", QStringLiteral("1500"));
    show_page_of("CSpinEditEncoder1Div");
    set_field(state.record, FieldId::ENC0MODE, 3);  // X3 pins: enables the divisor
    window->page_host().refresh_pages();
    auto* divisor = input<QSpinBox>("CSpinEditEncoder1Div");
    divisor->setValue(7);

    EXPECT_EQ(get_field(state.record, FieldId::CANPARAM_BAUD500K), static_cast<std::uint32_t>(speed));
    EXPECT_EQ(get_field(state.record, FieldId::CANPARAM_ACKED), acked ? 0u : 1u);
    EXPECT_EQ(get_field(state.record, FieldId::AMPLPARAM_TO), 1500u);
    EXPECT_EQ(get_field(state.record, FieldId::IEBUS_MODEBITS), 0b1000u);
    EXPECT_EQ(get_field(state.record, FieldId::ENC0DIV), 6u);
    EXPECT_TRUE(wait_until([&] {
        return in_controller(FieldId::CANPARAM_BAUD500K) == static_cast<std::uint32_t>(speed) &&
               in_controller(FieldId::CANPARAM_ACKED) == (acked ? 0u : 1u) &&
               in_controller(FieldId::AMPLPARAM_TO) == 1500u && in_controller(FieldId::IEBUS_MODEBITS) == 0b1000u &&
               in_controller(FieldId::ENC0DIV) == 6u;
    }));
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace ztv
