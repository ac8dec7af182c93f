#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

#include <stdexcept>

#include "app/instance_handover.h"
#include "app/single_instance.h"
#include "app/startup.h"

namespace ztv {
namespace {

TEST(SingleInstance, SecondGuardOnTheSameLockIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZEBTV_ZORA4.lock"));
    SingleInstanceGuard first(path);
    ASSERT_EQ(first.acquire(), InstanceStatus::Acquired);
    SingleInstanceGuard second(path);
    EXPECT_EQ(second.acquire(), InstanceStatus::AlreadyRunning);
}

TEST(SingleInstance, APlaceWhereNoLockCanBeMadePassesToTheNext) {
    QTemporaryDir dir;
    const QString blocked = dir.filePath(QStringLiteral("ZEBTV_ZORA4.lock"));
    ASSERT_TRUE(QDir().mkpath(blocked));  // a folder where the lock file should be
    const QString next = dir.filePath(QStringLiteral("fallback.lock"));
    SingleInstanceGuard first(QStringList{blocked, next});
    ASSERT_EQ(first.acquire(), InstanceStatus::Acquired);
    EXPECT_EQ(first.held_path(), next);
    SingleInstanceGuard second(QStringList{blocked, next});
    EXPECT_EQ(second.acquire(), InstanceStatus::AlreadyRunning) << "both copies meet at the same place";
    EXPECT_TRUE(QFileInfo(blocked).isDir()) << "the folder is left alone";

    // A missing folder is made for the user, but not a whole missing path.
    SingleInstanceGuard nowhere(QStringList{blocked, dir.filePath(QStringLiteral("missing/deeper/x.lock"))});
    EXPECT_EQ(nowhere.acquire(), InstanceStatus::Failed);
    EXPECT_TRUE(nowhere.failure().contains(blocked + QStringLiteral(": ")));
    EXPECT_TRUE(nowhere.failure().contains(QStringLiteral("missing/deeper: ")));
}

// ztv-setup as a real process with its own runtime, settings and temporary folders.
class InstanceProcess : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(runtime.isValid() && home.isValid() && temp.isValid()); }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_path);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        env.insert(QStringLiteral("TMPDIR"), temp_path);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    void start(QProcess& process, const QString& shot_name, int after_ms) {
        process.setProcessEnvironment(environment());
        process.start(QStringLiteral(ZTV_SETUP_BINARY), {QStringLiteral("--screenshot"), home.filePath(shot_name),
                                                          QStringLiteral("--after"), QString::number(after_ms)});
    }

    // Runs a screenshot start to its end; the exit status, standard error in err.
    int run_once(QString& err) {
        QProcess process;
        start(process, QStringLiteral("shot.png"), 0);
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished(10000);
            return -1;
        }
        err = QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString lock_path() const { return QDir(runtime_path).filePath(QStringLiteral("ZEBTV_ZORA4.lock")); }

    QTemporaryDir runtime;
    QTemporaryDir home;
    QTemporaryDir temp;
    QString runtime_path = runtime.path();
    QString temp_path = temp.path();
};

TEST_F(InstanceProcess, SecondProgramSaysSoAndLeavesTheFirstAlone) {
    SingleInstanceGuard first(lock_path());
    ASSERT_EQ(first.acquire(), InstanceStatus::Acquired);
    QString err;
    EXPECT_EQ(run_once(err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("Setup programm ZEBTV_ZORA4 is already running"))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("shot.png"))));
    SingleInstanceGuard third(lock_path());
    EXPECT_EQ(third.acquire(), InstanceStatus::AlreadyRunning);  // the first copy still holds its lock
}

TEST_F(InstanceProcess, LockOfACrashedCopyIsTakenOver) {
    QProcess crashed;
    start(crashed, QStringLiteral("x.png"), 60000);
    ASSERT_TRUE(crashed.waitForStarted(10000));
    // The copy listens for second copies only once it holds its lock.
    const auto listening = [this] {
        QLocalSocket probe;
        probe.connectToServer(handover_channel_name(lock_path()));
        return probe.waitForConnected(100);
    };
    bool up = listening();
    for (int i = 0; i < 300 && !up; ++i) {
        QThread::msleep(20);
        up = listening();
    }
    ASSERT_TRUE(up) << "the copy never came to listen";
    SingleInstanceGuard held(lock_path());
    ASSERT_EQ(held.acquire(), InstanceStatus::AlreadyRunning);
    crashed.kill();  // no chance to release the lock
    ASSERT_TRUE(crashed.waitForFinished(10000));
    SingleInstanceGuard next(lock_path());
    EXPECT_EQ(next.acquire(), InstanceStatus::Acquired);
}

TEST_F(InstanceProcess, EmptyOrGarbledLockFilesAreTakenOver) {
    for (const QByteArray& content : {QByteArray(), QByteArray("garbage\n\x01\x02"), QByteArray("1\nztv-setup\nhost\n")}) {
        QFile file(lock_path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        QString err;
        EXPECT_EQ(run_once(err), 0) << err.toStdString();
        EXPECT_FALSE(err.contains(QStringLiteral("already running")));
    }
}

TEST_F(InstanceProcess, AFolderInTheLocksPlaceIsStoodAsideFrom) {
    ASSERT_TRUE(QDir().mkpath(lock_path()));
    QString err;
    EXPECT_EQ(run_once(err), 0) << err.toStdString();
    EXPECT_TRUE(QFileInfo(lock_path()).isDir());
    const QStringList own = QDir(temp_path).entryList({QStringLiteral("ZEBTV_ZORA4-*")}, QDir::Dirs);
    ASSERT_EQ(own.size(), 1) << "the lock went to a folder of the user's own in the temporary folder";
    const QString folder = QDir(temp_path).filePath(own.constFirst());
    EXPECT_EQ(QFile::permissions(folder) & 0x0077, QFileDevice::Permissions()) << "nobody else may enter it";
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(QStringLiteral("ZEBTV_ZORA4.lock"))));
}

// Another user who makes the shared temporary folder's name first, holds a lock there and
// listens beside it gets neither this user's start nor the file this user opens.
TEST_F(InstanceProcess, ALockPlantedInTheSharedTemporaryFolderIsNeverUsed) {
    runtime_path = QString();  // no runtime folder: the temporary folder is the only place
    const QString user = QString::number(::getuid());
    const QString planted = QDir(temp_path).filePath(QStringLiteral("ZEBTV_ZORA4-") + user);
    ASSERT_TRUE(QDir().mkpath(planted));
    ASSERT_TRUE(QFile::setPermissions(planted, QFileDevice::Permissions(0x7777)));
    FileLock held_inside(QDir(planted).filePath(QStringLiteral("ZEBTV_ZORA4.lock")).toStdString());
    ASSERT_EQ(held_inside.acquire(0), FileLockResult::Locked);
    FileLock held_beside((planted + QStringLiteral(".lock")).toStdString());
    ASSERT_EQ(held_beside.acquire(0), FileLockResult::Locked);
    QString err;
    EXPECT_EQ(run_once(err), 1);
    EXPECT_TRUE(err.contains(planted + QStringLiteral(": open to other users"))) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("already running"))) << err.toStdString();
}

TEST_F(InstanceProcess, NoPlaceForALockIsSaidAsSuchNotAsAlreadyRunning) {
    // A regular file where both folders should be: nothing can be created under it (Qt itself
    // falls back from the runtime folder to one inside the temporary folder, which fails too).
    QFile blocker(home.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    runtime_path = blocker.fileName() + QStringLiteral("/runtime");
    temp_path = blocker.fileName();
    QString err;
    EXPECT_EQ(run_once(err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("Cannot create the lock file")) ||
                err.contains(QStringLiteral("Не удалось создать файл блокировки")))
        << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("not-a-folder/ZEBTV_ZORA4-"))) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("already running")));
}

TEST(FatalError, AnExceptionThatEndsTheProgramGivesANonZeroStatus) {
    QString reported;
    const int status = run_guarded([]() -> int { throw std::runtime_error("disk on fire"); },
                                   [&reported](const QString& text) { reported = text; });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(reported, QStringLiteral("disk on fire"));
    EXPECT_EQ(run_guarded([] { return 0; }, [](const QString&) {}), 0);
    EXPECT_EQ(run_guarded([]() -> int { throw 42; }, [&reported](const QString& text) { reported = text; }), 1);
    EXPECT_EQ(reported, QStringLiteral("Unknown error"));
}

TEST(SystemLanguage, RussianAndUkrainianDesktopsGiveTheRussianIdentifiers) {
    EXPECT_EQ(system_language_id(QLocale(QLocale::Russian)), 1049);
    EXPECT_EQ(system_language_id(QLocale(QLocale::Ukrainian)), 1058);
    EXPECT_EQ(system_language_id(QLocale(QLocale::German)), 1033);
}

}  // namespace
}  // namespace ztv
