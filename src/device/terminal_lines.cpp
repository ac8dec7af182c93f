#include "device/terminal_lines.h"

namespace ztv {

void TerminalLineAssembler::feed(std::span<const std::uint8_t> bytes, const LineSink& sink) {
    for (const std::uint8_t byte : bytes) feed(static_cast<char>(byte), sink);
}

void TerminalLineAssembler::feed(char c, const LineSink& sink) {
    if (c == '\n') {
        end_line(sink);
    } else if (length_ >= kCapacity) {
        // The line is full: it ends here and this character is lost.
        end_line(sink);
    } else if (length_ >= kCommaSplitFrom && c == ',') {
        buffer_[length_++] = c;
        end_line(sink);
    } else if (c != '\r') {
        buffer_[length_++] = c;
    }
}

void TerminalLineAssembler::end_line(const LineSink& sink) {
    buffer_[length_] = '\0';
    const std::string_view line(buffer_.data(), length_);
    length_ = 0;
    if (sink) sink(line);
}

}  // namespace ztv
