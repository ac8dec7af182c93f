// The learned-button grid of the "Keys" page: draws the ButtonGrid model over the record,
// names buttons in place, shows hints and cursors, opens the shared popup menu and starts the
// drags of learned buttons onto the event editor. Every rule is the model's.
#pragma once

#include <QPoint>
#include <QWidget>

#include <functional>
#include <optional>

#include "common/text.h"
#include "config/config_state.h"
#include "tools/button_grid.h"

class QLineEdit;
class QMimeData;

namespace ztv {

// A cell of the grid: column 0-4, row 0-15 (0 is the header).
struct GridCell {
    unsigned column = 0;
    unsigned row = 0;
    bool operator==(const GridCell&) const = default;
};

class ButtonGridWidget : public QWidget {
    Q_OBJECT
public:
    ButtonGridWidget(ButtonGrid& grid, ConfigState& state, QWidget* parent = nullptr);

    void set_language(Lang lang);
    // Redraws the cells from the model (after a refresh, a learning pass or a delete).
    void redraw() { update(); }

    // The selection: a cell that may be selected, or none.
    std::optional<GridCell> selection() const { return selected_; }
    void select(GridCell cell);
    void clear_selection();

    // In-place naming. open_editor starts it on the selected cell (double-click, F2 or a typed
    // character do it too); close_editor ends it with the text typed (or the old one on Escape).
    bool open_editor();
    void close_editor(bool keep_text = true);
    bool editor_open() const;
    QLineEdit* editor() const { return editor_; }
    // Called on every polling tick: commits a closed editor's name (see ButtonGrid::commit_tick).
    EditOutcome commit_pending_name();
    // Polling tick: a hint left showing while the pointer is outside the grid goes.
    void cancel_hint_outside();

    // What a drag of a learned button carries; without it no drag starts.
    void set_drag_data(std::function<QMimeData*(GridButton)> make) { drag_data_ = std::move(make); }
    QMimeData* drag_data(GridCell cell) const;
    // A right-click that offers a popup: the window opens its shared menu with the action.
    using PopupRequest = std::function<void(const GridPopup& popup, GridCell cell, const QPoint& global_pos)>;
    void set_popup_request(PopupRequest request) { popup_request_ = std::move(request); }
    // Enter on a selected learned button: the keyboard's way to what a drag does (the window
    // offers it as the current slot's "Button" or "Mod").
    using UseRequest = std::function<void(GridButton button, const QPoint& global_pos)>;
    void set_use_request(UseRequest request) { use_request_ = std::move(request); }

    // Geometry, for tests and the pointer handling.
    QRect cell_rect(GridCell cell) const;
    // Scrolls the page the grid sits on so that `area` (grid coordinates) can be seen.
    void keep_in_view(const QRect& area);
    std::optional<GridCell> cell_at(const QPoint& pos) const;
    // The hint the pointer shows at pos (what the tool tip shows), and the cursor.
    GridHover hover_at(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show_hover(const QPoint& pos, const QPoint& global_pos);
    void start_drag(GridCell cell);
    void place_editor();
    void on_editor_edited(const QString& text);

    ButtonGrid& grid_;
    ConfigState& state_;
    Lang lang_ = Lang::Russian;
    std::optional<GridCell> selected_;
    std::optional<GridCell> editing_;
    std::optional<GridCell> press_cell_;
    QPoint press_pos_;
    bool dragging_ = false;
    bool hint_shown_ = false;
    QLineEdit* editor_ = nullptr;
    QString editor_start_text_;
    std::function<QMimeData*(GridButton)> drag_data_;
    UseRequest use_request_;
    PopupRequest popup_request_;
};

}  // namespace ztv
