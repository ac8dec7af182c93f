#include "tools/ir_code_window.h"

#include <QComboBox>
#include <QCursor>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <optional>

#include "tools/ir_code_editor.h"

namespace ztv {
namespace {

QLabel* caption(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

TFormIRCode::TFormIRCode(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormIRCode"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    protocols_ = new QComboBox(this);
    protocols_->setObjectName(QStringLiteral("ComboBoxIRCodeTypex"));
    protocols_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("EditIRCodeAddress"));
    address_->setMaxLength(16);
    command_ = new QLineEdit(this);
    command_->setObjectName(QStringLiteral("EditIRCodeCommand"));
    command_->setMaxLength(16);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("ButtonIRCodeOKx"));
    ok_->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(caption(this, "PanelIRCodeType"), protocols_);
    form->addRow(caption(this, "PanelIRCodeAddress"), address_);
    form->addRow(caption(this, "PanelIRCodeCommand"), command_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ok_, 0, Qt::AlignRight);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    // Only what the user types is checked; filling the fields when the window opens is not.
    connect(address_, &QLineEdit::textEdited, this, [this] { check_field(0, address_); });
    connect(command_, &QLineEdit::textEdited, this, [this] { check_field(1, command_); });
}

void TFormIRCode::check_field(int field, QLineEdit* edit) {
    if (!check_) return;
    const Text message = check_(field, edit->text());
    if (message.empty()) return;
    if (box_) box_(message);
    edit->selectAll();
    edit->setFocus(Qt::OtherFocusReason);
    QCursor::setPos(edit->mapToGlobal(edit->rect().center()));
}

std::optional<IrCodeEntry> TFormIRCode::edit(const QStringList& protocols, int selected, const QString& address,
                                             const QString& command, QPoint top_left, Lang lang) {
    setWindowTitle(QString::fromUtf8(pick(kIrCodeEditorTitle, lang)));
    protocols_->clear();
    protocols_->addItems(protocols);
    protocols_->setCurrentIndex(selected);
    address_->setText(address);
    command_->setText(command);
    adjustSize();
    // Kept on the screen when the panel that opened it sits near an edge.
    if (const QScreen* screen = QGuiApplication::screenAt(top_left)) {
        const QRect area = screen->availableGeometry();
        top_left.setX(std::clamp(top_left.x(), area.left(), std::max(area.left(), area.right() - width())));
        top_left.setY(std::clamp(top_left.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(top_left);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return IrCodeEntry{protocols_->currentText(), address_->text(), command_->text()};
}

}  // namespace ztv
