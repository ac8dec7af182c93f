// Assembles the controller's debug text, which arrives in pieces of any size, into lines.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace ztv {

class TerminalLineAssembler {
public:
    static constexpr std::size_t kCapacity = 9999;       // characters of one line
    static constexpr std::size_t kCommaSplitFrom = 9990;  // a comma this late ends the line

    using LineSink = std::function<void(std::string_view line)>;

    // Feeds received bytes in order; every completed line goes to sink (without CR or LF).
    void feed(std::span<const std::uint8_t> bytes, const LineSink& sink);
    void feed(char c, const LineSink& sink);
    // Drops a partial line (a new connection starts afresh).
    void reset() { length_ = 0; }
    std::size_t pending() const { return length_; }

private:
    void end_line(const LineSink& sink);

    std::array<char, kCapacity + 1> buffer_{};
    std::size_t length_ = 0;
};

}  // namespace ztv
