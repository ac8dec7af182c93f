#include "config/field_choices.h"

#include "config/pins.h"

namespace ztv::choices {
namespace {

#define SAME(text) TextPair{text, text}

constexpr TextPair kIrInput[] = {
    {"Отключено", "Disabled"}, SAME("X2/2"), SAME("X2/3"), SAME("X2/4"), SAME("X2/5"), SAME("X2/6"),
    SAME("X4/2"), SAME("X4/3"), SAME("X6/2"), SAME("X6/3"), SAME("X6/5"), SAME("X6/6"), SAME("IERX"),
    SAME("X5/9"), SAME("X5/10"), SAME("LIN (X5/10)")};
constexpr TextPair kTouchMode[] = {{"Отключено", "Disabled"},
                                   {"Только внешняя", "Only external"},
                                   {"Перехват - 0В", "Intercept - 0V"},
                                   {"Перехват > 3В", "Intercept > 3V"},
                                   {"Источник...", "Source..."}};
constexpr TextPair kRenaultJoy[] = {{"Не используется", "Not used"},
                                    {"6 кнопок и колесо прокрутки", "6 buttons and scroll wheel"},
                                    {"9 кнопок и колесо прокрутки", "9 buttons and scroll wheel"}};
constexpr TextPair kModuleConnection[] = {{"Отключено", "Disabled"}, SAME("X4/2, X4/3"), SAME("X6/2, X6/3")};
constexpr TextPair kCarDspConnection[] = {{"Не подключено", "Disconnected"}, SAME("X4/2, X4/3"), SAME("X6/2, X6/3")};
constexpr TextPair kEncoderPins[] = {{"Отключено", "Disabled"}, SAME("X2/2, X2/3"), SAME("X2/4, X2/5"),
                                     SAME("X3/2, X3/3"),         SAME("X3/4, X3/5"), SAME("X4/2, X4/3"),
                                     SAME("X6/2, X6/3"),         SAME("X6/5, X6/6")};
constexpr TextPair kHeadType[] = {SAME("ALPINE"),         SAME("KENWOOD type 1"), SAME("KENWOOD type 2"),
                                  SAME("PIONEER type 1"), SAME("PIONEER type 2"), SAME("ROVER CAN"),
                                  SAME("HONDA ODYSSEY")};
constexpr TextPair kGpsSpeed[] = {{"как у USB", "according to USB"},
                                  {"1200 бит/с", "1200 bps"},
                                  {"2400 бит/с", "2400 bps"},
                                  {"4800 бит/с", "4800 bps"},
                                  {"9600 бит/с", "9600 bps"},
                                  {"19200 бит/с", "19200 bps"},
                                  {"38400 бит/с", "38400 bps"},
                                  {"57600 бит/с", "57600 bps"},
                                  {"115200 бит/с", "115200 bps"}};
constexpr TextPair kParity[] = {SAME("N"), SAME("E"), SAME("O")};
constexpr TextPair kIebusFunctions[] = {{"Эмуляция навигатора", "Navigator emulation"},
                                        {"Эмуляция DVD1", "DVD1 emulation"},
                                        {"Эмуляция CD-чейнджера", "CDC emulation"},
                                        {"Управление усилителем", "Amplifier controls"},
                                        {"Эмуляция усилителя", "Amplifier emulation"},
                                        {"Совместно с навигатором", "Together with the Navi"},
                                        {"Эмуляция DVD2", "DVD2 emulation"},
                                        {"Эмуляция ТВ Camry V50", "TV Camry V50 emulation"},
                                        {"Эмуляция MAM", "MAM emulation"},
                                        {"Совместно с MAM", "Together with the MAM"},
                                        {"Эмуляция PA", "PA emulation"}};
constexpr TextPair kExtNaviType[] = {SAME("GVN53"),         SAME("LM7200"),        SAME("PHANTOM F1"), SAME("KENWOOD"),
                                     SAME("BGT900 type 1"), SAME("BGT900 type 2"), SAME("NKP-2100")};
constexpr TextPair kCanSpeed[] = {{"100 кбит/с", "100 KBit/s"}, {"500 кбит/с", "500 KBit/s"},
                                  {"33 кбит/с", "33 KBit/s"},   {"83 кбит/с", "83 KBit/s"},
                                  {"125 кбит/с", "125 KBit/s"}, {"95 кбит/с", "95 KBit/s"},
                                  {"47 кбит/с", "47 KBit/s"},   {"16 кбит/с", "16 KBit/s"},
                                  {"56 кбит/с", "56 KBit/s"},   {"250 кбит/с", "250 KBit/s"},
                                  {"62.5 кбит/с", "62.5 KBit/s"}};
constexpr TextPair kOnOff[] = {{"Вкл", "On"}, {"Выкл", "Off"}};
constexpr TextPair kOffOn[] = {{"Выкл", "Off"}, {"Вкл", "On"}};
constexpr TextPair kTouchpadMode[] = {{"Отключено", "Disabled"},   {"Сенсорная панель", "Touch panel"},
                                      {"Мышь x1", "Mouse x1"},     {"Мышь x2", "Mouse x2"},
                                      {"Мышь x4", "Mouse x4"},     {"Мышь x8", "Mouse x8"},
                                      {"Мышь x16", "Mouse x16"}};
constexpr TextPair kTouchpadClick[] = {{"Только тачпад", "Only touchpad"},
                                       {"И по нажатию джойстика", "And on joystick press"}};
constexpr TextPair kOfflineWithHead[] = {{"Автономно", "Offline"}, {"С головным устройством", "With head unit"}};
constexpr TextPair kOrientation[] = {{"Обычная", "Normal"}, {"Инверсная", "Inverse"}};
constexpr TextPair kIbusConnection[] = {{"Отключено", "Disabled"},
                                        SAME("X5/7, X5/9 (OUT1/VIN1)"),
                                        SAME("X5/7, X5/9 (OUT1/VIN1) <-> UART (X4/2, X4/3), CTS (X6/5)"),
                                        SAME("X5/7, X5/9 (OUT1/VIN1) <-> UART (X6/2, X6/3), CTS (X6/5)")};
constexpr TextPair kGanetMode[] = {{"Нет устройства", "No device"}, SAME("RDX"), SAME("INSPIRE"), SAME("MDX"),
                                   SAME("NAVI EMUL"), SAME("ACCORD")};
constexpr TextPair kGanetVolume[] = {{"Не используется", "Not used"},
                                     {"Управление, канал 1", "Control ch 1"},
                                     {"Управление, канал 2", "Control ch 2"}};
constexpr TextPair kGanetJoystick[] = {{"Без джойстика", "Without joystick"},
                                       {"Джойстик тип 1", "Joystick type 1"},
                                       {"Джойстик тип 2 (Acura RDX Techno)", "Joystick type 2 (Acura RDX Techno)"},
                                       {"Джойстик тип 3 (Honda Odyssey RB1)", "Joystick type 3 (Honda Odyssey RB1)"},
                                       {"Джойстик тип 4 (Acura MDX 2016)", "Joystick type 4 (Acura MDX 2016)"},
                                       {"Джойстик тип 5 (Acura MDX 2017+)", "Joystick type 5 (Acura MDX 2017+)"}};
constexpr TextPair kLinSpeed[] = {{"Отключено", "Disabled"},     {"10 кбит/с", "10 KBit/s"},
                                  {"20 кбит/с", "20 KBit/s"},    {"19.2 кбит/с", "19.2 KBit/s"},
                                  {"9.6 кбит/с", "9.6 KBit/s"},  {"10.4 кбит/с", "10.4 KBit/s"}};
constexpr TextPair kLinWheel[] = {{"Не используется", "Not used"},
                                  {"Руль Skoda Kodiaq", "SW Skoda Kodiaq"},
                                  {"Руль Seat", "SW Seat"},
                                  {"Руль Polo", "SW Polo"}};
constexpr TextPair kPs2Type[] = {{"Не используется", "Not used"}, SAME("Synaptics 920-000764-01")};
constexpr TextPair kPs2Orientation[] = {SAME("0°"), SAME("90°"), SAME("180°"), SAME("270°")};
constexpr TextPair kUartSpeed[] = {{"1200 бит/с", "1200 bps"},   {"2400 бит/с", "2400 bps"},
                                   {"4800 бит/с", "4800 bps"},   {"9600 бит/с", "9600 bps"},
                                   {"19200 бит/с", "19200 bps"}, {"38400 бит/с", "38400 bps"},
                                   {"57600 бит/с", "57600 bps"}, {"115200 бит/с", "115200 bps"}};
constexpr TextPair kAudiMmi[] = {
    {"Не подключено", "No connections"},
    {"MMI 3G+ (X6/5=RXD X5/8=TXD с подтяжкой)", "MMI 3G+ (X6/5=RXD X5/8=TXD with pullup)"},
    {"MMI 3G (X6/5=RXD X5/8=TXD с подтяжкой)", "MMI 3G (X6/5=RXD X5/8=TXD with pullup)"},
    {"MMI 2G HIGH (X6/5=RXD X5/8=TXD с подтяжкой)", "MMI 2G HIGH (X6/5=RXD X5/8=TXD with pullup)"}};
constexpr TextPair kCarDspType[] = {{"Расширенный", "Extended"}, {"Сокращённый", "Shortened"}};
constexpr TextPair kCarDspSendBits[] = {SAME("Src"), SAME("Preset"), SAME("Sub"), SAME("Vol")};
constexpr TextPair kGazerType[] = {SAME("GAZER PA40R/PA45R")};
constexpr TextPair kGazerConnection[] = {{"Отключено", "Disabled"}, SAME("X4/2"), SAME("X6/2")};
constexpr TextPair kIdriveType[] = {SAME("CIC"), SAME("NBT"), SAME("G11/G12"), SAME("F-Series"), SAME("NBT EVO")};
constexpr TextPair kMcontrolType[] = {SAME("DEFAULT")};
constexpr TextPair kMcontrolSpeed[] = {{"Жесты", "Gestures"},          {"Скорость x1", "Speed x1"},
                                       {"Скорость x2", "Speed x2"},    {"Скорость x3", "Speed x3"},
                                       {"Скорость x4", "Speed x4"},    {"Скорость x5", "Speed x5"},
                                       {"Скорость x6", "Speed x6"},    {"Скорость x7", "Speed x7"}};

#undef SAME

}  // namespace

const std::span<const TextPair> ir_input = kIrInput;
const std::span<const TextPair> touch_mode = kTouchMode;
const std::span<const TextPair> renault_joy = kRenaultJoy;
const std::span<const TextPair> module_connection = kModuleConnection;
const std::span<const TextPair> cardsp_connection = kCarDspConnection;
const std::span<const TextPair> encoder_pins = kEncoderPins;
const std::span<const TextPair> head_type = kHeadType;
const std::span<const TextPair> gps_speed = kGpsSpeed;
const std::span<const TextPair> parity = kParity;
const std::span<const TextPair> iebus_functions = kIebusFunctions;
const std::span<const TextPair> pulse_pin = kPulsePinList;
const std::span<const TextPair> extnavi_type = kExtNaviType;
const std::span<const TextPair> can_speed = kCanSpeed;
const std::span<const TextPair> on_off = kOnOff;
const std::span<const TextPair> off_on = kOffOn;
const std::span<const TextPair> touchpad_mode = kTouchpadMode;
const std::span<const TextPair> touchpad_click = kTouchpadClick;
const std::span<const TextPair> offline_with_head = kOfflineWithHead;
const std::span<const TextPair> orientation = kOrientation;
const std::span<const TextPair> ibus_connection = kIbusConnection;
const std::span<const TextPair> ganet_mode = kGanetMode;
const std::span<const TextPair> ganet_volume = kGanetVolume;
const std::span<const TextPair> ganet_joystick = kGanetJoystick;
const std::span<const TextPair> lin_speed = kLinSpeed;
const std::span<const TextPair> lin_wheel = kLinWheel;
const std::span<const TextPair> ps2_type = kPs2Type;
const std::span<const TextPair> ps2_orientation = kPs2Orientation;
const std::span<const TextPair> uart_speed = kUartSpeed;
const std::span<const TextPair> audi_mmi = kAudiMmi;
const std::span<const TextPair> cardsp_type = kCarDspType;
const std::span<const TextPair> cardsp_send_bits = kCarDspSendBits;
const std::span<const TextPair> gazer_type = kGazerType;
const std::span<const TextPair> gazer_connection = kGazerConnection;
const std::span<const TextPair> idrive_type = kIdriveType;
const std::span<const TextPair> mcontrol_type = kMcontrolType;
const std::span<const TextPair> mcontrol_speed = kMcontrolSpeed;

}  // namespace ztv::choices
