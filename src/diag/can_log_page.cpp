#include "diag/can_log_page.h"

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>

#include "common/format.h"
#include "diag/can_log_view.h"

namespace ztv {
namespace {

QString qs(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

CanLogPage::CanLogPage(CanLog& log, std::function<bool()> log_running, QWidget* parent)
    : QWidget(parent), log_(log), log_running_(std::move(log_running)) {
    setObjectName(QStringLiteral("CanLogPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("LabelCANStatusx"));
    status_->setWordWrap(true);
    status_->hide();
    layout->addWidget(status_);

    model_ = new CanIdModel(log_, this);
    list_ = new QTreeView(this);
    list_->setObjectName(QStringLiteral("ListViewCANx"));
    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setItemsExpandable(false);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setItemDelegateForColumn(static_cast<int>(CanIdColumn::Data), new CanDataDelegate(*model_, list_));
    // The data column keeps its fill spaces: only a fixed-pitch font keeps the bytes in line.
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsMovable(false);
    list_->header()->setDefaultAlignment(Qt::AlignCenter);
    apply_column_table(list_->header(), kCanIdColumnTable.data(), kCanIdColumnTable.size());
    list_->setColumnHidden(0, true);
    layout->addWidget(list_, 3);

    detail_area_ = new QWidget(this);
    auto* detail_layout = new QVBoxLayout(detail_area_);
    detail_layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout();
    pause_ = new QCheckBox(detail_area_);
    pause_->setObjectName(QStringLiteral("ButtonCANPausex"));
    pause_->setFocusPolicy(Qt::StrongFocus);
    bar->addWidget(pause_);
    paused_note_ = new QLabel(detail_area_);
    paused_note_->setObjectName(QStringLiteral("LabelCANPausedx"));
    QFont bold = paused_note_->font();
    bold.setBold(true);
    paused_note_->setFont(bold);
    paused_note_->hide();
    bar->addWidget(paused_note_);
    bar->addStretch(1);
    detail_layout->addLayout(bar);
    detail_ = new CanDetailList(detail_area_);
    detail_layout->addWidget(detail_);
    detail_->hide();
    detail_area_->hide();
    layout->addWidget(detail_area_, 2);
    connect(pause_, &QCheckBox::toggled, this, [this](bool paused) {
        paused_note_->setVisible(paused);
        if (!paused) update_marks_and_graphs();
    });

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenuCAN"));
    for (std::size_t i = 0; i < kCanMenuItems; ++i) {
        const auto item = static_cast<CanMenuItem>(i);
        if (item == CanMenuItem::LearnBackground) popup_->addSeparator();
        auto* action = new QAction(popup_);
        action->setObjectName(QString::fromLatin1(can_menu_entry(item).control));
        connect(action, &QAction::triggered, this, [this, item] { choose(item); });
        popup_->addAction(action);
        actions_[i] = action;
    }
    menu_action(CanMenuItem::HighlightChanges)->setCheckable(true);
    menu_action(CanMenuItem::HighlightChanges)->setChecked(log_.highlight());

    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (!current.isValid()) return;
        const auto before = log_.detail_row();
        log_.follow_row(model_->table_row(current.row()));
        if (log_.detail_row() != before) update_details(true);
    });
    connect(list_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        log_.click_row(model_->table_row(index.row()));
        update_details(true);
    });
    connect(list_, &QWidget::customContextMenuRequested, this, &CanLogPage::on_popup);
    // A double click anywhere on the detail list hides it, below the rows as well; the menu key
    // and Enter reach the list's popup and details from the keyboard.
    detail_->viewport()->installEventFilter(this);
    list_->installEventFilter(this);

    set_language(Lang::Russian);
}

void CanLogPage::set_language(Lang lang) {
    lang_ = lang;
    model_->set_language(lang);
    detail_->set_language(lang);
    list_->setToolTip(QString::fromUtf8(pick(can_msg::kListHint, lang)));
    for (std::size_t i = 0; i < kCanMenuItems; ++i)
        actions_[i]->setText(QString::fromUtf8(pick(kCanMenuTable[i].caption, lang)));
    pause_->setText(QString::fromUtf8(pick(can_msg::kPauseGraphs, lang)));
    paused_note_->setText(QString::fromUtf8(pick(can_msg::kGraphsPaused, lang)));
    update_status_line();
}

void CanLogPage::set_highlight(bool on) {
    log_.set_highlight(on);
    menu_action(CanMenuItem::HighlightChanges)->setChecked(on);
    list_->viewport()->update();
}

void CanLogPage::refresh() {
    // Hidden, the page does nothing: the log keeps noting which rows changed (at most one
    // mark per row), and the lists catch up when the page is shown.
    if (!isVisible()) return;
    const auto [first, last] = shown_rows();
    const CanLogChanges changes = model_->apply_changes(first, last);
    const bool any = changes.reset || changes.rows != changes.shown_rows || !changes.changed.empty() ||
                     changes.detail_changed || changes.filter_changed;
    if (any) ++refreshes_with_changes_;
    const std::uint32_t now = log_.now_ms();
    if (log_.highlight()) repaint_fading(first, last, now);
    last_refresh_ms_ = now;
    if (changes.reset || changes.filter_changed) keep_details_in_view();
    if (changes.detail_changed || changes.reset || changes.filter_changed) update_details(false);
    update_marks_and_graphs();
    update_status_line();
}

std::pair<int, int> CanLogPage::shown_rows() const {
    const int rows = model_->rowCount();
    if (rows == 0) return {0, -1};
    const QModelIndex top = list_->indexAt(QPoint(0, 0));
    const QModelIndex bottom = list_->indexAt(QPoint(0, list_->viewport()->height() - 1));
    return {top.isValid() ? top.row() : 0, bottom.isValid() ? bottom.row() : rows - 1};
}

void CanLogPage::repaint_fading(int first, int last, std::uint32_t now) {
    // Changes fade without new frames: the "Data Hex" cells on the screen that fade, or did at
    // the last refresh (to be painted plain now), are painted again.
    const int column = static_cast<int>(CanIdColumn::Data);
    const CanChangeTracker& changes = log_.changes();
    QRect area;
    for (int r = first; r <= last; ++r) {
        const std::size_t row = model_->table_row(r);
        if (changes.fading(row, now) || changes.fading(row, last_refresh_ms_))
            area |= list_->visualRect(model_->index(r, column));
    }
    if (!area.isEmpty()) list_->viewport()->update(area);
}

void CanLogPage::keep_details_in_view() {
    const auto row = log_.detail_row();
    if (!row) return;
    const int view_row = model_->view_row(*row);
    if (view_row < 0) {
        log_.hide_details();
        return;
    }
    list_->setCurrentIndex(model_->index(view_row, static_cast<int>(CanIdColumn::Id)));
}

void CanLogPage::update_details(bool rebuild) {
    const auto row = log_.detail_row();
    if (!row || *row >= log_.table().size()) {
        detail_->hide();
        detail_area_->hide();
        return;
    }
    if (rebuild) detail_->clear();
    detail_area_->show();
    detail_->show();
    detail_->show_frame(log_.table().row(*row).frame);
    update_marks_and_graphs();
}

void CanLogPage::update_marks_and_graphs() {
    const auto row = log_.detail_row();
    if (!row || *row >= log_.table().size() || !detail_->isVisible()) return;
    const std::uint32_t now = log_.now_ms();
    const CanKey key = log_.table().row(*row).frame.key();
    const CanBits news = log_.showing_new_changes() ? log_.background().new_bits(key) : CanBits{};
    detail_->show_marks(log_.changes(), log_.highlight() ? *row : CanIdTable::kMaxRows, news, now);
    // Paused graphs hold, but never the picture of another identifier than the one shown.
    if (pause_->isChecked() && graphs_key_ == key) return;
    graphs_key_ = key;
    detail_->show_history(std::make_shared<const std::vector<CanSample>>(log_.history().window(*row, now)), now);
}

void CanLogPage::update_status_line() {
    const std::uint32_t now = log_.now_ms();
    Text text;
    switch (log_.background().state()) {
        case CanBackground::State::Learning:
            text = format_pair(can_msg::kLearning, static_cast<unsigned long>(log_.background().learning_seconds(now)));
            break;
        case CanBackground::State::Learned:
            text = log_.showing_new_changes()
                       ? to_text(can_msg::kShowingNew)
                       : format_pair(can_msg::kLearned, static_cast<unsigned long>(log_.background().background_bit_count()));
            break;
        case CanBackground::State::None: break;
    }
    const QString shown = qs(text.in(lang_));
    if (status_->text() != shown) status_->setText(shown);
    status_->setVisible(!shown.isEmpty());
}

void CanLogPage::prepare_popup(std::optional<std::size_t> row) {
    log_.select_row(row);
    const CanMenuVisibility visible = log_.menu(log_running_ && log_running_());
    for (std::size_t i = 0; i < kCanMenuItems; ++i) actions_[i]->setVisible(visible[i]);
}

void CanLogPage::open_popup_at(int view_row, const QPoint& viewport_pos) {
    prepare_popup(view_row >= 0 ? std::optional<std::size_t>(model_->table_row(view_row)) : std::nullopt);
    popup_->popup(list_->viewport()->mapToGlobal(viewport_pos));
}

void CanLogPage::on_popup(const QPoint& pos) {
    const QModelIndex index = list_->indexAt(pos);
    open_popup_at(index.isValid() ? index.row() : -1, pos);
}

void CanLogPage::choose(CanMenuItem item) {
    log_.run(item);
    if (item == CanMenuItem::HighlightChanges) {
        set_highlight(log_.highlight());
        if (highlight_changed_) highlight_changed_(log_.highlight());
    }
    refresh();
    update_details(true);
}

bool CanLogPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == detail_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        log_.hide_details();
        update_details(true);
        return true;
    }
    if (watched == list_ && event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        // From the keyboard the menu opens at the current row.
        const QModelIndex current = list_->currentIndex();
        open_popup_at(current.isValid() ? current.row() : -1,
                      current.isValid() ? list_->visualRect(current).center() : QPoint(0, 0));
        return true;
    }
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list_->currentIndex().isValid()) {
            log_.click_row(model_->table_row(list_->currentIndex().row()));
            update_details(true);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CanLogPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void CanLogPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Every row is redrawn so that the gauges follow the columns.
    list_->viewport()->update();
    detail_->place_gauges();
}

}  // namespace ztv
