#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSplitter>
#include <QTest>

#include <limits>

#include <gtest/gtest.h>

#include "app/shell_messages.h"
#include "diag/terminal_input_height.h"
#include "diag/terminal_page.h"
#include "shell_fixture.h"

namespace ztv {
namespace {

using testing::ShellFixture;

TEST(DecideEnter, EmptyPaneSwallowsTheKey) {
    const EnterOutcome out = decide_enter(QString(), 0);
    EXPECT_FALSE(out.send);
    EXPECT_FALSE(out.let_through);
}

TEST(DecideEnter, AtTheEndSendsTheLineAndStartsANewOne) {
    const EnterOutcome out = decide_enter(QStringLiteral("one\nabc"), 7);
    EXPECT_TRUE(out.send);
    EXPECT_TRUE(out.let_through);
    EXPECT_EQ(out.line, QStringLiteral("abc"));
}

TEST(DecideEnter, InsideAnEarlierLineResendsItAndLeavesTheText) {
    const EnterOutcome out = decide_enter(QStringLiteral("first\nsecond\nthird"), 8);
    EXPECT_TRUE(out.send);
    EXPECT_FALSE(out.let_through);
    EXPECT_EQ(out.line, QStringLiteral("second"));
}

TEST(DecideEnter, EmptyLineSendsNothingAndSwallows) {
    const EnterOutcome out = decide_enter(QStringLiteral("abc\n"), 4);
    EXPECT_FALSE(out.send);
    EXPECT_FALSE(out.let_through);
}

TEST(DecideEnter, LinesOf999CharactersOrMoreAreNotSent) {
    const QString long_line(999, QLatin1Char('x'));
    EXPECT_FALSE(decide_enter(long_line, 999).send);
    EXPECT_TRUE(decide_enter(long_line, 999).let_through);
    EXPECT_TRUE(decide_enter(QString(998, QLatin1Char('x')), 998).send);
}

class TerminalPageTest : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        make_form();
        terminal = window->terminal();
        TerminalLink link;
        link.application_connected = [this] { return connected; };
        link.write_line = [this](const std::uint8_t* bytes, std::size_t length) {
            sent.emplace_back(bytes, bytes + kTerminalWriteMax);
            lengths.push_back(length);
            return write_error;
        };
        link.error_text = [](int) { return Text("тайм-аут", "time-out"); };
        terminal->set_link(link);
        window->page_control()->setCurrentWidget(terminal);
        window->show();
    }

    TerminalPage* terminal = nullptr;
    bool connected = true;
    int write_error = 0;
    std::vector<std::vector<std::uint8_t>> sent;
    std::vector<std::size_t> lengths;
};

TEST_F(TerminalPageTest, AHugeInputHeightIsBoundedAndTheReceivePaneStays) {
    terminal->set_input_height(std::numeric_limits<int>::max());
    QApplication::processEvents();
    EXPECT_LE(terminal->input_height(), kMaxTerminalInputHeight);
    EXPECT_GT(terminal->input_height(), 0);
    const auto* splitter = terminal->findChild<QSplitter*>(QStringLiteral("SplitterTerminal"));
    ASSERT_NE(splitter, nullptr);
    EXPECT_GT(splitter->sizes().value(0), 0) << "received lines still have a pane";
    terminal->set_input_height(-5);
    EXPECT_GE(terminal->input_height(), kMinTerminalInputHeight);
}

TEST_F(TerminalPageTest, EnterAtTheEndSendsTheLettersAndANulAndStartsANewLine) {
    QPlainTextEdit* input = terminal->send_pane();
    input->setFocus();
    QTest::keyClicks(input, QStringLiteral("abc"));
    QTest::keyClick(input, Qt::Key_Return);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(lengths[0], 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sent[0].data())), "abc");
    EXPECT_EQ(input->toPlainText(), QStringLiteral("abc\n"));
}

TEST_F(TerminalPageTest, EnterInsideAnEarlierLineResendsItWithoutChangingTheText) {
    QPlainTextEdit* input = terminal->send_pane();
    input->setPlainText(QStringLiteral("first\nsecond"));
    QTextCursor cursor = input->textCursor();
    cursor.setPosition(2);
    input->setTextCursor(cursor);
    QTest::keyClick(input, Qt::Key_Return);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sent[0].data())), "first");
    EXPECT_EQ(input->toPlainText(), QStringLiteral("first\nsecond"));
}

TEST_F(TerminalPageTest, WithoutControllerEnterIsAnOrdinaryKey) {
    connected = false;
    QPlainTextEdit* input = terminal->send_pane();
    QTest::keyClicks(input, QStringLiteral("ab"));
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(input->toPlainText(), QStringLiteral("ab\n"));
}

TEST_F(TerminalPageTest, AHundredCharacterLineReachesTheControllerAsItsFirst63AndANul) {
    const std::string line(100, 'q');
    std::vector<std::uint8_t> buffer(line.begin(), line.end());
    buffer.push_back(0);
    EXPECT_EQ(terminal->send_terminal_line(buffer.data(), buffer.size()), 0);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(lengths[0], 64u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sent[0].data())), std::string(63, 'q'));
    EXPECT_EQ(sent[0][63], 0);
}

TEST_F(TerminalPageTest, SendingWhileDisconnectedShowsTheErrorAndSendsNothing) {
    connected = false;
    const std::uint8_t line[] = {'a', 0};
    EXPECT_EQ(terminal->send_terminal_line(line, 2), kTerminalNotConnected);
    EXPECT_TRUE(sent.empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Контроллер отключён"));
}

TEST_F(TerminalPageTest, FailedWriteShowsTheDeviceWriteError) {
    write_error = -3;
    const std::uint8_t line[] = {'a', 0};
    EXPECT_EQ(terminal->send_terminal_line(line, 2), -3);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Ошибка записи в устройство\nтайм-аут"));
}

TEST_F(TerminalPageTest, ControllerLinesAreBlueAndRewrittenProgramLinesUseWindowText) {
    terminal->set_line_rewriter([](std::string_view line) {
        std::string out(line);
        if (out == "EV:5") out = "EV:Button";
        return out;
    });
    window->host().log_line("EV:5", LogSource::Controller);
    window->host().log_line("connected", LogSource::Program);
    terminal->log_printf("value %d", 42);
    TerminalView* pane = terminal->receive_pane();
    ASSERT_EQ(pane->line_count(), 3);
    EXPECT_EQ(pane->line(0), QStringLiteral("EV:Button"));
    EXPECT_EQ(pane->line_colour(0), QColor(0, 0, 255));
    EXPECT_EQ(pane->line(1), QStringLiteral("connected"));
    EXPECT_EQ(pane->line_colour(1), terminal->palette().color(QPalette::WindowText));
    EXPECT_EQ(pane->line(2), QStringLiteral("value 42"));
}

TEST_F(TerminalPageTest, TwoQuickClicksClearTheReceivePaneAndADoubleClickClearsTheSendPane) {
    window->host().log_line("line", LogSource::Program);
    QWidget* viewport = terminal->receive_pane()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton);
    EXPECT_EQ(terminal->line_count(), 1);
    QTest::mouseClick(viewport, Qt::LeftButton);
    EXPECT_EQ(terminal->line_count(), 0);
    EXPECT_TRUE(terminal->receive_pane()->text().isEmpty());

    terminal->send_pane()->setPlainText(QStringLiteral("typed"));
    QTest::mouseDClick(terminal->send_pane()->viewport(), Qt::LeftButton);
    EXPECT_TRUE(terminal->send_pane()->toPlainText().isEmpty());
}

// Counts the pixels of the receive pane drawn in a colour (text is smoothed at its edges, so
// for the pure blue of controller lines any strongly blue pixel counts).
int pixels_of(TerminalView* pane, const QColor& colour) {
    const QImage image = pane->viewport()->grab().toImage();
    const bool blue = colour == kControllerLineColour;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (blue ? pixel.blue() > 150 && pixel.red() < 90 && pixel.green() < 90 : pixel.rgb() == colour.rgb())
                ++count;
        }
    return count;
}

TEST_F(TerminalPageTest, CopyAllFromThePopupCopiesThePaneAndLeavesNoSelection) {
    window->host().log_line("one", LogSource::Program);
    window->host().log_line("two", LogSource::Controller);
    auto* popup = window->findChild<QMenu*>(QStringLiteral("PopupMenuShared"));
    ASSERT_NE(popup, nullptr);
    emit terminal->popup_requested(QPoint(10, 10));
    ASSERT_EQ(popup->actions().size(), 2);
    EXPECT_EQ(popup->actions().at(1)->text(), window->page_host().tr_pair(msg::kCopyAll));
    popup->actions().at(1)->trigger();
    popup->close();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("one\ntwo"));
    EXPECT_FALSE(terminal->receive_pane()->all_selected());

    // A line that arrives after the copy is drawn in the controller's blue, not highlighted.
    window->host().log_line("three", LogSource::Controller);
    const QColor highlight = terminal->receive_pane()->palette().color(QPalette::Highlight);
    EXPECT_EQ(pixels_of(terminal->receive_pane(), highlight), 0);
    EXPECT_GT(pixels_of(terminal->receive_pane(), kControllerLineColour), 0);
}

TEST_F(TerminalPageTest, ASelectionIsDrawnHighlightedAndEndsWithAClick) {
    window->host().log_line("two", LogSource::Controller);
    terminal->receive_pane()->select_all();
    const QColor highlight = terminal->receive_pane()->palette().color(QPalette::Highlight);
    EXPECT_GT(pixels_of(terminal->receive_pane(), highlight), 0);  // the check above can fail
    QTest::mouseClick(terminal->receive_pane()->viewport(), Qt::LeftButton);
    EXPECT_FALSE(terminal->receive_pane()->all_selected());
    EXPECT_EQ(pixels_of(terminal->receive_pane(), highlight), 0);
}

}  // namespace
}  // namespace ztv
