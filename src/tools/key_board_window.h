// The USB key picker: a non-modal on-screen keyboard (modifiers, the 96 keys of HID page 0x07,
// 19 multimedia keys of page 0x0C with pictures, 8 system-control keys) and the code fields.
// Each button is named after its code ("PanelKey4x", "PanelMod0x", "SpeedButtonMMKey00B0x",
// "SystemControl0x"), as the rules that edit the reaction recognise keys by those names. The
// window draws marks and codes it is given and reports clicks and typed codes; it decides
// nothing itself.
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

#include "common/text.h"

class QAbstractButton;
class QKeyEvent;
class QGroupBox;
class QLineEdit;

namespace ztv {

// How the picker shows the reaction it edits.
struct KeyBoardMarks {
    std::vector<QString> marked;  // names of the buttons shown as pressed (green)
    QString key1 = QStringLiteral("x00");
    QString key2 = QStringLiteral("x00");
    QString consumer = QStringLiteral("x0000");
};

class TFormKeyBoard : public QWidget {
    Q_OBJECT
public:
    explicit TFormKeyBoard(QWidget* parent = nullptr);

    // Marks exactly the named buttons and shows the codes; never reports a change.
    void show_marks(const KeyBoardMarks& marks);
    bool is_marked(const QString& name) const;

    QAbstractButton* button(const QString& name) const;
    const std::vector<QAbstractButton*>& buttons() const { return buttons_; }
    QLineEdit* key1_field() const { return key1_; }
    QLineEdit* key2_field() const { return key2_; }
    QLineEdit* consumer_field() const { return consumer_; }

    // System-control captions follow the language; the title is set by the caller.
    void retranslate(Lang lang);

    // Opened from the editor: the window comes to the front with the focus on its first marked
    // key (or its first key). The keys are used from the keyboard as by a pointer: the arrows
    // move to the nearest key that way, Enter or Space presses the key, Esc closes the window.
    void take_focus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

signals:
    void key_clicked(const QString& name);
    // Enter in a code field: "EditKEY1x", "EditKEY2x" or "EditMMKeyCodex", with its text.
    void code_entered(const QString& field, const QString& text);

private:
    QGroupBox* build_keyboard();
    QGroupBox* build_codes();
    QGroupBox* build_multimedia();
    QGroupBox* build_consumer_code();
    QGroupBox* build_system_control();
    QAbstractButton* add_button(QWidget* parent, const QString& name, const QString& caption);
    QLineEdit* add_field(QWidget* parent, const QString& name, int max_length);
    void set_mark(QAbstractButton* button, bool marked);
    // The key of the same group nearest to `from` in the direction of an arrow key.
    QAbstractButton* neighbour(const QAbstractButton& from, int arrow) const;

    std::vector<QAbstractButton*> buttons_;
    QLineEdit* key1_ = nullptr;
    QLineEdit* key2_ = nullptr;
    QLineEdit* consumer_ = nullptr;
};

}  // namespace ztv
