// The commands' wiring: each action to its handler, and the toolbar lock that a handler or a
// guided procedure holds while it runs.
#include <QAction>
#include <QApplication>
#include <QPointer>

#include <utility>

#include "app/main_window.h"

namespace ztv {

void TMainForm::wire_chrome() {
    for (const CommandRow& row : kCommands)
        connect(chrome_->action(row.command), &QAction::triggered, toolbar_,
                [this, command = row.command] { toolbar_->run(command); });
    // The window's own switches: the debug entry and the hidden background-pull button...
    connect(chrome_->debug_item(), &QAction::triggered, this, &TMainForm::on_debug_clicked);
    connect(chrome_->action(Command::BackgroundPulls), &QAction::triggered, this, &TMainForm::on_hidden_n);
    // ...and two that follow their state however it changes: a click, the settings, the other entry.
    connect(chrome_->log_item(), &QAction::toggled, this, [this](bool on) {
        if (device_ != nullptr) device_->set_trace_options(chrome_->debug_item()->isChecked(), on);
    });
    connect(chrome_->only_used_item(), &QAction::toggled, this, [this](bool on) {
        retranslate_code_texts();
        page_host_->show_only_used(on);
    });
}

// Every handler locks the toolbar while it runs and unlocks it on every way out. Locking
// disables the focused button, and Qt then hands the focus on (to the "only used" toggle, where
// a second Space would flip the filter); once the button is usable again it gets it back.
void TMainForm::run_toolbar_action(const std::function<void()>& action) {
    ++toolbar_depth_;
    const QPointer<QWidget> had_focus = QApplication::focusWidget();
    set_busy(true);
    // Where Qt put the focus when the button went grey; anywhere else is the user's choice.
    const QPointer<QWidget> handed_to = QApplication::focusWidget();
    struct Unlock {
        TMainForm& form;
        const QPointer<QWidget>& had_focus;
        const QPointer<QWidget>& handed_to;
        ~Unlock() {
            --form.toolbar_depth_;
            form.set_busy(form.toolbar_depth_ > 0);
            if (form.toolbar_depth_ == 0) form.host_->progress_hide();
            if (form.toolbar_depth_ > 0 || !had_focus || had_focus == handed_to) return;
            if (!had_focus->isEnabled() || !had_focus->isVisible()) return;
            const QWidget* now = QApplication::focusWidget();
            if (now == nullptr || now == handed_to) had_focus->setFocus(Qt::OtherFocusReason);
        }
    } unlock{*this, had_focus, handed_to};
    action();
}

void TMainForm::begin_procedure(QWidget* stop_button) {
    ++toolbar_depth_;
    procedure_button_ = stop_button;
    set_busy(true);
}

void TMainForm::end_procedure() {
    procedure_button_ = nullptr;
    if (toolbar_depth_ > 0) --toolbar_depth_;
    set_busy(toolbar_depth_ > 0);
    // The procedure's last progress display ends with it, as a toolbar operation's does.
    if (toolbar_depth_ == 0) host_->progress_hide();
}

void TMainForm::on_hidden_n() {
    if (device_ == nullptr) return;
    const bool no_pulls = device_->toggle_no_background_pulls();
    chrome_->action(Command::BackgroundPulls)->setText(no_pulls ? QStringLiteral("N") : QStringLiteral("L"));
}

}  // namespace ztv
