// The "Parameters" tab's border between the parameter pages (top) and the event/reaction
// editor (bottom), kept by the rule of app/pane_split: the share the user chose (dragged, or
// from the settings), or else the editor's own height, both halves bounded so they stay usable.
#pragma once

#include <QObject>

#include <optional>

class QSplitter;

namespace ztv {

class ShellClock;
class ShellTimer;
class SlotEditor;

class ParameterSplit : public QObject {
    Q_OBJECT
public:
    // Follows the splitter's resizes, the user's drags and the editor's wishes from now on.
    ParameterSplit(QSplitter& splitter, SlotEditor& editor, ShellClock& clock);

    // The pages' share the user chose, in thousandths; nothing follows the editor's height.
    std::optional<int> share() const { return share_; }
    // A share from the settings, applied at once when the tab is on the screen.
    void set_share(std::optional<int> share);

    // Shares the tab: the chosen share when there is one, else the default split.
    // `defer_shrink`: an editor that asks for less gets it only after kEditorShrinkDelayMs
    // without a further change.
    void apply(bool defer_shrink = false);
    // Without a chosen share the split follows the editor's height on the next turn, once the
    // change that asks for it has settled: after a resize, and when the editor's content (a
    // caption, a kind page, a language) wants more or less than it has.
    void remeasure(bool defer_shrink);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSplitter& splitter_;
    SlotEditor& editor_;
    std::optional<int> share_;
    bool remeasure_ = false;      // the editor's height is measured again on the next turn
    bool remeasure_now_ = false;  // ...and a shorter editor gets its height without waiting
    ShellTimer* shrink_ = nullptr;  // gives the editor's height back once the slot shown stays
};

}  // namespace ztv
