#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/commands.h"

namespace ztv::cli {
namespace {

struct Outcome {
    int status;
    std::string out;
};

// Runs decode-debug with `input` on its standard input.
template <std::size_t N>
Outcome decode(const std::string& input, const std::array<std::string_view, N>& args) {
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    EXPECT_NE(in, nullptr);
    EXPECT_NE(out, nullptr);
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    testing::internal::CaptureStderr();
    const int status = decode_debug(in, out, Args(args.data(), args.size()));
    testing::internal::GetCapturedStderr();
    std::rewind(out);
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, out)) > 0) text.append(buffer, got);
    std::fclose(in);
    std::fclose(out);
    return {status, text};
}

const std::array<std::string_view, 0> kNoArgs{};

TEST(DecodeDebugCommand, RewritesEveryLineAndKeepsTheOthers) {
    const Outcome r = decode("boot ok\n12 LIN rx EV:29 ok\n SW VW EV:3\n\n", kNoArgs);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "boot ok\n12 LIN rx EV:VOL UP ok\n SW VW EV:ACC ON\n\n");
}

TEST(DecodeDebugCommand, RussianNamesOnRequest) {
    const Outcome r = decode(" SW VW EV:3\n", std::array<std::string_view, 2>{"--lang", "ru"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, " SW VW EV:ACC ВКЛ\n");
    EXPECT_EQ(decode(" SW VW EV:3\n", std::array<std::string_view, 2>{"--lang", "en"}).out, " SW VW EV:ACC ON\n");
}

TEST(DecodeDebugCommand, LastLineWithoutNewlineAndCarriageReturns) {
    EXPECT_EQ(decode(" HK EV:3", kNoArgs).out, " HK EV:KEY 3");
    EXPECT_EQ(decode(" HK EV:3\r\n HK EV:4\r\n", kNoArgs).out, " HK EV:KEY 3\r\n HK EV:KEY 4\r\n");
}

TEST(DecodeDebugCommand, LinesAcrossReadBuffersAreWhole) {
    std::string input;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        input += "line " + std::to_string(i) + " LIN x EV:29\n";
        expected += "line " + std::to_string(i) + " LIN x EV:VOL UP\n";
    }
    const Outcome r = decode(input, kNoArgs);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expected);
}

TEST(DecodeDebugCommand, OverlongLinesPassUnchanged) {
    const std::string huge = " LIN  EV:29" + std::string((1 << 20) + 10, 'x');
    const Outcome r = decode(huge + "\n LIN  EV:29\n", kNoArgs);
    EXPECT_EQ(r.out, huge + "\n LIN  EV:VOL UP\n");
}

TEST(DecodeDebugCommand, BytesAreCopiedAsTheyCome) {
    const std::string input("a\0b LIN  EV:1\xff\n", 15);
    EXPECT_EQ(decode(input, kNoArgs).out, std::string("a\0b LIN  EV:KEY 1\xff\n", 19));
}

TEST(DecodeDebugCommand, BadArgumentsAreRefused) {
    EXPECT_EQ(decode("x\n", std::array<std::string_view, 2>{"--lang", "de"}).status, 2);
    EXPECT_EQ(decode("x\n", std::array<std::string_view, 1>{"--lang"}).status, 2);
    EXPECT_EQ(decode("x\n", std::array<std::string_view, 1>{"file"}).status, 2);
}

TEST(DecodeDebugCommand, IsListedInTheTool) {
    bool found = false;
    for (const Command& command : all_commands())
        if (std::string_view(command.name) == "decode-debug") found = command.run == decode_debug_command;
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace ztv::cli
