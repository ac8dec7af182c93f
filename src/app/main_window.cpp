// Building the main window: pages, timers and the language switch.
#include "app/main_window.h"

#include <utility>

#include <QAction>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/form_tables.h"
#include "app/language_walker.h"
#include "app/parameter_split.h"
#include "app/qt_translations.h"
#include "app/shell_messages.h"
#include "app/toolbar_rules.h"
#include "common/format.h"
#include "config/parameter_bindings.h"
#include "config/parameter_pages.h"
#include "diag/terminal_page.h"
#include "events/slot_editor_view.h"
#include "widgets/icons.h"
#include "widgets/source_select_window.h"

namespace ztv {

TMainForm::TMainForm(ConfigState& state, ShellOptions options, QWidget* parent)
    : QMainWindow(parent), state_(state), options_(std::move(options)),
      qt_texts_(std::make_unique<QtTranslations>()) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(tool_icon(ToolIcon::Program));
    if (clock_ = options_.clock; clock_ == nullptr) {
        own_clock_ = std::make_unique<ShellClock>();
        clock_ = own_clock_.get();
    }

    // Companion window of the parameter pages and the event editor, made before them.
    source_window_ = new TInterceptForm(this);
    chrome_ = new WindowChrome(*this, *clock_);
    settings_ = std::make_unique<SettingsStore>(*this, options_.settings_path, options_.default_folder,
                                                options_.system_language_id);
    files_ = new FileDialogs(*this, *this, *settings_);
    toolbar_ = new ToolbarActions(*this, state_);
    build_pages();
    build_timers();
    wire_chrome();
    // The editor sits below the parameter pages; it needs the chrome's menus.
    editor_ = new SlotEditor(*this, state_, parameters_splitter_);
    parameters_splitter_->addWidget(editor_);
    // A taller window gives both halves more, the editor a little more than the pages.
    parameters_splitter_->setStretchFactor(0, 2);
    parameters_splitter_->setStretchFactor(1, 3);
    split_ = new ParameterSplit(*parameters_splitter_, *editor_, *clock_);
    add_page(*editor_);

    resize(1024, 720);
    translated_.push_back({main_form_table(), this});
    // The window is designed in Russian; the language switch at start-up puts it right.
    translate_window(main_form_table(), this, Lang::Russian);
    retranslate_code_texts();
    set_busy(false);
    set_caption();
}

TMainForm::~TMainForm() = default;

void TMainForm::build_pages() {
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    setCentralWidget(pages_);

    terminal_ = new TerminalPage(*this, pages_);
    terminal_->setObjectName(QStringLiteral("TabSheetMonitoring"));
    pages_->addTab(terminal_, QString());
    connect(terminal_, &TerminalPage::popup_requested, this, [this](const QPoint& pos) {
        open_shared_popup(8, msg::kClearScreen, msg::kCopyAll, pos, [this](int item) {
            if (item == 0) {
                terminal_->clear_receive_pane();
                chrome_->set_popup_context(0);
                clear_selections();
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
    parameter_pages_ = new ParameterPages(state_, *this, *source_window_, parameters_splitter_);
    parameters_splitter_->addWidget(parameter_pages_);
    // The page refresh: a read from the controller or a file, the language switch and every
    // edit that ends with a refresh redraw the pages from the record, first these.
    add_page(*parameter_pages_);
    if (QWidget* touch = parameter_pages_->touch_calibration_button()) chrome_->follow_rule(touch, EnablingRule::TouchPanel);
    pages_->addTab(parameters_, QString());

    can_log_ = new QWidget(pages_);
    can_log_->setObjectName(QStringLiteral("TabSheetCANLOG"));
    auto* can_layout = new QVBoxLayout(can_log_);
    can_layout->setContentsMargins(2, 2, 2, 2);
    pages_->addTab(can_log_, QString());
}

void TMainForm::build_timers() {
    polling_timer_ = new ShellTimer(*clock_, this);
    polling_timer_->setObjectName(QStringLiteral("TimerPolling"));
    polling_timer_->set_interval(200);
    connect(polling_timer_, &ShellTimer::timeout, this, &TMainForm::on_polling_timer);
    close_retry_ = new ShellTimer(*clock_, this);
    close_retry_->set_single_shot(true);
    close_retry_->set_interval(kCloseRetryMs);
    connect(close_retry_, &ShellTimer::timeout, this, &QWidget::close);
}

void TMainForm::open_shared_popup(int context, const TextPair& first, const TextPair& second, const QPoint& global_pos,
                                  std::function<void(int)> chosen) {
    // A context with a single entry leaves the second one out.
    const bool two = second.ru != nullptr && second.ru[0] != '\0';
    chrome_->open_shared_popup(context, tr_pair(first), two ? tr_pair(second) : QString(), global_pos,
                               std::move(chosen));
}

void TMainForm::open_shared_popup(int context, const Text& first, const QPoint& global_pos,
                                  std::function<void(int)> chosen, const QList<QAction*>& extra) {
    chrome_->open_shared_popup(context, QString::fromStdString(first.in(lang_)), QString(), global_pos,
                               std::move(chosen), extra);
}

QString TMainForm::tr_pair(const TextPair& pair) const { return QString::fromUtf8(pick(pair, lang_)); }

void TMainForm::set_caption() {
    const QString title = QString::fromStdString(format_pair(msg::kWindowTitle, msg::kProgramVersion).in(lang_));
    setWindowTitle(edits_.unsaved && edits_.unsaved() ? QStringLiteral("*") + title : title);
}

// Texts that code owns: they follow the language without a table row.
void TMainForm::retranslate_code_texts() {
    chrome_->retranslate(lang_);
}

void TMainForm::add_translated_window(std::span<const TranslationRow> table, QWidget* window) {
    translated_.push_back({table, window});
    translate_window(table, window, lang_);
}

void TMainForm::remove_page(Page& page) { std::erase(page_list_, &page); }

int TMainForm::set_language(int value) {
    if (value == -1) return static_cast<int>(lang_);
    lang_ = value == 1 ? Lang::English : Lang::Russian;
    // Qt's own texts first, so that the boxes and dialogs of the hooks below already speak it.
    if (!qt_texts_->apply(lang_) && !qt_texts_warned_) {
        qt_texts_warned_ = true;
        log_line(pick(msg::kQtTextsMissing, lang_), LogSource::Program);
    }
    chrome_->show_language(lang_);
    // The status line and device information are written anew in the new language.
    if (device_ != nullptr) device_->clear_connected();
    begin_redraw_pause();
    for (const TranslatedWindow& entry : translated_)
        if (entry.window) translate_window(entry.table, entry.window, lang_);
    retranslate_code_texts();
    for (Page* page : page_list_) page->retranslate(lang_);
    refresh_pages();
    set_caption();
    end_redraw_pause();
    return static_cast<int>(lang_);
}

void TMainForm::show_pins_page() { parameter_pages_->show_page(static_cast<int>(ParamPage::Pins)); }

void TMainForm::begin_redraw_pause() {
    if (redraw_pause_++ == 0) setUpdatesEnabled(false);
}

void TMainForm::end_redraw_pause() {
    if (redraw_pause_ == 0) return;
    if (--redraw_pause_ == 0) {
        setUpdatesEnabled(true);
        // The redraw is an event of its own, not more work inside the one that ended the pause
        // (a language switch would otherwise hold the window for both).
        update();
    }
}

void TMainForm::set_busy(bool busy) {
    busy_ = busy;
    enabling_ = toolbar_enabling(busy, controller_connected(), state_.record);
    chrome_->enable(enabling_, busy, procedure_button_.data());
    if (edits_.busy_changed) edits_.busy_changed(busy);
}

bool TMainForm::only_used() const { return chrome_->only_used_item()->isChecked(); }

void TMainForm::set_only_used(bool on) { chrome_->only_used_item()->setChecked(on); }

void TMainForm::set_device(WindowDevice* device) {
    device_ = device;
    set_busy(busy_);
}

QString TMainForm::status_line() const { return chrome_->status_panel()->text(); }

int TMainForm::terminal_input_height() const { return terminal_->input_height(); }

}  // namespace ztv
