#include "diag/can_replay.h"

#include <algorithm>
#include <string>

#include "common/format.h"

namespace ztv {

std::optional<std::uint32_t> parse_replay_speed(std::string_view text) {
    // Digits, then at most three decimals after a point: no sign, exponent or blank.
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || whole.size() > 7 || !digits(whole)) return std::nullopt;
    if (point != std::string_view::npos && (decimals.empty() || decimals.size() > 3 || !digits(decimals)))
        return std::nullopt;
    std::uint64_t thousandths = 0;
    for (const char c : whole) thousandths = thousandths * 10 + static_cast<std::uint64_t>(c - '0');
    thousandths *= 1000;
    std::uint64_t scale = 100;
    for (const char c : decimals) {
        thousandths += static_cast<std::uint64_t>(c - '0') * scale;
        scale /= 10;
    }
    if (thousandths > kMaxReplaySpeed) return std::nullopt;
    return static_cast<std::uint32_t>(thousandths);
}

Text replay_speed_refusal(std::string_view text) {
    static constexpr TextPair kBadSpeed{
        "--replay-speed: нужно число от 0 до 1000 (во сколько раз быстрее записи; 0 — без пауз), а не «%s»",
        "--replay-speed must be a number from 0 to 1000 (times real time; 0: no pauses), not '%s'"};
    return format_pair(kBadSpeed, std::string(text).c_str());
}

}  // namespace ztv
