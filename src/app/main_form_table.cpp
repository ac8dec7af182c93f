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
// A CAN log popup item: its caption lives with the CAN log.
RowSource Menu(CanMenuItem item) {
    const CanMenuEntry& entry = kCanMenuTable[static_cast<std::size_t>(item)];
    return C(entry.control, entry.caption);
}

// The editor's texts as its own tables hold them: page titles, and the label, unit or hint of
// a control of an event or reaction page.
TextPair event_title(EventKind kind) { return event_kind(static_cast<std::uint8_t>(kind)).title; }
TextPair reaction_title(ReactionKind kind) { return reaction_kind_titles()[static_cast<std::size_t>(kind)]; }
TextPair event_label(std::string_view control) {
    const EventControlDef* def = find_event_control(control);
    return def != nullptr ? def->label : TextPair{};
}
TextPair event_unit(std::string_view control) {
    const EventControlDef* def = find_event_control(control);
    return def != nullptr ? def->unit : TextPair{};
}
TextPair reaction_label(ReactionControl control) { return reaction_control_def(control).label; }
TextPair reaction_unit(ReactionControl control) { return reaction_control_def(control).unit; }
TextPair reaction_hint(ReactionControl control) { return reaction_control_def(control).hint; }

// The window's own rows: the shell, the event/reaction editor and the CAN log. The editor's
// rows name the texts its pages are drawn with, so a language switch and a redraw agree.
std::vector<RowSource> window_rows() {
    using RC = ReactionControl;
    using RK = ReactionKind;
    using EK = EventKind;
    namespace lists = reaction_lists;
    return {
        C("SpeedButton1", "N", "N"),
        C("TabSheetMonitoring", "Терминал", "Terminal"),
        C("TabSheetParameters", "Параметры", "Parameters"),
        C("GroupBoxKeys", " Кнопки ", " Buttons "),
        C("GroupBoxReaction", slot_texts::kReactionGroup),
        C("TabSheetReactionUSBKey", reaction_title(RK::UsbKey)),
        C("PanelReactionUSBKeyDlit", reaction_label(RC::UsbKeyDuration)),
        C("PanelReactionUSBKeyDlitMS", reaction_unit(RC::UsbKeyDuration)),
        C("TabSheetReactionIR", reaction_title(RK::SendIr)),
        C("PanelReactionIROUTNUM", reaction_label(RC::IrOutput)),
        L("ComboBoxReactionIROUTNUM", lists::ir_output_pins),
        C("PanelReactionIROUTCNT", reaction_label(RC::IrRepeats)),
        C("TabSheetReactionOUT", reaction_title(RK::Pin)),
        L("ComboBoxEventReactionPinNUM", lists::output_pins),
        C("Panel3", reaction_label(RC::PinOutput)),
        C("Panel12", reaction_label(RC::PinMode)),
        C("PanelEventReactionPinTOMS", reaction_unit(RC::PinDuration)),
        C("Panel19", reaction_label(RC::PinDuration)),
        L("ComboBoxEventReactionPinMODE", lists::pin_modes),
        C("TabSheetReactionAnalog", reaction_title(RK::Control)),
        C("Panel5", reaction_label(RC::ControlVoltage1)),
        C("Panel6", reaction_label(RC::ControlVoltage2)),
        C("Panel7", reaction_unit(RC::ControlVoltage1)),
        C("Panel8", reaction_unit(RC::ControlVoltage2)),
        C("Panel9", reaction_label(RC::ControlDuration)),
        C("Panel10", reaction_unit(RC::ControlDuration)),
        L("ComboBoxReactionAnalogVOUT1type", lists::control_actions),
        L("ComboBoxReactionAnalogVOUT2type", lists::control_actions),
        C("CheckBoxReactionAnalogVOUT1save", reaction_label(RC::ControlSave1)),
        C("CheckBoxReactionAnalogVOUT2save", reaction_label(RC::ControlSave2)),
        C("TabSheetReactionSRC", reaction_title(RK::Source)),
        L("ComboBoxEventReactionSRC", lists::source_selection),
        C("PanelEventReactionSRC", reaction_label(RC::SourceSelect)),
        C("CheckBoxEventReactionSRCSave", reaction_label(RC::SourceSave)),
        C("TabSheetReactionTouch", reaction_title(RK::UsbTouch)),
        C("PanelTouchDlit", reaction_label(RC::TouchDuration)),
        C("TabSheetReactionEventColtrol", reaction_title(RK::EventManage)),
        L("ComboBoxReactionEventHandleType", lists::event_manage_actions),
        C("Panel18", reaction_label(RC::EventManageTarget)),
        C("TabSheetReactionEventIEAMPL", reaction_title(RK::Amplifier)),
        C("TabSheetReactionUSBMouse", reaction_title(RK::UsbMouse)),
        L("ComboBoxReactionUSBMouseType", lists::mouse_actions),
        C("TabSheetReactionEncoder", reaction_title(RK::Encoder)),
        C("LabelReactionEncoderReplaymSec", reaction_unit(RC::EncoderRepeat)),
        C("LabelReactionEncoderReplay", reaction_label(RC::EncoderRepeat)),
        L("ComboBoxReactionEncoderMODE", lists::encoder_connections),
        C("PanelReactionEncoderDIR", reaction_label(RC::EncoderSteps)),
        C("PanelReactionEncoderMODE", reaction_label(RC::EncoderConnection)),
        C("PanelReactionSerialName", slot_texts::kToUsb),
        L("ComboBoxReactionCurMoveDirection", lists::cursor_directions),
        C("CheckBoxReactionCurMovePress", reaction_label(RC::CursorPress)),
        C("PanelReactionCurMoveDirection", reaction_label(RC::CursorDirection)),
        C("PanelReactionCurMoveNumPointsOn", reaction_label(RC::CursorPoints)),
        C("PanelReactionCurMoveNumPoints", reaction_unit(RC::CursorPoints)),
        C("TabSheetReactionMDXJOY", reaction_title(RK::MdxJoy)),
        L("ComboBoxReactionMDXJOY", lists::mdx_joy),
        C("PanelReactionUARTName", slot_texts::kToUart),
        C("CheckBoxReactionLINTrigger", reaction_label(RC::LinTrigger)),
        C("LabelReactionCarDSPReplay", reaction_label(RC::DspRepeat)),
        C("LabelReactionCarDSPReplaymSec", reaction_unit(RC::DspRepeat)),
        L("ComboBoxReactionPANACEA", lists::panacea),
        C("Panel22", reaction_label(RC::ResEmulX)),
        C("Panel23", reaction_label(RC::ResEmulY)),
        C("LabelReactionSWVWPARAM", reaction_label(RC::SwCanCode)),
        C("LabelReactionGNNAVIPARAM", reaction_label(RC::GanetCode)),
        L("ComboBoxReactionGNNAVIMODE", lists::ganet),
        L("ComboBoxReactionPORSHE_KEYS", lists::porshe),
        C("GroupBoxEvent", slot_texts::kEventGroup),
        C("TabSheetEventKey", event_title(EK::Button)),
        C("PanelKeyModText", event_label("PanelKeyModx")),
        C("PanelKeyText", event_label("PanelKeyx")),
        C("TabSheetEventIR", event_title(EK::IrCode)),
        C("TabSheetEventSRC", event_title(EK::Source)),
        C("TabSheetEventRegion", event_title(EK::Area)),
        L("ComboBoxEventRegion", event_lists::areas()),
        C("TabSheetEventTimeout", event_title(EK::Timeout)),
        C("PanelEventTimeout", event_unit("EditEventTimeout")),
        C("PanelEventTimeoutFrom", event_label("ComboBoxEventTimeoutFromx")),
        C("TabSheetEventIntercept", event_title(EK::Intercept)),
        L("ComboBoxEventIntercept", event_lists::activation()),
        C("TabSheetEventVoltage", event_title(EK::Voltage)),
        C("Panel16", event_label("ComboBoxEventVoltageInput")),
        C("Panel17", event_label("EditEventVoltageDuration")),
        L("ComboBoxEventUSB", event_lists::activation()),
        L("ComboBoxEventNAVIMUTE", event_lists::navi_mute()),
        C("TabSheetEventGesture", event_title(EK::Gestures)),
        L("ComboBoxEventGestureFrom", event_lists::areas()),
        L("ComboBoxEventGestureTo", event_lists::gesture_ends()),
        C("PanelEventGestureFrom", event_label("ComboBoxEventGestureFrom")),
        C("PanelEventGestureTo", event_label("ComboBoxEventGestureTo")),
        C("TabSheetEventiDRIVE", event_title(EK::IDrive)),
        C("TabSheetEventPin", event_title(EK::Pins)),
        L("ComboBoxEventPinPin", event_lists::pin_inputs()),
        C("Panel11", event_label("ComboBoxEventPinPin")),
        C("Panel13", event_label("EditEventPinDuration")),
        L("ComboBoxEventPinState", event_lists::pin_levels()),
        C("TabSheetBT", event_title(EK::Bluetooth)),
        L("ComboBoxEventBT", event_lists::activation()),
        C("TabSheetEventAUDIMMI", event_title(EK::AudiMmi)),
        C("TabSheetEventRenaultCANJoy", event_title(EK::RenaultJoy)),
        C("TabSheetEventMCONTROL", event_title(EK::MercedesCtrl)),
        C("PanelEventPress", slot_texts::kPressLabel),
        L("ComboBoxEventEvent", trigger_type_names()),
        C("CheckBoxEventWakeUp", slot_texts::kWakeUpLabel),
        C("CheckBoxEventOnce", slot_texts::kOnceLabel),
        C("PanelEventSRC", slot_texts::kSourceLabel),
        L("ComboBoxEventSRCMASK", source_choice_entries()),
        C("TabSheetCANLOG", "CAN лог", "CAN log"),
        C("MenuItemDebug", "Отладка", "Debug"),
        C("MenuItemLog", "Журнал обмена", "Communication log"),
        C("MenuItemOnlyUsed", "Отображать только используемые события и реакции",
          "Display only used events and reactions"),
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
        H("ComboBoxReactionIROUTNUM", reaction_hint(RC::IrOutput)),
        H("ComboBoxEventReactionPinNUM", reaction_hint(RC::PinOutput)),
        H("ComboBoxEventReactionPinMODE", reaction_hint(RC::PinMode)),
        H("SpeedButtonReactionTouch", reaction_hint(RC::TouchCapture)),
        H("ComboBoxReactionUSBMouseType", reaction_hint(RC::MouseAction)),
        H("CheckBoxEventWakeUp", slot_texts::kWakeUpHint),
        H("CheckBoxEventOnce", slot_texts::kOnceHint),
    };
}

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
