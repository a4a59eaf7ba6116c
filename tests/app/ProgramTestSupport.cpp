// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramTestSupport.h"

#include "catalogue/Catalogue.h"
#include "catalogue/DayNumber.h"
#include "tests/support/TestSupport.h"

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

} // namespace tremora::test
