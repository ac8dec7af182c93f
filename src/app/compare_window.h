// The differences between the configuration shown and another one (a file, the controller, a
// backup), as compare_configurations writes them, in a window of their own.
#pragma once

#include <QDialog>

#include <string>

#include "common/text.h"

class QPlainTextEdit;
class QPushButton;

namespace ztv {

class CompareWindow : public QDialog {
    Q_OBJECT
public:
    explicit CompareWindow(QWidget* parent = nullptr);
    // `title` says what was compared; `text` is the list of differences ("No changes").
    void show_text(const QString& title, const std::string& text, Lang lang);
    QString text() const;

private:
    QPlainTextEdit* view_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace ztv
