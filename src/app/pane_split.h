// How the "Parameters" tab shares its height between the parameter pages (top) and the
// event/reaction editor (bottom). Both halves must stay usable: the pages show their tab row
// and a few fields, the editor its slot tabs and a line of its groups; what does not fit
// scrolls. A height from the settings file wins when it leaves both halves that much.
#pragma once

#include <optional>

namespace ztv {

// Below these the half is no longer worth having on the screen.
inline constexpr int kMinParameterPagesHeight = 170;
inline constexpr int kMinEventEditorHeight = 220;
// A stored height beyond any screen was not written by this program.
inline constexpr int kMaxParameterPagesHeight = 20000;

struct PaneSplit {
    int pages = 0;   // parameter pages, top
    int editor = 0;  // event/reaction editor, bottom
};

// The split of `total` pixels (the splitter's height less its handle). Without a stored
// height the pages get two fifths. Either way both halves keep their least height when the
// total allows it; a total too small for both is shared in the ratio of the two least heights.
PaneSplit parameter_split(int total, std::optional<int> stored_pages_height);

}  // namespace ztv
