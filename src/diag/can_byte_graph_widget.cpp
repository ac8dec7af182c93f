#include "diag/can_byte_graph_widget.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "common/format.h"
#include "diag/can_texts.h"

namespace ztv {

CanByteGraphWidget::CanByteGraphWidget(int byte, QWidget* parent) : QWidget(parent), byte_(byte) {
    setObjectName(QStringLiteral("CanByteGraph%1x").arg(byte));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanByteGraphWidget::show_samples(CanSamples samples, std::uint32_t end_ms) {
    // The page hands the samples over ten times a second; the picture changes only when they
    // do or when time has moved the line by a pixel.
    const auto same = [](const CanSamples& a, const CanSamples& b) {
        if (!a || !b) return a == b;
        if (a->size() != b->size()) return false;
        if (a->empty()) return true;
        return a->front().tick_ms == b->front().tick_ms && a->back().tick_ms == b->back().tick_ms;
    };
    const std::int64_t shift = static_cast<std::int64_t>(end_ms - end_ms_) * width() / CanByteHistory::kWindowMs;
    if (same(samples, samples_) && shift == 0) return;
    samples_ = std::move(samples);
    end_ms_ = end_ms;
    update();
}

int CanByteGraphWidget::x_of(std::uint32_t tick_ms) const {
    const std::int64_t age = static_cast<std::int32_t>(end_ms_ - tick_ms);
    return static_cast<int>(width() - 1 - age * width() / CanByteHistory::kWindowMs);
}

int CanByteGraphWidget::y_of(std::uint8_t value) const { return height() - 2 - value * (height() - 3) / 255; }

void CanByteGraphWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!samples_ || samples_->empty()) return;
    // The stepped line: each value holds until the next sample, the last up to the right edge.
    // A pixel column with many samples draws only its first, lowest, highest and last value,
    // so a busy byte (thousands of changes a minute) costs no more than the widget is wide.
    painter.setPen(palette().color(QPalette::Link));
    QPolygon line;
    const auto draw = [&] {
        if (line.size() > 1) painter.drawPolyline(line);
        line.clear();
    };
    const auto b = static_cast<std::size_t>(byte_);
    int column = -1;  // the pixel column being gathered; -1: no line under way
    int low = 0;
    int high = 0;
    int last = 0;
    const auto close_column = [&] {
        if (low != high) line << QPoint(column, low) << QPoint(column, high);
        line << QPoint(column, last);
    };
    for (const CanSample& s : *samples_) {
        const int x = std::max(0, x_of(s.tick_ms));
        if (b >= s.length) {  // the byte is missing from this frame: the line breaks
            if (column >= 0) {
                close_column();
                line << QPoint(x, last);
                draw();
            }
            column = -1;
            continue;
        }
        const int y = y_of(s.data[b]);
        if (column < 0) {
            column = x;
            low = high = last = y;
            line << QPoint(x, y);
            continue;
        }
        if (x != column) {
            close_column();
            line << QPoint(x, last);
            column = x;
            low = high = last;
        }
        low = std::min(low, y);
        high = std::max(high, y);
        last = y;
    }
    if (column >= 0) {
        close_column();
        line << QPoint(width() - 1, last);
    }
    draw();
}

QString CanByteGraphWidget::tip_at(int x) const {
    if (!samples_ || width() <= 0) return {};
    const auto b = static_cast<std::size_t>(byte_);
    const CanSample* under = nullptr;
    for (const CanSample& s : *samples_) {
        if (x_of(s.tick_ms) > x) break;
        under = &s;
    }
    if (under == nullptr || b >= under->length) return {};
    const std::uint8_t value = under->data[b];
    const std::string text = format_pair(can_msg::kGraphTip, static_cast<unsigned>(value), static_cast<unsigned>(value),
                                         static_cast<unsigned long>(under->stamp_ms / 1000),
                                         static_cast<unsigned long>(under->stamp_ms % 1000))
                                 .in(lang_);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool CanByteGraphWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = tip_at(help->pos().x());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

}  // namespace ztv
