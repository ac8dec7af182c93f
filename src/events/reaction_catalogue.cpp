#include "events/reaction_catalogue.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "common/format.h"

namespace ztv {
namespace {

#define SAME(text) TextPair{text, text}

constexpr TextPair kKindTitles[kReactionKindCount] = {
    {"USB клавиша", "USB key"},
    {"Отправить ИК-код", "Send IR code"},
    {"Вывод", "Pin"},
    {"Управление", "Control"},
    {"Источник", "Source"},
    {"USB тач", "USB Touch"},
    {"Управление событиями", "Event manage"},
    {"Управление усилителем", "Amplifier control"},
    {"USB мышь", "USB mouse"},
    {"Энкодер", "Encoder"},
    SAME("IEBUS"),
    SAME("iDrive"),
    SAME("iBus"),
    SAME("Serial"),
    {"Курсор", "Cursor Move"},
    SAME("MDX JOY"),
    SAME("UART"),
    SAME("LIN"),
    SAME("AUDI MMI"),
    SAME("CarDSP"),
    SAME("Panacea"),
    {"Эмуляция резист.", "ResEmul"},
    {"Джойстик R CAN", "R CAN Joy"},
    SAME("SW CAN"),
    SAME("GaNet"),
    SAME("CRUISE_BMW_DME"),
    SAME("Mercedes Ctrl"),
    SAME("Porshe Keys"),
};

#undef SAME

constexpr TextPair kSet{"Установить %d", "Set %d"};
constexpr TextPair kIncrease1{"Увеличить на 1", "Increase on 1"};
constexpr TextPair kIncrease5{"Увеличить на 5", "Increase on 5"};
constexpr TextPair kDecrease1{"Уменьшить на 1", "Decrease on 1"};
constexpr TextPair kDecrease5{"Уменьшить на 5", "Decrease on 5"};

// Balance and fader: seven steps to one side, the centre, seven steps to the other side.
std::vector<Text> sided_actions(TextPair low_side, TextPair high_side) {
    std::vector<Text> list;
    list.reserve(17);
    for (int step = 7; step >= 1; --step) list.push_back(format_pair(low_side, step));
    list.push_back(format_pair(kSet, 0));
    for (int step = 1; step <= 7; ++step) list.push_back(format_pair(high_side, step));
    list.push_back(to_text(kIncrease1));
    list.push_back(to_text(kDecrease1));
    return list;
}

// Button codes offered per SW CAN car type, in list order.
constexpr std::uint8_t kSwCanNotUsed[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};
constexpr std::uint8_t kSwCanRns510[] = {0, 1, 2, 3, 4, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 40, 41, 42, 43, 44, 45};
constexpr std::uint8_t kSwCanRnsE[] = {0, 3, 4, 10, 11, 1, 2, 9, 13, 38, 39, 52, 53};
constexpr std::uint8_t kSwCanA5Mmi[] = {3, 4, 1, 2, 17, 16, 12, 9};
constexpr std::uint8_t kSwCanG500[] = {0, 1, 2, 19, 20, 3, 4, 21, 22, 8, 14, 15};
constexpr std::uint8_t kSwCanMfd[] = {0, 14, 15, 16};
constexpr std::uint8_t kSwCanG500Mirror[] = {23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37};
constexpr std::uint8_t kSwCanEscalade[] = {46, 47, 48, 49, 50, 51};
constexpr std::uint8_t kSwCanBmwE60[] = {42, 43, 1, 2, 17, 13, 11, 10};
constexpr std::uint8_t kSwCanW221[] = {42, 43};
constexpr std::uint8_t kSwCanKia[] = {44, 45};

constexpr std::array<std::span<const std::uint8_t>, 13> kSwCanCodes = {
    kSwCanNotUsed, kSwCanRns510, kSwCanRnsE,    kSwCanA5Mmi,    kSwCanG500, kSwCanMfd, kSwCanMfd,
    kSwCanG500Mirror, kSwCanRns510, kSwCanEscalade, kSwCanBmwE60, kSwCanW221, kSwCanKia};

}  // namespace

std::span<const TextPair> reaction_kind_titles() { return kKindTitles; }

const char* reaction_kind_sheet(ReactionKind kind) {
    using K = ReactionKind;
    switch (kind) {
        case K::UsbKey: return "TabSheetReactionUSBKey";
        case K::SendIr: return "TabSheetReactionIR";
        case K::Pin: return "TabSheetReactionOUT";
        case K::Control: return "TabSheetReactionAnalog";
        case K::Source: return "TabSheetReactionSRC";
        case K::UsbTouch: return "TabSheetReactionTouch";
        case K::EventManage: return "TabSheetReactionEventColtrol";
        case K::Amplifier: return "TabSheetReactionEventIEAMPL";
        case K::UsbMouse: return "TabSheetReactionUSBMouse";
        case K::Encoder: return "TabSheetReactionEncoder";
        case K::MdxJoy: return "TabSheetReactionMDXJOY";
        default: return nullptr;
    }
}

std::vector<Text> event_manage_targets() {
    std::vector<Text> list;
    list.reserve(81);
    list.emplace_back("Включение питания", "Power On");
    for (int slot = 1; slot <= 80; ++slot) list.push_back(Text::same(strprintf("%d", slot)));
    return list;
}

std::vector<Text> amplifier_actions(unsigned parameter) {
    std::vector<Text> list;
    switch (parameter) {
        case 0:  // VOL
            list.reserve(68);
            for (int level = 0; level <= 63; ++level) list.push_back(format_pair(kSet, level));
            list.push_back(to_text(kIncrease1));
            list.push_back(to_text(kIncrease5));
            list.push_back(to_text(kDecrease1));
            list.push_back(to_text(kDecrease5));
            return list;
        case 1:  // BAL
            return sided_actions({"Установить ЛЕВ%d", "Set LEFT%d"}, {"Установить ПРАВ%d", "Set RIGHT%d"});
        case 2:  // FAD
            return sided_actions({"Установить ПЕРЕД%d", "Set FRONT%d"}, {"Установить ЗАД%d", "Set REAR%d"});
        case 3:  // BAS
        case 4:  // MID
        case 5:  // TRE
            list.reserve(13);
            for (int level = -5; level <= 5; ++level) list.push_back(format_pair(kSet, level));
            list.push_back(to_text(kIncrease1));
            list.push_back(to_text(kDecrease1));
            return list;
        case 6:  // ASL
            return {Text("Выкл", "Off"), Text("Вкл", "On"), Text("Переключить", "Toggle")};
        default: return list;
    }
}

std::size_t amplifier_action_count(unsigned parameter) {
    constexpr std::size_t kCounts[kAmplifierParameterCount] = {68, 17, 17, 13, 13, 13, 3};
    return parameter < kAmplifierParameterCount ? kCounts[parameter] : 0;
}

std::uint8_t amplifier_neutral_action(unsigned parameter) {
    // The entry that leaves the amplifier where it stands: "Set 31", "Set 0" or "Off".
    constexpr std::uint8_t kNeutral[kAmplifierParameterCount] = {31, 7, 7, 5, 5, 5, 0};
    return parameter < kAmplifierParameterCount ? kNeutral[parameter] : 0;
}

CarDspLayout cardsp_layout(unsigned mode, unsigned cardsp_type) {
    switch (mode) {
        case 1: return {1, 7, false};                 // "The key"
        case 2: case 3: case 5: case 6: return {1, 32, true};  // up/down steps
        case 4: return {0, 21, false};                // "Subwoofer Set"
        case 7:                                       // "Volume Set": the shortened protocols stop at 85
            return {0, (cardsp_type >= 4 && cardsp_type <= 7) ? 86u : 115u, false};
        case 14: return {1, 3, false};                // "Source Set"
        default: return {0, 0, false};
    }
}

std::vector<Text> cardsp_parameters(const CarDspLayout& layout) {
    std::vector<Text> list;
    list.reserve(layout.count);
    for (unsigned i = 0; i < layout.count; ++i) list.push_back(Text::same(strprintf("%u", layout.first + i)));
    return list;
}

std::span<const std::uint8_t> swcan_codes(unsigned car_type) {
    if (car_type >= kSwCanCodes.size()) return {};
    return kSwCanCodes[car_type];
}

int swcan_position(unsigned car_type, unsigned code) {
    const std::span<const std::uint8_t> codes = swcan_codes(car_type);
    const auto it = std::find(codes.begin(), codes.end(), code);
    return it == codes.end() ? -1 : static_cast<int>(std::distance(codes.begin(), it));
}

}  // namespace ztv
