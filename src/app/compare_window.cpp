#include "app/compare_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/safety_texts.h"

namespace ztv {

CompareWindow::CompareWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormCompare"));
    auto* column = new QVBoxLayout(this);
    view_ = new QPlainTextEdit(this);
    view_->setObjectName(QStringLiteral("MemoChanges"));
    view_->setReadOnly(true);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    column->addWidget(view_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("ButtonClose"));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(close_);
    column->addLayout(row);
    resize(640, 480);
}

void CompareWindow::show_text(const QString& title, const std::string& text, Lang lang) {
    setWindowTitle(title);
    close_->setText(QString::fromUtf8(pick(kCloseWindow, lang)));
    view_->setPlainText(QString::fromStdString(text));
}

QString CompareWindow::text() const { return view_->toPlainText(); }

}  // namespace ztv
