#include "tools/slot_name_window.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "common/format.h"
// Qt's `slots` keyword would swallow the core's namespace of that name.
#undef slots
#include "events/slot_editor_texts.h"
#include "events/slot_model.h"

namespace ztv {

TFormSlotName::TFormSlotName(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormSlotName"));
    // A small tool window: title and close button only, kept above the main window.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(true);

    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("EditSlotNamex"));
    field_->setMaxLength(static_cast<int>(slots::kSlotNameChars));
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

std::optional<QString> TFormSlotName::ask(int slot_number, const QString& name, const QPoint& global_pos, Lang lang) {
    setWindowTitle(QString::fromStdString(format_pair(slot_texts::kSlotNameTitle, slot_number).in(lang)));
    ok_->setText(QString::fromUtf8(pick(slot_texts::kOk, lang)));
    field_->setText(name);
    field_->selectAll();
    field_->setFocus();
    adjustSize();
    move(global_pos);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return field_->text();
}

}  // namespace ztv
