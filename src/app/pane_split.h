// How the "Parameters" tab shares its height between the parameter pages (top) and the
// event/reaction editor (bottom). Both halves must stay usable: the pages show their tab row
// and a few fields, the editor its slot tabs and a line of its groups; what does not fit
// scrolls. A share from the settings file wins when it leaves both halves that much.
#pragma once

#include <optional>

namespace ztv {

// Below these the half is no longer worth having on the screen.
inline constexpr int kMinParameterPagesHeight = 170;
inline constexpr int kMinEventEditorHeight = 220;
// The stored share of the pages is in thousandths of the height.
inline constexpr int kSplitShareScale = 1000;

struct PaneSplit {
    int pages = 0;   // parameter pages, top
    int editor = 0;  // event/reaction editor, bottom
};

// The split of `total` pixels (the splitter's height less its handle). Without a stored share
// the editor gets the height it asks for (`editor_wanted`: its slot tabs and the kind pages
// shown, whole) and the pages, whose grids and lists can always use more, the rest. Either
// way both halves keep their least height when the total allows it; a total too small for
// both is shared in the ratio of the two least heights.
PaneSplit parameter_split(int total, std::optional<int> stored_share, int editor_wanted);

// An editor that asks for less height gets it only once the slot shown has stayed this long,
// so that the pages above do not jump at every other slot while slots are browsed; one that
// asks for more gets it at once.
inline constexpr int kEditorShrinkDelayMs = 500;

// Whether moving from `now` to `wanted` only gives the editor less of the same total height
// (the move that waits for kEditorShrinkDelayMs).
bool shrinks_editor(const PaneSplit& now, const PaneSplit& wanted);

// The pages' share of a split, in thousandths, as the settings store it.
int pages_share(const PaneSplit& split);

}  // namespace ztv
