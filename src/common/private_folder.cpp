#include "common/private_folder.h"

#include <cerrno>
#include <system_error>

#if defined(_WIN32)
#include <direct.h>
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ztv {

#if defined(_WIN32)

std::string make_private_folder(const std::string& path) {
    if (_mkdir(path.c_str()) != 0 && errno != EEXIST) return std::generic_category().message(errno);
    return {};
}

std::optional<std::uint32_t> socket_peer_user(std::intptr_t) { return std::nullopt; }
bool socket_peer_is_this_user(std::intptr_t) { return true; }

#else

std::string make_private_folder(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return std::generic_category().message(errno);
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return std::generic_category().message(errno);
    if (!S_ISDIR(info.st_mode)) return "not a folder";
    if (info.st_uid != ::getuid()) return "owned by user " + std::to_string(info.st_uid);
    if ((info.st_mode & 077) != 0) return "open to other users";
    return {};
}

std::optional<std::uint32_t> socket_peer_user(std::intptr_t socket) {
#if defined(SO_PEERCRED)
    struct ucred peer {};
    socklen_t size = sizeof peer;
    if (::getsockopt(static_cast<int>(socket), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer)
        return std::nullopt;
    return static_cast<std::uint32_t>(peer.uid);
#else
    uid_t uid = 0;
    gid_t gid = 0;
    if (::getpeereid(static_cast<int>(socket), &uid, &gid) != 0) return std::nullopt;
    return static_cast<std::uint32_t>(uid);
#endif
}

bool socket_peer_is_this_user(std::intptr_t socket) {
    const auto peer = socket_peer_user(socket);
    return peer && *peer == static_cast<std::uint32_t>(::getuid());
}

#endif

}  // namespace ztv
