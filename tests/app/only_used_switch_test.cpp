// The only-used switch: one state behind the menu item and the toolbar toggle, its two hints,
// the hook the event editor listens on, and the OnlyUsed setting.
#include <QAction>
#include <QFile>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

#include "shell_fixture.h"

namespace ztv {
namespace {

using testing::ShellFixture;

class OnlyUsedSwitchTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        make_form();
        window->page_host().add_page(test_page);
    }
    QToolButton* toggle() const { return window->chrome().button(Command::OnlyUsed); }
    const std::vector<bool>& heard = test_page.only_used_heard;
};

TEST_F(OnlyUsedSwitchTest, ToolbarAndMenuShowOneStateAndTellThePages) {
    window->initialise();
    window->page_host().set_language(1);
    ASSERT_NE(toggle(), nullptr);
    EXPECT_FALSE(window->page_host().only_used());
    EXPECT_EQ(toggle()->toolTip(), QStringLiteral("Display only used events and reactions"));
    EXPECT_EQ(window->chrome().only_used_item()->text(), QStringLiteral("Display only used events and reactions"));

    window->show();
    QTest::mouseClick(toggle(), Qt::LeftButton);
    EXPECT_TRUE(window->page_host().only_used());
    EXPECT_TRUE(window->chrome().only_used_item()->isChecked());
    EXPECT_EQ(toggle()->toolTip(), QStringLiteral("Display all events and reactions"));
    ASSERT_EQ(heard, std::vector<bool>{true});

    window->chrome().only_used_item()->trigger();
    EXPECT_FALSE(window->page_host().only_used());
    EXPECT_FALSE(toggle()->isChecked());
    EXPECT_EQ(toggle()->toolTip(), QStringLiteral("Display only used events and reactions"));
    EXPECT_EQ(heard, (std::vector<bool>{true, false}));

    window->page_host().set_only_used(false);  // no change, nothing to tell
    EXPECT_EQ(heard.size(), 2u);
    window->page_host().set_language(0);
    EXPECT_EQ(toggle()->toolTip(), QStringLiteral("Отображать только используемые события и реакции"));
}

TEST_F(OnlyUsedSwitchTest, StoredSettingSwitchesItOnAtStartAndIsSavedAtClose) {
    write_settings("[MainSettings]\nOnlyUsed=1\nLang=1\n");
    window.reset();
    test_page.only_used_heard.clear();
    make_form();
    window->page_host().add_page(test_page);
    window->initialise();
    EXPECT_TRUE(window->page_host().only_used());
    EXPECT_TRUE(toggle()->isChecked());
    EXPECT_EQ(heard, std::vector<bool>{true});
    EXPECT_EQ(toggle()->toolTip(), QStringLiteral("Display all events and reactions"));

    window->page_host().set_only_used(false);
    window->close();
    QFile file(QString::fromStdString(options.settings_path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    EXPECT_TRUE(saved.contains("OnlyUsed=0")) << saved.constData();
}

}  // namespace
}  // namespace ztv
