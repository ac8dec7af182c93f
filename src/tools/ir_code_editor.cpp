#include "tools/ir_code_editor.h"

#include <optional>

#include "catalogues/ir_protocols.h"
#include "common/format.h"
#include "common/numeric_entry.h"

namespace ztv {
namespace {

bool offered(const IrProtocol& protocol, IrCodeList list) {
    return list == IrCodeList::Event ? protocol.in_event_list : protocol.in_reaction_list;
}

// A whole number as the field gives it: blanks around it and a sign are allowed; anything
// else, an empty text or a number beyond 32 bits is not a whole number.
std::optional<std::int64_t> whole_number(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 0x80000000LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > 0x7FFFFFFFLL) return std::nullopt;
    return value;
}

// The message quotes the field's text; a pasted novel is quoted by its beginning only, cut at
// a character boundary.
Text not_an_integer(std::string_view text) {
    constexpr std::size_t kQuotedMax = 64;
    if (text.size() > kQuotedMax) {
        std::size_t cut = kQuotedMax;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u) --cut;
        text = text.substr(0, cut);
    }
    const std::string shown(text);
    return format_pair(kNotAValidInteger, shown.c_str());
}

}  // namespace

IrCodeEditorView open_ir_code_editor(std::span<const std::uint8_t, 4> code, IrCodeList list) {
    IrCodeEditorView view;
    const std::span<const IrProtocol> protocols = ir_protocols();
    const char* current = protocols[ir_protocol(code)].name;
    for (const IrProtocol& protocol : protocols) {
        if (!offered(protocol, list)) continue;
        if (std::string_view(protocol.name) == current) view.selected = static_cast<int>(view.protocols.size());
        view.protocols.emplace_back(protocol.name);
    }
    view.address = strprintf("%u", ir_address(code));
    view.command = strprintf("%u", ir_command(code));
    return view;
}

Text check_ir_code_field(std::string_view text, std::uint32_t max) {
    const NumericEntry entry = check_numeric_entry(text, NumericField{0, max, 4});
    return entry.accepted ? Text{} : entry.message;
}

IrCodeEditorResult apply_ir_code_editor(std::span<std::uint8_t, 4> code, std::string_view protocol,
                                        std::string_view address, std::string_view command) {
    unsigned number = 0;
    const std::span<const IrProtocol> protocols = ir_protocols();
    for (unsigned i = 0; i < protocols.size(); ++i) {
        if (protocol == protocols[i].name) {
            number = i;
            break;
        }
    }
    code[3] = static_cast<std::uint8_t>((code[3] & 0xF0u) | number);

    IrCodeEditorResult result;
    const std::optional<std::int64_t> address_value = whole_number(address);
    if (!address_value) return {false, not_an_integer(address)};
    if (*address_value >= 0 && *address_value <= kIrAddressMax) {
        code[1] = static_cast<std::uint8_t>(*address_value & 0xFF);
        code[2] = static_cast<std::uint8_t>((*address_value >> 8) & 0xFF);
    }
    const std::optional<std::int64_t> command_value = whole_number(command);
    if (!command_value) return {false, not_an_integer(command)};
    if (*command_value >= 0 && *command_value <= kIrCommandMax) code[0] = static_cast<std::uint8_t>(*command_value);
    return result;
}

}  // namespace ztv
