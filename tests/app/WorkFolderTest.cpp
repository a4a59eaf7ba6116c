// SPDX-License-Identifier: GPL-3.0-or-later
// The working folder of an installed program and of one started from its build folder, and the
// first start that fills the user's data folder with the shipped files.
#include "app/WorkFolder.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tremora::test
{
namespace
{

// An install tree as the package lays it out: bin/ and share/tremora/ under one prefix.
struct InstallTree {
    QTemporaryDir root;
    QString bin() const { return root.filePath(QStringLiteral("usr/bin")); }
    QString shipped() const { return root.filePath(QStringLiteral("usr/share/tremora")); }
    bool make() const { return QDir().mkpath(bin()) && QDir().mkpath(shipped()); }
};

TEST(WorkFolder, InstalledUsesTheUserDataFolderAndABuildTreeTheCurrentOne)
{
    InstallTree tree;
    ASSERT_TRUE(tree.make());
    const WorkFolderChoice installed = defaultWorkFolder(
        tree.bin(), QStringLiteral("/home/u/.local/share/tremora"), QStringLiteral("/home/u"));
    EXPECT_TRUE(installed.userData);
    EXPECT_EQ(installed.dir, QStringLiteral("/home/u/.local/share/tremora"));
    EXPECT_EQ(
        QFileInfo(installed.shippedDir).canonicalFilePath(), QFileInfo(tree.shipped()).canonicalFilePath());

    // The build tree: build/release/app has no share/tremora beside it.
    QTemporaryDir build;
    ASSERT_TRUE(QDir().mkpath(build.filePath(QStringLiteral("release/app"))));
    const QString buildBin = build.filePath(QStringLiteral("release/app"));
    EXPECT_FALSE(isInstalled(buildBin));
    const WorkFolderChoice fromBuild = defaultWorkFolder(
        buildBin, QStringLiteral("/home/u/.local/share/tremora"), QStringLiteral("/src/run"));
    EXPECT_FALSE(fromBuild.userData);
    EXPECT_EQ(fromBuild.dir, QStringLiteral("/src/run"));
}

TEST(WorkFolder, FirstStartCopiesTheShippedFilesAndNeverReplacesTheUsers)
{
    InstallTree tree;
    ASSERT_TRUE(tree.make());
    const QString shippedPlaces = QDir(tree.shipped()).filePath(QStringLiteral("Lokalizacje.dat"));
    ASSERT_TRUE(writeAll(shippedPlaces, QByteArray(140, 'p')));
    ASSERT_TRUE(writeAll(QDir(tree.shipped()).filePath(QStringLiteral("Ziemia.jpg")), "shipped picture"));
    // As the package installs them: read-only for everybody.
    for (const QString& name : { QStringLiteral("Lokalizacje.dat"), QStringLiteral("Ziemia.jpg") })
        QFile::setPermissions(
            QDir(tree.shipped()).filePath(name), QFileDevice::ReadOwner | QFileDevice::ReadOther);

    QTemporaryDir home;
    const QString data = home.filePath(QStringLiteral(".local/share/tremora"));
    const WorkFolderSetup first = prepareWorkFolder(data, tree.shipped());
    ASSERT_TRUE(first.ok) << qPrintable(first.error);
    EXPECT_TRUE(first.error.isEmpty());
    EXPECT_EQ(
        first.copied, (QStringList { QStringLiteral("Lokalizacje.dat"), QStringLiteral("Ziemia.jpg") }));
    EXPECT_EQ(readAll(QDir(data).filePath(QStringLiteral("Lokalizacje.dat"))), QByteArray(140, 'p'));
    EXPECT_TRUE(QFileInfo(QDir(data).filePath(QStringLiteral("Ziemia.jpg"))).isWritable());
    EXPECT_FALSE(QFileInfo::exists(QDir(data).filePath(QStringLiteral("Ziemia.jpg.part"))));

    // The user's own picture and a catalogue stay; only what went missing comes back.
    ASSERT_TRUE(writeAll(QDir(data).filePath(QStringLiteral("Ziemia.jpg")), "my picture"));
    ASSERT_TRUE(QFile::remove(QDir(data).filePath(QStringLiteral("Lokalizacje.dat"))));
    const WorkFolderSetup again = prepareWorkFolder(data, tree.shipped());
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.copied, QStringList { QStringLiteral("Lokalizacje.dat") });
    EXPECT_EQ(readAll(QDir(data).filePath(QStringLiteral("Ziemia.jpg"))), QByteArray("my picture"));
}

TEST(WorkFolder, AFolderThatCannotBeMadeIsAFailure)
{
    QTemporaryDir home;
    const QString aFile = home.filePath(QStringLiteral("file"));
    ASSERT_TRUE(writeAll(aFile, "x"));
    const WorkFolderSetup setup
        = prepareWorkFolder(QDir(aFile).filePath(QStringLiteral("tremora")), home.path());
    EXPECT_FALSE(setup.ok);
    EXPECT_FALSE(setup.error.isEmpty());
}

// The real executable, copied into an install tree: --version, and a start without --workdir that
// makes the user's data folder (here under a made-up XDG_DATA_HOME) and works there.
TEST(WorkFolder, TheInstalledExecutableWorksInTheUserDataFolder)
{
    QProcess version;
    version.start(QStringLiteral(TREMORA_EXECUTABLE), { QStringLiteral("--version") });
    ASSERT_TRUE(version.waitForFinished(30000));
    EXPECT_EQ(version.exitCode(), 0);
    EXPECT_EQ(version.readAllStandardOutput().trimmed(), QByteArray("tremora ") + programVersion().toUtf8());

    InstallTree tree;
    ASSERT_TRUE(tree.make());
    const QString program = QDir(tree.bin()).filePath(QStringLiteral("tremora"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TREMORA_EXECUTABLE), program));
    ASSERT_TRUE(writeAll(QDir(tree.shipped()).filePath(QStringLiteral("Ziemia.jpg")), "shipped picture"));

    QTemporaryDir home;
    QTemporaryDir elsewhere;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Rebuilding the place list from a folder without lists needs no window and ends at once,
    // after the working folder is settled: the attempt leaves no file in the current folder.
    QProcess run;
    run.setProcessEnvironment(env);
    run.setWorkingDirectory(elsewhere.path());
    run.start(program, { QStringLiteral("--rebuild-places"), elsewhere.filePath(QStringLiteral("none")) });
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 1) << run.readAllStandardError().constData();
    const QString data = QDir(home.path()).filePath(QStringLiteral("tremora"));
    EXPECT_EQ(readAll(QDir(data).filePath(QStringLiteral("Ziemia.jpg"))), QByteArray("shipped picture"));
    EXPECT_TRUE(QDir(elsewhere.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());

    QProcess help;
    help.setProcessEnvironment(env);
    help.start(program, { QStringLiteral("--help") });
    ASSERT_TRUE(help.waitForFinished(30000));
    EXPECT_TRUE(help.readAllStandardOutput().contains(data.toUtf8()));
}

} // namespace
} // namespace tremora::test
