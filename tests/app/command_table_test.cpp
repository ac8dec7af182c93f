// The window shows each command as its row says: one action, on the toolbar and in the main
// menu where the row places it, with the row's texts in both languages, its picture and keys,
// and usable as its rule allows.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/command_table.h"
#include "shell_fixture.h"

namespace ztv {
namespace {

QList<QAction*> menu_entries(const QMenu& menu) {
    QList<QAction*> entries;
    for (QAction* entry : menu.actions()) {
        entries.append(entry);
        if (entry->menu() != nullptr) entries.append(menu_entries(*entry->menu()));
    }
    return entries;
}

class CommandTableTest : public testing::ShellFixture {};

TEST_F(CommandTableTest, TheWindowShowsEveryRowWithItsTextsPlaceKeysAndRule) {
    TMainForm& form = make_form();
    WindowChrome& chrome = form.chrome();
    const QList<QAction*> menu = menu_entries(*chrome.main_popup());
    for (const Lang lang : {Lang::Russian, Lang::English}) {
        form.page_host().set_language(lang == Lang::English ? 1 : 0);
        for (const CommandRow& row : kCommands) {
            SCOPED_TRACE(row.name);
            QAction* action = chrome.action(row.command);
            ASSERT_NE(action, nullptr);
            EXPECT_EQ(action->objectName(), QLatin1String(row.name));
            QToolButton* button = chrome.button(row.command);
            EXPECT_EQ(button != nullptr && button->defaultAction() == action, row.on_toolbar());
            EXPECT_EQ(menu.contains(action), row.in_menu());
            if (row.caption.ru[0] != '\0') {
                EXPECT_EQ(action->text(), QString::fromUtf8(pick(row.caption, lang)));
            }
            if (row.hint.ru[0] != '\0') {
                EXPECT_TRUE(action->toolTip().startsWith(QString::fromUtf8(pick(row.hint, lang))));
                if (button != nullptr) {
                    EXPECT_EQ(button->toolTip(), action->toolTip());
                }
            }
            EXPECT_EQ(action->shortcuts(), QKeySequence::listFromString(QString::fromLatin1(row.keys)));
            if (row.keys[0] != '\0' && row.on_toolbar()) {
                EXPECT_TRUE(action->toolTip().endsWith(QStringLiteral(" (%1)").arg(action->shortcut().toString())));
            }
            if (row.icon != nullptr) {
                EXPECT_FALSE(action->icon().isNull());
            }
        }
    }

    struct Present : WindowDevice {
        bool connected() const override { return present; }
        bool present = false;
    } device;
    form.set_device(&device);
    for (const bool connected : {false, true}) {
        device.present = connected;
        for (const bool busy : {false, true}) {
            form.set_busy(busy);
            const ToolbarEnabling allowed(busy, connected, state.record);
            for (const CommandRow& row : kCommands) {
                // Qt keeps a hidden entry unusable whatever its rule.
                if (row.rule == EnablingRule::Owner || !chrome.action(row.command)->isVisible()) continue;
                SCOPED_TRACE(row.name);
                EXPECT_EQ(chrome.action(row.command)->isEnabled(), allowed.allows(row.rule));
                if (QToolButton* button = chrome.button(row.command)) {
                    EXPECT_EQ(button->isEnabled(), allowed.allows(row.rule));
                }
            }
        }
    }
    form.set_device(nullptr);

    // A command another part runs shows once that part takes it.
    QAction* backups = chrome.action(Command::Backups);
    EXPECT_FALSE(backups->isVisible());
    EXPECT_EQ(chrome.take(Command::Backups), backups);
    EXPECT_TRUE(backups->isVisible());
}

}  // namespace
}  // namespace ztv
