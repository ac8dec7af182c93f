// The source selection window: a small modal tool window in which the user ticks the head
// unit's sources for one setting. Opened by the touch panel page ("Source..." of the touch
// mode, "Source for touch via USB") and by the event editor (event sources, reaction skip).
#pragma once

#include <QDialog>
#include <QPoint>

#include <cstdint>

#include "common/source_selection.h"
#include "common/text.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace ztv {

class TInterceptForm : public QDialog {
    Q_OBJECT
public:
    explicit TInterceptForm(QWidget* parent = nullptr);

    // Shows the window modally with the caller's two lines (what the sources are chosen for)
    // and its top left corner at `top_left` (the bottom centre of
    // the control that opened it; kept on the screen), the entries ticked from `mask`.
    // Confirmed with "OK": `mask` becomes the ticked sources and the result is true. Closed any
    // other way: `mask` is left as it was and the result is false.
    bool choose_sources(const Text& first_line, const Text& second_line, Lang lang, QPoint top_left,
                        std::uint8_t& mask);

    // For tests and scripts that drive the open window.
    QListWidget* source_list() const { return list_; }
    QPushButton* ok_button() const { return ok_; }
    QLabel* first_line() const { return first_; }
    QLabel* second_line() const { return second_; }

private:
    void place_at(QPoint top_left);

    QLabel* first_ = nullptr;
    QLabel* second_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace ztv
