// A folder only this user can reach, and the user on the other end of a local socket: what the
// single-instance lock and the hand-over of a file between two copies rest on, so that another
// user of the machine can neither plant the lock nor listen for the paths the user opens.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ztv {

// Creates the folder (mode 0700; on Windows with access for this user alone) when it is missing,
// then checks it without following a link: a folder owned by this user that nobody else may
// enter. Empty when it is such a folder; otherwise why not ("owned by user 1001", "open to other
// users", "not a folder"...).
std::string make_private_folder(const std::string& path);

// The user id on the other end of a connected local socket; nothing when the system cannot
// tell (then nothing may be sent or taken over it).
std::optional<std::uint32_t> socket_peer_user(std::intptr_t socket);
// Whether the other end runs as this user (on Windows the socket is a named pipe's handle and
// its other end's process is asked).
bool socket_peer_is_this_user(std::intptr_t socket);

}  // namespace ztv
