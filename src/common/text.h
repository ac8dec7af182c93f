// Russian/English text pairs: every text the program builds exists in both languages.
#pragma once

#include <string>
#include <string_view>

namespace ztv {

// User-interface language; the value is also the index of the text within a pair.
enum class Lang : int { Russian = 0, English = 1 };

// A text of the program as it stands in the source: Russian first, English second, both
// UTF-8. An empty English text means "same as Russian" (the lookup falls back to Russian).
struct TextPair {
    const char* ru;
    const char* en;
};

// Pick the text of a pair for a language, falling back to Russian when English is empty.
inline const char* pick(const TextPair& pair, Lang lang) {
    if (lang == Lang::English && pair.en != nullptr && pair.en[0] != '\0') return pair.en;
    return pair.ru != nullptr ? pair.ru : "";
}

// A formatted text in both languages (a TextPair with its printf arguments applied), so that
// the core can produce messages without knowing which language the user has chosen.
struct Text {
    std::string ru;
    std::string en;

    Text() = default;
    Text(std::string ru_text, std::string en_text) : ru(std::move(ru_text)), en(std::move(en_text)) {}
    // A text that reads the same in both languages (numbers, identifiers, device names).
    static Text same(const std::string& text) { return Text(text, text); }

    const std::string& in(Lang lang) const { return lang == Lang::English && !en.empty() ? en : ru; }
    bool empty() const { return ru.empty() && en.empty(); }
    bool operator==(const Text&) const = default;
};

inline Text to_text(const TextPair& pair) { return Text(pair.ru ? pair.ru : "", pair.en ? pair.en : ""); }

// Joins two texts language by language with a separator (for "operation\nerror text" boxes).
inline Text join(const Text& a, std::string_view separator, const Text& b) {
    std::string ru = a.ru;
    ru.append(separator);
    ru += b.ru;
    std::string en = a.en.empty() ? a.ru : a.en;
    en.append(separator);
    en += b.en.empty() ? b.ru : b.en;
    return Text(std::move(ru), std::move(en));
}

// The program's language switch: 1 selects English, 0 or any other value Russian, and -1
// only asks. Returns the index in force afterwards.
class LanguageSetting {
public:
    int set_language(int value) {
        if (value != -1) current_ = value == 1 ? Lang::English : Lang::Russian;
        return static_cast<int>(current_);
    }
    Lang current() const { return current_; }

private:
    Lang current_ = Lang::Russian;
};

}  // namespace ztv
