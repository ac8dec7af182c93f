// ztv-setup started as a real process: command lines it refuses, unattended runs that must end
// on their own, and what their exit status says.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace ztv {
namespace {

struct Finished {
    int exit_code = -1;
    QString err;
    QString out;
};

class SetupProcess : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(runtime.isValid() && home.isValid()); }

    Finished run(const QStringList& args, int timeout_ms = 60000, const QString& folder = QString()) {
        QProcess process;
        if (!folder.isEmpty()) process.setWorkingDirectory(folder);
        start(process, args);
        return finish(process, args, timeout_ms);
    }

    // Starts the program with its settings and lock in this test's folders.
    void start(QProcess& process, const QStringList& args, const QString& program = QStringLiteral(ZTV_SETUP_BINARY)) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        if (!locale.isEmpty()) env.insert(QStringLiteral("LC_ALL"), locale);
        process.setProcessEnvironment(env);
        process.start(program, args);
    }

    Finished finish(QProcess& process, const QStringList& args, int timeout_ms) {
        Finished result;
        if (!process.waitForFinished(timeout_ms)) {
            process.kill();
            process.waitForFinished(10000);
            ADD_FAILURE() << "ztv-setup did not end by itself: " << args.join(QLatin1Char(' ')).toStdString();
            return result;
        }
        result.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.err = QString::fromUtf8(process.readAllStandardError());
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        return result;
    }

    QString shot() const { return home.filePath(QStringLiteral("shot.png")); }

    QTemporaryDir runtime;
    QTemporaryDir home;
    QString platform = QStringLiteral("offscreen");
    QString locale;  // LC_ALL, when set
};

TEST_F(SetupProcess, RefusedCommandLinesExitTwoNamingTheProblemInOneLine) {
    const QList<QStringList> refused = {
        {QStringLiteral("--screenshot"), QString()},
        {QStringLiteral("--screenshot"), shot(), QStringLiteral("--after"), QStringLiteral("-1")},
        {QStringLiteral("--screenshot"), shot(), QStringLiteral("--after"), QStringLiteral("100000000000")},
        {QStringLiteral("--lang"), QStringLiteral("xx")},
        {QStringLiteral("--page"), QStringLiteral("nowhere")},
    };
    for (const QStringList& args : refused) {
        const Finished f = run(args);
        const std::string shown = args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(f.exit_code, 2) << shown;
        const QStringList lines = f.err.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 3) << f.err.toStdString();  // two lines, each ended
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("ztv-setup: "))) << f.err.toStdString();
        EXPECT_EQ(lines[1], QStringLiteral("Try 'ztv-setup --help' for more information."));
    }
    locale = QStringLiteral("ru_RU.UTF-8");
    const Finished russian = run({QStringLiteral("--page"), QStringLiteral("nowhere")});
    EXPECT_EQ(russian.exit_code, 2);
    EXPECT_TRUE(russian.err.contains(QStringLiteral("«nowhere»"))) << russian.err.toStdString();
    EXPECT_TRUE(russian.err.contains(QStringLiteral("«ztv-setup --help»"))) << russian.err.toStdString();
    const Finished english = run({QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("--page"),
                                  QStringLiteral("nowhere")});
    EXPECT_TRUE(english.err.contains(QStringLiteral("not 'nowhere'"))) << "--lang outweighs the locale";
    EXPECT_FALSE(QFile::exists(shot()));
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("zeb-tervio/ztv-setup.ini"))))
        << "a refused command line starts nothing";
}

TEST_F(SetupProcess, HelpAndVersionGoToStandardOutputWithoutADisplay) {
    platform = QStringLiteral("no-such-display");  // Qt's application object could not start
    EXPECT_EQ(run({QStringLiteral("--nonsense")}).exit_code, 2);
    const Finished help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--page terminal|parameters|canlog")));
    for (const QString& asked : {QStringLiteral("--version"), QStringLiteral("-V")}) {
        const Finished version = run({asked});
        EXPECT_EQ(version.exit_code, 0);
        EXPECT_EQ(version.out, QStringLiteral("ztv-setup 10.05\n"));
    }
}

TEST_F(SetupProcess, ScreenshotThatCannotBeWrittenExitsNonZero) {
    const QString path = home.filePath(QStringLiteral("no-such-folder/shot.png"));
    const Finished f = run({QStringLiteral("--screenshot"), path, QStringLiteral("--after"), QStringLiteral("0")});
    EXPECT_EQ(f.exit_code, 1);
    EXPECT_TRUE(f.err.contains(QStringLiteral("Could not save the screenshot to"))) << f.err.toStdString();
    // A device that takes no byte: the picture must not be reported as saved.
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        const Finished full = run({QStringLiteral("--screenshot"), QStringLiteral("/dev/full"), QStringLiteral("--after"),
                                   QStringLiteral("0")});
        EXPECT_EQ(full.exit_code, 1) << full.err.toStdString();
    }
    // A pipe nobody reads is refused at once, not waited on.
    const QString pipe = home.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const Finished piped = run({QStringLiteral("--screenshot"), pipe, QStringLiteral("--after"), QStringLiteral("0")}, 30000);
    EXPECT_EQ(piped.exit_code, 1) << piped.err.toStdString();
    EXPECT_TRUE(piped.err.contains(QStringLiteral("The name is a device or pipe, not a file"))) << piped.err.toStdString();
}

TEST_F(SetupProcess, UnreadableSettingsInAnUnattendedRunArePrintedNotWaitedFor) {
    // A folder where the settings file should be: reading it fails at once, before the window
    // is shown.
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("zeb-tervio/ztv-setup.ini")));
    const Finished f = run({QStringLiteral("--screenshot"), shot(), QStringLiteral("--after"), QStringLiteral("0"),
                            QStringLiteral("--lang"), QStringLiteral("en")},
                           60000);
    EXPECT_EQ(f.exit_code, 0) << f.err.toStdString();
    EXPECT_TRUE(f.err.contains(QStringLiteral("Error: Error reading the configuration file of the program")))
        << f.err.toStdString();
    EXPECT_TRUE(QFile::exists(shot()));
}

// What a file manager does when the user opens a *.ZTV file: the file is the one argument.
TEST_F(SetupProcess, AConfigurationFileNamedOnTheCommandLineIsOpenedAtStart) {
    const QString folder = home.filePath(QStringLiteral("cars"));
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("cars")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZTV_SAMPLES_DIR "/demo.ZTV"), folder + QStringLiteral("/demo.ZTV")));
    // Named relative to the folder it was started in; remembered by its real folder.
    const Finished opened = run({QStringLiteral("--screenshot"), shot(), QStringLiteral("--after"), QStringLiteral("300"),
                                 QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("demo.ZTV")},
                                60000, folder);
    EXPECT_EQ(opened.exit_code, 0) << opened.err.toStdString();
    EXPECT_FALSE(opened.err.contains(QStringLiteral("Error"))) << opened.err.toStdString();
    QFile settings(home.filePath(QStringLiteral("zeb-tervio/ztv-setup.ini")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QString saved = QString::fromUtf8(settings.readAll());
    EXPECT_TRUE(saved.contains(QStringLiteral("ZEBTERVIO=") + folder + QStringLiteral("/demo.ZTV"))) << saved.toStdString();

    // A file that is not there is reported, and the program goes on.
    const Finished missing = run({QStringLiteral("--screenshot"), shot(), QStringLiteral("--after"), QStringLiteral("300"),
                                  QStringLiteral("--lang"), QStringLiteral("en"), folder + QStringLiteral("/gone.ZTV")});
    EXPECT_EQ(missing.exit_code, 0) << missing.err.toStdString();
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Error: The configuration file was not found"))) << missing.err.toStdString();
    EXPECT_TRUE(missing.err.contains(QStringLiteral("gone.ZTV")));

    const Finished two = run({QStringLiteral("a.ZTV"), QStringLiteral("b.ZTV")});
    EXPECT_EQ(two.exit_code, 2);
    EXPECT_TRUE(two.err.contains(QStringLiteral("only one configuration file"))) << two.err.toStdString();
}

// A name in Windows-1251, as an old archive unpacks it, reaches the program as the bytes the
// system gives (a shell makes them, as no QString can hold them); a replay file that cannot be
// used ends the program with 1, as it ends ztv-tool.
TEST_F(SetupProcess, ANameThatIsNotUtf8IsOpenedByItsBytes) {
    const std::string name = home.path().toStdString() + "/\xCC\xE0\xF8\xE8\xED\xE0.ZTV";
    std::filesystem::copy_file(ZTV_SAMPLES_DIR "/demo.ZTV", name);
    const QString octal = home.path() + QStringLiteral("/\\314\\340\\370\\350\\355\\340.ZTV");
    const QStringList args{QStringLiteral("-c"), QStringLiteral("exec \"$0\" --screenshot \"$1\" --after 300 \"$(printf \"$2\")\""),
                           QStringLiteral(ZTV_SETUP_BINARY), shot(), octal};
    QProcess process;
    start(process, args, QStringLiteral("/bin/sh"));
    const Finished opened = finish(process, args, 60000);
    EXPECT_EQ(opened.exit_code, 0) << opened.err.toStdString();
    EXPECT_FALSE(opened.err.contains(QStringLiteral("Error"))) << opened.err.toStdString();

    const Finished replay = run({QStringLiteral("--simulate"), QStringLiteral("--sim-can"), home.filePath(QStringLiteral("gone.txt"))});
    EXPECT_EQ(replay.exit_code, 1) << replay.err.toStdString();
}

// What a file manager does while the program runs: the second start hands the file over to the
// running copy, which opens it; the second copy says nothing and ends.
TEST_F(SetupProcess, ASecondStartWithAFileHandsItToTheRunningCopyAndEndsQuietly) {
    const QString folder = home.filePath(QStringLiteral("cars"));
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("cars")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZTV_SAMPLES_DIR "/demo.ZTV"), folder + QStringLiteral("/demo.ZTV")));
    QFile junk(folder + QStringLiteral("/notes.ZTV"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("shopping list\n");
    junk.close();

    QProcess first;
    const QStringList first_args{QStringLiteral("--screenshot"), shot(), QStringLiteral("--after"),
                                 QStringLiteral("20000"), QStringLiteral("--lang"), QStringLiteral("en")};
    start(first, first_args);
    // The running copy listens beside its lock once its window is up.
    const QString socket = runtime.filePath(QStringLiteral("ZEBTV_ZORA4.lock.socket"));
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(socket) && clock.elapsed() < 30000) QThread::msleep(50);
    ASSERT_TRUE(QFileInfo::exists(socket)) << QString::fromUtf8(first.readAllStandardError()).toStdString();

    // Without a file the second copy still says that one is running (unattended, so that its
    // box does not wait for a person).
    const Finished plain = run({QStringLiteral("--screenshot"), home.filePath(QStringLiteral("second.png"))});
    EXPECT_EQ(plain.exit_code, 1);
    EXPECT_TRUE(plain.err.contains(QStringLiteral("already running"))) << plain.err.toStdString();
    // Nor does a picture run hand its file over: it would end with no picture and no word.
    const Finished pictured = run({QStringLiteral("notes.ZTV"), QStringLiteral("--screenshot"),
                                   home.filePath(QStringLiteral("third.png"))}, 30000, folder);
    EXPECT_EQ(pictured.exit_code, 1);
    EXPECT_TRUE(pictured.err.contains(QStringLiteral("already running"))) << pictured.err.toStdString();

    // Something that is not a configuration is handed over too; the running copy says so.
    const Finished wrong = run({QStringLiteral("notes.ZTV")}, 30000, folder);
    EXPECT_EQ(wrong.exit_code, 0) << wrong.err.toStdString();
    const Finished second = run({QStringLiteral("demo.ZTV")}, 30000, folder);
    EXPECT_EQ(second.exit_code, 0) << second.err.toStdString();
    EXPECT_TRUE(second.err.isEmpty()) << second.err.toStdString();
    EXPECT_TRUE(second.out.isEmpty()) << second.out.toStdString();

    const Finished ended = finish(first, first_args, 60000);
    EXPECT_EQ(ended.exit_code, 0) << ended.err.toStdString();
    EXPECT_EQ(ended.err.count(QStringLiteral("notes.ZTV")), 1) << ended.err.toStdString();  // handed over once
    QFile settings(home.filePath(QStringLiteral("zeb-tervio/ztv-setup.ini")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QString saved = QString::fromUtf8(settings.readAll());
    EXPECT_TRUE(saved.contains(QStringLiteral("ZEBTERVIO=") + folder + QStringLiteral("/demo.ZTV"))) << saved.toStdString();
}

// Pictures of the editor's tool windows for the slot shown, once the file is in.
TEST_F(SetupProcess, WindowPicturesTheKeyPickerOrTheIrCodeEditorOfTheSlot) {
    const QString demo = QStringLiteral(ZTV_SAMPLES_DIR "/demo.ZTV");
    const QString main_shot = home.filePath(QStringLiteral("main.png"));
    const Finished whole = run({QStringLiteral("--screenshot"), main_shot, QStringLiteral("--after"),
                                QStringLiteral("300"), QStringLiteral("--slot"), QStringLiteral("9"), demo});
    ASSERT_EQ(whole.exit_code, 0) << whole.err.toStdString();
    const QSize main_size = QImage(main_shot).size();

    // Slot 9 of the demo is the remote's OK key: an IR code event. The modal editor is pictured
    // from inside its own loop, also when the picture is due at once.
    const Finished ir = run({QStringLiteral("--screenshot"), shot(), QStringLiteral("--after"), QStringLiteral("0"),
                             QStringLiteral("--slot"), QStringLiteral("9"), QStringLiteral("--window"),
                             QStringLiteral("ircode"), demo});
    EXPECT_EQ(ir.exit_code, 0) << ir.err.toStdString();
    const QSize ir_size = QImage(shot()).size();
    EXPECT_TRUE(ir_size.isValid());
    EXPECT_LT(ir_size.width(), main_size.width() / 2);  // the small editor, not the main window
    ASSERT_TRUE(QFile::remove(shot()));

    const Finished keys = run({QStringLiteral("--screenshot"), shot(), QStringLiteral("--after"), QStringLiteral("300"),
                               QStringLiteral("--slot"), QStringLiteral("1"), QStringLiteral("--window"),
                               QStringLiteral("KEYS"), demo});
    EXPECT_EQ(keys.exit_code, 0) << keys.err.toStdString();
    const QSize keys_size = QImage(shot()).size();
    EXPECT_TRUE(keys_size.isValid());
    EXPECT_NE(keys_size, main_size);
    ASSERT_TRUE(QFile::remove(shot()));

    // An empty slot has no IR code: nothing is pictured and the run says why.
    const Finished none = run({QStringLiteral("--screenshot"), shot(), QStringLiteral("--after"), QStringLiteral("300"),
                               QStringLiteral("--slot"), QStringLiteral("20"), QStringLiteral("--window"),
                               QStringLiteral("ircode"), demo});
    EXPECT_EQ(none.exit_code, 2);
    EXPECT_TRUE(none.err.contains(QStringLiteral("Slot 20 holds no IR code"))) << none.err.toStdString();
    EXPECT_FALSE(QFile::exists(shot()));
}

}  // namespace
}  // namespace ztv
