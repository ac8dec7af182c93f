#include "tools/button_grid_widget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <QToolTip>

namespace ztv {
namespace {

constexpr int kLine = 1;  // grid line width
constexpr int kMinColumnWidth = 64;
constexpr int kMinRowHeight = 18;

Qt::CursorShape cursor_shape(GridCursor cursor) {
    switch (cursor) {
        case GridCursor::Hand: return Qt::PointingHandCursor;
        case GridCursor::NoEntry: return Qt::ForbiddenCursor;
        case GridCursor::Help: return Qt::WhatsThisCursor;
        case GridCursor::Default: break;
    }
    return Qt::ArrowCursor;
}

}  // namespace

ButtonGridWidget::ButtonGridWidget(ButtonGrid& grid, ConfigState& state, QWidget* parent)
    : QWidget(parent), grid_(grid), state_(state) {
    setObjectName(QStringLiteral("StringGridKeysx"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    editor_ = new QLineEdit(this);
    editor_->setObjectName(QStringLiteral("InplaceEditKeysx"));
    editor_->setFrame(false);
    editor_->hide();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::textEdited, this, &ButtonGridWidget::on_editor_edited);
    connect(editor_, &QLineEdit::returnPressed, this, [this] { close_editor(true); });
}

void ButtonGridWidget::set_language(Lang lang) {
    lang_ = lang;
    update();
}

QSize ButtonGridWidget::minimumSizeHint() const {
    return {static_cast<int>(kGridColumns) * (kMinColumnWidth + kLine) + kLine,
            static_cast<int>(kGridRows) * (kMinRowHeight + kLine) + kLine};
}

QSize ButtonGridWidget::sizeHint() const {
    const QSize minimum = minimumSizeHint();
    return {minimum.width() * 3 / 2, minimum.height() + static_cast<int>(kGridRows) * 2};
}

// The columns share the width equally, and the rows the height.
QRect ButtonGridWidget::cell_rect(GridCell cell) const {
    const int columns = static_cast<int>(kGridColumns);
    const int rows = static_cast<int>(kGridRows);
    const int column_width = (width() - columns * kLine - 1) / columns;
    const int row_height = (height() - rows * kLine - 1) / rows;
    return {kLine + static_cast<int>(cell.column) * (column_width + kLine),
            kLine + static_cast<int>(cell.row) * (row_height + kLine), column_width, row_height};
}

std::optional<GridCell> ButtonGridWidget::cell_at(const QPoint& pos) const {
    for (unsigned column = 0; column < kGridColumns; ++column)
        for (unsigned row = 0; row < kGridRows; ++row)
            if (cell_rect({column, row}).adjusted(0, 0, kLine, kLine).contains(pos)) return GridCell{column, row};
    return std::nullopt;
}

GridHover ButtonGridWidget::hover_at(const QPoint& pos) const {
    const std::optional<GridCell> cell = cell_at(pos);
    if (!cell) return {};
    return grid_.hover(state_.record, cell->column, cell->row);
}

void ButtonGridWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& pal = palette();
    // Lines between the cells; what the equal shares leave over on the right and at the bottom
    // is background.
    painter.fillRect(rect(), pal.color(QPalette::Window));
    const QRect last = cell_rect({kGridColumns - 1, kGridRows - 1});
    painter.fillRect(QRect(0, 0, last.right() + 1 + kLine, last.bottom() + 1 + kLine), pal.color(QPalette::Mid));
    QFont header_font = font();
    header_font.setBold(true);
    for (unsigned column = 0; column < kGridColumns; ++column) {
        for (unsigned row = 0; row < kGridRows; ++row) {
            const QRect r = cell_rect({column, row});
            QColor back = pal.color(QPalette::Base);
            QColor fore = pal.color(QPalette::Text);
            QString text;
            if (row == 0) {
                back = pal.color(QPalette::Button);
                fore = pal.color(QPalette::ButtonText);
                text = QString::fromStdString(grid_header(column).in(lang_));
                painter.setFont(header_font);
            } else {
                text = QString::fromStdString(grid_.text(column, row));
                painter.setFont(font());
                if (grid_.highlighted(column, row)) {
                    back = QColor(Qt::blue);
                    fore = pal.color(QPalette::Window);
                } else if (selected_ && *selected_ == GridCell{column, row}) {
                    back = pal.color(QPalette::Highlight);
                    fore = pal.color(QPalette::HighlightedText);
                }
            }
            painter.fillRect(r, back);
            painter.setPen(fore);
            painter.drawText(r.adjusted(3, 0, -3, 0), Qt::AlignCenter, text);
        }
    }
}

void ButtonGridWidget::select(GridCell cell) {
    if (!grid_.selectable(state_.record, cell.column, cell.row)) return;
    selected_ = cell;
    keep_in_view(cell_rect(cell));
    update();
}

void ButtonGridWidget::keep_in_view(const QRect& area) {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        auto* scroll = qobject_cast<QScrollArea*>(w);
        if (scroll == nullptr || scroll->widget() == nullptr || !scroll->widget()->isAncestorOf(this)) continue;
        const QPoint centre = mapTo(scroll->widget(), area.center());
        scroll->ensureVisible(centre.x(), centre.y(), area.width() / 2 + kLine, area.height() / 2 + kLine);
        return;
    }
}

void ButtonGridWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // A scroll area brings a widget that takes the focus into view by its middle, which for
    // a tall grid hides the header and the learned rows: show the selected cell, or the top.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        QTimer::singleShot(0, this, [this] {
            keep_in_view(selected_ ? cell_rect(*selected_) : cell_rect({0, 0}).united(cell_rect({0, 1})));
        });
    }
}

void ButtonGridWidget::clear_selection() {
    if (editor_open()) close_editor(true);
    selected_.reset();
    update();
}

bool ButtonGridWidget::open_editor() {
    if (!selected_ || editor_open()) return editor_open();
    // Encoder cells keep their fixed texts: the editor closes at once there.
    if (!grid_.editor_opened(selected_->column, selected_->row)) return false;
    editing_ = selected_;
    editor_start_text_ = QString::fromStdString(grid_.text(editing_->column, editing_->row));
    editor_->setText(editor_start_text_);
    place_editor();
    editor_->show();
    editor_->setFocus();
    editor_->selectAll();
    return true;
}

void ButtonGridWidget::close_editor(bool keep_text) {
    if (!editing_) return;
    const QString text = keep_text ? editor_->text() : editor_start_text_;
    const GridCell cell = *editing_;
    editing_.reset();
    grid_.editor_closed(cell.column, cell.row, text.toStdString());
    editor_->hide();
    setFocus();
    update();
}

bool ButtonGridWidget::editor_open() const { return editing_.has_value(); }

void ButtonGridWidget::on_editor_edited(const QString& text) {
    if (!editing_) return;
    const TypedName typed = grid_.editor_typed(state_.record, editing_->column, editing_->row, text.toStdString());
    const QString shown = QString::fromStdString(typed.text);
    if (shown != text) {
        const int cursor = std::min(editor_->cursorPosition(), static_cast<int>(shown.size()));
        editor_->setText(shown);
        editor_->setCursorPosition(cursor);
    }
    if (typed.close) close_editor(true);
}

EditOutcome ButtonGridWidget::commit_pending_name() {
    const EditOutcome outcome = grid_.commit_tick(state_.record, editor_open());
    if (outcome.redraw != EditOutcome::Redraw::Nothing) clear_selection();
    return outcome;
}

void ButtonGridWidget::place_editor() {
    if (editing_) editor_->setGeometry(cell_rect(*editing_));
}

void ButtonGridWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place_editor();
}

bool ButtonGridWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_) {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            close_editor(false);
            return true;
        }
        if (event->type() == QEvent::FocusOut && editing_) close_editor(true);
    }
    return QWidget::eventFilter(watched, event);
}

QMimeData* ButtonGridWidget::drag_data(GridCell cell) const {
    const std::optional<GridButton> button = grid_.drag_source(state_.record, cell.column, cell.row);
    if (!button || !drag_data_) return nullptr;
    return drag_data_(*button);
}

void ButtonGridWidget::start_drag(GridCell cell) {
    QMimeData* carried = drag_data(cell);
    if (carried == nullptr) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(carried);
    dragging_ = true;
    hint_shown_ = false;
    QToolTip::hideText();
    drag->exec(Qt::CopyAction);
    dragging_ = false;
    unsetCursor();
    QToolTip::hideText();
}

void ButtonGridWidget::mousePressEvent(QMouseEvent* event) {
    const std::optional<GridCell> cell = cell_at(event->position().toPoint());
    if (editor_open()) close_editor(true);
    press_cell_.reset();
    if (!cell) return;
    if (event->button() == Qt::RightButton) {
        const GridPopup popup = grid_.popup_at(state_.record, cell->column, cell->row);
        if (popup.action != 0 && popup_request_) popup_request_(popup, *cell, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    select(*cell);
    if (grid_.drag_source(state_.record, cell->column, cell->row)) {
        press_cell_ = cell;
        press_pos_ = event->position().toPoint();
    }
}

void ButtonGridWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) != 0 && press_cell_) {
        if ((pos - press_pos_).manhattanLength() >= QApplication::startDragDistance()) {
            const GridCell cell = *press_cell_;
            press_cell_.reset();
            start_drag(cell);
        }
        return;
    }
    if (event->buttons() == Qt::NoButton && !dragging_) show_hover(pos, event->globalPosition().toPoint());
}

void ButtonGridWidget::mouseReleaseEvent(QMouseEvent* /*event*/) { press_cell_.reset(); }

void ButtonGridWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const std::optional<GridCell> cell = cell_at(event->position().toPoint());
    if (!cell || event->button() != Qt::LeftButton) return;
    select(*cell);
    open_editor();
}

void ButtonGridWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2) {
        open_editor();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && selected_ && use_request_) {
        if (const auto button = grid_.drag_source(state_.record, selected_->column, selected_->row))
            use_request_(*button, mapToGlobal(cell_rect(*selected_).bottomLeft()));
        return;
    }
    // The arrows walk the cells below the header, so a keyboard user can name any of them.
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: break;
    }
    if (dx != 0 || dy != 0) {
        // The first arrow selects the first cell that may be selected; the next ones go from
        // the selected cell to the next such cell that way.
        if (!selected_) {
            for (unsigned c = 0; c < kGridColumns && !selected_; ++c)
                for (unsigned r = 1; r < kGridRows && !selected_; ++r)
                    if (grid_.selectable(state_.record, c, r)) select({c, r});
            return;
        }
        const GridCell from = *selected_;
        if (dy != 0) {
            // Up and down: the next cell of the column that may be selected.
            for (int row = static_cast<int>(from.row) + dy; row >= 1 && row < static_cast<int>(kGridRows); row += dy) {
                if (grid_.selectable(state_.record, from.column, static_cast<unsigned>(row))) {
                    select({from.column, static_cast<unsigned>(row)});
                    break;
                }
            }
            return;
        }
        // Left and right: the next column with such a cell, on the row nearest this one.
        for (int column = static_cast<int>(from.column) + dx; column >= 0 && column < static_cast<int>(kGridColumns);
             column += dx) {
            std::optional<GridCell> nearest;
            for (unsigned row = 1; row < kGridRows; ++row) {
                if (!grid_.selectable(state_.record, static_cast<unsigned>(column), row)) continue;
                const auto distance = [&](unsigned r) { return r > from.row ? r - from.row : from.row - r; };
                if (!nearest || distance(row) < distance(nearest->row)) nearest = GridCell{static_cast<unsigned>(column), row};
            }
            if (nearest) {
                select(*nearest);
                break;
            }
        }
        return;
    }
    const QString typed = event->text();
    if (selected_ && !typed.isEmpty() && typed.at(0).isPrint() && open_editor()) {
        editor_->setText(typed);
        on_editor_edited(typed);
        return;
    }
    QWidget::keyPressEvent(event);
}

// The menu key offers the selected cell's popup below that cell; a right-click is handled on
// the press, where the pointer names the cell.
void ButtonGridWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Keyboard || !selected_) {
        QWidget::contextMenuEvent(event);
        return;
    }
    event->accept();
    const GridPopup popup = grid_.popup_at(state_.record, selected_->column, selected_->row);
    if (popup.action != 0 && popup_request_)
        popup_request_(popup, *selected_, mapToGlobal(cell_rect(*selected_).bottomLeft()));
}

void ButtonGridWidget::show_hover(const QPoint& pos, const QPoint& global_pos) {
    const GridHover hover = hover_at(pos);
    setCursor(cursor_shape(hover.cursor));
    if (hover.hint.empty()) {
        if (hint_shown_) QToolTip::hideText();
        hint_shown_ = false;
        return;
    }
    QToolTip::showText(global_pos, QString::fromStdString(hover.hint.in(lang_)), this);
    hint_shown_ = true;
}

void ButtonGridWidget::leaveEvent(QEvent* event) {
    unsetCursor();
    QWidget::leaveEvent(event);
}

void ButtonGridWidget::cancel_hint_outside() {
    if (dragging_ || !hint_shown_) return;
    if (rect().contains(mapFromGlobal(QCursor::pos()))) return;
    QToolTip::hideText();
    hint_shown_ = false;
}

}  // namespace ztv
