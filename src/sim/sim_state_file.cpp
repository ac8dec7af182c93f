#include "sim/sim_state_file.h"

#include <charconv>
#include <string_view>

#include "common/file_io.h"
#include "common/format.h"
#include "common/hex.h"
#include "common/ini_document.h"

namespace ztv::sim {
namespace {

constexpr const char* kSection = "SimulatedController";
constexpr std::size_t kMaxStateFile = 64 * 1024;

void read_number(const IniDocument& doc, const char* key, std::uint32_t& value) {
    const auto text = doc.get(kSection, key);
    if (!text) return;
    std::uint32_t parsed = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), parsed);
    if (error == std::errc() && end == text->data() + text->size()) value = parsed;
}

bool starts_with_first_line(std::string_view content) {
    const std::string_view first(kSimStateFirstLine);
    if (!content.starts_with(first)) return false;
    const std::string_view rest = content.substr(first.size());
    return rest.empty() || rest.front() == '\r' || rest.front() == '\n';
}

struct Inspected {
    SimStateStatus status = SimStateStatus::Ok;
    std::string content;  // empty for a missing or empty file
};

Inspected inspect(const std::string& path) {
    FileReadResult file = read_file_bounded(path, kMaxStateFile);
    if (file.status == FileReadStatus::NotFound) return {};
    // Too large cannot be one of ours either; it is refused like any other stranger.
    if (file.status == FileReadStatus::TooLarge) return {SimStateStatus::NotAStateFile, {}};
    if (file.status != FileReadStatus::Ok) return {SimStateStatus::Unreadable, {}};
    // An empty file holds nothing to lose: a script may well create it with mktemp first.
    if (!file.content.empty() && !starts_with_first_line(file.content)) return {SimStateStatus::NotAStateFile, {}};
    return {SimStateStatus::Ok, std::move(file.content)};
}

}  // namespace

Text sim_state_error(SimStateStatus status, const std::string& path) {
    switch (status) {
        case SimStateStatus::Ok: return {};
        case SimStateStatus::NotAStateFile: return format_pair(kSimStateNotAStateFile, path.c_str(), kSimStateFirstLine);
        case SimStateStatus::Unreadable:
            return join(format_pair(kSimStateUnreadable, path.c_str()), "\n", why_unreadable(path));
        case SimStateStatus::WriteFailed: return format_pair(kSimStateWriteFailed, path.c_str());
        case SimStateStatus::Busy: return format_pair(kSimStateBusy, path.c_str());
        case SimStateStatus::LockFailed:
            return format_pair(kSimStateLockFailed, (final_link_target(path) + ".lock").c_str());
    }
    return format_pair(kSimStateUnreadable, path.c_str());
}

SimStateStatus load_sim_state(const std::string& path, SimMemory& memory) {
    const Inspected file = inspect(path);
    if (file.status != SimStateStatus::Ok || file.content.empty()) return file.status;
    const IniDocument doc = IniDocument::parse(file.content);
    if (const auto record = doc.get(kSection, "RECORD")) from_hex(*record, memory.record.bytes());
    if (const auto touch = doc.get(kSection, "TOUCH")) from_hex(*touch, memory.touch);
    read_number(doc, "APP_VERSION", memory.app_version);
    read_number(doc, "BOOT_VERSION", memory.boot_version);
    read_number(doc, "SERIAL", memory.serial);
    read_number(doc, "HARDWARE_CODE", memory.hardware_code);
    if (const auto features = doc.get(kSection, "FEATURES")) memory.features = std::string(features->substr(0, 17));
    return SimStateStatus::Ok;
}

namespace {

// The whole file for a memory; two memories are the same state exactly when their texts are.
std::string state_text(const SimMemory& memory) {
    IniDocument doc;
    doc.set(kSection, "RECORD", to_hex(memory.record.bytes()));
    doc.set(kSection, "TOUCH", to_hex(memory.touch));
    doc.set(kSection, "APP_VERSION", std::to_string(memory.app_version));
    doc.set(kSection, "BOOT_VERSION", std::to_string(memory.boot_version));
    doc.set(kSection, "SERIAL", std::to_string(memory.serial));
    doc.set(kSection, "HARDWARE_CODE", std::to_string(memory.hardware_code));
    doc.set(kSection, "FEATURES", memory.features);
    return std::string(kSimStateFirstLine) + "\r\n" + doc.serialize();
}

}  // namespace

SimStateStatus save_sim_state(const std::string& path, const SimMemory& memory) {
    if (const SimStateStatus existing = inspect(path).status; existing != SimStateStatus::Ok) return existing;
    return write_file_atomically(path, state_text(memory)) ? SimStateStatus::Ok : SimStateStatus::WriteFailed;
}

SimStateStatus SimStateFile::open(SimMemory& memory, int wait_ms) {
    // Checked before the lock file is made, so that a mistyped name gets nothing new beside it.
    if (const SimStateStatus first = inspect(path_).status; first != SimStateStatus::Ok) return first;
    switch (lock_.acquire(wait_ms)) {
        case FileLockResult::Locked: break;
        case FileLockResult::Busy: return SimStateStatus::Busy;
        case FileLockResult::Failed: return SimStateStatus::LockFailed;
    }
    // Read again under the lock: the command before us may have just replaced it.
    const SimStateStatus loaded = load_sim_state(path_, memory);
    if (loaded != SimStateStatus::Ok) lock_.release();
    kept_ = memory;
    return loaded;
}

SimStateStatus SimStateFile::save(const SimMemory& memory) {
    if (!lock_.held()) return SimStateStatus::LockFailed;
    const SimStateStatus saved = save_sim_state(path_, memory);
    if (saved == SimStateStatus::Ok) kept_ = memory;
    return saved;
}

bool SimStateFile::changed(const SimMemory& memory) const { return state_text(memory) != state_text(kept_); }

}  // namespace ztv::sim
