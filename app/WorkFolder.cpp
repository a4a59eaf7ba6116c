// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tremora
{

QString programVersion()
{
    return QStringLiteral(TREMORA_VERSION);
}

QString shippedDataDir(const QString& executableDir)
{
    // The relative path comes from GNUInstallDirs, so a package built for another prefix or a
    // relocated install tree finds its data the same way.
    return QDir::cleanPath(QDir(executableDir).filePath(QStringLiteral(TREMORA_DATA_FROM_BIN)));
}

bool isInstalled(const QString& executableDir)
{
    return !executableDir.isEmpty() && QFileInfo(shippedDataDir(executableDir)).isDir();
}

WorkFolderChoice defaultWorkFolder(
    const QString& executableDir, const QString& userDataDir, const QString& currentDir)
{
    if (isInstalled(executableDir) && !userDataDir.isEmpty())
        return { userDataDir, true, shippedDataDir(executableDir) };
    return { currentDir, false, {} };
}

WorkFolderSetup prepareWorkFolder(const QString& dir, const QString& shippedDir)
{
    WorkFolderSetup setup;
    if (!QDir().mkpath(dir)) {
        setup.error = QStringLiteral("cannot create the folder %1").arg(dir);
        return setup;
    }
    const QDir target(dir);
    QStringList failed;
    const QFileInfoList shipped = QDir(shippedDir).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& file : shipped) {
        const QString destination = target.filePath(file.fileName());
        if (QFileInfo::exists(destination))
            continue;
        const QString partial = destination + QStringLiteral(".part");
        QFile::remove(partial);
        if (QFile::copy(file.filePath(), partial) && QFile::rename(partial, destination)) {
            // Shipped files are read-only in the package; the user's copies are theirs to change.
            QFile::setPermissions(destination,
                QFile::permissions(destination) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
            setup.copied << file.fileName();
        } else {
            QFile::remove(partial);
            failed << file.fileName();
        }
    }
    setup.ok = true;
    if (!failed.isEmpty())
        setup.error = QStringLiteral("cannot copy %1 into %2").arg(failed.join(QStringLiteral(", ")), dir);
    return setup;
}

} // namespace tremora
