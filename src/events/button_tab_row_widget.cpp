#include "events/button_tab_row_widget.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace ztv {
namespace {

constexpr int kSpacing = 2;

// The current tab stands out the way a pressed button does, in the selection colour.
const char* const kStyle =
    "QToolButton { padding: 1px 5px; }"
    "QToolButton:checked { background: palette(highlight); color: palette(highlighted-text);"
    " border: 1px solid palette(dark); border-radius: 2px; }"
    // The keyboard cursor: a dashed frame, on the current tab in its text colour.
    "QToolButton[keyCursor=\"true\"] { border: 1px dashed palette(highlight); border-radius: 2px;"
    " background: palette(button); }"
    "QToolButton:checked[keyCursor=\"true\"] { border: 1px dashed palette(highlighted-text);"
    " background: palette(highlight); }";

}  // namespace

ButtonTabRow::ButtonTabRow(QWidget* parent) : QWidget(parent) {
    setStyleSheet(QString::fromLatin1(kStyle));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setFocusPolicy(Qt::StrongFocus);
}

void ButtonTabRow::set_count(int count) {
    for (QToolButton* button : tabs_) delete button;
    tabs_.clear();
    current_ = -1;
    cursor_ = -1;
    for (int i = 0; i < count; ++i) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, i] {
            // The row shows what the editor selected, not what was clicked.
            if (QToolButton* b = tab(i)) b->setChecked(i == current_);
            emit tab_clicked(i);
        });
        tabs_.push_back(button);
    }
    relayout();
}

void ButtonTabRow::set_caption(int index, const QString& caption) {
    QToolButton* button = tab(index);
    if (button == nullptr || button->text() == caption) return;
    button->setText(caption);
    relayout();
}

void ButtonTabRow::set_captions(const std::vector<QString>& captions) {
    bool changed = false;
    for (std::size_t i = 0; i < captions.size() && i < tabs_.size(); ++i) {
        if (tabs_[i]->text() == captions[i]) continue;
        tabs_[i]->setText(captions[i]);
        changed = true;
    }
    if (changed) relayout();
}

void ButtonTabRow::relayout() {
    fit_height();
    updateGeometry();
}

// The parent's layout learns of the line count through the minimum height. Only a row on the
// screen has its real width: a hidden one (not laid out yet) would count a line per tab and
// ask the window for all of them; it fits itself when it is shown.
void ButtonTabRow::fit_height() {
    const int needed = lay_out(width(), true);
    if (isVisible() && needed != minimumHeight()) setMinimumHeight(needed);
}

QString ButtonTabRow::caption(int index) const {
    const QToolButton* button = tab(index);
    return button != nullptr ? button->text() : QString();
}

void ButtonTabRow::set_hint(int index, const QString& hint) {
    if (QToolButton* button = tab(index)) button->setToolTip(hint);
}

void ButtonTabRow::set_current(int index) {
    if (index < -1 || index >= count()) return;
    if (QToolButton* old = tab(current_)) old->setChecked(false);
    current_ = index;
    if (QToolButton* now = tab(current_)) now->setChecked(true);
    // The cursor follows what the editor selected, so the next arrow starts from there.
    if (cursor_ != current_) move_cursor(current_);
}

void ButtonTabRow::set_tab_visible(int index, bool visible) {
    QToolButton* button = tab(index);
    if (button == nullptr || button->isVisibleTo(this) == visible) return;
    button->setVisible(visible);
    relayout();
}

bool ButtonTabRow::tab_visible(int index) const {
    const QToolButton* button = tab(index);
    return button != nullptr && button->isVisibleTo(this);
}

int ButtonTabRow::visible_count() const {
    return static_cast<int>(std::count_if(tabs_.begin(), tabs_.end(),
                                          [this](const QToolButton* b) { return b->isVisibleTo(this); }));
}

QToolButton* ButtonTabRow::tab(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return tabs_[static_cast<std::size_t>(index)];
}

int ButtonTabRow::lay_out(int width, bool apply) const {
    int x = 0;
    int y = 0;
    int line_height = 0;
    for (QToolButton* button : tabs_) {
        if (!button->isVisibleTo(this)) continue;
        const QSize size = button->sizeHint();
        if (x > 0 && x + size.width() > width) {
            x = 0;
            y += line_height + kSpacing;
            line_height = 0;
        }
        if (apply) button->setGeometry(x, y, size.width(), size.height());
        x += size.width() + kSpacing;
        line_height = std::max(line_height, size.height());
    }
    return y + line_height;
}

int ButtonTabRow::heightForWidth(int width) const { return lay_out(std::max(width, 1), false); }

QSize ButtonTabRow::sizeHint() const {
    const int w = std::max(width(), 300);
    return {w, heightForWidth(w)};
}

QSize ButtonTabRow::minimumSizeHint() const {
    int widest = 0;
    int tallest = 0;
    for (const QToolButton* button : tabs_) {
        if (!button->isVisibleTo(this)) continue;
        const QSize size = button->sizeHint();
        widest = std::max(widest, size.width());
        tallest = std::max(tallest, size.height());
    }
    // A hidden row has no real width yet, and one tab per line would make the window as tall
    // as all of them: it asks for one line until it is shown and fits its height.
    if (!isVisible()) return {widest, tallest};
    return {widest, heightForWidth(std::max(width(), widest))};
}

void ButtonTabRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fit_height();
}

void ButtonTabRow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fit_height();
}

void ButtonTabRow::contextMenuEvent(QContextMenuEvent* event) {
    // The menu key opens the menu below the tab under the cursor, not where the pointer rests.
    const QToolButton* at = tab(cursor_);
    if (event->reason() == QContextMenuEvent::Keyboard && at != nullptr)
        emit context_menu_requested(at->mapToGlobal(QPoint(0, at->height())));
    else
        emit context_menu_requested(event->globalPos());
    event->accept();
}

int ButtonTabRow::key_target(int key) const {
    const auto visible = [this](int i) { return tab_visible(i); };
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        for (int i = cursor_ - 1; i >= 0; --i)
            if (visible(i)) return i;
        return -1;
    case Qt::Key_Right:
    case Qt::Key_Down:
        for (int i = cursor_ + 1; i < count(); ++i)
            if (visible(i)) return i;
        return -1;
    case Qt::Key_Home:
        for (int i = 0; i < count(); ++i)
            if (visible(i)) return i;
        return -1;
    case Qt::Key_End:
        for (int i = count() - 1; i >= 0; --i)
            if (visible(i)) return i;
        return -1;
    default:
        return -1;
    }
}

void ButtonTabRow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int target = key_target(event->key());
    if (target >= 0) {
        move_cursor(target);
        if (select_follows_cursor_) emit tab_clicked(target);
        return;
    }
    QToolButton* at = tab(cursor_);
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (at != nullptr) emit tab_clicked(cursor_);
        return;
    case Qt::Key_F2:
        if (at != nullptr) emit tab_double_clicked(cursor_, at->mapToGlobal(at->rect().center()));
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        return;  // already at the end of the row: the key stays here
    default:
        QWidget::keyPressEvent(event);
    }
}

void ButtonTabRow::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (!tab_visible(cursor_)) move_cursor(tab_visible(current_) ? current_ : key_target(Qt::Key_Home));
    mark_cursor();
}

void ButtonTabRow::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    mark_cursor();
}

void ButtonTabRow::move_cursor(int index) {
    cursor_ = index;
    mark_cursor();
}

// Only the tab under the cursor of a focused row carries the mark; a style sheet property
// needs the button polished again to show.
void ButtonTabRow::mark_cursor() {
    for (int i = 0; i < count(); ++i) {
        QToolButton* button = tabs_[static_cast<std::size_t>(i)];
        const bool marked = hasFocus() && i == cursor_;
        if (button->property("keyCursor").toBool() == marked) continue;
        button->setProperty("keyCursor", marked);
        button->style()->unpolish(button);
        button->style()->polish(button);
    }
}

bool ButtonTabRow::eventFilter(QObject* watched, QEvent* event) {
    const int index = index_of(watched);
    if (index >= 0) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                emit tab_double_clicked(index, mouse->globalPosition().toPoint());
                return true;
            }
        }
        if (event->type() == QEvent::ContextMenu) {
            emit context_menu_requested(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int ButtonTabRow::index_of(const QObject* button) const {
    for (std::size_t i = 0; i < tabs_.size(); ++i)
        if (tabs_[i] == button) return static_cast<int>(i);
    return -1;
}

}  // namespace ztv
