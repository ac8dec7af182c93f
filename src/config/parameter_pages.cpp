#include "config/parameter_pages.h"

#include <QAbstractButton>

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

#include "config/parameter_bindings.h"
#include "config/parameter_model.h"
#include "widgets/flow_layout.h"
#include "widgets/source_select_window.h"

namespace ztv {
namespace {

QString qtext(const TextPair& pair, Lang lang) { return QString::fromUtf8(pick(pair, lang)); }
QString qname(const char* name) { return QString::fromLatin1(name); }

const ParamGroup* group_caption(ParamPage page, std::uint8_t group) {
    for (const ParamGroup& g : parameter_groups())
        if (g.page == page && g.group == group) return &g;
    return nullptr;
}

QFormLayout* new_form(QWidget* box) {
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(6);
    form->setContentsMargins(10, 8, 10, 10);
    return form;
}

}  // namespace

ParameterPages::ParameterPages(ConfigState& state, Host& host, TInterceptForm& sources, QWidget* parent)
    : QTabWidget(parent), state_(state), host_(host), sources_(sources) {
    setObjectName(QStringLiteral("PageControlParameters"));
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
    setDocumentMode(true);
    // The arrows that scroll the tab row draw no focus; the keyboard moves along the tabs
    // with the arrow keys, and the row scrolls to the tab chosen.
    for (QToolButton* arrow : tabBar()->findChildren<QToolButton*>()) arrow->setFocusPolicy(Qt::NoFocus);
    build();
    controls_.set_handler([this](const ControlAction& action) { act(action); });

    page_menu_ = new QMenu(this);
    page_menu_->setObjectName(QStringLiteral("PopupMenuPages"));
    tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabBar(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { open_page_menu(tabBar()->mapToGlobal(pos)); });
}

// One tab per page; on it one box per group of rows, side by side, each a form of captioned
// controls in table order. The first views come from a scratch record, so building the pages
// writes nothing into the real one.
void ParameterPages::build() {
    ConfigState scratch;
    const std::vector<ParameterPageView> pages = refresh_pages(scratch);
    const Lang lang = host_.language();
    for (const ParamPageDef& def : parameter_pages()) {
        const ParameterPageView& view = pages[static_cast<std::size_t>(def.id)];
        auto* scroll = new QScrollArea(this);
        scroll->setObjectName(qname(def.sheet));
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        // A Tab stop on the page itself would show no focus: the controls on it take the Tab
        // and the page scrolls to keep the focused one in sight.
        scroll->setFocusPolicy(Qt::NoFocus);
        auto* content = new QWidget(scroll);
        auto* column = new QVBoxLayout(content);
        column->setContentsMargins(8, 8, 8, 8);
        // The boxes stand side by side and wrap on a narrow window.
        auto* boxes = new QWidget(content);
        auto* row = new FlowLayout(boxes, 10);
        flows_.push_back(row);
        column->addWidget(boxes);
        if (def.id == ParamPage::Keys) {
            // The button grid is tall: below the page's few fields, which stay in sight.
            keys_grid_area_ = new QWidget(content);
            keys_grid_area_->setObjectName(QStringLiteral("PanelKeysGridx"));
            auto* grid_layout = new QVBoxLayout(keys_grid_area_);
            grid_layout->setContentsMargins(0, 0, 0, 0);
            column->addWidget(keys_grid_area_, 1);
        } else {
            column->addStretch(1);
        }

        std::map<std::uint8_t, QFormLayout*> forms;
        for (const ParamBinding& binding : page_bindings(def.id)) {
            QFormLayout*& form = forms[binding.group];
            if (form == nullptr) {
                const ParamGroup* caption = group_caption(def.id, binding.group);
                auto* box = new QGroupBox(boxes);
                if (caption != nullptr && caption->name != nullptr) box->setObjectName(qname(caption->name));
                groups_.push_back({box, caption});
                form = new_form(box);
                row->addWidget(box);
            }
            const ControlView* first = find_control(view.controls, binding.control);
            if (first == nullptr) continue;
            BoundControl* control = controls_.add(make_bound_control(*first, content));
            control->show_view(*first, lang);
            // The captions carry their own names, as the window's translation table knows them.
            if (control->caption() != nullptr && binding.label_name != nullptr)
                control->caption()->setObjectName(qname(binding.label_name));
            if (binding.unit_name != nullptr) control->unit()->setObjectName(qname(binding.unit_name));
            add_form_row(*form, *control);
        }
        scroll->setWidget(content);
        addTab(scroll, QString::fromStdString(view.caption.in(lang)));
    }
    retitle_groups(lang);
}

void ParameterPages::retitle_groups(Lang lang) {
    if (titled_in_ == static_cast<int>(lang)) return;
    titled_in_ = static_cast<int>(lang);
    for (const Group& group : groups_)
        if (group.caption != nullptr) group.box->setTitle(qtext(group.caption->caption, lang));
}

void ParameterPages::refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    const std::vector<ParameterPageView> pages = refresh_pages(state_);
    const Lang lang = host_.language();
    for (std::size_t i = 0; i < pages.size() && static_cast<int>(i) < count(); ++i) {
        const QString caption = QString::fromStdString(pages[i].caption.in(lang));
        if (tabText(static_cast<int>(i)) != caption) setTabText(static_cast<int>(i), caption);
        controls_.show(pages[i].controls, lang);
    }
    retitle_groups(lang);
    // New texts change what the boxes need; a page laid out while hidden would keep the old
    // sizes and cut its fields.
    for (QLayout* flow : flows_) flow->invalidate();
    refreshing_ = false;
    for (const auto& hook : refresh_hooks_) hook();
}

QAbstractButton* ParameterPages::input_button(std::string_view name) const {
    const BoundControl* bound = control(name);
    return bound != nullptr ? qobject_cast<QAbstractButton*>(bound->input()) : nullptr;
}

void ParameterPages::set_button_handler(std::string_view control, std::function<void()> handler) {
    button_handlers_[std::string(control)] = std::move(handler);
}

void ParameterPages::act(const ControlAction& action) {
    if (refreshing_) return;
    const std::string_view name = action.name;
    if (action.kind == ControlKind::Button) {
        const auto it = button_handlers_.find(name);
        if (it != button_handlers_.end() && it->second) it->second();
        return;
    }
    if (action.kind == ControlKind::Label) return;
    const EditOutcome outcome = edit_parameter(state_, action);
    handle(outcome, name);
    // The edit and its redraw are done (a refresh may have restated rules): one step. Typing in
    // one box (or one row of the names table) merges.
    if (edit_listener_) {
        const bool typed = action.kind == ControlKind::Edit || action.kind == ControlKind::Table;
        std::string field;
        if (typed) field = std::string(name) + ':' + std::to_string(action.kind == ControlKind::Table ? action.value : 0);
        edit_listener_(name, field);
    }
}

// Carries out what an edit answered: the "Pins" page first when the edit needs a configured
// pin, then the message, then the redraw, and last the focus, so that it lands on the field
// after the message box has closed.
void ParameterPages::handle(const EditOutcome& outcome, std::string_view control) {
    if (outcome.follow_up == kFollowUpSources) {
        std::optional<std::uint8_t> chosen;
        if (const std::optional<SourceQuestion> question = source_question(state_, control)) {
            std::uint8_t mask = question->preset;
            BoundControl* opener = controls_.find(control);
            const QPoint place = opener != nullptr ? opener->bottom_centre() : mapToGlobal(rect().center());
            if (sources_.choose_sources(question->first_line, question->second_line, host_.language(), place, mask))
                chosen = mask;
        }
        handle(finish_sources(state_, control, chosen), control);
        return;
    }
    if (outcome.focus == EditOutcome::Focus::PinsPage) show_page(static_cast<int>(ParamPage::Pins));
    if (!outcome.message.empty()) host_.show_message(outcome.box_type, outcome.message);
    const bool keep_typed_text = outcome.focus == EditOutcome::Focus::Control;
    switch (outcome.redraw) {
        case EditOutcome::Redraw::All: refresh(); break;
        case EditOutcome::Redraw::Page: redraw_page_of(control); break;
        // The control shows what the user did, which need not be what was stored (a
        // long-press time of 100 is stored as 1000): show the record.
        case EditOutcome::Redraw::Nothing:
            if (!keep_typed_text) redraw_control(control);
            break;
    }
    if (keep_typed_text)
        if (BoundControl* field = controls_.find(control)) field->take_focus();
}

void ParameterPages::redraw_control(std::string_view control) {
    BoundControl* widget = controls_.find(control);
    if (widget == nullptr) return;
    if (const std::optional<ControlView> view = control_view(state_, control)) widget->show_view(*view, host_.language());
}

void ParameterPages::redraw_page_of(std::string_view control) {
    const ParamBinding* row = find_binding(control);
    if (row == nullptr) return;
    for (const ParamBinding& binding : page_bindings(row->page)) redraw_control(binding.control);
}

void ParameterPages::set_locked(bool locked) {
    locked_ = locked;
    tabBar()->setEnabled(!locked);
}

bool ParameterPages::show_page(int index) {
    if (locked_ || index < 0 || index >= count()) return false;
    setCurrentIndex(index);
    return true;
}

void ParameterPages::open_page_menu(const QPoint& global_pos) {
    page_menu_->clear();
    for (int i = 0; i < count(); ++i) {
        QAction* entry = page_menu_->addAction(tabText(i));
        entry->setCheckable(true);
        entry->setChecked(i == currentIndex());
        entry->setEnabled(!locked_);
        connect(entry, &QAction::triggered, this, [this, i] { show_page(i); });
    }
    page_menu_->popup(global_pos);
}

}  // namespace ztv
