#include "config/parameter_listing.h"

#include "config/parameter_model.h"

namespace ztv {
namespace {

constexpr TextPair kYes{"да", "yes"};
constexpr TextPair kNo{"нет", "no"};
constexpr TextPair kNothingTicked{"ничего", "none"};
constexpr TextPair kDisabledMark{" (недоступно)", " (disabled)"};

std::string shown_value(const ControlView& control, Lang lang) {
    switch (control.kind) {
        case ControlKind::List:
            if (control.selected < 0 || static_cast<std::size_t>(control.selected) >= control.items.size()) return "?";
            return control.items[static_cast<std::size_t>(control.selected)].in(lang);
        case ControlKind::Check: return pick(control.checked ? kYes : kNo, lang);
        case ControlKind::Edit: {
            std::string text = control.text.in(lang);
            if (!control.unit.empty()) text += " " + control.unit.in(lang);
            return text;
        }
        case ControlKind::Spin: return std::to_string(control.value);
        case ControlKind::CheckList: {
            std::string ticked;
            for (std::size_t i = 0; i < control.items.size() && i < 32; ++i) {
                if (((control.bits >> i) & 1u) == 0) continue;
                if (!ticked.empty()) ticked += ", ";
                ticked += control.items[i].in(lang);
            }
            return ticked.empty() ? pick(kNothingTicked, lang) : ticked;
        }
        case ControlKind::Table: {
            std::string rows;
            for (std::size_t i = 0; i < control.items.size(); ++i)
                rows += (i == 0 ? "" : ", ") + std::to_string(i + 1) + "=" + control.items[i].in(lang);
            return rows;
        }
        case ControlKind::Button:
        case ControlKind::Label: return control.text.in(lang);
    }
    return {};
}

ParameterLine list_line(const ControlView& control, Lang lang) {
    ParameterLine line;
    line.control = control.name;
    line.labelled = control.kind != ControlKind::Label;
    if (line.labelled) line.label = control.label.in(lang);
    line.bare_value = shown_value(control, lang);
    line.enabled = control.enabled;
    line.value = line.bare_value;
    if (!control.enabled) line.value += pick(kDisabledMark, lang);
    return line;
}

}  // namespace

std::vector<ParameterPageListing> list_parameter_pages(ConfigState& state, Lang lang) {
    std::vector<ParameterPageListing> pages;
    for (const ParameterPageView& page : refresh_pages(state)) {
        ParameterPageListing& listing = pages.emplace_back();
        listing.caption = page.caption.in(lang);
        for (const ControlView& control : page.controls) {
            // Buttons start procedures; they hold no value to show.
            if (!control.visible || control.kind == ControlKind::Button) continue;
            listing.lines.push_back(list_line(control, lang));
        }
    }
    return pages;
}

std::optional<ParameterLine> list_stored_control(const ConfigState& state, std::string_view control, Lang lang) {
    const std::optional<ControlView> view = control_view(state, control);
    if (!view) return std::nullopt;
    return list_line(*view, lang);
}

std::string show_pages(ConfigState& state, Lang lang) {
    std::string out;
    for (const ParameterPageListing& page : list_parameter_pages(state, lang)) {
        out += page.caption + "\n";
        for (const ParameterLine& line : page.lines) out += "  " + line.text() + "\n";
    }
    return out;
}

}  // namespace ztv
