// The toolbar's handlers and their wiring to the chrome: configuration files here, device
// operations through the link.
#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

#include <utility>

#include "app/main_window.h"
#include "app/shell_messages.h"
#include "config/config_file.h"
#include "config/config_messages.h"

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
        if (device_.set_trace_options) device_.set_trace_options(debug_item()->isChecked(), log_item()->isChecked());
    });
    connect(c.only_used_item(), &QAction::toggled, this, [this](bool on) {
        retranslate_code_texts();
        for (const auto& hook : only_used_hooks_) hook(on);
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

void TMainForm::on_open_config() {
    run_toolbar_action([this] {
        const QString path = ask_file(FileDialogKind::OpenConfig);
        if (!path.isEmpty()) load_config(QFile::encodeName(path));
    });
}

void TMainForm::open_config_file(const QByteArray& path) {
    run_toolbar_action([this, &path] {
        if (!path.isEmpty()) load_config(path);
    });
}

void TMainForm::open_handed_over_file(const QByteArray& path) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    pending_open_ = path;  // of several requests in a row the last one counts
    if (!pending_retry_) open_pending_file();
}

void TMainForm::open_pending_file() {
    pending_retry_ = false;
    if (pending_open_.isEmpty() || closing_) return;
    // Not in the middle of a device operation, and not under a box or a dialog that is
    // waiting for the user: the file would pull the record from under them.
    if (toolbar_operation_running() || busy_ || QApplication::activeModalWidget() != nullptr) {
        pending_retry_ = true;
        QTimer::singleShot(250, this, &TMainForm::open_pending_file);
        return;
    }
    const QByteArray path = std::exchange(pending_open_, QByteArray());
    open_config_file(path);
}

void TMainForm::load_config(const QByteArray& path) {
    const bool was_valid = state_.record_valid;
    state_.record_valid = false;
    ConfigFileStatus status;
    {
        PollingSuspension no_polling(*this);
        status = load_config_file(path.toStdString(), state_);
    }
    if (status != ConfigFileStatus::Ok) {
        // The record was not touched, so what the controller is sent stays as it was.
        state_.record_valid = was_valid;
        show_message(kBoxError, config_file_error(status, path.toStdString()));
        return;
    }
    remember_folder(FileDialogKind::OpenConfig, QFile::decodeName(path));
    refresh_pages();
    state_.record_valid = true;
    flash_message(2500, 250, to_text(msg::kConfigRead));
}

void TMainForm::on_save_config() {
    run_toolbar_action([this] {
        for (Page* page : page_list_) page->commit_pending_edit();
        const QString path = ask_file(FileDialogKind::SaveConfig);
        if (path.isEmpty()) return;
        FileWriteStatus status;
        {
            PollingSuspension no_polling(*this);
            status = save_config_file(path.toStdString(), state_);
        }
        if (status != FileWriteStatus::Ok) {
            show_message(kBoxError, config_file_error(status, path.toStdString()));
            return;
        }
        remember_folder(FileDialogKind::SaveConfig, path);
        flash_message(2500, 250, to_text(msg::kConfigWritten));
    });
}

void TMainForm::on_read_device() {
    run_toolbar_action([this] {
        if (actions_.read_configuration) actions_.read_configuration();
    });
}

void TMainForm::on_write_device() {
    run_toolbar_action([this] {
        for (Page* page : page_list_) page->commit_pending_edit();
        if (actions_.write_configuration) actions_.write_configuration();
    });
}

void TMainForm::on_to_default() {
    run_toolbar_action([this] {
        if (actions_.reset_to_defaults) actions_.reset_to_defaults();
    });
}

void TMainForm::on_reset() {
    run_toolbar_action([this] {
        if (actions_.restart) actions_.restart();
    });
}

void TMainForm::on_update_device() {
    run_toolbar_action([this] {
        if (actions_.firmware_update) actions_.firmware_update();
    });
}

void TMainForm::on_hidden_n() {
    if (!device_.toggle_no_background_pulls) return;
    const bool no_pulls = device_.toggle_no_background_pulls();
    speed_button("SpeedButton1")->setText(no_pulls ? QStringLiteral("N") : QStringLiteral("L"));
}

}  // namespace ztv
