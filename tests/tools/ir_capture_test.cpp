// Fetching the last infrared code from the simulated controller, with every message.
#include "tools/ir_capture.h"

#include <gtest/gtest.h>

#include "support/sim_world.h"

namespace ztv {
namespace {

using Status = IrCaptureResult::Status;

struct IrCapture : ::testing::Test {
    IrCapture() { EXPECT_TRUE(world.connect()); }
    test::SimWorld world;
};

TEST_F(IrCapture, WithoutAControllerNothingIsAsked) {
    world.sim.set_ir_code(0x0120FF45);
    const std::uint64_t requests_before = world.sim.requests();
    const IrCaptureResult result = fetch_ir_code(world.protocol, false);
    EXPECT_EQ(result.status, Status::Failed);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].type, kBoxError);
    EXPECT_EQ(world.host.boxes[0].text.en, "Controller is disconnected");
    EXPECT_EQ(world.sim.requests(), requests_before);
}

TEST_F(IrCapture, TheLastReceivedCodeComesBackWhole) {
    world.sim.set_ir_code(0x3C04D238);
    const IrCaptureResult result = fetch_ir_code(world.protocol, true);
    EXPECT_EQ(result.status, Status::Code);
    EXPECT_EQ(result.code, 0x3C04D238u);
    EXPECT_TRUE(world.host.boxes.empty());
    EXPECT_TRUE(world.host.flashes.empty());
}

TEST_F(IrCapture, NoCodeIsABlinkingNoticeForTwoAndAHalfSeconds) {
    const IrCaptureResult result = fetch_ir_code(world.protocol, true);
    EXPECT_EQ(result.status, Status::NoCode);
    ASSERT_EQ(world.host.flashes.size(), 1u);
    EXPECT_EQ(world.host.flashes[0].text.en, "No Infrared code");
    EXPECT_EQ(world.host.flashes[0].duration_ms, 2500);
    EXPECT_EQ(world.host.flashes[0].blink_ms, 250);
    EXPECT_TRUE(world.host.boxes.empty());
}

TEST_F(IrCapture, AFailedReadNamesTheError) {
    world.sim.set_ir_code(0x0120FF45);
    world.sim.inject(sim::FaultPlan(sim::Fault::AnswerFailed, 0, 1, block::kIrCapture));
    const IrCaptureResult result = fetch_ir_code(world.protocol, true);
    EXPECT_EQ(result.status, Status::Failed);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_EQ(world.host.boxes[0].type, kBoxError);
    EXPECT_TRUE(world.host.boxes[0].text.en.starts_with("Failed to get IR code\n")) << world.host.boxes[0].text.en;
    EXPECT_GT(world.host.boxes[0].text.en.size(), std::string("Failed to get IR code\n").size());
    EXPECT_TRUE(world.host.boxes[0].text.ru.starts_with("Не удалось получить ИК-код\n"));
}

TEST_F(IrCapture, AnUnpluggedControllerIsAFailureToo) {
    world.sim.unplug();
    EXPECT_EQ(fetch_ir_code(world.protocol, true).status, Status::Failed);
    ASSERT_EQ(world.host.boxes.size(), 1u);
    EXPECT_TRUE(world.host.boxes[0].text.en.starts_with("Failed to get IR code\n"));
}

}  // namespace
}  // namespace ztv
