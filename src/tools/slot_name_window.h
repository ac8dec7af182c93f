// The slot-name window: one field for the name of the current event slot, opened by a
// double-click on the slot tab row. Enter confirms, Escape cancels.
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

#include "common/text.h"

class QLineEdit;
class QPushButton;

namespace ztv {

class TFormSlotName : public QDialog {
    Q_OBJECT
public:
    explicit TFormSlotName(QWidget* parent = nullptr);

    // Shows the window modally with its corner at `global_pos`, titled for slot 1-80, the
    // field holding `name` fully selected. Returns the text when confirmed, nothing when not.
    std::optional<QString> ask(int slot_number, const QString& name, const QPoint& global_pos, Lang lang);

    QLineEdit* field() const { return field_; }
    QPushButton* ok_button() const { return ok_; }

private:
    QLineEdit* field_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace ztv
