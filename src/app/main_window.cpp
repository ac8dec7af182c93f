// Building the main window: toolbar, pages, menus and timers.
#include "app/main_window.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QProgressBar>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/form_tables.h"
#include "app/language_walker.h"
#include "app/pane_split.h"
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

FlashStrip::FlashStrip(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("PanelMenu"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setMinimumWidth(120);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void FlashStrip::set_caption(const QString& text) {
    caption_ = text;
    setText(shown_ ? caption_ : QString());
}

void FlashStrip::set_shown(bool shown) {
    shown_ = shown;
    setText(shown_ ? caption_ : QString());
}

void FlashStrip::contextMenuEvent(QContextMenuEvent* event) {
    emit context_menu_requested(event->globalPos());
    event->accept();
}

namespace {

QToolButton* make_button(QToolBar* bar, const char* name, ToolIcon icon) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(tool_icon(icon));
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

QToolButton* make_text_button(QToolBar* bar, const char* name, const QString& caption) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumWidth(32);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    bar->addWidget(button);
    return button;
}

void add_spacer(QToolBar* bar, int width) {
    auto* spacer = new QWidget(bar);
    spacer->setFixedWidth(width);
    bar->addWidget(spacer);
}

}  // namespace

TMainForm::TMainForm(ConfigState& state, ShellOptions options, QWidget* parent)
    : QMainWindow(parent), state_(state), options_(std::move(options)),
      qt_texts_(std::make_unique<QtTranslations>()) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(tool_icon(ToolIcon::Program));
    clock_ = new QElapsedTimer;
    clock_->start();

    // Companion window of the parameter pages and the event editor, made before them.
    source_window_ = new TInterceptForm(this);
    build_toolbar();
    build_pages();
    build_menus();
    build_timers();
    build_shortcuts();
    // The editor sits below the parameter pages; it needs the menus that build_menus made.
    editor_ = new SlotEditor(*this, state_, parameters_splitter_);
    parameters_splitter_->addWidget(editor_);
    // A taller window gives both halves more, the editor a little more than the pages.
    parameters_splitter_->setStretchFactor(0, 2);
    parameters_splitter_->setStretchFactor(1, 3);
    parameters_splitter_->installEventFilter(this);
    add_language_hook([this](Lang) { editor_->retranslate(); });
    add_page_refresh([this] {
        editor_->apply_only_used();
        editor_->show_current();
    });
    // Start-up fills the editor from the all-zero record, like every page.
    add_page_initialiser([this] {
        editor_->apply_only_used();
        editor_->show_current();
    });

    status_panel_ = new QLabel(this);
    status_panel_->setObjectName(QStringLiteral("StatusBarPanel"));
    status_panel_->setMinimumWidth(200);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(status_panel_, 1);

    resize(1024, 720);
    translated_.push_back({main_form_table(), this});
    // The window is designed in Russian; the language switch at start-up puts it right.
    translate_window(main_form_table(), this, Lang::Russian);
    retranslate_code_texts();
    set_busy(false);
    set_caption();
}

TMainForm::~TMainForm() { delete clock_; }

void TMainForm::apply_parameter_split() {
    const int total = parameters_splitter_->height() - parameters_splitter_->handleWidth();
    if (total <= 0) return;
    const PaneSplit split = parameter_split(total, loaded_settings_.param_height);
    parameters_splitter_->setSizes({split.pages, split.editor});
}

// Showing the window resizes the splitter a few times before it has its final height, and each
// time the splitter would scale the split: it is made anew until the window has settled.
bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parameters_splitter_ && event->type() == QEvent::Resize && split_pending_) {
        apply_parameter_split();
        if (parameters_splitter_->isVisible() && !split_settling_) {
            split_settling_ = true;
            QTimer::singleShot(0, this, [this] {
                split_pending_ = false;
                split_settling_ = false;
            });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::build_toolbar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(28, 28));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, bar);

    button_update_ = make_button(bar, "SpeedButtonUpdateDevice", ToolIcon::UpdateDevice);
    button_read_config_ = make_button(bar, "SpeedButtonReadConfig", ToolIcon::ReadConfig);
    button_write_config_ = make_button(bar, "SpeedButtonWriteConfig", ToolIcon::WriteConfig);
    button_read_device_ = make_button(bar, "SpeedButtonReadDevice", ToolIcon::ReadDevice);
    button_write_device_ = make_button(bar, "SpeedButtonWriteDevice", ToolIcon::WriteDevice);
    button_to_default_ = make_button(bar, "SpeedButtonToDefault", ToolIcon::ToDefault);
    button_reset_ = make_button(bar, "SpeedButtonReset", ToolIcon::Reset);
    add_spacer(bar, 12);
    button_only_used_ = make_button(bar, "SpeedButtonOnlyUsedx", ToolIcon::OnlyUsed);
    button_only_used_->setCheckable(true);
    button_n_ = make_text_button(bar, "SpeedButton1", QStringLiteral("N"));
    bar->actions().last()->setVisible(false);
    button_lang_ = make_text_button(bar, "SpeedButtonLangx", QStringLiteral("EN"));
    add_spacer(bar, 12);
    button_language_maker_ = make_text_button(bar, "SpeedButtonLanguageMakerx", QStringLiteral("L"));
    bar->actions().last()->setVisible(false);

    strip_ = new FlashStrip(bar);
    bar->addWidget(strip_);
    gauge_ = new QProgressBar(strip_);
    gauge_->setObjectName(QStringLiteral("CGaugeProgressProcent"));
    gauge_->setTextVisible(true);
    gauge_->setAlignment(Qt::AlignCenter);
    gauge_->hide();
    auto* gauge_layout = new QVBoxLayout(strip_);
    gauge_layout->setContentsMargins(0, 0, 0, 0);
    gauge_layout->addWidget(gauge_);
    gauge_title_ = new QLabel(gauge_);
    gauge_title_->setObjectName(QStringLiteral("GaugeTitle"));
    gauge_title_->setAlignment(Qt::AlignCenter);
    gauge_title_->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont bold = gauge_title_->font();
    bold.setBold(true);
    gauge_title_->setFont(bold);
    gauge_title_->hide();
    auto* title_layout = new QVBoxLayout(gauge_);
    title_layout->setContentsMargins(0, 0, 0, 0);
    title_layout->addWidget(gauge_title_);

    // The main popup menu's visible way in; the menu itself is built with the others.
    button_menu_ = make_button(bar, "SpeedButtonMenu", ToolIcon::Menu);
    button_menu_->setPopupMode(QToolButton::InstantPopup);
    button_menu_->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));

    connect(button_update_, &QToolButton::clicked, this, &TMainForm::on_update_device);
    connect(button_read_config_, &QToolButton::clicked, this, &TMainForm::on_open_config);
    connect(button_write_config_, &QToolButton::clicked, this, &TMainForm::on_save_config);
    connect(button_read_device_, &QToolButton::clicked, this, &TMainForm::on_read_device);
    connect(button_write_device_, &QToolButton::clicked, this, &TMainForm::on_write_device);
    connect(button_to_default_, &QToolButton::clicked, this, &TMainForm::on_to_default);
    connect(button_reset_, &QToolButton::clicked, this, &TMainForm::on_reset);
    connect(button_n_, &QToolButton::clicked, this, &TMainForm::on_hidden_n);
    connect(button_lang_, &QToolButton::clicked, this,
            [this] { set_language(lang_ == Lang::Russian ? 1 : 0); });
}

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
                popup_context_ = 0;
                if (clear_button_selection_) clear_button_selection_();
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
    // edit that ends with a refresh redraw the pages from the record. Later steps of the
    // refresh (button grid, current slot) hook into the pages.
    page_refresh_ = [this] { parameter_pages_->refresh(); };
    pages_->addTab(parameters_, QString());

    can_log_ = new QWidget(pages_);
    can_log_->setObjectName(QStringLiteral("TabSheetCANLOG"));
    auto* can_layout = new QVBoxLayout(can_log_);
    can_layout->setContentsMargins(2, 2, 2, 2);
    pages_->addTab(can_log_, QString());
}

void TMainForm::build_menus() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    const auto check_item = [this](const char* name) {
        auto* item = new QAction(this);
        item->setObjectName(QString::fromLatin1(name));
        item->setCheckable(true);
        popup_->addAction(item);
        return item;
    };
    menu_debug_ = check_item("MenuItemDebug");
    menu_log_ = check_item("MenuItemLog");
    menu_log_->setVisible(false);
    menu_only_used_ = check_item("MenuItemOnlyUsed");
    menu_write_now_ = check_item("MenuItemWriteNow");
    menu_write_now_->setVisible(false);

    menu_language_ = popup_->addMenu(QStringLiteral("Язык/Language"));
    menu_language_->setObjectName(QStringLiteral("MenuItemLanguagex"));
    menu_russian_ = menu_language_->addAction(QStringLiteral("Русский"));
    menu_russian_->setObjectName(QStringLiteral("MenuItemRussianx"));
    menu_russian_->setCheckable(true);
    menu_english_ = menu_language_->addAction(QStringLiteral("English"));
    menu_english_->setObjectName(QStringLiteral("MenuItemEnglishx"));
    menu_english_->setCheckable(true);

    connect(menu_debug_, &QAction::triggered, this, &TMainForm::on_debug_clicked);
    connect(menu_log_, &QAction::toggled, this, [this](bool) {
        if (device_.set_trace_options) device_.set_trace_options(menu_debug_->isChecked(), menu_log_->isChecked());
    });
    connect(menu_only_used_, &QAction::toggled, button_only_used_, &QToolButton::setChecked);
    connect(button_only_used_, &QToolButton::toggled, menu_only_used_, &QAction::setChecked);
    connect(menu_only_used_, &QAction::toggled, this, [this](bool on) {
        retranslate_code_texts();
        for (const auto& hook : only_used_hooks_) hook(on);
    });
    connect(menu_russian_, &QAction::triggered, this, [this] { set_language(0); });
    connect(menu_english_, &QAction::triggered, this, [this] { set_language(1); });
    connect(strip_, &FlashStrip::context_menu_requested, this, [this](const QPoint& pos) { popup_->popup(pos); });
    button_menu_->setMenu(popup_);

    shared_popup_ = new QMenu(this);
    shared_popup_->setObjectName(QStringLiteral("PopupMenuShared"));
    shared_first_ = shared_popup_->addAction(QString());
    shared_second_ = shared_popup_->addAction(QString());
    connect(shared_first_, &QAction::triggered, this, [this] {
        if (shared_chosen_) shared_chosen_(0);
    });
    connect(shared_second_, &QAction::triggered, this, [this] {
        if (shared_chosen_) shared_chosen_(1);
    });
}

void TMainForm::build_timers() {
    polling_timer_ = new QTimer(this);
    polling_timer_->setObjectName(QStringLiteral("TimerPolling"));
    polling_timer_->setInterval(200);
    connect(polling_timer_, &QTimer::timeout, this, &TMainForm::on_polling_timer);

    dialog_timer_ = new QTimer(this);
    dialog_timer_->setObjectName(QStringLiteral("TimerDialogPlace"));
    dialog_timer_->setInterval(1);
    connect(dialog_timer_, &QTimer::timeout, this, [this] {
        if (placed_dialog_ && placed_dialog_->isVisible()) {
            const QRect main = frameGeometry();
            QSize size = placed_dialog_->frameGeometry().size();
            if (!size.isValid() || size.isEmpty()) size = QSize(400, 400);
            int left = main.left() + main.width() / 2 - size.width() / 2;
            int top = main.top() + main.height() / 2 - size.height() / 2;
            if (const QScreen* screen = this->screen()) {
                const QRect area = screen->geometry();
                left = std::min(left, area.right() + 1 - size.width());
                top = std::min(top, area.bottom() + 1 - size.height());
            }
            placed_dialog_->move(std::max(left, 0), std::max(top, 0));
        }
        if (--dialog_countdown_ <= 0) dialog_timer_->stop();
    });

    one_shot_timer_ = new QTimer(this);
    one_shot_timer_->setObjectName(QStringLiteral("TimerOneShot"));
    one_shot_timer_->setInterval(100);
    connect(one_shot_timer_, &QTimer::timeout, this, [this] {
        if (one_shot_callback_) one_shot_callback_();
    });

    flash_timer_ = new QTimer(this);
    flash_timer_->setObjectName(QStringLiteral("TimerFlash"));
    connect(flash_timer_, &QTimer::timeout, this, &TMainForm::on_flash_tick);
}

void TMainForm::build_shortcuts() {
    for (const ToolbarShortcut& entry : kToolbarShortcuts) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(entry.keys)), this);
        QToolButton* button = speed_button(entry.button);
        // click() does nothing on a locked button, so the key obeys the toolbar's locking.
        connect(shortcut, &QShortcut::activated, button, &QToolButton::click);
    }
    auto* menu_key = new QShortcut(QKeySequence(QString::fromLatin1(kMainMenuKey)), this);
    connect(menu_key, &QShortcut::activated, this, &TMainForm::open_main_menu);
    // The context-menu key on the toolbar (which has no menu of its own) opens it too.
    auto* context_key = new QShortcut(QKeySequence(Qt::Key_Menu), button_menu_->parentWidget());
    context_key->setContext(Qt::WidgetWithChildrenShortcut);
    connect(context_key, &QShortcut::activated, this, &TMainForm::open_main_menu);
}

void TMainForm::open_main_menu() {
    popup_->popup(button_menu_->mapToGlobal(QPoint(0, button_menu_->height())));
    popup_->setActiveAction(popup_->actions().value(0));
}

QToolButton* TMainForm::speed_button(const char* name) const {
    return findChild<QToolButton*>(QString::fromLatin1(name));
}

void TMainForm::open_shared_popup(int context, const TextPair& first, const TextPair& second, const QPoint& global_pos,
                                  std::function<void(int)> chosen) {
    popup_context_ = context;
    shared_first_->setText(tr_pair(first));
    shared_second_->setText(tr_pair(second));
    shared_first_->setVisible(true);
    // A context with a single entry leaves the second one out.
    shared_second_->setVisible(second.ru != nullptr && second.ru[0] != '\0');
    shared_chosen_ = std::move(chosen);
    shared_popup_->popup(global_pos);
}

void TMainForm::open_shared_popup(int context, const Text& first, const QPoint& global_pos,
                                  std::function<void(int)> chosen) {
    popup_context_ = context;
    shared_first_->setText(QString::fromStdString(first.in(lang_)));
    shared_first_->setVisible(true);
    shared_second_->setVisible(false);
    shared_chosen_ = std::move(chosen);
    shared_popup_->popup(global_pos);
}

QString TMainForm::tr_pair(const TextPair& pair) const { return QString::fromUtf8(pick(pair, lang_)); }

void TMainForm::set_caption() {
    setWindowTitle(QString::fromStdString(format_pair(msg::kWindowTitle, msg::kProgramVersion).in(lang_)));
}

// Texts that code owns: they follow the language without a table row.
void TMainForm::retranslate_code_texts() {
    button_lang_->setText(lang_ == Lang::Russian ? QStringLiteral("EN") : QStringLiteral("RU"));
    button_lang_->setToolTip(tr_pair(msg::kSelectLanguage));
    button_only_used_->setToolTip(tr_pair(menu_only_used_->isChecked() ? msg::kShowAll : msg::kShowOnlyUsed));
    // The table gives the hints; the keys are added here so they are written in one place.
    for (const ToolbarShortcut& entry : kToolbarShortcuts) {
        QToolButton* button = speed_button(entry.button);
        button->setToolTip(QString::fromStdString(hint_with_keys(button->toolTip().toStdString(), entry.keys)));
    }
    button_menu_->setToolTip(QString::fromStdString(hint_with_keys(pick(msg::kMainMenuHint, lang_), kMainMenuKey)));
    status_panel_->setText(QString::fromStdString(status_text_.in(lang_)));
    if (!flash_text_.empty()) strip_->set_caption(QString::fromStdString(flash_text_.in(lang_)));
    show_progress_title();
}

void TMainForm::add_translated_window(std::span<const TranslationRow> table, QWidget* window) {
    translated_.push_back({table, window});
    translate_window(table, window, lang_);
}

void TMainForm::add_language_hook(std::function<void(Lang)> hook) { language_hooks_.push_back(std::move(hook)); }

int TMainForm::set_language(int value) {
    if (value == -1) return static_cast<int>(lang_);
    lang_ = value == 1 ? Lang::English : Lang::Russian;
    // Qt's own texts first, so that the boxes and dialogs of the hooks below already speak it.
    if (!qt_texts_->apply(lang_) && !qt_texts_warned_) {
        qt_texts_warned_ = true;
        log_line(pick(msg::kQtTextsMissing, lang_), LogSource::Program);
    }
    button_lang_->setText(lang_ == Lang::Russian ? QStringLiteral("EN") : QStringLiteral("RU"));
    menu_russian_->setChecked(lang_ == Lang::Russian);
    menu_english_->setChecked(lang_ == Lang::English);
    // The status line and device information are written anew in the new language.
    if (device_.clear_connected) device_.clear_connected();
    begin_redraw_pause();
    for (const TranslatedWindow& entry : translated_)
        if (entry.window) translate_window(entry.table, entry.window, lang_);
    retranslate_code_texts();
    for (const auto& hook : language_hooks_) hook(lang_);
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
        repaint();
    }
}

void TMainForm::set_busy(bool busy) {
    busy_ = busy;
    const ToolbarEnabling e = toolbar_enabling(busy, controller_connected(), state_.record);
    button_update_->setEnabled(e.update_device);
    button_read_config_->setEnabled(e.read_config);
    button_write_config_->setEnabled(e.write_config);
    button_read_device_->setEnabled(e.read_device);
    button_write_device_->setEnabled(e.write_device);
    button_to_default_->setEnabled(e.to_default);
    button_reset_->setEnabled(e.reset);
    // The two setup buttons live on the parameter pages, which later pages build.
    if (auto* keys = speed_button("SpeedButtonKeysSetup")) keys->setEnabled(e.keys_setup);
    if (auto* touch = speed_button("SpeedButtonTouchSetup")) touch->setEnabled(e.touch_setup);
    if (busy && procedure_button_) procedure_button_->setEnabled(true);
}

bool TMainForm::only_used() const { return menu_only_used_->isChecked(); }

void TMainForm::set_only_used(bool on) { menu_only_used_->setChecked(on); }

bool TMainForm::controller_connected() const { return device_.connected && device_.connected(); }

void TMainForm::set_device_hooks(DeviceHooks hooks) {
    device_ = std::move(hooks);
    set_busy(busy_);
}

QString TMainForm::status_line() const { return status_panel_->text(); }

int TMainForm::terminal_input_height() const { return terminal_->input_height(); }

}  // namespace ztv
