#include "app/startup.h"

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/backups_window.h"
#include "app/device_link.h"
#include "app/file_dialogs.h"
#include "app/instance_handover.h"
#include "app/learning_tools_view.h"
#include "app/main_window.h"
#include "app/settings_file.h"
#include "app/safety_menu.h"
#include "app/setup_options.h"
#include "app/shell_messages.h"
#include "app/single_instance.h"
#include "app/undo_actions.h"
#include "common/command_line.h"
#include "common/file_io.h"
#include "common/format.h"
#include "common/host.h"
#include "common/system_names.h"
#include "config/parameter_pages.h"
#include "events/event_catalogue.h"
#include "events/reaction_catalogue.h"
#include "events/slot_editor_view.h"
#include "sim/sim_can_traffic.h"
#include "tools/ir_code_window.h"
#include "tools/key_board_window.h"

namespace ztv {
namespace {

// An exception that escapes a handler ends that handling only; the user sees its text and
// the program goes on with the next message. In an unattended run nobody could close a box,
// so the text goes to standard error instead.
class ShellApplication : public QApplication {
public:
    using QApplication::QApplication;
    void set_unattended(bool unattended) { unattended_ = unattended; }

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            report_error(QString::fromUtf8(e.what()));
        } catch (...) {
            report_error(QStringLiteral("Unknown error"));
        }
        return false;
    }

    // On standard error always (whoever started the program from a shell or a script sees
    // it), and in a box when someone is there to close it.
    void report_error(const QString& text) const {
        std::fprintf(stderr, "Error: %s\n", text.toUtf8().constData());
        if (!unattended_) QMessageBox::critical(nullptr, QStringLiteral("Error"), text);
    }

private:
    bool unattended_ = false;
};

// The arguments as the system gave their bytes (a file name need not be UTF-8), without the
// options that are Qt's own (-platform, -style...).
std::vector<std::string_view> program_arguments(int argc, char** argv) {
    return without_qt_options(std::vector<std::string_view>(argv + std::min(argc, 1), argv + argc));
}

// The full path of a file named relative to where the program was started, as bytes.
std::string absolute_path(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(system_path(path), ec);
    return ec ? path : utf8_path(full);
}

// Every box of an unattended run takes its default answer and is written where a person
// looking at the run's output will see it.
void answer_boxes_unattended(TMainForm& window) {
    window.host().set_message_answerer([](int type, const QString& title, const QString& text) {
        const int answer = unattended_answer(type);
        const char* said = answer == kIdYes ? " [Yes]" : answer == kIdNo ? " [No]" : "";
        std::fprintf(stderr, "%s: %s%s\n", title.toUtf8().constData(), text.toUtf8().constData(), said);
        return answer;
    });
}

// The picture is made in memory first and saved as the program saves any file: whole or not
// at all, and only into a regular file (a pipe or a device is refused rather than waited on).
FileWriteStatus save_png(const QPixmap& picture, const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) return FileWriteStatus::Failed;
    return replace_file(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

// A second copy started with a file (as a file manager does it) asks this one to open it.
// Without the channel the program still works; the second copy then says it is running.
void serve_second_copies(OpenRequestServer& server, TMainForm& window) {
    QObject::connect(&server, &OpenRequestServer::open_requested, &window.toolbar(), &ToolbarActions::open_handed_over_file);
    QString error;
    if (!server.listen(&error))
        std::fprintf(stderr, "ztv-setup: files cannot be handed over to this copy: %s\n", error.toLocal8Bit().constData());
}

// Opens the tool window that --window asks to picture, for the slot the editor shows once the
// configuration file (if any) is in, and starts `picture`'s timer once it is about to show.
// False, with the reason on stderr, when the slot offers no such window. The IR code editor is
// modal: the timer is started before its loop, so the picture is taken (and the editor closed)
// from inside it, and this returns only then.
bool open_pictured_window(TMainForm& window, SafetyMenu& safety, const SetupOptions& args,
                          const std::function<void()>& start_timer) {
    const int which = *args.window;
    if (which == kWindowCompare || which == kWindowBackups) {
        // What they compare with is the configuration shown: a controller that is there is
        // read first (a few seconds at most).
        for (int step = 0; step < 30 && !window.state().record_valid; ++step) wait_pumping(window.host(), 100);
        // Both windows are modal: the timer runs inside their loop.
        start_timer();
        if (which == kWindowBackups)
            open_backups_window(window.host(), window.state(), window);
        else if (args.config_file)
            safety.compare_with_file(QFileInfo(QString::fromStdString(*args.config_file)).absoluteFilePath());
        else
            safety.compare_with_controller();
        return true;
    }
    SlotEditor& editor = *window.slot_editor();
    const std::size_t slot = editor.current_slot();
    if (which == kWindowKeyPicker) {
        editor.open_key_picker(slot);
        start_timer();
        return true;
    }
    const auto bytes = window.state().record.slot(slot);
    const bool event = bytes[kEventKindByte] == static_cast<std::uint8_t>(EventKind::IrCode);
    const bool reaction = bytes[kReactionKindByte] == static_cast<std::uint8_t>(ReactionKind::SendIr);
    if (!event && !reaction) {
        std::fprintf(stderr, "Slot %zu holds no IR code for --window ircode\n", slot + 1);
        return false;
    }
    start_timer();
    editor.edit_ir_code(!event, event ? "PanelEventIRx" : "PanelReactionIRx");
    return true;
}

int run_window(const SetupOptions& args, const QString& lock_path) {
    ConfigState state;
    ShellOptions options;
    options.settings_path = default_settings_path();
    options.default_folder = FileDialogs::documents_folder().toStdString();
    options.system_language_id = system_language_id(QLocale::system());
    TMainForm window(state, options);
    // Before anything below can show a box (an unreadable settings file does so at once).
    if (args.unattended()) answer_boxes_unattended(window);
    DeviceLink link(window.device_link_shell(), state, args.simulate);
    if (args.sim_can && link.simulator() != nullptr) {
        sim::CanReplayLoad replay = sim::load_can_replay(*args.sim_can, args.replay_speed.value_or(kReplayRealTime));
        if (!replay.traffic) {
            std::fprintf(stderr, "Cannot use the CAN frames of \"%s\": %s\n", args.sim_can->c_str(), replay.error.c_str());
            return 1;  // a file that cannot be used, as ztv-tool says it; not a command line refused
        }
        link.simulator()->set_can_traffic(std::move(replay.traffic));
    }
    add_learning_tools(window.learning_tools_shell(), link);
    window.initialise();
    // Each puts its entries first in the main menu: undo and redo end up at the top.
    SafetyMenu safety(window.safety_menu_shell(), link.session());
    UndoActions undo(window.undo_actions_shell(), link.session());
    OpenRequestServer handover(handover_channel_name(lock_path));
    serve_second_copies(handover, window);
    if (args.lang) window.page_host().set_language(*args.lang);
    if (args.page) window.page_control()->setCurrentIndex(*args.page);
    if (args.slot) window.slot_editor()->select_slot(static_cast<std::size_t>(*args.slot - 1));
    if (args.param_page) window.parameter_pages()->show_page(*args.param_page - 1);
    if (args.width && args.height) window.resize(*args.width, *args.height);
    window.show();
    // The compare window compares the file instead of opening it.
    if (args.config_file && args.window != std::optional<int>(kWindowCompare)) {
        // Once the window is up, so that a file that cannot be read is reported over it; the
        // folder remembered for the next dialog is the file's real one.
        const QByteArray file = QByteArray::fromStdString(absolute_path(*args.config_file));
        QTimer::singleShot(0, &window, [&window, file] { window.open_config_file(file); });
    }

    int status = 0;
    if (args.unattended()) {
        const std::string path = *args.screenshot;
        const auto take_picture = [&window, path, &status](QWidget* pictured) {
            if (pictured == nullptr) pictured = &window;  // the window to picture did not open
            const FileWriteStatus saved = save_png(pictured->grab(), path);
            // A modal tool window ends first, storing nothing.
            if (auto* dialog = qobject_cast<QDialog*>(pictured)) dialog->reject();
            if (saved == FileWriteStatus::Ok) {
                std::fprintf(stderr, "Screenshot saved to %s\n", path.c_str());
            } else {
                std::fprintf(stderr, "Could not save the screenshot to %s: %s\n", path.c_str(),
                             write_failure_reason(saved).en.c_str());
                status = 1;
            }
            window.close();
        };
        const int delay = args.screenshot_delay_ms();
        if (!args.window) {
            QTimer::singleShot(delay, &window, [&window, take_picture] { take_picture(&window); });
        } else {
            SlotEditor& editor = *window.slot_editor();
            // The windows made when they open are found as the modal window of the moment.
            QWidget* pictured = *args.window == kWindowKeyPicker ? static_cast<QWidget*>(editor.key_picker())
                                : *args.window == kWindowIrCode  ? static_cast<QWidget*>(editor.ir_code_window())
                                                                 : nullptr;
            const auto start_timer = [&window, pictured, delay, take_picture] {
                QTimer::singleShot(delay, &window, [pictured, take_picture] {
                    take_picture(pictured != nullptr ? pictured : QApplication::activeModalWidget());
                });
            };
            // After the configuration file's turn, which was queued first.
            QTimer::singleShot(0, &window, [&window, &safety, &status, &args, start_timer] {
                if (open_pictured_window(window, safety, args, start_timer)) return;
                status = 2;
                window.close();
            });
        }
    }
    const int loop_status = QApplication::exec();
    return status != 0 ? status : loop_status;
}

}  // namespace

int system_language_id(const QLocale& locale) {
    switch (locale.language()) {
        case QLocale::Russian: return kLangIdRussian;
        case QLocale::Ukrainian: return kLangIdUkrainian;
        default: return 1033;
    }
}

int run_setup_program(int argc, char** argv) {
    // Read before the application object exists, which needs a display and aborts without one.
    const ParsedSetupOptions parsed = parse_setup_options(program_arguments(argc, argv));
    if (parsed.error) {
        const Lang lang = parsed.options.lang ? static_cast<Lang>(*parsed.options.lang) : environment_language();
        std::fprintf(stderr, "%s", setup_refusal(*parsed.error, lang).c_str());
        return 2;
    }
    const SetupOptions& args = parsed.options;
    if (args.help) {
        std::printf("%s", setup_usage().c_str());
        return 0;
    }
    if (args.version) {
        std::printf("ztv-setup %s\n", msg::kProgramVersion);
        return 0;
    }
    ShellApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ztv-setup"));
    QApplication::setApplicationVersion(QString::fromLatin1(msg::kProgramVersion));
    app.set_unattended(args.unattended());

    SingleInstanceGuard guard(default_instance_lock_paths());
    switch (guard.acquire()) {
        case InstanceStatus::Acquired: break;
        case InstanceStatus::AlreadyRunning:
            // The running copy opens the file and comes to the front; this one ends quietly. A
            // picture run never hands over: nobody would get the picture it was started for.
            if (args.config_file && !args.unattended() &&
                hand_over_file(handover_channel_name(guard.busy_path()), absolute_path(*args.config_file)))
                return 0;
            std::fprintf(stderr, "%s\n", msg::kAlreadyRunning);
            // Nobody could answer a box on a screen that does not exist.
            if (!args.unattended())
                QMessageBox::critical(nullptr, QStringLiteral("Error"), QString::fromLatin1(msg::kAlreadyRunning));
            return 1;
        case InstanceStatus::Failed: {
            // Said before the settings (and so the chosen language) are read: the desktop's
            // language decides.
            const Lang lang = default_language(system_language_id(QLocale::system())) == 0 ? Lang::Russian
                                                                                           : Lang::English;
            const QString text = QString::fromStdString(
                format_pair(msg::kInstanceLockFailed, guard.failure().toUtf8().constData()).in(lang));
            app.report_error(text);
            return 1;
        }
    }

    const QString lock_path = guard.held_path();
    return run_guarded([&args, &lock_path] { return run_window(args, lock_path); }, [&app](const QString& text) { app.report_error(text); });
}

int run_guarded(const std::function<int()>& body, const std::function<void(const QString&)>& report) {
    try {
        return body();
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()));
    } catch (...) {
        report(QStringLiteral("Unknown error"));
    }
    // The program could not go on: whoever started it must not take this for success.
    return 1;
}

}  // namespace ztv
