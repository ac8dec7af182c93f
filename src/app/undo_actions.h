// Undo and redo in the window, and the questions that guard the configuration shown. Every
// edit records its own step where it happens: the parameter pages and the slot editor once an
// edit and its redraw are done, the learning tools once a procedure or a grid edit is over,
// each under the name of what it changed (typing in one box merges into one step until the
// focus leaves it). Operations on the whole configuration (a read, a write, a file) record
// and mark their own steps through the session.
#pragma once

#include <QObject>
#include <QPointer>

#include <string>

#include "app/window_operations.h"
#include "common/text.h"
#include "widgets/page_context.h"

class QAction;

namespace ztv {

class ConfigSession;
class PageHost;
class ParameterPages;
class SlotEditor;

// What the undo history uses of the window: the page list and its services, the busy state
// and the title, the window, its two menu entries, and the two editors whose edits it records.
struct UndoActionsShell {
    PageHost& pages;
    WindowOperations& operations;
    QWidget& window;
    QAction& undo;
    QAction& redo;
    ParameterPages& parameter_pages;
    SlotEditor& editor;
};

class UndoActions : public QObject, public Page, public EditHistory {
    Q_OBJECT
public:
    // Starts the history from what the window shows now, with the window's undo and redo
    // entries (with their keys).
    UndoActions(const UndoActionsShell& shell, ConfigSession& session);
    ~UndoActions() override;

    QAction* undo_item() const { return undo_; }
    QAction* redo_item() const { return redo_; }

    // The state an edit left becomes a step named `name` (a non-empty `field` merges typing
    // in one box). Nothing while an undo or redo is being shown.
    void record(const Text& name, const std::string& field = {}) override;
    // Typing the record does not hold yet is taken back (brought back) first; then the step.
    void undo();
    void redo();
    // Before the configuration shown is dropped (close, another file): asks to save unsaved
    // changes. False when the user stays (Cancel, or a save that did not happen).
    bool may_replace(bool changed_meanwhile) override;
    // EditHistory: the title's "*", a file opened or saved, the busy state.
    bool unsaved() const override;
    void file_done(bool opened) override;
    void busy_changed(bool busy) override;
    // Menu entries, their enabling and the window title, as the history now stands.
    void update();
    // Page: the menu entries follow the language.
    void retranslate(Lang /*lang*/) override { update(); }

private:
    void step(bool forward);

    UndoActionsShell shell_;
    ConfigSession& session_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    bool stepping_ = false;
};

}  // namespace ztv
