// The slot-name window: one field for the name of the current event slot, opened by a
// double-click on the slot tab row. Enter confirms, Escape cancels.
#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class QLineEdit;
class QPushButton;

namespace ztv {

class TFormSlotName : public QDialog {
    Q_OBJECT
public:
    // max_chars: the longest name the field takes.
    explicit TFormSlotName(int max_chars, QWidget* parent = nullptr);

    // Shows the window modally with its corner at `global_pos`, the field holding `name` fully
    // selected. Returns the text when confirmed, nothing when not.
    std::optional<QString> ask(const QString& title, const QString& ok_text, const QString& name,
                               const QPoint& global_pos);

    QLineEdit* field() const { return field_; }
    QPushButton* ok_button() const { return ok_; }

private:
    QLineEdit* field_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace ztv
