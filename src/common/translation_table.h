// Form translation tables: rows of key, Russian text and English text, keyed by window name,
// control name and property ("MainForm_SpeedButtonKeysSetup_Hint").
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "common/text.h"

namespace ztv {

struct TranslationRow {
    const char* key;
    const char* ru;
    const char* en;

    const char* text(Lang lang) const { return pick(TextPair{ru, en}, lang); }
};

std::string translation_key(std::string_view window, std::string_view control, std::string_view property);

// The first row whose key equals key byte for byte. A control whose name ends in "x" has its
// texts set by code: a key whose last "_" follows an "x" yields no row without searching.
const TranslationRow* find_translation(std::span<const TranslationRow> table, std::string_view key);

// The same lookups in constant time, for walking a window with hundreds of controls. The
// table must outlive the index.
class TranslationIndex {
public:
    explicit TranslationIndex(std::span<const TranslationRow> table);
    const TranslationRow* find(std::string_view key) const;

private:
    std::unordered_map<std::string_view, const TranslationRow*> rows_;
};

}  // namespace ztv
