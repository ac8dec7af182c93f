// The two lists of the CAN log page: the identifier list's model, which shows the rows the
// page has announced and reads their cells from the CAN log, and the detail list with its
// eight bar gauges over the "Value" column.
#pragma once

#include <QAbstractTableModel>
#include <QTreeWidget>

#include <array>
#include <optional>

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

    // Takes the log's changes and tells the view about them: new rows are inserted, changed
    // rows (only those) repainted, a cleared table reset.
    CanLogChanges apply_changes();
    void set_language(Lang lang);

private:
    CanLog& log_;
    int rows_ = 0;  // rows the view knows; the log may already hold more
    Lang lang_ = Lang::Russian;
};

// One row per data byte of the shown identifier; the gauges lie over the "Value" column.
class CanDetailList final : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kGauges = 8;
    explicit CanDetailList(QWidget* parent = nullptr);

    // Shows this frame's bytes: rows are rebuilt when their number changes, else filled in place.
    void show_frame(const CanFrame& frame);
    void set_language(Lang lang);
    // Moves the gauges to the "Value" cells of the first rows (after a resize or a column change).
    void place_gauges();
    QProgressBar* gauge(int index) const { return gauges_[static_cast<std::size_t>(index)]; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    std::array<QProgressBar*, kGauges> gauges_{};
};

// Keeps a header's sections within the widths their column table allows.
void apply_column_table(class QHeaderView* header, const CanColumn* columns, std::size_t count);

}  // namespace ztv
