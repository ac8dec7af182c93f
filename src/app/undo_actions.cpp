#include "app/undo_actions.h"

#include <QAction>
#include <QApplication>

#include "app/main_window.h"
#include "app/setup_options.h"
#include "config/parameter_pages.h"
#include "events/slot_editor_view.h"
#include "tools/key_board_window.h"
#include "session/config_session.h"
#include "session/edit_steps.h"
#include "widgets/control_widgets.h"

namespace ztv {

UndoActions::UndoActions(TMainForm& form, ConfigSession& session)
    : QObject(&form), form_(form), session_(session) {
    session_.reset_history();
    undo_ = form_.chrome().take(Command::Undo);
    redo_ = form_.chrome().take(Command::Redo);
    connect(undo_, &QAction::triggered, this, &UndoActions::undo);
    connect(redo_, &QAction::triggered, this, &UndoActions::redo);

    form_.parameter_pages()->set_edit_listener([this](std::string_view control, const std::string& field) {
        record(parameter_step_name(control), field);
    });
    form_.slot_editor()->set_edit_listener([this](std::size_t slot, const std::string& field, bool renamed) {
        record(renamed ? slot_name_step_name(slot) : slot_step_name(slot), field);
    });

    EditHooks hooks;
    hooks.unsaved = [this] { return session_.unsaved(); };
    hooks.may_replace = [this](bool changed_meanwhile) { return may_replace(changed_meanwhile); };
    hooks.file_done = [this](bool opened) {
        session_.mark_clean(CleanPoint::File, to_text(opened ? step::kOpenFile : step::kSaveFile));
        update();
    };
    hooks.record = [this](const Text& name, const std::string& field) { record(name, field); };
    hooks.busy_changed = [this](bool busy) {
        // The key picker's keys are a tool like the others: locked while an operation runs.
        form_.slot_editor()->key_picker()->setEnabled(!busy);
        update();
    };
    form_.set_edit_hooks(std::move(hooks));
    // Typing in one box is one step until the focus leaves it.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        session_.history().end_typing();
        update();
    });
    form_.add_page(*this);
    update();
}

UndoActions::~UndoActions() {
    form_.remove_page(*this);
    form_.set_edit_hooks({});
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
    if (form_.busy() || form_.toolbar_operation_running()) return;
    stepping_ = true;
    const bool moved = forward ? session_.redo() : session_.undo();
    if (moved) {
        form_.refresh_pages();
        // The refresh may restate consistency rules in the record: that is still this step.
        session_.history().amend(take_snapshot(session_.state()));
    }
    stepping_ = false;
    update();
}

bool UndoActions::may_replace(bool changed_meanwhile) {
    if (!changed_meanwhile && !session_.unsaved()) return true;
    const int answer = form_.show_message(kBoxQuestion | kBoxWithCancel, to_text(kAskSaveChanges));
    if (answer == kIdNo) return true;
    if (answer != kIdYes) return false;
    form_.on_save_config();
    return session_.history().at(CleanPoint::File);  // the save went through
}

void UndoActions::update() {
    const Lang lang = form_.language();
    const ConfigHistory& history = session_.history();
    const bool idle = !form_.busy() && !form_.toolbar_operation_running();
    undo_->setText(QString::fromStdString(history.undo_text().in(lang)));
    redo_->setText(QString::fromStdString(history.redo_text().in(lang)));
    // A box with the focus may hold typing to take back (or bring back): the keys must reach it.
    const bool in_box = bound_control_of(QApplication::focusWidget()) != nullptr;
    undo_->setEnabled(idle && (history.can_undo() || in_box));
    redo_->setEnabled(idle && (history.can_redo() || in_box));
    form_.set_caption();
}

}  // namespace ztv
