// An INI text held in memory with the semantics of the Windows private-profile calls:
// section and key names match without regard to ASCII letter case, the first match wins,
// writing replaces a key where it stands or appends it to its section (creating the section
// at the end), and every line this program does not write is kept as it was, line end and all.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ztv {

class IniDocument {
public:
    // Lines may end in CR LF, LF or CR; a leading UTF-8 byte-order mark is not part of the
    // first line, and is written back by serialize() (another program put it there).
    static IniDocument parse(std::string_view content);

    // The value of the first matching key of the first matching section, with surrounding
    // blanks removed and one pair of enclosing quotes stripped; nothing when absent.
    std::optional<std::string_view> get(std::string_view section, std::string_view key) const;

    // Control bytes (CR, LF, NUL and the others below a blank) in what is written become
    // blanks: a value taken from a controller or typed by a user must never start a new line.
    void set(std::string_view section, std::string_view key, std::string_view value);
    // The same for a text that get() must give back as it is: one with blanks at its ends or
    // quotes around it is written in quotes.
    void set_text(std::string_view section, std::string_view key, std::string_view value);

    bool has_section(std::string_view section) const;

    // The whole text. Lines read keep their own line ends; lines added take the line end of the
    // text that was read (CR LF, as Windows programs write, for a new text), so a file written
    // with LF alone does not grow by a byte per line each time it is saved over.
    std::string serialize() const;

private:
    // Names are looked up as written, without a lower-case copy per lookup: a configuration
    // file is read with a few hundred lookups.
    struct CaselessHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct CaselessEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using NameIndex = std::unordered_map<std::string, std::size_t, CaselessHash, CaselessEqual>;

    struct Line {
        std::string text;
        std::string end;              // as read; added lines get the text's own; empty: last line unended
        std::size_t value_begin = 0;  // where the value starts in text (key lines only)
        bool is_key = false;
    };
    struct Section {
        Line header;  // the "[name]" line as written
        std::vector<Line> lines;
        NameIndex keys;  // key as first written -> its first line
    };

    Section* find_section(std::string_view section);
    const Section* find_section(std::string_view section) const;
    static void index_line(Section& section, std::size_t line_index);

    bool byte_order_mark_ = false;
    std::vector<Line> preamble_;  // lines before the first section
    std::string line_end_ = "\r\n";  // for lines this program adds
    std::vector<Section> sections_;
    NameIndex section_index_;  // name as first written -> the first such section
};

}  // namespace ztv
