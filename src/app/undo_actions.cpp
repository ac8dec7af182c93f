#include "app/undo_actions.h"

#include <QAction>
#include <QApplication>

#include "app/page_host.h"
#include "app/setup_options.h"
#include "config/parameter_pages.h"
#include "events/slot_editor_view.h"
#include "tools/key_board_window.h"
#include "session/config_session.h"
#include "session/edit_steps.h"
#include "widgets/control_widgets.h"

namespace ztv {

UndoActions::UndoActions(const UndoActionsShell& shell, ConfigSession& session)
    : QObject(&shell.window), shell_(shell), session_(session) {
    session_.reset_history();
    undo_ = &shell_.undo;
    redo_ = &shell_.redo;
    connect(undo_, &QAction::triggered, this, &UndoActions::undo);
    connect(redo_, &QAction::triggered, this, &UndoActions::redo);

    shell_.parameter_pages.set_edit_listener([this](std::string_view control, const std::string& field) {
        record(parameter_step_name(control), field);
    });
    shell_.editor.set_edit_listener([this](std::size_t slot, const std::string& field, bool renamed) {
        record(renamed ? slot_name_step_name(slot) : slot_step_name(slot), field);
    });
    shell_.operations.set_edit_history(this);
    // Typing in one box is one step until the focus leaves it.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        session_.history().end_typing();
        update();
    });
    shell_.pages.add_page(*this);
    update();
}

UndoActions::~UndoActions() {
    shell_.pages.remove_page(*this);
    shell_.operations.set_edit_history(nullptr);
}

bool UndoActions::unsaved() const { return session_.unsaved(); }

void UndoActions::file_done(bool opened) {
    session_.mark_clean(CleanPoint::File, to_text(opened ? step::kOpenFile : step::kSaveFile));
    update();
}

void UndoActions::busy_changed(bool busy) {
    // The key picker's keys are a tool like the others: locked while an operation runs.
    shell_.editor.key_picker()->setEnabled(!busy);
    update();
}

void UndoActions::record(const Text& name, const std::string& field) {
    if (stepping_) return;
    session_.record_edit(name, field);
    update();
}

// Typing the record does not hold yet is the newest thing to undo: the box takes it back (and
// a redo right after brings it back) before any step of the history moves.
void UndoActions::undo() {
    if (BoundControl* typing = bound_control_of(QApplication::focusWidget()); typing != nullptr && typing->undo_typing())
        return;
    step(false);
}

void UndoActions::redo() {
    if (BoundControl* typing = bound_control_of(QApplication::focusWidget()); typing != nullptr && typing->redo_typing())
        return;
    step(true);
}

void UndoActions::step(bool forward) {
    if (shell_.operations.busy() || shell_.operations.toolbar_operation_running()) return;
    stepping_ = true;
    const bool moved = forward ? session_.redo() : session_.undo();
    if (moved) {
        shell_.pages.refresh_pages();
        // The refresh may restate consistency rules in the record: that is still this step.
        session_.history().amend(take_snapshot(session_.state()));
    }
    stepping_ = false;
    update();
}

bool UndoActions::may_replace(bool changed_meanwhile) {
    if (!changed_meanwhile && !session_.unsaved()) return true;
    const int answer = shell_.pages.show_message(kBoxQuestion | kBoxWithCancel, to_text(kAskSaveChanges));
    if (answer == kIdNo) return true;
    if (answer != kIdYes) return false;
    shell_.operations.save_configuration();
    return session_.history().at(CleanPoint::File);  // the save went through
}

void UndoActions::update() {
    const Lang lang = shell_.pages.language();
    const ConfigHistory& history = session_.history();
    const bool idle = !shell_.operations.busy() && !shell_.operations.toolbar_operation_running();
    undo_->setText(QString::fromStdString(history.undo_text().in(lang)));
    redo_->setText(QString::fromStdString(history.redo_text().in(lang)));
    // A box with the focus may hold typing to take back (or bring back): the keys must reach it.
    const bool in_box = bound_control_of(QApplication::focusWidget()) != nullptr;
    undo_->setEnabled(idle && (history.can_undo() || in_box));
    redo_->setEnabled(idle && (history.can_redo() || in_box));
    shell_.operations.edits_changed();
}

}  // namespace ztv
