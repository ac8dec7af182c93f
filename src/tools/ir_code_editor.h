// The IR code editor (TFormIRCode) without its window: what it lists and shows for a code, how
// a field is checked while the user types, and what "OK" stores. The code is the 4-byte word
// of an event (slot bytes 2-5) or a reaction (slot bytes 12-15); the high four bits of its last
// byte (a reaction's repeat count) are never changed here.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace ztv {

inline constexpr TextPair kIrCodeEditorTitle{"ИК-код", "IR code"};
inline constexpr TextPair kIrCodeEncoding{"Кодировка", "Encoding"};
inline constexpr TextPair kIrCodeAddress{"Адрес", "Address"};
inline constexpr TextPair kIrCodeCommand{"Команда", "Command"};
inline constexpr TextPair kNotAValidInteger{"'%s' не является целым числом", "'%s' is not a valid integer value"};

inline constexpr std::uint32_t kIrAddressMax = 65535;
inline constexpr std::uint32_t kIrCommandMax = 255;

enum class IrCodeList : std::uint8_t { Event, Reaction };

// What the window shows when it opens.
struct IrCodeEditorView {
    std::vector<std::string> protocols;  // the names offered for the list, in table order
    int selected = 0;                    // the code's protocol, or the first entry when not offered
    std::string address;                 // decimal
    std::string command;
};
IrCodeEditorView open_ir_code_editor(std::span<const std::uint8_t, 4> code, IrCodeList list);

// The check made on every change of the address or command field: a text with anything but
// digits counts as empty ("Enter a value in the specified position"), a number beyond the
// field's range gives the range message. Empty message: the text is fine.
Text check_ir_code_field(std::string_view text, std::uint32_t max);

// "OK". The protocol bits become the number of the first of all 16 rows named `protocol`
// (0 when none is), then the address and the command are converted in this order; each is
// stored when it is within its range. A field that is not a whole number stops there with
// "'%s' is not a valid integer value": the protocol is already set, that field and the ones
// after it are not stored.
struct IrCodeEditorResult {
    bool completed = true;  // false: stopped at a field; the description is not redrawn
    Text message;           // the stop's message
};
IrCodeEditorResult apply_ir_code_editor(std::span<std::uint8_t, 4> code, std::string_view protocol,
                                        std::string_view address, std::string_view command);

}  // namespace ztv
