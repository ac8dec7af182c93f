#include "sim/sim_state_file.h"

#include <charconv>

#include "common/file_io.h"
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

}  // namespace

bool load_sim_state(const std::string& path, SimMemory& memory) {
    const FileReadResult file = read_file_bounded(path, kMaxStateFile);
    if (file.status == FileReadStatus::NotFound) return true;
    if (file.status != FileReadStatus::Ok) return false;
    const IniDocument doc = IniDocument::parse(file.content);
    if (const auto record = doc.get(kSection, "RECORD")) from_hex(*record, memory.record.bytes());
    if (const auto touch = doc.get(kSection, "TOUCH")) from_hex(*touch, memory.touch);
    read_number(doc, "APP_VERSION", memory.app_version);
    read_number(doc, "BOOT_VERSION", memory.boot_version);
    read_number(doc, "SERIAL", memory.serial);
    read_number(doc, "HARDWARE_CODE", memory.hardware_code);
    if (const auto features = doc.get(kSection, "FEATURES")) memory.features = std::string(features->substr(0, 17));
    return true;
}

bool save_sim_state(const std::string& path, const SimMemory& memory) {
    IniDocument doc;
    doc.set(kSection, "RECORD", to_hex(memory.record.bytes()));
    doc.set(kSection, "TOUCH", to_hex(memory.touch));
    doc.set(kSection, "APP_VERSION", std::to_string(memory.app_version));
    doc.set(kSection, "BOOT_VERSION", std::to_string(memory.boot_version));
    doc.set(kSection, "SERIAL", std::to_string(memory.serial));
    doc.set(kSection, "HARDWARE_CODE", std::to_string(memory.hardware_code));
    doc.set(kSection, "FEATURES", memory.features);
    return write_file_atomically(path, doc.serialize());
}

}  // namespace ztv::sim
