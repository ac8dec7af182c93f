// The main window's translation table. Drop-down lists of record fields take their entries
// from the field table's choice lists, so the pages and the language switch show the same list.
#include <deque>
#include <string>
#include <vector>

#include "app/form_tables.h"
#include "config/field_table.h"
#include "diag/can_texts.h"

namespace ztv {
namespace {

enum class Property { Caption, Hint };

struct RowSource {
    Property property;
    const char* control;
    const char* ru;
    const char* en;
    const FieldId* list;  // entries from this field's choices instead of ru/en
};

constexpr RowSource C(const char* control, const char* ru, const char* en) {
    return {Property::Caption, control, ru, en, nullptr};
}
constexpr RowSource H(const char* control, const char* ru, const char* en) {
    return {Property::Hint, control, ru, en, nullptr};
}
// A CAN log popup item: its caption lives with the CAN log.
constexpr RowSource Menu(CanMenuItem item) {
    const CanMenuEntry& entry = kCanMenuTable[static_cast<std::size_t>(item)];
    return C(entry.control, entry.caption.ru, entry.caption.en);
}

// Fields whose choice list fills a drop-down list of the main window.
constexpr FieldId kPulseNum = FieldId::PULSE_NUM;
constexpr FieldId kRenaultJoy = FieldId::RENAULT_JOY_TYPE;
constexpr FieldId kTouchMode = FieldId::TOUCH_MODE;
constexpr FieldId kIrInput = FieldId::IRINP_NUM;
constexpr FieldId kEnc0 = FieldId::ENC0MODE;
constexpr FieldId kEnc1 = FieldId::ENC1MODE;
constexpr FieldId kGpsNum = FieldId::GPS_NUM;
constexpr FieldId kGpsSpeed = FieldId::GPS_SPEED;
constexpr FieldId kHeadType = FieldId::HEAD_TYPE;
constexpr FieldId kHeadNum = FieldId::HEAD_NUM;
constexpr FieldId kExtNaviNum = FieldId::EXTNAVI_NUM;
constexpr FieldId kIebusBits = FieldId::IEBUS_MODEBITS;
constexpr FieldId kIdriveLight = FieldId::IDRIVEPARAM_LIGHT;
constexpr FieldId kTouchpadMode = FieldId::IDRIVEPARAM_TOUCHPAD_MODE;
constexpr FieldId kTouchpadClick = FieldId::IDRIVEPARAM_TOUCHPAD_CLICK;
constexpr FieldId kIdriveMode = FieldId::IDRIVEPARAM_MODE;
constexpr FieldId kIdriveOrientation = FieldId::IDRIVEPARAM_ORIENTATION;
constexpr FieldId kIbusNum = FieldId::IBUSPARAM_NUM;
constexpr FieldId kCap2Res = FieldId::CAP2RES_NUM;
constexpr FieldId kGanetMode = FieldId::GANET_MODE;
constexpr FieldId kGanetVolume = FieldId::GANET_VOL_CH;
constexpr FieldId kGanetJoy = FieldId::GANET_ACURA_JOY_USE_TYPE;
constexpr FieldId kLinSpeed = FieldId::LINPARAM_SPEEDTYPE;
constexpr FieldId kLinType = FieldId::LINPARAM_SW_TYPE;
constexpr FieldId kBtNum = FieldId::BT_NUM;
constexpr FieldId kPs2Type = FieldId::PS2PARAM_TYPE;
constexpr FieldId kUartNum = FieldId::UARTPARAM_NUM;
constexpr FieldId kUartSpeed = FieldId::UARTPARAM_SPEED;
constexpr FieldId kAudiMmi = FieldId::AUDI_MMI_USE_TYPE;
constexpr FieldId kCarDspNum = FieldId::CARDSP_RUX_PARAM_NUM;
constexpr FieldId kCarDspType = FieldId::CARDSP_RUX_PARAM_TYPE;
constexpr FieldId kResEmul = FieldId::RESEMULPARAM_NUM;
constexpr FieldId kGazerNum = FieldId::GAZERUARTPARAM_NUM;
constexpr FieldId kMcType = FieldId::MCONTROLPARAM_TYPE;
constexpr FieldId kMcMode = FieldId::MCONTROLPARAM_SLAVE_MODE;
constexpr FieldId kMcLight = FieldId::MCONTROLPARAM_LIGHT;
constexpr FieldId kMcOrientation = FieldId::MCONTROLPARAM_ORIENTATION;
constexpr FieldId kMcMouse = FieldId::MCONTROLPARAM_SPEEDMODE;
constexpr FieldId kMcLock = FieldId::MCONTROLPARAM_LOCK;

constexpr RowSource L(const char* control, const FieldId& field) {
    return {Property::Caption, control, nullptr, nullptr, &field};
}

#define AREAS_RU                                                                                              \
    "Левый верхний угол\r\nВверху по центру\r\nПравый верхний угол\r\nСлева по центру\r\nЦентр экрана\r\n" \
    "Справа по центру\r\nЛевый нижний угол\r\nВнизу по центру\r\nПравый нижний угол\r\n"
#define AREAS_EN                                                                                           \
    "Top left corner\r\nThe top of the center\r\nTop right corner\r\nLeft of center\r\nScreen center\r\n" \
    "Screen right\r\nBottom left corner\r\nBottom of center\r\nBottom right corner\r\n"
#define ACTIVATE_RU "При активации\r\nПри деактивации\r\n"
#define ACTIVATE_EN "When activate\r\nWhen deactivate\r\n"
#define OPEN_COLLECTOR_RU "Открытый коллектор, Z\r\nОткрытый коллектор, 0В\r\n"
#define OPEN_COLLECTOR_EN "Open collector, Z\r\nOpen collector, 0V\r\n"
#define MS_RU "мс"
#define MS_EN "mSec"

constexpr RowSource kRows[] = {
    C("SpeedButton1", "N", "N"),
    C("TabSheetMonitoring", "Терминал", "Terminal"),
    C("TabSheetParameters", "Параметры", "Parameters"),
    C("GroupBoxKeys", " Кнопки ", " Buttons "),
    C("TabSheetPINS", "Выводы", "Pins"),
    C("ComboBoxX56", "Нет питания\r\nВыход питания +5В до 1А\r\n", "No power\r\nPower output +5V to 1A\r\n"),
    C("ComboBoxX57", OPEN_COLLECTOR_RU, OPEN_COLLECTOR_EN),
    C("ComboBoxX58", OPEN_COLLECTOR_RU, OPEN_COLLECTOR_EN),
    C("TabSheetPULSE", "Источники", "Sources"),
    L("ComboBoxPULSENUM", kPulseNum),
    C("PanelPULSENUM", "Вывод импульсного управления", "Pulse control pin"),
    C("Panel4", "Количество источников", "Number of sources"),
    C("PanelPULSEMSACTIVE", "Активное состояние", "Active state"),
    C("PanelPULSEMSACTIVEMS", MS_RU, MS_EN),
    C("PanelPULSEMSPAUSE", "Пассивное состояние", "Passive state"),
    C("PanelPULSEMSPAUSEMS", MS_RU, MS_EN),
    C("PanelSourceNameUse", "Передавать название", "Send the Name"),
    C("TabSheetKEYS", "Кнопки", "Keys"),
    C("Label_PAR_LongTO_Descripions", "Долгое нажатие более", "Long press over"),
    C("Label_PAR_LongTO_MSEC", MS_RU, MS_EN),
    L("ComboBoxRenaultJoyType", kRenaultJoy),
    C("PanelRenaultJoyType", "Джойстик Renault", "Renault joystick"),
    C("TabSheetTouch", "Тачпанель", "Touchpanel"),
    C("Panel2", "Режим тачпанели", "Touchpanel mode"),
    L("ComboBoxTouchMode", kTouchMode),
    C("Panel14", "Источник для тача через USB", "Source for touch via USB"),
    C("ComboBoxSource2Touch", "Любой\r\nВыбрать...\r\n", "Any\r\nSelect...\r\n"),
    C("CheckBoxTouchDXY", "Смещение 10% при настройке", "Offset 10% when setting"),
    C("CheckBoxWindows", "Режим Windows", "Windows mode"),
    C("CheckBoxTouchWakeUp", "Пробуждение", "Wake Up"),
    C("CheckBoxTouchHide", "Скрывать указатель", "Hide pointer"),
    C("CheckBoxTouchGestures", "Использовать жесты", "Use gestures"),
    C("PanelTouchFromCap2Res", "Работа с модулем CAP2RES", "Work with CAP2RES module"),
    C("TabSheetIRINP", "ИК вход", "IR input"),
    L("ComboBoxIRINPNUM", kIrInput),
    C("CheckBoxIRINPINV", "Инверсия", "Inverse"),
    C("TabSheetParamControl", "Управление", "Control"),
    C("PanelParamControlCH1", "Канал 1", "Ch 1"),
    C("PanelParamControlVOUT1V", "В", "V"),
    C("PanelParamControlCH2", "Канал 2", "Ch 2"),
    C("PanelParamControlVOUT2V", "В", "V"),
    C("PanelParamControlVOUT1Vminmax_", "В", "V"),
    C("PanelParamControlVOUT2Vminmax_", "В", "V"),
    C("ParamControlVOUTxdefault", "Напряжение по умолчанию", "Default voltage"),
    C("ParamControlVOUTxminmax_", "Минимум/максимум", "Minumum/maximum"),
    C("CheckBoxParamControlVOUT1send", "Передавать в Serial", "Send to Serial"),
    C("CheckBoxParamControlVOUT2send", "Передавать в Serial", "Send to Serial"),
    C("TabSheetEnc", "Энкодеры", "Encoders"),
    L("ComboBoxEditEncoder1Mode", kEnc0),
    C("PanelEncoder1DivText", "Делитель", "Divisor"),
    C("PanelENC1Connect", "Энкодер 1", "Encoder 1"),
    L("ComboBoxEditEncoder2Mode", kEnc1),
    C("Panel20", "Энкодер 2", "Encoder 2"),
    C("Panel21", "Делитель", "Divisor"),
    C("TabSheetGPS", "Порт GPS", "GPS port"),
    L("ComboBoxGPSNUM", kGpsNum),
    L("ComboBoxGPSSPEED", kGpsSpeed),
    C("PanelGPSConnect", "Подключение", "Connection"),
    C("PanelGPSSpeed", "Скорость", "Speed"),
    C("PanelGPSFormat", "Формат", "Format"),
    C("CheckBox_GPS_COURSE", "Вычислять курс", "Calculate course"),
    C("TabSheetHEAD", "Головное устройство", "Head unit"),
    C("PanelHEADTYPEText", "Тип", "Type"),
    L("ComboBoxHEADTYPE", kHeadType),
    L("ComboBoxHEADNUM", kHeadNum),
    C("PanelHEADConnect", "Подключение", "Connection"),
    C("TabSheetEXTNAVI", "Внешняя навигация", "External navi"),
    C("PanelEXTNAVINUM", "Подключение", "Connection"),
    L("ComboBoxEXTNAVINUM", kExtNaviNum),
    C("PanelEXTNAVITYPE", "Тип", "Type"),
    C("PanelEXTNAVISRC", "Источник", "Source"),
    C("TabSheetIEBUS", "Шина IEBUS", "Bus IEBUS"),
    C("CheckBoxIEBUSTouch", "Использовать для ввода координат", "Used to coordinate input"),
    L("CheckListBoxIEBUSMODEBITS", kIebusBits),
    C("PanelAMPLDELAYTO", "Задержка включения усилителя", "Delay power on the amplifier"),
    C("PanelAMPLDELAYTOMS", MS_RU, MS_EN),
    C("TabSheetCAN", "Шина CAN", "CAN Bus"),
    C("PanelCANSPEED", "Скорость шины CAN", "CAN Bus speed"),
    C("CheckBoxCANACKED", "Подтверждать пакеты CAN", "ACK CAN packets"),
    C("PanelIDRIVELIGHT", "Подсветка при включении", "Light on power up"),
    L("ComboBoxIDRIVELIGHT", kIdriveLight),
    C("PanelIDRIVETYPE", "Тип", "Type"),
    C("PanelTOUCHPAD_MODE", "Режим тачпада", "Touchpad mode"),
    L("ComboBoxTOUCHPAD_MODE", kTouchpadMode),
    C("PanelTOUCHPAD_CLICK", "Нажатие тачпада", "Touchpad click"),
    L("ComboBoxTOUCHPAD_CLICK", kTouchpadClick),
    C("PanelIDRIVEMODE", "Режим", "Mode"),
    L("ComboBoxIDRIVEMODE", kIdriveMode),
    C("PanelIDRIVEORIENTATION", "Ориентация", "Orientation"),
    L("ComboBoxIDRIVEORIENTATION", kIdriveOrientation),
    C("CheckBoxIDRIVEINVERTX", "Инверсия X", "Invert X"),
    C("CheckBoxIDRIVEINVERTY", "Инверсия Y", "Invert Y"),
    C("PanelIBUSNUM", "Подключение", "Connection"),
    L("ComboBoxIBUSNUM", kIbusNum),
    C("CheckBoxIBUSCDC", "Эмулировать CDC", "Emulate CDC"),
    C("Panel1", "Подключение", "Connection"),
    L("ComboBoxCap2ResNum", kCap2Res),
    C("TabSheetGANET", "Шина GaNet", "GaNet Bus"),
    L("ComboBoxGaNetMODE", kGanetMode),
    L("ComboBoxGaNetVolumeOut", kGanetVolume),
    C("CheckBoxGaNetCONDUSE", "Использовать кондиционер", "Use air conditioner"),
    L("ComboBoxGaNetJOYUSETYPE", kGanetJoy),
    C("PanelGaNetJoy", "Джойстик", "Joystick"),
    C("CheckBoxGaNetTOUCHUSE", "Использовать тачпанель", "Use touchpanel"),
    C("TabSheetLIN", "Шина LIN", "LIN-Bus"),
    C("PanelLINSPEED", "Скорость шины LIN, X5/10", "LIN Bus speed, X5/10"),
    L("ComboBoxLINSPEED", kLinSpeed),
    C("CheckBoxLINSWAP_VOLDN_OK", "Поменять местами VOL DN и OK", "Swap VOL DN and OK"),
    L("ComboBoxLINTYPE", kLinType),
    C("PanelLINTYPE", "Тип руля", "Steering wheel type"),
    C("TabSheetBTmodule", "Bluetooth", "Bluetooth"),
    C("Panel15", "Подключение", "Connection"),
    L("ComboBoxBTNum", kBtNum),
    C("PanelPS2Type", "Тип", "Type"),
    L("ComboBoxPS2Type", kPs2Type),
    C("PanelPS2Mnog", "Множитель скорости", "Speed multiplier"),
    C("PanelPS2Rotate", "Ориентация", "Orientation"),
    C("LabelUARTDELAYMS", MS_RU, MS_EN),
    C("LabelUARTDELAY", "Задержка перед автоповтором", "Delay before autorepeat"),
    C("LabelUARTREPLAY", "Интервал автоповтора", "Autorepeat interval"),
    C("LabelUARTREPLAYMS", MS_RU, MS_EN),
    C("PanelUARTNum", "Подключение", "Connection"),
    L("ComboBoxUARTNum", kUartNum),
    C("PanelUARTSPEED", "Скорость", "Speed"),
    C("PanelUARTFORMAT", "Формат", "Format"),
    L("ComboBoxUARTSPEED", kUartSpeed),
    L("ComboBoxAUDIMMIType", kAudiMmi),
    L("ComboBoxCarDspConnect", kCarDspNum),
    C("PanelCarDspConnect", "Подключение", "Connection"),
    C("PanelCarDspSend", "Передавать из Serial", "Send from Serial"),
    C("PanelCarDspType", "Тип", "Type"),
    L("ComboBoxCarDspType", kCarDspType),
    L("ComboBoxRESEMULPARAM", kResEmul),
    C("PanelRESEMULPARAM", "Подключение", "Connection"),
    C("CheckBoxRESEMULPARAMSWAPXY", "Поменять местами X и Y", "Swap X and Y"),
    C("CheckBoxRESEMULPARAMSWAPX", "Инверсия X", "Invert X"),
    C("CheckBoxRESEMULPARAMSWAPY", "Инверсия Y", "Invert Y"),
    C("PanelGAZERUARTnum", "Подключение", "Connection"),
    L("ComboBoxGAZERUARTNum", kGazerNum),
    C("PanelGAZERUARTtype", "Тип", "Type"),
    C("PanelMCONTROLtype", "Тип", "Type"),
    L("ComboBoxMCONTROLtype", kMcType),
    C("PanelMCONTROLmode", "Режим", "Mode"),
    L("ComboBoxMCONTROLmode", kMcMode),
    C("PanelMCONTROLlight", "Подсветка", "Light"),
    L("ComboBoxMCONTROLlight", kMcLight),
    C("PanelMCONTROLorientation", "Ориентация", "Orientation"),
    L("ComboBoxMCONTROLorientation", kMcOrientation),
    C("PanelMCONTROLmouse", "Скорость мыши", "Mouse speed"),
    L("ComboBoxMCONTROLmouse", kMcMouse),
    C("CheckBoxMCONTROLinvertX", "Инверсия X", "Invert X"),
    C("CheckBoxMCONTROLinvertY", "Инверсия Y", "Invert Y"),
    C("PanelMCONTROLlock", "Блокировка", "Lock"),
    L("ComboBoxMCONTROLlock", kMcLock),
    C("GroupBoxReaction", " Реакция ", " Response "),
    C("TabSheetReactionUSBKey", "USB клавиша", "USB key"),
    C("PanelReactionUSBKeyDlit", "Мин. длит.", "Min. durat."),
    C("PanelReactionUSBKeyDlitMS", MS_RU, MS_EN),
    C("TabSheetReactionIR", "Передать ИК код", "Send IR code"),
    C("PanelReactionIROUTNUM", "ИК выход", "IR output"),
    C("ComboBoxReactionIROUTNUM",
      "Отключено\r\nX2/2\r\nX2/3\r\nX2/4\r\nX2/5\r\nX2/6\r\nX4/2\r\nX4/3\r\nX5/7\r\nX5/8\r\nX6/2\r\nX6/3\r\nX6/5\r\nX6/6\r\n",
      "Disabled\r\nX2/2\r\nX2/3\r\nX2/4\r\nX2/5\r\nX2/6\r\nX4/2\r\nX4/3\r\nX5/7\r\nX5/8\r\nX6/2\r\nX6/3\r\nX6/5\r\nX6/6\r\n"),
    C("PanelReactionIROUTCNT", "Мин. повторов", "Min. replays"),
    C("TabSheetReactionOUT", "Вывод", "Pin"),
    C("ComboBoxEventReactionPinNUM",
      "Не определён\r\nУсиление питания\r\nX2/2\r\nX2/3\r\nX2/4\r\nX2/5\r\nX2/6\r\nX4/2\r\nX4/3\r\nX5/6\r\nX5/7\r\n"
      "X5/8\r\nX6/2\r\nX6/3\r\nX6/5\r\nX6/6\r\nUSB_UP\r\nRESTART\r\n",
      "Not defined\r\nPower boost\r\nX2/2\r\nX2/3\r\nX2/4\r\nX2/5\r\nX2/6\r\nX4/2\r\nX4/3\r\nX5/6\r\nX5/7\r\n"
      "X5/8\r\nX6/2\r\nX6/3\r\nX6/5\r\nX6/6\r\nUSB_UP\r\nRESTART\r\n"),
    C("Panel3", "Вывод", "Pin"),
    C("Panel12", "Режим", "Mode"),
    C("PanelEventReactionPinTOMS", MS_RU, MS_EN),
    C("Panel19", "Мин. длит.", "Min. durat."),
    C("ComboBoxEventReactionPinMODE",
      "Полное управление\r\nТриггер\r\nОднократно -> сброс\r\nОднократно -> установка\r\n",
      "Full control\r\nTrigger\r\nOnly once -> reset\r\nOnly once -> set\r\n"),
    C("TabSheetReactionAnalog", "Управление", "Control"),
    C("Panel5", "Канал 1", "Ch 1"),
    C("Panel6", "Канал 2", "Ch 2"),
    C("Panel7", "В", "V"),
    C("Panel8", "В", "V"),
    C("Panel9", "Мин. длит./Повтор", "Min. durat./Replay"),
    C("Panel10", MS_RU, MS_EN),
    C("ComboBoxReactionAnalogVOUT1type",
      "установить\r\nне трогать\r\nувеличить на\r\nуменьшить на\r\nравно\r\nвосстановить\r\nMazda VOL\r\nMazda SUB\r\n",
      "set\r\nnot touch\r\nincrease on\r\ndecrease on\r\nequal\r\nrestore\r\nMazda VOL\r\nMazda SUB\r\n"),
    C("ComboBoxReactionAnalogVOUT2type",
      "установить\r\nне трогать\r\nувеличить на\r\nуменьшить на\r\nравно\r\nвосстановить\r\nMazda VOL\r\nMazda SUB\r\n",
      "set\r\nnot touch\r\nincrease on\r\ndecrease on\r\nequal\r\nrestore\r\nMazda VOL\r\nMazda SUB\r\n"),
    C("CheckBoxReactionAnalogVOUT1save", "Сохранить перед изменением", "Save before changing"),
    C("CheckBoxReactionAnalogVOUT2save", "Сохранить перед изменением", "Save before changing"),
    C("TabSheetReactionSRC", "Источник", "Source"),
    C("ComboBoxEventReactionSRC",
      "следующий\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\nпредыдущий\r\nвосстановить\r\n",
      "next\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\nprevious\r\nrestore\r\n"),
    C("PanelEventReactionSRC", "Выбрать", "Select"),
    C("CheckBoxEventReactionSRCSave", "Сохранить перед изменением", "Save before changing"),
    C("TabSheetReactionTouch", "USB тач", "USB Touch"),
    C("PanelTouchDlit", "Длит., мс", "Durat., mSec"),
    C("TabSheetReactionEventColtrol", "Управление событием", "Event manage"),
    C("ComboBoxReactionEventHandleType", "Имитировать\r\nЗапретить\r\nРазрешить\r\n",
      "Simulate\r\nDisable\r\nEnable\r\n"),
    C("Panel18", "событие", "event"),
    C("TabSheetReactionEventIEAMPL", "Управление усилителем", "Amplifier control"),
    C("TabSheetReactionUSBMouse", "USB мышь", "USB mouse"),
    C("ComboBoxReactionUSBMouseType",
      "Левый клик\r\nПравый клик\r\nКлик средней кнопкой\r\nКлик 4-й кнопкой\r\nКлик 5-й кнопкой\r\n"
      "Клик 6-й кнопкой\r\nКлик 7-й кнопкой\r\nКлик 8-й кнопкой\r\nДвойной клик левой кнопкой\r\n",
      "Left click\r\nRight click\r\nClick the center button\r\nClick the 4th button\r\nClick 5th button\r\n"
      "Click the 6th button\r\nClick 7th button\r\nClick the 8th button\r\nDouble click the left button\r\n"),
    C("TabSheetReactionEncoder", "Энкодер", "Encoder"),
    C("LabelReactionEncoderReplaymSec", MS_RU, MS_EN),
    C("LabelReactionEncoderReplay", "Автоповтор", "Autoreplay"),
    C("ComboBoxReactionEncoderMODE",
      "Отключено\r\nX2/2, X2/3\r\nX2/4, X2/5\r\nX4/2, X4/3\r\nX5/7, X5/8\r\nX6/2, X6/3\r\nX6/5, X6/6\r\n",
      "Disabled\r\nX2/2, X2/3\r\nX2/4, X2/5\r\nX4/2, X4/3\r\nX5/7, X5/8\r\nX6/2, X6/3\r\nX6/5, X6/6\r\n"),
    C("PanelReactionEncoderDIR", "Шаги", "Steps"),
    C("PanelReactionEncoderMODE", "Подключение", "Connection"),
    C("PanelReactionSerialName", "В USB", "To USB"),
    C("ComboBoxReactionCurMoveDirection",
      "ВВЕРХ\r\nВВЕРХ-ВПРАВО\r\nВПРАВО\r\nВПРАВО-ВНИЗ\r\nВНИЗ\r\nВНИЗ-ВЛЕВО\r\nВЛЕВО\r\nВЛЕВО-ВВЕРХ\r\n"
      "Нажать\r\nОтпустить\r\n*Колесо вверх\r\n*Колесо вниз\r\nЛевая кнопка мыши\r\nПравая кнопка мыши\r\n",
      "UP\r\nUP-RIGHT\r\nRIGHT\r\nRIGHT-DOWN\r\nDOWN\r\nDOWN-LEFT\r\nLEFT\r\nLEFT-UP\r\n"
      "Press\r\nDepress\r\n*Wheel Up\r\n*Weel Dn\r\nLeft mouse key\r\nRight mouse key\r\n"),
    C("CheckBoxReactionCurMovePress", "С нажатием", "With press"),
    C("PanelReactionCurMoveDirection", "Движение", "Move"),
    C("PanelReactionCurMoveNumPointsOn", "на", "on"),
    C("PanelReactionCurMoveNumPoints", "точек", "points"),
    C("TabSheetReactionMDXJOY", "MDX JOY", "MDX JOY"),
    C("ComboBoxReactionMDXJOY", "Джойстик работает как обычно\r\nПерехватывать джойстик\r\n",
      "The joystick works normally\r\nIntercept the joystick\r\n"),
    C("PanelReactionUARTName", "В UART", "To UART"),
    C("CheckBoxReactionLINTrigger", "Триггер", "Trigger"),
    C("LabelReactionCarDSPReplay", "Автоповтор", "Autoreplay"),
    C("LabelReactionCarDSPReplaymSec", MS_RU, MS_EN),
    C("ComboBoxReactionPANACEA",
      "Не используется\r\nПоказать пресет\r\nПоказать сабвуфер\r\nПоказать громкость\r\nПоказать источник\r\n",
      "Not used\r\nView Preset\r\nView Sub\r\nView Volume\r\nView Src\r\n"),
    C("TabSheetRESEMUL", "ResEmul", "ResEmul"),
    C("Panel22", "X", "X"),
    C("Panel23", "Y", "Y"),
    C("LabelReactionSWVWPARAM", "Код, HEX 2 байта", "Code, HEX 2 bytes"),
    C("LabelReactionGNNAVIPARAM", "Код, HEX 2 байта", "Code, HEX 2 bytes"),
    C("ComboBoxReactionGNNAVIMODE",
      "Свой код\r\nВыключить кондиционер\r\nВключить кондиционер\r\nВкл/выкл кондиционер\r\nСкорость вентилятора 1\r\n"
      "Скорость вентилятора 2\r\nСкорость вентилятора 3\r\nСкорость вентилятора 4\r\nСкорость вентилятора 5\r\n"
      "Скорость вентилятора больше\r\nСкорость вентилятора меньше\r\nРежим на лицо\r\nРежим на лицо и ноги\r\n"
      "Режим на ноги\r\nРежим на ноги и стекло\r\nРежим вверх\r\nРежим вниз\r\nСканирование треков\r\n"
      "Сканирование дисков\r\nПовтор трека\r\nПовтор диска\r\nСлучайный порядок\r\nВыбор\r\nСигнал\r\n",
      "Custom code\r\nTurn off the air conditioner\r\nTurn on the air conditioner\r\nTurn on/of the air conditioner\r\n"
      "Fan speed 1\r\nFan speed 2\r\nFan speed 3\r\nFan speed 4\r\nFan speed 5\r\nFan speed Up\r\nFan speed Dn\r\n"
      "Mode Face\r\nMode Face + Legs\r\nMode Legs\r\nMode Legs + Windshield\r\nMode Up\r\nMode Dn\r\nTrack scan\r\n"
      "Disc scan\r\nTrack repeat\r\nDisc repeat\r\nRandom\r\nSel\r\nBeep\r\n"),
    C("ComboBoxReactionPORSHE_KEYS", "Кнопки работают как обычно\r\nПерехватывать кнопки\r\n",
      "The keys works normally\r\nIntercept the keys\r\n"),
    C("GroupBoxEvent", " Событие ", " Event "),
    C("TabSheetEventKey", "Кнопка", "Button"),
    C("PanelKeyModText", "Мод", "Mod"),
    C("PanelKeyText", "Кнопка", "Button"),
    C("TabSheetEventIR", "ИК код", "IR code"),
    C("TabSheetEventSRC", "Источник", "Source"),
    C("TabSheetEventRegion", "Область", "Area"),
    C("ComboBoxEventRegion", AREAS_RU, AREAS_EN),
    C("TabSheetEventTimeout", "Таймаут", "Timeout"),
    C("PanelEventTimeout", MS_RU, MS_EN),
    C("PanelEventTimeoutFrom", "Отсчёт от", "Count from"),
    C("TabSheetEventIntercept", "Перехват", "Intercept"),
    C("ComboBoxEventIntercept", ACTIVATE_RU, ACTIVATE_EN),
    C("TabSheetEventVoltage", "Напряжение", "Voltage"),
    C("Panel16", "Вход", "Input"),
    C("Panel17", "Мин. длит., мс", "Min. durat., mSec"),
    C("ComboBoxEventUSB", ACTIVATE_RU, ACTIVATE_EN),
    C("ComboBoxEventNAVIMUTE", "При активации MUTE\r\nПри деактивации MUTE\r\n",
      "When MUTE activate\r\nWhen MUTE deactivate\r\n"),
    C("TabSheetEventGesture", "Жесты", "Gestures"),
    C("ComboBoxEventGestureFrom", AREAS_RU, AREAS_EN),
    C("ComboBoxEventGestureTo",
      "При касании\r\nПри движении вверх\r\nПри движении вправо\r\nПри движении вниз\r\nПри движении влево\r\n" AREAS_RU,
      "On touch\r\nOn move top\r\nOn move right\r\nOn move bottom\r\nOn move left\r\n" AREAS_EN),
    C("PanelEventGestureFrom", "Начало", "Start"),
    C("PanelEventGestureTo", "Конец", "End"),
    C("TabSheetEventiDRIVE", "iDrive", "iDrive"),
    C("TabSheetEventPin", "Выводы", "Pins"),
    C("ComboBoxEventPinPin",
      "Отключено\r\nX2/2\r\nX2/3\r\nX2/4\r\nX2/5\r\nX2/6\r\nX4/2\r\nX4/3\r\nX6/2\r\nX6/3\r\nX6/5\r\nX6/6\r\nIERX\r\n"
      "X5/6\r\nX5/7\r\nX5/8\r\nX5/9\r\nX5/10\r\nLIN\r\n",
      "Disabled\r\nX2/2\r\nX2/3\r\nX2/4\r\nX2/5\r\nX2/6\r\nX4/2\r\nX4/3\r\nX6/2\r\nX6/3\r\nX6/5\r\nX6/6\r\nIERX\r\n"
      "X5/6\r\nX5/7\r\nX5/8\r\nX5/9\r\nX5/10\r\nLIN\r\n"),
    C("Panel11", "Вывод", "Pin"),
    C("Panel13", "Мин. длит., мс", "Min. durat., mSec"),
    C("ComboBoxEventPinState", "лог. 0\r\nлог. 1\r\n", "log. 0\r\nlog. 1\r\n"),
    C("TabSheetBT", "Bluetooth", "Bluetooth"),
    C("ComboBoxEventBT", ACTIVATE_RU, ACTIVATE_EN),
    C("TabSheetEventAUDIMMI", "AUDI MMI", "AUDI MMI"),
    C("TabSheetEventRenaultCANJoy", "Renault CAN джойстик", "Renault CAN Joy"),
    C("TabSheetEventMCONTROL", "Mercedes Ctrl", "Mercedes Ctrl"),
    C("PanelEventPress", "Нажатие", "Press"),
    C("ComboBoxEventEvent", "Отключено\r\nКороткое\r\nДлинное\r\nЛюбое\r\n", "Disabled\r\nShort\r\nLong\r\nAny\r\n"),
    C("CheckBoxEventWakeUp", "Пробуждение", "Wake Up"),
    C("CheckBoxEventOnce", "Только один раз", "One time only"),
    C("PanelEventSRC", "Источник", "Source"),
    C("ComboBoxEventSRCMASK", "Любой\r\nВыбрать...\r\n", "Any\r\nSelect...\r\n"),
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
    H("ComboBoxX56", "Тип вывода и состояние при включении питания", "Pin type and default state on power up"),
    H("ComboBoxX57", "Тип вывода и состояние при включении питания", "Pin type and default state on power up"),
    H("ComboBoxX58", "Тип вывода и состояние при включении питания", "Pin type and default state on power up"),
    H("ComboBoxPULSENUM", "Импульсное управление источником на указанном выводе",
      "Pulse source control to the specified pin"),
    H("SpeedButtonKeysSetup", "Настройка кнопок", "Button settings"),
    H("SpeedButtonTouchSetup", "Настройка тачпанели и углов", "Touchpanel and corners settings"),
    H("CheckBoxTouchDXY", "Настройка углов тачпанели со смещением 10% от углов",
      "Setting corners touchpanel with an offset of 10%"),
    H("CheckBoxWindows", "Работа тачпанели в режиме Windows", "Touchpanel works in Windows mode"),
    H("CheckBoxTouchWakeUp", "Пробуждение при касании тачпанели", "Wake up when the touchpanel is touched"),
    H("CheckBoxTouchHide", "Скрывать указатель мыши", "Hide the mouse pointer"),
    H("CheckBoxTouchGestures", "Распознавать жесты на тачпанели", "Recognise gestures on the touchpanel"),
    H("ComboBoxGPSNUM", "Выводы подключения модуля GPS", "Pins the GPS module is connected to"),
    H("ComboBoxGPSSPEED", "Скорость обмена с модулем GPS", "Baud rate of the GPS module"),
    H("ComboBoxCap2ResNum", "Выводы подключения модуля CAP2RES", "Pins the CAP2RES module is connected to"),
    H("ComboBoxBTNum", "Выводы подключения модуля Bluetooth", "Pins the Bluetooth module is connected to"),
    H("ComboBoxUARTNum", "Выводы подключения UART", "Pins the UART is connected to"),
    H("ComboBoxUARTSPEED", "Скорость обмена по UART", "Baud rate of the UART"),
    H("ComboBoxCarDspConnect", "Выводы подключения модуля CarDSP", "Pins the CarDSP module is connected to"),
    H("ComboBoxCarDspType", "Тип модуля CarDSP", "Type of the CarDSP module"),
    H("ComboBoxRESEMULPARAM", "Выводы эмуляции резистивной тачпанели", "Pins of the resistive touch emulation"),
    H("ComboBoxGAZERUARTNum", "Выводы подключения усилителя GAZER", "Pins the GAZER amplifier is connected to"),
    H("ComboBoxReactionIROUTNUM", "Вывод ИК кода на указанный вывод разъёма",
      "Output IR code to the specified connector pin"),
    H("ComboBoxEventReactionPinNUM", "Выходной вывод", "Output pin"),
    H("ComboBoxEventReactionPinMODE", "Режим выхода", "Output mode"),
    H("SpeedButtonReactionTouch", "Указать точку касания на тачпанели", "Take the point from a press on the touchpanel"),
    H("ComboBoxReactionUSBMouseType", "Эмулировать действие мыши", "Emulate the action of the mouse"),
    H("CheckBoxEventWakeUp", "Пробуждение при возникновении события", "Wake up when that event occurs"),
    H("CheckBoxEventOnce", "Только одна реакция", "Only a single response"),
};

#undef AREAS_RU
#undef AREAS_EN
#undef ACTIVATE_RU
#undef ACTIVATE_EN
#undef OPEN_COLLECTOR_RU
#undef OPEN_COLLECTOR_EN
#undef MS_RU
#undef MS_EN

std::string joined_entries(std::span<const TextPair> entries, Lang lang) {
    std::string text;
    for (const TextPair& entry : entries) text.append(pick(entry, lang)).append("\r\n");
    return text;
}

// Built once; afterwards nothing changes, so every window may share it.
class MainFormTable {
public:
    MainFormTable() {
        for (const RowSource& source : kRows) {
            const char* suffix = source.property == Property::Caption ? "Caption" : "Hint";
            const char* key = keep(translation_key("MainForm", source.control, suffix));
            if (source.list != nullptr) {
                const auto entries = field(*source.list).choices;
                rows_.push_back({key, keep(joined_entries(entries, Lang::Russian)),
                                 keep(joined_entries(entries, Lang::English))});
            } else {
                rows_.push_back({key, source.ru, source.en});
            }
        }
    }
    std::span<const TranslationRow> rows() const { return rows_; }

private:
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
