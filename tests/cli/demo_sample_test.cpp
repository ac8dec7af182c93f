// samples/demo.ZTV is the first file a new user opens: it must be exactly what the program's
// writer makes of the demo configuration, load again, and describe sensibly in both languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "cli/commands.h"
#include "command_run.h"
#include "config/config_file.h"
#include "config/field_table.h"
#include "config/pin_occupation.h"
#include "config/pin_rules.h"
#include "demo_configuration.h"
#include "support/temp_dir.h"

namespace ztv::cli {
namespace {

const std::string kSample = ZTV_SAMPLES_DIR "/demo.ZTV";

CommandOutcome describe(std::string_view lang) {
    const std::array<std::string_view, 3> args{kSample, "--lang", lang};
    return run_command(run_describe, args);
}

TEST(DemoSample, IsWhatTheWriterMakesOfTheDemoConfiguration) {
    const ConfigState demo = samples::demo_configuration();
    IniDocument doc;
    write_config(doc, demo.record, demo.touch, demo.slot_names);
    EXPECT_EQ(test::read_text(kSample), doc.serialize())
        << "samples/demo.ZTV is out of date: run  ztv-make-demo samples/demo.ZTV";

    ConfigState loaded;
    ASSERT_EQ(load_config_file(kSample, loaded), ConfigFileStatus::Ok);
    EXPECT_EQ(loaded.record.raw, demo.record.raw);
    EXPECT_EQ(loaded.slot_names, demo.slot_names);
    // Saving it over again changes nothing.
    test::TempDir dir;
    const std::string copy = dir.file("demo.ZTV");
    test::write_text(copy, test::read_text(kSample));
    ASSERT_EQ(save_config_file(copy, loaded), FileWriteStatus::Ok);
    EXPECT_EQ(test::read_text(copy), test::read_text(kSample));
}

// Nine named slots of five kinds of event and three kinds of reaction, none switched off,
// none without its key or code.
TEST(DemoSample, EverySlotMeansSomethingInEnglish) {
    const CommandOutcome r = describe("en");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "1* (Volume up)\n"
              "  event: Button\n"
              "  trigger: Any\n"
              "  once: on\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  key: Enc1+\n"
              "  reaction: USB key\n"
              "  usb: ConsumerPage:VOL+\n"
              "2* (Volume down)\n"
              "  event: Button\n"
              "  trigger: Any\n"
              "  once: on\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  key: Enc1-\n"
              "  reaction: USB key\n"
              "  usb: ConsumerPage:VOL-\n"
              "3* (Next track)\n"
              "  event: Button\n"
              "  trigger: Short\n"
              "  once: off\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  key: NEXT\n"
              "  reaction: USB key\n"
              "  usb: ConsumerPage:NEXT TRACK\n"
              "4* (Previous track)\n"
              "  event: Button\n"
              "  trigger: Short\n"
              "  once: off\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  key: PREV\n"
              "  reaction: USB key\n"
              "  usb: ConsumerPage:PREV TRACK\n"
              "5* (Mute)\n"
              "  event: Button\n"
              "  trigger: Long\n"
              "  once: on\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  key: NEXT\n"
              "  reaction: USB key\n"
              "  usb: ConsumerPage:MUTE\n"
              "6* (Next source)\n"
              "  event: Button\n"
              "  trigger: Short\n"
              "  once: off\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  key: MODE\n"
              "  reaction: Source\n"
              "  skip: Skip:  3\n"
              "  params: next\n"
              "7* (Home screen)\n"
              "  event: Button\n"
              "  trigger: Long\n"
              "  once: on\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  key: VOICE\n"
              "  reaction: USB key\n"
              "  usb: ConsumerPage:HOME\n"
              "8* (Rear camera)\n"
              "  event: Voltage\n"
              "  trigger: Any\n"
              "  once: on\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  params: VIN1 - X5/9, >\n"
              "  reaction: Pin\n"
              "  params: X4/2, Full control\n"
              "9* (Remote OK)\n"
              "  event: IR code\n"
              "  trigger: Short\n"
              "  once: off\n"
              "  wakeup: off\n"
              "  source: Any\n"
              "  ir: NEC 255/28\n"
              "  reaction: USB key\n"
              "  usb: ConsumerPage:PLAY/PAUSE\n");
}

TEST(DemoSample, EverySlotMeansSomethingInRussian) {
    const CommandOutcome en = describe("en");
    const CommandOutcome r = describe("ru");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), std::count(en.out.begin(), en.out.end(), '\n'));
    EXPECT_EQ(r.out.rfind("1* (Volume up)\n"
                          "  событие: Кнопка\n"
                          "  срабатывание: Любое\n"
                          "  однократно: вкл\n"
                          "  пробуждение: выкл\n"
                          "  источник: Любой\n"
                          "  кнопка: Enc1+\n"
                          "  реакция: USB клавиша\n"
                          "  клавиша USB: ConsumerPage:VOL+\n",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("  реакция: Источник\n  пропуск: Пропуск:  3\n  параметры: следующий\n"), std::string::npos);
    EXPECT_NE(r.out.find("  событие: Напряжение\n"), std::string::npos);
    EXPECT_NE(r.out.find("  параметры: X4/2, Полное управление\n"), std::string::npos);
    EXPECT_NE(r.out.find("  событие: ИК код\n"), std::string::npos);
    for (const char* nothing : {"Отключено", "Не задан", "?"}) EXPECT_EQ(r.out.find(nothing), std::string::npos);
}

// The pins the sample uses are set up as the pages require, so opening it raises no warning.
TEST(DemoSample, ItsPinsAgreeWithThePinRules) {
    const ConfigState demo = samples::demo_configuration();
    EXPECT_TRUE(occupy(demo.record).resets.empty());
    for (const FieldId id : {FieldId::ENC0MODE, FieldId::IRINP_NUM}) {
        const PinCheck check = check_pin_change(demo.record, id, get_field(demo.record, id));
        EXPECT_TRUE(check.accepted && check.message.empty()) << field(id).key << ": " << check.message.en;
    }
    const auto camera = demo.record.slot(7);
    const PinCheck output = check_reaction_output_pin(demo.record, OutputPinList::Output, 7, 12, camera[12]);
    EXPECT_TRUE(output.accepted && output.message.empty());
}

}  // namespace
}  // namespace ztv::cli
