// A JSON document written as it is built, for the tool's machine-readable output: objects and
// arrays nest, commas, indentation and escapes are taken care of. Strings go out as UTF-8 that
// any parser takes: quotes, backslashes and control characters (NUL included) are escaped, and
// bytes that are not UTF-8 (a name from a controller, a file in Windows-1251) become U+FFFD.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ztv {

class JsonWriter {
public:
    JsonWriter& begin_object();
    JsonWriter& end_object();
    JsonWriter& begin_array();
    JsonWriter& end_array();
    // The next member's name (inside an object, before its value).
    JsonWriter& key(std::string_view name);

    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(bool flag);
    template <std::integral Number>
        requires(!std::same_as<Number, bool>)
    JsonWriter& value(Number number) {
        return raw(std::to_string(number));
    }
    JsonWriter& null() { return raw("null"); }

    // The document, ending in a line break once the outermost value is closed.
    const std::string& text() const { return text_; }

private:
    JsonWriter& raw(std::string_view token);
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    void before_value();

    std::string text_;
    std::vector<bool> has_members_;  // per open object or array: something was written in it
    bool after_key_ = false;
};

// text as a JSON string, quotes included.
std::string json_string(std::string_view text);

}  // namespace ztv
