#include "app/backups_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>

#include "app/backup_guard.h"
#include "app/shell_host.h"
#include "app/window_operations.h"
#include "common/format.h"
#include "config/config_file.h"
#include "events/shown_configuration.h"
#include "session/safety_texts.h"

namespace ztv {
namespace {

QString in(const TextPair& pair, Lang lang) { return QString::fromUtf8(pick(pair, lang)); }

}  // namespace

BackupsWindow::BackupsWindow(ShellHost& host, const ConfigState& shown, std::string folder)
    : QDialog(&host.window()), host_(host), shown_(shown), folder_(std::move(folder)) {
    setObjectName(QStringLiteral("FormBackups"));
    const Lang lang = host_.language();
    setWindowTitle(in(kBackupsTitle, lang));
    auto* column = new QVBoxLayout(this);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("LabelBackupFolder"));
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(note_);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ListBackups"));
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    QStringList headers;
    for (const TextPair& header : kBackupColumns) headers.push_back(in(header, lang));
    list_->setHeaderLabels(headers);
    column->addWidget(list_);
    auto* row = new QHBoxLayout;
    open_ = new QPushButton(in(kOpenBackup, lang), this);
    open_->setObjectName(QStringLiteral("ButtonOpenBackup"));
    compare_ = new QPushButton(in(kCompareBackup, lang), this);
    compare_->setObjectName(QStringLiteral("ButtonCompareBackup"));
    auto* close = new QPushButton(in(kCloseWindow, lang), this);
    close->setObjectName(QStringLiteral("ButtonClose"));
    row->addWidget(open_);
    row->addWidget(compare_);
    row->addStretch(1);
    row->addWidget(close);
    column->addLayout(row);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(open_, &QPushButton::clicked, this, [this] {
        if (const BackupEntry* entry = selected()) {
            chosen_ = entry->path;
            accept();
        }
    });
    connect(compare_, &QPushButton::clicked, this, &BackupsWindow::compare_selected);
    connect(list_, &QTreeWidget::itemActivated, this, [this] { compare_selected(); });
    resize(720, 420);
    reload();
}

void BackupsWindow::reload() {
    const Lang lang = host_.language();
    const BackupListing listing = list_backups(folder_);
    entries_ = listing.entries;
    note_->setText(QString::fromStdString(listing.error.empty() ? folder_ : listing.error.in(lang)));
    list_->clear();
    // Both sides as the window shows them (the shown one restated once for the whole list).
    const ConfigSnapshot shown = as_shown(take_snapshot(shown_), ConfigOrigin::Controller);
    for (const BackupEntry& entry : entries_) {
        ConfigState backup;
        const bool read = load_config_file(entry.path, backup) == ConfigFileStatus::Ok;
        // A backup holds no slot names: they are left out of the comparison.
        const bool differ =
            read && configurations_differ(as_shown(take_snapshot(backup), ConfigOrigin::Controller), shown,
                                          CompareScope{false});
        const TextPair& differs = !read ? kUnreadable : differ ? kYes : kNo;
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, QString::fromStdString(entry.serial));
        item->setText(1, QString::fromStdString(entry.date));
        item->setText(2, QString::fromStdString(backup_reason_text(entry.reason).in(lang)));
        item->setText(3, in(differs, lang));
    }
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    for (int i = 0; i < list_->columnCount(); ++i) list_->resizeColumnToContents(i);
    open_->setEnabled(!entries_.empty());
    compare_->setEnabled(!entries_.empty());
}

const BackupEntry* BackupsWindow::selected() const {
    const int index = list_->indexOfTopLevelItem(list_->currentItem());
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return nullptr;
    return &entries_[static_cast<std::size_t>(index)];
}

void BackupsWindow::compare_selected() {
    const BackupEntry* entry = selected();
    if (entry == nullptr) return;
    ConfigState backup;
    const Lang lang = host_.language();
    if (const ConfigFileStatus status = load_config_file(entry->path, backup); status != ConfigFileStatus::Ok) {
        host_.show_message(kBoxError, config_file_error(status, entry->path));
        return;
    }
    // What taking the backup would change in the configuration shown.
    const Comparison changes =
        compare_as_shown(take_snapshot(shown_), take_snapshot(backup), ConfigOrigin::Controller, lang,
                         CompareScope{false, pick(kWindowSide, lang), std::filesystem::path(entry->path).filename().string()});
    show_comparison(host_, QString::fromStdString(format_pair(kBackupFileTitle, entry->path.c_str()).in(lang)),
                    changes.text);
}

void open_backups_window(ShellHost& host, const ConfigState& shown, WindowOperations& operations) {
    BackupsWindow window(host, shown, default_backup_folder());
    if (window.exec() == QDialog::Accepted && !window.chosen().empty()) operations.open_configuration_file(window.chosen());
}

}  // namespace ztv
