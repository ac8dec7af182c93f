// The few controls of the event/reaction pages that the generic bound widgets do not cover:
// the "Button"/"Mod" drop targets for learned buttons, the clickable panels (IR codes, the USB
// key text) with a context menu, and the touch-point button with its progress bar. They are
// bound controls like the others: drawn from a ControlView, reporting a click as an action.
#pragma once

#include <QPoint>

#include <cstdint>
#include <functional>
#include <optional>

#include "widgets/control_widgets.h"

class QMimeData;
class QProgressBar;

namespace ztv {

// A learned button as a drag from the button table carries it: channel 0-3 (4 for the
// encoders) and key number.
struct ButtonDrag {
    std::uint8_t channel = 0;
    std::uint8_t key = 0;
};
inline constexpr const char* kButtonDragMime = "application/x-ztv-learned-button";
QMimeData* make_button_drag(ButtonDrag button);
std::optional<ButtonDrag> button_drag_of(const QMimeData* data);

// What happens on a right-click of a control: the editor decides whether a menu is offered.
using ContextHandler = std::function<void(const QPoint& global_pos)>;

// A framed text the user clicks: the IR codes and the USB key text. The click is the action;
// a right-click goes to the context handler.
class PanelControl : public BoundControl {
public:
    PanelControl(const ControlView& view, QWidget* parent);
    void set_context_handler(ContextHandler handler) { context_ = std::move(handler); }

protected:
    void show_value(const ControlView& view, Lang lang) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ContextHandler context_;
};

// "Button" and "Mod" of a "Button" event: show the learned button's label and take drops of
// learned buttons, green while the drop would be taken and red while it would be refused.
class ButtonDropControl : public BoundControl {
public:
    ButtonDropControl(const ControlView& view, QWidget* parent);
    // accepts: whether a drop would be taken now; dropped: store it (called only when accepted).
    void set_drop_rules(std::function<bool(ButtonDrag)> accepts, std::function<void(ButtonDrag)> dropped);
    void set_context_handler(ContextHandler handler) { context_ = std::move(handler); }
    // The colour shown while a drag is over the field: 1 green, -1 red, 0 none.
    int drag_mark() const { return mark_; }

protected:
    void show_value(const ControlView& view, Lang lang) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void set_mark(int mark);

    std::function<bool(ButtonDrag)> accepts_;
    std::function<void(ButtonDrag)> dropped_;
    ContextHandler context_;
    int mark_ = 0;
};

// "Get touch point": the button and the progress bar of 100 steps that is shown only while a
// capture runs.
class TouchPointControl : public BoundControl {
public:
    TouchPointControl(const ControlView& view, QWidget* parent);
    QProgressBar* progress() const { return progress_; }

protected:
    void show_value(const ControlView& view, Lang lang) override;

private:
    QProgressBar* progress_ = nullptr;
};

// The widget for a control of an event or reaction page: one of the above for the controls
// that need them, a generic bound widget otherwise.
BoundControl* make_editor_control(const ControlView& view, QWidget* parent);

}  // namespace ztv
