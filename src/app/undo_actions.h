// Undo and redo in the window, and the questions that guard the configuration shown. Every
// edit the window offers ends in the session's one entry point: the pages name the step they
// are about to make, and once the window is idle again (the input event handled, the operation
// over) the state left is recorded under that name. Edits no page names (the button grid, a
// finished procedure) are recorded the same way under a generic name.
#pragma once

#include <QObject>
#include <QPointer>

#include <string>

#include "common/text.h"
#include "widgets/page_context.h"

class QAction;

namespace ztv {

class ConfigSession;
class TMainForm;

class UndoActions : public QObject, public Page {
    Q_OBJECT
public:
    // Starts the history from what the window shows now; adds the menu entries and keys.
    UndoActions(TMainForm& form, ConfigSession& session);
    ~UndoActions() override;

    QAction* undo_item() const { return undo_; }
    QAction* redo_item() const { return redo_; }

    // Names the step the next recording makes (the first name given since the last one wins:
    // a control names it before the editor's own finishing step does).
    void name_step(const Text& name, const std::string& field = {});
    // Records what changed since the last step, unless an operation is running.
    void settle();
    void undo();
    void redo();
    // Before the configuration shown is dropped (close, another file): asks to save unsaved
    // changes. False when the user stays (Cancel, or a save that did not happen).
    bool may_replace(bool changed_meanwhile);
    // Menu entries, their enabling and the window title, as the history now stands.
    void update();
    // Page: the menu entries follow the language.
    void retranslate(Lang /*lang*/) override { update(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(bool forward);
    void schedule();

    TMainForm& form_;
    ConfigSession& session_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    Text pending_name_;
    std::string pending_field_;
    bool scheduled_ = false;
    bool stepping_ = false;
};

}  // namespace ztv
