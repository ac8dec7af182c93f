// Building the main window: its parts, the pages and the wiring between them.
#include "app/main_window.h"

#include <QAction>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/device_link.h"
#include "app/form_tables.h"
#include "app/learning_tools_view.h"
#include "app/parameter_split.h"
#include "app/safety_menu.h"
#include "app/undo_actions.h"
#include "app/shell_messages.h"
#include "app/toolbar_rules.h"
#include "common/format.h"
#include "config/parameter_pages.h"
#include "diag/terminal_page.h"
#include "events/slot_editor_view.h"
#include "widgets/icons.h"
#include "widgets/source_select_window.h"

namespace ztv {

TMainForm::TMainForm(ConfigState& state, ShellOptions options, QWidget* parent)
    : QMainWindow(parent), state_(state), options_(std::move(options)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(tool_icon(ToolIcon::Program));
    if (clock_ = options_.clock; clock_ == nullptr) {
        own_clock_ = std::make_unique<ShellClock>();
        clock_ = own_clock_.get();
    }

    // Companion window of the parameter pages and the event editor, made before them.
    source_window_ = new TInterceptForm(this);
    chrome_ = new WindowChrome(*this, *clock_);
    host_ = new ShellHost(*this, *chrome_, *this, *clock_);
    page_host_ = new PageHost(*host_, *this, *chrome_, *this, *source_window_);
    settings_ = std::make_unique<SettingsStore>(*host_, options_.settings_path, options_.default_folder,
                                                options_.system_language_id);
    files_ = new FileDialogs(*this, *host_, *settings_);
    toolbar_ = new ToolbarActions({*host_, *page_host_, *this, *files_}, state_);
    build_pages();
    host_->attach(*terminal_);
    connect(host_, &ShellHost::polling_tick, this, &TMainForm::on_polling_timer);
    close_retry_ = new ShellTimer(*clock_, this);
    close_retry_->set_single_shot(true);
    close_retry_->set_interval(kCloseRetryMs);
    connect(close_retry_, &ShellTimer::timeout, this, &QWidget::close);
    wire_chrome();
    wire_language();
    // The editor sits below the parameter pages; it needs the chrome's menus.
    editor_ = new SlotEditor(*page_host_, state_, parameters_splitter_);
    parameters_splitter_->addWidget(editor_);
    // A taller window gives both halves more, the editor a little more than the pages.
    parameters_splitter_->setStretchFactor(0, 2);
    parameters_splitter_->setStretchFactor(1, 3);
    split_ = new ParameterSplit(*parameters_splitter_, *editor_, *clock_);
    page_host_->add_page(*editor_);

    resize(1024, 720);
    // The window is designed in Russian; the language switch at start-up puts it right.
    page_host_->add_translated_window(main_form_table(), this);
    retranslate_code_texts();
    set_busy(false);
    set_caption();
}

TMainForm::~TMainForm() = default;

void TMainForm::build_pages() {
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    setCentralWidget(pages_);

    terminal_ = new TerminalPage(*host_, pages_);
    terminal_->setObjectName(QStringLiteral("TabSheetMonitoring"));
    pages_->addTab(terminal_, QString());
    connect(terminal_, &TerminalPage::popup_requested, this, [this](const QPoint& pos) {
        page_host_->open_shared_popup(8, msg::kClearScreen, msg::kCopyAll, pos, [this](int item) {
            if (item == 0) {
                terminal_->clear_receive_pane();
                chrome_->set_popup_context(0);
                page_host_->clear_selections();
            } else if (pages_->currentWidget() != parameters_) {
                terminal_->copy_all();
            }
        });
    });

    // The parameter pages, the event editor and the CAN log fill these containers.
    parameters_ = new QWidget(pages_);
    parameters_->setObjectName(QStringLiteral("TabSheetParameters"));
    auto* parameters_layout = new QVBoxLayout(parameters_);
    parameters_layout->setContentsMargins(2, 2, 2, 2);
    // The parameter pages sit above the event/reaction editor; the user moves the border.
    parameters_splitter_ = new QSplitter(Qt::Vertical, parameters_);
    parameters_splitter_->setObjectName(QStringLiteral("SplitterParameters"));
    parameters_splitter_->setChildrenCollapsible(false);
    parameters_layout->addWidget(parameters_splitter_);
    parameter_pages_ = new ParameterPages(state_, *host_, *source_window_, parameters_splitter_);
    parameters_splitter_->addWidget(parameter_pages_);
    page_host_->set_parameter_pages(*parameter_pages_);
    // The page refresh: a read from the controller or a file, the language switch and every
    // edit that ends with a refresh redraw the pages from the record, first these.
    page_host_->add_page(*parameter_pages_);
    if (QWidget* touch = parameter_pages_->touch_calibration_button()) chrome_->follow_rule(touch, EnablingRule::TouchPanel);
    pages_->addTab(parameters_, QString());

    can_log_ = new QWidget(pages_);
    can_log_->setObjectName(QStringLiteral("TabSheetCANLOG"));
    auto* can_layout = new QVBoxLayout(can_log_);
    can_layout->setContentsMargins(2, 2, 2, 2);
    pages_->addTab(can_log_, QString());
}

// The window's steps of a language switch: the chrome shows the language, the controller is
// announced anew in it on the next poll, the texts code owns and the caption follow.
void TMainForm::wire_language() {
    connect(page_host_, &PageHost::language_chosen, this, [this](Lang lang) {
        chrome_->show_language(lang);
        if (device_ != nullptr) device_->clear_connected();
    });
    connect(page_host_, &PageHost::code_texts_due, this, &TMainForm::retranslate_code_texts);
    connect(page_host_, &PageHost::language_switched, this, &TMainForm::set_caption);
}

DeviceLinkShell TMainForm::device_link_shell() {
    return {*host_, *page_host_, *this, *files_, *settings_, *terminal_, *pages_, *can_log_, *editor_};
}

LearningToolsShell TMainForm::learning_tools_shell() {
    return {*page_host_, *this, state_, *parameters_, *parameters_splitter_, *parameter_pages_, editor_, *chrome_};
}

SafetyMenuShell TMainForm::safety_menu_shell() {
    return {*host_,
            *this,
            *files_,
            *chrome_->take(Command::CompareFile),
            *chrome_->take(Command::CompareController),
            *chrome_->take(Command::Backups),
            state_};
}

UndoActionsShell TMainForm::undo_actions_shell() {
    return {*page_host_,   *this, *this, *chrome_->take(Command::Undo), *chrome_->take(Command::Redo),
            *parameter_pages_, *editor_};
}

void TMainForm::set_caption() {
    const QString title =
        QString::fromStdString(format_pair(msg::kWindowTitle, msg::kProgramVersion).in(host_->language()));
    setWindowTitle(edits_ != nullptr && edits_->unsaved() ? QStringLiteral("*") + title : title);
}

// Texts that code owns: they follow the language without a table row.
void TMainForm::retranslate_code_texts() { chrome_->retranslate(host_->language()); }

void TMainForm::set_busy(bool busy) {
    busy_ = busy;
    enabling_ = ToolbarEnabling(busy, controller_connected(), state_.record);
    chrome_->enable(enabling_, busy, procedure_button_.data());
    if (edits_ != nullptr) edits_->busy_changed(busy);
}

void TMainForm::set_device(WindowDevice* device) {
    device_ = device;
    set_busy(busy_);
}

QString TMainForm::status_line() const { return chrome_->status_panel()->text(); }

}  // namespace ztv
