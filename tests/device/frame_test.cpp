#include <gtest/gtest.h>

#include "device/device_errors.h"
#include "device/frame.h"

namespace ztv {
namespace {

TEST(FrameChecksum, MatchesHandComputedValues) {
    Frame write;
    write.set_command(0x90);
    write.set_offset(632);
    write.set_length(1);
    write.payload()[0] = 0x05;
    write.seal();
    EXPECT_EQ(write.bytes[0], 1);
    EXPECT_EQ(write.checksum(), 0x1B);

    Frame status;
    status.set_command(0x01);
    EXPECT_EQ(frame_checksum(status.bytes), 0x3A);

    Frame counting;
    for (std::size_t i = 1; i < 69; ++i) counting.bytes[i] = static_cast<std::uint8_t>(i);
    EXPECT_EQ(frame_checksum(counting.bytes), 0xC2);
}

TEST(FrameChecksum, IgnoresReportIdAndChecksumBytes) {
    Frame a;
    a.set_command(0x10);
    Frame b = a;
    b.bytes[0] = 7;
    b.bytes[69] = 0x99;
    EXPECT_EQ(frame_checksum(a.bytes), frame_checksum(b.bytes));
}

TEST(FrameChecksum, IntactNeedsLengthWithinPayload) {
    Frame reply;
    reply.set_command(0x90);
    reply.set_length(64);
    reply.seal();
    EXPECT_TRUE(reply.intact());
    reply.set_length(65);
    reply.seal();  // checksum right, length not
    EXPECT_FALSE(reply.intact());
    reply.set_length(3);
    reply.seal();
    reply.bytes[20] ^= 1;
    EXPECT_FALSE(reply.intact());
}

TEST(FrameOffset, CarriesOnlyLow16Bits) {
    Frame frame;
    frame.set_offset(65536 + 12);
    EXPECT_EQ(frame.offset(), 12);
}

TEST(ErrorText, TableAndUnknownCodes) {
    EXPECT_EQ(error_text(0).en, "No errors");
    EXPECT_EQ(error_text(1).en, "Error loading driver HID.DLL");
    EXPECT_EQ(error_text(2).en, "There is no function in the driver HID.DLL");
    for (int code = 3; code <= 11; ++code) EXPECT_EQ(error_text(code).en, "Failed to communicate with the controller");
    EXPECT_EQ(error_text(12).en, "Controller is disconnected");
    EXPECT_EQ(error_text(13).en, "Out of the timeout response");
    EXPECT_EQ(error_text(-254).en, "Error in parameters");
    EXPECT_EQ(error_text(-253).en, "Failed result");
    EXPECT_EQ(error_text(-100).en, "Unknown error USB: -100");
    EXPECT_EQ(error_text(-100).ru, "Неизвестная ошибка USB: -100");
    for (int code : {0, 1, 2, 3, 12, 13, -254, -253}) EXPECT_FALSE(error_text(code).ru.empty()) << code;
}

TEST(ErrorText, WithErrorTextFillsEachLanguage) {
    const Text text = with_error_text({"Сбой\n%s", "Failure\n%s"}, 12);
    EXPECT_EQ(text.en, "Failure\nController is disconnected");
    EXPECT_EQ(text.ru, "Сбой\nКонтроллер отключён");
}

}  // namespace
}  // namespace ztv
