// The shell services of the main window: message boxes, flash strip, progress, polling,
// file dialogs, program settings and the close query.
#include <cstdio>

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPalette>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QTreeView>

#include "app/main_window.h"
#include "app/settings_file.h"
#include "app/shell_messages.h"
#include "diag/terminal_page.h"

namespace ztv {
namespace {

// Message texts are built in a 1000-byte buffer: cut longer ones at a character boundary.
QString bounded_message(const std::string& text) {
    constexpr std::size_t kLimit = 999;
    std::size_t size = std::min(text.size(), kLimit);
    while (size > 0 && size < text.size() && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) --size;
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(size));
}

// Qt's detail view starts with narrow fixed columns that cut dates to "7 Dec ...:04". The name
// takes the room that is left, sizes and dates get their whole text, and the type column (a
// description nobody needs to pick a *.ZTV or *.LDR, and one Qt leaves untranslated) is hidden.
void fit_detail_columns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
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

std::uint32_t TMainForm::tick_ms() { return static_cast<std::uint32_t>(clock_->elapsed()); }

void TMainForm::pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Waits are loops of pumps; a short sleep keeps them from spinning a core.
    QThread::usleep(500);
}

int TMainForm::show_message(int type, const Text& text) {
    const int kind = type & 0xFF;
    TextPair title{"", ""};
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool yes_no = false;
    switch (kind) {
        case kBoxError: title = msg::kTitleError; icon = QMessageBox::Critical; break;
        case kBoxQuestion: title = msg::kTitleQuestion; icon = QMessageBox::Question; yes_no = true; break;
        case kBoxWarning: title = msg::kTitleWarning; icon = QMessageBox::Warning; yes_no = true; break;
        case kBoxInformation: title = msg::kTitleInformation; icon = QMessageBox::Information; break;
        default: break;
    }
    const QString body = bounded_message(text.in(lang_));
    PollingSuspension no_polling(*this);
    if (answerer_) return answerer_(type, tr_pair(title), body);

    QMessageBox box(icon, tr_pair(title), body, QMessageBox::NoButton, this);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (yes_no) {
        QAbstractButton* yes = box.addButton(QMessageBox::Yes);
        QAbstractButton* no = box.addButton(QMessageBox::No);
        box.setDefaultButton(static_cast<QPushButton*>((type & kBoxDefaultSecond) != 0 ? no : yes));
        box.setEscapeButton(no);
    } else {
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
    }
    QTimer::singleShot(0, &box, [this, &box] { place_box(&box); });
    const int pressed = box.exec();
    if (pressed == QMessageBox::Yes) return kIdYes;
    if (pressed == QMessageBox::No) return kIdNo;
    return kIdOk;
}

// Centred on the main window and 50 pixels lower, so the box does not hide what it is about.
void TMainForm::place_box(QWidget* box) {
    const QRect main = frameGeometry();
    QSize size = box->frameGeometry().size();
    if (!size.isValid() || size.isEmpty()) size = QSize(400, 400);
    box->move(main.left() + main.width() / 2 - size.width() / 2, main.top() + main.height() / 2 - size.height() / 2 + 50);
    box->raise();
    box->activateWindow();
}

void TMainForm::flash_message(int duration_ms, int blink_ms, const Text& text) {
    flash_text_ = text;
    start_one_shot(nullptr, 0);
    chrome_->strip()->set_shown(true);
    chrome_->strip()->set_caption(QString::fromStdString(text.in(lang_)));
    if (duration_ms != 0) start_one_shot([this] { clear_flash_message(); }, duration_ms);
    if (blink_ms != 0) {
        flash_timer_->start(blink_ms);
    } else {
        flash_timer_->stop();
    }
}

void TMainForm::on_flash_tick() { chrome_->strip()->set_shown(!chrome_->strip()->shown()); }

void TMainForm::clear_flash_message() {
    flash_timer_->stop();
    start_one_shot(nullptr, 0);
    flash_text_ = Text();
    chrome_->strip()->set_shown(true);
    chrome_->strip()->set_caption(QString());
}

void TMainForm::start_one_shot(std::function<void()> callback, int ms) {
    one_shot_timer_->stop();
    one_shot_callback_ = std::move(callback);
    if (!one_shot_callback_ || ms <= 0) {
        one_shot_callback_ = nullptr;
        return;
    }
    one_shot_timer_->start(ms);
}

void TMainForm::progress_begin(int maximum, const Text& title) {
    progress_title_ = title;
    // Range 0..0 is Qt's bar without a measure; it draws no text of its own, so the title
    // lies on top of it.
    chrome_->gauge()->setRange(0, std::max(maximum, 0));
    chrome_->gauge()->setValue(0);
    show_progress_title();
    chrome_->gauge()->show();
    set_status_text(title);
}

void TMainForm::show_progress_title() {
    const QString title = QString::fromStdString(progress_title_.in(lang_));
    const bool waiting = chrome_->gauge()->maximum() == 0;
    chrome_->gauge()->setFormat(title.isEmpty() ? QStringLiteral("%p%") : title + QStringLiteral(": %p%"));
    chrome_->gauge_title()->setText(title);
    chrome_->gauge_title()->setVisible(waiting && !title.isEmpty());
}

void TMainForm::progress_add(int amount) { chrome_->gauge()->setValue(std::min(chrome_->gauge()->value() + amount, chrome_->gauge()->maximum())); }

// A polling tick hides a progress display left over from an earlier exchange. The firmware
// update keeps polling while it runs (that is how the bootloader is seen coming up), so a
// toolbar operation's display stays until the operation itself ends.
void TMainForm::progress_hide() {
    if (toolbar_operation_running()) return;
    chrome_->gauge()->hide();
}

void TMainForm::suspend_polling() {
    if (polling_suspension_++ == 0) polling_timer_->stop();
}

void TMainForm::resume_polling() {
    if (polling_suspension_ <= 0) return;
    if (--polling_suspension_ == 0 && !closing_) polling_timer_->start();
}

bool TMainForm::polling_running() const { return polling_timer_->isActive(); }

void TMainForm::on_polling_timer() {
    if (!device_.on_polling_tick) return;
    device_.on_polling_tick();
    if (device_.poll_interval_ms) {
        const int interval = device_.poll_interval_ms();
        if (interval > 0 && interval != polling_timer_->interval()) polling_timer_->setInterval(interval);
    }
    // A tick can change what the toolbar may do (a controller came or went).
    if (!toolbar_operation_running()) set_busy(false);
}

void TMainForm::log_line(const std::string& line, LogSource source) {
    if (source == LogSource::Controller) {
        terminal_->append_controller_line(line);
    } else {
        terminal_->log_line(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())),
                            terminal_->palette().color(QPalette::WindowText));
    }
}

void TMainForm::set_status_text(const Text& text) {
    status_text_ = text;
    chrome_->status_panel()->setText(QString::fromStdString(text.in(lang_)));
}

QString TMainForm::dialog_folder(FileDialogKind kind, bool* ok) {
    const SettingsFile file(options_.settings_path);
    const auto doc = file.open();
    *ok = doc.has_value();
    if (!doc) {
        show_message(kBoxError, to_text(kSettingsReadError));
        return QString();
    }
    const std::string stored = read_folder_path(*doc, dialog_traits(kind).folder, options_.program_folder);
    return QString::fromStdString(folder_of(stored));
}

QSize TMainForm::file_dialog_size() const {
    const auto doc = SettingsFile(options_.settings_path).open();
    const DialogSize stored = doc ? read_file_dialog_size(*doc) : kDefaultFileDialogSize;
    QSize size(stored.width, stored.height);
    // A size stored on a larger screen must not push the buttons off this one.
    if (const QScreen* screen = this->screen()) size = size.boundedTo(screen->availableGeometry().size());
    return size;
}

void TMainForm::remember_file_dialog_size(const QSize& size) {
    const SettingsFile file(options_.settings_path);
    auto doc = file.open();
    if (!doc) return;  // the dialog's own read already said so
    const DialogSize wanted{size.width(), size.height()};
    if (read_file_dialog_size(*doc) == wanted) return;
    ztv::remember_file_dialog_size(*doc, wanted);
    save_settings_file(file, *doc);
}

QString TMainForm::ask_file(FileDialogKind kind) {
    bool ok = false;
    const QString folder = dialog_folder(kind, &ok);
    if (!ok) return QString();
    const DialogTraits traits = dialog_traits(kind);
    const QString pattern = QString::fromLatin1(traits.pattern);
    // File systems here tell case apart; "*.ztv" files are the same kind of file.
    const QString filter = pattern + QStringLiteral(" (") + pattern + QLatin1Char(' ') + pattern.toLower() +
                           QLatin1Char(')');
    const QString title = tr_pair(traits.title);
    if (chooser_) return chooser_(kind, title, folder, filter);

    QFileDialog dialog(this, title, folder, filter);
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setAcceptMode(traits.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(traits.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(pattern.mid(2));
    // Names, sizes and dates side by side, at the size the user last left the dialog.
    dialog.setViewMode(QFileDialog::Detail);
    fit_detail_columns(dialog);
    dialog.resize(file_dialog_size());
    placed_dialog_ = &dialog;
    dialog_countdown_ = 50;
    dialog_timer_->start();
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    dialog_timer_->stop();
    placed_dialog_ = nullptr;
    remember_file_dialog_size(dialog.size());
    return chosen ? dialog.selectedFiles().constFirst() : QString();
}

void TMainForm::remember_folder(FileDialogKind kind, const QString& path) {
    if (path.isEmpty()) return;
    const SettingsFile file(options_.settings_path);
    auto doc = file.open();
    if (!doc) {
        show_message(kBoxError, to_text(kSettingsReadError));
        return;
    }
    remember_folder_path(*doc, dialog_traits(kind).folder, path.toStdString());
    save_settings_file(file, *doc);
}

// Settings that cannot be written are not worth a box (the file operation itself succeeded,
// or the program is closing), but they must not vanish unnoticed either: the terminal log
// and standard error both say so.
void TMainForm::save_settings_file(const SettingsFile& file, const IniDocument& doc) {
    const FileWriteStatus status = file.save(doc);
    if (status == FileWriteStatus::Ok) return;
    const std::string message = settings_save_error(status, file.path()).in(lang_);
    std::fprintf(stderr, "%s\n", message.c_str());
    std::size_t begin = 0;
    while (begin <= message.size()) {
        const std::size_t end = std::min(message.find('\n', begin), message.size());
        log_line(message.substr(begin, end - begin), LogSource::Program);
        begin = end + 1;
    }
}

void TMainForm::apply_settings() {
    const SettingsFile file(options_.settings_path);
    const auto doc = file.open();
    MainSettings settings;
    if (doc) {
        settings = read_main_settings(*doc, options_.system_language_id);
    } else {
        show_message(kBoxError, to_text(kSettingsReadError));
        settings.lang = default_language(options_.system_language_id);
    }
    loaded_settings_ = settings;

    place_from_settings(*this, settings.main_top, settings.main_left);

    terminal_->set_input_height(settings.tx_height);
    split_pending_ = true;
    if (parameters_splitter_->isVisible()) apply_parameter_split();
    pages_->setCurrentWidget(parameters_);
    chrome_->log_item()->setChecked(settings.log);
    chrome_->debug_item()->setChecked(settings.debug);
    chrome_->only_used_item()->setChecked(settings.only_used);
    speed_up_ = settings.speed_up;
    if (device_.set_reply_delay) device_.set_reply_delay(speed_up_);
    if (device_.set_trace_options) device_.set_trace_options(settings.debug, settings.log);
    set_language(settings.lang);
}

void TMainForm::place_key_window(QWidget& window) {
    place_from_settings(window, loaded_settings_.key_top, loaded_settings_.key_left);
}

void TMainForm::place_from_settings(QWidget& window, std::optional<int> top, std::optional<int> left) const {
    const QScreen* screen = window.screen() != nullptr ? window.screen() : this->screen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1920, 1080);
    const QSize size = window.frameGeometry().size().isEmpty() ? window.size() : window.frameGeometry().size();
    const WindowPlace place = place_window(area.width(), area.height(), size.width(), size.height(), top, left);
    window.move(area.left() + place.left, area.top() + place.top);
}

void TMainForm::save_settings() {
    const SettingsFile file(options_.settings_path);
    auto doc = file.open();
    if (!doc) {
        show_message(kBoxError, to_text(kSettingsReadError));
        return;
    }
    MainSettings settings = loaded_settings_;  // the key picker's place is kept until that window saves it
    settings.main_top = frameGeometry().top();
    settings.main_left = frameGeometry().left();
    settings.lang = static_cast<int>(lang_);
    settings.log = chrome_->log_item()->isChecked();
    settings.debug = chrome_->debug_item()->isChecked();
    settings.only_used = chrome_->only_used_item()->isChecked();
    settings.speed_up = speed_up_;
    settings.tx_height = terminal_->input_height();
    // Only a split the window has made is worth keeping (a window never shown has none).
    if (!split_pending_) settings.param_height = parameters_splitter_->sizes().value(0);
    if (const std::optional<QPoint> key_place = key_place_ ? key_place_() : std::nullopt) {
        settings.key_top = key_place->y();
        settings.key_left = key_place->x();
    }
    write_main_settings(*doc, settings);
    save_settings_file(file, *doc);
}

void TMainForm::initialise() {
    // Gestures are not offered by this version of the controller.
    if (auto* gestures = findChild<QWidget*>(QStringLiteral("CheckBoxTouchGestures"))) gestures->hide();
    if (auto* gesture_page = findChild<QWidget*>(QStringLiteral("TabSheetEventGesture"))) gesture_page->hide();
    if (clear_button_selection_) clear_button_selection_();
    apply_settings();
    setMinimumSize(size());
    const bool debug = chrome_->debug_item()->isChecked();
    chrome_->debug_item()->setVisible(debug);
    chrome_->log_item()->setVisible(debug);
    if (device_.clear_status) device_.clear_status();
    for (const auto& init : page_initialisers_) init();
    set_busy(false);
    resume_polling();
}

void TMainForm::on_debug_clicked() {
    const bool debug = chrome_->debug_item()->isChecked();
    chrome_->debug_item()->setVisible(debug);
    chrome_->log_item()->setVisible(debug);
    if (device_.set_trace_options) device_.set_trace_options(debug, chrome_->log_item()->isChecked());
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        polling_timer_->stop();
        closing_ = true;
        if (device_.stop_can_log) device_.stop_can_log();
        wait_pumping(*this, 100);
        if (device_.close_device) device_.close_device();
        wait_pumping(*this, 100);
        save_settings();
    }
    event->accept();
}

}  // namespace ztv
