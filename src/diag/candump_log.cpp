#include "diag/candump_log.h"

#include <charconv>

#include "common/format.h"
#include "common/hex.h"
#include "diag/can_replay.h"

namespace ztv {
namespace {

bool all_digits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// A line that holds nothing, or a comment ("# ..."), which the can-utils readers skip.
bool is_blank_or_comment(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

// The line starting at `at`, without its line end and trailing blanks; `at` moves past it.
std::string_view next_line(std::string_view text, std::size_t& at) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line;
}

// Why the line is not a frame; empty when it is one (then `frame` holds it, with its time in
// microseconds in time_us and no stamp yet).
std::string parse_line(std::string_view line, CanFrame& frame, std::uint64_t& time_us) {
    if (line.empty() || line.front() != '(') return "expected (SECONDS.MICROSECONDS) IFACE ID#DATA";
    const std::size_t close = line.find(')');
    if (close == std::string_view::npos) return "the time has no closing parenthesis";
    const std::string_view time = line.substr(1, close - 1);
    const std::size_t dot = time.find('.');
    if (dot == std::string_view::npos || !all_digits(time.substr(0, dot)) || dot > 12 ||
        time.size() - dot - 1 != 6 || !all_digits(time.substr(dot + 1)))
        return "the time is not SECONDS.MICROSECONDS with six decimals";
    std::uint64_t seconds = 0;
    std::uint64_t micros = 0;
    std::from_chars(time.data(), time.data() + dot, seconds);
    std::from_chars(time.data() + dot + 1, time.data() + time.size(), micros);

    std::string_view rest = line.substr(close + 1);
    if (rest.empty() || rest.front() != ' ') return "expected a space after the time";
    rest.remove_prefix(1);
    const std::size_t space = rest.find(' ');
    if (space == 0 || space == std::string_view::npos) return "expected IFACE ID#DATA after the time";
    std::string_view frame_text = rest.substr(space + 1);
    // candump -x writes the direction after the frame: R received, T transmitted.
    if (const std::size_t after = frame_text.find(' '); after != std::string_view::npos) {
        const std::string_view direction = frame_text.substr(after + 1);
        if (direction != "R" && direction != "T") return "after the frame only the direction R or T may follow";
        frame_text = frame_text.substr(0, after);
    }
    if (frame_text.find('\t') != std::string_view::npos) return "unexpected text after the frame";

    const std::size_t hash = frame_text.find('#');
    if (hash == std::string_view::npos) return "the frame has no '#'";
    const std::string_view id_text = frame_text.substr(0, hash);
    std::string_view data_text = frame_text.substr(hash + 1);
    if (!data_text.empty() && data_text.front() == '#') return "CAN FD frames are not supported";
    if (!data_text.empty() && (data_text.front() == 'R' || data_text.front() == 'r'))
        return "remote frames are not supported";
    if (id_text.size() != 3 && id_text.size() != 8)
        return "the identifier is not three (standard) or eight (extended) hexadecimal digits";
    std::uint32_t id = 0;
    for (const char c : id_text) {
        const int digit = hex_digit(c);
        if (digit < 0) return "the identifier is not hexadecimal";
        id = id << 4 | static_cast<std::uint32_t>(digit);
    }
    const bool extended = id_text.size() == 8;
    // The flag bits of an extended word: error frame, remote request.
    if (extended && (id & 0x20000000u) != 0) return "error frames are not supported";
    if (extended && (id & 0x40000000u) != 0) return "remote frames are not supported";
    if (extended ? id > 0x1FFFFFFFu : id > 0x7FFu)
        return extended ? "the identifier is above 1FFFFFFF" : "the identifier is above 7FF";
    // "_B": the raw length code (9 to F) of a frame that carries 8 bytes. The controller reports
    // no such code, so the frame is read with its 8 bytes.
    bool raw_length_code = false;
    if (const std::size_t underscore = data_text.find('_'); underscore != std::string_view::npos) {
        const std::string_view code = data_text.substr(underscore + 1);
        if (code.size() != 1 || hex_digit(code.front()) < 9)
            return "the length code after '_' is not one hexadecimal digit from 9 to F";
        data_text = data_text.substr(0, underscore);
        raw_length_code = true;
    }
    // The bytes, optionally separated by dots between whole bytes ("11.2233.44").
    std::uint8_t data[kCanMaxData] = {};
    std::size_t digits = 0;
    char previous = '\0';
    for (const char c : data_text) {
        if (c == '.') {
            if (digits % 2 != 0) return "a dot splits a data byte";
            if (previous == '.') return "two dots in a row in the data";
        } else {
            const int digit = hex_digit(c);
            if (digit < 0) return "the data is not hexadecimal";
            if (digits == 2 * kCanMaxData) return "more than 8 data bytes";
            data[digits / 2] = static_cast<std::uint8_t>(data[digits / 2] << 4 | digit);
            ++digits;
        }
        previous = c;
    }
    if (digits % 2 != 0) return "the data has an odd number of hexadecimal digits";
    if (raw_length_code && digits != 2 * kCanMaxData) return "a length code after '_' needs 8 data bytes";
    time_us = seconds * 1000000 + micros;
    frame = CanFrame::make(extended ? id : id << kCanStandardShift, extended,
                           std::span<const std::uint8_t>(data, digits / 2), 0);
    return {};
}

}  // namespace

std::uint32_t can_identifier(const CanFrame& frame) {
    const std::uint32_t word = frame.id_word();
    return frame.extended() ? word & 0x1FFFFFFFu : (word >> kCanStandardShift) & 0x7FFu;
}

std::string candump_id(const CanFrame& frame) {
    return strprintf(frame.extended() ? "%08lX" : "%03lX", static_cast<unsigned long>(can_identifier(frame)));
}

std::string candump_line(const CanFrame& frame) {
    return candump_line(frame, static_cast<std::uint64_t>(frame.stamp_ms()) * 1000);
}

std::string candump_line(const CanFrame& frame, std::uint64_t time_us) {
    std::string line = strprintf("(%llu.%06llu) ", static_cast<unsigned long long>(time_us / 1000000),
                                 static_cast<unsigned long long>(time_us % 1000000));
    line += kCandumpInterface;
    line += ' ';
    line += candump_id(frame);
    line += '#';
    line += to_hex(frame.data());
    return line;
}

bool is_candump_log(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::string_view line = next_line(text, at);
        if (!is_blank_or_comment(line)) return line.front() == '(';
    }
    return false;
}

CandumpRead read_candump(std::string_view text) {
    CandumpRead result;
    std::size_t line_number = 0;
    std::size_t at = 0;
    // The frames' time from the first one on, in microseconds, with the steps kept that a
    // recording can hold.
    std::uint64_t first_us = 0;  // on the controller's clock
    std::uint64_t previous_us = 0;
    std::uint64_t since_first_us = 0;
    while (at < text.size()) {
        const std::string_view line = next_line(text, at);
        ++line_number;
        if (is_blank_or_comment(line)) continue;
        CanFrame frame;
        std::uint64_t time_us = 0;
        const std::string why = parse_line(line, frame, time_us);
        if (!why.empty()) {
            result.error = "line " + std::to_string(line_number) + ": " + why;
            result.frames.clear();
            return result;
        }
        if (result.frames.empty()) {
            // A time the controller's clock could not show is the time of day: it starts at 0.
            first_us = time_us / 1000 > 0xFFFFFFFFu ? 0 : time_us;
        } else {
            const std::uint64_t step = time_us - previous_us;
            if (time_us >= previous_us && step <= std::uint64_t{kLongestReplayStepMs} * 1000) since_first_us += step;
        }
        previous_us = time_us;
        frame.set_stamp_ms(static_cast<std::uint32_t>((first_us + since_first_us) / 1000));
        result.frames.push_back(frame);
    }
    return result;
}

}  // namespace ztv
