// The generic bound widgets: one small widget per ControlKind that draws any ControlView and
// reports what the user did as one ControlAction. Parameter pages, event pages and reaction
// pages are all built from these, so a page is a list of views plus where each one sits.
//
// Use:
//   BoundControl* c = make_bound_control(view, parent);   // once, from the first view
//   controls.add(c);                                      // a ControlSet indexes them by name
//   controls.set_handler([](const ControlAction& a) { ... core edit ... });
//   controls.show(views, lang);                           // after every refresh
//
// Showing a view never reports an action (the showing guard), so a refresh cannot write back.
#pragma once

#include <QLabel>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/control_view.h"

class QFormLayout;

namespace ztv {

using ControlActionHandler = std::function<void(const ControlAction&)>;

// A control drawn from a ControlView. The widget itself holds the input and the unit after
// it; the caption beside it is a separate label (caption()) that the page's layout places,
// and that is shown, hidden, enabled and disabled together with the control.
class BoundControl : public QWidget {
    Q_OBJECT
public:
    BoundControl(const ControlView& view, QWidget* parent);
    ~BoundControl() override;

    const std::string& name() const { return name_; }
    ControlKind kind() const { return kind_; }
    // The widget that takes the input (QComboBox, QCheckBox, QLineEdit, QSpinBox, QListWidget,
    // QToolButton, QLabel or QTableWidget); it carries the control's name as object name.
    QWidget* input() const { return input_; }
    // The caption to place beside the control; nullptr for tick boxes, which carry their
    // caption themselves.
    QLabel* caption() const { return caption_; }
    // Drops the caption for good (the control then takes a whole row of its form).
    void drop_caption();
    // The text after the input ("mSec"), hidden while the view has none.
    QLabel* unit() const { return unit_; }

    // Shows a view of this control in a language. Never reports an action.
    void show_view(const ControlView& view, Lang lang);
    bool showing() const { return showing_; }

    // Puts the focus back on the input, selects its text and moves the mouse pointer to its
    // centre: how a refused typed value is handed back to the user.
    void take_focus();
    // The bottom centre of the input on the screen: where a window opened from it is placed.
    QPoint bottom_centre() const;

    // Typing in the input that the record does not hold yet (not confirmed with Enter): the
    // window's first undo takes it back instead of an older step, and a redo right after
    // brings it back. False when there was none.
    virtual bool undo_typing() { return false; }
    virtual bool redo_typing() { return false; }

signals:
    void acted(const ztv::ControlAction& action);

protected:
    // Sets the kind-specific part of the view (value, items, text); the base has set the
    // caption, unit, hint, enabled and visible state already.
    virtual void show_value(const ControlView& view, Lang lang) = 0;
    // Hands a user action on; silent while a view is being shown.
    void report(std::int64_t value, std::string text = std::string());
    void set_input(QWidget* input);
    // The undo and redo keys pressed in the input (or in an editor of it) are the window's:
    // its undo takes back unconfirmed typing first (undo_typing), then the steps.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string name_;
    ControlKind kind_;
    QWidget* input_ = nullptr;
    QPointer<QLabel> caption_;
    QLabel* unit_ = nullptr;
    bool showing_ = false;
};

// The bound control whose input holds `widget` (the focus, say); nullptr outside any.
BoundControl* bound_control_of(QWidget* widget);

// Makes the widget for a view's kind; the view's name becomes the input's object name.
BoundControl* make_bound_control(const ControlView& view, QWidget* parent);

// Adds a control as one row of a form: its caption on the left and the control on the right;
// a control whose view (shown before) has no caption takes the whole row.
void add_form_row(QFormLayout& form, BoundControl& control);

// The bound controls of one or more pages: found by name, updated from views, and reporting
// every user action through one handler.
class ControlSet {
public:
    ControlSet() = default;
    // The controls report to this object: it stays where it was made.
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;

    // Takes a control that lives in a page (the page owns the widget); returns it.
    BoundControl* add(BoundControl* control);
    BoundControl* find(std::string_view name) const;
    std::size_t size() const { return controls_.size(); }

    // Shows every view whose control is in the set; views of unknown controls are skipped and
    // controls without a view keep what they show.
    void show(const std::vector<ControlView>& views, Lang lang) const;
    void set_handler(ControlActionHandler handler) { handler_ = std::move(handler); }

private:
    std::unordered_map<std::string, BoundControl*> controls_;
    ControlActionHandler handler_;
};

}  // namespace ztv
