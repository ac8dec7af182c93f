#include "app/language_walker.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace ztv {
namespace {

struct Rows {
    const TranslationRow* caption = nullptr;
    const TranslationRow* items = nullptr;
    const TranslationRow* hint = nullptr;
};

QString text_of(const TranslationRow* row, Lang lang) { return QString::fromUtf8(row->text(lang)); }

// A page of a QTabWidget: its caption is the tab's title.
QTabWidget* owning_tab_widget(QWidget* widget) {
    auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget());
    if (stack == nullptr) return nullptr;
    return qobject_cast<QTabWidget*>(stack->parentWidget());
}

void set_hint(QWidget* widget, const Rows& rows, Lang lang) {
    if (rows.hint == nullptr) return;
    widget->setToolTip(text_of(rows.hint, lang));
    widget->setProperty(kShowHint, true);
}

void translate_combo(QComboBox* combo, const Rows& rows, Lang lang) {
    const QSignalBlocker quiet(combo);
    if (rows.caption != nullptr) {
        const int index = combo->currentIndex();
        combo->clear();
        combo->addItems(split_entries(text_of(rows.caption, lang)));
        combo->setCurrentIndex(index < combo->count() ? index : -1);
    }
    set_hint(combo, rows, lang);
}

void translate_check_list(QListWidget* list, const Rows& rows, Lang lang) {
    const QSignalBlocker quiet(list);
    if (rows.caption != nullptr) {
        std::vector<Qt::CheckState> states;
        for (int i = 0; i < list->count(); ++i) states.push_back(list->item(i)->checkState());
        const int current = list->currentRow();
        list->clear();
        const QStringList entries = split_entries(text_of(rows.caption, lang));
        for (int i = 0; i < entries.size(); ++i) {
            auto* item = new QListWidgetItem(entries[i], list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            const auto at = static_cast<std::size_t>(i);
            item->setCheckState(at < states.size() ? states[at] : Qt::Unchecked);
        }
        if (current < list->count()) list->setCurrentRow(current);
    }
    set_hint(list, rows, lang);
}

void translate_tab_bar(QTabBar* bar, const Rows& rows, Lang lang) {
    const QSignalBlocker quiet(bar);
    if (rows.caption != nullptr) {
        const int index = bar->currentIndex();
        const QStringList titles = split_entries(text_of(rows.caption, lang));
        while (bar->count() > titles.size()) bar->removeTab(bar->count() - 1);
        for (int i = 0; i < titles.size(); ++i) {
            if (i < bar->count())
                bar->setTabText(i, titles[i]);
            else
                bar->addTab(titles[i]);
        }
        if (index < bar->count()) bar->setCurrentIndex(index);
    }
    set_hint(bar, rows, lang);
}

void translate_radio_group(QGroupBox* group, const Rows& rows, Lang lang) {
    if (rows.caption != nullptr) group->setTitle(text_of(rows.caption, lang));
    if (rows.items != nullptr) {
        const QList<QRadioButton*> buttons = group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
        const QStringList entries = split_entries(text_of(rows.items, lang));
        // The entries' texts change; the button that is checked stays checked.
        for (int i = 0; i < buttons.size() && i < entries.size(); ++i) buttons[i]->setText(entries[i]);
    }
    set_hint(group, rows, lang);
}

void translate_widget(QWidget* widget, const Rows& rows, Lang lang) {
    const QString kind = widget->property(kControlKind).toString();
    if (kind == kKindRadioGroup) {
        if (auto* group = qobject_cast<QGroupBox*>(widget)) translate_radio_group(group, rows, lang);
        return;
    }
    if (kind == kKindCheckList) {
        if (auto* list = qobject_cast<QListWidget*>(widget)) translate_check_list(list, rows, lang);
        return;
    }
    if (kind == kKindUpDown || kind == kKindPaintBox || qobject_cast<QToolBar*>(widget) != nullptr ||
        qobject_cast<QScrollBar*>(widget) != nullptr) {
        set_hint(widget, rows, lang);
        return;
    }
    if (auto* tabs = owning_tab_widget(widget)) {
        const int index = tabs->indexOf(widget);
        if (rows.caption != nullptr) tabs->setTabText(index, text_of(rows.caption, lang));
        if (rows.hint != nullptr) {
            tabs->setTabToolTip(index, text_of(rows.hint, lang));
            widget->setProperty(kShowHint, true);
        }
        return;
    }
    if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        const QSignalBlocker quiet(check);
        const Qt::CheckState state = check->checkState();
        if (rows.caption != nullptr) check->setText(text_of(rows.caption, lang));
        set_hint(check, rows, lang);
        check->setCheckState(state);
        return;
    }
    if (auto* button = qobject_cast<QToolButton*>(widget)) {
        if (rows.caption != nullptr) button->setText(text_of(rows.caption, lang));
        set_hint(button, rows, lang);
        return;
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (rows.caption != nullptr) label->setText(text_of(rows.caption, lang));
        set_hint(label, rows, lang);
        return;
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        if (rows.caption != nullptr) group->setTitle(text_of(rows.caption, lang));
        set_hint(group, rows, lang);
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        translate_combo(combo, rows, lang);
        return;
    }
    if (auto* bar = qobject_cast<QTabBar*>(widget)) {
        translate_tab_bar(bar, rows, lang);
        return;
    }
    // Edits, push buttons, grids, list views, text views: the table has nothing for them.
}

}  // namespace

QStringList split_entries(const QString& text) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList entries = normalised.split(QLatin1Char('\n'));
    if (!entries.isEmpty() && entries.last().isEmpty()) entries.removeLast();
    return entries;
}

void translate_window(std::span<const TranslationRow> table, QWidget* window, Lang lang) {
    const TranslationIndex index(table);
    const std::string window_name = window->objectName().toStdString();
    if (const auto* title = index.find(window_name + "_Caption"))
        window->setWindowTitle(text_of(title, lang));

    const QList<QObject*> components = window->findChildren<QObject*>();
    for (QObject* component : components) {
        const QString name = component->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
        const std::string control = name.toStdString();
        Rows rows;
        rows.caption = index.find(translation_key(window_name, control, "Caption"));
        rows.items = index.find(translation_key(window_name, control, "Items"));
        rows.hint = index.find(translation_key(window_name, control, "Hint"));
        if (rows.caption == nullptr && rows.items == nullptr && rows.hint == nullptr) continue;

        if (auto* action = qobject_cast<QAction*>(component)) {
            if (rows.caption != nullptr) action->setText(text_of(rows.caption, lang));
            if (rows.hint != nullptr) action->setToolTip(text_of(rows.hint, lang));
            continue;
        }
        if (auto* widget = qobject_cast<QWidget*>(component)) translate_widget(widget, rows, lang);
    }
}

}  // namespace ztv
