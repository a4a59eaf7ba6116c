// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Program.h"
#include "catalogue/QuakeRecord.h"
#include "platform/testing/Doubles.h"
#include "table/ReportTableModel.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tremora
{
class TForm1;
struct Catalogue;
struct ProgramState;
}

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
    QString m_settingsFile; // where the program made remembers the user's choices; none when empty
    std::unique_ptr<Program> m_program;
};

/// The real window over doubles, with the clock at noon of `today`, an empty working folder and
/// start-up done; the test fills the catalogue in memory.
class WindowFixture : public ::testing::Test, protected fakes::FakePlatform
{
protected:
    explicit WindowFixture(double today);

    TForm1& form() { return program.form(); }
    ProgramState& state();
    Catalogue& catalogue();
    /// The rows of the report table as ControlPanel1 shows them.
    const ReportTableModel& model();
    /// Lets the listings, charts and map displays that walk the catalogue a slice at a time run
    /// to their end.
    void finishWalks();

    QTemporaryDir dir;
    Program program;

private:
    ProgramOptions options() const;
};

} // namespace tremora::test
