#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/single_instance.h"
#include "app/startup.h"

namespace ztv {
namespace {

TEST(SingleInstance, SecondGuardOnTheSameLockIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZEBTV_ZORA4.lock"));
    SingleInstanceGuard first(path);
    ASSERT_TRUE(first.acquire());
    SingleInstanceGuard second(path);
    EXPECT_FALSE(second.acquire());
}

TEST(SingleInstance, SecondProgramSaysSoAndLeavesTheFirstAlone) {
    QTemporaryDir runtime;
    QTemporaryDir home;
    const QString lock_path = runtime.filePath(QStringLiteral("ZEBTV_ZORA4.lock"));
    SingleInstanceGuard first(lock_path);
    ASSERT_TRUE(first.acquire());

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(ZTV_SETUP_BINARY),
                 {QStringLiteral("--screenshot"), home.filePath(QStringLiteral("shot.png")), QStringLiteral("--after"),
                  QStringLiteral("0")});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAllStandardError().contains("Setup programm ZEBTV_ZORA4 is already running"));
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("shot.png"))));
    SingleInstanceGuard third(lock_path);
    EXPECT_FALSE(third.acquire());  // the first copy still holds its lock
}

TEST(SingleInstance, LockOfACrashedCopyIsTakenOver) {
    QTemporaryDir runtime;
    QTemporaryDir home;
    const QString lock_path = runtime.filePath(QStringLiteral("ZEBTV_ZORA4.lock"));
    QProcess crashed;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    crashed.setProcessEnvironment(env);
    crashed.start(QStringLiteral(ZTV_SETUP_BINARY), {QStringLiteral("--screenshot"), home.filePath(QStringLiteral("x.png")),
                                                     QStringLiteral("--after"), QStringLiteral("60000")});
    ASSERT_TRUE(crashed.waitForStarted(10000));
    for (int i = 0; i < 300 && !QFile::exists(lock_path); ++i) QThread::msleep(20);
    ASSERT_TRUE(QFile::exists(lock_path));
    crashed.kill();  // no chance to release the lock
    ASSERT_TRUE(crashed.waitForFinished(10000));
    SingleInstanceGuard next(lock_path);
    EXPECT_TRUE(next.acquire());
}

TEST(SystemLanguage, RussianAndUkrainianDesktopsGiveTheRussianIdentifiers) {
    EXPECT_EQ(system_language_id(QLocale(QLocale::Russian)), 1049);
    EXPECT_EQ(system_language_id(QLocale(QLocale::Ukrainian)), 1058);
    EXPECT_EQ(system_language_id(QLocale(QLocale::German)), 1033);
}

}  // namespace
}  // namespace ztv
