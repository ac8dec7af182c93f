// A row of tabs drawn as buttons that wrap onto further lines when the row is too narrow,
// so that all 80 slots, or all 27 event kinds, stay in sight at once. Exactly one tab is
// current; clicking a tab reports it, and the row never changes the current tab on its own:
// the editor decides, then selects.
//
// By keyboard the row is one stop in the Tab chain: the arrow keys, Home and End move a
// cursor (a dashed frame) over the visible tabs, Space or Enter press the tab under it, F2 is
// its double-click and the menu key its right-click. A row whose tabs only choose what is shown
// (the slots) may press the tab the cursor lands on at once, as a tab bar does.
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

class QToolButton;

namespace ztv {

class ButtonTabRow : public QWidget {
    Q_OBJECT
public:
    explicit ButtonTabRow(QWidget* parent = nullptr);

    // Makes `count` tabs with empty captions (earlier tabs are removed).
    void set_count(int count);
    int count() const { return static_cast<int>(tabs_.size()); }

    // Touches the tab only when the caption differs, so a refresh of 80 captions costs little.
    void set_caption(int index, const QString& caption);
    // Several captions at once, laid out once (entries beyond the row are ignored).
    void set_captions(const std::vector<QString>& captions);
    QString caption(int index) const;
    void set_hint(int index, const QString& hint);

    // Selects a tab without reporting it (-1 selects none).
    void set_current(int index);
    int current() const { return current_; }

    // Hidden tabs keep their place and caption; only a change of visibility is applied.
    void set_tab_visible(int index, bool visible);
    bool tab_visible(int index) const;
    int visible_count() const;

    // Whether moving the keyboard cursor presses the tab it lands on.
    void set_select_follows_cursor(bool follows) { select_follows_cursor_ = follows; }
    int cursor() const { return cursor_; }

    // The button that stands for a tab (tests click it).
    QToolButton* tab(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void tab_clicked(int index);
    void tab_double_clicked(int index, const QPoint& global_pos);
    void context_menu_requested(const QPoint& global_pos);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Places the visible tabs line by line within `width`; returns the height used.
    int lay_out(int width, bool apply) const;
    int index_of(const QObject* button) const;
    void relayout();
    void fit_height();
    // The visible tab the key leads to from the cursor, or -1.
    int key_target(int key) const;
    void move_cursor(int index);
    void mark_cursor();

    std::vector<QToolButton*> tabs_;
    int current_ = -1;
    int cursor_ = -1;
    bool select_follows_cursor_ = false;
};

}  // namespace ztv
