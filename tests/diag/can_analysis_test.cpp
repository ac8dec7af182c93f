// Change tracking, byte history, background learning and the can-utils log, without a display.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "diag/can_background.h"
#include "diag/can_byte_history.h"
#include "diag/can_changes.h"
#include "diag/candump_log.h"
#include "support/temp_dir.h"

namespace ztv {
namespace {

CanFrame std_frame(std::uint32_t id, std::vector<std::uint8_t> data, std::uint32_t stamp = 0) {
    return CanFrame::make(id << kCanStandardShift, false, data, stamp);
}

TEST(CanChanges, ChangedBytesFadeOverTwoSecondsAndKeepTheirBits) {
    CanChangeTracker t;
    const std::vector<std::uint8_t> a{0x00, 0x10}, b{0x01, 0x10}, c{0x03, 0x10, 0x07};
    t.note(4, a, b, 1000);
    EXPECT_EQ(t.heat(4, 0, 1000), 255);
    EXPECT_EQ(t.heat(4, 1, 1000), 0);  // unchanged
    EXPECT_GT(t.heat(4, 0, 2000), 0);
    EXPECT_LT(t.heat(4, 0, 2000), 255);
    EXPECT_EQ(t.recent_bits(4, 0, 2000), 0x01);
    // A change while the last still shows adds its bits; a longer frame shows its new byte.
    t.note(4, b, c, 2500);
    EXPECT_EQ(t.recent_bits(4, 0, 2500), 0x03);
    EXPECT_EQ(t.recent_bits(4, 2, 2500), 0x07);
    EXPECT_EQ(t.heat(4, 0, 4500), 0);
    EXPECT_EQ(t.recent_bits(4, 0, 4500), 0);
    EXPECT_FALSE(t.fading(4, 4500));
    EXPECT_EQ(t.heat(9999, 0, 0), 0);  // rows never noted are quiet
}

TEST(CanByteHistoryTest, KeepsChangesWithinTheWindowAndStaysBounded) {
    CanByteHistory h;
    h.note(0, std_frame(1, {5}, 10), 1000);
    h.note(0, std_frame(1, {5}, 20), 1100);  // same data: no sample
    h.note(0, std_frame(1, {6}, 30), 2000);
    h.note(0, std_frame(1, {7}, 40), 70000);
    auto w = h.window(0, 70000);
    // The window starts with the value that held at its left edge (6, from 2000 ms).
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0].data[0], 6);
    EXPECT_EQ(w[0].stamp_ms, 30u);
    EXPECT_EQ(w[1].data[0], 7);
    // A busy identifier keeps at most kMaxSamples, the newest.
    for (std::uint32_t i = 0; i < 3 * CanByteHistory::kMaxSamples; ++i)
        h.note(1, std_frame(2, {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8)}, i), 100 + i);
    w = h.window(1, 100 + 3 * CanByteHistory::kMaxSamples);
    ASSERT_EQ(w.size(), CanByteHistory::kMaxSamples);
    EXPECT_EQ(w.back().stamp_ms, 3 * CanByteHistory::kMaxSamples - 1);
    EXPECT_LE(h.samples_held(), CanByteHistory::kMaxSamples + 8);
    h.clear();
    EXPECT_TRUE(h.window(1, 0).empty());
}

TEST(CanBackgroundTest, ReportsOnlyBitsThatChangeOutsideTheLearnedBackground) {
    CanBackground bg;
    EXPECT_EQ(bg.observe(std_frame(0x100, {1})), CanBits{});  // nothing learned: no news
    bg.start_learning(5000);
    for (std::uint8_t i = 0; i < 8; ++i) {
        EXPECT_EQ(bg.observe(std_frame(0x100, {i, 0x40})), CanBits{});  // a counter in bits 0-2
        bg.observe(std_frame(0x200, {0x00}));
    }
    EXPECT_EQ(bg.learning_seconds(7999), 2u);
    bg.stop_learning();
    EXPECT_EQ(bg.background_bit_count(), 3u);
    EXPECT_EQ(bg.observe(std_frame(0x100, {0x03, 0x40})), CanBits{});  // only the counter moved
    CanBits want{};
    want[1] = 0x02;
    EXPECT_EQ(bg.observe(std_frame(0x100, {0x04, 0x42})), want);  // byte 1, bit 1: news
    want = {};
    want[0] = 0x08;
    EXPECT_EQ(bg.observe(std_frame(0x200, {0x08})), want);
    EXPECT_TRUE(bg.has_new(std_frame(0x200, {}).key()));
    EXPECT_EQ(bg.new_bits(std_frame(0x100, {}).key())[1], 0x02);
    // An identifier the background never saw: its first frame is news as a whole.
    want = {};
    want[0] = 0x81;
    EXPECT_EQ(bg.observe(std_frame(0x5C0, {0x81})), want);
    // Learning again forgets.
    bg.start_learning(9000);
    EXPECT_FALSE(bg.has_new(std_frame(0x200, {}).key()));
    EXPECT_EQ(bg.identifiers(), 0u);
}

// A temperature seen creeping up while learning keeps creeping into bits never seen to change,
// and a counter wraps: both stay background; a button's bit beside the counter is news.
TEST(CanBackgroundTest, SlowlyVaryingValuesStayBackgroundAfterLearning) {
    CanBackground bg;
    bg.start_learning(0);
    for (std::uint8_t i = 0; i < 12; ++i) bg.observe(std_frame(0x100, {static_cast<std::uint8_t>(0x50 + i / 4), i}));
    bg.stop_learning();
    CanBits news{};
    for (std::uint8_t i = 12; i < 80; ++i) {  // 0x53 to 0x63, the counter past 0x0F and 0x3F
        const CanBits bits = bg.observe(std_frame(0x100, {static_cast<std::uint8_t>(0x50 + i / 4), i}));
        for (std::size_t b = 0; b < kCanMaxData; ++b) news[b] |= bits[b];
    }
    EXPECT_EQ(news, CanBits{});
    CanBits want{};
    want[0] = 0x40;  // a jump far beyond the learned steps
    EXPECT_EQ(bg.observe(std_frame(0x100, {0x23, 80})), want);
    want = {};
    want[1] = 0x80;  // a button's bit, the counter moving on beside it
    EXPECT_EQ(bg.observe(std_frame(0x100, {0x23, 81 | 0x80})), want);
}

// The sample recording: its first 20 s learned as the background, the rest shows the
// steering-wheel button's bit and nothing else, though temperatures and counters move on.
TEST(CanBackgroundTest, SampleLogFindsTheSteeringWheelButton) {
    const CandumpRead read = read_candump(test::read_text(ZTV_SAMPLES_DIR "/steering_wheel_button.log"));
    ASSERT_EQ(read.error, "");
    ASSERT_GT(read.frames.size(), 500u);
    CanBackground bg;
    bg.start_learning(0);
    const std::uint32_t first = read.frames.front().stamp_ms();
    std::set<CanKey> with_news;
    for (const CanFrame& frame : read.frames) {
        if (frame.stamp_ms() - first >= 20000) bg.stop_learning();
        if (bg.observe(frame) != CanBits{}) with_news.insert(frame.key());
    }
    const CanKey button = std_frame(0x5C0, {}).key();
    EXPECT_EQ(with_news, std::set<CanKey>{button});
    EXPECT_EQ(bg.new_bits(button)[0], 0x04);
}

TEST(Candump, LinesAsCanUtilsWritesThem) {
    EXPECT_EQ(candump_line(std_frame(0x123, {0x01, 0xAB}, 1234567)), "(1234.567000) ztv0 123#01AB");
    EXPECT_EQ(candump_line(CanFrame::make(0x18DA00F1, true, {}, 5)), "(0.005000) ztv0 18DA00F1#");
    // The extended flag decides, not the bits of the word (an extended 0x1A0 stays extended).
    EXPECT_EQ(candump_id(CanFrame::make(0x1A0, true, {}, 0)), "000001A0");
}

// A log stamped with the time of day starts at 0 instead of wrapping the controller's 32-bit
// clock; a time that goes back, or leaps ahead by a year, follows the frame before at once.
TEST(Candump, TimeOfDayStartsAtZeroAndNeverGoesBackOrLeapsAhead) {
    const CandumpRead read = read_candump(
        "(1718607600.002937) can0 0C9#00\n(1718607600.010924) can0 5C0#00\n(1718607599.000000) can0 001#\n"
        "(1750143600.000000) can0 002#\n(1750143600.100000) can0 003#\n");
    ASSERT_EQ(read.error, "");
    std::vector<std::uint32_t> stamps;
    for (const CanFrame& frame : read.frames) stamps.push_back(frame.stamp_ms());
    EXPECT_EQ(stamps, (std::vector<std::uint32_t>{0, 7, 7, 7, 107}));
}

TEST(Candump, ReadsWhatItWritesAndNamesTheLineOfABadOne) {
    const std::string text = "(1.000000) ztv0 123#0102\n\n(3000.500000) can0 18DA00F1#\r\n(3001.000000) x 7FF#ff\n";
    const CandumpRead read = read_candump(text);
    ASSERT_TRUE(read.error.empty()) << read.error;
    ASSERT_EQ(read.frames.size(), 3u);
    EXPECT_EQ(candump_line(read.frames[0]), "(1.000000) ztv0 123#0102");
    EXPECT_EQ(candump_line(read.frames[1]), "(3000.500000) ztv0 18DA00F1#");
    EXPECT_EQ(read.frames[2].stamp_ms(), 3001000u);
    EXPECT_EQ(read.frames[2].data()[0], 0xFF);

    const std::pair<const char*, const char*> bad[] = {
        {"123#01", "line 1: expected (SECONDS.MICROSECONDS) IFACE ID#DATA"},
        {"(1.0) ztv0 123#01", "line 1: the time is not SECONDS.MICROSECONDS with six decimals"},
        {"(1.000000) ztv0 1234#01", "line 1: the identifier is not three (standard) or eight (extended) hexadecimal digits"},
        {"(1.000000) ztv0 800#01", "line 1: the identifier is above 7FF"},
        {"(1.000000) ztv0 123#010", "line 1: the data has an odd number of hexadecimal digits"},
        {"(1.000000) ztv0 123#010203040506070809", "line 1: more than 8 data bytes"},
        {"(1.000000) ztv0 123#R", "line 1: remote frames are not supported"},
        {"(1.000000) ztv0 123##1", "line 1: CAN FD frames are not supported"},
        {"(1.000000) ztv0 20000001#", "line 1: error frames are not supported"},
        {"(1.000000) ztv0 123#0G", "line 1: the data is not hexadecimal"},
        {"(1.000000) ztv0 123#01 X", "line 1: after the frame only the direction R or T may follow"},
        {"(1.000000) ztv0 123#1.2", "line 1: a dot splits a data byte"},
        {"(1.000000) ztv0 123#11..22", "line 1: two dots in a row in the data"},
        {"(1.000000) ztv0 123#11_9", "line 1: a length code after '_' needs 8 data bytes"},
        {"(1.000000) ztv0 123#1122334455667788_8", "line 1: the length code after '_' is not one hexadecimal digit from 9 to F"},
        {"(1.000000) ztv0", "line 1: expected IFACE ID#DATA after the time"},
    };
    for (const auto& [line, why] : bad) EXPECT_EQ(read_candump(line).error, why) << line;
    const CandumpRead third = read_candump("(1.000000) ztv0 123#\n(2.000000) ztv0 124#\n(x) ztv0 1#\n");
    EXPECT_EQ(third.error, "line 3: the time is not SECONDS.MICROSECONDS with six decimals");
    EXPECT_TRUE(third.frames.empty());
}

// The classic frames can-utils' documentation shows, as candump -l and -x write them, with a
// comment first: each is read, and log2asc (where installed) reads the same identifier and
// bytes from the same line. Remote, FD and error frames are refused with their line and reason.
TEST(Candump, ReadsTheClassicFramesCanUtilsDocuments) {
    const std::string log =
        "# recorded in the car\n"
        "(1.000000) can0 5A1#11.2233.44556677.88\n"
        "(1.100000) can0 123#DEADBEEF\n"
        "(1.200000) can0 5AA#\n"
        "  # a comment further on\n"
        "(1.300000) can0 1F334455#1122334455667788_B\n"
        "(1.400000) can0 123#DEADBEEF R\n"
        "(1.500000) can0 0C1#.0a.0B. T \n";
    EXPECT_TRUE(is_candump_log(log)) << "a comment first does not make it the other replay format";
    EXPECT_FALSE(is_candump_log("# replay\n1000 S 123 0\n"));
    const CandumpRead read = read_candump(log);
    ASSERT_EQ(read.error, "");
    // As log2asc prints a frame: identifier (x: extended), d, length, bytes.
    std::string ours;
    for (const CanFrame& frame : read.frames) {
        char id[16];
        std::snprintf(id, sizeof id, "%lX%s", std::stoul(candump_id(frame), nullptr, 16), frame.extended() ? "x" : "");
        ours += std::string(id) + " d " + std::to_string(frame.data().size());
        for (const std::uint8_t byte : frame.data()) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02X", byte);
            ours += hex;
        }
        ours += '|';
    }
    EXPECT_EQ(ours, "5A1 d 8 11 22 33 44 55 66 77 88|123 d 4 DE AD BE EF|5AA d 0|1F334455x d 8 11 22 33 44 55 66 77 88|"
                    "123 d 4 DE AD BE EF|C1 d 2 0A 0B|");

    const std::pair<const char*, const char*> refused[] = {
        {"123#R", "remote frames are not supported"},
        {"00000123#R3", "remote frames are not supported"},
        {"333#R8_E", "remote frames are not supported"},
        {"40000123#11", "remote frames are not supported"},
        {"123##1", "CAN FD frames are not supported"},
        {"213##311223344", "CAN FD frames are not supported"},
        {"20000080#0000000000000000", "error frames are not supported"},
    };
    for (const auto& [frame, why] : refused)
        EXPECT_EQ(read_candump("# c\n(1.000000) can0 123#\n(2.000000) can0 " + std::string(frame) + "\n").error,
                  std::string("line 3: ") + why);

#ifdef _WIN32
    GTEST_SKIP() << "log2asc is a Linux program (can-utils); Windows cannot run it";
#else
    if (!std::filesystem::exists("/usr/bin/log2asc")) GTEST_SKIP() << "log2asc (can-utils) is not installed";
    test::TempDir dir;
    test::write_text(dir.file("car.log"), log);
    const std::string command = "log2asc -I " + dir.file("car.log") + " can0 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string theirs;
    char line[256];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        // "   1.100000 1  123             Rx   d 4 DE AD BE EF"
        const std::string text(line);
        const std::size_t rx = text.find(" Rx ") != std::string::npos ? text.find(" Rx ") : text.find(" Tx ");
        if (rx == std::string::npos) continue;
        char id[16] = {};
        std::sscanf(text.c_str(), "%*s %*s %15s", id);
        std::string rest = text.substr(rx + 4);
        rest.erase(0, rest.find_first_not_of(' '));
        while (!rest.empty() && (rest.back() == '\n' || rest.back() == ' ')) rest.pop_back();
        theirs += std::string(id) + " " + rest + "|";
    }
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(theirs, ours);
#endif
}

}  // namespace
}  // namespace ztv
