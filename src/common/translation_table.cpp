#include "common/translation_table.h"

namespace ztv {

std::string translation_key(std::string_view window, std::string_view control, std::string_view property) {
    std::string key;
    key.reserve(window.size() + control.size() + property.size() + 2);
    key.append(window).append("_").append(control).append("_").append(property);
    return key;
}

namespace {

bool is_code_set_key(std::string_view key) {
    const std::size_t last_underscore = key.rfind('_');
    return last_underscore != std::string_view::npos && last_underscore > 0 && key[last_underscore - 1] == 'x';
}

}  // namespace

const TranslationRow* find_translation(std::span<const TranslationRow> table, std::string_view key) {
    if (is_code_set_key(key)) return nullptr;
    for (const TranslationRow& row : table) {
        if (row.key == nullptr || row.key[0] == '\0') break;  // the table's end row
        if (key == row.key) return &row;
    }
    return nullptr;
}

TranslationIndex::TranslationIndex(std::span<const TranslationRow> table) {
    rows_.reserve(table.size());
    for (const TranslationRow& row : table) {
        if (row.key == nullptr || row.key[0] == '\0') break;
        rows_.emplace(std::string_view(row.key), &row);  // an existing key keeps its first row
    }
}

const TranslationRow* TranslationIndex::find(std::string_view key) const {
    if (is_code_set_key(key)) return nullptr;
    const auto it = rows_.find(key);
    return it == rows_.end() ? nullptr : it->second;
}

}  // namespace ztv
