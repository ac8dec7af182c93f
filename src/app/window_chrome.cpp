#include "app/window_chrome.h"

#include <algorithm>
#include <string>

#include <QAction>
#include <QContextMenuEvent>
#include <QKeySequence>
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

// A toolbar button that shows a command and triggers it. Buttons of their own rather than the
// toolbar's, so that they take the keyboard focus like any other control.
QToolButton* make_button(QToolBar* bar, QAction* action, const CommandRow& row) {
    auto* button = new QToolButton(bar);
    button->setAutoRaise(true);
    if (row.icon == nullptr) {
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMinimumWidth(32);
        QFont bold = button->font();
        bold.setBold(true);
        button->setFont(bold);
    }
    button->setDefaultAction(action);
    bar->addWidget(button)->setVisible(!row.has(command_flag::kHidden));
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
    build_actions();
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

void WindowChrome::build_actions() {
    for (const CommandRow& row : kCommands) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(row.name));
        action->setCheckable(row.has(command_flag::kCheckable));
        if (row.icon != nullptr) {
            action->setIcon(tool_icon(row.icon));
            action->setIconVisibleInMenu(false);
        }
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(row.keys)));
        // On the window, so that the keys work wherever the focus is and with the menu closed.
        if (!action->shortcuts().isEmpty()) window_.addAction(action);
        if (row.has(command_flag::kOwned) || (row.has(command_flag::kHidden) && row.in_menu()))
            action->setVisible(false);
        actions_[static_cast<std::size_t>(row.command)] = action;
    }
}

void WindowChrome::build_toolbar() {
    auto* bar = new QToolBar(&window_);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(28, 28));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    window_.addToolBar(Qt::TopToolBarArea, bar);
    for (const CommandRow& row : kCommands) {
        if (!row.on_toolbar()) continue;
        if (row.has(command_flag::kGapBefore)) add_spacer(bar, 12);
        if (row.has(command_flag::kStripBefore)) build_strip(bar);
        buttons_[static_cast<std::size_t>(row.command)] = make_button(bar, action(row.command), row);
    }
    // The main popup menu's visible way in; the menu itself is built with the others.
    QToolButton* menu = menu_button();
    menu->setPopupMode(QToolButton::InstantPopup);
    menu->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    connect(action(Command::MainMenu), &QAction::triggered, this, &WindowChrome::open_main_menu);
    // The context-menu key on the toolbar (which has no menu of its own) opens it too.
    auto* context_key = new QShortcut(QKeySequence(Qt::Key_Menu), bar);
    context_key->setContext(Qt::WidgetWithChildrenShortcut);
    connect(context_key, &QShortcut::activated, this, &WindowChrome::open_main_menu);
}

void WindowChrome::build_strip(QToolBar* bar) {
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
    for (const CommandRow& row : kCommands) {
        if (!row.in_menu()) continue;
        const auto submenu = std::find_if(kSubmenus.begin(), kSubmenus.end(),
                                          [&row](const Submenu& entry) { return entry.place == row.place; });
        QMenu* into = popup_;
        if (submenu != kSubmenus.end()) {
            QMenu*& menu = submenus_[static_cast<std::size_t>(submenu - kSubmenus.begin())];
            if (menu == nullptr) {
                if (row.has(command_flag::kSeparatorBefore)) popup_->addSeparator();
                menu = popup_->addMenu(QString());
                menu->setObjectName(QString::fromLatin1(submenu->name));
                // A submenu of commands that other parts run shows once one of them is taken.
                menu->menuAction()->setVisible(!row.has(command_flag::kOwned));
            }
            into = menu;
        } else if (row.has(command_flag::kSeparatorBefore)) {
            popup_->addSeparator();
        }
        into->addAction(action(row.command));
    }
    connect(strip_, &FlashStrip::context_menu_requested, this, [this](const QPoint& pos) { popup_->popup(pos); });
    menu_button()->setMenu(popup_);

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

QAction* WindowChrome::take(Command command) {
    QAction* taken = action(command);
    taken->setVisible(true);
    for (std::size_t i = 0; i < kSubmenus.size(); ++i)
        if (kSubmenus[i].place == command_row(command).place) submenus_[i]->menuAction()->setVisible(true);
    return taken;
}

void WindowChrome::follow_rule(QWidget* control, EnablingRule rule) { followers_.emplace_back(control, rule); }

void WindowChrome::open_main_menu() {
    QToolButton* menu = menu_button();
    popup_->popup(menu->mapToGlobal(QPoint(0, menu->height())));
    const QList<QAction*> entries = popup_->actions();
    const auto first = std::find_if(entries.begin(), entries.end(), [](const QAction* entry) {
        return entry->isVisible() && !entry->isSeparator();
    });
    if (first != entries.end()) popup_->setActiveAction(*first);
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
    for (const CommandRow& row : kCommands) {
        QAction* item = action(row.command);
        if (row.caption.ru[0] != '\0') item->setText(pair_text(row.caption, lang));
        // The hint names the command's first key, so that the keys are written in one place.
        const std::string keys = item->shortcut().toString(QKeySequence::PortableText).toStdString();
        if (row.hint.ru[0] != '\0') item->setToolTip(QString::fromStdString(hint_with_keys(pick(row.hint, lang), keys)));
    }
    for (std::size_t i = 0; i < kSubmenus.size(); ++i)
        if (submenus_[i] != nullptr) submenus_[i]->setTitle(pair_text(kSubmenus[i].title, lang));
    action(Command::OnlyUsed)->setToolTip(pair_text(only_used_item()->isChecked() ? msg::kShowAll : msg::kShowOnlyUsed, lang));
    show_language(lang);
}

void WindowChrome::show_language(Lang lang) {
    action(Command::Language)->setText(lang == Lang::Russian ? QStringLiteral("EN") : QStringLiteral("RU"));
    action(Command::Russian)->setChecked(lang == Lang::Russian);
    action(Command::English)->setChecked(lang == Lang::English);
}

void WindowChrome::enable(const ToolbarEnabling& enabling, bool busy, QWidget* procedure_button) {
    for (const CommandRow& row : kCommands)
        if (row.rule != EnablingRule::Owner) action(row.command)->setEnabled(enabling.allows(row.rule));
    for (const auto& [control, rule] : followers_)
        if (control) control->setEnabled(enabling.allows(rule));
    if (busy && procedure_button != nullptr) procedure_button->setEnabled(true);
}

}  // namespace ztv
