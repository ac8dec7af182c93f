// Time of the page refresh on a full record: the consistency writes, the pin occupation pass
// and a ControlView for every control of the 25 parameter pages. Runs after every edit that
// ends with a refresh, after each read from the controller and after loading a file.
#include <cstdio>
#include <random>
#include <vector>

#include "config/field_table.h"
#include "config/parameter_model.h"

#include "bench_measure.h"

using namespace ztv;

namespace {

// Every module connected, every list and mask in use, so that no control takes a short cut.
ConfigState full_configuration() {
    ConfigState s;
    std::mt19937 rng(7);
    for (std::size_t i = 0; i < kRecordSize; ++i) s.record.raw[i] = static_cast<std::uint8_t>(rng());
    for (const FieldDef& def : all_fields()) {
        if (def.kind == FieldKind::Hex) continue;
        const std::uint32_t limit =
            def.choices.empty() || def.bit_mask ? def.width_mask() + 1 : static_cast<std::uint32_t>(def.choices.size());
        set_field(s.record, def.id, static_cast<std::uint32_t>(rng() % std::max<std::uint32_t>(limit, 1)));
    }
    set_field(s.record, FieldId::TOUCH_MODE, 4);
    set_field(s.record, FieldId::TOUCH_INTERCEPT_SRCMASK, 0x5A);
    set_field(s.record, FieldId::TOUCH_SRCMASK, 0x81);
    set_field(s.record, FieldId::USE_NAME, 1);
    for (std::size_t source = 0; source < kSourceCount; ++source) s.record.set_source_name(source, "\xD0\xE0\xE4\xE8\xEE");
    return s;
}

}  // namespace

int main() {
    const ConfigState full = full_configuration();
    constexpr int kRounds = 2000;
    std::vector<double> times;
    times.reserve(kRounds);
    std::size_t sink = 0;
    for (int round = 0; round < kRounds; ++round) {
        ConfigState state = full;  // every round starts from the record before its consistency writes
        const auto start = Clock::now();
        const auto pages = refresh_pages(state);
        times.push_back(ms_since(start));
        for (const auto& page : pages) sink += page.controls.size();
    }
    const Spread s = spread_of(times);
    std::printf("refresh of the 25 parameter pages (%zu controls): %.4f ms best, %.4f ms median, %.4f ms mean "
                "over %d rounds (target < 0.5 ms)\n",
                sink / kRounds, s.best, s.median, s.mean, kRounds);
    return sink == 0 ? 1 : 0;
}
