// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpdatedWindow.h"

#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "gui/controllers/UpdateCycle.h"
#include "gui/window/TForm1.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Waiting.h"

#include <QPlainTextEdit>

namespace tremora::test
{

QByteArray csvOf(const std::vector<Event>& events)
{
    QByteArray csv = "time,latitude,longitude,depth,mag,magType,nst,gap,dmin,rms,net,id,updated,place,type,"
                     "horizontalError,depthError,magError,magNst,status,locationSource,magSource\n";
    for (const Event& e : events) {
        const QString time = QStringLiteral("2015-07-%1T%2:%3:%4.000Z")
                                 .arg(e.day, 2, 10, QLatin1Char('0'))
                                 .arg(e.second / 3600, 2, 10, QLatin1Char('0'))
                                 .arg(e.second / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(e.second % 60, 2, 10, QLatin1Char('0'));
        csv += time.toLatin1() + ',' + QByteArray::number(e.lat) + ',' + QByteArray::number(e.lon) + ",10,"
            + QByteArray::number(e.mag, 'f', 1) + ",mb,,,,0.5,us,t"
            + QByteArray::number(e.day * 100000 + e.second)
            + ",2015-07-10T00:00:00.000Z,\"somewhere\",earthquake,,,,,reviewed,us,us\n";
    }
    return csv;
}

std::vector<Event> quietHistory()
{
    std::vector<Event> events;
    for (int i = 0; i < 150; ++i)
        events.push_back({ 1 + i / 24, (i % 24) * 3600, 4.0 });
    return events;
}

UpdatedWindow::UpdatedWindow()
    : FakePlatform(double(dayNumber(2015, 7, 10)) + 0.5, QStringLiteral("http://127.0.0.1:9"))
{
}

void UpdatedWindow::start(const std::vector<Event>& stored)
{
    if (!stored.empty()) {
        Catalogue c;
        QuietObserver quiet;
        ASSERT_TRUE(Analiza(csvOf(stored), c, 0, false, quiet).accepted);
        const QByteArray image(reinterpret_cast<const char*>(c.slots() + 1),
            qsizetype(c.ImportCount) * qsizetype(sizeof(QuakeRecord)));
        ASSERT_TRUE(writeAll(dir.filePath(QString::fromLatin1(kCatalogueFileName)), image));
    }
    ProgramOptions options;
    options.workDir = dir.path();
    program = std::make_unique<Program>(platform, options, &tray);
    program->FormCreate();
    dialogs.clear();
}

void UpdatedWindow::answerWith(const std::vector<Event>& reply)
{
    const QByteArray body = csvOf(reply);
    const QByteArray none = csvOf({});
    downloader.setAnswer([body, none](const QString& url, const QString& path) {
        return writeAll(path, url.contains(QStringLiteral("starttime=2015-07")) ? body : none);
    });
}

void UpdatedWindow::update(const std::vector<Event>& reply)
{
    answerWith(reply);
    UpdateCycle& cycle = program->updateCycle();
    ASSERT_TRUE(cycle.Akt_Bazy());
    ASSERT_TRUE(waitForUpdate(cycle.update()));
}

TForm1& UpdatedWindow::form()
{
    return program->form();
}

QStringList UpdatedWindow::warningLines() const
{
    const QString text = program->form().Memo2->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

} // namespace tremora::test
