// A strict JSON reader for tests, so that the tool's machine-readable output is checked by
// reading it as a script would, not by comparing strings. Anything that is not JSON (a
// trailing comma, a raw control character, a bad escape, bytes that are not UTF-8, text after
// the document) makes parse_json return nothing.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ztv::test {

struct JsonValue {
    using Array = std::vector<JsonValue>;
    using Object = std::map<std::string, JsonValue>;
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Array>, std::shared_ptr<Object>> data;

    bool is_null() const { return std::holds_alternative<std::nullptr_t>(data); }
    double number() const { return std::get<double>(data); }
    bool flag() const { return std::get<bool>(data); }
    const std::string& text() const { return std::get<std::string>(data); }
    const Array& array() const { return *std::get<std::shared_ptr<Array>>(data); }
    const Object& object() const { return *std::get<std::shared_ptr<Object>>(data); }
    const JsonValue& operator[](const std::string& key) const { return object().at(key); }
    const JsonValue& operator[](std::size_t index) const { return array().at(index); }
};

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    std::optional<JsonValue> document() {
        auto value = read_value();
        skip_blanks();
        if (!value || at_ != text_.size()) return std::nullopt;
        return value;
    }

private:
    void skip_blanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t')) ++at_;
    }
    bool take(char c) {
        skip_blanks();
        if (at_ < text_.size() && text_[at_] == c) return ++at_, true;
        return false;
    }
    bool word(std::string_view w) {
        if (text_.substr(at_, w.size()) != w) return false;
        at_ += w.size();
        return true;
    }
    std::optional<JsonValue> read_value() {
        skip_blanks();
        if (at_ >= text_.size()) return std::nullopt;
        const char c = text_[at_];
        if (c == '{') return read_object();
        if (c == '[') return read_array();
        if (c == '"') {
            auto s = read_string();
            if (!s) return std::nullopt;
            return JsonValue{*s};
        }
        if (word("null")) return JsonValue{nullptr};
        if (word("true")) return JsonValue{true};
        if (word("false")) return JsonValue{false};
        return read_number();
    }
    std::optional<JsonValue> read_number() {
        const std::size_t start = at_;
        if (at_ < text_.size() && text_[at_] == '-') ++at_;
        const std::size_t digits = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
        if (at_ == digits || (text_[digits] == '0' && at_ - digits > 1)) return std::nullopt;
        if (at_ < text_.size() && text_[at_] == '.') {
            const std::size_t decimals = ++at_;
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
            if (at_ == decimals) return std::nullopt;
        }
        return JsonValue{std::stod(std::string(text_.substr(start, at_ - start)))};
    }
    std::optional<JsonValue> read_array() {
        auto array = std::make_shared<JsonValue::Array>();
        ++at_;
        if (take(']')) return JsonValue{array};
        do {
            auto item = read_value();
            if (!item) return std::nullopt;
            array->push_back(*item);
        } while (take(','));
        if (!take(']')) return std::nullopt;
        return JsonValue{array};
    }
    std::optional<JsonValue> read_object() {
        auto object = std::make_shared<JsonValue::Object>();
        ++at_;
        if (take('}')) return JsonValue{object};
        do {
            skip_blanks();
            auto name = read_string();
            if (!name || !take(':')) return std::nullopt;
            auto item = read_value();
            if (!item || object->count(*name) != 0) return std::nullopt;  // no name twice
            (*object)[*name] = *item;
        } while (take(','));
        if (!take('}')) return std::nullopt;
        return JsonValue{object};
    }
    static void put_utf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) out += static_cast<char>(cp);
        else if (cp < 0x800) out += {static_cast<char>(0xC0 | cp >> 6), static_cast<char>(0x80 | (cp & 0x3F))};
        else out += {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | (cp >> 6 & 0x3F)), static_cast<char>(0x80 | (cp & 0x3F))};
    }
    std::optional<std::string> read_string() {
        if (at_ >= text_.size() || text_[at_] != '"') return std::nullopt;
        ++at_;
        std::string out;
        while (at_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[at_]);
            if (c == '"') return ++at_, out;
            if (c < 0x20) return std::nullopt;
            if (c == '\\') {
                if (++at_ >= text_.size()) return std::nullopt;
                const char e = text_[at_++];
                const std::string_view simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
                if (const auto i = simple.find(e); i != std::string_view::npos) {
                    out += meaning[i];
                } else if (e == 'u' && at_ + 4 <= text_.size() &&
                           text_.substr(at_, 4).find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos) {
                    put_utf8(out, static_cast<std::uint32_t>(std::stoul(std::string(text_.substr(at_, 4)), nullptr, 16)));
                    at_ += 4;
                } else {
                    return std::nullopt;
                }
                continue;
            }
            // One UTF-8 character, checked by decoding it.
            const int length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
            if (length == 0 || at_ + static_cast<std::size_t>(length) > text_.size()) return std::nullopt;
            std::uint32_t cp = length == 1 ? c : c & (0x7F >> length);
            for (int i = 1; i < length; ++i) {
                const auto next = static_cast<unsigned char>(text_[at_ + static_cast<std::size_t>(i)]);
                if ((next & 0xC0) != 0x80) return std::nullopt;
                cp = cp << 6 | (next & 0x3F);
            }
            const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
            if (cp < least[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
            out.append(text_.substr(at_, static_cast<std::size_t>(length)));
            at_ += static_cast<std::size_t>(length);
        }
        return std::nullopt;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

inline std::optional<JsonValue> parse_json(std::string_view text) { return JsonReader(text).document(); }

}  // namespace ztv::test
