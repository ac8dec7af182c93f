#include "widgets/source_select_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace ztv {

TInterceptForm::TInterceptForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("InterceptForm"));
    // A tool window without title-bar buttons: "OK" is the only way to confirm.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(4);
    first_ = new QLabel(this);
    first_->setObjectName(QStringLiteral("LabelInterceptFirstx"));
    second_ = new QLabel(this);
    second_->setObjectName(QStringLiteral("LabelInterceptSecondx"));
    // The two lines say what the sources are for; they are read, not used.
    first_->setEnabled(false);
    second_->setEnabled(false);
    layout->addWidget(first_);
    layout->addWidget(second_);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("CheckListBoxInterceptx"));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (std::size_t i = 0; i < kSourceCount; ++i) {
        auto* item = new QListWidgetItem(QString::fromLatin1(source_entry_text(i)), list_);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(Qt::Unchecked);
    }
    list_->setFixedHeight(static_cast<int>(kSourceCount) * list_->sizeHintForRow(0) + 2 * list_->frameWidth() + 2);
    layout->addWidget(list_);

    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("ButtonInterceptOKx"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok_);
    setMinimumWidth(170);
}

bool TInterceptForm::choose_sources(const Text& first_line, const Text& second_line, Lang lang, QPoint top_left,
                                    std::uint8_t& mask) {
    setWindowTitle(QString::fromUtf8(pick(source_window::kTitle, lang)));
    list_->setToolTip(QString::fromUtf8(pick(source_window::kHint, lang)));
    ok_->setText(QString::fromUtf8(pick(source_window::kOk, lang)));
    first_->setText(QString::fromStdString(first_line.in(lang)));
    second_->setText(QString::fromStdString(second_line.in(lang)));
    const auto ticks = ticks_of(mask);
    for (std::size_t i = 0; i < kSourceCount; ++i)
        list_->item(static_cast<int>(i))->setCheckState(ticks[i] ? Qt::Checked : Qt::Unchecked);
    adjustSize();
    place_at(top_left);
    if (exec() != QDialog::Accepted) return false;
    std::array<bool, kSourceCount> chosen{};
    for (std::size_t i = 0; i < kSourceCount; ++i)
        chosen[i] = list_->item(static_cast<int>(i))->checkState() == Qt::Checked;
    mask = mask_of(chosen);
    return true;
}

// The top left corner goes where asked, but the whole window stays on the screen: a control
// near the bottom edge must not open a window that cannot be reached.
void TInterceptForm::place_at(QPoint top_left) {
    const QScreen* screen = QGuiApplication::screenAt(top_left);
    if (screen == nullptr) screen = parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    QPoint place = top_left;
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        const QSize size = frameGeometry().size().expandedTo(sizeHint());
        place.setX(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
        place.setY(std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    }
    move(place);
}

}  // namespace ztv
