#include "app/startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <exception>

#include "app/device_link.h"
#include "app/main_window.h"
#include "app/settings_file.h"
#include "app/shell_messages.h"
#include "app/single_instance.h"

namespace ztv {
namespace {

// An exception that escapes a handler ends that handling only; the user sees its text and
// the program goes on with the next message.
class ShellApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            QMessageBox::critical(nullptr, QStringLiteral("Error"), QString::fromUtf8(e.what()));
        } catch (...) {
            QMessageBox::critical(nullptr, QStringLiteral("Error"), QStringLiteral("Unknown error"));
        }
        return false;
    }
};

struct Arguments {
    bool simulate = false;
    QString screenshot;
    int after_ms = 1500;
    int lang = -1;  // -1: as the settings say
    int page = -1;  // -1: the page the start-up picks
};

Arguments parse_arguments(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Setup program for the ZEB TERVIO V4 controller"));
    parser.addHelpOption();
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Attach the built-in simulated controller instead of USB."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save a picture of the main window to FILE and exit."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption after(QStringLiteral("after"),
                                   QStringLiteral("Take the screenshot after MS milliseconds (default 1500)."),
                                   QStringLiteral("MS"), QStringLiteral("1500"));
    const QCommandLineOption lang(QStringLiteral("lang"), QStringLiteral("Start in this language: ru or en."),
                                  QStringLiteral("LANG"));
    const QCommandLineOption page(QStringLiteral("page"),
                                  QStringLiteral("Show this page first: terminal, parameters or canlog."),
                                  QStringLiteral("PAGE"));
    parser.addOptions({simulate, screenshot, after, lang, page});
    parser.process(app);
    Arguments args;
    args.simulate = parser.isSet(simulate);
    args.screenshot = parser.value(screenshot);
    bool ok = false;
    const int ms = parser.value(after).toInt(&ok);
    if (ok && ms >= 0) args.after_ms = ms;
    if (parser.isSet(lang)) args.lang = parser.value(lang).compare(QLatin1String("en"), Qt::CaseInsensitive) == 0 ? 1 : 0;
    const QString page_name = parser.value(page).toLower();
    if (page_name == QLatin1String("terminal")) args.page = 0;
    if (page_name == QLatin1String("parameters")) args.page = 1;
    if (page_name == QLatin1String("canlog")) args.page = 2;
    return args;
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
    ShellApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ztv-setup"));
    QApplication::setApplicationVersion(QString::fromLatin1(msg::kProgramVersion));
    const Arguments args = parse_arguments(app);

    SingleInstanceGuard guard(default_instance_lock_path());
    if (!guard.acquire()) {
        std::fprintf(stderr, "%s\n", msg::kAlreadyRunning);
        // Nobody could answer a box on a screen that does not exist.
        if (args.screenshot.isEmpty())
            QMessageBox::critical(nullptr, QStringLiteral("Error"), QString::fromLatin1(msg::kAlreadyRunning));
        return 1;
    }

    try {
        ConfigState state;
        ShellOptions options;
        options.settings_path = default_settings_path();
        options.program_folder = QCoreApplication::applicationDirPath().toStdString();
        options.system_language_id = system_language_id(QLocale::system());
        TMainForm window(state, options);
        DeviceLink link(window, state, args.simulate);
        window.initialise();
        if (args.lang != -1) window.set_language(args.lang);
        if (args.page != -1) window.page_control()->setCurrentIndex(args.page);
        window.show();

        if (!args.screenshot.isEmpty()) {
            // Unattended: nobody answers boxes, so every box takes its default answer.
            window.set_message_answerer([](int type, const QString& title, const QString& text) {
                std::fprintf(stderr, "%s: %s\n", title.toUtf8().constData(), text.toUtf8().constData());
                return (type & 0xFF) == kBoxQuestion || (type & 0xFF) == kBoxWarning ? kIdNo : kIdOk;
            });
            QTimer::singleShot(args.after_ms, &window, [&window, &args] {
                const bool saved = window.grab().save(args.screenshot, "PNG");
                std::fprintf(stderr, saved ? "Screenshot saved to %s\n" : "Could not save %s\n",
                             args.screenshot.toLocal8Bit().constData());
                window.close();
            });
        }
        return QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), QString::fromUtf8(e.what()));
    }
    return 0;
}

}  // namespace ztv
