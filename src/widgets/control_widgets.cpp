#include "widgets/control_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>
#include <limits>
#include <optional>

#include "widgets/control_kinds.h"
#include "widgets/cp1251_validator.h"

namespace ztv {
namespace {

QString qtext(const Text& text, Lang lang) { return QString::fromStdString(text.in(lang)); }

std::string utf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

int clamp_int(std::int64_t value) {
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

// True when the list already holds exactly these entries, so a refresh that changes nothing
// leaves the popup, its width and the user's scroll position alone.
bool same_entries(const QComboBox& combo, const std::vector<Text>& items, Lang lang) {
    if (combo.count() != static_cast<int>(items.size())) return false;
    for (int i = 0; i < combo.count(); ++i)
        if (combo.itemText(i) != qtext(items[static_cast<std::size_t>(i)], lang)) return false;
    return true;
}

class ListControl : public BoundControl {
public:
    ListControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
        combo_ = new QComboBox(this);
        combo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        // Short lists line up with the longer ones beside them.
        combo_->setMinimumWidth(140);
        set_input(combo_);
        // activated, not currentIndexChanged: only the user's choice counts, and choosing the
        // same entry again (e.g. "Select..." to change the sources) is a choice too.
        connect(combo_, &QComboBox::activated, this, [this](int index) { report(index); });
    }

protected:
    void show_value(const ControlView& view, Lang lang) override {
        if (!same_entries(*combo_, view.items, lang)) {
            combo_->clear();
            for (const Text& item : view.items) combo_->addItem(qtext(item, lang));
        }
        combo_->setCurrentIndex(view.selected >= 0 && view.selected < combo_->count() ? view.selected : -1);
    }

private:
    QComboBox* combo_ = nullptr;
};

class CheckControl : public BoundControl {
public:
    CheckControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
        box_ = new QCheckBox(this);
        set_input(box_);
        connect(box_, &QCheckBox::clicked, this, [this](bool checked) { report(checked ? 1 : 0); });
    }

protected:
    void show_value(const ControlView& view, Lang lang) override {
        const QString caption = qtext(view.label, lang);
        if (box_->text() != caption) box_->setText(caption);
        box_->setChecked(view.checked);
    }

private:
    QCheckBox* box_ = nullptr;
};

// What was typed and taken back by an undo, for the redo right after it.
class TakenBackTyping {
public:
    // Puts `shown` back into the box when the box holds something else.
    bool take_back(QLineEdit& box, const QString& shown) {
        if (box.text() == shown) return false;
        typed_ = box.text();
        box.setText(shown);
        return true;
    }
    bool bring_back(QLineEdit& box, const QString& shown) {
        if (!typed_ || box.text() != shown) return false;
        box.setText(*typed_);
        typed_.reset();
        return true;
    }
    void forget() { typed_.reset(); }

private:
    std::optional<QString> typed_;
};

class EditControl : public BoundControl {
public:
    EditControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
        edit_ = new QLineEdit(this);
        edit_->setMinimumWidth(90);
        edit_->setMaximumWidth(140);
        refuse_outside_cp1251(*edit_);
        set_input(edit_);
        // Committed with Enter only; text typed and left is discarded by the next refresh.
        connect(edit_, &QLineEdit::returnPressed, this, [this] { report(0, utf8(edit_->text())); });
    }
    bool undo_typing() override { return typing_.take_back(*edit_, shown_); }
    bool redo_typing() override { return typing_.bring_back(*edit_, shown_); }

protected:
    void show_value(const ControlView& view, Lang lang) override {
        edit_->setMaxLength(view.max_length > 0 ? view.max_length : 32767);
        const QString text = qtext(view.text, lang);
        if (text != shown_) typing_.forget();
        shown_ = text;
        if (edit_->text() != text) edit_->setText(text);
    }

private:
    QLineEdit* edit_ = nullptr;
    QString shown_;  // what the record holds, as last shown
    TakenBackTyping typing_;
};

// A spin box whose typed text and value's text can be told apart.
class TypedSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;
    using QSpinBox::lineEdit;
    QString value_text() const { return prefix() + textFromValue(value()) + suffix(); }
};

class SpinControl : public BoundControl {
public:
    SpinControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
        spin_ = new TypedSpinBox(this);
        // One report per arrow click or Enter, not one per typed digit.
        spin_->setKeyboardTracking(false);
        spin_->setMinimumWidth(70);
        set_input(spin_);
        connect(spin_, &QSpinBox::valueChanged, this, [this](int value) {
            typing_.forget();
            report(value);
        });
    }
    bool undo_typing() override { return typing_.take_back(*spin_->lineEdit(), spin_->value_text()); }
    bool redo_typing() override { return typing_.bring_back(*spin_->lineEdit(), spin_->value_text()); }

protected:
    void show_value(const ControlView& view, Lang) override {
        spin_->setRange(clamp_int(view.minimum), clamp_int(view.maximum));
        spin_->setValue(clamp_int(view.value));
    }

private:
    TypedSpinBox* spin_ = nullptr;
    TakenBackTyping typing_;
};

class CheckListControl : public BoundControl {
public:
    CheckListControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
        list_ = new QListWidget(this);
        list_->setProperty(kControlKind, QString::fromLatin1(kKindCheckList));
        list_->setSelectionMode(QAbstractItemView::NoSelection);
        list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        set_input(list_);
        connect(list_, &QListWidget::itemChanged, this, [this] { report(mask()); });
    }

protected:
    void show_value(const ControlView& view, Lang lang) override {
        if (list_->count() != static_cast<int>(view.items.size())) {
            list_->clear();
            for (std::size_t i = 0; i < view.items.size(); ++i) {
                auto* item = new QListWidgetItem(list_);
                item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            }
        }
        for (int i = 0; i < list_->count(); ++i) {
            QListWidgetItem* item = list_->item(i);
            const QString text = qtext(view.items[static_cast<std::size_t>(i)], lang);
            if (item->text() != text) item->setText(text);
            const bool ticked = i < 32 && (view.bits >> i & 1u) != 0;
            item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        }
        // Every entry in sight: these lists are short and a scroll bar would hide a tick.
        const int rows = std::max(list_->count(), 1);
        const int row_height = list_->count() > 0 ? list_->sizeHintForRow(0) : 18;
        list_->setFixedHeight(rows * row_height + 2 * list_->frameWidth() + 2);
        list_->setMinimumWidth(list_->sizeHintForColumn(0) + 2 * list_->frameWidth() + 8);
    }

private:
    std::int64_t mask() const {
        std::uint32_t bits = 0;
        for (int i = 0; i < list_->count() && i < 32; ++i)
            if (list_->item(i)->checkState() == Qt::Checked) bits |= 1u << i;
        return bits;
    }

    QListWidget* list_ = nullptr;
};

// A tool button, like the toolbar's: the main window finds the setup buttons among its tool
// buttons and locks them with the toolbar while an operation runs.
class ButtonControl : public BoundControl {
public:
    ButtonControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
        button_ = new QToolButton(this);
        button_->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button_->setMinimumHeight(26);
        set_input(button_);
        connect(button_, &QToolButton::clicked, this, [this] { report(0); });
    }

protected:
    void show_value(const ControlView& view, Lang lang) override {
        const QString text = qtext(view.text, lang);
        if (button_->text() != text) button_->setText(text);
    }

private:
    QToolButton* button_ = nullptr;
};

class LabelControl : public BoundControl {
public:
    LabelControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
        label_ = new QLabel(this);
        label_->setWordWrap(true);
        set_input(label_);
    }

protected:
    void show_value(const ControlView& view, Lang lang) override {
        const QString text = qtext(view.text, lang);
        if (label_->text() != text) label_->setText(text);
    }

private:
    QLabel* label_ = nullptr;
};

// The editor of a table cell: refuses typing once the cell holds max_length characters
// (Backspace, Delete and moving still work) and reports every change as it happens.
class BoundedCellDelegate : public QStyledItemDelegate {
public:
    BoundedCellDelegate(QObject* parent, QObject* key_filter, std::function<void(int row, const QString& text)> changed)
        : QStyledItemDelegate(parent), key_filter_(key_filter), changed_(std::move(changed)) {}
    void set_max_length(int length) { max_length_ = length; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
        auto* edit = new QLineEdit(parent);
        edit->installEventFilter(key_filter_);
        if (max_length_ > 0) edit->setMaxLength(max_length_);
        refuse_outside_cp1251(*edit);
        const int row = index.row();
        connect(edit, &QLineEdit::textEdited, edit, [this, row](const QString& text) { changed_(row, text); });
        editor_ = edit;
        editor_row_ = row;
        return edit;
    }
    // The editor open on `row`, if any.
    QLineEdit* editor(int row) const { return editor_ != nullptr && editor_row_ == row ? editor_.data() : nullptr; }

private:
    QObject* key_filter_;
    std::function<void(int, const QString&)> changed_;
    int max_length_ = 0;
    mutable QPointer<QLineEdit> editor_;
    mutable int editor_row_ = -1;
};

// Rows of texts: the first column numbers the rows from 1, the second holds the editable text.
class TableControl : public BoundControl {
public:
    TableControl(const ControlView& view, QWidget* parent) : BoundControl(view, parent) {
        table_ = new QTableWidget(0, 2, this);
        table_->verticalHeader()->hide();
        table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
        table_->horizontalHeader()->setStretchLastSection(true);
        table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table_->setSelectionMode(QAbstractItemView::SingleSelection);
        table_->setEditTriggers(QAbstractItemView::AllEditTriggers);
        table_->setMinimumWidth(200);
        delegate_ =
            new BoundedCellDelegate(table_, this, [this](int row, const QString& text) { report(row, utf8(text)); });
        table_->setItemDelegateForColumn(1, delegate_);
        set_input(table_);
    }

protected:
    void show_value(const ControlView& view, Lang lang) override {
        delegate_->set_max_length(view.max_length);
        QStringList titles;
        for (const Text& title : view.columns) titles << qtext(title, lang);
        while (titles.size() < 2) titles << QString();
        table_->setHorizontalHeaderLabels(titles);
        table_->horizontalHeader()->setHidden(view.columns.empty());
        const int rows = static_cast<int>(view.items.size());
        if (table_->rowCount() != rows) table_->setRowCount(rows);
        for (int row = 0; row < rows; ++row) {
            if (table_->item(row, 0) == nullptr) {
                auto* number = new QTableWidgetItem(QString::number(row + 1));
                number->setFlags(Qt::ItemIsEnabled);
                number->setTextAlignment(Qt::AlignCenter);
                table_->setItem(row, 0, number);
                table_->setItem(row, 1, new QTableWidgetItem);
            }
            const QString text = qtext(view.items[static_cast<std::size_t>(row)], lang);
            // A cell being typed in shows what the record holds as well: each change is there at
            // once, and an undo may have taken the typing back (set without a report).
            if (QLineEdit* editor = delegate_->editor(row); editor != nullptr && editor->text() != text)
                editor->setText(text);
            if (table_->item(row, 1)->text() != text) table_->item(row, 1)->setText(text);
        }
        table_->resizeColumnToContents(0);
        fit_height();
    }

    // Sizes settle once the style has polished the table, so it is fitted again when shown.
    void showEvent(QShowEvent* event) override {
        BoundControl::showEvent(event);
        fit_height();
    }

private:
    // Every row in sight: the table is short and a scroll bar would hide a name.
    void fit_height() {
        QHeaderView* header = table_->horizontalHeader();
        const int header_height = header->isHidden() ? 0 : std::max(header->height(), header->sizeHint().height());
        table_->setFixedHeight(header_height + table_->verticalHeader()->length() + 2 * table_->frameWidth());
    }

    QTableWidget* table_ = nullptr;
    BoundedCellDelegate* delegate_ = nullptr;
};

}  // namespace

BoundControl::BoundControl(const ControlView& view, QWidget* parent)
    : QWidget(parent), name_(view.name), kind_(view.kind) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    if (kind_ != ControlKind::Check) {
        caption_ = new QLabel(parent);
        caption_->setBuddy(this);
    }
}

BoundControl::~BoundControl() {
    // A caption that no page took lives with its control.
    if (caption_ != nullptr && caption_->parent() == nullptr) delete caption_.data();
}

void BoundControl::drop_caption() { delete caption_.data(); }

void BoundControl::set_input(QWidget* input) {
    input_ = input;
    input_->installEventFilter(this);
    input_->setObjectName(QString::fromUtf8(name_.data(), static_cast<qsizetype>(name_.size())));
    auto* row = static_cast<QHBoxLayout*>(layout());
    row->addWidget(input_);
    unit_ = new QLabel(this);
    unit_->hide();
    row->addWidget(unit_);
    row->addStretch(1);
}

void BoundControl::show_view(const ControlView& view, Lang lang) {
    showing_ = true;
    if (caption_ != nullptr) {
        const QString caption = qtext(view.label, lang);
        if (caption_->text() != caption) caption_->setText(caption);
        caption_->setVisible(view.visible && !caption.isEmpty());
        caption_->setEnabled(view.enabled);
        caption_->setToolTip(qtext(view.hint, lang));
    }
    const QString unit = qtext(view.unit, lang);
    if (unit_->text() != unit) unit_->setText(unit);
    unit_->setVisible(!unit.isEmpty());
    input_->setToolTip(qtext(view.hint, lang));
    show_value(view, lang);
    setEnabled(view.enabled);
    setVisible(view.visible);
    showing_ = false;
}

void BoundControl::report(std::int64_t value, std::string text) {
    if (showing_) return;
    emit acted(ControlAction{name_, kind_, value, std::move(text)});
}

void BoundControl::take_focus() {
    input_->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(input_)) edit->selectAll();
    if (auto* spin = qobject_cast<QSpinBox*>(input_)) spin->selectAll();
    QCursor::setPos(input_->mapToGlobal(input_->rect().center()));
}

QPoint BoundControl::bottom_centre() const {
    return input_->mapToGlobal(QPoint(input_->width() / 2, input_->height()));
}

bool BoundControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        // A text box would take these keys for its own text; declining the override lets the
        // window's shortcut have them.
        if (key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo) ||
            key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
            key.keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

BoundControl* bound_control_of(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (auto* control = qobject_cast<BoundControl*>(w)) return control;
    return nullptr;
}

BoundControl* make_bound_control(const ControlView& view, QWidget* parent) {
    switch (view.kind) {
        case ControlKind::List: return new ListControl(view, parent);
        case ControlKind::Check: return new CheckControl(view, parent);
        case ControlKind::Edit: return new EditControl(view, parent);
        case ControlKind::Spin: return new SpinControl(view, parent);
        case ControlKind::CheckList: return new CheckListControl(view, parent);
        case ControlKind::Button: return new ButtonControl(view, parent);
        case ControlKind::Label: return new LabelControl(view, parent);
        case ControlKind::Table: return new TableControl(view, parent);
    }
    return new LabelControl(view, parent);
}

void add_form_row(QFormLayout& form, BoundControl& control) {
    if (control.caption() != nullptr && !control.caption()->text().isEmpty()) {
        form.addRow(control.caption(), &control);
        return;
    }
    // Nothing to say beside it: the control takes the whole row.
    control.drop_caption();
    form.addRow(&control);
}

BoundControl* ControlSet::add(BoundControl* control) {
    controls_[control->name()] = control;
    QObject::connect(control, &BoundControl::acted, control, [this](const ControlAction& action) {
        if (handler_) handler_(action);
    });
    return control;
}

BoundControl* ControlSet::find(std::string_view name) const {
    const auto it = controls_.find(std::string(name));
    return it != controls_.end() ? it->second : nullptr;
}

void ControlSet::show(const std::vector<ControlView>& views, Lang lang) const {
    for (const ControlView& view : views)
        if (BoundControl* control = find(view.name)) control->show_view(view, lang);
}

}  // namespace ztv
