#include "common/json_writer.h"

namespace ztv {
namespace {

// The length of the well-formed UTF-8 sequence at text[at], or 0 when the bytes there are not
// one (a stray continuation byte, a truncated or overlong sequence, a surrogate, beyond U+10FFFF).
std::size_t utf8_length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

}  // namespace

std::string json_string(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        const std::size_t length = utf8_length(text, at);
        if (length == 0) {
            out += "\xEF\xBF\xBD";  // U+FFFD for the byte that is not UTF-8
            ++at;
            continue;
        }
        if (length > 1) {
            out.append(text, at, length);
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
        at += length;
    }
    out += '"';
    return out;
}

void JsonWriter::before_value() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (has_members_.empty()) return;
    if (has_members_.back()) text_ += ',';
    has_members_.back() = true;
    text_ += '\n';
    text_.append(2 * has_members_.size(), ' ');
}

JsonWriter& JsonWriter::raw(std::string_view token) {
    before_value();
    text_ += token;
    if (has_members_.empty()) text_ += '\n';
    return *this;
}

JsonWriter& JsonWriter::open(char bracket) {
    before_value();
    text_ += bracket;
    has_members_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    const bool members = has_members_.back();
    has_members_.pop_back();
    if (members) {
        text_ += '\n';
        text_.append(2 * has_members_.size(), ' ');
    }
    text_ += bracket;
    if (has_members_.empty()) text_ += '\n';
    return *this;
}

JsonWriter& JsonWriter::begin_object() { return open('{'); }
JsonWriter& JsonWriter::end_object() { return close('}'); }
JsonWriter& JsonWriter::begin_array() { return open('['); }
JsonWriter& JsonWriter::end_array() { return close(']'); }

JsonWriter& JsonWriter::key(std::string_view name) {
    before_value();
    text_ += json_string(name);
    text_ += ": ";
    after_key_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) { return raw(json_string(text)); }
JsonWriter& JsonWriter::value(bool flag) { return raw(flag ? "true" : "false"); }

}  // namespace ztv
