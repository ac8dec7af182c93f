// Qt's own texts (box buttons, the file dialog) follow the program's language, and the file
// dialog opens at a size that shows whole columns and keeps the size the user gave it.
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app/qt_translations.h"
#include "app/settings_file.h"
#include "shell_fixture.h"

namespace ztv {
namespace {

using testing::ShellFixture;

class QtLanguageTest : public ShellFixture {
protected:
    // The texts of the buttons of the box show_message opens; the box is answered with its default.
    QStringList box_buttons(TMainForm& form, int type) {
        QStringList texts;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* button : box->buttons()) texts << button->text().remove(QLatin1Char('&'));
            box->defaultButton()->click();
        });
        form.host().show_message(type, Text("Точно?", "Sure?"));
        texts.sort();
        return texts;
    }

    struct DialogLook {
        QStringList buttons;
        QStringList labels;
        QSize size;
        // Texts of the detail view's visible cells that do not fit their column.
        QStringList cut;
        bool type_shown = true;
    };
    // What the open dialog shows; resized to new_size (when valid) before it is cancelled.
    DialogLook open_dialog(TMainForm& form, QSize new_size = QSize()) {
        DialogLook look;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            for (auto* box : dialog->findChildren<QDialogButtonBox*>())
                for (QAbstractButton* button : box->buttons()) look.buttons << button->text().remove(QLatin1Char('&'));
            for (auto* label : dialog->findChildren<QLabel*>())
                if (!label->text().isEmpty()) look.labels << label->text().remove(QLatin1Char('&'));
            look.size = dialog->size();
            if (auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
                // The folder is read in the background: wait for its entries.
                for (int i = 0; i < 200 && view->model()->rowCount(view->rootIndex()) == 0; ++i)
                    QApplication::processEvents(QEventLoop::AllEvents, 10);
                const QFontMetrics metrics(view->font());
                QHeaderView* header = view->header();
                look.type_shown = !header->isSectionHidden(2);
                for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
                    for (const int column : {0, 1, 3}) {
                        const QString text = view->model()->index(row, column, view->rootIndex()).data().toString();
                        // Icon, padding: the name column needs more than its text.
                        const int need = metrics.horizontalAdvance(text) + (column == 0 ? 24 : 6);
                        if (header->sectionSize(column) < need) look.cut << text;
                    }
                }
                if (view->model()->rowCount(view->rootIndex()) == 0) look.cut << QStringLiteral("(no entries)");
            }
            if (new_size.isValid()) dialog->resize(new_size);
            dialog->reject();
        });
        EXPECT_TRUE(form.file_dialogs().ask(FileDialogKind::OpenConfig).isEmpty());
        look.buttons.sort();
        return look;
    }
};

TEST_F(QtLanguageTest, ABoxOfTheRussianProgramHasRussianButtonsAndTheEnglishOneEnglish) {
    auto& form = make_form();
    form.host().set_message_answerer(nullptr);
    form.show();
    form.page_host().set_language(0);
    EXPECT_EQ(box_buttons(form, 0x30), (QStringList{QStringLiteral("Да"), QStringLiteral("Нет")}));
    EXPECT_EQ(box_buttons(form, 0x10), QStringList{QStringLiteral("OK")});  // Qt's Russian "OK" is "OK"
    form.page_host().set_language(1);
    EXPECT_EQ(box_buttons(form, 0x30), (QStringList{QStringLiteral("No"), QStringLiteral("Yes")}));
    // And back: the translation is taken out and put in again, not loaded twice over.
    form.page_host().set_language(0);
    EXPECT_EQ(box_buttons(form, 0x30), (QStringList{QStringLiteral("Да"), QStringLiteral("Нет")}));
    form.page_host().set_language(1);
}

TEST_F(QtLanguageTest, TheRussianFileDialogSpeaksRussian) {
    auto& form = make_form();
    form.show();
    form.page_host().set_language(0);
    const DialogLook russian = open_dialog(form);
    EXPECT_TRUE(russian.buttons.contains(QStringLiteral("Открыть"))) << russian.buttons.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(russian.buttons.contains(QStringLiteral("Отмена"))) << russian.buttons.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(russian.labels.contains(QStringLiteral("Look in:")));
    EXPECT_FALSE(russian.labels.contains(QStringLiteral("File name:")));
    form.page_host().set_language(1);
    const DialogLook english = open_dialog(form);
    EXPECT_TRUE(english.buttons.contains(QStringLiteral("Open")));
    EXPECT_TRUE(english.labels.contains(QStringLiteral("Look in:")));
}

TEST_F(QtLanguageTest, TheFileDialogOpensWideAndKeepsTheSizeTheUserGaveIt) {
    auto& form = make_form();
    form.page_host().set_language(1);
    form.show();
    // A folder with a long file name and a large file in it.
    const QString long_name = dir.filePath(QStringLiteral("Camry 2019 steering wheel and CAN after the service.ZTV"));
    QFile big(long_name);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(900 * 1024, 'x'));
    big.close();
    form.file_dialogs().remember_folder(FileDialogKind::OpenConfig, long_name);
    const QSize screen = form.screen()->availableGeometry().size();
    const DialogLook first = open_dialog(form, QSize(700, 500));
    EXPECT_EQ(first.size, QSize(kDefaultFileDialogSize.width, kDefaultFileDialogSize.height).boundedTo(screen));
    EXPECT_TRUE(first.cut.isEmpty()) << first.cut.join(QStringLiteral(" | ")).toStdString();
    EXPECT_FALSE(first.type_shown);
    const auto doc = SettingsFile(options.settings_path).open();
    ASSERT_TRUE(doc.has_value());
    EXPECT_EQ(read_file_dialog_size(*doc), (DialogSize{700, 500}));
    EXPECT_EQ(open_dialog(form).size, QSize(700, 500));
}

TEST_F(QtLanguageTest, ASizeStoredOnALargerScreenIsCutToThisOne) {
    write_settings("[MainSettings]\nFileDialogWidth=9000\nFileDialogHeight=9000\n");
    auto& form = make_form();
    form.page_host().set_language(1);
    form.show();
    EXPECT_EQ(open_dialog(form).size, form.screen()->availableGeometry().size());
}

TEST(QtTranslations, NoRussianTextsAnywhereLeavesQtEnglishAndSaysSo) {
    QtTranslations none(QStringList{QStringLiteral("/nonexistent-folder"), QString()});
    EXPECT_FALSE(none.apply(Lang::Russian));
    EXPECT_FALSE(none.russian_installed());
    EXPECT_TRUE(none.apply(Lang::English));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
}

}  // namespace
}  // namespace ztv
