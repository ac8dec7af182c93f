// The simulated controller's state file with real files: whose file it is, and who holds it.
#include <gtest/gtest.h>

#include <filesystem>

#include "sim/sim_state_file.h"
#include "support/temp_dir.h"

namespace ztv::sim {
namespace {

using test::TempDir;
using test::read_text;
using test::write_text;

TEST(SimStateFile, WrittenWithItsFirstLineAndReadBack) {
    TempDir dir;
    const std::string path = dir.file("state");
    SimMemory memory;
    memory.serial = 99;
    ASSERT_EQ(save_sim_state(path, memory), SimStateStatus::Ok);
    EXPECT_TRUE(read_text(path).starts_with(std::string(kSimStateFirstLine) + "\r\n[SimulatedController]\r\n"));
    SimMemory loaded;
    ASSERT_EQ(load_sim_state(path, loaded), SimStateStatus::Ok);
    EXPECT_EQ(loaded.serial, 99u);
}

TEST(SimStateFile, SomebodyElsesFileIsNeitherReadNorWritten) {
    TempDir dir;
    const std::string path = dir.file("mine.ZTV");
    // A configuration file whose section even looks like the state's.
    const std::string users = "[SimulatedController]\r\nSERIAL=5\r\n[MAIN]\r\nKEY=1\r\n";
    write_text(path, users);
    SimMemory memory;
    EXPECT_EQ(load_sim_state(path, memory), SimStateStatus::NotAStateFile);
    EXPECT_EQ(memory.serial, SimMemory().serial);
    EXPECT_EQ(save_sim_state(path, memory), SimStateStatus::NotAStateFile);
    SimStateFile held(path);
    EXPECT_EQ(held.open(memory, 0), SimStateStatus::NotAStateFile);
    EXPECT_EQ(read_text(path), users);
    EXPECT_FALSE(std::filesystem::exists(held.lock_path())) << "nothing is created beside a stranger's file";
    const Text message = sim_state_error(SimStateStatus::NotAStateFile, path);
    EXPECT_NE(message.en.find("is not a simulated controller's state file"), std::string::npos);
    EXPECT_NE(message.ru.find("не файл состояния"), std::string::npos);

    // The first line alone is not enough when it is only a prefix of another line.
    write_text(path, std::string(kSimStateFirstLine) + " and more\n");
    EXPECT_EQ(load_sim_state(path, memory), SimStateStatus::NotAStateFile);
}

TEST(SimStateFile, EmptyMissingOversizedAndFolderFiles) {
    TempDir dir;
    SimMemory memory;
    memory.serial = 1;
    write_text(dir.file("empty"), "");
    EXPECT_EQ(load_sim_state(dir.file("empty"), memory), SimStateStatus::Ok);
    EXPECT_EQ(memory.serial, 1u) << "an empty file is a fresh controller";
    EXPECT_EQ(save_sim_state(dir.file("empty"), memory), SimStateStatus::Ok);
    EXPECT_EQ(load_sim_state(dir.file("missing"), memory), SimStateStatus::Ok);

    write_text(dir.file("big"), std::string(kSimStateFirstLine) + "\n" + std::string(70 * 1024, ';'));
    EXPECT_EQ(load_sim_state(dir.file("big"), memory), SimStateStatus::NotAStateFile);
    std::filesystem::create_directory(dir.file("folder"));
    EXPECT_EQ(load_sim_state(dir.file("folder"), memory), SimStateStatus::Unreadable);
    EXPECT_EQ(save_sim_state(dir.file("folder"), memory), SimStateStatus::Unreadable);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder")));
}

TEST(SimStateFile, ASecondHolderWaitsThenIsBusyAndLosesNothing) {
    TempDir dir;
    const std::string path = dir.file("state");
    SimMemory first_memory;
    SimStateFile first(path);
    ASSERT_EQ(first.open(first_memory, 0), SimStateStatus::Ok);

    SimStateFile second(path);
    SimMemory second_memory;
    EXPECT_EQ(second.open(second_memory, 100), SimStateStatus::Busy);
    EXPECT_EQ(second.save(second_memory), SimStateStatus::LockFailed) << "no write without the lock";
    EXPECT_NE(sim_state_error(SimStateStatus::Busy, path).en.find("The simulated controller is busy"),
              std::string::npos);

    first_memory.serial = 4242;
    ASSERT_EQ(first.save(first_memory), SimStateStatus::Ok);
    first.close();
    ASSERT_EQ(second.open(second_memory, 100), SimStateStatus::Ok);
    EXPECT_EQ(second_memory.serial, 4242u) << "the second holder starts from what the first one wrote";
}

TEST(SimStateFile, ALockThatCannotBeMadeSaysSo) {
    TempDir dir;
    const std::string path = dir.file("no-folder/state");
    SimMemory memory;
    SimStateFile held(path);
    EXPECT_EQ(held.open(memory, 0), SimStateStatus::LockFailed);
    EXPECT_NE(sim_state_error(SimStateStatus::LockFailed, path).en.find("no-folder/state.lock"), std::string::npos);
}

// Two names of one state (a link) are one controller: they share the lock, so neither
// command's change is lost.
TEST(SimStateFile, TwoNamesOfOneStateShareItsLock) {
#if defined(_WIN32)
    GTEST_SKIP() << "symbolic links need a privilege on Windows, where users do not make them";
#endif
    TempDir dir;
    const std::string real = dir.file("state");
    std::filesystem::create_symlink("state", dir.path() / "alias");
    SimMemory memory;
    SimStateFile first(dir.file("alias"));
    ASSERT_EQ(first.open(memory, 0), SimStateStatus::Ok);
    SimStateFile second(real);
    EXPECT_EQ(second.open(memory, 0), SimStateStatus::Busy);
    EXPECT_EQ(first.lock_path(), real + ".lock");
}

// A command that fails after it changed the controller (a flash that erased the firmware) must
// still keep that change, or the next run starts a firmware that is gone.
TEST(SimStateFile, TellsWhetherTheMemoryChangedSinceItWasReadOrSaved) {
    TempDir dir;
    SimMemory memory;
    SimStateFile held(dir.file("state"));
    ASSERT_EQ(held.open(memory, 0), SimStateStatus::Ok);
    EXPECT_FALSE(held.changed(memory));
    memory.app_version = 0;
    EXPECT_TRUE(held.changed(memory));
    ASSERT_EQ(held.save(memory), SimStateStatus::Ok);
    EXPECT_FALSE(held.changed(memory));
    memory.record.raw[100] = 7;
    EXPECT_TRUE(held.changed(memory));
}

}  // namespace
}  // namespace ztv::sim
