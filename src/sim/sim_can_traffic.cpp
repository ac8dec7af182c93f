#include "sim/sim_can_traffic.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "common/file_io.h"
#include "diag/candump_log.h"

namespace ztv::sim {
namespace {

// Timed traffic: each source has a period and a next due time; frames come out in time order.
struct Source {
    std::uint32_t word;
    bool extended;
    std::uint32_t period_ms;
    std::uint8_t dlc;
    std::uint8_t kind;  // how the data change, as the traffic numbers its kinds
    std::uint32_t due_ms = 0;
    std::uint32_t round = 0;
};

class TimedTraffic : public CanTraffic {
public:
    void restart(std::uint32_t now_ms) override {
        for (std::size_t i = 0; i < sources_.size(); ++i)
            sources_[i].due_ms = now_ms + static_cast<std::uint32_t>(i * 7 % sources_[i].period_ms);
    }

    void produce(std::uint32_t now_ms, std::size_t room, std::vector<CanFrame>& out) override {
        // Take the earliest due source each time; a handful of dozens of sources makes a scan fine.
        while (true) {
            Source* next = nullptr;
            for (Source& s : sources_)
                if (static_cast<std::int32_t>(now_ms - s.due_ms) >= 0 &&
                    (next == nullptr || static_cast<std::int32_t>(s.due_ms - next->due_ms) < 0))
                    next = &s;
            if (next == nullptr) return;
            if (room == 0) {
                // The buffer is full: what is due now is lost.
                for (Source& s : sources_)
                    while (static_cast<std::int32_t>(now_ms - s.due_ms) >= 0) s.due_ms += s.period_ms;
                return;
            }
            std::array<std::uint8_t, kCanMaxData> data{};
            fill_data(*next, data);
            out.push_back(CanFrame::make(next->word, next->extended,
                                         std::span<const std::uint8_t>(data.data(), next->dlc), next->due_ms));
            --room;
            ++next->round;
            next->due_ms += next->period_ms;
        }
    }

protected:
    virtual void fill_data(const Source& s, std::array<std::uint8_t, kCanMaxData>& data) const = 0;
    std::vector<Source> sources_;
};

// CRC-8 of the SAE J1850 kind (polynomial 0x1D, start and final XOR 0xFF), as many cars
// guard their frames with.
std::uint8_t crc8_j1850(std::span<const std::uint8_t> bytes) {
    std::uint8_t crc = 0xFF;
    for (const std::uint8_t b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint8_t>((crc & 0x80) != 0 ? (crc << 1) ^ 0x1D : crc << 1);
    }
    return static_cast<std::uint8_t>(crc ^ 0xFF);
}

// A small deterministic wobble of -spread..spread for the given round.
int jitter(std::uint32_t round, std::uint32_t salt, int spread) {
    std::uint32_t h = (round + 1) * 0x9E3779B1u ^ salt * 0x85EBCA6Bu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return static_cast<int>(h % static_cast<std::uint32_t>(2 * spread + 1)) - spread;
}

double wave(double t_s, double period_s) { return std::sin(2 * 3.14159265358979 * t_s / period_s); }

// A parked car with its engine idling, as a bus of a few dozen identifiers shows it: frames
// guarded by an alive counter and a CRC, engine speed wandering around idle, temperatures
// creeping up as the engine warms and then flickering by one, a battery voltage flickering,
// door and light states that hold, a diagnostic request without data. Its one button (the
// steering wheel's) is pressed the way someone trying the CAN page presses it: not while the
// background is learned after "Start", but a while later, now and then.
class DemoBus final : public TimedTraffic {
public:
    DemoBus() {
        struct Row {
            std::uint32_t id;
            bool extended;
            std::uint32_t period_ms;
            std::uint8_t dlc;
            Kind kind;
        };
        // About 180 frames a second in all: the protocol moves at most three records a poll,
        // so a busier demo would only show a controller dropping frames.
        static constexpr Row kRows[] = {
            {0x0C1, false, 10, 8, Kind::Engine},        {kDemoButtonId, false, 100, 4, Kind::Buttons},
            {0x0C1C0000, true, 100, 8, Kind::Temperatures}, {0x0C9, false, 200, 8, Kind::Engine},
            {0x3E5, false, 200, 8, Kind::Counter},       {0x12F85150, true, 200, 8, Kind::Guarded},
            {0x43F, false, 200, 8, Kind::Voltage},       {0x0F1, false, 500, 4, Kind::Counter},
            {0x130, false, 500, 5, Kind::Static},        {0x17D, false, 500, 8, Kind::Engine},
            {0x1A0, false, 500, 8, Kind::Guarded},       {0x1E5, false, 500, 7, Kind::Voltage},
            {0x1F1, false, 500, 8, Kind::Static},        {0x21A, false, 500, 3, Kind::Alternating},
            {0x260, false, 500, 6, Kind::Counter},       {0x316, false, 500, 8, Kind::Engine},
            {0x329, false, 500, 8, Kind::Temperatures},  {0x3AA, false, 500, 2, Kind::Alternating},
            {0x60D, false, 500, 8, Kind::Alternating},   {0x6B2, false, 500, 5, Kind::Counter},
            {0x17333110, true, 500, 8, Kind::Guarded},   {0x17F00010, true, 500, 4, Kind::Static},
            {0x1CFFFF01, true, 500, 6, Kind::Counter},   {0x2F0, false, 1000, 8, Kind::Static},
            {0x412, false, 1000, 8, Kind::Static},       {0x4C1, false, 1000, 8, Kind::Static},
            {0x5E4, false, 1000, 8, Kind::Static},       {0x65F, false, 1000, 8, Kind::Static},
            {0x7DF, false, 1000, 0, Kind::Static},       {0x7E8, false, 1000, 8, Kind::Temperatures},
            {0x18DA00F1, true, 1000, 8, Kind::Voltage},  {0x18DAF100, true, 1000, 8, Kind::Static},
        };
        for (const Row& r : kRows)
            sources_.push_back(Source{r.extended ? r.id : r.id << kCanStandardShift, r.extended, r.period_ms, r.dlc,
                                      static_cast<std::uint8_t>(r.kind)});
        restart(0);
    }

    void restart(std::uint32_t now_ms) override {
        TimedTraffic::restart(now_ms);
        started_ms_ = now_ms;
    }

private:
    enum class Kind : std::uint8_t { Static, Counter, Guarded, Engine, Temperatures, Voltage, Alternating, Buttons };

    void fill_data(const Source& s, std::array<std::uint8_t, kCanMaxData>& data) const override {
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<std::uint8_t>(s.word >> (8 * (i % 4)) ^ (0x11 * i));
        // Seconds of this identifier's traffic; values that flicker do so on their own clock,
        // the same for a frame every 100 ms and one every second.
        const double t = s.round * s.period_ms / 1000.0;
        const auto every = [t](double seconds) { return static_cast<std::uint32_t>(t / seconds); };
        switch (static_cast<Kind>(s.kind)) {
            case Kind::Static: break;
            case Kind::Counter: data[0] = static_cast<std::uint8_t>(s.round); break;
            case Kind::Guarded: guard(s, data); break;
            case Kind::Engine: {
                // Idle speed (rpm x 4, big-endian) wanders around 780 rpm, the throttle rests.
                const double rpm = 780 + 30 * wave(t, 17) + 10 * wave(t, 2.3) + jitter(s.round, s.word, 3);
                const auto raw = static_cast<std::uint16_t>(rpm * 4);
                data[1] = static_cast<std::uint8_t>(raw >> 8);
                data[2] = static_cast<std::uint8_t>(raw);
                data[3] = 0;
                guard(s, data);
                break;
            }
            case Kind::Temperatures: {
                // Coolant (degrees + 40) warms by a degree every 3 s up to 90, oil follows
                // slower; both then flicker by one, as does the outside air.
                const double coolant = std::min(50.0 + t / 3, 90.0) + (t > 120 && jitter(every(2), 1, 1) > 0 ? 1 : 0);
                const double oil = std::min(40.0 + t / 5, 85.0) + (t > 225 && jitter(every(3), 2, 1) > 0 ? 1 : 0);
                data[0] = static_cast<std::uint8_t>(coolant + 40);
                data[1] = static_cast<std::uint8_t>(oil + 40);
                data[2] = static_cast<std::uint8_t>(18 + 40 + (jitter(every(1.5), 3, 1) > 0 ? 1 : 0));
                guard(s, data);
                break;
            }
            case Kind::Voltage:
                // 14.1 V in tenths, flickering by one tenth.
                data[0] = static_cast<std::uint8_t>(141 + jitter(every(0.8), s.word, 1));
                break;
            case Kind::Alternating: data[0] = (s.round % 2) != 0 ? 0xAA : 0x55; break;
            case Kind::Buttons: {
                data[0] = 0x00;
                data[1] = 0xC0;
                const std::uint32_t since = s.due_ms - started_ms_;
                if (since >= kDemoFirstPressMs && (since - kDemoFirstPressMs) % kDemoPressEveryMs < kDemoPressHoldMs)
                    data[0] = 0x04;
                guard(s, data);
                break;
            }
        }
    }

    // The last two bytes (of at least three): an alive counter of 0-15 and the CRC of the rest.
    static void guard(const Source& s, std::array<std::uint8_t, kCanMaxData>& data) {
        const std::size_t n = s.dlc;
        if (n < 3) return;
        data[n - 2] = static_cast<std::uint8_t>((data[n - 2] & 0xF0) | (s.round & 0x0F));
        data[n - 1] = crc8_j1850(std::span<const std::uint8_t>(data.data(), n - 1));
    }

    std::uint32_t started_ms_ = 0;
};

class LoadTraffic final : public CanTraffic {
public:
    LoadTraffic(std::size_t identifiers, std::uint32_t frames_per_second)
        : identifiers_(std::max<std::size_t>(identifiers, 1)), rate_(std::max<std::uint32_t>(frames_per_second, 1)) {}

    void restart(std::uint32_t now_ms) override {
        start_ms_ = now_ms;
        produced_ = 0;
    }

    void produce(std::uint32_t now_ms, std::size_t room, std::vector<CanFrame>& out) override {
        const std::uint64_t due = static_cast<std::uint64_t>(now_ms - start_ms_) * rate_ / 1000;
        while (produced_ < due) {
            if (room == 0) {
                produced_ = due;  // lost for want of buffer
                return;
            }
            const auto id = static_cast<std::uint32_t>(produced_ % identifiers_);
            const auto round = static_cast<std::uint32_t>(produced_ / identifiers_);
            const std::array<std::uint8_t, kCanMaxData> data = {
                static_cast<std::uint8_t>(round), static_cast<std::uint8_t>(round >> 8), static_cast<std::uint8_t>(id),
                static_cast<std::uint8_t>(id >> 8), 0x00, 0x11, 0x22, 0x33};
            const auto stamp = static_cast<std::uint32_t>(start_ms_ + produced_ * 1000 / rate_);
            // Bit 0 set keeps every identifier in the extended form of the table.
            out.push_back(CanFrame::make(0x10000001u + (id << 1), true, data, stamp));
            ++produced_;
            --room;
        }
    }

private:
    std::size_t identifiers_;
    std::uint32_t rate_;
    std::uint32_t start_ms_ = 0;
    std::uint64_t produced_ = 0;
};

// A recording handed out at the pace of its stamps (`speed` thousandths of real time), or as
// fast as the program takes the frames (speed 0). Each frame is due once the replay's clock
// reaches its time in the recording; due frames wait until taken, none is lost. The replay
// runs only while the log does: switched on again, it goes on from the frame it stopped at.
class ReplayTraffic final : public CanTraffic {
public:
    ReplayTraffic(std::vector<CanFrame> frames, std::uint32_t speed) : frames_(std::move(frames)), speed_(speed) {
        // Each frame's time in the recording, from the first; wraps of the controller's clock
        // are steps forward, and what no recording can hold is no step at all.
        at_ms_.reserve(frames_.size());
        std::uint64_t at = 0;
        for (std::size_t i = 0; i < frames_.size(); ++i) {
            if (i > 0) {
                const std::uint32_t step = frames_[i].stamp_ms() - frames_[i - 1].stamp_ms();
                if (step <= kLongestReplayStepMs) at += step;
            }
            at_ms_.push_back(at);
        }
    }
    void restart(std::uint32_t now_ms) override {
        started_ = true;
        last_now_ms_ = now_ms;
    }
    void produce(std::uint32_t now_ms, std::size_t room, std::vector<CanFrame>& out) override {
        if (!started_) restart(now_ms);
        played_us_ += std::uint64_t{now_ms - last_now_ms_} * speed_;
        last_now_ms_ = now_ms;
        while (room > 0 && next_ < frames_.size() && (speed_ == 0 || at_ms_[next_] * 1000 <= played_us_)) {
            out.push_back(frames_[next_++]);
            --room;
        }
    }
    // One pull's worth: frames are handed out only as the program takes them, so a log
    // switched off loses at most these.
    std::size_t queue_limit() const override { return kCanPullMax / kCanRecordSize; }

private:
    std::vector<CanFrame> frames_;
    std::vector<std::uint64_t> at_ms_;
    std::uint32_t speed_;
    std::size_t next_ = 0;
    bool started_ = false;
    std::uint32_t last_now_ms_ = 0;
    std::uint64_t played_us_ = 0;  // how far into the recording the replay has come
};

std::vector<std::string_view> words_of(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        std::size_t end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
        if (end > at) words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

bool parse_number(std::string_view text, int base, std::uint64_t limit, std::uint64_t& value) {
    if (text.empty() || text.size() > 12) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size() && value <= limit;
}

}  // namespace

std::unique_ptr<CanTraffic> make_demo_can_bus() { return std::make_unique<DemoBus>(); }

std::unique_ptr<CanTraffic> make_can_load(std::size_t identifiers, std::uint32_t frames_per_second) {
    return std::make_unique<LoadTraffic>(identifiers, frames_per_second);
}

CanReplayLoad parse_can_replay(const std::string& text, std::uint32_t speed) {
    CanReplayLoad result;
    // A can-utils log's frames start with their "(SECONDS.MICROSECONDS)"; ours never do.
    if (is_candump_log(text)) {
        CandumpRead read = read_candump(text);
        if (!read.error.empty()) {
            result.error = std::move(read.error);
            return result;
        }
        result.traffic = std::make_unique<ReplayTraffic>(std::move(read.frames), speed);
        return result;
    }
    std::vector<CanFrame> frames;
    std::size_t line_number = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + at, end - at);
        at = end + 1;
        ++line_number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto words = words_of(line);
        if (words.empty() || words[0][0] == '#') continue;
        const auto fail = [&](const char* why) {
            result.error = "line " + std::to_string(line_number) + ": " + why;
            return std::move(result);
        };
        if (words.size() < 4) return fail("expected STAMP KIND ID DLC [BYTE...]");
        std::uint64_t stamp = 0, id = 0, dlc = 0;
        if (!parse_number(words[0], 10, 0xFFFFFFFFu, stamp)) return fail("the stamp is not a decimal number below 2^32");
        const bool extended = words[1] == "X";
        if (!extended && words[1] != "S") return fail("the kind is neither S nor X");
        if (!parse_number(words[2], 16, extended ? 0x1FFFFFFFu : 0x7FFu, id))
            return fail(extended ? "the identifier is not hexadecimal up to 1FFFFFFF" : "the identifier is not hexadecimal up to 7FF");
        if (!parse_number(words[3], 10, 8, dlc)) return fail("the DLC is not 0 to 8");
        if (words.size() != 4 + dlc) return fail("the number of bytes differs from the DLC");
        std::array<std::uint8_t, kCanMaxData> data{};
        for (std::size_t i = 0; i < dlc; ++i) {
            std::uint64_t byte = 0;
            if (words[4 + i].size() != 2 || !parse_number(words[4 + i], 16, 0xFF, byte))
                return fail("a byte is not two hexadecimal digits");
            data[i] = static_cast<std::uint8_t>(byte);
        }
        const auto word = static_cast<std::uint32_t>(extended ? id : id << kCanStandardShift);
        frames.push_back(CanFrame::make(word, extended, std::span<const std::uint8_t>(data.data(), dlc),
                                        static_cast<std::uint32_t>(stamp)));
    }
    result.traffic = std::make_unique<ReplayTraffic>(std::move(frames), speed);
    return result;
}

CanReplayLoad load_can_replay(const std::string& path, std::uint32_t speed) {
    return read_can_replay(read_file_bounded(path, kCanReplayMaxBytes), speed);
}

CanReplayLoad read_can_replay(const FileReadResult& file, std::uint32_t speed) {
    CanReplayLoad result;
    switch (file.status) {
        case FileReadStatus::Ok: return parse_can_replay(file.content, speed);
        case FileReadStatus::NotFound: result.error = "no such file"; break;
        case FileReadStatus::TooLarge: result.error = "larger than 64 MB"; break;
        case FileReadStatus::Unreadable: result.error = "cannot be read: " + read_failure_reason(file.problem).en; break;
    }
    return result;
}

}  // namespace ztv::sim
