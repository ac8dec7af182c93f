// The main window's translation table. Rows of the parameter pages come from their binding
// table, the event/reaction editor's titles, labels, units, hints and lists from the editor's
// catalogues and control tables, so the pages and the language switch show the same texts;
// only the window's other captions are typed here.
#include <deque>
#include <string>
#include <vector>

#include "app/form_tables.h"
#include "config/parameter_bindings.h"
#include "config/source_mask.h"
#include "diag/can_texts.h"
#include "events/event_catalogue.h"
#include "events/reaction_catalogue.h"
#include "events/reaction_controls.h"
#include "events/slot_controls.h"
#include "events/slot_editor_texts.h"

namespace ztv {
namespace {

enum class Property { Caption, Hint };

struct RowSource {
    Property property;
    const char* control;
    TextPair text;
    std::span<const TextPair> entries;  // a list's entries, one line each, instead of `text`
    bool list = false;
};

RowSource C(const char* control, const char* ru, const char* en) { return {Property::Caption, control, {ru, en}, {}}; }
RowSource C(const char* control, const TextPair& text) { return {Property::Caption, control, text, {}}; }
RowSource H(const char* control, const char* ru, const char* en) { return {Property::Hint, control, {ru, en}, {}}; }
RowSource H(const char* control, const TextPair& text) { return {Property::Hint, control, text, {}}; }
RowSource L(const char* control, std::span<const TextPair> entries) {
    return {Property::Caption, control, {}, entries, true};
}
// A control whose name ends in "x" has its texts set by code; the table has no rows for it.
bool code_set(std::string_view control) { return !control.empty() && control.back() == 'x'; }

// The editor's rows come from its own tables, so the pages and the language switch show the
// same texts: each kind's title on its sheet, a control's separate label and unit captions, a
// tick box's caption, a fixed list's entries and a hint. The names are string literals.
void add_editor_rows(std::vector<RowSource>& rows) {
    for (std::uint8_t kind = 0; kind < kEventKindCount; ++kind)
        if (const char* sheet = event_kind_sheet(static_cast<EventKind>(kind)))
            rows.push_back(C(sheet, event_kind(kind).title));
    for (std::size_t kind = 0; kind < kReactionKindCount; ++kind)
        if (const char* sheet = reaction_kind_sheet(static_cast<ReactionKind>(kind)))
            rows.push_back(C(sheet, reaction_kind_titles()[kind]));
    for (const EventControlDef& def : event_control_defs()) {
        if (def.label_name != nullptr) rows.push_back(C(def.label_name, def.label));
        if (def.unit_name != nullptr) rows.push_back(C(def.unit_name, def.unit));
        if (code_set(def.name)) continue;
        if (def.widget == ControlKind::List && def.part == EventPart::Choice)
            rows.push_back(L(def.name.data(), event_choice(static_cast<EventChoice>(def.id)).items()));
        if (def.hint.en != nullptr && def.hint.en[0] != '\0') rows.push_back(H(def.name.data(), def.hint));
    }
    for (const ReactionControlDef& def : reaction_control_defs()) {
        if (def.label_name != nullptr) rows.push_back(C(def.label_name, def.label));
        if (def.unit_name != nullptr) rows.push_back(C(def.unit_name, def.unit));
        if (code_set(def.name)) continue;
        if (def.widget == ControlKind::Check) rows.push_back(C(def.name.data(), def.label));
        if (def.widget == ControlKind::List && def.source == ReactionListSource::Fixed && !def.items.empty())
            rows.push_back(L(def.name.data(), def.items));
        if (def.hint.en != nullptr && def.hint.en[0] != '\0') rows.push_back(H(def.name.data(), def.hint));
    }
}

// The window's own rows: the pages, the editor's shared controls and the CAN log's menu. The
// toolbar's and the main menu's texts are the command table's (app/command_table.h).
std::vector<RowSource> window_rows() {
    std::vector<RowSource> rows = {
        C("TabSheetMonitoring", "Терминал", "Terminal"),
        C("TabSheetParameters", "Параметры", "Parameters"),
        C("GroupBoxKeys", " Кнопки ", " Buttons "),
        C("GroupBoxReaction", slot_texts::kReactionGroup),
        C("PanelReactionSerialName", slot_texts::kToUsb),
        C("PanelReactionUARTName", slot_texts::kToUart),
        C("GroupBoxEvent", slot_texts::kEventGroup),
        C("PanelEventPress", slot_texts::kPressLabel),
        L("ComboBoxEventEvent", trigger_type_names()),
        C("CheckBoxEventWakeUp", slot_texts::kWakeUpLabel),
        C("CheckBoxEventOnce", slot_texts::kOnceLabel),
        C("PanelEventSRC", slot_texts::kSourceLabel),
        L("ComboBoxEventSRCMASK", source_choice_entries()),
        C("TabSheetCANLOG", "CAN лог", "CAN log"),

        H("PanelMenu", "Выберите параметры в меню, нажав правую кнопку мыши",
          "Select Options from the menu after clicking the right mouse button"),
        H("SpeedButtonKeysSetup", "Настройка кнопок", "Button settings"),
        H("CheckBoxEventWakeUp", slot_texts::kWakeUpHint),
        H("CheckBoxEventOnce", slot_texts::kOnceHint),
    };
    for (const CanMenuEntry& item : kCanMenuTable) rows.push_back(C(item.control, item.caption));
    add_editor_rows(rows);
    return rows;
}

std::string joined_entries(std::span<const TextPair> entries, Lang lang) {
    std::string text;
    for (const TextPair& entry : entries) text.append(pick(entry, lang)).append("\r\n");
    return text;
}

bool shows_entries(ControlKind widget) { return widget == ControlKind::List || widget == ControlKind::CheckList; }

// Built once; afterwards nothing changes, so every window may share it.
class MainFormTable {
public:
    MainFormTable() {
        const std::vector<RowSource> rows = window_rows();
        for (const RowSource& source : rows)
            if (source.property == Property::Caption) add_source(source);
        add_parameter_captions();
        for (const RowSource& source : rows)
            if (source.property == Property::Hint) add_source(source);
        for (const ParamBinding& row : parameter_bindings())
            if (row.hint.en != nullptr && row.hint.en[0] != '\0') add(row.control, "Hint", row.hint.ru, row.hint.en);
    }
    std::span<const TranslationRow> rows() const { return rows_; }

private:
    void add_source(const RowSource& source) {
        const char* property = source.property == Property::Caption ? "Caption" : "Hint";
        if (source.list) {
            add(source.control, property, keep(joined_entries(source.entries, Lang::Russian)),
                keep(joined_entries(source.entries, Lang::English)));
        } else {
            add(source.control, property, source.text.ru, source.text.en);
        }
    }

    // Page captions, labels, units, tick-box captions and list entries of the parameter pages.
    void add_parameter_captions() {
        for (const ParamPageDef& page : parameter_pages())
            if (page.translated) add(page.sheet, "Caption", page.caption.ru, page.caption.en);
        for (const ParamGroup& group : parameter_groups())
            if (group.name != nullptr) add(group.name, "Caption", group.caption.ru, group.caption.en);
        for (const ParamBinding& row : parameter_bindings()) {
            if (row.label_name != nullptr) add(row.label_name, "Caption", row.label.ru, row.label.en);
            if (row.unit_name != nullptr) add(row.unit_name, "Caption", row.unit.ru, row.unit.en);
            if (code_set(row.control)) continue;
            if (shows_entries(row.widget)) {
                add(row.control, "Caption", keep(joined_entries(row.entries(), Lang::Russian)),
                    keep(joined_entries(row.entries(), Lang::English)));
            } else if (row.label_name == nullptr && row.label.en != nullptr && row.label.en[0] != '\0') {
                add(row.control, "Caption", row.label.ru, row.label.en);
            }
        }
    }

    void add(const char* control, const char* property, const char* ru, const char* en) {
        rows_.push_back({keep(translation_key("MainForm", control, property)), ru, en});
    }
    const char* keep(std::string text) { return storage_.emplace_back(std::move(text)).c_str(); }

    std::deque<std::string> storage_;  // stable addresses for the rows' texts
    std::vector<TranslationRow> rows_;
};

}  // namespace

std::span<const TranslationRow> main_form_table() {
    static const MainFormTable table;
    return table.rows();
}

}  // namespace ztv
