// The "Parameters" tab at the window's own sizes: the parameter pages above and the
// event/reaction editor below both keep a usable height, whatever the editor's pages hold,
// and a height from the settings file wins within bounds.
#include <QApplication>
#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/pane_split.h"
#include "config/parameter_pages.h"
#include "events/button_tab_row_widget.h"
#include "events/slot_editor_view.h"
#include "shell_fixture.h"

namespace ztv {
namespace {

using testing::ShellFixture;

// Four lines of fields of the parameter pages, below their tab row.
constexpr int kUsablePageHeight = 4 * 28;

class ParameterSplitTest : public ShellFixture {
protected:
    // The window at `size` in `lang`, the "Parameters" tab shown, and every event and
    // reaction page built once (each page is built when a slot of its kind is first shown, and
    // a built page can make the editor ask for more height).
    TMainForm& shown(QSize size, int lang) {
        TMainForm& form = make_form();
        form.initialise();
        form.page_host().set_language(lang);
        form.page_control()->setCurrentWidget(form.parameters_page());
        SlotEditor& editor = *form.slot_editor();
        for (int kind = 0; kind < editor.event_tabs()->count(); ++kind) editor.event_tabs()->tab(kind)->click();
        for (int kind = 0; kind < editor.reaction_tabs()->count(); ++kind) editor.reaction_tabs()->tab(kind)->click();
        form.setMinimumSize(0, 0);
        form.resize(size);
        form.show();
        settle();
        return form;
    }

    static void settle() {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }

    static int pages_height(TMainForm& form) { return form.parameters_splitter()->sizes().value(0); }
    static int editor_height(TMainForm& form) { return form.parameters_splitter()->sizes().value(1); }

    // What a person sees of each half.
    static void expect_both_halves_usable(TMainForm& form, const char* where) {
        ParameterPages* pages = form.parameter_pages();
        const auto* page = qobject_cast<QScrollArea*>(pages->currentWidget());
        ASSERT_NE(page, nullptr) << where;
        EXPECT_GE(page->viewport()->height(), kUsablePageHeight) << where << ": the parameter pages are squeezed";
        EXPECT_GE(pages->height(), pages->tabBar()->height() + kUsablePageHeight) << where;

        SlotEditor* editor = form.slot_editor();
        EXPECT_GE(editor->slot_tabs()->height(), editor->slot_tabs()->heightForWidth(editor->slot_tabs()->width()))
            << where << ": some of the 80 slot tabs are cut off";
        EXPECT_GE(editor->groups_area()->viewport()->height(), SlotEditor::kGroupsMinimumHeight)
            << where << ": the event and reaction groups are squeezed";
        EXPECT_GE(pages_height(form), kMinParameterPagesHeight) << where;
        EXPECT_GE(editor_height(form), kMinEventEditorHeight) << where;
    }
};

TEST_F(ParameterSplitTest, BothHalvesAreUsableAtTheDefaultSizeInBothLanguages) {
    for (int lang : {0, 1}) {
        TMainForm& form = shown(QSize(1024, 720), lang);
        expect_both_halves_usable(form, lang == 0 ? "1024x720 ru" : "1024x720 en");
        // The editor gets what its pages need, whole, and the pages the rest.
        EXPECT_EQ(form.slot_editor()->groups_area()->verticalScrollBar()->maximum(), 0) << lang;
        EXPECT_GE(pages_height(form) * 3, form.parameters_splitter()->height()) << lang;
        form.close();
        window.reset();
    }
}

TEST_F(ParameterSplitTest, BothHalvesAreUsableAtALargerWindow) {
    TMainForm& form = shown(QSize(1280, 800), 0);
    expect_both_halves_usable(form, "1280x800 ru");
}

// The editor's minimum must not take the border away from the user: dragged fully down, the
// pages get most of the tab; dragged fully up, the editor does.
TEST_F(ParameterSplitTest, TheBorderMovesFarEitherWay) {
    TMainForm& form = shown(QSize(1024, 720), 0);
    QSplitter* splitter = form.parameters_splitter();
    const int total = pages_height(form) + editor_height(form);
    splitter->setSizes({total, 0});
    emit splitter->splitterMoved(total, 1);  // as a drag of the border ends
    settle();
    EXPECT_GE(pages_height(form), total - kMinEventEditorHeight) << "the editor's minimum height wins over the user";
    EXPECT_GE(editor_height(form), kMinEventEditorHeight / 2) << "the editor cannot collapse";
    splitter->setSizes({0, total});
    emit splitter->splitterMoved(0, 1);
    settle();
    EXPECT_GE(editor_height(form), total - kMinParameterPagesHeight);
    EXPECT_GT(pages_height(form), 0) << "the pages cannot collapse";
}

// The editor's height follows the kind page shown, both ways: after a tall kind the pages get
// their height back, and browsing slots that show the same pages leaves the border alone.
TEST_F(ParameterSplitTest, TheEditorsHeightFollowsTheKindPageShownBothWays) {
    TMainForm& form = make_form();
    form.initialise();
    form.page_host().set_language(1);
    form.page_control()->setCurrentWidget(form.parameters_page());
    form.setMinimumSize(0, 0);
    form.resize(QSize(1024, 720));
    form.show();
    settle();
    SlotEditor& editor = *form.slot_editor();
    const int empty = editor_height(form);
    int tallest = 0;
    int tallest_height = 0;
    for (int kind = 0; kind < editor.event_tabs()->count(); ++kind) {
        editor.event_tabs()->tab(kind)->click();
        settle();
        if (editor_height(form) > tallest_height) {
            tallest = kind;
            tallest_height = editor_height(form);
        }
    }
    ASSERT_GT(tallest_height, empty) << "no kind page is taller than an empty slot's";
    editor.event_tabs()->tab(tallest)->click();
    settle();
    run_for(kEditorShrinkDelayMs);
    ASSERT_EQ(editor_height(form), tallest_height);
    // Browsed past, the slots move nothing (the tall one comes by again on the way); stayed on,
    // an empty slot gives the height back.
    const int pages = pages_height(form);
    for (std::size_t slot = 1; slot < 12; ++slot) {
        editor.select_slot(slot == 6 ? 0 : slot);
        settle();
        run_for(kEditorShrinkDelayMs / 5);
        EXPECT_EQ(pages_height(form), pages) << "slot " << slot + 1;
    }
    run_for(kEditorShrinkDelayMs);
    EXPECT_EQ(editor_height(form), empty);
}

TEST_F(ParameterSplitTest, AStoredShareWinsAndIsSavedAtClose) {
    write_settings("[MainSettings]\nParamShare=500\n");
    TMainForm& form = shown(QSize(1024, 720), 1);
    const int total = pages_height(form) + editor_height(form);
    EXPECT_NEAR(pages_height(form), total / 2, 1);
    expect_both_halves_usable(form, "stored 500");
    form.parameters_splitter()->setSizes({260, 1000});
    emit form.parameters_splitter()->splitterMoved(260, 1);  // as a drag of the border ends
    settle();
    const int kept = pages_share({pages_height(form), editor_height(form)});
    form.close();
    QFile file(QString::fromStdString(options.settings_path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(QByteArray("ParamShare=") + QByteArray::number(kept)));
}

TEST_F(ParameterSplitTest, AStoredShareThatWouldSqueezeAHalfIsBounded) {
    for (const char* stored : {"ParamShare=1", "ParamShare=999", "ParamShare=-40", "ParamShare=2147483647"}) {
        write_settings(QByteArray("[MainSettings]\n") + stored + "\n");
        TMainForm& form = shown(QSize(1024, 720), 1);
        expect_both_halves_usable(form, stored);
        form.close();
        window.reset();
    }
}

}  // namespace
}  // namespace ztv
