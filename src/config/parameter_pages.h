// The 25 device-parameter pages of the "Parameters" tab, drawn from the binding table with the
// generic bound widgets. A user action goes to the model's edit for that control; the record is
// then redrawn as the edit's outcome says. The page refresh (record -> every page) is refresh().
#pragma once

#include <QTabWidget>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/host.h"
#include "config/config_state.h"
#include "widgets/control_widgets.h"
#include "widgets/page_context.h"

class QAbstractButton;
class QGroupBox;
class QLayout;
class QMenu;

namespace ztv {

class TInterceptForm;
struct ParamGroup;

class ParameterPages : public QTabWidget, public Page {
    Q_OBJECT
public:
    // Messages go to `host` (in its language); source masks are chosen in `sources`.
    ParameterPages(ConfigState& state, Host& host, TInterceptForm& sources, QWidget* parent = nullptr);

    // The page refresh: the model writes its consistency rules into the record, then every
    // control shows what the record holds, then the refresh hooks run (button grid, current
    // slot). A refresh started while one runs returns at once.
    void refresh() override;
    bool refreshing() const { return refreshing_; }
    // Steps that belong to the page refresh but live elsewhere; run in order after the pages.
    void add_refresh_hook(std::function<void()> hook) { refresh_hooks_.push_back(std::move(hook)); }

    // What a click on a button control does (touch calibration); no handler: nothing.
    void set_button_handler(std::string_view control, std::function<void()> handler);

    // The page lock: while set, the user cannot switch pages (the touch calibration holds it).
    void set_locked(bool locked) override;
    bool locked() const { return locked_; }
    // Shows a page unless the pages are locked; returns whether it is shown.
    bool show_page(int index);

    // The right-click menu of the page tabs: every page by caption.
    QMenu* page_menu() const { return page_menu_; }
    void open_page_menu(const QPoint& global_pos);

    // Where the button grid of the "Keys" page goes (empty until that grid is built).
    QWidget* keys_grid_area() const { return keys_grid_area_; }

    BoundControl* control(std::string_view name) const { return controls_.find(name); }
    // The controls the shell joins to the touch calibration: the "Touchpanel" page's button,
    // its "Offset 10% when setting" box, and its gestures box (hidden: this version of the
    // controller offers no gestures). nullptr for one the pages lack.
    QAbstractButton* touch_calibration_button() const { return input_button("SpeedButtonTouchSetup"); }
    QAbstractButton* touch_offset_box() const { return input_button("CheckBoxTouchDXY"); }
    QAbstractButton* touch_gestures_box() const { return input_button("CheckBoxTouchGestures"); }
    // Told of every user edit once it and its redraw are done: the control, and for typed text
    // the field (so that typing in one box is one undo step; empty for any other edit).
    void set_edit_listener(std::function<void(std::string_view control, const std::string& field)> listener) {
        edit_listener_ = std::move(listener);
    }
    // Hands an action to the model as if the user did it (the widgets call this too).
    void act(const ControlAction& action);

private:
    struct Group {
        QGroupBox* box;
        const ParamGroup* caption;
    };

    void build();
    QAbstractButton* input_button(std::string_view name) const;
    void handle(const EditOutcome& outcome, std::string_view control);
    void redraw_control(std::string_view control);
    void redraw_page_of(std::string_view control);
    void retitle_groups(Lang lang);

    ConfigState& state_;
    Host& host_;
    TInterceptForm& sources_;
    ControlSet controls_;
    std::vector<Group> groups_;
    std::vector<QLayout*> flows_;  // one per page: its boxes
    std::vector<std::function<void()>> refresh_hooks_;
    std::function<void(std::string_view, const std::string&)> edit_listener_;
    std::map<std::string, std::function<void()>, std::less<>> button_handlers_;
    QMenu* page_menu_ = nullptr;
    QWidget* keys_grid_area_ = nullptr;
    bool refreshing_ = false;
    bool locked_ = false;
    int titled_in_ = -1;  // language the group titles were last set in
};

}  // namespace ztv
