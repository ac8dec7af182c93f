#include "app/file_dialogs.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

#include "app/settings_store.h"
#include "app/shell_messages.h"
#include "common/host.h"

namespace ztv {
namespace {

// Qt's detail view starts with narrow fixed columns that cut dates to "7 Dec ...:04". The name
// takes the room that is left, sizes and dates get their whole text, and the type column (a
// description nobody needs to pick a *.ZTV or *.LDR, and one Qt leaves untranslated) is hidden.
void fit_detail_columns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>();  // the dialog's only tree: its detail view
    if (view == nullptr) return;
    QHeaderView* header = view->header();
    constexpr int kName = 0, kSize = 1, kType = 2, kDate = 3;
    if (header->count() <= kDate) return;
    const QFontMetrics metrics(view->font());
    const int margin = 4 * metrics.averageCharWidth();  // cell padding and the sort arrow
    const QString widest_date =
        QLocale::system().toString(QDateTime(QDate(2026, 12, 28), QTime(23, 58, 58)), QLocale::ShortFormat);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(kName, QHeaderView::Stretch);
    header->setSectionHidden(kType, true);
    header->resizeSection(kSize, metrics.horizontalAdvance(QStringLiteral("999.99 KiB")) + margin);
    header->resizeSection(kDate, std::max(metrics.horizontalAdvance(widest_date), metrics.horizontalAdvance(
                                                  header->model()->headerData(kDate, Qt::Horizontal).toString())) +
                                     margin);
}

// Qt's own provider tells a file's type by reading its first bytes, which hangs on special
// files (/proc, /dev, pipes) that a user can browse into. Names are enough here.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override {
        return QFileIconProvider::icon(info.isDir() ? QFileIconProvider::Folder : QFileIconProvider::File);
    }
    QString type(const QFileInfo& info) const override { return info.isDir() ? QString() : info.suffix(); }
};

struct DialogTraits {
    TextPair title;
    const char* pattern;
    FolderKey folder;
    bool save;
};

DialogTraits dialog_traits(FileDialogKind kind) {
    switch (kind) {
        case FileDialogKind::OpenConfig: return {msg::kOpenConfigTitle, "*.ZTV", FolderKey::Config, false};
        case FileDialogKind::SaveConfig: return {msg::kSaveConfigTitle, "*.ZTV", FolderKey::Config, true};
        case FileDialogKind::OpenFirmware: return {msg::kOpenFirmwareTitle, "*.LDR", FolderKey::Firmware, false};
        case FileDialogKind::SaveCanLog: return {msg::kSaveCanLogTitle, "*.LOG", FolderKey::CanLog, true};
    }
    return {msg::kOpenConfigTitle, "*.ZTV", FolderKey::Config, false};
}

}  // namespace

FileDialogs::FileDialogs(QWidget& window, Host& host, SettingsStore& settings)
    : QObject(&window), window_(window), host_(host), settings_(settings) {
    place_timer_ = new QTimer(this);
    place_timer_->setObjectName(QStringLiteral("TimerDialogPlace"));
    place_timer_->setInterval(1);
    connect(place_timer_, &QTimer::timeout, this, &FileDialogs::place_dialog);
}

// Centred on the window while the dialog settles, and kept on the screen.
void FileDialogs::place_dialog() {
    if (placed_ && placed_->isVisible()) {
        const QRect main = window_.frameGeometry();
        QSize size = placed_->frameGeometry().size();
        if (!size.isValid() || size.isEmpty()) size = QSize(400, 400);
        int left = main.left() + main.width() / 2 - size.width() / 2;
        int top = main.top() + main.height() / 2 - size.height() / 2;
        if (const QScreen* screen = window_.screen()) {
            const QRect area = screen->geometry();
            left = std::min(left, area.right() + 1 - size.width());
            top = std::min(top, area.bottom() + 1 - size.height());
        }
        placed_->move(std::max(left, 0), std::max(top, 0));
    }
    if (--place_countdown_ <= 0) place_timer_->stop();
}

QString FileDialogs::documents_folder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

QSize FileDialogs::dialog_size() const {
    const DialogSize stored = settings_.file_dialog_size();
    QSize size(stored.width, stored.height);
    // A size stored on a larger screen must not push the buttons off this one.
    if (const QScreen* screen = window_.screen()) size = size.boundedTo(screen->availableGeometry().size());
    return size;
}

QString FileDialogs::ask(FileDialogKind kind, const QString& proposed_name) {
    const auto stored = settings_.folder(dialog_traits(kind).folder);
    if (!stored) return QString();
    QString folder = QString::fromStdString(folder_of(*stored));
    // A dialog that starts at a file selects it.
    if (!proposed_name.isEmpty()) folder = QDir(folder).filePath(proposed_name);
    const DialogTraits traits = dialog_traits(kind);
    const QString pattern = QString::fromLatin1(traits.pattern);
    // File systems here tell case apart; "*.ztv" files are the same kind of file.
    const QString filter = pattern + QStringLiteral(" (") + pattern + QLatin1Char(' ') + pattern.toLower() +
                           QLatin1Char(')');
    const QString title = QString::fromUtf8(pick(traits.title, host_.language()));
    if (chooser_) return chooser_(kind, title, folder, filter);

    NameOnlyIconProvider icons;  // outlives the dialog, whose model asks it
    QFileDialog dialog(&window_, title, folder, filter);
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setAcceptMode(traits.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(traits.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(pattern.mid(2));
    dialog.setIconProvider(&icons);
    // Names, sizes and dates side by side, at the size the user last left the dialog.
    dialog.setViewMode(QFileDialog::Detail);
    fit_detail_columns(dialog);
    dialog.resize(dialog_size());
    placed_ = &dialog;
    place_countdown_ = 50;
    place_timer_->start();
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    place_timer_->stop();
    placed_ = nullptr;
    settings_.remember_file_dialog_size({dialog.width(), dialog.height()});
    return chosen ? dialog.selectedFiles().constFirst() : QString();
}

void FileDialogs::remember_folder(FileDialogKind kind, const QString& path) {
    settings_.remember_folder(dialog_traits(kind).folder, path.toStdString());
}

}  // namespace ztv
