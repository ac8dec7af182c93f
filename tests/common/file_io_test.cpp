// Replacing files: links, permissions, limits and the reason for every failure, on real files.
#include "common/file_io.h"

#include <gtest/gtest.h>
#if defined(_WIN32)
#include <process.h>
#else
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

#include "support/temp_dir.h"

#if !defined(_WIN32)
// Every fsync of this test program, with what the file being replaced held at that moment, so
// that a test can see what was put on the disk before and after the rename.
namespace {
std::string g_watched_file;
std::vector<std::pair<std::string, std::string>> g_syncs;  // synced path, watched file's content
}  // namespace

extern "C" int fsync(int fd) {
    if (!g_watched_file.empty()) {
        char link[4096] = {};
        const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), link, sizeof link - 1);
        g_syncs.emplace_back(std::string(link, n > 0 ? static_cast<std::size_t>(n) : 0), ztv::test::read_text(g_watched_file));
    }
    using Fsync = int (*)(int);
    static const auto real = reinterpret_cast<Fsync>(::dlsym(RTLD_NEXT, "fsync"));
    return real(fd);
}
#else
// Windows lets no test interpose a system call: nothing is recorded, and the cases that look
// at the syncs say so.
namespace {
std::string g_watched_file;
std::vector<std::pair<std::string, std::string>> g_syncs;
}  // namespace
#endif

namespace ztv {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::read_text;
using test::write_text;

std::size_t entries(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Names in any script, in folders named in any script: what the user sees is what is on the disk.
TEST(ReplaceFile, CyrillicNamesAreWrittenReadAndReplacedUnderThoseNames) {
    TempDir dir;
    fs::create_directories(dir.path() / system_path("папка"));
    const std::string path = dir.file("папка/Конфиг.ZTV");
    ASSERT_EQ(replace_file(path, "first"), FileWriteStatus::Ok);
    ASSERT_EQ(replace_file(path, "second"), FileWriteStatus::Ok);
    EXPECT_TRUE(fs::exists(dir.path() / system_path("папка") / system_path("Конфиг.ZTV")));
    const FileReadResult read = read_file_bounded(path, 100);
    EXPECT_EQ(read.status, FileReadStatus::Ok);
    EXPECT_EQ(read.content, "second");
    EXPECT_EQ(entries(dir.path() / system_path("папка")), 1u);
    EXPECT_EQ(read_problem(path), FileWriteStatus::Ok);
}

// Two writers picking the same name: the second is told, and never writes into the first's file.
TEST(CreateNewFile, ANameThatExistsIsNeverOpened) {
    TempDir dir;
    const std::string path = dir.file("копия.ZTV");
    std::error_code error;
    std::FILE* first = create_new_file(path, error);
    ASSERT_NE(first, nullptr) << error.message();
    EXPECT_EQ(create_new_file(path, error), nullptr);
    EXPECT_EQ(error, std::errc::file_exists);
    std::fputs("mine", first);
    std::fclose(first);
    EXPECT_EQ(read_text(path), "mine");
    EXPECT_EQ(create_new_file(dir.file("missing/x"), error), nullptr);
    EXPECT_EQ(write_status_of(error), FileWriteStatus::FolderMissing);
}

TEST(ReplaceFile, WritesThroughALinkToItsTargetAndKeepsTheLinkAndThePermissions) {
#if defined(_WIN32)
    GTEST_SKIP() << "symbolic links need a privilege on Windows, where users do not make them";
#endif
    TempDir dir;
    fs::create_directories(dir.path() / "real");
    const std::string target = dir.file("real/car.ZTV");
    write_text(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real/car.ZTV", dir.path() / "link.ZTV");     // relative
    fs::create_symlink(dir.path() / "link.ZTV", dir.path() / "chain.ZTV");  // absolute, to a link

    ASSERT_EQ(replace_file(dir.file("chain.ZTV"), "new"), FileWriteStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.path() / "chain.ZTV")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.path() / "link.ZTV")));
    EXPECT_EQ(read_text(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(dir.path() / "real"), 1u);  // no temporary left beside the target

    // A link to a file not yet there creates that file.
    fs::create_symlink("real/new.ZTV", dir.path() / "dangling.ZTV");
    ASSERT_EQ(replace_file(dir.file("dangling.ZTV"), "made"), FileWriteStatus::Ok);
    EXPECT_EQ(read_text(dir.file("real/new.ZTV")), "made");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.path() / "dangling.ZTV")));

    // A loop of links is refused without writing anything.
    fs::create_symlink("loop-b", dir.path() / "loop-a");
    fs::create_symlink("loop-a", dir.path() / "loop-b");
    EXPECT_EQ(replace_file(dir.file("loop-a"), "x"), FileWriteStatus::LinkLoop);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.path() / "loop-a")));
}

// A file with no write bit is one its owner marked read-only: it is refused for everyone,
// the superuser included (who could write it, and whom the tests run as), like the read-only
// attribute on Windows.
TEST(ReplaceFile, AFileMarkedReadOnlyIsRefusedAndLeftAsItWas) {
    TempDir dir;
    const std::string path = dir.file("locked.ZTV");
    write_text(path, "keep me");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(replace_file(path, "overwritten"), FileWriteStatus::PermissionDenied);
    EXPECT_EQ(read_text(path), "keep me");
    EXPECT_EQ(entries(dir.path()), 1u);
#if !defined(_WIN32)
    // Also through a link.
    fs::create_symlink("locked.ZTV", dir.path() / "link.ZTV");
    EXPECT_EQ(replace_file(dir.file("link.ZTV"), "overwritten"), FileWriteStatus::PermissionDenied);
    EXPECT_EQ(read_text(path), "keep me");
#endif
}

TEST(ReplaceFile, FoldersSpecialFilesAndMissingFoldersAreNamedAsSuch) {
    TempDir dir;
    EXPECT_EQ(replace_file(dir.path().string(), "x"), FileWriteStatus::IsFolder);
    EXPECT_EQ(replace_file(dir.file("no/such/x.ZTV"), "x"), FileWriteStatus::FolderMissing);
    write_text(dir.file("plain"), "");
    EXPECT_EQ(replace_file(dir.file("plain/x.ZTV"), "x"), FileWriteStatus::FolderMissing);  // a file as folder
#if defined(_WIN32)
    EXPECT_EQ(replace_file("NUL", "x"), FileWriteStatus::NotAFile);
#else
    EXPECT_EQ(replace_file("/dev/null", "x"), FileWriteStatus::NotAFile);
    EXPECT_TRUE(fs::is_character_file(fs::status("/dev/null")));
#endif
    EXPECT_EQ(replace_file(dir.file(std::string(5000, 'n')), "x"), FileWriteStatus::NameTooLong);
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(ReplaceFile, ContentBeyondTheBoundIsRefusedBeforeAnythingIsTouched) {
    TempDir dir;
    const std::string path = dir.file("a.ini");
    write_text(path, "old");
    EXPECT_EQ(replace_file(path, std::string(101, 'x'), 100), FileWriteStatus::BeyondReadLimit);
    EXPECT_EQ(read_text(path), "old");
    ASSERT_EQ(replace_file(path, std::string(100, 'x'), 100), FileWriteStatus::Ok);
    EXPECT_EQ(read_file_bounded(path, 100).status, FileReadStatus::Ok);  // what was written reads back
}

TEST(ReplaceFile, ASizeLimitOfTheSystemIsReportedAsTooLarge) {
#if defined(_WIN32)
    GTEST_SKIP() << "needs a file-size limit (setrlimit), which Windows does not have";
#else
    TempDir dir;
    const std::string path = dir.file("big");
    write_text(path, "old");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileWriteStatus status = replace_file(path, std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(status, FileWriteStatus::TooLarge);
    EXPECT_EQ(read_text(path), "old");
    EXPECT_EQ(entries(dir.path()), 1u);
#endif
}

TEST(ReplaceFile, TheNewFileIsOnTheDiskBeforeTheRenameAndTheFolderAfterIt) {
#if defined(_WIN32)
    GTEST_SKIP() << "watches fsync by interposing it, which the Windows C library does not allow";
#else
    TempDir dir;
    const std::string path = dir.file("car.ZTV");
    write_text(path, "old");
    g_watched_file = path;
    g_syncs.clear();
    const FileWriteStatus status = replace_file(path, "new");
    g_watched_file.clear();
    ASSERT_EQ(status, FileWriteStatus::Ok);
    ASSERT_EQ(g_syncs.size(), 2u);
    EXPECT_EQ(fs::path(g_syncs[0].first).parent_path(), fs::canonical(dir.path()));  // the temporary file
    EXPECT_EQ(g_syncs[0].second, "old");
    EXPECT_EQ(fs::path(g_syncs[1].first), fs::canonical(dir.path()));  // the folder, after the rename
    EXPECT_EQ(g_syncs[1].second, "new");
#endif
}

// A file made under a new name is on the disk whole before the name exists, never replaces a
// file, leaves no temporary file, and carries the time it was given.
TEST(CreateWholeFile, TheNameAppearsOnlyWithTheWholeContentAndNeverReplaces) {
    TempDir dir;
    const std::string path = dir.file("1_2026-12-07_14-03-22_write.ZTV");
    const fs::file_time_type when =
        std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() + std::chrono::hours(100));
    g_watched_file = path;
    g_syncs.clear();
    const FileWriteStatus status = create_whole_file(path, "backup", when);
    g_watched_file.clear();
    ASSERT_EQ(status, FileWriteStatus::Ok);
#if !defined(_WIN32)
    ASSERT_GE(g_syncs.size(), 1u);
    EXPECT_EQ(g_syncs[0].second, "");  // the temporary file synced while the name was free
#endif
    EXPECT_EQ(read_text(path), "backup");
    EXPECT_EQ(fs::last_write_time(path), when);
    EXPECT_EQ(entries(dir.path()), 1u);
    EXPECT_EQ(create_whole_file(path, "other"), FileWriteStatus::NameTaken);
    EXPECT_EQ(read_text(path), "backup");
    EXPECT_EQ(entries(dir.path()), 1u);
    const auto parts = parse_temporary_file_name(temporary_file_name("1_x.ZTV", 3));
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->target, "1_x.ZTV");
    EXPECT_EQ(parts->process, static_cast<long>(getpid()));
    EXPECT_FALSE(parse_temporary_file_name(".notes.txt").has_value());
}

// A name the system takes must also be one the program can save over, although the temporary
// name beside it is longer.
TEST(ReplaceFile, ANameAtTheSystemsLimitCanBeSavedOver) {
    TempDir dir;
    const std::string name = std::string(250, 'n') + ".ZTV";
    ASSERT_EQ(replace_file(dir.file(name), "first"), FileWriteStatus::Ok);
    ASSERT_EQ(replace_file(dir.file(name), "second"), FileWriteStatus::Ok);
    EXPECT_EQ(read_text(dir.file(name)), "second");
    EXPECT_EQ(entries(dir.path()), 1u);
    // Cut between characters, never inside one.
    std::string letters;
    for (int i = 0; i < 127; ++i) letters += "\xD0\xB0";  // a Russian name of 254 bytes
    const std::string temp = temporary_file_name(letters, 0);
    EXPECT_LE(temp.size(), 255u);
    EXPECT_EQ((temp.find('.', 1) - 1) % 2, 0u);
}

TEST(ReplaceFile, EveryTemporaryNameTakenIsSaidAsSuchNotAsADiskError) {
    TempDir dir;
    const std::string path = dir.file("car.ZTV");
    write_text(path, "old");
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt)
        write_text(dir.file(temporary_file_name("car.ZTV", attempt)), "someone else's");
    EXPECT_EQ(replace_file(path, "new"), FileWriteStatus::NoFreeName);
    EXPECT_EQ(read_text(path), "old");
    EXPECT_EQ(read_text(dir.file(temporary_file_name("car.ZTV", 0))), "someone else's");
}

// Pipes and devices are refused at once, for reading and for writing, with what they are.
TEST(RegularFilesOnly, PipesAndFoldersAreRefusedWithoutWaitingAndReadFailuresSayWhy) {
    TempDir dir;
    FileWriteStatus problem = FileWriteStatus::Ok;
#if !defined(_WIN32)  // Windows has no pipes or links in its folders
    const std::string fifo = dir.file("pipe.LOG");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(open_regular_for_writing(fifo, problem), nullptr);  // no reader: would block
    EXPECT_EQ(problem, FileWriteStatus::NotAFile);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(open_regular_for_writing(fifo, problem), nullptr);  // a reader: would take the log
    EXPECT_EQ(problem, FileWriteStatus::NotAFile);
    ::close(reader);
    const FileReadResult read = read_file_bounded(fifo, 100);
    EXPECT_EQ(read.status, FileReadStatus::Unreadable);
    EXPECT_EQ(read.problem, FileWriteStatus::NotAFile);

    fs::create_symlink("loop-b", dir.path() / "loop-a");
    fs::create_symlink("loop-a", dir.path() / "loop-b");
    EXPECT_EQ(read_problem(dir.file("loop-a")), FileWriteStatus::LinkLoop);
#endif
    EXPECT_EQ(read_problem(dir.path().string()), FileWriteStatus::IsFolder);
    EXPECT_EQ(read_file_bounded(dir.file("missing/x"), 10).status, FileReadStatus::NotFound);
    EXPECT_EQ(read_failure_reason(FileWriteStatus::NotAFile).en, "The name is a device or pipe, not a file");
    EXPECT_EQ(read_failure_reason(FileWriteStatus::PermissionDenied).en,
              "Permission denied: the file or its folder may not be read");

    const std::string log = dir.file("a.LOG");
    write_text(log, "old content");
    std::FILE* file = open_regular_for_writing(log, problem);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(std::fputs("x", file) >= 0 && close_durably(file), true);
    EXPECT_EQ(read_text(log), "x");
}

TEST(ReplaceFile, SystemErrorsMapToReasonsAUserCanActOn) {
    const auto of = [](int error) { return write_status_of(std::error_code(error, std::generic_category())); };
    EXPECT_EQ(of(0), FileWriteStatus::Ok);
    EXPECT_EQ(of(ENOSPC), FileWriteStatus::NoSpace);
#if defined(EDQUOT)
    EXPECT_EQ(of(EDQUOT), FileWriteStatus::NoSpace);
#endif
    EXPECT_EQ(of(EACCES), FileWriteStatus::PermissionDenied);
    EXPECT_EQ(of(EPERM), FileWriteStatus::PermissionDenied);
    EXPECT_EQ(of(EROFS), FileWriteStatus::PermissionDenied);
    EXPECT_EQ(of(EISDIR), FileWriteStatus::IsFolder);
    EXPECT_EQ(of(ENOENT), FileWriteStatus::FolderMissing);
    EXPECT_EQ(of(EFBIG), FileWriteStatus::TooLarge);
    EXPECT_EQ(of(ENAMETOOLONG), FileWriteStatus::NameTooLong);
    EXPECT_EQ(of(ELOOP), FileWriteStatus::LinkLoop);
    EXPECT_EQ(of(EIO), FileWriteStatus::Failed);
    // The system's own category (what std::filesystem reports) maps the same way.
#if defined(_WIN32)
    EXPECT_EQ(write_status_of(std::error_code(112 /* ERROR_DISK_FULL */, std::system_category())), FileWriteStatus::NoSpace);
    EXPECT_EQ(write_status_of(std::error_code(5 /* ERROR_ACCESS_DENIED */, std::system_category())),
              FileWriteStatus::PermissionDenied);
#else
    EXPECT_EQ(write_status_of(std::error_code(ENOSPC, std::system_category())), FileWriteStatus::NoSpace);
#endif

    EXPECT_TRUE(write_failure_reason(FileWriteStatus::Ok).empty());
    std::set<std::string> english;
    std::set<std::string> russian;
    const FileWriteStatus failures[] = {FileWriteStatus::NoSpace,          FileWriteStatus::IsFolder,
                                        FileWriteStatus::NotAFile,         FileWriteStatus::FolderMissing,
                                        FileWriteStatus::NameTooLong,      FileWriteStatus::LinkLoop,
                                        FileWriteStatus::PermissionDenied, FileWriteStatus::TooLarge,
                                        FileWriteStatus::BeyondReadLimit,  FileWriteStatus::NoFreeName,
                                        FileWriteStatus::Failed};
    for (const FileWriteStatus status : failures) {
        const Text reason = write_failure_reason(status);
        EXPECT_FALSE(reason.en.empty());
        EXPECT_NE(reason.ru, reason.en);
        EXPECT_EQ(reason.en.find('\n'), std::string::npos);
        english.insert(reason.en);
        russian.insert(reason.ru);
    }
    EXPECT_EQ(english.size(), std::size(failures));  // each reason says something different
    EXPECT_EQ(russian.size(), std::size(failures));
    EXPECT_EQ(write_failure_reason(FileWriteStatus::NoSpace).en, "There is no space left on the disk");
}

}  // namespace
}  // namespace ztv
