#include "app/pane_split.h"

#include <algorithm>

namespace ztv {

PaneSplit parameter_split(int total, std::optional<int> stored_pages_height) {
    total = std::max(total, 0);
    constexpr int least_both = kMinParameterPagesHeight + kMinEventEditorHeight;
    if (total < least_both) {
        const int pages = static_cast<int>(static_cast<long long>(total) * kMinParameterPagesHeight / least_both);
        return {pages, total - pages};
    }
    const int wanted = stored_pages_height ? *stored_pages_height : total * 2 / 5;
    const int pages = std::clamp(wanted, kMinParameterPagesHeight, total - kMinEventEditorHeight);
    return {pages, total - pages};
}

}  // namespace ztv
