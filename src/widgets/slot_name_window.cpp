#include "widgets/slot_name_window.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/cp1251_validator.h"

namespace ztv {

TFormSlotName::TFormSlotName(int max_chars, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormSlotName"));
    // A small tool window: title and close button only, kept above the main window.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(true);

    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("EditSlotNamex"));
    field_->setMaxLength(max_chars);
    refuse_outside_cp1251(*field_);
    field_->setMinimumWidth(field_->fontMetrics().averageCharWidth() * 34);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("ButtonSlotNameOKx"));
    ok_->setDefault(true);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(field_, 1);
    layout->addWidget(ok_);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(field_, &QLineEdit::returnPressed, this, &QDialog::accept);
}

std::optional<QString> TFormSlotName::ask(const QString& title, const QString& ok_text, const QString& name,
                                         const QPoint& global_pos) {
    setWindowTitle(title);
    ok_->setText(ok_text);
    field_->setText(name);
    field_->selectAll();
    field_->setFocus();
    adjustSize();
    move(global_pos);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return field_->text();
}

}  // namespace ztv
