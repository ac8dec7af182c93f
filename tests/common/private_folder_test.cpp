// The folder the instance lock lives in, and the user on the other end of a local socket.
#include "common/private_folder.h"

#include <gtest/gtest.h>
#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstring>
#include <filesystem>

#include "support/temp_dir.h"

namespace ztv {
namespace {

#if defined(_WIN32)
TEST(PrivateFolder, MadeForThisUserUnderAnyNameAndRefusedWhereItIsNoFolder) {
    test::TempDir dir;
    const std::string mine = dir.file("Иван-ZEBTV");
    EXPECT_EQ(make_private_folder(mine), "");
    EXPECT_TRUE(std::filesystem::is_directory(system_path(mine)));
    EXPECT_EQ(make_private_folder(mine), "") << "made once, then used";
    test::write_text(dir.file("file"), "");
    EXPECT_EQ(make_private_folder(dir.file("file")), "not a folder");
    EXPECT_NE(make_private_folder(dir.file("missing/deeper")), "");
}

// Both ends of a named pipe of this process: its user on either side.
TEST(PrivateFolder, ThePeerOnANamedPipeIsKnownByItsUser) {
    const std::wstring name = L"\\\\.\\pipe\\ztv-test-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE server = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 64, 64, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    const HANDLE client = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(client, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(socket_peer_is_this_user(reinterpret_cast<std::intptr_t>(server)));
    EXPECT_TRUE(socket_peer_is_this_user(reinterpret_cast<std::intptr_t>(client)));
    CloseHandle(client);
    CloseHandle(server);
    EXPECT_FALSE(socket_peer_is_this_user(reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)));
}
#else
constexpr uid_t kNobody = 65534;

TEST(PrivateFolder, MadeForThisUserAloneAndRefusedWhereOthersCouldEnterOrOwnIt) {
    test::TempDir dir;
    const std::string mine = dir.file("mine");
    EXPECT_EQ(make_private_folder(mine), "");
    struct stat info {};
    ASSERT_EQ(::lstat(mine.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(make_private_folder(mine), "") << "made once, then used";

    const std::string open = dir.file("open");
    ASSERT_EQ(::mkdir(open.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(open.c_str(), 0777), 0);
    EXPECT_EQ(make_private_folder(open), "open to other users");
    std::filesystem::create_symlink(mine, dir.path() / "link");
    EXPECT_EQ(make_private_folder(dir.file("link")), "not a folder") << "a link is never followed";
    test::write_text(dir.file("file"), "");
    EXPECT_EQ(make_private_folder(dir.file("file")), "not a folder");
    EXPECT_NE(make_private_folder(dir.file("missing/deeper")), "");
    if (::getuid() == 0) {
        const std::string theirs = dir.file("theirs");
        ASSERT_EQ(::mkdir(theirs.c_str(), 0700), 0);
        ASSERT_EQ(::chown(theirs.c_str(), kNobody, kNobody), 0);
        EXPECT_EQ(make_private_folder(theirs), "owned by user 65534");
    }
}

TEST(PrivateFolder, ThePeerOnALocalSocketIsKnownByItsUser) {
    int pair[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    EXPECT_EQ(socket_peer_user(pair[0]), static_cast<std::uint32_t>(::getuid()));
    EXPECT_TRUE(socket_peer_is_this_user(pair[1]));
    ::close(pair[0]);
    ::close(pair[1]);
    EXPECT_FALSE(socket_peer_is_this_user(-1));
    if (::getuid() != 0) GTEST_SKIP() << "another user's connection needs root to make";

    test::TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = dir.file("s");
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(server, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0777), 0);
    ASSERT_EQ(::listen(server, 1), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const int client = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool ok = ::setuid(kNobody) == 0 &&
                        ::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);  // the connection waits in the queue
    const int accepted = ::accept(server, nullptr, nullptr);
    ASSERT_GE(accepted, 0);
    EXPECT_EQ(socket_peer_user(accepted), kNobody);
    EXPECT_FALSE(socket_peer_is_this_user(accepted));
    ::close(accepted);
    ::close(server);
}
#endif

}  // namespace
}  // namespace ztv
