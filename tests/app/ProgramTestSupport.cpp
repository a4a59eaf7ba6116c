// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramTestSupport.h"

#include "catalogue/Catalogue.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/Charts.h"
#include "gui/controllers/MapDisplay.h"
#include "gui/controllers/ReportTable.h"
#include "gui/controllers/SearchPanel.h"
#include "gui/window/TForm1.h"
#include "state/ProgramState.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Waiting.h"

#include <QTableView>

namespace tremora::test
{

ProgramFixture::ProgramFixture()
    : m_today(double(dayNumber(2015, 7, 10)))
    , m_clock(m_today + 0.5)
    , m_platform { m_clock, m_dialogs, m_downloader, m_pause, QStringLiteral("http://127.0.0.1:9"),
        QString() }
{
}

Program& ProgramFixture::makeProgram()
{
    ProgramOptions options;
    options.workDir = m_dir.path();
    options.tileUrl = m_tileUrl;
    options.settingsFile = m_settingsFile;
    m_program = std::make_unique<Program>(m_platform, options);
    return *m_program;
}

void ProgramFixture::writeCatalogue(const std::vector<QuakeRecord>& records, const QByteArray& trailing)
{
    QByteArray bytes(
        reinterpret_cast<const char*>(records.data()), qsizetype(records.size() * sizeof(QuakeRecord)));
    bytes += trailing;
    ASSERT_TRUE(writeAll(filePath(QString::fromLatin1(kCatalogueFileName)), bytes));
}

WindowFixture::WindowFixture(double today)
    : FakePlatform(today + 0.5)
    , program(platform, options())
{
    program.FormCreate();
    dialogs.clear();
}

ProgramOptions WindowFixture::options() const
{
    ProgramOptions o;
    o.workDir = dir.path();
    return o;
}

ProgramState& WindowFixture::state()
{
    return program.state();
}

Catalogue& WindowFixture::catalogue()
{
    return program.state().catalogue;
}

const ReportTableModel& WindowFixture::model()
{
    return *static_cast<const ReportTableModel*>(form().ControlPanel1->model());
}

void WindowFixture::finishWalks()
{
    ASSERT_TRUE(waitUntil([this] {
        return !program.reportTable().walkRunning() && !program.searchPanel().walkRunning()
            && !program.charts().walkRunning() && !program.mapDisplay().displayRunning();
    }));
}

} // namespace tremora::test
