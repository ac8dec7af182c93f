// The fixed choice lists of the reaction pages. Position in a list is the value stored in the
// slot, so the order of every entry matters to the controller.
#include "events/reaction_catalogue.h"

#include "config/pins.h"

namespace ztv::reaction_lists {
namespace {

#define SAME(text) TextPair{text, text}

constexpr TextPair kOutputPins[] = {
    {"Не задан", "Not defined"}, {"Усиленное питание", "Power boost"}, SAME("X2/2"), SAME("X2/3"), SAME("X2/4"),
    SAME("X2/5"), SAME("X2/6"), SAME("X4/2"), SAME("X4/3"), SAME("X5/6"), SAME("X5/7"), SAME("X5/8"),
    SAME("X6/2"), SAME("X6/3"), SAME("X6/5"), SAME("X6/6"), SAME("USB_UP"), SAME("RESTART")};

constexpr TextPair kPinModes[] = {{"Полное управление", "Full control"},
                                  {"Триггер", "Trigger"},
                                  {"Однократно -> сброс", "Only once -> reset"},
                                  {"Однократно -> установка", "Only once -> set"}};

constexpr TextPair kControlActions[] = {{"установить", "set"},          {"не трогать", "not touch"},
                                        {"увеличить на", "increase on"}, {"уменьшить на", "decrease on"},
                                        {"равно", "equal"},             {"восстановить", "restore"},
                                        SAME("Mazda VOL"),              SAME("Mazda SUB")};

constexpr TextPair kSourceSelection[] = {{"следующий", "next"}, SAME("1"), SAME("2"), SAME("3"),
                                         SAME("4"), SAME("5"), SAME("6"), SAME("7"), SAME("8"),
                                         {"предыдущий", "previous"}, {"восстановить", "restore"}};

constexpr TextPair kEventManageActions[] = {{"Имитировать", "Simulate"}, {"Запретить", "Disable"},
                                            {"Разрешить", "Enable"}};

constexpr TextPair kAmplifierParameters[] = {SAME("VOL"), SAME("BAL"), SAME("FAD"), SAME("BAS"),
                                             SAME("MID"), SAME("TRE"), SAME("ASL")};

constexpr TextPair kMouseActions[] = {{"Щелчок левой кнопкой", "Left click"},
                                      {"Щелчок правой кнопкой", "Right click"},
                                      {"Щелчок средней кнопкой", "Click the center button"},
                                      {"Щелчок 4-й кнопкой", "Click the 4th button"},
                                      {"Щелчок 5-й кнопкой", "Click 5th button"},
                                      {"Щелчок 6-й кнопкой", "Click the 6th button"},
                                      {"Щелчок 7-й кнопкой", "Click 7th button"},
                                      {"Щелчок 8-й кнопкой", "Click the 8th button"},
                                      {"Двойной щелчок левой кнопкой", "Double click the left button"}};

constexpr TextPair kEncoderConnections[] = {{"Отключено", "Disabled"}, SAME("X2/2, X2/3"), SAME("X2/4, X2/5"),
                                            SAME("X4/2, X4/3"),         SAME("X5/7, X5/8"), SAME("X6/2, X6/3"),
                                            SAME("X6/5, X6/6")};

constexpr TextPair kIebus[] = {{"Отключено", "Disabled"},
                               {"Активировать MAM", "Activate MAM"},
                               {"Деактивировать MAM", "Deactivate MAM"},
                               {"Кондиционер вверх и вниз", "Cond up and down"},
                               {"Кондиционер вверх", "Cond up"},
                               {"Кондиционер вниз", "Cond down"},
                               {"Кондиционер вниз и на стекло", "Cond down and window"},
                               {"Кондиционер мощность мин.", "Cond power lo"},
                               {"Кондиционер мощность мин.+1", "Cond power lo+1"},
                               {"Кондиционер мощность сред.", "Cond power mid"},
                               {"Кондиционер мощность сред.+1", "Cond power mid+1"},
                               {"Кондиционер мощность макс.", "Cond power hi"},
                               {"Кондиционер вкл/выкл", "Cond on/off"},
                               {"Кондиционер DUAL вкл/выкл", "Cond dual on/off"},
                               {"Активировать DVD", "DVD activate"},
                               SAME("DVD LEFT"),
                               SAME("DVD RIGHT"),
                               SAME("DVD DN"),
                               SAME("DVD UP"),
                               SAME("DVD ENTER"),
                               SAME("DVD PLAYPAUSE"),
                               SAME("DVD TOPMENU"),
                               SAME("DVD REW FORWARD"),
                               SAME("DVD REW BACKWARD"),
                               SAME("DVD REW FORWARD 2"),
                               SAME("DVD REW BACKWARD 2"),
                               SAME("VOL UP"),
                               SAME("VOL DN")};

constexpr TextPair kIdrive[] = {{"ПОДСВЕТКА ВЫКЛ", "LIGHT OFF"},
                                {"ПОДСВЕТКА ВКЛ", "LIGHT ON"},
                                {"ПРАВЫЙ_КЛИК", "RIGHT_CLICK"},
                                {"ТАЧПАД - ВЫКЛ", "TOUCHPAD - OFF"},
                                {"ТАЧПАД - КАСАНИЕ", "TOUCHPAD - TOUCH"},
                                {"ТАЧПАД - МЫШЬ x1", "TOUCHPAD - MOUSE x1"},
                                {"ТАЧПАД - МЫШЬ x2", "TOUCHPAD - MOUSE x2"},
                                {"ТАЧПАД - МЫШЬ x4", "TOUCHPAD - MOUSE x4"},
                                {"ТАЧПАД - МЫШЬ x8", "TOUCHPAD - MOUSE x8"},
                                {"ТАЧПАД - МЫШЬ x16", "TOUCHPAD - MOUSE x16"},
                                {"ТАЧПАД - ЛЕВЫЙ КЛИК ВЫКЛ", "TOUCHPAD - LCLICK OFF"},
                                {"ТАЧПАД ЛЕВЫЙ КЛИК ВКЛ", "TOUCHPAD LCLICK ON"},
                                {"Ориентация обычная", "Orientation normal"},
                                {"Ориентация перевёрнутая", "Orientation inverted"},
                                {"Мигание подсветки", "Backlight flash"}};

constexpr TextPair kIbus[] = {
    SAME("NONE"), SAME("VOLUME_UP"), SAME("VOLUME_DN"), SAME("ROTATE_RIGHT"), SAME("ROTATE_LEFT"), SAME("ENTER"),
    SAME("MODE"), SAME("ARROWS"), SAME("KEY_1"), SAME("KEY_2"), SAME("KEY_3"), SAME("KEY_4"), SAME("KEY_5"),
    SAME("KEY_6"), SAME("MENU"), SAME("CLOCK"), SAME("PHONE"), SAME("OPEN_TRUNK"), SAME("LOCK_DOORS"),
    SAME("UNLOCK_DOORS"), SAME("OPEN_WINDOWS"), SAME("CLOSE_WINDOWS"), SAME("OPEN_SUNROOF"), SAME("CLOSE_SUNROOF"),
    SAME("FOLD_MIRRORS"), SAME("UNFOLD_MIRRORS"), SAME("FM"), SAME("LOCK"), SAME("ARROW_LEFT"), SAME("ARROW_RIGHT"),
    SAME("ENTER_LONG"), SAME("INFO"), SAME("SELECT"), SAME("TONE"), SAME("AM"), SAME("OPEN_WINDOWS2"),
    SAME("CLOSE_WINDOWS2"), SAME("OPEN_SUNROOF2"), SAME("CLOSE_SUNROOF2"), SAME("Next Track"), SAME("Pre vTrack"),
    SAME("Vol Up"), SAME("Vol Dn"), SAME("Alarm On"), SAME("High Beam Blink"), SAME("Beam Off"),
    SAME("Move Dn Seat"), SAME("Move Up Seat"), SAME("Memory Seat"), SAME("Climate On"), SAME("Climate Off"),
    SAME("Close Driver Mirrow"), SAME("Open Driver Mirrow"), SAME("Close Passenger Mirrow"),
    SAME("Open Passenger Mirrow"), SAME("Prev Track Short"), SAME("Prev Track Long"), SAME("Next Track Short"),
    SAME("Next Track Long"), SAME("CDC Disable"), SAME("CDC Enable")};

constexpr TextPair kCursorDirections[] = {{"ВВЕРХ", "UP"},
                                          {"ВВЕРХ-ВПРАВО", "UP-RIGHT"},
                                          {"ВПРАВО", "RIGHT"},
                                          {"ВПРАВО-ВНИЗ", "RIGHT-DOWN"},
                                          {"ВНИЗ", "DOWN"},
                                          {"ВНИЗ-ВЛЕВО", "DOWN-LEFT"},
                                          {"ВЛЕВО", "LEFT"},
                                          {"ВЛЕВО-ВВЕРХ", "LEFT-UP"},
                                          {"Нажать", "Press"},
                                          {"Отпустить", "Depress"},
                                          {"*Колесо вверх", "*Wheel Up"},
                                          {"*Колесо вниз", "*Weel Dn"},
                                          {"Левая кнопка мыши", "Left mouse key"},
                                          {"Правая кнопка мыши", "Right mouse key"}};

constexpr TextPair kMdxJoy[] = {{"Джойстик работает как обычно", "The joystick works normally"},
                                {"Перехватывать джойстик", "Intercept the joystick"}};

constexpr TextPair kLin[] = {{"Подсветка ВЫКЛ", "Backlight OFF"},
                             {"Подсветка ВКЛ", "Backlight ON"},
                             {"Подогрев руля выкл", "Heat SW off"},
                             {"Подогрев руля 20°C", "Heat SW 20°C"},
                             {"Подогрев руля 25°C", "Heat SW 25°C"},
                             {"Подогрев руля 30°C", "Heat SW 30°C"},
                             {"Подогрев руля 35°C", "Heat SW 35°C"},
                             {"Подогрев руля 40°C", "Heat SW 40°C"},
                             {"КНОПКА НАПР. ВВЕРХ", "KEY DIR UP"},
                             {"КНОПКА_НАПР_ВНИЗ", "KEY_DIR_DN"},
                             {"КНОПКА НАПР. НАЖАТИЕ", "KEY DIR PRESS"},
                             {"КНОПКА ГРОМК. ВВЕРХ", "KEY VOL UP"},
                             {"КНОПКА ГРОМК. ВНИЗ", "KEY VOL DN"},
                             {"КНОПКА ГРОМК. НАЖАТИЕ", "KEY VOL PRESS"},
                             {"КНОПКА РЕЖИМ", "KEY MODE"},
                             {"КНОПКА ГОЛОС", "KEY VOICE"},
                             {"ДЖОГ ВЛЕВО", "JOG LEFT"},
                             {"ДЖОГ ВПРАВО", "JOG RIGHT"},
                             {"ПОДСВЕТКА СТЕКЛОПОДЪЁМНИКОВ ВЫКЛ", "PW LIGHT OFF"},
                             {"ПОДСВЕТКА СТЕКЛОПОДЪЁМНИКОВ ВКЛ", "PW LIGHT ON"},
                             {"КНОПКА НАЗАД", "KEY BACKWARD"},
                             {"КНОПКА ВПЕРЁД", "KEY FORWARD"},
                             {"КНОПКА МЕНЮ", "KEY MENU"},
                             {"КНОПКА ИНФО НАВ", "KEY INFO NAV"},
                             {"Подсветка РЕГУЛИРУЕМАЯ", "Backlight ADJUSTABLE"},
                             {"Подогрев РЕГУЛИРУЕМЫЙ", "Heat ADJUSTABLE"},
                             {"КНОПКА ВОЗВРАТ", "KEY BACK"},
                             {"КНОПКА ТЕЛЕФОН", "KEY PHONE"}};

constexpr TextPair kMmi[] = {{"Нет реакции", "No reactions"},
                             {"Яркость подсветки", "Backlight brightness"},
                             {"Кнопка NAV", "NAV key"},
                             {"Кнопка TEL", "TEL key"},
                             {"Кнопка MENU", "MENU key"},
                             {"Кнопка CAR", "CAR key"},
                             {"Кнопка RADIO", "RADIO key"},
                             {"Кнопка MEDIA", "MEDIA key"},
                             {"Кнопка ВВЕРХ-ВЛЕВО", "UP-LEFT key"},
                             {"Кнопка ВНИЗ-ВЛЕВО", "DN-LEFT key"},
                             {"Кнопка ВВЕРХ-ВПРАВО", "UP-RIGHT key"},
                             {"Кнопка ВНИЗ-ВПРАВО", "DN-RIGHT key"},
                             {"Кнопка INFO", "INFO key"},
                             {"Кнопка SETUP", "SETUP key"},
                             {"Кнопка NAME", "NAME key"},
                             {"Все кнопки", "All keys"}};

constexpr TextPair kDsp[] = {{"Нет реакции", "No reactions"},
                             {"Кнопка", "The key"},
                             {"Сабвуфер +", "Subwoofer Up"},
                             {"Сабвуфер -", "Subwoofer Dn"},
                             {"Сабвуфер: установить", "Subwoofer Set"},
                             {"Громкость +", "Volume Up"},
                             {"Громкость -", "Volume Dn"},
                             {"Громкость: установить", "Volume Set"},
                             {"Источник +", "Source Up"},
                             {"Источник -", "Source Dn"},
                             {"Пресет +", "Preset Up"},
                             {"Пресет -", "Preset Dn"},
                             {"Без звука", "Mute"},
                             {"Восстановить громкость", "Restore volume"},
                             {"Источник: установить", "Source Set"},
                             {"Отключить модуль", "Deinit module"},
                             {"Инициализировать модуль", "Init module"}};

constexpr TextPair kPanacea[] = {{"Не используется", "Not used"},
                                 {"Показать пресет", "View Preset"},
                                 {"Показать сабвуфер", "View Sub"},
                                 {"Показать громкость", "View Volume"},
                                 {"Показать источник", "View Src"}};

constexpr TextPair kRJoy[] = {{"ПОДСВЕТКА ВЫКЛ", "LIGHT OFF"},
                              {"ПОДСВЕТКА ВКЛ", "LIGHT ON"},
                              {"ПОДСВЕТКА ПЕРЕКЛЮЧИТЬ", "LIGHT TRIGGER"}};

constexpr TextPair kSwCanCarTypes[] = {{"Не используется", "Not used"},
                                       SAME("VW RNS510 100KBit/s"),
                                       SAME("AUDI RNS-E 100KBit/s"),
                                       SAME("AUDI A5 MMI 2G 100KBit/s"),
                                       SAME("Mercedes G500 125KBit/s"),
                                       SAME("3D color MFD 100KBit/s"),
                                       SAME("color MFA 100KBit/s"),
                                       SAME("Mercedes G500 PW MIRR 125KBit/s"),
                                       SAME("VW RNS510 MV12 100KBit/s"),
                                       SAME("Cadillac Escalade 33KBit/s"),
                                       SAME("BMW E60/E90 100KBit/s"),
                                       SAME("Mercedes W221 125KBit/s"),
                                       SAME("KIA Optima 100KBit/s")};

constexpr TextPair kSwCanButtons[] = {
    {"Свой код", "Custom code"}, SAME("VOL+"), SAME("VOL-"), SAME("UP"), SAME("DN"),
    {"Круиз RES", "Cruise RES"}, {"Круиз SET", "Cruise SET"}, {"Круиз CANCEL", "Cruise CANCEL"}, SAME("HORN"),
    SAME("SRC"), SAME("ScanUP"), SAME("ScanDN"), SAME("MENU"), SAME("PHONE"), SAME("ArrowUP"), SAME("ArrowDN"),
    SAME("OK"), SAME("VOICE"), SAME("MUTE"), SAME("HUP"), SAME("HDN"), SAME("EXIT"), SAME("ENTER"),
    SAME("SELECT LEFT MIRROR"), SAME("SELECT RIGHT MIRROR"), SAME("MIROR UP"), SAME("MIROR DOWN"),
    SAME("MIROR LEFT"), SAME("MIROR RIGHT"), SAME("PW FRONT RIGHT DN2"), SAME("PW FRONT RIGHT DN1"),
    SAME("PW FRONT RIGHT UP"), SAME("PW BACK RIGHT DN2"), SAME("PW BACK RIGHT DN1"), SAME("PW BACK RIGHT UP"),
    SAME("PW BACK LEFT DN2"), SAME("PW BACK LEFT DN1"), SAME("PW BACK LEFT UP"), SAME("EMERGENCY"),
    SAME("MIRROR CLOSE"), SAME("LIGHT ON"), SAME("LIGHT OFF"), SAME("ACC ON"), SAME("ACC OFF"), SAME("BACK ON"),
    SAME("BACK OFF"), SAME("DOOR OPEN"), SAME("DOOR CLOSE"), SAME("MIRROW CLOSE"), SAME("MIRROW OPEN"),
    SAME("REMOTE CLOSE"), SAME("REMOTE OPEN"), SAME("EMERGENCY ON"), SAME("EMERGENCY OFF")};

constexpr TextPair kGanet[] = {{"Свой код", "Custom code"},
                               {"Выключить кондиционер", "Turn off the air conditioner"},
                               {"Включить кондиционер", "Turn on the air conditioner"},
                               {"Включить/выключить кондиционер", "Turn on/of the air conditioner"},
                               {"Скорость вентилятора 1", "Fan speed 1"},
                               {"Скорость вентилятора 2", "Fan speed 2"},
                               {"Скорость вентилятора 3", "Fan speed 3"},
                               {"Скорость вентилятора 4", "Fan speed 4"},
                               {"Скорость вентилятора 5", "Fan speed 5"},
                               {"Скорость вентилятора +", "Fan speed Up"},
                               {"Скорость вентилятора -", "Fan speed Dn"},
                               {"Обдув: лицо", "Mode Face"},
                               {"Обдув: лицо + ноги", "Mode Face + Legs"},
                               {"Обдув: ноги", "Mode Legs"},
                               {"Обдув: ноги + стекло", "Mode Legs + Windshield"},
                               {"Режим обдува +", "Mode Up"},
                               {"Режим обдува -", "Mode Dn"},
                               {"Сканирование треков", "Track scan"},
                               {"Сканирование дисков", "Disc scan"},
                               {"Повтор трека", "Track repeat"},
                               {"Повтор диска", "Disc repeat"},
                               {"Случайный порядок", "Random"},
                               {"Выбор", "Sel"},
                               {"Звуковой сигнал", "Beep"}};

constexpr TextPair kCruise[] = {{"Нет кнопки", "No Key"}, SAME("+"), SAME("-"), SAME("I/O"), SAME("SET")};

constexpr TextPair kMctrl[] = {{"ПОДСВЕТКА ВЫКЛ", "LIGHT OFF"},
                               {"ПОДСВЕТКА ВКЛ", "LIGHT ON"},
                               {"ПРАВЫЙ_КЛИК", "RIGHT_CLICK"},
                               {"Жесты", "Gestures"},
                               {"Скорость мыши x1", "Mouse speed x1"},
                               {"Скорость мыши x2", "Mouse speed x2"},
                               {"Скорость мыши x3", "Mouse speed x3"},
                               {"Скорость мыши x4", "Mouse speed x4"},
                               {"Скорость мыши x5", "Mouse speed x5"},
                               {"Скорость мыши x6", "Mouse speed x6"},
                               {"Скорость мыши x7", "Mouse speed x7"},
                               {"Ориентация обычная", "Orientation normal"},
                               {"Ориентация перевёрнутая", "Orientation inverted"},
                               {"Нажатие при удержании ВЫКЛ", "Press while holding OFF"},
                               {"Нажатие при удержании ВКЛ", "Press while holding ON"}};

constexpr TextPair kPorshe[] = {{"Кнопки работают как обычно", "The keys works normally"},
                                {"Перехватывать кнопки", "Intercept the keys"}};

#undef SAME

}  // namespace

// The pulse pin's list: the same pins, in the same order, stored the same way.
const std::span<const TextPair> ir_output_pins = kPulsePinList;
const std::span<const TextPair> output_pins = kOutputPins;
const std::span<const TextPair> pin_modes = kPinModes;
const std::span<const TextPair> control_actions = kControlActions;
const std::span<const TextPair> source_selection = kSourceSelection;
const std::span<const TextPair> event_manage_actions = kEventManageActions;
const std::span<const TextPair> amplifier_parameters = kAmplifierParameters;
const std::span<const TextPair> mouse_actions = kMouseActions;
const std::span<const TextPair> encoder_connections = kEncoderConnections;
const std::span<const TextPair> iebus = kIebus;
const std::span<const TextPair> idrive = kIdrive;
const std::span<const TextPair> ibus = kIbus;
const std::span<const TextPair> cursor_directions = kCursorDirections;
const std::span<const TextPair> mdx_joy = kMdxJoy;
const std::span<const TextPair> lin = kLin;
const std::span<const TextPair> mmi = kMmi;
const std::span<const TextPair> dsp = kDsp;
const std::span<const TextPair> panacea = kPanacea;
const std::span<const TextPair> rjoy = kRJoy;
const std::span<const TextPair> swcan_car_types = kSwCanCarTypes;
const std::span<const TextPair> swcan_buttons = kSwCanButtons;
const std::span<const TextPair> ganet = kGanet;
const std::span<const TextPair> cruise = kCruise;
const std::span<const TextPair> mctrl = kMctrl;
const std::span<const TextPair> porshe = kPorshe;

}  // namespace ztv::reaction_lists
