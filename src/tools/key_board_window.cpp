#include "tools/key_board_window.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "catalogues/key_captions.h"
#include "tools/key_board_icons_view.h"

namespace ztv {
namespace {

// Where a key sits on the on-screen keyboard. Widths and positions are in quarters of a key,
// so the wide keys (Tab, Enter, Shift, the space bar) line up as on a real keyboard.
struct KeyPlace {
    int code;     // keyboard usage, or kModifier + bit for a modifier
    int row;
    int column;   // in quarter keys
    int width;    // in quarter keys
    int height = 1;
};

constexpr int kModifier = 1000;
constexpr int kNav = 62;     // first column of the navigation block
constexpr int kPad = 76;     // first column of the keypad

std::vector<KeyPlace> keyboard_places() {
    std::vector<KeyPlace> places;
    const auto run = [&places](int row, int column, std::initializer_list<int> codes) {
        for (const int code : codes) {
            places.push_back({code, row, column, 4});
            column += 4;
        }
    };
    // Row 0: Esc, F1-F12, PrScr Scrl Pause.
    places.push_back({41, 0, 0, 4});
    run(0, 8, {58, 59, 60, 61});
    run(0, 26, {62, 63, 64, 65});
    run(0, 44, {66, 67, 68, 69});
    run(0, kNav, {70, 71, 72});
    // Row 1: ` 1 ... 0 - = Backspace; Ins Home PgUp; Num / * -.
    run(1, 0, {53, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 45, 46});
    places.push_back({42, 1, 52, 8});
    run(1, kNav, {73, 74, 75});
    run(1, kPad, {83, 84, 85, 86});
    // Row 2: Tab Q ... ] \; Del End PgDn; 7 8 9 +.
    places.push_back({43, 2, 0, 6});
    run(2, 6, {20, 26, 8, 21, 23, 28, 24, 12, 18, 19, 47, 48});
    places.push_back({49, 2, 54, 6});
    run(2, kNav, {76, 77, 78});
    run(2, kPad, {95, 96, 97});
    places.push_back({87, 2, kPad + 12, 4, 2});
    // Row 3: Caps A ... ' Enter; 4 5 6.
    places.push_back({57, 3, 0, 7});
    run(3, 7, {4, 22, 7, 9, 10, 11, 13, 14, 15, 51, 52});
    places.push_back({40, 3, 51, 9});
    run(3, kPad, {92, 93, 94});
    // Row 4: Shift Z ... / Shift; up; 1 2 3 Enter.
    places.push_back({kModifier + 1, 4, 0, 9});
    run(4, 9, {29, 27, 6, 25, 5, 17, 16, 54, 55, 56});
    places.push_back({kModifier + 5, 4, 49, 11});
    places.push_back({82, 4, kNav + 4, 4});
    run(4, kPad, {89, 90, 91});
    places.push_back({88, 4, kPad + 12, 4, 2});
    // Row 5: Ctrl Win Alt space Alt Win Apps Ctrl; left down right; 0 .
    places.push_back({kModifier + 0, 5, 0, 5});
    places.push_back({kModifier + 3, 5, 5, 5});
    places.push_back({kModifier + 2, 5, 10, 5});
    places.push_back({44, 5, 15, 25});
    places.push_back({kModifier + 6, 5, 40, 5});
    places.push_back({kModifier + 7, 5, 45, 5});
    places.push_back({101, 5, 50, 5});
    places.push_back({kModifier + 4, 5, 55, 5});
    run(5, kNav, {80, 81, 79});
    places.push_back({98, 5, kPad, 8});
    places.push_back({99, 5, kPad + 8, 4});
    return places;
}

QString key_name(int code) {
    return code >= kModifier ? QStringLiteral("PanelMod%1x").arg(code - kModifier) : QStringLiteral("PanelKey%1x").arg(code);
}

QString key_caption(int code) {
    if (code >= kModifier) return QString::fromLatin1(key_modifier_caption(static_cast<unsigned>(code - kModifier)));
    const char* caption = keyboard_key_caption(static_cast<unsigned>(code));
    return caption != nullptr ? QString::fromLatin1(caption) : QString();
}

}  // namespace

TFormKeyBoard::TFormKeyBoard(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("FormKeyBoard"));
    auto* right = new QVBoxLayout;
    right->addWidget(build_codes());
    right->addWidget(build_consumer_code());
    right->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(build_keyboard(), 1);
    top->addLayout(right);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(build_multimedia(), 1);
    bottom->addWidget(build_system_control());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    show_marks({});
}

QAbstractButton* TFormKeyBoard::add_button(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::StrongFocus);
    button->installEventFilter(this);
    button->setAutoFillBackground(true);
    connect(button, &QPushButton::clicked, this, [this, name] { emit key_clicked(name); });
    buttons_.push_back(button);
    return button;
}

QLineEdit* TFormKeyBoard::add_field(QWidget* parent, const QString& name, int max_length) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(max_length);
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("x0000")) + 16);
    field->setMaximumWidth(field->fontMetrics().averageCharWidth() * 12);
    connect(field, &QLineEdit::returnPressed, this, [this, field, name] { emit code_entered(name, field->text()); });
    return field;
}

QGroupBox* TFormKeyBoard::build_keyboard() {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBoxKeyboardPage07"));
    auto* grid = new QGridLayout(group);
    grid->setSpacing(2);
    for (const KeyPlace& place : keyboard_places()) {
        QAbstractButton* button = add_button(group, key_name(place.code), key_caption(place.code));
        button->setMinimumWidth(8);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        if (place.height > 1) button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
        grid->addWidget(button, place.row, place.column, place.height, place.width);
    }
    // Every quarter column equally wide, so the keys keep their proportions.
    for (int column = 0; column < kPad + 16; ++column) {
        grid->setColumnStretch(column, 1);
        grid->setColumnMinimumWidth(column, 9);
    }
    return group;
}

QGroupBox* TFormKeyBoard::build_codes() {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBoxKeyCodes"));
    auto* form = new QFormLayout(group);
    key1_ = add_field(group, QStringLiteral("EditKEY1x"), 8);
    key2_ = add_field(group, QStringLiteral("EditKEY2x"), 8);
    form->addRow(QStringLiteral("KEY1"), key1_);
    form->addRow(QStringLiteral("KEY2"), key2_);
    return group;
}

QGroupBox* TFormKeyBoard::build_multimedia() {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBoxKeyboardPage0C"));
    auto* grid = new QGridLayout(group);
    grid->setSpacing(2);
    const std::span<const KeyCaption> keys = consumer_keys();
    constexpr int kPerRow = 10;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const QString hex = QString::number(keys[i].usage, 16).rightJustified(4, QLatin1Char('0')).toUpper();
        QAbstractButton* button = add_button(group, QStringLiteral("SpeedButtonMMKey%1x").arg(hex), QString());
        button->setIcon(media_key_icon(keys[i].usage));
        button->setIconSize(QSize(24, 24));
        button->setCheckable(true);
        // The key's name is what the button stands for; the picture shows it.
        button->setToolTip(QString::fromLatin1(keys[i].caption));
        button->setAccessibleName(QString::fromLatin1(keys[i].caption));
        grid->addWidget(button, static_cast<int>(i) / kPerRow, static_cast<int>(i) % kPerRow);
    }
    return group;
}

QGroupBox* TFormKeyBoard::build_consumer_code() {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBoxMMKeyCode"));
    auto* layout = new QHBoxLayout(group);
    consumer_ = add_field(group, QStringLiteral("EditMMKeyCodex"), 8);
    layout->addWidget(consumer_);
    return group;
}

QGroupBox* TFormKeyBoard::build_system_control() {
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBoxSystemControl"));
    auto* grid = new QGridLayout(group);
    grid->setSpacing(2);
    for (unsigned bit = 0; bit < kSystemControlCount; ++bit) {
        QAbstractButton* button = add_button(group, QStringLiteral("SystemControl%1x").arg(bit), QString());
        grid->addWidget(button, static_cast<int>(bit) / 2, static_cast<int>(bit) % 2);
    }
    return group;
}

void TFormKeyBoard::take_focus() {
    show();
    raise();
    activateWindow();
    const auto marked = std::find_if(buttons_.begin(), buttons_.end(),
                                     [](const QAbstractButton* b) { return b->property("marked").toBool(); });
    QAbstractButton* first = marked != buttons_.end() ? *marked : buttons_.front();
    first->setFocus(Qt::ActiveWindowFocusReason);
}

QAbstractButton* TFormKeyBoard::neighbour(const QAbstractButton& from, int arrow) const {
    const QPoint at = from.geometry().center();
    QAbstractButton* best = nullptr;
    long best_score = std::numeric_limits<long>::max();
    for (QAbstractButton* other : buttons_) {
        if (other == &from || other->parentWidget() != from.parentWidget() || !other->isVisible()) continue;
        const QPoint d = other->geometry().center() - at;
        // Along the arrow, and how far off its line: a key beside counts before one a row away.
        const int along = arrow == Qt::Key_Right ? d.x() : arrow == Qt::Key_Left ? -d.x() : arrow == Qt::Key_Down ? d.y() : -d.y();
        const int across = arrow == Qt::Key_Left || arrow == Qt::Key_Right ? std::abs(d.y()) : std::abs(d.x());
        if (along <= 0) continue;
        const long score = along + 4L * across;
        if (score < best_score) {
            best_score = score;
            best = other;
        }
    }
    return best;
}

bool TFormKeyBoard::eventFilter(QObject* watched, QEvent* event) {
    auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    auto* from = qobject_cast<QAbstractButton*>(watched);
    if (key == nullptr || from == nullptr || key->modifiers() != Qt::NoModifier) return QWidget::eventFilter(watched, event);
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: from->click(); return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (QAbstractButton* next = neighbour(*from, key->key())) next->setFocus(Qt::TabFocusReason);
            return true;
        default: return QWidget::eventFilter(watched, event);
    }
}

void TFormKeyBoard::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFormKeyBoard::retranslate(Lang lang) {
    for (unsigned bit = 0; bit < kSystemControlCount; ++bit)
        if (QAbstractButton* b = button(QStringLiteral("SystemControl%1x").arg(bit)))
            b->setText(QString::fromUtf8(pick(system_control_caption(bit), lang)));
}

QAbstractButton* TFormKeyBoard::button(const QString& name) const {
    for (QAbstractButton* b : buttons_)
        if (b->objectName() == name) return b;
    return nullptr;
}

void TFormKeyBoard::set_mark(QAbstractButton* button, bool marked) {
    if (button->property("marked").toBool() == marked && button->property("drawn").toBool()) return;
    button->setProperty("marked", marked);
    button->setProperty("drawn", true);
    // Marked: green with text in the window colour; otherwise the plain button face.
    QPalette palette = this->palette();
    if (marked) {
        palette.setColor(QPalette::Button, QColor(40, 160, 60));
        palette.setColor(QPalette::ButtonText, palette.color(QPalette::Window));
    } else {
        palette.setColor(QPalette::ButtonText, Qt::black);
    }
    button->setPalette(palette);
    if (button->isCheckable()) button->setChecked(marked);
}

bool TFormKeyBoard::is_marked(const QString& name) const {
    const QAbstractButton* b = button(name);
    return b != nullptr && b->property("marked").toBool();
}

void TFormKeyBoard::show_marks(const KeyBoardMarks& marks) {
    for (QAbstractButton* b : buttons_)
        set_mark(b, std::find(marks.marked.begin(), marks.marked.end(), b->objectName()) != marks.marked.end());
    key1_->setText(marks.key1);
    key2_->setText(marks.key2);
    consumer_->setText(marks.consumer);
}

}  // namespace ztv
