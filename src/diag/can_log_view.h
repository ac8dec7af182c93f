// The two lists of the CAN log page: the identifier list's model, which shows the rows the
// page has announced and reads their cells from the CAN log, and the detail list with its
// eight bar gauges over the "Value" column and a graph of each byte over "History". The cells
// that show changes ("Data Hex" and "Bin") are painted by delegates that read the marks.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTreeWidget>

#include <array>
#include <optional>
#include <vector>

#include "diag/can_byte_graph_widget.h"
#include "diag/can_log.h"

class QProgressBar;

namespace ztv {

class CanIdModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CanIdModel(CanLog& log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes the log's changes and tells the view about them: new rows are inserted, a cleared
    // table reset, and changed rows repainted, only those between the view rows first_shown
    // and last_shown (the part of the list on the screen; a row scrolled in later reads its
    // cells then). While only new changes are shown, only rows of identifiers with bits
    // outside the background are there, in the order their news came.
    CanLogChanges apply_changes(int first_shown, int last_shown);
    void set_language(Lang lang);
    // The table row a view row shows.
    std::size_t table_row(int view_row) const;
    // The view row that shows a table row, or -1 when the view leaves it out.
    int view_row(std::size_t table_row) const;
    CanLog& log() const { return log_; }

private:
    void show_row(std::size_t table_row);

    CanLog& log_;
    int rows_ = 0;  // rows the view knows; the log may already hold more
    bool filtered_ = false;
    std::vector<std::size_t> shown_;   // filtered: the table rows shown, in view order
    std::vector<int> position_;        // filtered: a table row's view row, or -1
    Lang lang_ = Lang::Russian;
};

// "Data Hex": each byte that changed lately gets a background that fades; while only new
// changes are shown, a byte with bits outside the background is framed.
class CanDataDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    CanDataDelegate(CanIdModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CanIdModel& model_;
};

// Item data roles of the detail list's "Bin" cell that its delegate paints from.
inline constexpr int kRecentBitsRole = Qt::UserRole;      // bits changed lately
inline constexpr int kHeatRole = Qt::UserRole + 1;        // 0-255, how lately
inline constexpr int kNewBitsRole = Qt::UserRole + 2;     // bits outside the background

// One row per data byte of the shown identifier; the gauges lie over the "Value" column and
// the graphs over "History".
class CanDetailList final : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kGauges = 8;
    explicit CanDetailList(QWidget* parent = nullptr);

    // Shows this frame's bytes: rows are rebuilt when their number changes, else filled in place.
    void show_frame(const CanFrame& frame);
    // The marks of the "Bin" cells: bits changed lately (fading) and bits outside the background.
    void show_marks(const CanChangeTracker& changes, std::size_t row, const CanBits& news, std::uint32_t now_ms);
    void show_history(CanSamples samples, std::uint32_t end_ms);
    void set_language(Lang lang);
    // Moves the gauges and graphs to the cells of the first rows (after a resize or a column change).
    void place_gauges();
    QProgressBar* gauge(int index) const { return gauges_[static_cast<std::size_t>(index)]; }
    CanByteGraphWidget* graph(int index) const { return graphs_[static_cast<std::size_t>(index)]; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    std::array<QProgressBar*, kGauges> gauges_{};
    std::array<CanByteGraphWidget*, kGauges> graphs_{};
};

// Keeps a header's sections within the widths their column table allows.
void apply_column_table(class QHeaderView* header, const CanColumn* columns, std::size_t count);

}  // namespace ztv
