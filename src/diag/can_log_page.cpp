#include "diag/can_log_page.h"

#include <QAction>
#include <QEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>
#include <QVBoxLayout>

#include "diag/can_log_view.h"

namespace ztv {

CanLogPage::CanLogPage(CanLog& log, std::function<bool()> log_running, QWidget* parent)
    : QWidget(parent), log_(log), log_running_(std::move(log_running)) {
    setObjectName(QStringLiteral("CanLogPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

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
    // The data column keeps its fill spaces: only a fixed-pitch font keeps the bytes in line.
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsMovable(false);
    list_->header()->setDefaultAlignment(Qt::AlignCenter);
    apply_column_table(list_->header(), kCanIdColumnTable.data(), kCanIdColumnTable.size());
    list_->setColumnHidden(0, true);
    layout->addWidget(list_, 3);

    detail_ = new CanDetailList(this);
    detail_->hide();
    layout->addWidget(detail_, 2);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenuCAN"));
    for (std::size_t i = 0; i < kCanMenuItems; ++i) {
        const auto item = static_cast<CanMenuItem>(i);
        auto* action = new QAction(popup_);
        action->setObjectName(QString::fromLatin1(can_menu_entry(item).control));
        connect(action, &QAction::triggered, this, [this, item] { choose(item); });
        popup_->addAction(action);
        actions_[i] = action;
    }

    connect(list_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        log_.click_row(static_cast<std::size_t>(index.row()));
        update_details(true);
    });
    connect(list_, &QWidget::customContextMenuRequested, this, &CanLogPage::on_popup);
    // A double click anywhere on the detail list hides it, below the rows as well.
    detail_->viewport()->installEventFilter(this);

    set_language(Lang::Russian);
}

void CanLogPage::set_language(Lang lang) {
    model_->set_language(lang);
    detail_->set_language(lang);
    list_->setToolTip(QString::fromUtf8(pick(can_msg::kListHint, lang)));
    for (std::size_t i = 0; i < kCanMenuItems; ++i)
        actions_[i]->setText(QString::fromUtf8(pick(kCanMenuTable[i].caption, lang)));
}

void CanLogPage::refresh() {
    const CanLogChanges changes = model_->apply_changes();
    const bool any = changes.reset || changes.rows != changes.shown_rows || !changes.changed.empty() ||
                     changes.detail_changed;
    if (any) ++refreshes_with_changes_;
    if (changes.detail_changed || changes.reset) update_details(false);
}

void CanLogPage::update_details(bool rebuild) {
    const auto row = log_.detail_row();
    if (!row || *row >= log_.table().size()) {
        detail_->hide();
        return;
    }
    if (rebuild) detail_->clear();
    detail_->show();
    detail_->show_frame(log_.table().row(*row).frame);
}

void CanLogPage::prepare_popup(std::optional<std::size_t> row) {
    log_.select_row(row);
    const CanMenuVisibility visible = log_.menu(log_running_ && log_running_());
    for (std::size_t i = 0; i < kCanMenuItems; ++i) actions_[i]->setVisible(visible[i]);
}

void CanLogPage::on_popup(const QPoint& pos) {
    const QModelIndex index = list_->indexAt(pos);
    prepare_popup(index.isValid() ? std::optional<std::size_t>(static_cast<std::size_t>(index.row())) : std::nullopt);
    popup_->popup(list_->viewport()->mapToGlobal(pos));
}

void CanLogPage::choose(CanMenuItem item) {
    log_.run(item);
    refresh();
    update_details(true);
}

bool CanLogPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == detail_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        log_.hide_details();
        update_details(true);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CanLogPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Every row is redrawn so that the gauges follow the columns.
    list_->viewport()->update();
    detail_->place_gauges();
}

}  // namespace ztv
