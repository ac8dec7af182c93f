#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/terminal_lines.h"

namespace ztv {
namespace {

struct Collector {
    void feed(TerminalLineAssembler& a, const std::string& text) {
        for (const char c : text) a.feed(c, [this](std::string_view line) { lines.emplace_back(line); });
    }
    std::vector<std::string> lines;
};

TEST(TerminalLines, CarriageReturnsDroppedAndEmptyLinesKept) {
    TerminalLineAssembler a;
    Collector c;
    c.feed(a, "one\r\n\ntwo\r");
    EXPECT_EQ(c.lines, (std::vector<std::string>{"one", ""}));
    EXPECT_EQ(a.pending(), 3u);
    c.feed(a, "\n");
    EXPECT_EQ(c.lines.back(), "two");
}

TEST(TerminalLines, PartialLineWaitsForTheRest) {
    TerminalLineAssembler a;
    Collector c;
    c.feed(a, "EV:1");
    EXPECT_TRUE(c.lines.empty());
    c.feed(a, "2 done\n");
    EXPECT_EQ(c.lines, (std::vector<std::string>{"EV:12 done"}));
    a.feed('x', nullptr);
    a.reset();
    c.feed(a, "y\n");
    EXPECT_EQ(c.lines.back(), "y");
}

TEST(TerminalLines, TenThousandCharactersGiveA9999LineAndDropOne) {
    TerminalLineAssembler a;
    Collector c;
    std::string text(9999, 'a');
    text += 'b';  // dropped: it ends the full line
    text += "cd\n";
    c.feed(a, text);
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_EQ(c.lines[0], std::string(9999, 'a'));
    EXPECT_EQ(c.lines[1], "cd");
}

TEST(TerminalLines, LateCommaEndsTheLineAfterIt) {
    TerminalLineAssembler a;
    Collector c;
    c.feed(a, std::string(9990, 'x') + ",rest\n");
    ASSERT_EQ(c.lines.size(), 2u);
    EXPECT_EQ(c.lines[0].size(), 9991u);
    EXPECT_EQ(c.lines[0].back(), ',');
    EXPECT_EQ(c.lines[1], "rest");
    Collector early;
    TerminalLineAssembler b;
    early.feed(b, std::string(9989, 'x') + ",y\n");
    ASSERT_EQ(early.lines.size(), 1u);
    EXPECT_EQ(early.lines[0].size(), 9991u);
}

TEST(TerminalLines, BinaryBytesPassThrough) {
    TerminalLineAssembler a;
    std::vector<std::string> lines;
    const std::uint8_t bytes[] = {0xC0, 0x00, 0xFF, '\n'};
    a.feed(bytes, [&](std::string_view line) { lines.emplace_back(line); });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string("\xC0\0\xFF", 3));
}

}  // namespace
}  // namespace ztv
