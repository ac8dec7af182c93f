#include "app/parameter_split.h"

#include <QEvent>
#include <QSplitter>
#include <QTimer>

#include <utility>

#include "app/pane_split.h"
#include "app/shell_clock.h"
#include "events/slot_editor_view.h"

namespace ztv {

ParameterSplit::ParameterSplit(QSplitter& splitter, SlotEditor& editor, ShellClock& clock)
    : QObject(&splitter), splitter_(splitter), editor_(editor) {
    shrink_ = new ShellTimer(clock, this);
    shrink_->set_single_shot(true);
    shrink_->set_interval(kEditorShrinkDelayMs);
    connect(shrink_, &ShellTimer::timeout, this, [this] {
        if (!share_) apply();
    });
    splitter_.installEventFilter(this);
    connect(&splitter_, &QSplitter::splitterMoved, this, [this] {
        const QList<int> sizes = splitter_.sizes();
        share_ = pages_share({sizes.value(0), sizes.value(1)});
    });
    connect(&editor_, &SlotEditor::wanted_height_changed, this, [this] { remeasure(true); });
}

void ParameterSplit::set_share(std::optional<int> share) {
    share_ = share;
    if (splitter_.isVisible()) apply();
}

void ParameterSplit::apply(bool defer_shrink) {
    const int total = splitter_.height() - splitter_.handleWidth();
    if (total <= 0) return;
    const int editor_wanted = editor_.wanted_height(splitter_.width());
    const PaneSplit split = parameter_split(total, share_, editor_wanted);
    const QList<int> now = splitter_.sizes();
    // Moving the border lays out both halves anew: not for nothing. The editor's height follows
    // the kind pages shown both ways, so a tall page leaves no empty band behind it; giving
    // height back waits until the slot shown stays, so that browsing slots does not make the
    // pages jump at every other one.
    const PaneSplit current{now.value(0), now.value(1)};
    if (defer_shrink && shrinks_editor(current, split)) {
        shrink_->start();  // anew at every change: it waits for the slot shown to stay
        return;
    }
    shrink_->stop();
    if (split.pages == current.pages && split.editor == current.editor) return;
    splitter_.setSizes({split.pages, split.editor});
}

// Every new height of the tab is split anew, so showing the window (which resizes the splitter
// a few times before it settles) and any later resize keep the rule: the share the user
// dragged, or the editor's own height. The editor's wrapped tab rows learn their width only
// after the splitter has placed them, so the editor is measured once more on the next turn.
bool ParameterSplit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &splitter_ && event->type() == QEvent::Resize) {
        apply();
        remeasure(false);
    }
    return QObject::eventFilter(watched, event);
}

void ParameterSplit::remeasure(bool defer_shrink) {
    // Several layout requests of one change are measured once, after they have all settled.
    if (share_) return;
    remeasure_now_ = remeasure_now_ || !defer_shrink;
    if (remeasure_) return;
    remeasure_ = true;
    QTimer::singleShot(0, this, [this] {
        const bool now = std::exchange(remeasure_now_, false);
        remeasure_ = false;
        if (!share_) apply(!now);
    });
}

}  // namespace ztv
