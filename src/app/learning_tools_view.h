// The window's side of button learning and touch calibration: the "Button settings" start/stop
// button and the button grid on the "Keys" page, the calibration button's handler, and the
// busy state both procedures put the window in. The procedures and every rule are core code;
// this joins them to the main window, the device link and the pages.
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

#include "tools/button_grid.h"
#include "tools/button_learning.h"
#include "tools/procedure_events.h"
#include "tools/touch_calibration.h"
#include "widgets/page_context.h"

class QMenu;
class QSplitter;
class QToolButton;
class QWidget;

namespace ztv {

class ButtonGridWidget;
class DeviceLink;
class PageHost;
class ParameterPages;
class SlotEditor;
class WindowChrome;
class WindowOperations;
struct ConfigState;

// What the learning tools use of the window: the page list and its services, the busy state
// and the undo history, the configuration, the "Parameters" tab they join (the Keys page, or
// a panel of their own below the pages) with the pages and the editor in it, and the chrome
// whose enabling rules the start button follows.
struct LearningToolsShell {
    PageHost& pages;
    WindowOperations& operations;
    ConfigState& state;
    QWidget& parameters_tab;
    QSplitter& splitter;
    ParameterPages& parameter_pages;
    SlotEditor* editor;  // nothing: no event editor
    WindowChrome& chrome;  // the start button follows the toolbar's enabling rules
};

// Builds the learning tools into the window: on the "Keys" page where the pages offer a place
// for the grid, otherwise in a panel of its own below the parameter pages.
class LearningTools;
LearningTools* add_learning_tools(const LearningToolsShell& shell, DeviceLink& link);

class LearningTools : public QObject, public Page {
    Q_OBJECT
public:
    // keys_area: where the "Keys" page wants the button grid and its start button.
    LearningTools(const LearningToolsShell& shell, DeviceLink& link, QWidget* keys_area);
    ~LearningTools() override;

    // Page: the grid shows the record, speaks the language, and the names typed into it go
    // into the record before a save or a write.
    void refresh() override;
    void retranslate(Lang lang) override;
    void commit_pending_edit() override;
    // A name typed in the grid reaches the record before a tick sends it; a hint left behind
    // by a pointer that moved off the grid goes after it.
    void before_poll() override;
    void after_poll() override;
    // "Clear screen" clears the grid's selection.
    void clear_selection() override;
    // The calibration button of the "Touchpanel" page; inset: "Offset 10% when setting".
    void on_touch_button(bool inset);

    // Joins to the event editor and the pages, as they come.
    void set_description_redraw(std::function<void()> redraw) { redraw_description_ = std::move(redraw); }

    // Joins the pages of the window: the grid refreshes with the pages,
    // the "Touchpanel" page's button starts the calibration with its inset box, and a running
    // calibration keeps the parameter pages on their page.
    void join_window();

    ButtonGrid& grid() { return grid_; }
    ButtonGridWidget* grid_widget() const { return grid_widget_; }
    QToolButton* keys_button() const { return keys_button_; }
    QMenu* use_menu() const { return use_menu_; }
    ButtonLearning& learning() { return learning_; }
    TouchCalibration& calibration() { return calibration_; }

private:
    // The busy state of one procedure: whose button stays enabled, whether pages lock.
    struct Busy final : ProcedureEvents {
        Busy(LearningTools& tools, bool calibration) : owner(tools), locks_pages(calibration) {}
        void set_running(bool running) override { owner.set_running(running, *this); }
        void grid_changed() override;
        void finished() override;
        LearningTools& owner;
        bool locks_pages;
    };

    void set_running(bool running, const Busy& busy);
    // The running procedure's own button stays pressed and its hint says how to stop.
    void show_stop_button(QToolButton* button, bool running, bool calibration);
    void commit_pending_name();
    // The edit just made becomes a step of the undo history named `name`.
    void record_step(const TextPair& name, const std::string& field = {});
    void open_popup(const GridPopup& popup, unsigned column, unsigned row, const QPoint& global_pos);
    void redraw_description();
    // Offers the learned button as the current slot's "Button" or "Mod", as a drop would: the
    // use menu's two entries, set for `button`; false when there is no event editor.
    bool prepare_use_entries(GridButton button);
    void open_use_menu(GridButton button, const QPoint& global_pos);

    LearningToolsShell shell_;
    DeviceLink& link_;
    ButtonGrid grid_;
    Busy learning_busy_{*this, false};
    Busy calibration_busy_{*this, true};
    ButtonLearning learning_;
    TouchCalibration calibration_;
    ButtonGridWidget* grid_widget_ = nullptr;
    QToolButton* keys_button_ = nullptr;
    QPointer<QToolButton> touch_button_;  // the "Touchpanel" page's, joined by join_window()
    QMenu* use_menu_ = nullptr;
    std::vector<QPointer<QWidget>> disabled_;
    QString idle_hint_;  // the hint of the running procedure's button before it started
    std::function<void()> redraw_description_;
};

}  // namespace ztv
