// The texts of the slot editor that do not belong to one page: group captions, the kind tabs
// and kind menus, the context-menu entries, the slot-name window and the hints of the panels
// whose texts the code sets. Each exists here once; views and the language switch read them.
#pragma once

#include <vector>

#include "common/text.h"

namespace ztv::slot_texts {

inline constexpr TextPair kEventGroup{" Событие ", " Event "};
inline constexpr TextPair kReactionGroup{" Реакция ", " Response "};

// Shared by the event and reaction pages: the unit of durations and the label of text fields.
inline constexpr TextPair kMilliseconds{"мс", "mSec"};
inline constexpr TextPair kValue{"Значение", "Value"};

// The controls every event kind shares.
inline constexpr TextPair kPressLabel{"Нажатие", "Press"};
inline constexpr TextPair kOnceLabel{"Только один раз", "One time only"};
inline constexpr TextPair kOnceHint{"Только одна реакция", "Only a single response"};
inline constexpr TextPair kWakeUpLabel{"Пробуждение", "Wake Up"};
inline constexpr TextPair kWakeUpHint{"Пробуждение при возникновении события", "Wake up when that event occurs"};
inline constexpr TextPair kSourceLabel{"Источник", "Source"};

// Where the "Serial" and "UART" reactions send their text.
inline constexpr TextPair kToUsb{"В USB", "To USB"};
inline constexpr TextPair kToBluetooth{"В bluetooth", "To bluetooth"};
inline constexpr TextPair kToUart{"В UART", "To UART"};

// Context menus.
inline constexpr TextPair kDeleteEvent{"Удалить событие", "Delete event"};
inline constexpr TextPair kDeleteReaction{"Удалить реакцию", "Delete reaction"};
inline constexpr TextPair kDeleteKey{"Удалить кнопку", "Delete key"};
inline constexpr TextPair kDeleteModKey{"Удалить кнопку-модификатор", "Delete mod key"};
inline constexpr TextPair kDeleteIrCode{"Удалить ИК-код", "Delete IR code"};
inline constexpr TextPair kEditIrCode{"Изменить ИК-код", "Edit IR code"};

// The slot-name window: title with the slot number 1-80.
inline constexpr TextPair kSlotNameTitle{"Имя для вкладки %d", "Set name for %d tab"};
inline constexpr TextPair kOk{"OK", "OK"};

// The source windows of the event and of the "Source" reaction's skip mask.
inline constexpr TextPair kEventSourcesLine1{"Событие для", "Event on"};
inline constexpr TextPair kEventSourcesLine2{"источников:", "sources:"};
inline constexpr TextPair kSkipSourcesLine1{"Пропускать", "Skip"};
inline constexpr TextPair kSkipSourcesLine2{"источники:", "sources:"};

// Hints of the panels and drop targets whose texts the code sets.
inline constexpr TextPair kReactionPanelHint{"Нажмите, чтобы изменить реакцию", "Click to edit the response"};
inline constexpr TextPair kModTargetHint{"Перетащите сюда кнопку-модификатор", "Drag a button modifier here"};
inline constexpr TextPair kKeyTargetHint{"Перетащите сюда кнопку", "Drag a button here"};
inline constexpr TextPair kIrEventHint{"Нажмите, чтобы получить ИК-код для события", "Click to receive IR code for event"};
inline constexpr TextPair kCurrentSourceHint{"Номер текущего выбранного источника", "Current number of the selected source"};
inline constexpr TextPair kIrReactionHint{"Нажмите, чтобы получить ИК-код для реакции",
                                          "Click to receive IR code for response"};

// The 27 event page titles and the 28 reaction page titles, in code order: the kind tabs and
// the kind menus.
std::vector<Text> event_page_titles();
std::vector<Text> reaction_page_titles();

// The slot menu: eight groups "1...10" to "71...80", each with the current captions of its
// ten slots (read from SlotView::tab_captions).
std::vector<Text> slot_menu_groups();

}  // namespace ztv::slot_texts
