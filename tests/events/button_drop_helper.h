// Drags a learned button over an editor drop target ("Button" or "Mod") the way Qt delivers a
// drag: enter, move, then optionally the drop. Returns the colour the target showed while the
// drag was over it (1 green, -1 red, 0 none).
#pragma once

#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

#include "events/editor_controls_widget.h"

namespace ztv::testing {

inline int drag_over_target(ButtonDropControl& control, QMimeData& data, bool drop) {
    QWidget* field = control.input();
    const QPoint at = field->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &move);
    const int mark = control.drag_mark();
    if (drop) {
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(field, &dropped);
    }
    return mark;
}

}  // namespace ztv::testing
