#include "diag/can_log_view.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QProgressBar>
#include <QResizeEvent>

#include <algorithm>

namespace ztv {
namespace {

QString qs(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Above this many changed rows one repaint of their span costs less than one signal per row.
constexpr std::size_t kRowByRowLimit = 64;

}  // namespace

void apply_column_table(QHeaderView* header, const CanColumn* columns, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) header->resizeSection(static_cast<int>(i), columns[i].width);
    QObject::connect(header, &QHeaderView::sectionResized, header, [header, columns, count](int section, int, int size) {
        if (section < 0 || static_cast<std::size_t>(section) >= count) return;
        const CanColumn& column = columns[section];
        int wanted = size;
        if (column.min_width > 0) wanted = std::max(wanted, column.min_width);
        if (column.max_width > 0) wanted = std::min(wanted, column.max_width);
        if (wanted != size) header->resizeSection(section, wanted);
    });
}

CanIdModel::CanIdModel(CanLog& log, QObject* parent) : QAbstractTableModel(parent), log_(log) {}

int CanIdModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int CanIdModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kCanIdColumns);
}

QVariant CanIdModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || static_cast<std::size_t>(index.row()) >= log_.table().size())
        return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    const auto row = static_cast<std::size_t>(index.row());
    return qs(can_row_cell(log_.table().row(row), row, static_cast<CanIdColumn>(index.column())));
}

QVariant CanIdModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || static_cast<std::size_t>(section) >= kCanIdColumns) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
    return QString::fromUtf8(pick(kCanIdColumnTable[static_cast<std::size_t>(section)].caption, lang_));
}

void CanIdModel::set_language(Lang lang) {
    lang_ = lang;
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(kCanIdColumns) - 1);
}

CanLogChanges CanIdModel::apply_changes() {
    CanLogChanges changes = log_.take_changes();
    if (changes.reset) {
        beginResetModel();
        rows_ = static_cast<int>(changes.rows);
        endResetModel();
        return changes;
    }
    const int last_column = static_cast<int>(kCanIdColumns) - 1;
    if (changes.changed.size() > kRowByRowLimit) {
        const auto [low, high] = std::minmax_element(changes.changed.begin(), changes.changed.end());
        emit dataChanged(index(static_cast<int>(*low), 1), index(static_cast<int>(*high), last_column));
    } else {
        for (const std::size_t row : changes.changed)
            emit dataChanged(index(static_cast<int>(row), 1), index(static_cast<int>(row), last_column));
    }
    if (changes.rows > static_cast<std::size_t>(rows_)) {
        beginInsertRows(QModelIndex(), rows_, static_cast<int>(changes.rows) - 1);
        rows_ = static_cast<int>(changes.rows);
        endInsertRows();
    }
    return changes;
}

CanDetailList::CanDetailList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("ListViewCANDetailx"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setColumnCount(static_cast<int>(kCanDetailColumns));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignCenter);
    apply_column_table(header(), kCanDetailColumnTable.data(), kCanDetailColumnTable.size());
    setColumnHidden(0, true);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette gauge_palette = palette();
    // The hot-track colour of the system: the colour of links in Qt's palette.
    gauge_palette.setColor(QPalette::Highlight, palette().color(QPalette::Link));
    for (int i = 0; i < kGauges; ++i) {
        auto* gauge = new QProgressBar(viewport());
        gauge->setObjectName(QStringLiteral("CGaugeCAN%1x").arg(i));
        gauge->setRange(0, 255);
        gauge->setTextVisible(false);
        gauge->setPalette(gauge_palette);
        gauge->hide();
        gauges_[static_cast<std::size_t>(i)] = gauge;
    }
    connect(header(), &QHeaderView::sectionResized, this, [this] { place_gauges(); });
    set_language(Lang::Russian);
}

void CanDetailList::set_language(Lang lang) {
    QStringList captions;
    for (const CanColumn& column : kCanDetailColumnTable) captions << QString::fromUtf8(pick(column.caption, lang));
    setHeaderLabels(captions);
    for (int i = 0; i < columnCount(); ++i) headerItem()->setTextAlignment(i, Qt::AlignCenter);
}

void CanDetailList::show_frame(const CanFrame& frame) {
    const auto bytes = frame.data();
    const int rows = static_cast<int>(bytes.size());
    if (topLevelItemCount() != rows) {
        clear();
        for (int i = 0; i < rows; ++i) addTopLevelItem(new QTreeWidgetItem());
    }
    for (int i = 0; i < rows; ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        const std::uint8_t byte = bytes[static_cast<std::size_t>(i)];
        for (std::size_t c = 1; c < kCanDetailColumns; ++c) {
            item->setText(static_cast<int>(c), qs(can_detail_cell(byte, static_cast<std::size_t>(i), static_cast<CanDetailColumn>(c))));
            item->setTextAlignment(static_cast<int>(c), Qt::AlignCenter);
        }
        if (i < kGauges) gauges_[static_cast<std::size_t>(i)]->setValue(byte);
    }
    place_gauges();
}

void CanDetailList::place_gauges() {
    const int value_column = static_cast<int>(CanDetailColumn::Value);
    const int left = header()->sectionViewportPosition(value_column);
    for (int i = 0; i < kGauges; ++i) {
        QProgressBar* gauge = gauges_[static_cast<std::size_t>(i)];
        QTreeWidgetItem* item = i < topLevelItemCount() ? topLevelItem(i) : nullptr;
        if (item == nullptr) {
            gauge->hide();
            continue;
        }
        const QRect row = visualItemRect(item);
        if (!row.isValid()) {
            gauge->hide();
            continue;
        }
        // From the column's left edge to the row's right edge, one pixel less than the row.
        const int right = std::max(row.right(), left + header()->sectionSize(value_column) - 1);
        gauge->setGeometry(left, row.top(), std::max(right - left + 1, 1), std::max(row.height() - 1, 1));
        gauge->show();
    }
}

void CanDetailList::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    place_gauges();
}

void CanDetailList::scrollContentsBy(int dx, int dy) {
    QTreeWidget::scrollContentsBy(dx, dy);
    place_gauges();
}

}  // namespace ztv
