#include "app/window_chrome.h"

#include <algorithm>

#include <QAction>
#include <QContextMenuEvent>
#include <QMainWindow>
#include <QMenu>
#include <QProgressBar>
#include <QResizeEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/shell_messages.h"
#include "widgets/icons.h"

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

QString pair_text(const TextPair& pair, Lang lang) { return QString::fromUtf8(pick(pair, lang)); }

}  // namespace

WindowChrome::WindowChrome(QMainWindow& window, ShellClock& clock) : QObject(&window), window_(window) {
    build_toolbar();
    build_menus();
    build_status_line();
    build_timers(clock);
}

void WindowChrome::build_timers(ShellClock& clock) {
    flash_end_ = new ShellTimer(clock, this);
    flash_end_->setObjectName(QStringLiteral("TimerOneShot"));
    flash_end_->set_single_shot(true);
    connect(flash_end_, &ShellTimer::timeout, this, &WindowChrome::clear_flash);
    blink_ = new ShellTimer(clock, this);
    blink_->setObjectName(QStringLiteral("TimerFlash"));
    connect(blink_, &ShellTimer::timeout, this, [this] { strip_->set_shown(!strip_->shown()); });
    note_end_ = new ShellTimer(clock, this);
    note_end_->set_single_shot(true);
    connect(note_end_, &ShellTimer::timeout, this, [this] {
        status_note_ = {};
        show_status();
    });
}

void WindowChrome::flash(int duration_ms, int blink_ms, const Text& text) {
    flash_text_ = text;
    flash_end_->stop();
    strip_->set_shown(true);
    strip_->set_caption(QString::fromStdString(text.in(lang_)));
    if (duration_ms > 0) flash_end_->start(duration_ms);
    if (blink_ms != 0) {
        blink_->start(blink_ms);
    } else {
        blink_->stop();
    }
}

void WindowChrome::clear_flash() {
    blink_->stop();
    flash_end_->stop();
    flash_text_ = Text();
    strip_->set_shown(true);
    strip_->set_caption(QString());
}

void WindowChrome::begin_progress(int maximum, const Text& title) {
    progress_title_ = title;
    // Range 0..0 is Qt's bar without a measure; it draws no text of its own, so the title
    // lies on top of it.
    gauge_->setRange(0, std::max(maximum, 0));
    gauge_->setValue(0);
    show_progress_title();
    gauge_->show();
    set_status(title);
}

void WindowChrome::show_progress_title() {
    const QString title = QString::fromStdString(progress_title_.in(lang_));
    const bool waiting = gauge_->maximum() == 0;
    gauge_->setFormat(title.isEmpty() ? QStringLiteral("%p%") : title + QStringLiteral(": %p%"));
    gauge_title_->setText(title);
    gauge_title_->setVisible(waiting && !title.isEmpty());
}

void WindowChrome::add_progress(int amount) { gauge_->setValue(std::min(gauge_->value() + amount, gauge_->maximum())); }

void WindowChrome::hide_progress() { gauge_->hide(); }

void WindowChrome::set_status(const Text& text) {
    status_text_ = text;
    show_status();
}

void WindowChrome::set_wait_notice(std::optional<Text> notice) {
    wait_notice_ = std::move(notice);
    show_status();
}

void WindowChrome::show_status_note(const Text& note, int duration_ms) {
    status_note_ = note;
    note_end_->start(duration_ms);
    show_status();
}

void WindowChrome::show_status() {
    std::string text = (wait_notice_ ? *wait_notice_ : status_text_).in(lang_);
    if (!status_note_.empty()) text += (text.empty() ? "" : "   |   ") + status_note_.in(lang_);
    status_panel_->setText(QString::fromStdString(text));
}

void WindowChrome::build_toolbar() {
    auto* bar = new QToolBar(&window_);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(28, 28));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    window_.addToolBar(Qt::TopToolBarArea, bar);

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
    make_text_button(bar, "SpeedButton1", QStringLiteral("N"));
    bar->actions().last()->setVisible(false);
    button_lang_ = make_text_button(bar, "SpeedButtonLangx", QStringLiteral("EN"));
    add_spacer(bar, 12);
    make_text_button(bar, "SpeedButtonLanguageMakerx", QStringLiteral("L"));
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
}

namespace {

// The status text changes with every poll (its activity dots, up to a hundred times a
// second). A label in a layout asks the whole window to lay itself out again on each change;
// held in a widget of its own without a layout, it is only repainted.
class StatusHolder final : public QWidget {
public:
    explicit StatusHolder(QWidget* parent) : QWidget(parent), label_(new QLabel(this)) {
        setMinimumWidth(200);
        setFixedHeight(std::max(label_->sizeHint().height(), label_->fontMetrics().height()));
    }
    QLabel* label() const { return label_; }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        label_->setGeometry(rect());
    }

private:
    QLabel* label_;
};

}  // namespace

void WindowChrome::build_status_line() {
    auto* holder = new StatusHolder(&window_);
    status_panel_ = holder->label();
    status_panel_->setObjectName(QStringLiteral("StatusBarPanel"));
    window_.statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    window_.statusBar()->addWidget(holder, 1);
}

void WindowChrome::build_menus() {
    popup_ = new QMenu(&window_);
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
    check_item("MenuItemWriteNow")->setVisible(false);

    QMenu* language = popup_->addMenu(QStringLiteral("Язык/Language"));
    language->setObjectName(QStringLiteral("MenuItemLanguagex"));
    menu_russian_ = language->addAction(QStringLiteral("Русский"));
    menu_russian_->setObjectName(QStringLiteral("MenuItemRussianx"));
    menu_russian_->setCheckable(true);
    menu_english_ = language->addAction(QStringLiteral("English"));
    menu_english_->setObjectName(QStringLiteral("MenuItemEnglishx"));
    menu_english_->setCheckable(true);

    // The menu item and the toolbar toggle show one state.
    connect(menu_only_used_, &QAction::toggled, button_only_used_, &QToolButton::setChecked);
    connect(button_only_used_, &QToolButton::toggled, menu_only_used_, &QAction::setChecked);
    connect(strip_, &FlashStrip::context_menu_requested, this, [this](const QPoint& pos) { popup_->popup(pos); });
    button_menu_->setMenu(popup_);

    shared_popup_ = new QMenu(&window_);
    shared_popup_->setObjectName(QStringLiteral("PopupMenuShared"));
    shared_first_ = shared_popup_->addAction(QString());
    shared_second_ = shared_popup_->addAction(QString());
    shared_separator_ = new QAction(shared_popup_);  // in the menu only while extra entries are
    shared_separator_->setSeparator(true);
    connect(shared_first_, &QAction::triggered, this, [this] {
        if (shared_chosen_) shared_chosen_(0);
    });
    connect(shared_second_, &QAction::triggered, this, [this] {
        if (shared_chosen_) shared_chosen_(1);
    });
}

void WindowChrome::add_shortcuts() {
    for (const ToolbarShortcut& entry : kToolbarShortcuts) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(entry.keys)), &window_);
        QToolButton* button = speed_button(entry.button);
        // click() does nothing on a locked button, so the key obeys the toolbar's locking.
        connect(shortcut, &QShortcut::activated, button, &QToolButton::click);
    }
    auto* menu_key = new QShortcut(QKeySequence(QString::fromLatin1(kMainMenuKey)), &window_);
    connect(menu_key, &QShortcut::activated, this, &WindowChrome::open_main_menu);
    // The context-menu key on the toolbar (which has no menu of its own) opens it too.
    auto* context_key = new QShortcut(QKeySequence(Qt::Key_Menu), button_menu_->parentWidget());
    context_key->setContext(Qt::WidgetWithChildrenShortcut);
    connect(context_key, &QShortcut::activated, this, &WindowChrome::open_main_menu);
}

void WindowChrome::open_main_menu() {
    popup_->popup(button_menu_->mapToGlobal(QPoint(0, button_menu_->height())));
    popup_->setActiveAction(popup_->actions().value(0));
}

QToolButton* WindowChrome::speed_button(const char* name) const {
    return window_.findChild<QToolButton*>(QString::fromLatin1(name));
}

void WindowChrome::open_shared_popup(int context, const QString& first, const QString& second,
                                     const QPoint& global_pos, std::function<void(int)> chosen,
                                     const QList<QAction*>& extra) {
    popup_context_ = context;
    shared_popup_->removeAction(shared_separator_);
    for (const QPointer<QAction>& action : shared_extra_)
        if (action) shared_popup_->removeAction(action);
    shared_extra_.clear();
    if (!extra.isEmpty()) shared_popup_->addAction(shared_separator_);
    for (QAction* action : extra) {
        shared_popup_->addAction(action);
        shared_extra_.append(action);
    }
    shared_first_->setText(first);
    shared_second_->setText(second);
    shared_first_->setVisible(true);
    shared_second_->setVisible(!second.isEmpty());
    shared_chosen_ = std::move(chosen);
    shared_popup_->popup(global_pos);
}

void WindowChrome::retranslate(Lang lang) {
    lang_ = lang;
    show_status();
    if (!flash_text_.empty()) strip_->set_caption(QString::fromStdString(flash_text_.in(lang_)));
    show_progress_title();
    button_lang_->setText(lang == Lang::Russian ? QStringLiteral("EN") : QStringLiteral("RU"));
    button_lang_->setToolTip(pair_text(msg::kSelectLanguage, lang));
    button_only_used_->setToolTip(pair_text(menu_only_used_->isChecked() ? msg::kShowAll : msg::kShowOnlyUsed, lang));
    // The table gives the hints; the keys are added here so they are written in one place.
    for (const ToolbarShortcut& entry : kToolbarShortcuts) {
        QToolButton* button = speed_button(entry.button);
        button->setToolTip(QString::fromStdString(hint_with_keys(button->toolTip().toStdString(), entry.keys)));
    }
    button_menu_->setToolTip(QString::fromStdString(hint_with_keys(pick(msg::kMainMenuHint, lang), kMainMenuKey)));
}

void WindowChrome::show_language(Lang lang) {
    button_lang_->setText(lang == Lang::Russian ? QStringLiteral("EN") : QStringLiteral("RU"));
    menu_russian_->setChecked(lang == Lang::Russian);
    menu_english_->setChecked(lang == Lang::English);
}

void WindowChrome::enable(const ToolbarEnabling& e, bool busy, QWidget* procedure_button) {
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
    if (busy && procedure_button != nullptr) procedure_button->setEnabled(true);
}

}  // namespace ztv
