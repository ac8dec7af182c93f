#include "diag/can_log_view.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QPainter>
#include <QProgressBar>
#include <QResizeEvent>

#include <algorithm>

namespace ztv {
namespace {

QString qs(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr int kGraphRowHeight = 26;

// A change fading from full to nothing: warm enough to see on a light or a dark list.
QColor heat_colour(int heat) { return QColor(255, 170, 0, heat * 170 / 255); }
QColor news_colour() { return QColor(220, 30, 30); }

// Where character `index` of a centred fixed-pitch text of `length` characters lies.
QRect char_rect(const QStyleOptionViewItem& option, int length, int index, int count) {
    const int advance = option.fontMetrics.horizontalAdvance(QLatin1Char('0'));
    const int left = option.rect.left() + (option.rect.width() - advance * length) / 2;
    return QRect(left + advance * index - 1, option.rect.top() + 1, advance * count + 2, option.rect.height() - 2);
}

// "Bin" of the detail list: the characters of bits that changed lately get the fading
// background, bits outside the background a frame.
class CanBitsDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int recent = index.data(kRecentBitsRole).toInt();
        const int heat = index.data(kHeatRole).toInt();
        const int news = index.data(kNewBitsRole).toInt();
        for (int bit = 0; bit < 8; ++bit)
            if ((recent >> bit & 1) != 0 && heat > 0) painter->fillRect(char_rect(option, 8, 7 - bit, 1), heat_colour(heat));
        QStyledItemDelegate::paint(painter, option, index);
        painter->setPen(news_colour());
        for (int bit = 0; bit < 8; ++bit)
            if ((news >> bit & 1) != 0) painter->drawRect(char_rect(option, 8, 7 - bit, 1).adjusted(0, 0, -1, -1));
    }
};

}  // namespace

void CanDataDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    CanLog& log = model_.log();
    const std::size_t row = model_.table_row(index.row());
    if (row < log.table().size()) {
        const std::uint32_t now = log.now_ms();
        const std::size_t length = log.table().row(row).frame.data_length();
        constexpr int kChars = 3 * static_cast<int>(kCanMaxData) - 1;
        if (log.highlight())
            for (std::size_t i = 0; i < length; ++i)
                if (const int heat = log.changes().heat(row, i, now); heat > 0)
                    painter->fillRect(char_rect(option, kChars, 3 * static_cast<int>(i), 2), heat_colour(heat));
        QStyledItemDelegate::paint(painter, option, index);
        if (log.showing_new_changes()) {
            const CanBits news = log.background().new_bits(log.table().row(row).frame.key());
            painter->setPen(news_colour());
            for (std::size_t i = 0; i < length; ++i)
                if (news[i] != 0)
                    painter->drawRect(char_rect(option, kChars, 3 * static_cast<int>(i), 2).adjusted(0, 0, -1, -1));
        }
        return;
    }
    QStyledItemDelegate::paint(painter, option, index);
}

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

CanIdModel::CanIdModel(CanLog& log, QObject* parent)
    : QAbstractTableModel(parent), log_(log), position_(CanIdTable::kMaxRows, -1) {}

std::size_t CanIdModel::table_row(int view_row) const {
    if (view_row < 0) return CanIdTable::kMaxRows;
    const auto row = static_cast<std::size_t>(view_row);
    if (!filtered_) return row;
    return row < shown_.size() ? shown_[row] : CanIdTable::kMaxRows;
}

int CanIdModel::view_row(std::size_t table_row) const {
    if (table_row >= log_.table().size()) return -1;
    if (filtered_) return position_[table_row];
    return static_cast<int>(table_row) < rows_ ? static_cast<int>(table_row) : -1;
}

void CanIdModel::show_row(std::size_t table_row) {
    position_[table_row] = static_cast<int>(shown_.size());
    shown_.push_back(table_row);
}

int CanIdModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int CanIdModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kCanIdColumns);
}

QVariant CanIdModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_) return {};
    const std::size_t row = table_row(index.row());
    if (row >= log_.table().size()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole) return {};
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

CanLogChanges CanIdModel::apply_changes(int first_shown, int last_shown) {
    CanLogChanges changes = log_.take_changes();
    const int last_column = static_cast<int>(kCanIdColumns) - 1;
    const auto has_news = [this](std::size_t row) { return log_.background().has_new(log_.table().row(row).frame.key()); };
    if (changes.reset || changes.filter_changed) {
        beginResetModel();
        for (const std::size_t row : shown_) position_[row] = -1;
        shown_.clear();
        filtered_ = log_.showing_new_changes();
        if (filtered_)
            for (std::size_t row = 0; row < changes.rows; ++row)
                if (has_news(row)) show_row(row);
        rows_ = static_cast<int>(filtered_ ? shown_.size() : changes.rows);
        endResetModel();
        return changes;
    }
    // Thousands of rows may change between two refreshes; the view hears only of those on
    // the screen, in one span.
    int low = last_shown + 1;
    int high = first_shown - 1;
    const auto repaint = [&](int view_row) {
        if (view_row < first_shown || view_row > last_shown) return;
        low = std::min(low, view_row);
        high = std::max(high, view_row);
    };
    if (filtered_) {
        // A row whose identifier has news for the first time joins.
        const std::size_t before = shown_.size();
        const auto look = [&](std::size_t row) {
            if (position_[row] >= 0)
                repaint(position_[row]);
            else if (has_news(row))
                show_row(row);
        };
        for (const std::size_t row : changes.changed) look(row);
        for (std::size_t row = changes.shown_rows; row < changes.rows; ++row) look(row);
        if (low <= high) emit dataChanged(index(low, 1), index(high, last_column));
        if (shown_.size() > before) {
            beginInsertRows(QModelIndex(), rows_, static_cast<int>(shown_.size()) - 1);
            rows_ = static_cast<int>(shown_.size());
            endInsertRows();
        }
        return changes;
    }
    for (const std::size_t row : changes.changed) repaint(static_cast<int>(row));
    if (low <= high) emit dataChanged(index(low, 1), index(high, last_column));
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
    setItemDelegateForColumn(static_cast<int>(CanDetailColumn::Bin), new CanBitsDelegate(this));
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
        auto* graph = new CanByteGraphWidget(i, viewport());
        graph->hide();
        graphs_[static_cast<std::size_t>(i)] = graph;
    }
    connect(header(), &QHeaderView::sectionResized, this, [this] { place_gauges(); });
    set_language(Lang::Russian);
}

void CanDetailList::set_language(Lang lang) {
    QStringList captions;
    for (const CanColumn& column : kCanDetailColumnTable) captions << QString::fromUtf8(pick(column.caption, lang));
    setHeaderLabels(captions);
    for (int i = 0; i < columnCount(); ++i) headerItem()->setTextAlignment(i, Qt::AlignCenter);
    for (CanByteGraphWidget* graph : graphs_) graph->set_language(lang);
}

void CanDetailList::show_marks(const CanChangeTracker& changes, std::size_t row, const CanBits& news,
                               std::uint32_t now_ms) {
    const int bin = static_cast<int>(CanDetailColumn::Bin);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        const auto byte = static_cast<std::size_t>(i);
        const int recent = changes.recent_bits(row, byte, now_ms);
        const int heat = changes.heat(row, byte, now_ms);
        const int marked = i < static_cast<int>(news.size()) ? news[byte] : 0;
        // Only what differs is set: an unchanged cell is not repainted.
        if (item->data(bin, kRecentBitsRole).toInt() != recent) item->setData(bin, kRecentBitsRole, recent);
        if (item->data(bin, kHeatRole).toInt() != heat) item->setData(bin, kHeatRole, heat);
        if (item->data(bin, kNewBitsRole).toInt() != marked) item->setData(bin, kNewBitsRole, marked);
    }
}

void CanDetailList::show_history(CanSamples samples, std::uint32_t end_ms) {
    for (CanByteGraphWidget* graph : graphs_)
        if (graph->isVisible()) graph->show_samples(samples, end_ms);
}

void CanDetailList::show_frame(const CanFrame& frame) {
    const auto bytes = frame.data();
    const int rows = static_cast<int>(bytes.size());
    if (topLevelItemCount() != rows) {
        clear();
        for (int i = 0; i < rows; ++i) {
            auto* item = new QTreeWidgetItem();
            // Tall enough for a graph that shows a step.
            item->setSizeHint(static_cast<int>(CanDetailColumn::History), QSize(0, kGraphRowHeight));
            addTopLevelItem(item);
        }
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
    const int history_column = static_cast<int>(CanDetailColumn::History);
    const int left = header()->sectionViewportPosition(value_column);
    const int graph_left = header()->sectionViewportPosition(history_column);
    for (int i = 0; i < kGauges; ++i) {
        QProgressBar* gauge = gauges_[static_cast<std::size_t>(i)];
        CanByteGraphWidget* graph = graphs_[static_cast<std::size_t>(i)];
        QTreeWidgetItem* item = i < topLevelItemCount() ? topLevelItem(i) : nullptr;
        const QRect row = item != nullptr ? visualItemRect(item) : QRect();
        if (!row.isValid()) {
            gauge->hide();
            graph->hide();
            continue;
        }
        // Over the "Value" column, one pixel less than the row; the graph fills "History" to
        // the row's right edge.
        const int height = std::max(row.height() - 1, 1);
        gauge->setGeometry(left, row.top(), std::max(header()->sectionSize(value_column), 1), height);
        gauge->show();
        const int graph_right = std::max(row.right(), graph_left + header()->sectionSize(history_column) - 1);
        graph->setGeometry(graph_left, row.top(), std::max(graph_right - graph_left + 1, 1), height);
        graph->show();
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
