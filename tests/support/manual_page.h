// Reading a manual page's source the way a person reads the rendered page, so that tests can
// hold the page against the option tables it documents.
#pragma once

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace ztv::test {

// A roff line as text: font changes dropped, "\-" a plain hyphen, a leading macro removed.
inline std::string roff_text(std::string line) {
    line = std::regex_replace(line, std::regex(R"(\\f[BIRP])"), "");
    line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
    return std::regex_replace(line, std::regex(R"(^\.[A-Z]+ ?)"), "");
}

// The tag lines (the line after each ".TP") of section `section`, as text.
inline std::vector<std::string> manual_tags(const std::string& path, const std::string& section) {
    std::ifstream in(path);
    std::vector<std::string> tags;
    std::string line;
    bool inside = false;
    bool tag_next = false;
    while (std::getline(in, line)) {
        if (line.starts_with(".SH ")) inside = line == ".SH " + section;
        else if (inside && tag_next) tags.push_back(roff_text(line));
        tag_next = inside && line == ".TP";
    }
    return tags;
}

// Every option that stands as a word of the text, with the value it takes as written there:
// "--lang en|ru", "--size WxH", "--help".
inline std::set<std::string> option_forms(const std::string& text) {
    static const std::regex option(R"((?:^|[\s\[|,])(--?[a-zA-Z][a-z-]*)(?: ([^-\s\[\]][^\s\[\],]*))?)");
    std::set<std::string> forms;
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
        forms.insert((*it)[2].matched ? (*it)[1].str() + " " + (*it)[2].str() : (*it)[1].str());
    return forms;
}

}  // namespace ztv::test
