// The source selection window driven as a user would: ticks, "OK", Escape, and where it opens.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "widgets/source_select_window.h"

namespace ztv {
namespace {

const Text kFirst("Перехват тачпанели", "Interception touchpanel");
const Text kSecond("при выборе источника:", "in source selection:");

// Runs `act` on the window once it is open (choose_sources blocks in its own loop).
void when_open(TInterceptForm& form, std::function<void()> act) {
    QTimer::singleShot(0, &form, [&form, act = std::move(act)] {
        EXPECT_TRUE(form.isVisible());
        act();
    });
}

void click_tick(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

TEST(SourceSelectWindow, ShowsTheMaskAndTheCallersLinesInTheLanguage) {
    TInterceptForm form;
    std::uint8_t mask = 0b0000'0101;
    bool seen = false;
    when_open(form, [&] {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Источники"));
        EXPECT_EQ(form.first_line()->text(), QStringLiteral("Перехват тачпанели"));
        EXPECT_FALSE(form.first_line()->isEnabled());
        EXPECT_EQ(form.source_list()->toolTip(), QStringLiteral("Выберите источники"));
        ASSERT_EQ(form.source_list()->count(), 8);
        EXPECT_EQ(form.source_list()->item(0)->checkState(), Qt::Checked);
        EXPECT_EQ(form.source_list()->item(1)->checkState(), Qt::Unchecked);
        EXPECT_EQ(form.source_list()->item(2)->checkState(), Qt::Checked);
        EXPECT_EQ(form.source_list()->item(7)->text(), QStringLiteral("8"));
        seen = true;
        form.reject();
    });
    EXPECT_FALSE(form.choose_sources(kFirst, kSecond, Lang::Russian, QPoint(100, 100), mask));
    EXPECT_TRUE(seen);
    EXPECT_EQ(mask, 0b0000'0101);
}

TEST(SourceSelectWindow, OkTakesTheTickedSources) {
    TInterceptForm form;
    std::uint8_t mask = 0b0000'0001;
    when_open(form, [&] {
        EXPECT_EQ(form.second_line()->text(), QStringLiteral("in source selection:"));
        click_tick(form.source_list(), 0);
        click_tick(form.source_list(), 3);
        click_tick(form.source_list(), 7);
        QTest::mouseClick(form.ok_button(), Qt::LeftButton);
    });
    EXPECT_TRUE(form.choose_sources(kFirst, kSecond, Lang::English, QPoint(50, 50), mask));
    EXPECT_EQ(mask, 0b1000'1000);
}

TEST(SourceSelectWindow, EscapeKeepsTheOldMaskEvenAfterTicking) {
    TInterceptForm form;
    std::uint8_t mask = 0xFF;
    when_open(form, [&] {
        click_tick(form.source_list(), 4);
        QTest::keyClick(&form, Qt::Key_Escape);
    });
    EXPECT_FALSE(form.choose_sources(kFirst, kSecond, Lang::English, QPoint(0, 0), mask));
    EXPECT_EQ(mask, 0xFF);
    EXPECT_FALSE(form.isVisible());

    // The next opening starts from its own mask, not from the ticks left behind.
    std::uint8_t next = 0;
    when_open(form, [&] {
        for (int i = 0; i < 8; ++i) EXPECT_EQ(form.source_list()->item(i)->checkState(), Qt::Unchecked) << i;
        form.ok_button()->click();
    });
    EXPECT_TRUE(form.choose_sources(kFirst, kSecond, Lang::English, QPoint(0, 0), next));
    EXPECT_EQ(next, 0);
}

TEST(SourceSelectWindow, OpensAtTheGivenCornerAndStaysOnTheScreen) {
    TInterceptForm form;
    std::uint8_t mask = 0;
    QPoint opened_at;
    when_open(form, [&] {
        opened_at = form.pos();
        form.reject();
    });
    form.choose_sources(kFirst, kSecond, Lang::English, QPoint(120, 140), mask);
    EXPECT_EQ(opened_at, QPoint(120, 140));

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QRect frame;
    when_open(form, [&] {
        frame = form.frameGeometry();
        form.reject();
    });
    form.choose_sources(kFirst, kSecond, Lang::English, area.bottomRight() + QPoint(50, 50), mask);
    EXPECT_TRUE(area.contains(frame.topLeft()));
    EXPECT_LE(frame.right(), area.right());
    EXPECT_LE(frame.bottom(), area.bottom());
}

}  // namespace
}  // namespace ztv
