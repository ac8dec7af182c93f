// What the window's peers (the device link, the learning tools, the undo and safety menus)
// ask of the window about the work going on in it: the busy state and the toolbar lock, a
// guided procedure's own stop button, the controller behind the window and the undo history.
// The window implements it; a peer sees nothing else of it.
#pragma once

#include <functional>
#include <string>

#include "common/text.h"

class QWidget;

namespace ztv {

class WindowDevice;

// The undo history as the window and its peers use it (app/undo_actions implements it).
class EditHistory {
public:
    virtual ~EditHistory() = default;
    // The title's "*".
    virtual bool unsaved() const = 0;
    // Before a close or another file: false stays. `changed_meanwhile` asks even when the
    // controller holds the configuration (an operation changed it while a file waited).
    virtual bool may_replace(bool changed_meanwhile) = 0;
    // A file was opened (true) or saved (false).
    virtual void file_done(bool opened) = 0;
    // An edit of the window's own (a procedure, the button grid) is over: its step.
    virtual void record(const Text& name, const std::string& field) = 0;
    // An operation began or the window is idle.
    virtual void busy_changed(bool busy) = 0;
};

class WindowOperations {
public:
    virtual ~WindowOperations() = default;

    virtual bool busy() const = 0;
    // Toolbar and pages follow the busy state.
    virtual void set_busy(bool busy) = 0;
    // True while a toolbar handler runs: the monitor's own busy spells must not unlock it.
    virtual bool toolbar_operation_running() const = 0;
    // A guided procedure (button learning, touch calibration) runs inside its button's handler
    // like a toolbar operation, but its own button stays enabled so that it can stop it.
    virtual void begin_procedure(QWidget* stop_button) = 0;
    virtual void end_procedure() = 0;

    // Runs a toolbar handler with the toolbar locked; it unlocks on every way out.
    virtual void run_toolbar_action(const std::function<void()>& action) = 0;

    // The controller behind the window; nothing: none. It must leave before it goes.
    virtual void set_device(WindowDevice* device) = 0;
    virtual WindowDevice* device() const = 0;

    // The undo history; nothing until it joins, and again once it has left.
    virtual EditHistory* edit_history() const = 0;
    virtual void set_edit_history(EditHistory* history) = 0;
    // The history moved: the title shows whether the configuration is saved.
    virtual void edits_changed() = 0;
    // The toolbar's save, as its button does it, and its open of a file already chosen (the
    // path's bytes as the system gave them).
    virtual void save_configuration() = 0;
    virtual void open_configuration_file(const std::string& path) = 0;
};

}  // namespace ztv
