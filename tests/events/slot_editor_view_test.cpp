// The event/reaction editor in a real main window on the offscreen platform: slot tabs, kind
// tabs, menus, the only-used display, the slot-name window and the showing guard.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>

#include "app/form_tables.h"
#include "app/language_walker.h"
#include "app/shell_fixture.h"
#include "events/button_tab_row_widget.h"
#include "events/event_catalogue.h"
#include "events/reaction_catalogue.h"
#include "events/slot_controls.h"
#include "events/slot_editor_view.h"
#include "widgets/control_widgets.h"
#include "widgets/slot_name_window.h"

namespace ztv {
namespace {

class SlotEditorTest : public testing::ShellFixture {
protected:
    SlotEditor& editor() {
        if (!window) {
            make_form();
            window->initialise();
        }
        return *window->slot_editor();
    }
    std::uint8_t byte(std::size_t slot, std::size_t at) { return state.record.slot(slot)[at]; }
    void set_byte(std::size_t slot, std::size_t at, std::uint8_t value) { state.record.slot(slot)[at] = value; }
    QComboBox* combo(const char* name) { return qobject_cast<QComboBox*>(editor().control(name)->input()); }
    QCheckBox* check(const char* name) { return qobject_cast<QCheckBox*>(editor().control(name)->input()); }
    // Chooses a list entry as the user would.
    void pick(const char* name, int index) {
        QComboBox* list = combo(name);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    // Picks an entry of a menu as a click would.
    static void choose(QMenu* menu, int index) { menu->actions().at(index)->trigger(); }
};

TEST_F(SlotEditorTest, SitsBelowTheParameterPagesWithEightyNumberedSlotTabs) {
    SlotEditor& e = editor();
    QSplitter* splitter = window->parameters_splitter();
    EXPECT_EQ(splitter->indexOf(&e), splitter->count() - 1);
    ASSERT_EQ(e.slot_tabs()->count(), 80);
    EXPECT_EQ(e.slot_tabs()->caption(0), QStringLiteral("1"));
    EXPECT_EQ(e.slot_tabs()->caption(79), QStringLiteral("80"));
    EXPECT_EQ(e.slot_tabs()->current(), 0);
    EXPECT_EQ(e.event_tabs()->count(), 27);
    EXPECT_EQ(e.reaction_tabs()->count(), 28);
    EXPECT_EQ(e.event_pages()->count(), 27);
    EXPECT_EQ(e.reaction_pages()->count(), 28);
}

TEST_F(SlotEditorTest, ClickingSlotAndKindTabsEditsTheRecordAndRedrawsTheCaption) {
    SlotEditor& e = editor();
    e.slot_tabs()->tab(4)->click();
    EXPECT_EQ(e.current_slot(), 4u);
    EXPECT_EQ(e.slot_tabs()->current(), 4);

    e.event_tabs()->tab(3)->click();  // "Area"
    EXPECT_EQ(byte(4, 0), 3);
    EXPECT_EQ(e.event_tabs()->current(), 3);
    EXPECT_EQ(e.event_pages()->currentIndex(), 3);
    EXPECT_EQ(e.slot_tabs()->caption(4), QStringLiteral("5*"));

    e.reaction_tabs()->tab(8)->click();  // "USB mouse"
    EXPECT_EQ(byte(4, 11), 8);
    EXPECT_EQ(e.reaction_pages()->currentIndex(), 8);

    // The tab of the kind the slot already has changes nothing: the parameters stay.
    set_byte(4, 2, 5);
    e.event_tabs()->tab(3)->click();
    EXPECT_EQ(byte(4, 2), 5);
    // Another kind clears the event part, flags and sources included.
    set_byte(4, 1, 0x03);
    e.event_tabs()->tab(6)->click();
    EXPECT_EQ(byte(4, 0), 6);
    EXPECT_EQ(byte(4, 1), 0);
    EXPECT_EQ(byte(4, 2), 0);
    EXPECT_EQ(byte(4, 11), 8);  // the reaction is left alone
}

// Kind pages are built when first shown, after the rest of the window; Tab still walks the
// editor as it stands, whichever kinds were shown first.
TEST_F(SlotEditorTest, TabWalksTheEditorAsItStandsAlsoThroughPagesBuiltLater) {
    SlotEditor& e = editor();
    e.event_tabs()->tab(7)->click();  // "Voltage", built now
    e.event_tabs()->tab(1)->click();  // "IR code", built now
    e.reaction_tabs()->tab(0)->click();
    window->show();
    QStringList stops;
    for (QWidget* w = e.event_tabs()->nextInFocusChain(); w != e.slot_tabs() && stops.size() < 8; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible()) stops << w->objectName();
    EXPECT_EQ(stops.join(u' ').toStdString(), std::string("PanelEventIRx ComboBoxEventEvent CheckBoxEventOnce ComboBoxEventSRCMASK "
                                               "CheckBoxEventWakeUp PageControlReactionx PanelReactionUSBKeyx "
                                               "EditReactionUSBKeyDlitmS"));
}

TEST_F(SlotEditorTest, CommonEventControlsWriteTheFlagByteAndFollowTheKindsRules) {
    SlotEditor& e = editor();
    e.event_tabs()->tab(3)->click();  // "Area": all four trigger types, once free
    ASSERT_TRUE(combo("ComboBoxEventEvent")->isEnabled());
    pick("ComboBoxEventEvent", 2);
    EXPECT_EQ(byte(0, 10) & 0x0F, 2);
    ASSERT_TRUE(check("CheckBoxEventOnce")->isEnabled());
    check("CheckBoxEventOnce")->click();
    EXPECT_EQ(byte(0, 10) & 0x10, 0x10);
    check("CheckBoxEventWakeUp")->click();
    EXPECT_EQ(byte(0, 10) & 0x20, 0x20);

    // "Short" makes a free "One time only" clear and locked.
    pick("ComboBoxEventEvent", 1);
    EXPECT_EQ(byte(0, 10) & 0x10, 0);
    EXPECT_FALSE(check("CheckBoxEventOnce")->isEnabled());
    EXPECT_FALSE(check("CheckBoxEventOnce")->isChecked());
}

TEST_F(SlotEditorTest, DrawingASlotNeverWritesBackThroughTheControls) {
    SlotEditor& e = editor();
    // An "Area" slot with once and wake-up on: drawing it toggles both boxes.
    set_byte(7, 0, 3);
    set_byte(7, 10, 0x33);
    const std::array<std::uint8_t, kSlotSize> before = [&] {
        std::array<std::uint8_t, kSlotSize> b{};
        for (std::size_t i = 0; i < kSlotSize; ++i) b[i] = byte(7, i);
        return b;
    }();
    const int draws = e.draw_count();
    e.select_slot(7);
    EXPECT_EQ(e.draw_count(), draws + 1) << "a control's notification redrew the slot while it was drawn";
    EXPECT_TRUE(check("CheckBoxEventOnce")->isChecked());
    EXPECT_TRUE(check("CheckBoxEventWakeUp")->isChecked());
    for (std::size_t i = 0; i < kSlotSize; ++i) EXPECT_EQ(byte(7, i), before[i]) << "byte " << i;
    EXPECT_FALSE(e.showing());
}

TEST_F(SlotEditorTest, SlotMenuHasEightGroupsWhoseEntriesCarryTheCurrentCaptions) {
    SlotEditor& e = editor();
    set_byte(12, 0, 2);
    state.set_slot_name(12, "Wipers");
    e.show_current();  // captions are recomputed whenever a slot is shown
    QMenu* menu = e.slot_menu();
    ASSERT_EQ(menu->actions().size(), 8);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("1...10"));
    EXPECT_EQ(menu->actions()[7]->text(), QStringLiteral("71...80"));
    QMenu* second = menu->actions()[1]->menu();
    ASSERT_NE(second, nullptr);
    emit second->aboutToShow();
    ASSERT_EQ(second->actions().size(), 10);
    EXPECT_EQ(second->actions()[2]->text(), QStringLiteral("13* (Wipers)"));
    EXPECT_EQ(second->actions()[3]->text(), QStringLiteral("14"));
    choose(second, 2);
    EXPECT_EQ(e.current_slot(), 12u);
    EXPECT_EQ(e.slot_tabs()->current(), 12);
}

TEST_F(SlotEditorTest, KindMenusSetTheKindAndReapplyTheOnlyUsedDisplay) {
    SlotEditor& e = editor();
    window->chrome().only_used_item()->setChecked(true);
    // Every slot empty: only "Button" and "USB key" remain.
    EXPECT_EQ(e.event_tabs()->visible_count(), 1);
    EXPECT_TRUE(e.event_tabs()->tab_visible(0));
    EXPECT_EQ(e.reaction_tabs()->visible_count(), 1);
    EXPECT_TRUE(e.reaction_tabs()->tab_visible(0));

    ASSERT_EQ(e.event_kind_menu()->actions().size(), 27);
    ASSERT_EQ(e.reaction_kind_menu()->actions().size(), 28);
    choose(e.event_kind_menu(), 16);  // "Pins"
    EXPECT_EQ(byte(0, 0), 16);
    EXPECT_TRUE(e.event_tabs()->tab_visible(16));
    // Slot 1 no longer holds a "Button" event and no other slot... but empty slots count.
    EXPECT_TRUE(e.event_tabs()->tab_visible(0));
    choose(e.reaction_kind_menu(), 2);  // "Pin"
    EXPECT_EQ(byte(0, 11), 2);
    EXPECT_TRUE(e.reaction_tabs()->tab_visible(2));

    window->chrome().only_used_item()->setChecked(false);
    EXPECT_EQ(e.reaction_tabs()->visible_count(), 28);
}

TEST_F(SlotEditorTest, AreaMenusDeleteTheEventOrTheReactionOfTheCurrentSlot) {
    SlotEditor& e = editor();
    e.select_slot(2);
    set_byte(2, 0, 3);
    set_byte(2, 2, 4);
    set_byte(2, 10, 3);
    set_byte(2, 11, 8);
    set_byte(2, 12, 1);
    QMenu* popup = window->chrome().shared_popup();
    e.open_event_area_menu(QPoint(10, 10));
    EXPECT_EQ(window->chrome().popup_context(), static_cast<int>(EditorContext::EventArea));
    EXPECT_EQ(popup->actions()[0]->text(), QStringLiteral("Удалить событие"));
    EXPECT_FALSE(popup->actions()[1]->isVisible());
    popup->actions()[0]->trigger();
    popup->close();
    EXPECT_EQ(window->chrome().popup_context(), 0);
    for (std::size_t i = 0; i <= 10; ++i) EXPECT_EQ(byte(2, i), 0) << "byte " << i;
    EXPECT_EQ(byte(2, 11), 8);

    e.open_reaction_area_menu(QPoint(10, 10));
    EXPECT_EQ(window->chrome().popup_context(), static_cast<int>(EditorContext::ReactionArea));
    popup->actions()[0]->trigger();
    popup->close();
    EXPECT_EQ(byte(2, 11), 0);
    EXPECT_EQ(byte(2, 12), 0);
    EXPECT_EQ(e.slot_tabs()->caption(2), QStringLiteral("3"));
}

TEST_F(SlotEditorTest, SlotNameWindowNamesTheCurrentSlotAndCutsTheNameTo32Characters) {
    SlotEditor& e = editor();
    e.select_slot(5);
    TFormSlotName* names = e.slot_name_window();
    QString title;
    QTimer::singleShot(0, names, [&] {
        title = names->windowTitle();
        EXPECT_TRUE(names->field()->hasSelectedText() || names->field()->text().isEmpty());
        names->field()->clear();
        QTest::keyClicks(names->field(), QString(40, QLatin1Char('W')));
        QTest::keyClick(names->field(), Qt::Key_Return);
    });
    emit e.slot_tabs()->tab_double_clicked(5, QPoint(40, 40));
    EXPECT_EQ(title, QStringLiteral("Имя для вкладки 6"));
    EXPECT_EQ(state.slot_name(5), std::string(32, 'W'));
    // An empty slot keeps its number alone; once it holds something, the name shows.
    EXPECT_EQ(e.slot_tabs()->caption(5), QStringLiteral("6"));
    e.event_tabs()->tab(2)->click();
    EXPECT_EQ(e.slot_tabs()->caption(5), QStringLiteral("6* (") + QString(32, QLatin1Char('W')) + QStringLiteral(")"));

    // Escape leaves the name as it was.
    QTimer::singleShot(0, names, [&] {
        QTest::keyClicks(names->field(), QStringLiteral("Other"));
        QTest::keyClick(names->field(), Qt::Key_Escape);
    });
    e.rename_current_slot(QPoint(40, 40));
    EXPECT_EQ(state.slot_name(5), std::string(32, 'W'));
}

TEST_F(SlotEditorTest, LanguageSwitchRetitlesKindTabsMenusAndGroups) {
    SlotEditor& e = editor();
    // Tabs and menus read the catalogues' titles, in both languages.
    for (const Lang lang : {Lang::Russian, Lang::English}) {
        window->page_host().set_language(static_cast<int>(lang));
        for (std::size_t kind = 0; kind < kEventKindCount; ++kind) {
            const QString title = QString::fromUtf8(ztv::pick(event_kinds()[kind].title, lang));
            EXPECT_EQ(e.event_tabs()->caption(static_cast<int>(kind)), title);
            EXPECT_EQ(e.event_kind_menu()->actions()[static_cast<int>(kind)]->text(), title);
        }
        for (std::size_t kind = 0; kind < kReactionKindCount; ++kind) {
            const QString title = QString::fromUtf8(ztv::pick(reaction_kind_titles()[kind], lang));
            EXPECT_EQ(e.reaction_tabs()->caption(static_cast<int>(kind)), title);
            EXPECT_EQ(e.reaction_kind_menu()->actions()[static_cast<int>(kind)]->text(), title);
        }
    }
    EXPECT_EQ(e.event_tabs()->caption(0), QStringLiteral("Button"));
    EXPECT_EQ(e.event_tabs()->caption(0), QStringLiteral("Button"));
    EXPECT_EQ(e.event_kind_menu()->actions()[4]->text(), QStringLiteral("Timeout"));
    EXPECT_EQ(e.reaction_tabs()->caption(1), QStringLiteral("Send IR code"));
    EXPECT_EQ(e.event_group()->title(), QStringLiteral(" Event "));
    EXPECT_EQ(e.reaction_group()->title(), QStringLiteral(" Response "));
    EXPECT_EQ(combo("ComboBoxEventEvent")->itemText(2), QStringLiteral("Long"));
    EXPECT_EQ(combo("ComboBoxEventSRCMASK")->itemText(0), QStringLiteral("Any"));
}

// What the named controls of the editor show: items, caption and hint of each.
std::map<QString, QString> named_texts(const QWidget& root) {
    std::map<QString, QString> texts;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.endsWith(QLatin1Char('x')) || name.startsWith(QLatin1String("qt_"))) continue;
        QString text = widget->toolTip();
        if (auto* list = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < list->count(); ++i) text += QLatin1Char('|') + list->itemText(i);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) text += QLatin1Char('|') + button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget)) text += QLatin1Char('|') + group->title();
        texts[name] = text;
    }
    return texts;
}

TEST_F(SlotEditorTest, TheTranslationTableAndTheDrawnPagesAgreeInBothLanguages) {
    SlotEditor& e = editor();
    for (const Lang lang : {Lang::English, Lang::Russian}) {
        SCOPED_TRACE(static_cast<int>(lang));
        window->page_host().set_language(static_cast<int>(lang));
        // Every page drawn once in this language (a "Button" event keeps any reaction).
        for (std::uint8_t kind = 0; kind < kEventKindCount; ++kind) {
            set_byte(0, 0, kind);
            e.select_slot(0);
        }
        set_byte(0, 0, 0);
        for (std::uint8_t kind = 0; kind < kReactionKindCount; ++kind) {
            set_byte(0, 11, kind);
            e.select_slot(0);
            ASSERT_EQ(e.reaction_pages()->currentIndex(), kind);
        }
        const std::map<QString, QString> drawn = named_texts(e);
        translate_window(main_form_table(), window.get(), lang);
        const std::map<QString, QString> translated = named_texts(e);
        std::size_t compared = 0;
        for (const auto& [name, text] : drawn) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(translated.at(name).toStdString(), text.toStdString());
            ++compared;
        }
        EXPECT_GT(compared, 60u);  // the pages' named controls were all there
    }
    // The tables themselves name the editor's titles, so a title is the catalogue's own.
    const TranslationRow* ir_title = find_translation(main_form_table(), "MainForm_TabSheetReactionIR_Caption");
    ASSERT_NE(ir_title, nullptr);
    EXPECT_STREQ(ir_title->ru, reaction_kind_titles()[1].ru);
    EXPECT_EQ(e.reaction_tabs()->caption(1), QString::fromUtf8(ir_title->ru));
}

TEST_F(SlotEditorTest, KindPagesShowTheirCaptionsAlsoWhenALabelComesLater) {
    SlotEditor& e = editor();
    window->page_host().set_language(1);
    e.select_slot(3);  // "Button" event, "USB key" reaction
    ASSERT_NE(e.control("PanelKeyx")->caption(), nullptr);
    EXPECT_EQ(e.control("PanelKeyx")->caption()->text(), QStringLiteral("Button"));
    EXPECT_EQ(e.control("PanelKeyModx")->caption()->text(), QStringLiteral("Mod"));
    EXPECT_EQ(e.control("EditReactionUSBKeyDlitmS")->caption()->text(), QStringLiteral("Min. durat."));
    EXPECT_TRUE(e.control("EditReactionUSBKeyDlitmS")->caption()->isVisibleTo(e.reaction_pages()));
    // A language switch redraws them.
    window->page_host().set_language(0);
    EXPECT_EQ(e.control("PanelKeyx")->caption()->text(), QStringLiteral("Кнопка"));
    EXPECT_EQ(e.control("EditReactionUSBKeyDlitmS")->caption()->text(), QStringLiteral("Мин. длит."));
    EXPECT_EQ(e.control("EditReactionUSBKeyDlitmS")->unit()->text(), QStringLiteral("мс"));
    window->page_host().set_language(1);

    // An iDrive reaction whose parameter is hidden when its page is built: choosing an action
    // with a parameter shows the field with its label.
    set_byte(4, 11, 11);
    set_byte(4, 12, 5);
    e.select_slot(4);
    BoundControl* parameter = e.control("EditReactionIDRIVEParamx");
    ASSERT_NE(parameter, nullptr);
    EXPECT_FALSE(parameter->isVisibleTo(e.reaction_pages()));
    pick("ComboBoxReactionIDRIVEx", 0);
    EXPECT_EQ(byte(4, 12), 0);
    EXPECT_TRUE(parameter->isVisibleTo(e.reaction_pages()));
    ASSERT_NE(parameter->caption(), nullptr);
    EXPECT_EQ(parameter->caption()->text(), QStringLiteral("Backlight code (0-default)"));
    EXPECT_TRUE(parameter->caption()->isVisibleTo(e.reaction_pages()));
}

TEST_F(SlotEditorTest, TheTwoGroupsShareThePanelWidthEqually) {
    SlotEditor& e = editor();
    window->show();
    for (const int width : {1024, 1600}) {
        window->resize(width, 760);
        QCoreApplication::processEvents();
        const int left = e.event_group()->width();
        const int right = e.reaction_group()->width();
        EXPECT_LE(std::abs(left - right), 2) << "at width " << width;
        EXPECT_GT(left + right, e.width() - 20) << "at width " << width;
    }
}

}  // namespace
}  // namespace ztv

namespace ztv {
namespace {

// Texts that grow in the other language get their room: after a switch no control of the
// shared event row is narrower than its text.
TEST_F(SlotEditorTest, ALanguageSwitchGivesTheSharedControlsRoomForTheirTexts) {
    SlotEditor& e = editor();
    window->page_host().set_language(1);
    window->resize(1100, 820);
    window->show();
    e.select_slot(0);
    QApplication::processEvents();
    window->page_host().set_language(0);
    QApplication::processEvents();
    for (const std::string_view name : {event_common::kOnce, event_common::kWakeUp}) {
        BoundControl* control = e.control(name);
        ASSERT_NE(control, nullptr);
        auto* box = qobject_cast<QCheckBox*>(control->input());
        ASSERT_NE(box, nullptr);
        // The box within its control, and the control within the row, each as wide as the text.
        EXPECT_GE(box->width(), box->sizeHint().width()) << box->text().toStdString();
        EXPECT_GE(control->width(), control->sizeHint().width()) << box->text().toStdString();
        EXPECT_GE(control->parentWidget()->width(), control->geometry().right()) << box->text().toStdString();
    }
}

}  // namespace
}  // namespace ztv

namespace ztv {
namespace {

TEST_F(SlotEditorTest, TheEditorsHeightFollowsTheKindPageShown) {
    SlotEditor& e = editor();
    window->show();
    QWidget* groups = e.event_group()->parentWidget();
    const auto height_for = [&](int kind) {
        e.event_tabs()->tab(kind)->click();
        QCoreApplication::processEvents();
        return groups->sizeHint().height();
    };
    const int area = height_for(static_cast<int>(EventKind::Area));
    const int voltage = height_for(static_cast<int>(EventKind::Voltage));
    EXPECT_GT(voltage, area);
    EXPECT_EQ(height_for(static_cast<int>(EventKind::Area)), area);
}

}  // namespace
}  // namespace ztv
