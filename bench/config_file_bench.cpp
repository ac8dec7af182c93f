// Time to load and save a full configuration file (80 slots, 60 buttons, 80 slot names).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>

#include "config/config_file.h"

using namespace ztv;

namespace {

ConfigState full_configuration() {
    ConfigState s;
    std::mt19937 rng(7);
    for (std::size_t i = 0; i < kRecordSize; ++i) s.record.raw[i] = static_cast<std::uint8_t>(rng());
    for (std::size_t c = 0; c < kChannels; ++c)
        for (std::size_t b = 0; b < kButtonsPerChannel; ++b) s.record.set_button_name(c, b, "BTN" + std::to_string(b));
    for (std::size_t src = 0; src < kSourceCount; ++src) s.record.set_source_name(src, "SRC" + std::to_string(src));
    for (std::size_t i = 0; i < kSlotCount; ++i) s.set_slot_name(i, "\xD1\xEB\xEE\xF2 " + std::to_string(i + 1));
    s.touch.fill(0x42);
    return s;
}

template <typename F>
double microseconds_per_call(int calls, F&& f) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) f();
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / calls;
}

}  // namespace

int main() {
    const ConfigState full = full_configuration();
    const auto folder = std::filesystem::temp_directory_path() / "ztv-config-bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "full.ZTV").string();
    std::filesystem::remove(path);
    if (save_config_file(path, full) != FileWriteStatus::Ok) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    const auto size = std::filesystem::file_size(path);

    constexpr int kCalls = 2000;
    ConfigState target;
    const double load_us = microseconds_per_call(kCalls, [&] { load_config_file(path, target); });
    // Saving over the existing file: read it, replace every key in place, write and rename.
    const double save_us = microseconds_per_call(kCalls, [&] { save_config_file(path, full); });
    // The same work without the disk: parse and read, write and serialise.
    std::string text;
    {
        IniDocument doc;
        write_config(doc, full.record, full.touch, full.slot_names);
        text = doc.serialize();
    }
    const double parse_us = microseconds_per_call(kCalls, [&] { (void)read_config(IniDocument::parse(text)); });
    const double write_us = microseconds_per_call(kCalls, [&] {
        IniDocument doc = IniDocument::parse(text);
        write_config(doc, full.record, full.touch, full.slot_names);
        (void)doc.serialize();
    });

    std::printf("configuration file: %ju bytes\n", static_cast<std::uintmax_t>(size));
    std::printf("load from disk:  %8.1f us per load\n", load_us);
    std::printf("save to disk:    %8.1f us per save (over an existing file, atomic replace)\n", save_us);
    std::printf("load in memory:  %8.1f us per load\n", parse_us);
    std::printf("save in memory:  %8.1f us per save\n", write_us);
    std::filesystem::remove_all(folder);
    return 0;
}
