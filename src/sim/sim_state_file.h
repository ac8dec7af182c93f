// The simulated controller's memory kept in a file between runs of the tool, so that one run
// can restore a configuration and the next back it up.
#pragma once

#include <string>

#include "common/file_io.h"
#include "common/file_lock.h"
#include "common/text.h"
#include "sim/sim_controller.h"

namespace ztv::sim {

// Every state file starts with this line; a file without it is someone else's (a *.ZTV the
// user mistyped, a document) and is never read as a state nor written over.
inline constexpr const char* kSimStateFirstLine = "; ZEB TERVIO V4 simulated controller state";

// How long a command waits for another one that is using the same state file.
inline constexpr int kSimStateWaitMs = 2000;

enum class SimStateStatus { Ok, NotAStateFile, Unreadable, WriteFailed, Busy, LockFailed };

inline constexpr TextPair kSimStateNotAStateFile{
    "\"%s\" не файл состояния симулированного контроллера (такой файл начинается строкой \"%s\"); "
    "файл оставлен как был",
    "\"%s\" is not a simulated controller's state file (such a file begins with the line \"%s\"); "
    "it was left as it was"};
inline constexpr TextPair kSimStateUnreadable{"Не удалось прочитать состояние симулированного контроллера \"%s\"",
                                              "Cannot read the simulated controller's state \"%s\""};
inline constexpr TextPair kSimStateWriteFailed{"Не удалось записать состояние симулированного контроллера \"%s\"",
                                               "Cannot write the simulated controller's state \"%s\""};
inline constexpr TextPair kSimStateBusy{
    "Симулированный контроллер занят: файл \"%s\" использует другая команда. Повторите позже",
    "The simulated controller is busy: another command is using \"%s\". Try again later"};
inline constexpr TextPair kSimStateLockFailed{
    "Не удалось создать файл блокировки \"%s\" для состояния симулированного контроллера",
    "Cannot create the lock file \"%s\" of the simulated controller's state"};

// The message for a status other than Ok.
Text sim_state_error(SimStateStatus status, const std::string& path);

// A missing or empty file leaves memory as it is and counts as success. Missing or garbled keys
// keep their current values.
SimStateStatus load_sim_state(const std::string& path, SimMemory& memory);
// Replaces the file atomically; refuses an existing file that is not a state file.
SimStateStatus save_sim_state(const std::string& path, const SimMemory& memory);

// The state file held by one command from start to end: no other command reads or writes it
// in between, so two commands on one file never lose each other's changes.
class SimStateFile {
public:
    // The lock belongs to the file a link names, so that two names of one state share it.
    explicit SimStateFile(std::string path) : path_(std::move(path)), lock_(final_link_target(path_) + ".lock") {}
    const std::string& path() const { return path_; }
    const std::string& lock_path() const { return lock_.path(); }

    // Refuses a file that is not a state file before anything is created beside it, then
    // takes the lock (waiting up to wait_ms for another command) and loads the memory.
    SimStateStatus open(SimMemory& memory, int wait_ms);
    // Only while open; the lock stays held until close or destruction.
    SimStateStatus save(const SimMemory& memory);
    // Whether memory differs from what the file held when it was opened or last saved: a
    // command that failed half-way must still keep what it changed in the controller.
    bool changed(const SimMemory& memory) const;
    void close() { lock_.release(); }

private:
    std::string path_;
    FileLock lock_;
    SimMemory kept_;
};

}  // namespace ztv::sim
