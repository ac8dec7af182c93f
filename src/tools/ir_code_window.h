// The IR code editor (`TFormIRCode`): a small modal tool window with the protocol list
// "Encoding", the fields "Address" and "Command" and an "OK" button, opened from the IR panels
// of the event editor. It shows what it is given and reports what was typed; checking the
// fields and storing the code are the core's.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include "common/text.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ztv {

// What the window holds when it closes with "OK".
struct IrCodeEntry {
    QString protocol;  // the selected list text
    QString address;
    QString command;
};

class TFormIRCode : public QDialog {
    Q_OBJECT
public:
    explicit TFormIRCode(QWidget* parent = nullptr);

    // Checks a field's text while the user types; returns the message to show, or an empty
    // text when the field is fine. field: 0 address, 1 command.
    using FieldCheck = std::function<Text(int field, const QString& text)>;
    void set_field_check(FieldCheck check) { check_ = std::move(check); }
    // Shows a message box for a refused field (the main window's boxes).
    void set_message_box(std::function<void(const Text&)> box) { box_ = std::move(box); }

    // Shows the window modally with its top left corner at `top_left`, the list filled with
    // `protocols` and `selected` chosen, the fields showing `address` and `command`. Returns
    // the entry when the window was closed with "OK".
    std::optional<IrCodeEntry> edit(const QStringList& protocols, int selected, const QString& address,
                                    const QString& command, QPoint top_left, Lang lang);

    QComboBox* protocol_list() const { return protocols_; }
    QLineEdit* address_field() const { return address_; }
    QLineEdit* command_field() const { return command_; }
    QPushButton* ok_button() const { return ok_; }

private:
    void check_field(int field, QLineEdit* edit);

    QComboBox* protocols_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* command_ = nullptr;
    QPushButton* ok_ = nullptr;
    FieldCheck check_;
    std::function<void(const Text&)> box_;
};

}  // namespace ztv
