// The terminal's receive pane: a read-only list of lines in a fixed-pitch font, each line in
// one colour. It draws only the lines in sight, so a day of debug text appends and scrolls as
// fast as the first screenful.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>

#include <deque>

namespace ztv {

class TerminalView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TerminalView(int max_lines, QWidget* parent = nullptr);

    // Appends a line and scrolls it into view; past max_lines the oldest line goes.
    void append_line(const QString& text, const QColor& colour);
    void clear();
    int line_count() const { return static_cast<int>(lines_.size()); }
    QString line(int index) const { return lines_.at(static_cast<std::size_t>(index)).text; }
    QColor line_colour(int index) const { return QColor::fromRgba(lines_.at(static_cast<std::size_t>(index)).rgba); }
    // Every line, joined by line feeds.
    QString text() const;
    // Marks the whole text as selected (drawn highlighted) until the next click or clear.
    void select_all();
    void clear_selection();
    bool all_selected() const { return all_selected_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Line {
        QString text;
        QRgb rgba;
    };
    void update_scroll_ranges();
    int line_height() const;
    int char_width() const;

    std::deque<Line> lines_;
    int max_lines_;
    int widest_ = 0;  // characters of the longest line kept
    bool all_selected_ = false;
    bool follow_end_ = true;  // scrolled to the last line: new lines keep it in view
};

}  // namespace ztv
