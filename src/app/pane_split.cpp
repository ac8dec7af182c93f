#include "app/pane_split.h"

#include <algorithm>

namespace ztv {

PaneSplit parameter_split(int total, std::optional<int> stored_share, int editor_wanted) {
    total = std::max(total, 0);
    constexpr int least_both = kMinParameterPagesHeight + kMinEventEditorHeight;
    if (total < least_both) {
        const int pages = static_cast<int>(static_cast<long long>(total) * kMinParameterPagesHeight / least_both);
        return {pages, total - pages};
    }
    const int wanted = stored_share
                           ? static_cast<int>(static_cast<long long>(total) * *stored_share / kSplitShareScale)
                           : total - std::max(editor_wanted, 0);
    const int pages = std::clamp(wanted, kMinParameterPagesHeight, total - kMinEventEditorHeight);
    return {pages, total - pages};
}

bool shrinks_editor(const PaneSplit& now, const PaneSplit& wanted) {
    return now.pages + now.editor == wanted.pages + wanted.editor && wanted.editor < now.editor;
}

int pages_share(const PaneSplit& split) {
    const long long total = static_cast<long long>(split.pages) + split.editor;
    if (split.pages <= 0 || total <= 0) return 1;
    const long long share = (static_cast<long long>(split.pages) * kSplitShareScale + total / 2) / total;
    return static_cast<int>(std::clamp<long long>(share, 1, kSplitShareScale - 1));
}

}  // namespace ztv
