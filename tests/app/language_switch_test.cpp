#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/form_tables.h"
#include "app/language_walker.h"
#include "shell_fixture.h"
#include "tools/tool_window_tables.h"

namespace ztv {
namespace {

using testing::ShellFixture;

class LanguageSwitchTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        make_form();
        QWidget* page = window->parameters_page();
        touch_mode = new QComboBox(page);
        touch_mode->setObjectName(QStringLiteral("ComboBoxTouchMode"));
        touch_mode->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                              QStringLiteral("e")});
        touch_mode->setCurrentIndex(2);
        hide = new QCheckBox(QStringLiteral("design text"), page);
        hide->setObjectName(QStringLiteral("CheckBoxTouchHide"));
        hide->setChecked(true);
        iebus = new QListWidget(page);
        iebus->setObjectName(QStringLiteral("CheckListBoxIEBUSMODEBITS"));
        iebus->setProperty(kControlKind, kKindCheckList);
        for (int i = 0; i < 11; ++i) {
            auto* item = new QListWidgetItem(QString::number(i), iebus);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(i == 3 || i == 9 ? Qt::Checked : Qt::Unchecked);
        }
        code_set = new QComboBox(page);
        code_set->setObjectName(QStringLiteral("ComboBoxPULSESRCNUMx"));
        code_set->addItems({QStringLiteral("1 (1)"), QStringLiteral("2 (1, 2)")});
        code_set->setCurrentIndex(1);
        label = new QLabel(QStringLiteral("Только в форме"), page);
        label->setObjectName(QStringLiteral("Panel4"));
        tabs = new QTabWidget(page);
        tabs->setObjectName(QStringLiteral("PageControlParams"));
        auto* keys_sheet = new QWidget;
        keys_sheet->setObjectName(QStringLiteral("TabSheetKEYS"));
        tabs->addTab(new QWidget, QStringLiteral("first"));
        tabs->addTab(keys_sheet, QStringLiteral("design"));
        tabs->setCurrentIndex(1);
        connect_counter();
        window->initialise();
    }

    void connect_counter() {
        QObject::connect(touch_mode, &QComboBox::currentIndexChanged, [this] { ++changes; });
        QObject::connect(hide, &QCheckBox::toggled, [this] { ++changes; });
    }

    QComboBox* touch_mode = nullptr;
    QCheckBox* hide = nullptr;
    QListWidget* iebus = nullptr;
    QComboBox* code_set = nullptr;
    QLabel* label = nullptr;
    QTabWidget* tabs = nullptr;
    int changes = 0;
};

TEST_F(LanguageSwitchTest, EnglishKeepsSelectionsAndCheckStatesAndSendsNoChangeNotifications) {
    EXPECT_EQ(window->page_host().set_language(1), 1);
    EXPECT_EQ(touch_mode->count(), 5);
    EXPECT_EQ(touch_mode->itemText(0), QStringLiteral("Disabled"));
    EXPECT_EQ(touch_mode->itemText(4), QStringLiteral("Source..."));
    EXPECT_EQ(touch_mode->currentIndex(), 2);
    EXPECT_EQ(hide->text(), QStringLiteral("Hide pointer"));
    EXPECT_TRUE(hide->isChecked());
    EXPECT_EQ(hide->toolTip(), QStringLiteral("Hide the mouse pointer when released"));
    EXPECT_TRUE(hide->property(kShowHint).toBool());
    ASSERT_EQ(iebus->count(), 11);
    EXPECT_EQ(iebus->item(3)->text(), QStringLiteral("Amplifier controls"));
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(iebus->item(i)->checkState(), i == 3 || i == 9 ? Qt::Checked : Qt::Unchecked) << i;
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Keys"));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("first"));  // no row: untouched
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(changes, 0);
}

TEST_F(LanguageSwitchTest, CodeSetControlsKeepTheirTexts) {
    window->page_host().set_language(1);
    window->page_host().set_language(0);
    ASSERT_EQ(code_set->count(), 2);
    EXPECT_EQ(code_set->itemText(1), QStringLiteral("2 (1, 2)"));
    EXPECT_EQ(code_set->currentIndex(), 1);
}

TEST_F(LanguageSwitchTest, BackToRussianGivesTheTableTextsEvenWhereTheDesignHadOthers) {
    window->page_host().set_language(1);
    EXPECT_EQ(label->text(), QStringLiteral("Number of sources"));
    window->page_host().set_language(0);
    EXPECT_EQ(label->text(), QStringLiteral("Количество источников"));
    EXPECT_EQ(hide->text(), QStringLiteral("Скрывать указатель"));
    EXPECT_EQ(touch_mode->itemText(0), QStringLiteral("Отключено"));
    EXPECT_EQ(touch_mode->currentIndex(), 2);
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Кнопки"));
}

TEST_F(LanguageSwitchTest, LanguageButtonAndMenuFollowTheLanguage) {
    QToolButton* button = window->chrome().button(Command::Language);
    QAction* russian = window->chrome().action(Command::Russian);
    QAction* english = window->chrome().action(Command::English);
    ASSERT_NE(russian, nullptr);
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("EN"));
    EXPECT_TRUE(russian->isChecked());
    EXPECT_FALSE(english->isChecked());
    button->click();
    EXPECT_EQ(window->host().language(), Lang::English);
    EXPECT_EQ(button->text(), QStringLiteral("RU"));
    EXPECT_FALSE(russian->isChecked());
    EXPECT_TRUE(english->isChecked());
    russian->trigger();
    EXPECT_EQ(window->host().language(), Lang::Russian);
    EXPECT_EQ(button->text(), QStringLiteral("EN"));
    EXPECT_EQ(window->page_host().set_language(-1), 0);  // the query changes nothing
    EXPECT_EQ(window->host().language(), Lang::Russian);
}

TEST_F(LanguageSwitchTest, SwitchRunsHooksClearsConnectedAndRefreshesPagesInsideOneRedrawPause) {
    std::vector<std::string> order;
    struct Clearing : WindowDevice {
        void clear_connected() override { order->push_back("connected cleared"); }
        std::vector<std::string>* order = nullptr;
    } device;
    device.order = &order;
    window->set_device(&device);
    test_page.on_retranslate = [&](Lang lang) {
        order.push_back(lang == Lang::English ? "hook en" : "hook ru");
        EXPECT_GT(window->page_host().redraw_pause_depth(), 0);
        EXPECT_EQ(touch_mode->itemText(0), QStringLiteral("Disabled"));  // tables already applied
    };
    test_page.on_refresh = [&] { order.push_back("refresh"); };
    window->page_host().add_page(test_page);
    window->page_host().set_language(1);
    EXPECT_EQ(order, (std::vector<std::string>{"connected cleared", "hook en", "refresh"}));
    EXPECT_EQ(window->page_host().redraw_pause_depth(), 0);
}

TEST_F(LanguageSwitchTest, MenuItemsAndCompanionWindowsAreTranslated) {
    window->page_host().set_language(1);
    EXPECT_EQ(window->chrome().debug_item()->text(), QStringLiteral("Debug"));
    EXPECT_EQ(window->chrome().log_item()->text(), QStringLiteral("Communication log"));
    QWidget key_picker;
    key_picker.setObjectName(QStringLiteral("FormKeyBoard"));
    auto* group = new QGroupBox(&key_picker);
    group->setObjectName(QStringLiteral("GroupBoxSystemControl"));
    window->page_host().add_translated_window(key_board_table(), &key_picker);
    EXPECT_EQ(group->title(), QStringLiteral(" System Control "));
    window->page_host().set_language(0);
    EXPECT_EQ(group->title(), QStringLiteral(" Управление системой "));
}

TEST(LanguageWalker, RussianFallBackAndItemsOfRadioGroups) {
    constexpr TranslationRow table[] = {
        {"Form_LabelOnly_Caption", "Только по-русски", ""},
        {"Form_Group_Caption", "Группа", "Group"},
        {"Form_Group_Items", "Один\r\nДва\r\n", "One\r\nTwo\r\n"},
        {"Form_Group_Hint", "Подсказка", "Hint"},
        {"Form_Window_Caption", "Окно", "Window"},
    };
    QWidget window;
    window.setObjectName(QStringLiteral("Form"));
    auto* label = new QLabel(&window);
    label->setObjectName(QStringLiteral("LabelOnly"));
    auto* group = new QGroupBox(&window);
    group->setObjectName(QStringLiteral("Group"));
    group->setProperty(kControlKind, kKindRadioGroup);
    auto* one = new QRadioButton(group);
    auto* two = new QRadioButton(group);
    two->setChecked(true);
    translate_window(table, &window, Lang::English);
    EXPECT_EQ(label->text(), QStringLiteral("Только по-русски"));
    EXPECT_EQ(group->title(), QStringLiteral("Group"));
    EXPECT_EQ(one->text(), QStringLiteral("One"));
    EXPECT_EQ(two->text(), QStringLiteral("Two"));
    EXPECT_TRUE(two->isChecked());
    EXPECT_EQ(group->toolTip(), QStringLiteral("Hint"));
}

TEST(LanguageWalker, SplitEntriesDropsOnlyTheTrailingEmptyEntry) {
    EXPECT_EQ(split_entries(QStringLiteral("a\r\nb\r\n")), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(split_entries(QStringLiteral("a\r\n\r\nb")),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
}

TEST_F(ShellFixture, StoredLanguageOtherThanOneStartsInRussian) {
    write_settings("[MainSettings]\nLang=7\n");
    options.system_language_id = 1033;
    make_form().initialise();
    EXPECT_EQ(window->host().language(), Lang::Russian);
}

TEST_F(ShellFixture, WithoutStoredLanguageTheDesktopLanguageDecides) {
    options.system_language_id = 1058;  // Ukrainian
    make_form().initialise();
    EXPECT_EQ(window->host().language(), Lang::Russian);
    window.reset();
    options.system_language_id = 1033;
    make_form().initialise();
    EXPECT_EQ(window->host().language(), Lang::English);
}

TEST_F(ShellFixture, PairWithoutEnglishShowsRussianInEnglishMode) {
    make_form().page_host().set_language(1);
    EXPECT_EQ(window->page_host().tr_pair(TextPair{"Только русский", ""}), QStringLiteral("Только русский"));
    EXPECT_EQ(window->page_host().tr_pair(TextPair{"Ничего не нажимайте", "Do not press anything"}),
              QStringLiteral("Do not press anything"));
}

}  // namespace
}  // namespace ztv
