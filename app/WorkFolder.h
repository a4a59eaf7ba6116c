// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tremora
{

/// The program's version, from the build (the project version of CMakeLists.txt).
QString programVersion();

/// Where the files an installed program ships (place list, map pictures) lie, relative to the
/// folder of its executable: `<prefix>/bin` → `<prefix>/share/tremora`.
QString shippedDataDir(const QString& executableDir);

/// Whether the executable in executableDir is an installed one: its shipped data folder is where
/// the install rules put it. A build tree has no such folder beside it, so `make run` and the
/// tools started from the build keep working in the current folder.
bool isInstalled(const QString& executableDir);

/// The working folder to use when none is given on the command line: the user's data folder
/// for an installed program (its home folder, where a menu starts it, must not fill up with the
/// catalogue), the current folder otherwise.
struct WorkFolderChoice {
    QString dir;
    /// Whether dir is the user's data folder, to be made and filled from shippedDir.
    bool userData = false;
    QString shippedDir;
};
WorkFolderChoice defaultWorkFolder(
    const QString& executableDir, const QString& userDataDir, const QString& currentDir);

/// What preparing the user's data folder did.
struct WorkFolderSetup {
    bool ok = false;
    QStringList copied;
    /// Why it failed (ok false), or which shipped files could not be copied.
    QString error;
};

/// Makes dir (with its parents) if needed and copies into it each file of shippedDir that it
/// lacks. A file already there is never replaced: the user's place list or pictures win. A copy
/// goes through a temporary name, so a file cut short by a full disk is never taken for whole.
WorkFolderSetup prepareWorkFolder(const QString& dir, const QString& shippedDir);

} // namespace tremora
