#include "app/undo_actions.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include "app/main_window.h"
#include "app/setup_options.h"
#include "config/parameter_pages.h"
#include "events/slot_editor_view.h"
#include "tools/key_board_window.h"
#include "session/config_session.h"
#include "session/edit_steps.h"

namespace ztv {
namespace {

bool undo_key(const QKeyEvent& key) {
    return key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
           key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           key.keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

bool typing_box(QObject* object) {
    return qobject_cast<QLineEdit*>(object) != nullptr || qobject_cast<QAbstractSpinBox*>(object) != nullptr;
}

}  // namespace

UndoActions::UndoActions(TMainForm& form, ConfigSession& session)
    : QObject(&form), form_(form), session_(session) {
    session_.reset_history();
    undo_ = new QAction(&form_);
    undo_->setObjectName(QStringLiteral("MenuItemUndo"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = new QAction(&form_);
    redo_->setObjectName(QStringLiteral("MenuItemRedo"));
    redo_->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z),
                         QKeySequence(Qt::ControlModifier | Qt::Key_Y)});
    // On the window, so the keys work with the menu closed; first in the menu.
    form_.addAction(undo_);
    form_.addAction(redo_);
    QMenu* menu = form_.chrome().main_popup();
    QAction* first = menu->actions().value(0);
    menu->insertAction(first, undo_);
    menu->insertAction(first, redo_);
    menu->insertSeparator(first);
    connect(undo_, &QAction::triggered, this, &UndoActions::undo);
    connect(redo_, &QAction::triggered, this, &UndoActions::redo);

    form_.parameter_pages()->set_edit_listener([this](std::string_view control, const std::string& field) {
        name_step(parameter_step_name(control), field);
    });
    form_.slot_editor()->set_edit_listener(
        [this](std::size_t slot, const std::string& field) { name_step(slot_step_name(slot), field); });

    EditHooks hooks;
    hooks.unsaved = [this] { return session_.unsaved(); };
    hooks.may_replace = [this](bool changed_meanwhile) { return may_replace(changed_meanwhile); };
    hooks.file_done = [this](bool opened) {
        pending_name_ = {};
        pending_field_.clear();
        session_.mark_clean(CleanPoint::File, to_text(opened ? step::kOpenFile : step::kEdit));
        update();
    };
    hooks.busy_changed = [this](bool busy) {
        // The key picker's keys are a tool like the others: locked while an operation runs.
        form_.slot_editor()->key_picker()->setEnabled(!busy);
        update();
        if (!busy) schedule();
    };
    form_.set_edit_hooks(std::move(hooks));
    qApp->installEventFilter(this);
    form_.add_page(*this);
    update();
}

UndoActions::~UndoActions() {
    qApp->removeEventFilter(this);
    form_.remove_page(*this);
    form_.set_edit_hooks({});
}

void UndoActions::name_step(const Text& name, const std::string& field) {
    if (pending_name_.empty()) {
        pending_name_ = name;
        pending_field_ = field;
    }
    schedule();
}

void UndoActions::schedule() {
    if (scheduled_) return;
    scheduled_ = true;
    QTimer::singleShot(0, this, &UndoActions::settle);
}

void UndoActions::settle() {
    scheduled_ = false;
    // A running operation (a read, button learning...) is recorded once it is over.
    if (form_.busy() || form_.toolbar_operation_running() || stepping_) return;
    session_.record_edit(pending_name_.empty() ? to_text(step::kEdit) : pending_name_, pending_field_);
    pending_name_ = {};
    pending_field_.clear();
    update();
}

void UndoActions::undo() { step(false); }
void UndoActions::redo() { step(true); }

void UndoActions::step(bool forward) {
    if (form_.busy() || form_.toolbar_operation_running()) return;
    // An edit not recorded yet becomes a step of its own first.
    settle();
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
    settle();
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
    undo_->setEnabled(idle && history.can_undo());
    redo_->setEnabled(idle && history.can_redo());
    form_.set_caption();
}

bool UndoActions::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // A text box would take the undo keys for its own text: the configuration's undo
            // covers the typing too, so the window's keys win.
            if (typing_box(watched) && undo_key(*static_cast<QKeyEvent*>(event))) return true;
            break;
        case QEvent::FocusOut:
            if (typing_box(watched)) {
                settle();
                session_.history().end_typing();
            }
            break;
        case QEvent::KeyPress:
        case QEvent::MouseButtonRelease:
        case QEvent::Drop:
        case QEvent::Wheel: schedule(); break;
        default: break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ztv
