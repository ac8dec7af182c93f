#include "diag/terminal_view.h"

#include <QEvent>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace ztv {
namespace {
constexpr int kTopMargin = 2;
}  // namespace

TerminalView::TerminalView(int max_lines, QWidget* parent) : QAbstractScrollArea(parent), max_lines_(max_lines) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        follow_end_ = value >= verticalScrollBar()->maximum();
        viewport()->update();
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

int TerminalView::line_height() const { return std::max(fontMetrics().height(), 1); }

int TerminalView::char_width() const { return std::max(fontMetrics().horizontalAdvance(QLatin1Char('M')), 1); }

void TerminalView::append_line(const QString& text, const QColor& colour) {
    lines_.push_back({text, colour.rgba()});
    widest_ = std::max(widest_, static_cast<int>(text.size()));
    if (static_cast<int>(lines_.size()) > max_lines_) lines_.pop_front();
    update_scroll_ranges();
    if (follow_end_) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

void TerminalView::clear() {
    lines_.clear();
    widest_ = 0;
    all_selected_ = false;
    follow_end_ = true;
    update_scroll_ranges();
    viewport()->update();
}

QString TerminalView::text() const {
    QString all;
    qsizetype size = 0;
    for (const Line& line : lines_) size += line.text.size() + 1;
    all.reserve(size);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) all += QLatin1Char('\n');
        all += lines_[i].text;
    }
    return all;
}

void TerminalView::select_all() {
    all_selected_ = true;
    viewport()->update();
}

void TerminalView::clear_selection() {
    if (!all_selected_) return;
    all_selected_ = false;
    viewport()->update();
}

// The vertical bar counts lines, the horizontal one pixels.
void TerminalView::update_scroll_ranges() {
    const int visible_lines = std::max((viewport()->height() - kTopMargin) / line_height(), 1);
    verticalScrollBar()->setPageStep(visible_lines);
    verticalScrollBar()->setRange(0, std::max(line_count() - visible_lines, 0));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(char_width());
    horizontalScrollBar()->setRange(0, std::max(widest_ * char_width() + 8 - viewport()->width(), 0));
}

void TerminalView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const bool at_end = follow_end_;
    update_scroll_ranges();
    if (at_end) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TerminalView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) update_scroll_ranges();
}

void TerminalView::mousePressEvent(QMouseEvent* event) {
    clear_selection();
    QAbstractScrollArea::mousePressEvent(event);
}

void TerminalView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(viewport());
    painter.setFont(font());
    const int height = line_height();
    const int ascent = fontMetrics().ascent();
    const int first = verticalScrollBar()->value();
    const int left = 4 - horizontalScrollBar()->value();
    const int rows = viewport()->height() / height + 2;
    const QPalette& colours = palette();
    for (int row = 0; row < rows; ++row) {
        const int index = first + row;
        if (index >= line_count()) break;
        const Line& line = lines_[static_cast<std::size_t>(index)];
        const int top = kTopMargin + row * height;
        if (all_selected_) {
            painter.fillRect(QRect(0, top, viewport()->width(), height), colours.color(QPalette::Highlight));
            painter.setPen(colours.color(QPalette::HighlightedText));
        } else {
            painter.setPen(QColor::fromRgba(line.rgba));
        }
        painter.drawText(left, top + ascent, line.text);
    }
}

}  // namespace ztv
