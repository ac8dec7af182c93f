#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "app/setup_options.h"
#include "common/host.h"

namespace ztv {
namespace {

ParsedSetupOptions parse(std::vector<std::string_view> args) { return parse_setup_options(args); }

TEST(SetupOptions, EverythingAPictureRunNeeds) {
    const auto parsed = parse({"--simulate", "--lang", "en", "--page", "canlog", "--screenshot", "/tmp/x.png",
                               "--after=250"});
    ASSERT_FALSE(parsed.error) << parsed.error->en;
    const SetupOptions& o = parsed.options;
    EXPECT_TRUE(o.simulate);
    EXPECT_EQ(o.lang, 1);
    EXPECT_EQ(o.page, 2);
    EXPECT_EQ(o.screenshot, "/tmp/x.png");
    EXPECT_TRUE(o.unattended());
    EXPECT_EQ(o.screenshot_delay_ms(), 250);
}

TEST(SetupOptions, NothingGivenLeavesTheSettingsInCharge) {
    const auto parsed = parse({});
    ASSERT_FALSE(parsed.error);
    EXPECT_FALSE(parsed.options.lang);
    EXPECT_FALSE(parsed.options.page);
    EXPECT_FALSE(parsed.options.unattended());
    EXPECT_EQ(parse({"--screenshot", "a.png"}).options.screenshot_delay_ms(), 1500);
    EXPECT_EQ(parse({"--lang", "ru"}).options.lang, 0);
    EXPECT_EQ(parse({"--page", "terminal"}).options.page, 0);
    EXPECT_EQ(parse({"--page", "parameters"}).options.page, 1);
    EXPECT_EQ(parse({"--lang", "EN"}).options.lang, 1);
    EXPECT_EQ(parse({"--page=CanLog"}).options.page, 2);
}

TEST(SetupOptions, ValuesThatWouldBeIgnoredOrRunForEverAreRefused) {
    for (const auto& args : std::vector<std::vector<std::string_view>>{
             {"--screenshot", ""},
             {"--screenshot"},
             {"--screenshot", "a.png", "--after", "-1"},
             {"--screenshot", "a.png", "--after", "600001"},
             {"--screenshot", "a.png", "--after", "99999999999999999999"},
             {"--screenshot", "a.png", "--after", "soon"},
             {"--after", "100"},  // no picture to wait for
             {"--lang", "xx"},
             {"--lang", "EN "},
             {"--page", "settings"},
             {"--page", ""},
             {"--bogus"},
             {"one.ZTV", "two.ZTV"},  // one configuration at a time
             {""},
         }) {
        const auto parsed = parse(args);
        EXPECT_TRUE(parsed.error) << args.size() << " arguments starting " << args[0];
    }
    EXPECT_EQ(parse({"--lang", "xx"}).error->en, "--lang must be one of ru, en, not 'xx'");
    EXPECT_FALSE(parse({"--screenshot", "a.png", "--after", "600000"}).error);
    EXPECT_FALSE(parse({"--screenshot", "a.png", "--after", "0"}).error);
}

TEST(SetupOptions, AFileManagersFileIsOpenedAtStart) {
    EXPECT_EQ(parse({"/home/me/car.ZTV"}).options.config_file, "/home/me/car.ZTV");
    const auto parsed = parse({"--simulate", "car.ztv", "--lang", "en"});
    ASSERT_FALSE(parsed.error) << parsed.error->en;
    EXPECT_EQ(parsed.options.config_file, "car.ztv");
    EXPECT_TRUE(parsed.options.simulate);
    EXPECT_EQ(parsed.options.lang, 1);
    // A file whose name starts like an option comes after "--".
    EXPECT_EQ(parse({"--", "--odd.ZTV"}).options.config_file, "--odd.ZTV");
    EXPECT_FALSE(parse({}).options.config_file);
    EXPECT_NE(setup_usage().find("FILE.ZTV"), std::string::npos);
}

TEST(SetupOptions, SimulatedCanFramesFromAFile) {
    const auto parsed = parse({"--simulate", "--sim-can", "bus.txt"});
    ASSERT_FALSE(parsed.error);
    EXPECT_EQ(parsed.options.sim_can, std::optional<std::string>("bus.txt"));
    EXPECT_TRUE(parse({"--simulate", "--sim-can", ""}).error);
    EXPECT_TRUE(parse({"--simulate", "--sim-can"}).error);
}

TEST(SetupOptions, SlotPicksOneOfTheEightySlots) {
    EXPECT_EQ(parse({"--slot", "1"}).options.slot, 1);
    EXPECT_EQ(parse({"--slot=80"}).options.slot, 80);
    EXPECT_FALSE(parse({}).options.slot);
    for (const char* bad : {"0", "81", "-3", "", "five", "12x", "99999999999999999999"})
        EXPECT_TRUE(parse({"--slot", bad}).error) << "'" << bad << "'";
    EXPECT_EQ(parse({"--slot", "81"}).error->en, "--slot must be a slot number from 1 to 80, not '81'");
}

TEST(SetupOptions, WindowPicksAToolWindowForTheScreenshotOnly) {
    EXPECT_EQ(parse({"--window", "keys", "--screenshot", "a.png"}).options.window, kWindowKeyPicker);
    EXPECT_EQ(parse({"--screenshot", "a.png", "--window=IrCode"}).options.window, kWindowIrCode);
    EXPECT_FALSE(parse({"--screenshot", "a.png"}).options.window);
    EXPECT_EQ(parse({"--window", "keys"}).error->en, "--window only works with --screenshot");
    EXPECT_EQ(parse({"--screenshot", "a.png", "--window", "main"}).error->en,
              "--window must be one of keys, ircode, compare, backups, not 'main'");
    EXPECT_TRUE(parse({"--screenshot", "a.png", "--window", ""}).error);
}

TEST(SetupOptions, ParameterPageAndWindowSizeForPictures) {
    EXPECT_EQ(parse({"--param-page", "1"}).options.param_page, 1);
    EXPECT_EQ(parse({"--param-page=25"}).options.param_page, 25);
    for (const char* bad : {"0", "26", "-1", "", "keys"})
        EXPECT_TRUE(parse({"--param-page", bad}).error) << "'" << bad << "'";
    const SetupOptions sized = parse({"--size", "1280x800"}).options;
    EXPECT_EQ(sized.width, 1280);
    EXPECT_EQ(sized.height, 800);
    EXPECT_EQ(parse({"--size=1024X720"}).options.height, 720);
    EXPECT_FALSE(parse({}).options.width);
    // Smaller than the designed size, beyond any screen, or not two numbers.
    for (const char* bad : {"800x600", "1024x719", "9000x800", "1280x99999999999999999999", "1280", "x800", "1280x",
                            "1280x800x2", "1280*800", "", "-1280x800"})
        EXPECT_TRUE(parse({"--size", bad}).error) << "'" << bad << "'";
    EXPECT_EQ(parse({"--size", "640x480"}).error->en,
              "--size must be WIDTHxHEIGHT from 1024x720 to 8192x8192, not '640x480'");
}

TEST(SetupOptions, UsageNamesEveryOption) {
    const std::string usage = setup_usage();
    for (const char* name : {"--simulate", "--lang ru|en", "--page terminal|parameters|canlog", "--screenshot FILE",
                             "--slot N", "--after MS", "--sim-can FILE", "--window keys|ircode|compare|backups", "--param-page N",
                             "--size WxH", "--help", "--version"})
        EXPECT_NE(usage.find(name), std::string::npos) << name;
}

TEST(SetupOptions, UnattendedBoxesTakeTheButtonTheBoxWouldDefaultTo) {
    EXPECT_EQ(unattended_answer(kBoxError), kIdOk);
    EXPECT_EQ(unattended_answer(kBoxInformation), kIdOk);
    EXPECT_EQ(unattended_answer(0), kIdOk);
    EXPECT_EQ(unattended_answer(kBoxQuestion | kBoxDefaultSecond), kIdNo);
    EXPECT_EQ(unattended_answer(kBoxWarning | kBoxDefaultSecond), kIdNo);
    EXPECT_EQ(unattended_answer(kBoxWarning), kIdYes);
}

TEST(SetupOptions, QtsOwnOptionsAreLeftToQt) {
    const std::vector<std::string_view> args = {"-platform", "offscreen", "--lang", "en", "-style=Fusion", "-reverse",
                                                "--style", "Fusion", "--platform=x", "a.ztv"};
    // Only the style takes its value in the same word; "--platform=x" is not Qt's and is refused.
    EXPECT_EQ(without_qt_options(args), (std::vector<std::string_view>{"--lang", "en", "--platform=x", "a.ztv"}));
}

}  // namespace
}  // namespace ztv
