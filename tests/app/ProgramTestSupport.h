// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Program.h"
#include "catalogue/QuakeRecord.h"
#include "platform/testing/Doubles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tremora::test
{

/// A program over doubles in a folder of its own, with a clock standing at noon on 10 July 2015.
class ProgramFixture : public ::testing::Test
{
protected:
    ProgramFixture();

    /// Builds the program (the window with its defaults); start-up is left to the test.
    Program& makeProgram();
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    /// Writes records as the catalogue file of the folder.
    void writeCatalogue(const std::vector<QuakeRecord>& records, const QByteArray& trailing = {});

    double m_today;
    fakes::FixedClock m_clock;
    fakes::RecordingDialogs m_dialogs;
    fakes::ScriptedDownloader m_downloader;
    fakes::NoPause m_pause;
    Platform m_platform;
    QTemporaryDir m_dir;
    QString m_tileUrl; // the --tile-url of the program made
    std::unique_ptr<Program> m_program;
};

} // namespace tremora::test
