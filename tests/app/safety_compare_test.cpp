// The comparisons of the window agree with what a write would change: right after a read none
// of them lists what the window restated by itself (header defaults, the page refresh).
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "app/backups_window.h"
#include "app/compare_window.h"
#include "app/safety_menu.h"
#include "safety_fixture.h"

namespace ztv {
namespace {

using SafetyCompareTest = testing::SafetyFixture;

// The text of the comparison window that `open` shows (it is closed at once).
QString comparison_shown(const std::function<void()>& open) {
    QString text;
    QTimer::singleShot(0, [&text] {
        if (auto* window = qobject_cast<CompareWindow*>(QApplication::activeModalWidget())) {
            text = window->text();
            window->accept();
        }
    });
    open();
    return text;
}

TEST_F(SafetyCompareTest, RightAfterAReadNothingTheWindowRestatedCountsAsAChange) {
    window->page_host().set_language(1);
    ASSERT_TRUE(connect_controller());
    // The simulated controller was never configured: the window shows the header defaults.
    ASSERT_EQ(controller().long_press_ms(), 0);
    ASSERT_EQ(state.record.long_press_ms(), 1000);
    EXPECT_FALSE(link->session().unsaved());

    SafetyMenu menu(window->safety_menu_shell(), link->session());
    EXPECT_EQ(comparison_shown([&] { menu.compare_with_controller(); }), QStringLiteral("No changes\n"));

    QString before_write;
    window->host().set_message_answerer([&](int, const QString&, const QString&) {
        if (!before_write.isEmpty()) return kIdYes;
        QTimer::singleShot(0, [&before_write] {
            auto* changes = qobject_cast<CompareWindow*>(QApplication::activeModalWidget());
            before_write = changes->text();
            changes->accept();
        });
        return kIdShowChanges;
    });
    window->on_write_device();
    EXPECT_EQ(before_write, QStringLiteral("No changes\n"));
    BackupsWindow backups(window->host(), window->state(), default_backup_folder());
    ASSERT_EQ(backups.list()->topLevelItemCount(), 1);
    EXPECT_EQ(backups.list()->topLevelItem(0)->text(3), QStringLiteral("no"));
}

}  // namespace
}  // namespace ztv
