// The toolbar's wiring: its buttons and menu items to their handlers, and the toolbar lock
// that a handler or a guided procedure holds while it runs.
#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QToolButton>

#include <utility>

#include "app/main_window.h"

namespace ztv {

void TMainForm::wire_chrome() {
    WindowChrome& c = *chrome_;
    const auto on_click = [this, &c](const char* button, void (TMainForm::*handler)()) {
        connect(c.speed_button(button), &QToolButton::clicked, this, handler);
    };
    on_click("SpeedButtonUpdateDevice", &TMainForm::on_update_device);
    on_click("SpeedButtonReadConfig", &TMainForm::on_open_config);
    on_click("SpeedButtonWriteConfig", &TMainForm::on_save_config);
    on_click("SpeedButtonReadDevice", &TMainForm::on_read_device);
    on_click("SpeedButtonWriteDevice", &TMainForm::on_write_device);
    on_click("SpeedButtonToDefault", &TMainForm::on_to_default);
    on_click("SpeedButtonReset", &TMainForm::on_reset);
    on_click("SpeedButton1", &TMainForm::on_hidden_n);
    connect(c.language_button(), &QToolButton::clicked, this, [this] { set_language(lang_ == Lang::Russian ? 1 : 0); });
    connect(c.debug_item(), &QAction::triggered, this, &TMainForm::on_debug_clicked);
    connect(c.log_item(), &QAction::toggled, this, [this](bool) {
        if (device_ != nullptr) device_->set_trace_options(debug_item()->isChecked(), log_item()->isChecked());
    });
    connect(c.only_used_item(), &QAction::toggled, this, [this](bool on) {
        retranslate_code_texts();
        for (Page* page : page_list_) page->show_only_used(on);
    });
    connect(c.russian_item(), &QAction::triggered, this, [this] { set_language(0); });
    connect(c.english_item(), &QAction::triggered, this, [this] { set_language(1); });
    c.add_shortcuts();
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
            if (form.toolbar_depth_ == 0) form.progress_hide();
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
    if (toolbar_depth_ == 0) progress_hide();
}

void TMainForm::on_hidden_n() {
    if (device_ == nullptr) return;
    const bool no_pulls = device_->toggle_no_background_pulls();
    speed_button("SpeedButton1")->setText(no_pulls ? QStringLiteral("N") : QStringLiteral("L"));
}

}  // namespace ztv
