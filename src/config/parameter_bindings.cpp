#include "config/parameter_bindings.h"

#include <array>
#include <utility>
#include <vector>

#include "config/pins.h"
#include "config/source_mask.h"

namespace ztv {
namespace {

using P = ParamPage;
using F = FieldId;
using K = BindingKind;
using D = Dependency;

#define SAME(text) TextPair{text, text}

constexpr ParamPageDef kPages[kParamPageCount] = {
    {P::Pins, "TabSheetPINS", {"Выводы", "Pins"}, true},
    {P::Sources, "TabSheetPULSE", {"Источники", "Sources"}, true},
    {P::Keys, "TabSheetKEYS", {"Кнопки", "Keys"}, true},
    {P::Touchpanel, "TabSheetTouch", {"Тачпанель", "Touchpanel"}, true},
    {P::IrInput, "TabSheetIRINP", {"ИК вход", "IR input"}, true},
    {P::Control, "TabSheetParamControl", {"Управление", "Control"}, true},
    {P::Encoders, "TabSheetEnc", {"Энкодеры", "Encoders"}, true},
    {P::GpsPort, "TabSheetGPS", {"Порт GPS", "GPS port"}, true},
    {P::HeadUnit, "TabSheetHEAD", {"Головное устройство", "Head unit"}, true},
    {P::ExternalNavi, "TabSheetEXTNAVI", {"Внешняя навигация", "External navi"}, true},
    {P::Iebus, "TabSheetIEBUS", {"Шина IEBUS", "Bus IEBUS"}, true},
    {P::CanBus, "TabSheetCAN", {"Шина CAN", "CAN Bus"}, true},
    {P::IDrive, "TabSheetIDRIVE", SAME("iDrive"), false},
    {P::IBus, "TabSheetIBUS", SAME("iBus"), false},
    {P::Cap2Res, "TabSheetCAP2RES", SAME("CAP2RES"), false},
    {P::GaNet, "TabSheetGANET", {"Шина GaNet", "GaNet Bus"}, true},
    {P::Lin, "TabSheetLIN", {"Шина LIN", "LIN-Bus"}, true},
    {P::Bluetooth, "TabSheetBTmodule", SAME("Bluetooth"), true},
    {P::Ps2, "TabSheetPS2", SAME("PS2"), false},
    {P::Uart, "TabSheetUART", SAME("UART"), false},
    {P::AudiMmi, "TabSheetAUDIMMI", SAME("AUDI MMI"), false},
    {P::CarDsp, "TabSheetCarDSP", SAME("CarDSP"), false},
    {P::ResEmul, "TabSheetRESEMUL", SAME("ResEmul"), false},
    {P::GazerPa, "TabSheetGAZER", SAME("GAZER PA"), false},
    {P::MercedesCtrl, "TabSheetMCONTROL", SAME("Mercedes Ctrl"), false},
};

// Texts that several controls share.
constexpr TextPair kConnection{"Подключение", "Connection"};
constexpr TextPair kType{"Тип", "Type"};
constexpr TextPair kMode{"Режим", "Mode"};
constexpr TextPair kSpeed{"Скорость", "Speed"};
constexpr TextPair kFormat{"Формат", "Format"};
constexpr TextPair kOrientation{"Ориентация", "Orientation"};
constexpr TextPair kDivisor{"Делитель", "Divisor"};
constexpr TextPair kMs{"мс", "mSec"};
constexpr TextPair kVolt{"В", "V"};
constexpr TextPair kDefaultVoltage{"Напряжение по умолчанию", "Default voltage"};
constexpr TextPair kMinMaxVoltage{"Минимум/максимум", "Minumum/maximum"};
constexpr TextPair kSendToSerial{"Передавать в Serial", "Send to Serial"};
constexpr TextPair kInversionX{"Инверсия X", "Inversion X"};
constexpr TextPair kInversionY{"Инверсия Y", "Inversion Y"};
constexpr TextPair kDataBitsLabel{"Биты данных", "Data bits"};
constexpr TextPair kStopBitsLabel{"Стоп-биты", "Stop bits"};
constexpr TextPair kCoordinateInput{"Использовать для ввода координат", "Used to coordinate input"};

constexpr TextPair kPulseSourceCounts[] = {
    SAME("1 (1)"),
    SAME("2 (1, 2)"),
    SAME("3 (1, 2, 3)"),
    SAME("4 (1, 2, 3, 4)"),
    SAME("5 (1, 2, 3, 4, 5)"),
    SAME("6 (1, 2, 3, 4, 5, 6)"),
    SAME("7 (1, 2, 3, 4, 5, 6, 7)"),
    SAME("8 (1, 2, 3, 4, 5, 6, 7, 8)"),
};
constexpr TextPair kSourceNumbers[] = {SAME("1"), SAME("2"), SAME("3"), SAME("4"),
                                       SAME("5"), SAME("6"), SAME("7"), SAME("8")};
constexpr TextPair kPs2Multipliers[] = {SAME("x1"),  SAME("x2"),  SAME("x3"),  SAME("x4"),  SAME("x5"),  SAME("x6"),
                                        SAME("x7"),  SAME("x8"),  SAME("x9"),  SAME("x10"), SAME("x11"), SAME("x12"),
                                        SAME("x13"), SAME("x14"), SAME("x15"), SAME("x16")};
constexpr TextPair kDataBits[] = {SAME("8")};
constexpr TextPair kStopBits[] = {SAME("1")};

// A binding row under construction: the helpers below give its kind, the methods the rest.
struct Row {
    ParamBinding b;

    Row label(const char* name, TextPair text) && {
        b.label_name = name;
        b.label = text;
        return std::move(*this);
    }
    Row caption(TextPair text) && {
        b.label = text;
        return std::move(*this);
    }
    Row unit(const char* name, TextPair text) && {
        b.unit_name = name;
        b.unit = text;
        return std::move(*this);
    }
    Row hint(TextPair text) && {
        b.hint = text;
        return std::move(*this);
    }
    Row items(std::span<const TextPair> entries) && {
        b.items = entries;
        return std::move(*this);
    }
    Row enabled_when(Dependency dependency) && {
        b.enabled_when = dependency;
        return std::move(*this);
    }
    Row visible_when(Dependency dependency) && {
        b.visible_when = dependency;
        return std::move(*this);
    }
    Row pin_rule() && {
        b.check = BindingCheck::PinRule;
        return std::move(*this);
    }
    Row iebus_functions() && {
        b.check = BindingCheck::IebusFunctions;
        return std::move(*this);
    }
    Row no_refresh() && {
        b.refresh = false;
        return std::move(*this);
    }
    Row in(std::uint8_t group) && {
        b.group = group;
        return std::move(*this);
    }
    Row max_length(int characters) && {
        b.max_length = characters;
        return std::move(*this);
    }
    operator ParamBinding() const { return b; }  // NOLINT(google-explicit-constructor)
};

Row make(P page, const char* control, ControlKind widget, ValueCodec codec, BindingTarget target, F field = F::Count) {
    Row row;
    row.b.page = page;
    row.b.control = control;
    row.b.widget = widget;
    row.b.codec = codec;
    row.b.target = target;
    row.b.field = field;
    return row;
}
Row special(P page, const char* control, K kind, ControlKind widget, BindingTarget target, F field = F::Count) {
    Row row = make(page, control, widget, ValueCodec::None, target, field);
    row.b.kind = kind;
    return row;
}
Row list(P page, const char* control, F field) {
    return make(page, control, ControlKind::List, ValueCodec::Position, BindingTarget::Field, field);
}
Row box(P page, const char* control, F field, TextPair caption) {
    Row row = make(page, control, ControlKind::Check, ValueCodec::Flag, BindingTarget::Field, field);
    row.b.label = caption;
    return row;
}
Row ranged(P page, const char* control, F field, std::uint32_t min, std::uint32_t max) {
    Row row = make(page, control, ControlKind::Edit, ValueCodec::Number, BindingTarget::Field, field);
    row.b.min = min;
    row.b.max = max;
    row.b.bytes = ztv::field(field).kind == FieldKind::Word ? 2 : 1;
    return row;
}
// Out of range or unreadable, the typed number gives way to `otherwise` without a word.
Row fallback(P page, const char* control, BindingTarget target, F field, std::uint32_t min, std::uint32_t max,
             std::uint32_t otherwise) {
    Row row = make(page, control, ControlKind::Edit, ValueCodec::Fallback, target, field);
    row.b.min = min;
    row.b.max = max;
    row.b.fallback = otherwise;
    row.b.unreadable = otherwise;
    return row;
}
Row volts(P page, const char* control, F field, ValueCodec codec) {
    return make(page, control, ControlKind::Edit, codec, BindingTarget::Field, field);
}
// Divisors and multipliers: shown n is stored as n - 1.
Row spin(P page, const char* control, F field, std::uint32_t min, std::uint32_t max) {
    Row row = make(page, control, ControlKind::Spin, ValueCodec::Spin, BindingTarget::Field, field);
    row.b.offset = 1;
    row.b.min = min;
    row.b.max = max;
    return row;
}
Row check_list(P page, const char* control, F field) {
    return make(page, control, ControlKind::CheckList, ValueCodec::Bits, BindingTarget::Field, field);
}
Row fixed(P page, const char* control, std::span<const TextPair> only) {
    Row row = make(page, control, ControlKind::List, ValueCodec::Position, BindingTarget::None).items(only);
    row.b.kind = K::FixedList;
    return row;
}
Row pin_list(const char* control, Pin pin, std::uint8_t group) {
    Row row = make(P::Pins, control, ControlKind::List, ValueCodec::Position, BindingTarget::PinMode);
    row.b.kind = K::PinMode;
    row.b.pin = pin;
    row.b.hint = pin_mode_hint(pin);
    row.b.label = TextPair{pin_name(pin), pin_name(pin)};
    row.b.group = group;
    return row;
}

std::vector<ParamBinding> make_rows() {
    const TextPair connection_hint_gps{"Выводы подключения модуля GPS", "Pins the GPS module is connected to"};
    std::vector<ParamBinding> rows = {
        // Pins: the fourteen pin-mode lists, one box per connector.
        pin_list("ComboBoxX22", Pin::X2_2, 0), pin_list("ComboBoxX23", Pin::X2_3, 0),
        pin_list("ComboBoxX24", Pin::X2_4, 0), pin_list("ComboBoxX25", Pin::X2_5, 0),
        pin_list("ComboBoxX26", Pin::X2_6, 0), pin_list("ComboBoxX42", Pin::X4_2, 1),
        pin_list("ComboBoxX43", Pin::X4_3, 1), pin_list("ComboBoxX56", Pin::X5_6, 2),
        pin_list("ComboBoxX57", Pin::X5_7, 2), pin_list("ComboBoxX58", Pin::X5_8, 2),
        pin_list("ComboBoxX62", Pin::X6_2, 3), pin_list("ComboBoxX63", Pin::X6_3, 3),
        pin_list("ComboBoxX65", Pin::X6_5, 3), pin_list("ComboBoxX66", Pin::X6_6, 3),

        // Sources: pulse switching of the head unit's sources, then the source names.
        list(P::Sources, "ComboBoxPULSESRCNUMx", F::PULSE_NUMSRC)
            .items(kPulseSourceCounts)
            .label("Panel4", {"Количество источников", "Number of sources"}),
        list(P::Sources, "ComboBoxPULSENUM", F::PULSE_NUM)
            .pin_rule()
            .enabled_when(D::SeveralSources)
            .label("PanelPULSENUM", {"Вывод импульсного управления", "Pulse control pin"})
            .hint({"Импульсное управление источником на указанном выводе", "Pulse source control to the specified pin"}),
        ranged(P::Sources, "EditPULSEMSACTIVE", F::PULSE_MSACTIVE, 0, 5000)
            .enabled_when(D::PulsePinChosen)
            .label("PanelPULSEMSACTIVE", {"Активное состояние", "Active state"})
            .unit("PanelPULSEMSACTIVEMS", kMs),
        ranged(P::Sources, "EditPULSEMSPAUSE", F::PULSE_MSPAUSE, 0, 5000)
            .enabled_when(D::PulsePinChosen)
            .label("PanelPULSEMSPAUSE", {"Пассивное состояние", "Passive state"})
            .unit("PanelPULSEMSPAUSEMS", kMs),
        box(P::Sources, "CheckBoxSourceNameUse", F::USE_NAME, {"Передавать название", "Send the Name"}).in(1),
        special(P::Sources, "ValueListEditorSourceName", K::SourceNames, ControlKind::Table, BindingTarget::SourceNames)
            .items(kSourceNumbers)
            .label("PanelSourceNames", {"Названия источников", "Source names"})
            .visible_when(D::SendNames)
            .no_refresh()
            .max_length(static_cast<int>(kSourceNameSize))
            .in(1),

        // Keys: the button grid of the learning page sits above these.
        fallback(P::Keys, "Edit_PAR_LongTO", BindingTarget::LongPress, F::Count, 200, 5000, kDefaultLongPressMs)
            .no_refresh()
            .max_length(6)
            .label("Label_PAR_LongTO_Descripions", {"Долгое нажатие более", "Long press over"})
            .unit("Label_PAR_LongTO_MSEC", kMs),
        list(P::Keys, "ComboBoxRenaultJoyType", F::RENAULT_JOY_TYPE)
            .label("PanelRenaultJoyType", {"Джойстик Renault", "Renault joystick"}),

        // Touchpanel.
        list(P::Touchpanel, "ComboBoxTouchMode", F::TOUCH_MODE)
            .pin_rule()
            .label("Panel2", {"Режим тачпанели", "Touchpanel mode"}),
        special(P::Touchpanel, "ComboBoxSource2Touch", K::SourceMask, ControlKind::List, BindingTarget::Field, F::TOUCH_SRCMASK)
            .items(source_choice_entries())
            .label("Panel14", {"Источник для тача через USB", "Source for touch via USB"}),
        box(P::Touchpanel, "CheckBoxWindows", F::TOUCH_WINDOWS, SAME("Windows"))
            .hint({"Работа тачпанели в режиме Windows", "Touchpanel works in Windows mode"})
            .in(1),
        box(P::Touchpanel, "CheckBoxTouchWakeUp", F::TOUCH_WAKEUP, {"Пробуждение", "Wake Up"})
            .no_refresh()
            .enabled_when(D::NoCap2Res)
            .hint({"Пробуждение при касании тачпанели", "Wake up when the touchpanel is touched"})
            .in(1),
        box(P::Touchpanel, "CheckBoxTouchHide", F::TOUCH_HIDE, {"Скрывать указатель", "Hide pointer"})
            .no_refresh()
            .enabled_when(D::NoCap2Res)
            .hint({"Скрывать указатель мыши после отпускания", "Hide the mouse pointer when released"})
            .in(1),
        box(P::Touchpanel, "CheckBoxTouchGestures", F::TOUCH_GESTURES, {"Использовать жесты", "Use gestures"})
            .no_refresh()
            .enabled_when(D::NoCap2Res)
            .hint({"Распознавать жесты на тачпанели", "Recognise gestures on the touchpanel"})
            .in(1),
        make(P::Touchpanel, "CheckBoxTouchDXY", ControlKind::Check, ValueCodec::Flag, BindingTarget::TouchOffset)
            .caption({"Смещение 10% при настройке", "Offset 10% when setting"})
            .no_refresh()
            .enabled_when(D::NoCap2Res)
            .hint({"Настройка углов тачпанели со смещением 10% от углов",
                   "Setting corners touchpanel with an offset of 10%"})
            .in(2),
        make(P::Touchpanel, "SpeedButtonTouchSetup", ControlKind::Button, ValueCodec::None, BindingTarget::None)
            .caption({"Калибровка...", "Calibrate..."})
            .no_refresh()
            .enabled_when(D::NoCap2Res)
            .hint({"Настройка тачпанели и углов", "Touchpanel and corners settings"})
            .in(2),
        make(P::Touchpanel, "PanelTouchFromCap2Res", ControlKind::Label, ValueCodec::None, BindingTarget::None)
            .caption({"Работа с модулем CAP2RES", "Work with CAP2RES module"})
            .visible_when(D::Cap2Res)
            .in(2),

        // IR input.
        list(P::IrInput, "ComboBoxIRINPNUM", F::IRINP_NUM)
            .pin_rule()
            .label("PanelIRINPNUM", {"Вход ИК приёмника", "IR receiver input"}),
        box(P::IrInput, "CheckBoxIRINPINV", F::IRINP_INV, {"Инверсия", "Inverse"})
            .no_refresh()
            .enabled_when(D::IrInputChosen),

        // Control: the two analog outputs, one box each.
        volts(P::Control, "EditParamControlVOUT1", F::ANA_VOUT1, ValueCodec::Voltage)
            .label("LabelParamControlVOUT1", kDefaultVoltage)
            .unit("PanelParamControlVOUT1V", kVolt),
        volts(P::Control, "EditParamControlVOUT1minmax", F::MINMAX_VOUT1, ValueCodec::VoltageRange)
            .label("LabelParamControlVOUT1minmax_", kMinMaxVoltage)
            .unit("PanelParamControlVOUT1Vminmax_", kVolt),
        box(P::Control, "CheckBoxParamControlVOUT1send", F::SERIAL_CH1, kSendToSerial),
        volts(P::Control, "EditParamControlVOUT2", F::ANA_VOUT2, ValueCodec::Voltage)
            .label("LabelParamControlVOUT2", kDefaultVoltage)
            .unit("PanelParamControlVOUT2V", kVolt)
            .in(1),
        volts(P::Control, "EditParamControlVOUT2minmax", F::MINMAX_VOUT2, ValueCodec::VoltageRange)
            .label("LabelParamControlVOUT2minmax_", kMinMaxVoltage)
            .unit("PanelParamControlVOUT2Vminmax_", kVolt)
            .in(1),
        box(P::Control, "CheckBoxParamControlVOUT2send", F::SERIAL_CH2, kSendToSerial).in(1),

        // Encoders, one box each.
        list(P::Encoders, "ComboBoxEditEncoder1Mode", F::ENC0MODE)
            .pin_rule()
            .label("PanelENC1Connect", {"Энкодер 1", "Encoder 1"}),
        spin(P::Encoders, "CSpinEditEncoder1Div", F::ENC0DIV, 1, 10)
            .no_refresh()
            .enabled_when(D::Encoder1Used)
            .label("PanelEncoder1DivText", kDivisor),
        list(P::Encoders, "ComboBoxEditEncoder2Mode", F::ENC1MODE)
            .pin_rule()
            .label("Panel20", {"Энкодер 2", "Encoder 2"})
            .in(1),
        spin(P::Encoders, "CSpinEditEncoder2Div", F::ENC1DIV, 1, 10)
            .no_refresh()
            .enabled_when(D::Encoder2Used)
            .label("Panel21", kDivisor)
            .in(1),

        // GPS port.
        list(P::GpsPort, "ComboBoxGPSNUM", F::GPS_NUM)
            .pin_rule()
            .label("PanelGPSConnect", kConnection)
            .hint(connection_hint_gps),
        list(P::GpsPort, "ComboBoxGPSSPEED", F::GPS_SPEED)
            .enabled_when(D::GpsConnected)
            .label("PanelGPSSpeed", kSpeed)
            .hint({"Скорость обмена с модулем GPS", "Baud rate of the GPS module"}),
        list(P::GpsPort, "ComboBoxGPSPARITYx", F::GPS_PARITY).enabled_when(D::GpsFormat).label("PanelGPSFormat", kFormat),
        fixed(P::GpsPort, "ComboBoxGPSDATABITSx", kDataBits).enabled_when(D::GpsFormat).label("PanelGPSDataBits", kDataBitsLabel),
        fixed(P::GpsPort, "ComboBoxGPSSTOPBITSx", kStopBits).enabled_when(D::GpsFormat).label("PanelGPSStopBits", kStopBitsLabel),
        box(P::GpsPort, "CheckBox_GPS_COURSE", F::GPS_COURSE, {"Вычислять курс", "Calculate course"})
            .enabled_when(D::GpsConnected),

        // Head unit.
        list(P::HeadUnit, "ComboBoxHEADNUM", F::HEAD_NUM).pin_rule().label("PanelHEADConnect", kConnection),
        list(P::HeadUnit, "ComboBoxHEADTYPE", F::HEAD_TYPE)
            .enabled_when(D::HeadUnitConnected)
            .label("PanelHEADTYPEText", kType),

        // External navigation.
        list(P::ExternalNavi, "ComboBoxEXTNAVINUM", F::EXTNAVI_NUM).pin_rule().label("PanelEXTNAVINUM", kConnection),
        list(P::ExternalNavi, "ComboBoxEXTNAVITYPEx", F::EXTNAVI_TYPE)
            .enabled_when(D::ExtNaviConnected)
            .label("PanelEXTNAVITYPE", kType),
        list(P::ExternalNavi, "ComboBoxEXTNAVISRCx", F::EXTNAVI_SRC)
            .items(kSourceNumbers)
            .enabled_when(D::ExtNaviConnected)
            .label("PanelEXTNAVISRC", {"Источник", "Source"}),

        // Bus IEBUS.
        check_list(P::Iebus, "CheckListBoxIEBUSMODEBITS", F::IEBUS_MODEBITS)
            .iebus_functions()
            .label("PanelIEBUSMODEBITS", {"Функции", "Functions"}),
        box(P::Iebus, "CheckBoxIEBUSTouch", F::IEBUS_TOUCH, kCoordinateInput)
            .pin_rule()
            .enabled_when(D::IebusCoordinates)
            .in(1),
        ranged(P::Iebus, "EditAMPLDELAYTO", F::AMPLPARAM_TO, 0, 60000)
            .enabled_when(D::AmplifierControls)
            .label("PanelAMPLDELAYTO", {"Задержка включения усилителя", "Delay power on the amplifier"})
            .unit("PanelAMPLDELAYTOMS", kMs)
            .in(1),

        // CAN Bus.
        list(P::CanBus, "ComboBoxCANSPEEDx", F::CANPARAM_BAUD500K).label("PanelCANSPEED", {"Скорость шины CAN", "CAN Bus speed"}),
        box(P::CanBus, "CheckBoxCANACKED", F::CANPARAM_ACKED, {"Подтверждать пакеты CAN", "ACK CAN packets"}),

        // iDrive.
        list(P::IDrive, "ComboBoxIDRIVETYPEx", F::IDRIVEPARAM_TYPE).label("PanelIDRIVETYPE", kType),
        list(P::IDrive, "ComboBoxIDRIVEMODE", F::IDRIVEPARAM_MODE).label("PanelIDRIVEMODE", kMode),
        list(P::IDrive, "ComboBoxIDRIVELIGHT", F::IDRIVEPARAM_LIGHT)
            .visible_when(D::IdriveOffline)
            .label("PanelIDRIVELIGHT", {"Подсветка при включении", "Light on power up"}),
        list(P::IDrive, "ComboBoxTOUCHPAD_MODE", F::IDRIVEPARAM_TOUCHPAD_MODE)
            .label("PanelTOUCHPAD_MODE", {"Режим тачпада", "Touchpad mode"})
            .in(1),
        list(P::IDrive, "ComboBoxTOUCHPAD_CLICK", F::IDRIVEPARAM_TOUCHPAD_CLICK)
            .label("PanelTOUCHPAD_CLICK", {"Левый клик", "Left click"})
            .in(1),
        list(P::IDrive, "ComboBoxIDRIVEORIENTATION", F::IDRIVEPARAM_ORIENTATION)
            .label("PanelIDRIVEORIENTATION", kOrientation)
            .in(1),
        box(P::IDrive, "CheckBoxIDRIVEINVERTX", F::IDRIVEPARAM2_INVERT_X, kInversionX).in(1),
        box(P::IDrive, "CheckBoxIDRIVEINVERTY", F::IDRIVEPARAM2_INVERT_Y, kInversionY).in(1),

        // iBus: its UART choices name pins, but no pin rule covers them.
        list(P::IBus, "ComboBoxIBUSNUM", F::IBUSPARAM_NUM).label("PanelIBUSNUM", kConnection),
        box(P::IBus, "CheckBoxIBUSCDC", F::IBUSPARAM_CDC, {"Эмулировать CDC", "Emulate CDC"}),

        // CAP2RES.
        list(P::Cap2Res, "ComboBoxCap2ResNum", F::CAP2RES_NUM)
            .pin_rule()
            .label("Panel1", kConnection)
            .hint({"Выводы подключения модуля CAP2RES", "Pins the CAP2RES module is connected to"}),

        // GaNet Bus.
        list(P::GaNet, "ComboBoxGaNetMODE", F::GANET_MODE).label("PanelGaNetMODE", kMode),
        list(P::GaNet, "ComboBoxGaNetVolumeOut", F::GANET_VOL_CH)
            .enabled_when(D::GanetInspire)
            .label("PanelGaNetVolumeOut", {"Выход громкости", "Volume output"}),
        list(P::GaNet, "ComboBoxGaNetJOYUSETYPE", F::GANET_ACURA_JOY_USE_TYPE).label("PanelGaNetJoy", {"Джойстик", "Joystick"}),
        box(P::GaNet, "CheckBoxGaNetCONDUSE", F::GANET_ACURA_COND_USE,
            {"Использовать интерфейс кондиционера. Вход X6/6", "Use interface of the air conditioner. X6/6 input"})
            .in(1),
        box(P::GaNet, "CheckBoxGaNetTOUCHUSE", F::GANET_TOUCH, kCoordinateInput).in(1),

        // LIN-Bus.
        list(P::Lin, "ComboBoxLINSPEED", F::LINPARAM_SPEEDTYPE)
            .label("PanelLINSPEED", {"Скорость шины LIN, X5/10", "LIN Bus speed, X5/10"}),
        list(P::Lin, "ComboBoxLINTYPE", F::LINPARAM_SW_TYPE).label("PanelLINTYPE", {"Тип руля", "Steering wheel type"}),
        box(P::Lin, "CheckBoxLINSWAP_VOLDN_OK", F::LINPARAM_SWAP_VOLDN_OK,
            {"Поменять местами VOLDN и OK (для VW)", "Swap VOLDN and OK (for VW)"}),

        // Bluetooth.
        list(P::Bluetooth, "ComboBoxBTNum", F::BT_NUM)
            .pin_rule()
            .label("Panel15", kConnection)
            .hint({"Выводы подключения модуля Bluetooth", "Pins the Bluetooth module is connected to"}),

        // PS2.
        list(P::Ps2, "ComboBoxPS2Type", F::PS2PARAM_TYPE).label("PanelPS2Type", kType),
        list(P::Ps2, "ComboBoxPS2MNOGx", F::PS2PARAM_MNOG)
            .items(kPs2Multipliers)
            .label("PanelPS2Mnog", {"Множитель скорости", "Speed multiplier"}),
        list(P::Ps2, "ComboBoxPS2ROTATEx", F::PS2PARAM_ORIENT).label("PanelPS2Rotate", kOrientation),

        // UART.
        list(P::Uart, "ComboBoxUARTNum", F::UARTPARAM_NUM)
            .pin_rule()
            .label("PanelUARTNum", kConnection)
            .hint({"Выводы подключения UART", "Pins the UART is connected to"}),
        list(P::Uart, "ComboBoxUARTSPEED", F::UARTPARAM_SPEED)
            .enabled_when(D::UartConnected)
            .label("PanelUARTSPEED", kSpeed)
            .hint({"Скорость обмена по UART", "Baud rate of the UART"}),
        list(P::Uart, "ComboBoxUARTPARITYx", F::UARTPARAM_PARITY)
            .enabled_when(D::UartConnected)
            .label("PanelUARTFORMAT", kFormat),
        fixed(P::Uart, "ComboBoxUARTDATABITSx", kDataBits).enabled_when(D::UartConnected).label("PanelUARTDataBits", kDataBitsLabel),
        fixed(P::Uart, "ComboBoxUARTSTOPBITSx", kStopBits).enabled_when(D::UartConnected).label("PanelUARTStopBits", kStopBitsLabel),
        fallback(P::Uart, "EditUARTDELAY", BindingTarget::Field, F::UARTPARAM_DelayMS, 1, 10000, 500)
            .enabled_when(D::UartConnected)
            .label("LabelUARTDELAY", {"Задержка перед автоповтором", "Delay before autorepeat"})
            .unit("LabelUARTDELAYMS", kMs)
            .in(1),
        fallback(P::Uart, "EditUARTREPLAY", BindingTarget::Field, F::UARTPARAM_ReplayMS, 1, 10000, 100)
            .enabled_when(D::UartConnected)
            .label("LabelUARTREPLAY", {"Интервал автоповтора", "Autorepeat interval"})
            .unit("LabelUARTREPLAYMS", kMs)
            .in(1),

        // AUDI MMI.
        list(P::AudiMmi, "ComboBoxAUDIMMIType", F::AUDI_MMI_USE_TYPE).label("PanelAUDIMMIType", kConnection),

        // CarDSP.
        list(P::CarDsp, "ComboBoxCarDspConnect", F::CARDSP_RUX_PARAM_NUM)
            .pin_rule()
            .label("PanelCarDspConnect", kConnection)
            .hint({"Выводы подключения модуля CarDSP", "Pins the CarDSP module is connected to"}),
        list(P::CarDsp, "ComboBoxCarDspType", F::CARDSP_RUX_PARAM_TYPE)
            .label("PanelCarDspType", kType)
            .hint({"Тип модуля CarDSP", "Type of the CarDSP module"}),
        check_list(P::CarDsp, "CheckListBoxCARDSP_BITMASKx", F::CARDSP_RUX_PARAM_MODEBITS)
            .visible_when(D::CarDspConnected)
            .label("PanelCarDspSend", {"Передавать из Serial", "Send from Serial"}),

        // ResEmul.
        list(P::ResEmul, "ComboBoxRESEMULPARAM", F::RESEMULPARAM_NUM)
            .pin_rule()
            .label("PanelRESEMULPARAM", kConnection)
            .hint({"Выводы эмуляции резистивной тачпанели", "Pins of the resistive touch emulation"}),
        box(P::ResEmul, "CheckBoxRESEMULPARAMSWAPXY", F::RESEMULPARAM_SWAPXY,
            {"Поменять местами оси X и Y", "Swap axes X and Y"})
            .in(1),
        box(P::ResEmul, "CheckBoxRESEMULPARAMSWAPX", F::RESEMULPARAM_SWAPX, {"Инвертировать ось X", "Swap X axis"}).in(1),
        box(P::ResEmul, "CheckBoxRESEMULPARAMSWAPY", F::RESEMULPARAM_SWAPY, {"Инвертировать ось Y", "Swap Y axis"}).in(1),

        // GAZER PA.
        list(P::GazerPa, "ComboBoxGAZERUARTNum", F::GAZERUARTPARAM_NUM)
            .pin_rule()
            .label("PanelGAZERUARTnum", kConnection)
            .hint({"Выводы подключения усилителя GAZER", "Pins the GAZER amplifier is connected to"}),
        list(P::GazerPa, "ComboBoxGAZERUARTTypex", F::GAZERUARTPARAM_TYPE).label("PanelGAZERUARTtype", kType),

        // Mercedes Ctrl.
        list(P::MercedesCtrl, "ComboBoxMCONTROLtype", F::MCONTROLPARAM_TYPE).label("PanelMCONTROLtype", kType),
        list(P::MercedesCtrl, "ComboBoxMCONTROLmode", F::MCONTROLPARAM_SLAVE_MODE).label("PanelMCONTROLmode", kMode),
        list(P::MercedesCtrl, "ComboBoxMCONTROLlight", F::MCONTROLPARAM_LIGHT)
            .label("PanelMCONTROLlight", {"Подсветка при включении", "Light on power up"}),
        list(P::MercedesCtrl, "ComboBoxMCONTROLorientation", F::MCONTROLPARAM_ORIENTATION)
            .label("PanelMCONTROLorientation", kOrientation),
        list(P::MercedesCtrl, "ComboBoxMCONTROLmouse", F::MCONTROLPARAM_SPEEDMODE)
            .label("PanelMCONTROLmouse", {"Режим тачпада", "Touchpad mode"})
            .in(1),
        list(P::MercedesCtrl, "ComboBoxMCONTROLlock", F::MCONTROLPARAM_LOCK)
            .label("PanelMCONTROLlock", {"Нажатие при удержании", "Press while holding"})
            .in(1),
        box(P::MercedesCtrl, "CheckBoxMCONTROLinvertX", F::MCONTROLPARAM_INVERT_X, kInversionX).in(1),
        box(P::MercedesCtrl, "CheckBoxMCONTROLinvertY", F::MCONTROLPARAM_INVERT_Y, kInversionY).in(1),
    };
    return rows;
}

constexpr ParamGroup kGroups[] = {
    {P::Pins, 0, "GroupBoxX2", SAME("X2")},
    {P::Pins, 1, "GroupBoxX4", SAME("X4")},
    {P::Pins, 2, "GroupBoxX5", SAME("X5")},
    {P::Pins, 3, "GroupBoxX6", SAME("X6")},
    {P::Sources, 0, "GroupBoxPulse", {"Импульсное переключение источников", "Pulse switching of sources"}},
    {P::Control, 0, "PanelParamControlCH1", {"Канал 1", "Ch 1"}},
    {P::Control, 1, "PanelParamControlCH2", {"Канал 2", "Ch 2"}},
};

#undef SAME

struct Tables {
    std::vector<ParamBinding> rows = make_rows();
    std::array<std::span<const ParamBinding>, kParamPageCount> pages{};
    std::array<const ParamBinding*, kFieldCount> by_field{};

    Tables() {
        std::size_t begin = 0;
        for (std::size_t page = 0; page < kParamPageCount; ++page) {
            std::size_t end = begin;
            while (end < rows.size() && static_cast<std::size_t>(rows[end].page) == page) ++end;
            pages[page] = std::span<const ParamBinding>(rows).subspan(begin, end - begin);
            begin = end;
        }
        // A list without entries of its own offers its pin's or its field's.
        for (ParamBinding& row : rows) {
            if (!row.items.empty()) continue;
            if (row.target == BindingTarget::PinMode) row.items = pin_mode_choices(row.pin);
            else if (row.target == BindingTarget::Field && row.field < FieldId::Count) row.items = field(row.field).choices;
        }
        for (const ParamBinding& row : rows)
            if (row.target == BindingTarget::Field && row.field < FieldId::Count)
                by_field[static_cast<std::size_t>(row.field)] = &row;
    }
};

const Tables& tables() {
    static const Tables instance;
    return instance;
}

}  // namespace

std::span<const ParamPageDef> parameter_pages() { return kPages; }

const ParamPageDef& parameter_page(ParamPage page) { return kPages[static_cast<std::size_t>(page)]; }

std::span<const ParamBinding> parameter_bindings() { return tables().rows; }

std::span<const ParamBinding> page_bindings(ParamPage page) {
    const auto index = static_cast<std::size_t>(page);
    return index < kParamPageCount ? tables().pages[index] : std::span<const ParamBinding>();
}

const ParamBinding* find_binding(std::string_view control) {
    if (control.empty()) return nullptr;
    for (const ParamBinding& row : tables().rows)
        if (control == row.control) return &row;
    return nullptr;
}

const ParamBinding* binding_of(FieldId field) {
    const auto index = static_cast<std::size_t>(field);
    return index < kFieldCount ? tables().by_field[index] : nullptr;
}

std::span<const ParamGroup> parameter_groups() { return kGroups; }

}  // namespace ztv
