#include "common/ini_document.h"

#include <cstdint>

#include "common/ascii_text.h"

namespace ztv {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What get() takes off a value: one pair of matching quotes around it.
bool quoted(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

// "[name]" (blanks allowed around it) gives name; anything else is not a section header.
std::optional<std::string_view> section_name(std::string_view line) {
    line = trim_blanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim_blanks(line.substr(1, close - 1));
}

}  // namespace

std::size_t IniDocument::CaselessHash::operator()(std::string_view name) const {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(ascii_lower(c))) * 1099511628211ull;
    return static_cast<std::size_t>(hash);
}

bool IniDocument::CaselessEqual::operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    return true;
}

void IniDocument::index_line(Section& section, std::size_t line_index) {
    Line& line = section.lines[line_index];
    const std::size_t equals = line.text.find('=');
    line.is_key = false;
    if (equals == std::string::npos) return;
    const std::string_view key = trim_blanks(std::string_view(line.text).substr(0, equals));
    if (key.empty()) return;
    line.is_key = true;
    line.value_begin = equals + 1;
    section.keys.try_emplace(std::string(key), line_index);
}

IniDocument IniDocument::parse(std::string_view content) {
    IniDocument doc;
    if (content.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        content.remove_prefix(kByteOrderMark.size());
        doc.byte_order_mark_ = true;
    }
    bool end_seen = false;
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = content.size();
        const std::string_view text = content.substr(pos, end - pos);
        std::size_t end_length = 0;
        if (end < content.size()) end_length = content.substr(end, 2) == "\r\n" ? 2 : 1;
        Line line{std::string(text), std::string(content.substr(end, end_length))};
        pos = end + end_length;
        if (!end_seen && end_length > 0) {
            doc.line_end_ = line.end;  // lines added later follow the file's own habit
            end_seen = true;
        }

        if (const auto name = section_name(text)) {
            doc.section_index_.try_emplace(std::string(*name), doc.sections_.size());
            doc.sections_.push_back(Section{std::move(line), {}, {}});
        } else if (doc.sections_.empty()) {
            doc.preamble_.push_back(std::move(line));
        } else {
            Section& section = doc.sections_.back();
            section.lines.push_back(std::move(line));
            index_line(section, section.lines.size() - 1);
        }
    }
    return doc;
}

IniDocument::Section* IniDocument::find_section(std::string_view section) {
    const auto it = section_index_.find(trim_blanks(section));
    return it == section_index_.end() ? nullptr : &sections_[it->second];
}

const IniDocument::Section* IniDocument::find_section(std::string_view section) const {
    const auto it = section_index_.find(trim_blanks(section));
    return it == section_index_.end() ? nullptr : &sections_[it->second];
}

bool IniDocument::has_section(std::string_view section) const { return find_section(section) != nullptr; }

std::optional<std::string_view> IniDocument::get(std::string_view section, std::string_view key) const {
    const Section* s = find_section(section);
    if (s == nullptr) return std::nullopt;
    const auto it = s->keys.find(trim_blanks(key));
    if (it == s->keys.end()) return std::nullopt;
    const Line& line = s->lines[it->second];
    std::string_view value = trim_blanks(std::string_view(line.text).substr(line.value_begin));
    if (quoted(value)) value = value.substr(1, value.size() - 2);
    return value;
}

namespace {

// What set() writes: a control byte would break or cut the line, so it becomes a blank.
std::string without_control_bytes(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = ' ';
    return out;
}

}  // namespace

void IniDocument::set_text(std::string_view section, std::string_view key, std::string_view value) {
    const std::string text = without_control_bytes(value);
    // Blanks at either end or a pair of quotes around the text would be lost on reading: the
    // text goes in quotes of its own, which any reader of such files takes off again.
    if (trim_blanks(text).size() != text.size() || quoted(text))
        set(section, key, "\"" + text + "\"");
    else
        set(section, key, text);
}

void IniDocument::set(std::string_view section_in, std::string_view key_in, std::string_view value_in) {
    const std::string section = without_control_bytes(section_in);
    const std::string key = without_control_bytes(key_in);
    std::string text;
    text.reserve(key.size() + 1 + value_in.size());
    text.append(key).append("=").append(without_control_bytes(value_in));

    Section* s = find_section(section);
    if (s == nullptr) {
        section_index_.try_emplace(std::string(trim_blanks(section)), sections_.size());
        sections_.push_back(Section{Line{"[" + section + "]", line_end_}, {}, {}});
        s = &sections_.back();
    }
    const auto it = s->keys.find(trim_blanks(key));
    if (it != s->keys.end()) {
        Line& line = s->lines[it->second];  // keeps its own line end
        line.text = std::move(text);
        line.value_begin = key.size() + 1;
        return;
    }
    // Append after the section's last non-blank line, so blank separator lines stay last.
    std::size_t at = s->lines.size();
    while (at > 0 && trim_blanks(s->lines[at - 1].text).empty()) --at;
    if (at != s->lines.size()) {
        for (auto& entry : s->keys)
            if (entry.second >= at) ++entry.second;
    }
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), line_end_, key.size() + 1, true});
    s->keys.emplace(std::string(trim_blanks(key)), at);
}

std::string IniDocument::serialize() const {
    std::vector<const Line*> all;
    std::size_t size = 0;
    const auto take = [&](const Line& line) {
        all.push_back(&line);
        size += line.text.size() + 2;
    };
    for (const auto& line : preamble_) take(line);
    for (const auto& section : sections_) {
        take(section.header);
        for (const auto& line : section.lines) take(line);
    }
    std::string out;
    out.reserve(size + kByteOrderMark.size());
    if (byte_order_mark_) out.append(kByteOrderMark);
    for (std::size_t i = 0; i < all.size(); ++i) {
        out.append(all[i]->text);
        // A last line read without an end keeps none, unless something now follows it.
        out.append(all[i]->end.empty() && i + 1 < all.size() ? line_end_ : all[i]->end);
    }
    return out;
}

}  // namespace ztv
