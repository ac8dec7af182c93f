// The language switch and the parameter-page model must tell the same story: every control of
// the binding table, drawn as a plain widget under its own name and translated by the window
// walker, shows exactly what the page refresh says it shows.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>

#include "app/form_tables.h"
#include "app/language_walker.h"
#include "config/parameter_model.h"

namespace ztv {
namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

bool code_set(std::string_view name) { return !name.empty() && name.back() == 'x'; }

class ParameterTranslation : public ::testing::TestWithParam<Lang> {
protected:
    QWidget window;
    QTabWidget* tabs = nullptr;
    std::map<std::string, QWidget*> controls;
    std::map<std::string, QLabel*> labels;
    std::map<std::string, QGroupBox*> groups;

    void SetUp() override {
        window.setObjectName(QStringLiteral("MainForm"));
        tabs = new QTabWidget(&window);
        for (const ParamPageDef& page : parameter_pages()) {
            auto* sheet = new QWidget;
            sheet->setObjectName(QString::fromLatin1(page.sheet));
            tabs->addTab(sheet, QStringLiteral("design"));
            for (const ParamBinding& row : page_bindings(page.id)) build(row, sheet);
        }
        for (const ParamGroup& group : parameter_groups()) {
            if (group.name == nullptr) continue;
            auto* box = new QGroupBox(&window);
            box->setObjectName(QString::fromLatin1(group.name));
            groups[group.name] = box;
        }
    }

    QLabel* label_named(const char* name, QWidget* parent) {
        auto* label = new QLabel(QStringLiteral("design"), parent);
        label->setObjectName(QString::fromLatin1(name));
        labels[name] = label;
        return label;
    }

    void build(const ParamBinding& row, QWidget* sheet) {
        if (row.label_name != nullptr) label_named(row.label_name, sheet);
        if (row.unit_name != nullptr) label_named(row.unit_name, sheet);
        QWidget* widget = nullptr;
        switch (row.widget) {
            case ControlKind::List: {
                auto* combo = new QComboBox(sheet);
                for (std::size_t i = 0; i < row.entries().size(); ++i) combo->addItem(QStringLiteral("design"));
                widget = combo;
                break;
            }
            case ControlKind::CheckList: {
                auto* list = new QListWidget(sheet);
                list->setProperty(kControlKind, kKindCheckList);
                for (std::size_t i = 0; i < row.entries().size(); ++i) list->addItem(QStringLiteral("design"));
                widget = list;
                break;
            }
            case ControlKind::Check: widget = new QCheckBox(QStringLiteral("design"), sheet); break;
            case ControlKind::Button: widget = new QToolButton(sheet); break;
            case ControlKind::Label: widget = new QLabel(QStringLiteral("design"), sheet); break;
            default: return;  // edits, spins and tables take nothing from the table but their labels
        }
        widget->setObjectName(QString::fromLatin1(row.control));
        controls[row.control] = widget;
    }
};

TEST_P(ParameterTranslation, EveryTranslatedControlShowsWhatTheRefreshSays) {
    const Lang lang = GetParam();
    translate_window(main_form_table(), &window, lang);
    ConfigState state;  // the zero record the program starts with
    const auto pages = refresh_pages(state);
    ASSERT_EQ(static_cast<std::size_t>(tabs->count()), pages.size());
    std::size_t compared = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(tabs->tabText(static_cast<int>(p)), parameter_pages()[p].translated ? q(pages[p].caption.in(lang))
                                                                                    : QStringLiteral("design"))
            << "fixed captions are not translated";
        for (const ControlView& view : pages[p].controls) {
            SCOPED_TRACE(std::string(view.name));
            const ParamBinding& row = *find_binding(view.name);
            if (row.label_name != nullptr) {
                EXPECT_EQ(labels.at(row.label_name)->text(), q(view.label.in(lang)));
                ++compared;
            }
            if (row.unit_name != nullptr) {
                EXPECT_EQ(labels.at(row.unit_name)->text(), q(view.unit.in(lang)));
            }
            const auto found = controls.find(std::string(view.name));
            if (found == controls.end() || code_set(view.name)) continue;
            QWidget* widget = found->second;
            if (!view.hint.empty()) {
                EXPECT_EQ(widget->toolTip(), q(view.hint.in(lang)));
            }
            if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                ASSERT_EQ(static_cast<std::size_t>(combo->count()), view.items.size());
                for (std::size_t i = 0; i < view.items.size(); ++i)
                    EXPECT_EQ(combo->itemText(static_cast<int>(i)), q(view.items[i].in(lang))) << i;
            } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
                ASSERT_EQ(static_cast<std::size_t>(list->count()), view.items.size());
                for (std::size_t i = 0; i < view.items.size(); ++i)
                    EXPECT_EQ(list->item(static_cast<int>(i))->text(), q(view.items[i].in(lang))) << i;
            } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
                EXPECT_EQ(check->text(), q(view.label.in(lang)));
            } else if (auto* button = qobject_cast<QToolButton*>(widget)) {
                EXPECT_EQ(button->text(), q(view.text.in(lang)));
            } else if (auto* note = qobject_cast<QLabel*>(widget)) {
                EXPECT_EQ(note->text(), q(view.text.in(lang)));
            }
            ++compared;
        }
    }
    for (const ParamGroup& group : parameter_groups())
        if (group.name != nullptr) {
            EXPECT_EQ(groups.at(group.name)->title(), q(to_text(group.caption).in(lang)));
        }
    EXPECT_GT(compared, 120u);  // the walk did reach the pages
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ParameterTranslation, ::testing::Values(Lang::Russian, Lang::English));

}  // namespace
}  // namespace ztv
