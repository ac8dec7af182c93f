#include "events/editor_controls_widget.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QKeyEvent>

#include <string_view>

namespace ztv {
namespace {

QString qtext(const Text& text, Lang lang) { return QString::fromStdString(text.in(lang)); }

// A framed text that shows when it has the keyboard focus (a plain label draws nothing).
class FocusLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!hasFocus()) return;
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
};

QLabel* framed_label(QWidget* parent) {
    auto* label = new FocusLabel(parent);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAutoFillBackground(true);
    // Wide enough for the longest CAN AUTO key name; a longer text widens the panel.
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 36);
    label->setMargin(3);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return label;
}

// The names of the controls that are not drawn by the generic widgets.
constexpr std::string_view kDropTargets[] = {"PanelKeyx", "PanelKeyModx"};
constexpr std::string_view kPanels[] = {"PanelEventIRx", "PanelReactionIRx", "PanelReactionUSBKeyx"};
constexpr std::string_view kTouchPoint = "SpeedButtonReactionTouch";

template <std::size_t N>
bool one_of(std::string_view name, const std::string_view (&names)[N]) {
    for (const std::string_view n : names)
        if (n == name) return true;
    return false;
}

}  // namespace

QMimeData* make_button_drag(ButtonDrag button) {
    auto* data = new QMimeData;
    QByteArray bytes;
    bytes.append(static_cast<char>(button.channel));
    bytes.append(static_cast<char>(button.key));
    data->setData(QString::fromLatin1(kButtonDragMime), bytes);
    return data;
}

std::optional<ButtonDrag> button_drag_of(const QMimeData* data) {
    if (data == nullptr) return std::nullopt;
    const QByteArray bytes = data->data(QString::fromLatin1(kButtonDragMime));
    // Anything else than the two bytes the button table puts there is not a learned button.
    if (bytes.size() != 2) return std::nullopt;
    return ButtonDrag{static_cast<std::uint8_t>(bytes[0]), static_cast<std::uint8_t>(bytes[1])};
}

PanelControl::PanelControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
    QLabel* label = framed_label(this);
    label->setCursor(Qt::PointingHandCursor);
    // Reached with Tab and clicked with Space or Enter, like a button.
    label->setFocusPolicy(Qt::StrongFocus);
    label->installEventFilter(this);
    set_input(label);
}

void PanelControl::show_value(const ControlView& view, Lang lang) {
    auto* label = static_cast<QLabel*>(input());
    const QString text = qtext(view.text, lang);
    if (label->text() != text) label->setText(text);
}

bool PanelControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == input()) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && input()->isEnabled()) {
            report(0);
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                report(0);
                return true;
            }
        }
        if (event->type() == QEvent::ContextMenu) {
            if (context_) context_(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
    }
    return BoundControl::eventFilter(watched, event);
}

ButtonDropControl::ButtonDropControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
    QLabel* label = framed_label(this);
    label->setAcceptDrops(true);
    label->installEventFilter(this);
    set_input(label);
}

void ButtonDropControl::set_drop_rules(std::function<bool(ButtonDrag)> accepts, std::function<void(ButtonDrag)> dropped) {
    accepts_ = std::move(accepts);
    dropped_ = std::move(dropped);
}

void ButtonDropControl::show_value(const ControlView& view, Lang lang) {
    auto* label = static_cast<QLabel*>(input());
    const QString text = qtext(view.text, lang);
    if (label->text() != text) label->setText(text);
}

void ButtonDropControl::set_mark(int mark) {
    if (mark == mark_) return;
    mark_ = mark;
    QPalette palette = this->palette();
    if (mark > 0) palette.setColor(QPalette::Window, QColor(110, 210, 120));
    if (mark < 0) palette.setColor(QPalette::Window, QColor(235, 110, 100));
    input()->setPalette(palette);
}

bool ButtonDropControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != input()) return BoundControl::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            const std::optional<ButtonDrag> button = button_drag_of(drag->mimeData());
            if (!button) {
                drag->ignore();
                return true;
            }
            const bool taken = accepts_ && accepts_(*button);
            set_mark(taken ? 1 : -1);
            // Entering is always taken, so the moves keep coming and the red mark stays in sight;
            // the moves say whether a drop would land.
            if (event->type() == QEvent::DragEnter || taken)
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::DragLeave:
            set_mark(0);
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            set_mark(0);
            const std::optional<ButtonDrag> button = button_drag_of(drop->mimeData());
            if (button && accepts_ && accepts_(*button)) {
                drop->acceptProposedAction();
                if (dropped_) dropped_(*button);
            } else {
                drop->ignore();
            }
            return true;
        }
        case QEvent::ContextMenu:
            if (context_) context_(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        default: return BoundControl::eventFilter(watched, event);
    }
}

TouchPointControl::TouchPointControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
    auto* button = new QPushButton(this);
    connect(button, &QPushButton::clicked, this, [this] { report(0); });
    set_input(button);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBarTouchPointx"));
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    progress_->setMaximumWidth(160);
    progress_->hide();
    // Right after the button, before the row's closing stretch.
    static_cast<QBoxLayout*>(layout())->insertWidget(2, progress_);
}

void TouchPointControl::show_value(const ControlView& view, Lang lang) {
    auto* button = static_cast<QPushButton*>(input());
    const QString text = qtext(view.text, lang);
    if (button->text() != text) button->setText(text);
}

BoundControl* make_editor_control(const ControlView& view, QWidget* parent) {
    if (one_of(view.name, kDropTargets)) return new ButtonDropControl(view, parent);
    if (one_of(view.name, kPanels)) return new PanelControl(view, parent);
    if (view.name == kTouchPoint) return new TouchPointControl(view, parent);
    return make_bound_control(view, parent);
}

}  // namespace ztv
