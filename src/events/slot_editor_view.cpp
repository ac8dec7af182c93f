#include "events/slot_editor_view.h"

#include <algorithm>
#include <utility>

#include <QAction>
#include <QContextMenuEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QHBoxLayout>
#include <QMenu>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <array>

#include "events/button_tab_row_widget.h"
#include "events/editor_controls_widget.h"
#include "widgets/control_widgets.h"
#include "widgets/page_context.h"
#include "widgets/slot_name_window.h"
#include "widgets/source_select_window.h"
// Qt's `slots` keyword would swallow the core's namespace of that name.
#undef slots
#include "common/format.h"
#include "config/config_state.h"
#include "events/event_catalogue.h"
#include "events/reaction_catalogue.h"
#include "events/slot_controls.h"
#include "events/slot_display.h"
#include "events/slot_editor_texts.h"
#include "events/slot_edits.h"
#include "events/slot_model.h"

namespace ztv {
namespace {

// The kind whose page the start-up hides: this controller offers no touch gestures. A slot
// that holds one (from a file of another version) still shows its tab.
constexpr std::size_t kGesturesKind = static_cast<std::size_t>(EventKind::Gestures);

// A group box that reports right-clicks on its free area and on the controls without a menu
// of their own.
class AreaGroup : public QGroupBox {
public:
    AreaGroup(QWidget* parent, std::function<void(const QPoint&)> menu) : QGroupBox(parent), menu_(std::move(menu)) {}

protected:
    void contextMenuEvent(QContextMenuEvent* event) override {
        menu_(event->globalPos());
        event->accept();
    }

private:
    std::function<void(const QPoint&)> menu_;
};

QWidget* make_page(QStackedWidget* stack) {
    auto* page = new QWidget(stack);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(2, 4, 2, 2);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    stack->addWidget(page);
    return page;
}

}  // namespace

struct SlotEditor::Model {
    slots::TabCaptions captions;
    SlotView last;  // the slot as last drawn: what the context menus may offer
    ControlSet common;
    ControlSet events;
    ControlSet reactions;
    std::array<bool, kEventKindCount> event_built{};
    std::array<bool, kReactionKindCount> reaction_built{};
};

SlotEditor::SlotEditor(PageContext& context, ConfigState& state, QWidget* parent)
    : QWidget(parent), context_(context), state_(state), model_(std::make_unique<Model>()) {
    setObjectName(QStringLiteral("PanelEventEditor"));

    slot_tabs_ = new ButtonTabRow(this);
    slot_tabs_->setObjectName(QStringLiteral("TabControlSlotsx"));
    // Choosing a slot only changes what is shown; choosing a kind changes the slot, so the
    // kind rows wait for Space or Enter.
    slot_tabs_->set_select_follows_cursor(true);
    slot_tabs_->set_count(static_cast<int>(kSlotCount));
    for (std::size_t i = 0; i < kSlotCount; ++i)
        slot_tabs_->set_caption(static_cast<int>(i), QString::fromStdString(model_->captions[i]));
    slot_tabs_->set_current(0);
    connect(slot_tabs_, &ButtonTabRow::tab_clicked, this, [this](int index) { select_slot(static_cast<std::size_t>(index)); });
    connect(slot_tabs_, &ButtonTabRow::tab_double_clicked, this,
            [this](int, const QPoint& pos) { rename_current_slot(pos); });
    connect(slot_tabs_, &ButtonTabRow::context_menu_requested, this, &SlotEditor::open_slot_menu);

    build_event_group();
    build_reaction_group();
    build_menus();
    name_window_ = new TFormSlotName(static_cast<int>(slots::kSlotNameChars), context_.main_widget());
    source_window_ = context_.source_window();
    build_tool_windows();

    const auto handler = [this](const ControlAction& action) { on_action(action); };
    model_->common.set_handler(handler);
    model_->events.set_handler(handler);
    model_->reactions.set_handler(handler);

    // The two groups share the width equally whatever their pages would like. They scroll
    // below the slot tabs, so that the editor asks the splitter for little height and the
    // parameter pages above keep theirs on a small screen.
    groups_area_ = new QScrollArea(this);
    groups_area_->setObjectName(QStringLiteral("ScrollBoxEventReactionx"));
    groups_area_->setWidgetResizable(true);
    groups_area_->setFrameShape(QFrame::NoFrame);
    groups_area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    groups_area_->setMinimumHeight(kGroupsMinimumHeight);
    groups_area_->setFocusPolicy(Qt::NoFocus);  // the controls in it take the Tab; it shows no focus
    auto* groups = new QWidget(groups_area_);
    auto* halves = new QHBoxLayout(groups);
    halves->setContentsMargins(0, 0, 0, 0);
    halves->setSpacing(4);
    halves->addWidget(event_group_, 1);
    halves->addWidget(reaction_group_, 1);
    groups_area_->setWidget(groups);
    // A new caption or kind page changes the height the editor wants; the scroll area keeps
    // the groups' layout requests to itself, so both places are watched.
    groups->installEventFilter(this);
    installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(slot_tabs_);
    layout->addWidget(groups_area_, 1);

    retranslate();
    apply_only_used();
}

SlotEditor::~SlotEditor() = default;

bool SlotEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LayoutRequest && (watched == this || watched == groups_area_->widget()))
        emit wanted_height_changed();
    return QWidget::eventFilter(watched, event);
}

namespace {

// What a group needs to show its wrapped kind tabs and the kind page now shown whole, measured
// from the parts: before a tab row has been placed at its width its own hint is stale.
int group_wanted_height(const QGroupBox& group, const ButtonTabRow& tabs, const QStackedWidget& pages,
                        const QWidget* below, int group_width) {
    const QMargins frame = group.contentsMargins();  // the title and the frame
    const QLayout& layout = *group.layout();
    const QMargins inner = layout.contentsMargins();
    const int tabs_width = group_width - frame.left() - frame.right() - inner.left() - inner.right();
    int height = frame.top() + frame.bottom() + inner.top() + inner.bottom();
    height += tabs.heightForWidth(std::max(tabs_width, 1)) + layout.spacing();
    if (const QWidget* page = pages.currentWidget()) height += page->sizeHint().height();
    if (below != nullptr) height += layout.spacing() + below->sizeHint().height();
    return height;
}

}  // namespace

int SlotEditor::wanted_height(int width) const {
    // The two groups share the width equally beside each other, below the slot tabs.
    const int spacing = groups_area_->widget()->layout()->spacing();
    const int half = (width - spacing) / 2;
    const int groups = std::max(group_wanted_height(*event_group_, *event_tabs_, *event_pages_, common_, half),
                                group_wanted_height(*reaction_group_, *reaction_tabs_, *reaction_pages_, nullptr, half));
    const int tabs = slot_tabs_->heightForWidth(std::max(width, 1));
    return tabs + layout()->spacing() + std::max(groups, kGroupsMinimumHeight);
}

void SlotEditor::build_event_group() {
    event_group_ = new AreaGroup(this, [this](const QPoint& pos) { open_event_area_menu(pos); });
    event_group_->setObjectName(QStringLiteral("GroupBoxEvent"));
    event_group_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    event_tabs_ = new ButtonTabRow(event_group_);
    event_tabs_->setObjectName(QStringLiteral("PageControlEventx"));
    event_tabs_->set_count(kEventKindCount);
    connect(event_tabs_, &ButtonTabRow::tab_clicked, this, [this](int kind) {
        if (showing_) return;
        finish_edit(choose_event_kind(state_, current_, static_cast<std::uint8_t>(kind)), {});
    });
    connect(event_tabs_, &ButtonTabRow::context_menu_requested, this, &SlotEditor::open_event_kind_menu);

    event_pages_ = new QStackedWidget(event_group_);
    event_pages_->setObjectName(QStringLiteral("PageControlEventPagesx"));
    for (std::size_t kind = 0; kind < kEventKindCount; ++kind) make_page(event_pages_);

    // The controls every event kind shares, drawn when the first slot is shown.
    common_ = new QWidget(event_group_);
    common_->setObjectName(QStringLiteral("PanelEventCommonx"));
    auto* grid = new QGridLayout(common_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(4, 1);
    // Beside the source choice, on the row the shared controls leave free.
    source_panel_ = new QLabel(common_);
    source_panel_->setObjectName(QStringLiteral("PanelCurrentSourcex"));
    grid->addWidget(source_panel_, 1, 4);
    source_panel_->setEnabled(false);

    auto* layout = new QVBoxLayout(event_group_);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(event_tabs_);
    layout->addWidget(event_pages_, 1);
    layout->addWidget(common_);
}

void SlotEditor::build_reaction_group() {
    reaction_group_ = new AreaGroup(this, [this](const QPoint& pos) { open_reaction_area_menu(pos); });
    reaction_group_->setObjectName(QStringLiteral("GroupBoxReaction"));
    reaction_group_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    reaction_tabs_ = new ButtonTabRow(reaction_group_);
    reaction_tabs_->setObjectName(QStringLiteral("PageControlReactionx"));
    reaction_tabs_->set_count(static_cast<int>(kReactionKindCount));
    connect(reaction_tabs_, &ButtonTabRow::tab_clicked, this, [this](int kind) {
        if (showing_) return;
        finish_edit(choose_reaction_kind(state_, current_, static_cast<std::uint8_t>(kind)), {});
    });
    connect(reaction_tabs_, &ButtonTabRow::context_menu_requested, this, &SlotEditor::open_reaction_kind_menu);

    reaction_pages_ = new QStackedWidget(reaction_group_);
    reaction_pages_->setObjectName(QStringLiteral("PageControlReactionPagesx"));
    for (std::size_t kind = 0; kind < kReactionKindCount; ++kind) make_page(reaction_pages_);

    auto* layout = new QVBoxLayout(reaction_group_);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(reaction_tabs_);
    layout->addWidget(reaction_pages_, 1);
}

void SlotEditor::build_menus() {
    slot_menu_ = new QMenu(this);
    slot_menu_->setObjectName(QStringLiteral("PopupMenuSlotsx"));
    for (std::size_t group = 0; group < slots::kSlotMenuGroups; ++group) {
        QMenu* sub = slot_menu_->addMenu(QString::fromStdString(slots::slot_menu_group_caption(group)));
        for (std::size_t i = 0; i < 10; ++i) {
            const std::size_t slot = group * 10 + i;
            QAction* item = sub->addAction(QString());
            connect(item, &QAction::triggered, this, [this, slot] { select_slot(slot); });
        }
        // The entries carry the captions the tabs have at the moment the menu opens.
        connect(sub, &QMenu::aboutToShow, this, [this, sub, group] {
            const QList<QAction*> items = sub->actions();
            for (int i = 0; i < items.size(); ++i)
                items[i]->setText(slot_tabs_->caption(static_cast<int>(group * 10) + i));
        });
    }

    event_kind_menu_ = new QMenu(this);
    event_kind_menu_->setObjectName(QStringLiteral("PopupMenuEventKindx"));
    for (std::size_t kind = 0; kind < kEventKindCount; ++kind) {
        QAction* item = event_kind_menu_->addAction(QString());
        connect(item, &QAction::triggered, this, [this, kind] {
            finish_edit(choose_event_kind(state_, current_, static_cast<std::uint8_t>(kind)), {});
            apply_only_used();
        });
    }
    reaction_kind_menu_ = new QMenu(this);
    reaction_kind_menu_->setObjectName(QStringLiteral("PopupMenuReactionKindx"));
    for (std::size_t kind = 0; kind < kReactionKindCount; ++kind) {
        QAction* item = reaction_kind_menu_->addAction(QString());
        connect(item, &QAction::triggered, this, [this, kind] {
            finish_edit(choose_reaction_kind(state_, current_, static_cast<std::uint8_t>(kind)), {});
            apply_only_used();
        });
    }
}

QString SlotEditor::pair(const TextPair& text) const { return QString::fromUtf8(pick(text, context_.language())); }

void SlotEditor::retranslate() {
    const Lang lang = context_.language();
    const std::vector<Text> events = slot_texts::event_page_titles();
    for (std::size_t kind = 0; kind < events.size(); ++kind) {
        const QString title = QString::fromStdString(events[kind].in(lang));
        event_tabs_->set_caption(static_cast<int>(kind), title);
        event_kind_menu_->actions()[static_cast<int>(kind)]->setText(title);
    }
    const std::vector<Text> reactions = slot_texts::reaction_page_titles();
    for (std::size_t kind = 0; kind < reactions.size(); ++kind) {
        const QString title = QString::fromStdString(reactions[kind].in(lang));
        reaction_tabs_->set_caption(static_cast<int>(kind), title);
        reaction_kind_menu_->actions()[static_cast<int>(kind)]->setText(title);
    }
    event_group_->setTitle(pair(slot_texts::kEventGroup));
    source_panel_->setText(QString::fromStdString(source_text_.in(lang)));
    source_panel_->setToolTip(pair(slot_texts::kCurrentSourceHint));
    reaction_group_->setTitle(pair(slot_texts::kReactionGroup));
}

void SlotEditor::show_current_source(const Text& text, bool enabled) {
    source_text_ = text;
    source_panel_->setText(QString::fromStdString(text.in(context_.language())));
    source_panel_->setEnabled(enabled);
}

void SlotEditor::reset() {
    current_ = 0;
    model_->captions.reset();
    for (std::size_t i = 0; i < kSlotCount; ++i)
        slot_tabs_->set_caption(static_cast<int>(i), QString::fromStdString(model_->captions[i]));
    show_current();
}

void SlotEditor::select_slot(std::size_t slot) {
    if (slot >= kSlotCount) return;
    current_ = slot;
    show_slot(slot);
}

void SlotEditor::show_slot(std::size_t slot) {
    if (showing_ || slot >= kSlotCount) return;
    showing_ = true;
    ++draw_count_;
    model_->last = display_slot(state_, slot);
    draw(model_->last);
    showing_ = false;
    emit slot_shown(slot);
}

void SlotEditor::draw(const SlotView& view) {
    slot_tabs_->set_current(static_cast<int>(view.slot));
    draw_common(view.event_common);
    event_tabs_->set_current(view.event_kind);
    draw_page(event_pages_, view.event_kind, view.event_controls, model_->events);
    reaction_tabs_->set_current(view.reaction_kind);
    draw_page(reaction_pages_, view.reaction_kind, view.reaction_controls, model_->reactions);
    if (QWidget* window = context_.main_widget(); window->isVisible()) window->activateWindow();
    refresh_captions();
}

BoundControl* SlotEditor::add_control(const ControlView& view, QWidget* page, ControlSet& set) {
    BoundControl* control = make_editor_control(view, page);
    const std::string name(view.name);
    if (auto* panel = dynamic_cast<PanelControl*>(control))
        panel->set_context_handler([this, name](const QPoint& pos) { open_control_menu(name, pos); });
    if (auto* target = dynamic_cast<ButtonDropControl*>(control)) {
        const bool modifier = view.name == "PanelKeyModx";
        target->set_context_handler([this, name](const QPoint& pos) { open_control_menu(name, pos); });
        target->set_drop_rules([this, modifier](ButtonDrag b) { return drop_accepted(modifier, b.channel, b.key); },
                               [this, modifier](ButtonDrag b) { drop_button(modifier, b.channel, b.key); });
    }
    return set.add(control);
}

namespace {

// The widgets under `parent` that take the Tab key, in the order they were made; the parts of
// a compound control (a combo box's line edit) stay with their control.
void append_tab_stops(std::vector<QWidget*>& chain, QWidget* parent) {
    for (QWidget* w : parent->findChildren<QWidget*>()) {
        if ((w->focusPolicy() & Qt::TabFocus) == 0) continue;
        bool inside_compound = false;
        for (QWidget* up = w->parentWidget(); up != nullptr && up != parent; up = up->parentWidget())
            inside_compound = inside_compound || (up->focusPolicy() & Qt::TabFocus) != 0;
        if (!inside_compound) chain.push_back(w);
    }
}

}  // namespace

// Kind pages are built when first shown, long after the rest of the window, so their controls
// would come last in the Tab order (after the toolbar's turn). The editor is walked as it
// stands: slot tabs, event kinds, the event page, the shared event controls, reaction kinds,
// the reaction page. Hidden pages' controls are skipped by Tab on their own.
void SlotEditor::order_tab_stops() {
    std::vector<QWidget*> chain{slot_tabs_, event_tabs_};
    append_tab_stops(chain, event_pages_);
    append_tab_stops(chain, common_);
    chain.push_back(reaction_tabs_);
    append_tab_stops(chain, reaction_pages_);
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) QWidget::setTabOrder(chain[i], chain[i + 1]);
}

void SlotEditor::draw_page(QStackedWidget* stack, int kind, const std::vector<ControlView>& views, ControlSet& set) {
    QWidget* page = stack->widget(kind);
    bool& built = stack == event_pages_ ? model_->event_built[static_cast<std::size_t>(kind)]
                                        : model_->reaction_built[static_cast<std::size_t>(kind)];
    // A page gets its widgets the first time a slot of its kind is shown.
    if (!built) {
        built = true;
        auto* form = static_cast<QFormLayout*>(page->layout());
        for (const ControlView& view : views) {
            BoundControl* control = add_control(view, page, set);
            // Drawn before it is placed, so that its caption has its text. A control hidden now
            // keeps its caption even without a text: the page may show it later with a label.
            control->show_view(view, context_.language());
            if (!view.visible && control->caption() != nullptr)
                form->addRow(control->caption(), control);
            else
                add_form_row(*form, *control);
        }
        order_tab_stops();
    }
    set.show(views, context_.language());
    stack->setCurrentIndex(kind);
    // A stack asks for the size of its largest page, shown or not: once a tall kind had been
    // drawn, every kind kept its height. Hidden pages are left out of the stack's size.
    for (int i = 0; i < stack->count(); ++i) {
        const QSizePolicy::Policy policy = i == kind ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        stack->widget(i)->setSizePolicy(policy, policy);
    }
    stack->updateGeometry();
}

void SlotEditor::draw_common(const std::vector<ControlView>& views) {
    if (model_->common.size() == 0) {
        // Trigger type and "One time only" on the first line, the sources and "Wake Up" below.
        auto* grid = static_cast<QGridLayout*>(common_->layout());
        const std::array<std::string_view, 4> order{event_common::kTrigger, event_common::kOnce, event_common::kSource,
                                                    event_common::kWakeUp};
        for (std::size_t i = 0; i < order.size(); ++i) {
            const ControlView* view = find_control(views, order[i]);
            if (view == nullptr) continue;
            BoundControl* control = add_control(*view, common_, model_->common);
            const int row = static_cast<int>(i / 2);
            const int column = static_cast<int>(i % 2) * 2;
            if (control->caption() != nullptr) grid->addWidget(control->caption(), row, column);
            grid->addWidget(control, row, column + 1);
        }
        order_tab_stops();
    }
    model_->common.show(views, context_.language());
}

BoundControl* SlotEditor::control(std::string_view name) const {
    if (BoundControl* c = model_->common.find(name)) return c;
    if (BoundControl* c = model_->events.find(name)) return c;
    return model_->reactions.find(name);
}

void SlotEditor::on_action(const ControlAction& action) {
    if (showing_) return;
    typed_field_ = action.kind == ControlKind::Edit ? std::to_string(current_) + ':' + action.name : std::string();
    finish_edit(edit_slot(state_, current_, action), action.name);
}

void SlotEditor::finish_edit(const EditOutcome& outcome, std::string_view name) {
    // Once the edit and its redraw are done, whichever way this ends, it is one step (a
    // follow-up's own finish has recorded it already: nothing more changes then).
    struct RecordStep {
        SlotEditor& editor;
        std::size_t slot;
        ~RecordStep() {
            if (editor.edit_listener_) editor.edit_listener_(slot, std::exchange(editor.typed_field_, {}), false);
        }
    } record_step{*this, current_};
    if (!outcome.message.empty()) context_.show_message(outcome.box_type, outcome.message);
    if (!outcome.follow_up.empty()) {
        run_follow_up(outcome.follow_up, name);
        return;
    }
    // A refused typed value stays in its field, selected, for the user to mend.
    if (!outcome.accepted && outcome.focus == EditOutcome::Focus::Control) {
        if (BoundControl* c = control(name)) c->take_focus();
        return;
    }
    if (outcome.focus == EditOutcome::Focus::PinsPage) context_.show_pins_page();
    switch (outcome.redraw) {
        case EditOutcome::Redraw::All: context_.refresh_pages(); break;
        case EditOutcome::Redraw::Page: show_current(); break;
        // The slot stays as drawn (an IR code editor stopped at a field that is no number).
        case EditOutcome::Redraw::Nothing: break;
    }
}

void SlotEditor::choose_sources(std::string_view follow_up, std::string_view name) {
    const bool skip = follow_up == slot_follow_up::kSkipSources;
    const SourceWindowRequest request = source_window_request(state_, current_, follow_up);
    std::uint8_t mask = request.mask;
    const BoundControl* from = control(name);
    const QPoint at = from != nullptr ? from->bottom_centre() : mapToGlobal(rect().center());
    const bool confirmed =
        source_window_->choose_sources(request.first_line, request.second_line, context_.language(), at, mask);
    const std::optional<std::uint8_t> chosen = confirmed ? std::optional<std::uint8_t>(mask) : std::nullopt;
    finish_edit(skip ? apply_skip_sources(state_, current_, chosen)
                     : apply_event_sources(state_, current_, chosen),
                {});
}

void SlotEditor::refresh_captions() {
    for (const std::size_t changed : model_->captions.refresh(state_))
        slot_tabs_->set_caption(static_cast<int>(changed), QString::fromStdString(model_->captions[changed]));
}

bool SlotEditor::only_used() const { return context_.only_used(); }

void SlotEditor::apply_only_used() {
    const slots::UsedKinds shown = slots::visible_kinds(state_.record, only_used());
    const slots::UsedKinds used = slots::used_kinds(state_.record);
    for (std::size_t kind = 0; kind < shown.events.size(); ++kind) {
        const bool visible = shown.events[kind] && (kind != kGesturesKind || used.events[kind]);
        event_tabs_->set_tab_visible(static_cast<int>(kind), visible);
    }
    for (std::size_t kind = 0; kind < shown.reactions.size(); ++kind)
        reaction_tabs_->set_tab_visible(static_cast<int>(kind), shown.reactions[kind]);
}

void SlotEditor::rename_current_slot(const QPoint& global_pos) {
    const std::size_t slot = current_;
    const Lang lang = context_.language();
    const std::optional<QString> name = name_window_->ask(
        QString::fromStdString(format_pair(slot_texts::kSlotNameTitle, static_cast<int>(slot) + 1).in(lang)),
        pair(slot_texts::kOk), QString::fromStdString(slots::slot_name(state_, slot)), global_pos);
    if (!name) return;
    rename_slot(state_, slot, name->toStdString());
    refresh_captions();
    if (edit_listener_) edit_listener_(slot, {}, true);
}

bool SlotEditor::drop_accepted(bool modifier, std::uint8_t channel, std::uint8_t key) const {
    return slots::drop_accepted(state_.record, current_,
                                modifier ? slots::DropTarget::Modifier : slots::DropTarget::Key, {channel, key});
}

void SlotEditor::drop_button(bool modifier, std::uint8_t channel, std::uint8_t key) {
    finish_edit(drop_slot_button(state_, current_,
                                 modifier ? slots::DropTarget::Modifier : slots::DropTarget::Key, {channel, key}),
                {});
}

void SlotEditor::open_slot_menu(const QPoint& global_pos) { slot_menu_->popup(global_pos); }
void SlotEditor::open_event_kind_menu(const QPoint& global_pos) { event_kind_menu_->popup(global_pos); }
void SlotEditor::open_reaction_kind_menu(const QPoint& global_pos) { reaction_kind_menu_->popup(global_pos); }

void SlotEditor::open_event_area_menu(const QPoint& global_pos) {
    context_.open_shared_popup(static_cast<int>(EditorContext::EventArea), slot_texts::kDeleteEvent, TextPair{},
                            global_pos, [this](int) {
                                context_.set_popup_context(0);
                                finish_edit(run_slot_action(state_, current_, SlotAction::DeleteEvent), {});
                            });
}

void SlotEditor::open_reaction_area_menu(const QPoint& global_pos) {
    context_.open_shared_popup(static_cast<int>(EditorContext::ReactionArea), slot_texts::kDeleteReaction, TextPair{},
                            global_pos, [this](int) {
                                context_.set_popup_context(0);
                                finish_edit(run_slot_action(state_, current_, SlotAction::DeleteReaction), {});
                            });
}

void SlotEditor::open_control_menu(std::string_view name, const QPoint& global_pos) {
    const SlotView& view = model_->last;
    const auto delete_entry = [this, global_pos](EditorContext context, const TextPair& caption, SlotAction action) {
        context_.open_shared_popup(static_cast<int>(context), caption, TextPair{}, global_pos, [this, action](int) {
            context_.set_popup_context(0);
            finish_edit(run_slot_action(state_, current_, action), {});
        });
    };
    const std::string control_name(name);
    if (name == "PanelKeyx" && view.can_delete_key) {
        delete_entry(EditorContext::KeyLabel, slot_texts::kDeleteKey, SlotAction::DeleteKey);
    } else if (name == "PanelKeyModx" && view.can_delete_mod) {
        delete_entry(EditorContext::ModLabel, slot_texts::kDeleteModKey, SlotAction::DeleteModKey);
    } else if (name == "PanelEventIRx" && view.can_edit_ir_event) {
        context_.open_shared_popup(static_cast<int>(EditorContext::IrEventCode), slot_texts::kDeleteIrCode,
                                slot_texts::kEditIrCode, global_pos, [this, control_name](int item) {
                                    context_.set_popup_context(0);
                                    if (item == 0) {
                                        finish_edit(run_slot_action(state_, current_, SlotAction::DeleteIrCode), {});
                                        return;
                                    }
                                    edit_ir_code(false, control_name);
                                    show_current();
                                });
    } else if (name == "PanelReactionIRx" && view.can_edit_ir_reaction) {
        context_.open_shared_popup(static_cast<int>(EditorContext::IrReactionCode), slot_texts::kEditIrCode, TextPair{},
                                global_pos, [this, control_name](int) {
                                    context_.set_popup_context(0);
                                    edit_ir_code(true, control_name);
                                    show_current();
                                });
    }
}

}  // namespace ztv
