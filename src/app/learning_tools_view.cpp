#include "app/learning_tools_view.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/device_link.h"
#include "app/page_host.h"
#include "app/window_chrome.h"
#include "app/window_operations.h"
#include "config/config_state.h"
#include "common/format.h"
#include "session/edit_steps.h"
#include "config/parameter_pages.h"
#include "events/editor_controls_widget.h"
#include "events/event_catalogue.h"
#include "events/learned_button_edits.h"
#include "events/slot_editor_view.h"
#include "tools/button_grid_widget.h"
#include "tools/learning_messages.h"
#include "widgets/icons.h"

namespace ztv {
namespace {

// Controls a running procedure takes away from the user besides the toolbar: the touch inset
// box (its value is read when a calibration starts) and the USB event page.
std::vector<QWidget*> locked_while_running(const LearningToolsShell& shell) {
    std::vector<QWidget*> widgets;
    if (QWidget* inset = shell.parameter_pages.touch_offset_box()) widgets.push_back(inset);
    if (SlotEditor* editor = shell.editor)
        if (QWidget* usb = editor->event_pages()->widget(static_cast<int>(EventKind::Usb))) widgets.push_back(usb);
    return widgets;
}

}  // namespace

LearningTools* add_learning_tools(const LearningToolsShell& shell, DeviceLink& link) {
    QWidget* area = shell.parameter_pages.keys_grid_area();
    if (area == nullptr) {
        area = new QWidget(&shell.splitter);
        area->setObjectName(QStringLiteral("PanelKeysGridx"));
        area->setLayout(new QVBoxLayout);
        shell.splitter.addWidget(area);
    }
    auto* tools = new LearningTools(shell, link, area);
    tools->join_window();
    return tools;
}

void LearningTools::join_window() {
    shell_.pages.add_page(*this);
    ParameterPages* pages = &shell_.parameter_pages;
    touch_button_ = qobject_cast<QToolButton*>(pages->touch_calibration_button());
    if (touch_button_ != nullptr) {
        connect(touch_button_, &QToolButton::clicked, this, [this, pages] {
            const QAbstractButton* inset = pages->touch_offset_box();
            on_touch_button(inset != nullptr && inset->isChecked());
        });
    }
    // A deleted or renamed key changes only what the current slot shows of it.
    if (SlotEditor* editor = shell_.editor) set_description_redraw([editor] { editor->show_current(); });
    // A learned button dragged from the grid lands on the editor's "Button" and "Mod" fields.
    grid_widget_->set_drag_data([](GridButton button) { return make_button_drag({button.channel, button.key}); });
}

LearningTools::LearningTools(const LearningToolsShell& shell, DeviceLink& link, QWidget* keys_area)
    : QObject(shell.pages.main_widget()),
      shell_(shell),
      link_(link),
      learning_(link.monitor(), shell.state, grid_, learning_busy_),
      calibration_(link.monitor(), shell.state, calibration_busy_) {
    setObjectName(QStringLiteral("LearningTools"));
    QWidget* area = keys_area != nullptr ? keys_area : &shell.parameters_tab;
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    keys_button_ = new QToolButton(area);
    keys_button_->setObjectName(QStringLiteral("SpeedButtonKeysSetup"));
    keys_button_->setIcon(tool_icon(ToolIcon::KeysSetup));
    keys_button_->setIconSize(QSize(32, 32));
    keys_button_->setAutoRaise(false);
    grid_widget_ = new ButtonGridWidget(grid_, shell.state, area);
    row->addWidget(keys_button_, 0, Qt::AlignTop);
    row->addWidget(grid_widget_, 1);
    if (auto* box = qobject_cast<QBoxLayout*>(area->layout())) {
        box->addLayout(row);
    } else if (area->layout() == nullptr) {
        area->setLayout(row);
    }
    // Made after the editor, the two would come last in the Tab order: they follow the Keys
    // page's own fields instead, as they stand on the screen.
    if (QWidget* page = area->parentWidget(); page != nullptr && keys_area != nullptr) {
        QWidget* last_field = nullptr;
        for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain())
            if (page->isAncestorOf(w) && !area->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus)) last_field = w;
        if (last_field != nullptr) QWidget::setTabOrder(last_field, keys_button_);
        QWidget::setTabOrder(keys_button_, grid_widget_);
    }

    connect(keys_button_, &QToolButton::clicked, this, [this] {
        // One procedure at a time: a page refresh may have enabled the other one's button.
        if (!calibration_.running()) learning_.on_button();
    });
    grid_widget_->set_popup_request([this](const GridPopup& popup, GridCell cell, const QPoint& pos) {
        open_popup(popup, cell.column, cell.row, pos);
    });
    use_menu_ = new QMenu(grid_widget_);
    use_menu_->setObjectName(QStringLiteral("PopupMenuUseButtonx"));
    use_menu_->addAction(QString());
    use_menu_->addAction(QString());
    grid_widget_->set_use_request([this](GridButton button, const QPoint& pos) { open_use_menu(button, pos); });
    grid_widget_->set_language(shell.pages.language());
    shell.chrome.follow_rule(keys_button_, EnablingRule::Controller);
    shell.operations.set_busy(shell.operations.busy());  // the start button now exists: it follows the toolbar rules
}

LearningTools::~LearningTools() = default;

void LearningTools::refresh() {
    grid_.fill_from_record(shell_.state.record);
    grid_widget_->redraw();
}

void LearningTools::retranslate(Lang lang) { grid_widget_->set_language(lang); }

void LearningTools::clear_selection() { grid_widget_->clear_selection(); }

void LearningTools::commit_pending_edit() { grid_.names_to_record(shell_.state.record); }

void LearningTools::before_poll() { commit_pending_name(); }

void LearningTools::after_poll() { grid_widget_->cancel_hint_outside(); }

void LearningTools::on_touch_button(bool inset) {
    if (!learning_.running()) calibration_.on_button(inset);
}

void LearningTools::set_running(bool running, const Busy& busy) {
    // The same button the toolbar rules enable and disable.
    QToolButton* own = busy.locks_pages ? touch_button_.data() : keys_button_;
    if (own != nullptr) show_stop_button(own, running, busy.locks_pages);
    if (running) {
        shell_.operations.begin_procedure(own);
        disabled_.clear();
        for (QWidget* widget : locked_while_running(shell_)) {
            if (widget->isEnabled()) {
                widget->setEnabled(false);
                disabled_.emplace_back(widget);
            }
        }
        if (busy.locks_pages) shell_.pages.lock_pages(true);
        return;
    }
    if (busy.locks_pages) shell_.pages.lock_pages(false);
    for (const QPointer<QWidget>& widget : disabled_)
        if (widget) widget->setEnabled(true);
    disabled_.clear();
    shell_.operations.end_procedure();
    // What the procedure left in the record is one step of its name.
    record_step(busy.locks_pages ? step::kTouchCalibration : step::kButtonLearning);
}

void LearningTools::record_step(const TextPair& name, const std::string& field) {
    if (EditHistory* history = shell_.operations.edit_history()) history->record(to_text(name), field);
}

void LearningTools::show_stop_button(QToolButton* button, bool running, bool calibration) {
    if (running) {
        idle_hint_ = button->toolTip();
        const TextPair& hint = calibration ? msg::kCalibrationRunningHint : msg::kLearningRunningHint;
        button->setToolTip(QString::fromUtf8(pick(hint, shell_.pages.language())));
    } else {
        button->setToolTip(idle_hint_);
    }
    button->setCheckable(running);
    button->setChecked(running);
}

void LearningTools::Busy::grid_changed() { owner.grid_widget_->redraw(); }

void LearningTools::Busy::finished() {
    owner.grid_widget_->clear_selection();
    owner.redraw_description();
}

void LearningTools::commit_pending_name() {
    const EditOutcome outcome = grid_widget_->commit_pending_name();
    if (outcome.redraw == EditOutcome::Redraw::Nothing) return;
    if (!outcome.message.empty()) shell_.pages.show_message(outcome.box_type, outcome.message);
    grid_widget_->redraw();
    redraw_description();
    record_step(step::kButtonName, "button grid names");
}

void LearningTools::open_popup(const GridPopup& popup, unsigned column, unsigned row, const QPoint& global_pos) {
    const int action = popup.action;
    // A learned button's popup also offers it to the current slot, as its Enter key does.
    QList<QAction*> use_entries;
    if (const auto button = grid_.drag_source(shell_.state.record, column, row); button && prepare_use_entries(*button))
        use_entries = use_menu_->actions();
    shell_.pages.open_shared_popup(action, popup.caption, global_pos, [this, action, column, row](int item) {
        if (item != 0) return;
        Record& record = shell_.state.record;
        if (action == kPopupDeleteKey) delete_learned_button(record, grid_, column, row);
        if (action == kPopupDeleteChannel) grid_.delete_channel(record, column);
        shell_.pages.set_popup_context(0);
        grid_widget_->clear_selection();
        // The slot's description names the deleted key; a whole channel leaves references.
        if (action != kPopupDeleteChannel) redraw_description();
        record_step(action == kPopupDeleteChannel ? step::kChannelDeleted : step::kButtonDeleted);
    }, use_entries);
}

void LearningTools::open_use_menu(GridButton button, const QPoint& global_pos) {
    if (prepare_use_entries(button)) use_menu_->popup(global_pos);
}

bool LearningTools::prepare_use_entries(GridButton button) {
    SlotEditor* editor = shell_.editor;
    if (editor == nullptr) return false;
    const int slot = static_cast<int>(editor->current_slot()) + 1;
    const TextPair captions[] = {msg::kUseAsButton, msg::kUseAsMod};
    const QList<QAction*> items = use_menu_->actions();
    for (int i = 0; i < 2; ++i) {
        const bool modifier = i == 1;
        QAction* item = items[i];
        item->setText(QString::fromStdString(format_pair(captions[i], slot).in(shell_.pages.language())));
        // The same rules as a drop: a refused drop is a disabled entry.
        item->setEnabled(editor->drop_accepted(modifier, button.channel, button.key));
        item->disconnect();
        connect(item, &QAction::triggered, this, [editor, modifier, button] {
            editor->drop_button(modifier, button.channel, button.key);
        });
    }
    return true;
}

void LearningTools::redraw_description() {
    if (redraw_description_) redraw_description_();
}

}  // namespace ztv
