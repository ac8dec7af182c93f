// The main window's translation table. Rows of the parameter pages come from their binding
// table, drop-down lists of the event and reaction pages from the catalogues, so the pages and
// the language switch show the same texts; only the window's other captions are typed here.
#include <deque>
#include <string>
#include <vector>

#include "app/form_tables.h"
#include "config/parameter_bindings.h"
#include "config/source_mask.h"
#include "diag/can_texts.h"
#include "events/event_catalogue.h"
#include "events/reaction_catalogue.h"

namespace ztv {
namespace {

enum class Property { Caption, Hint };

struct RowSource {
    Property property;
    const char* control;
    const char* ru;
    const char* en;
    std::span<const TextPair> (*list)();  // entries from a catalogue list instead of ru/en
};

constexpr RowSource C(const char* control, const char* ru, const char* en) {
    return {Property::Caption, control, ru, en, nullptr};
}
constexpr RowSource H(const char* control, const char* ru, const char* en) {
    return {Property::Hint, control, ru, en, nullptr};
}
constexpr RowSource L(const char* control, std::span<const TextPair> (*list)()) {
    return {Property::Caption, control, nullptr, nullptr, list};
}
// A CAN log popup item: its caption lives with the CAN log.
constexpr RowSource Menu(CanMenuItem item) {
    const CanMenuEntry& entry = kCanMenuTable[static_cast<std::size_t>(item)];
    return C(entry.control, entry.caption.ru, entry.caption.en);
}

#define MS_RU "мс"
#define MS_EN "mSec"

// The window's own rows: the shell, the event/reaction editor and the CAN log.
constexpr RowSource kRows[] = {
    C("SpeedButton1", "N", "N"),
    C("TabSheetMonitoring", "Терминал", "Terminal"),
    C("TabSheetParameters", "Параметры", "Parameters"),
    C("GroupBoxKeys", " Кнопки ", " Buttons "),
    C("GroupBoxReaction", " Реакция ", " Response "),
    C("TabSheetReactionUSBKey", "USB клавиша", "USB key"),
    C("PanelReactionUSBKeyDlit", "Мин. длит.", "Min. durat."),
    C("PanelReactionUSBKeyDlitMS", MS_RU, MS_EN),
    C("TabSheetReactionIR", "Передать ИК код", "Send IR code"),
    C("PanelReactionIROUTNUM", "ИК выход", "IR output"),
    L("ComboBoxReactionIROUTNUM", [] { return reaction_lists::ir_output_pins; }),
    C("PanelReactionIROUTCNT", "Мин. повторов", "Min. replays"),
    C("TabSheetReactionOUT", "Вывод", "Pin"),
    L("ComboBoxEventReactionPinNUM", [] { return reaction_lists::output_pins; }),
    C("Panel3", "Вывод", "Pin"),
    C("Panel12", "Режим", "Mode"),
    C("PanelEventReactionPinTOMS", MS_RU, MS_EN),
    C("Panel19", "Мин. длит.", "Min. durat."),
    L("ComboBoxEventReactionPinMODE", [] { return reaction_lists::pin_modes; }),
    C("TabSheetReactionAnalog", "Управление", "Control"),
    C("Panel5", "Канал 1", "Ch 1"),
    C("Panel6", "Канал 2", "Ch 2"),
    C("Panel7", "В", "V"),
    C("Panel8", "В", "V"),
    C("Panel9", "Мин. длит./Повтор", "Min. durat./Replay"),
    C("Panel10", MS_RU, MS_EN),
    L("ComboBoxReactionAnalogVOUT1type", [] { return reaction_lists::control_actions; }),
    L("ComboBoxReactionAnalogVOUT2type", [] { return reaction_lists::control_actions; }),
    C("CheckBoxReactionAnalogVOUT1save", "Сохранить перед изменением", "Save before changing"),
    C("CheckBoxReactionAnalogVOUT2save", "Сохранить перед изменением", "Save before changing"),
    C("TabSheetReactionSRC", "Источник", "Source"),
    L("ComboBoxEventReactionSRC", [] { return reaction_lists::source_selection; }),
    C("PanelEventReactionSRC", "Выбрать", "Select"),
    C("CheckBoxEventReactionSRCSave", "Сохранить перед изменением", "Save before changing"),
    C("TabSheetReactionTouch", "USB тач", "USB Touch"),
    C("PanelTouchDlit", "Длит., мс", "Durat., mSec"),
    C("TabSheetReactionEventColtrol", "Управление событием", "Event manage"),
    L("ComboBoxReactionEventHandleType", [] { return reaction_lists::event_manage_actions; }),
    C("Panel18", "событие", "event"),
    C("TabSheetReactionEventIEAMPL", "Управление усилителем", "Amplifier control"),
    C("TabSheetReactionUSBMouse", "USB мышь", "USB mouse"),
    L("ComboBoxReactionUSBMouseType", [] { return reaction_lists::mouse_actions; }),
    C("TabSheetReactionEncoder", "Энкодер", "Encoder"),
    C("LabelReactionEncoderReplaymSec", MS_RU, MS_EN),
    C("LabelReactionEncoderReplay", "Автоповтор", "Autoreplay"),
    L("ComboBoxReactionEncoderMODE", [] { return reaction_lists::encoder_connections; }),
    C("PanelReactionEncoderDIR", "Шаги", "Steps"),
    C("PanelReactionEncoderMODE", "Подключение", "Connection"),
    C("PanelReactionSerialName", "В USB", "To USB"),
    L("ComboBoxReactionCurMoveDirection", [] { return reaction_lists::cursor_directions; }),
    C("CheckBoxReactionCurMovePress", "С нажатием", "With press"),
    C("PanelReactionCurMoveDirection", "Движение", "Move"),
    C("PanelReactionCurMoveNumPointsOn", "на", "on"),
    C("PanelReactionCurMoveNumPoints", "точек", "points"),
    C("TabSheetReactionMDXJOY", "MDX JOY", "MDX JOY"),
    L("ComboBoxReactionMDXJOY", [] { return reaction_lists::mdx_joy; }),
    C("PanelReactionUARTName", "В UART", "To UART"),
    C("CheckBoxReactionLINTrigger", "Триггер", "Trigger"),
    C("LabelReactionCarDSPReplay", "Автоповтор", "Autoreplay"),
    C("LabelReactionCarDSPReplaymSec", MS_RU, MS_EN),
    L("ComboBoxReactionPANACEA", [] { return reaction_lists::panacea; }),
    C("Panel22", "X", "X"),
    C("Panel23", "Y", "Y"),
    C("LabelReactionSWVWPARAM", "Код, HEX 2 байта", "Code, HEX 2 bytes"),
    C("LabelReactionGNNAVIPARAM", "Код, HEX 2 байта", "Code, HEX 2 bytes"),
    L("ComboBoxReactionGNNAVIMODE", [] { return reaction_lists::ganet; }),
    L("ComboBoxReactionPORSHE_KEYS", [] { return reaction_lists::porshe; }),
    C("GroupBoxEvent", " Событие ", " Event "),
    C("TabSheetEventKey", "Кнопка", "Button"),
    C("PanelKeyModText", "Мод", "Mod"),
    C("PanelKeyText", "Кнопка", "Button"),
    C("TabSheetEventIR", "ИК код", "IR code"),
    C("TabSheetEventSRC", "Источник", "Source"),
    C("TabSheetEventRegion", "Область", "Area"),
    L("ComboBoxEventRegion", [] { return event_lists::areas(); }),
    C("TabSheetEventTimeout", "Таймаут", "Timeout"),
    C("PanelEventTimeout", MS_RU, MS_EN),
    C("PanelEventTimeoutFrom", "Отсчёт от", "Count from"),
    C("TabSheetEventIntercept", "Перехват", "Intercept"),
    L("ComboBoxEventIntercept", [] { return event_lists::activation(); }),
    C("TabSheetEventVoltage", "Напряжение", "Voltage"),
    C("Panel16", "Вход", "Input"),
    C("Panel17", "Мин. длит., мс", "Min. durat., mSec"),
    L("ComboBoxEventUSB", [] { return event_lists::activation(); }),
    L("ComboBoxEventNAVIMUTE", [] { return event_lists::navi_mute(); }),
    C("TabSheetEventGesture", "Жесты", "Gestures"),
    L("ComboBoxEventGestureFrom", [] { return event_lists::areas(); }),
    L("ComboBoxEventGestureTo", [] { return event_lists::gesture_ends(); }),
    C("PanelEventGestureFrom", "Начало", "Start"),
    C("PanelEventGestureTo", "Конец", "End"),
    C("TabSheetEventiDRIVE", "iDrive", "iDrive"),
    C("TabSheetEventPin", "Выводы", "Pins"),
    L("ComboBoxEventPinPin", [] { return event_lists::pin_inputs(); }),
    C("Panel11", "Вывод", "Pin"),
    C("Panel13", "Мин. длит., мс", "Min. durat., mSec"),
    L("ComboBoxEventPinState", [] { return event_lists::pin_levels(); }),
    C("TabSheetBT", "Bluetooth", "Bluetooth"),
    L("ComboBoxEventBT", [] { return event_lists::activation(); }),
    C("TabSheetEventAUDIMMI", "AUDI MMI", "AUDI MMI"),
    C("TabSheetEventRenaultCANJoy", "Renault CAN джойстик", "Renault CAN Joy"),
    C("TabSheetEventMCONTROL", "Mercedes Ctrl", "Mercedes Ctrl"),
    C("PanelEventPress", "Нажатие", "Press"),
    L("ComboBoxEventEvent", [] { return trigger_type_names(); }),
    C("CheckBoxEventWakeUp", "Пробуждение", "Wake Up"),
    C("CheckBoxEventOnce", "Только один раз", "One time only"),
    C("PanelEventSRC", "Источник", "Source"),
    L("ComboBoxEventSRCMASK", [] { return source_choice_entries(); }),
    C("TabSheetCANLOG", "CAN лог", "CAN log"),
    C("MenuItemDebug", "Отладка", "Debug"),
    C("MenuItemLog", "Журнал обмена", "Communication log"),
    C("MenuItemOnlyUsed", "Отображать только используемые события и реакции", "Display only used events and reactions"),
    C("MenuItemWriteNow", "Применять настройки сразу", "Apply settings immediately"),
    Menu(CanMenuItem::Start),
    Menu(CanMenuItem::StartSave),
    Menu(CanMenuItem::StartSaveTab),
    Menu(CanMenuItem::Stop),
    Menu(CanMenuItem::Clear),
    Menu(CanMenuItem::HideDetails),
    Menu(CanMenuItem::HideThis),
    Menu(CanMenuItem::HideAllExcept),
    Menu(CanMenuItem::HideAccumulated),
    Menu(CanMenuItem::HideNotChanged),
    Menu(CanMenuItem::ShowAll),

    H("SpeedButtonUpdateDevice", "Обновление прошивки", "Firmware update"),
    H("SpeedButtonReadConfig", "Открыть файл конфигурации устройства", "Open the device configuration file"),
    H("SpeedButtonWriteConfig", "Сохранить файл конфигурации устройства", "Save device configuration file"),
    H("SpeedButtonReadDevice", "Прочитать конфигурацию из устройства", "Read configuration from the device"),
    H("SpeedButtonWriteDevice", "Записать конфигурацию в устройство", "Write configuration to the device"),
    H("SpeedButtonToDefault", "Сбросить конфигурацию устройства в исходное состояние",
      "Reset the device configuration to its default state"),
    H("SpeedButtonReset", "Перезагрузить устройство", "Reset device"),
    H("PanelMenu", "Выберите параметры в меню, нажав правую кнопку мыши",
      "Select Options from the menu after clicking the right mouse button"),
    H("SpeedButtonKeysSetup", "Настройка кнопок", "Button settings"),
    H("ComboBoxReactionIROUTNUM", "Вывод ИК кода на указанный вывод разъёма",
      "Output IR code to the specified connector pin"),
    H("ComboBoxEventReactionPinNUM", "Выходной вывод", "Output pin"),
    H("ComboBoxEventReactionPinMODE", "Режим выхода", "Output mode"),
    H("SpeedButtonReactionTouch", "Указать точку касания на тачпанели", "Take the point from a press on the touchpanel"),
    H("ComboBoxReactionUSBMouseType", "Эмулировать действие мыши", "Emulate the action of the mouse"),
    H("CheckBoxEventWakeUp", "Пробуждение при возникновении события", "Wake up when that event occurs"),
    H("CheckBoxEventOnce", "Только одна реакция", "Only a single response"),
};

#undef MS_RU
#undef MS_EN

std::string joined_entries(std::span<const TextPair> entries, Lang lang) {
    std::string text;
    for (const TextPair& entry : entries) text.append(pick(entry, lang)).append("\r\n");
    return text;
}

// A control whose name ends in "x" has its texts set by code; the table has no rows for it.
bool code_set(std::string_view control) { return !control.empty() && control.back() == 'x'; }

bool shows_entries(BindingKind kind) {
    return kind == BindingKind::List || kind == BindingKind::PinMode || kind == BindingKind::SourceMask ||
           kind == BindingKind::FixedList || kind == BindingKind::CheckList;
}

// Built once; afterwards nothing changes, so every window may share it.
class MainFormTable {
public:
    MainFormTable() {
        for (const RowSource& source : kRows)
            if (source.property == Property::Caption) add_source(source);
        add_parameter_captions();
        for (const RowSource& source : kRows)
            if (source.property == Property::Hint) add_source(source);
        for (const ParamBinding& row : parameter_bindings())
            if (row.hint.en != nullptr && row.hint.en[0] != '\0') add(row.control, "Hint", row.hint.ru, row.hint.en);
    }
    std::span<const TranslationRow> rows() const { return rows_; }

private:
    void add_source(const RowSource& source) {
        const char* property = source.property == Property::Caption ? "Caption" : "Hint";
        if (source.list != nullptr) {
            const auto entries = source.list();
            add(source.control, property, keep(joined_entries(entries, Lang::Russian)),
                keep(joined_entries(entries, Lang::English)));
        } else {
            add(source.control, property, source.ru, source.en);
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
            if (shows_entries(row.kind)) {
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
