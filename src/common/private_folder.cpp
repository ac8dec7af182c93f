#include "common/private_folder.h"

#include <cerrno>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "common/system_names.h"
#else
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ztv {

#if defined(_WIN32)

namespace {

// One of a process's identities (TokenUser or TokenOwner), held in its own buffer.
class ProcessSid {
public:
    ProcessSid(HANDLE process, TOKEN_INFORMATION_CLASS which) : owner_(which == TokenOwner) {
        HANDLE token = nullptr;
        if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return;
        DWORD size = 0;
        GetTokenInformation(token, which, nullptr, 0, &size);
        buffer_.resize(size);
        if (size == 0 || !GetTokenInformation(token, which, buffer_.data(), size, &size)) buffer_.clear();
        CloseHandle(token);
    }
    PSID sid() const {
        if (buffer_.empty()) return nullptr;
        return owner_ ? reinterpret_cast<const TOKEN_OWNER*>(buffer_.data())->Owner
                      : reinterpret_cast<const TOKEN_USER*>(buffer_.data())->User.Sid;
    }

private:
    std::vector<unsigned char> buffer_;
    bool owner_ = false;
};

// A security descriptor that lets this user alone in (and what is made inside inherits it).
PSECURITY_DESCRIPTOR user_only_descriptor(PSID user) {
    wchar_t* sid_text = nullptr;
    if (!ConvertSidToStringSidW(user, &sid_text)) return nullptr;
    const std::wstring sddl = L"D:P(A;OICI;FA;;;" + std::wstring(sid_text) + L")";
    LocalFree(sid_text);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return nullptr;
    return descriptor;
}

}  // namespace

std::string make_private_folder(const std::string& path) {
    const ProcessSid me(GetCurrentProcess(), TokenUser);
    if (me.sid() == nullptr) return "this user's identity is not known";
    const std::wstring name = to_utf16(path);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, user_only_descriptor(me.sid()), FALSE};
    if (attributes.lpSecurityDescriptor == nullptr) return windows_error_text(GetLastError());
    const BOOL made = CreateDirectoryW(name.c_str(), &attributes);
    const DWORD error = GetLastError();
    LocalFree(attributes.lpSecurityDescriptor);
    if (!made && error != ERROR_ALREADY_EXISTS) return windows_error_text(error);
    const DWORD kind = GetFileAttributesW(name.c_str());
    if (kind == INVALID_FILE_ATTRIBUTES) return windows_error_text(GetLastError());
    if ((kind & FILE_ATTRIBUTE_DIRECTORY) == 0) return "not a folder";
    if ((kind & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return "a link, not a folder";
    // Made by this user: an administrator's copy owns what it makes under the Administrators group.
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR folder = nullptr;
    if (GetNamedSecurityInfoW(name.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                              nullptr, &folder) != ERROR_SUCCESS)
        return "its owner cannot be read";
    const ProcessSid default_owner(GetCurrentProcess(), TokenOwner);
    const bool mine = EqualSid(owner, me.sid()) || (default_owner.sid() != nullptr && EqualSid(owner, default_owner.sid()));
    LocalFree(folder);
    return mine ? std::string() : std::string("owned by another user");
}

std::optional<std::uint32_t> socket_peer_user(std::intptr_t) { return std::nullopt; }

bool socket_peer_is_this_user(std::intptr_t socket) {
    // A local socket here is a named pipe; its other end is a process whose user is compared.
    const HANDLE pipe = reinterpret_cast<HANDLE>(socket);
    DWORD flags = 0;
    if (!GetNamedPipeInfo(pipe, &flags, nullptr, nullptr, nullptr)) return false;
    ULONG peer_id = 0;
    const BOOL known = (flags & PIPE_SERVER_END) != 0 ? GetNamedPipeClientProcessId(pipe, &peer_id)
                                                       : GetNamedPipeServerProcessId(pipe, &peer_id);
    if (!known) return false;
    const HANDLE peer = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, peer_id);
    if (peer == nullptr) return false;
    const ProcessSid other(peer, TokenUser);
    CloseHandle(peer);
    const ProcessSid me(GetCurrentProcess(), TokenUser);
    return other.sid() != nullptr && me.sid() != nullptr && EqualSid(other.sid(), me.sid());
}

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
