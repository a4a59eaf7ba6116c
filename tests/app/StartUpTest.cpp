// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up with and without a catalogue: the summary, the status text, the automatic update.
#include "ProgramTestSupport.h"

#include "catalogue/Catalogue.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/CatalogueView.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "places/PlaceList.h"
#include "places/PlaceText.h"
#include "state/ProgramState.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/TestSupport.h"

#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

namespace tremora::test
{
namespace
{

constexpr int kStatus = 4;

using StartUp = ProgramFixture;

TEST_F(StartUp, WithoutCatalogueTheSummaryStaysAndNoUpdateIsScheduled)
{
    Program& program = makeProgram();
    program.start();
    TForm1& f = program.form();

    EXPECT_EQ(program.state().catalogue.CatalogueCount, 0);
    EXPECT_EQ(f.StatusBar1->panelText(kStatus), QStringLiteral("Brak bazy USGS..."));
    EXPECT_EQ(f.Label3->text(), QStringLiteral("0"));
    EXPECT_EQ(f.Label7->text(), QStringLiteral("-"));
    EXPECT_EQ(f.Label9->text(), QStringLiteral("-"));
    EXPECT_EQ(f.Label16->text(), QStringLiteral("-"));
    EXPECT_FALSE(f.Timer2->isActive());
    EXPECT_EQ(program.state().LastAlertIndex, 0);
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
    EXPECT_TRUE(m_dialogs.warnings.isEmpty());
}

TEST_F(StartUp, WithCatalogueShowsItsSpanAndSchedulesUpdates)
{
    writeCatalogue({ quake(dayNumber(2015, 7, 1), secondsOfDay(1, 2, 3), 45),
                       quake(dayNumber(2015, 7, 2), secondsOfDay(4, 5, 6), 45),
                       quake(dayNumber(2015, 7, 3), secondsOfDay(12, 34, 56), 45) },
        QByteArray(10, '\x7f'));
    Program& program = makeProgram();
    program.start();
    TForm1& f = program.form();
    const ProgramState& s = program.state();

    EXPECT_EQ(s.catalogue.CatalogueCount, 3);
    EXPECT_EQ(s.catalogue.ImportCount, 3);
    EXPECT_EQ(s.LastAlertIndex, 3);
    // The ten bytes after the last whole record are a record cut short: the file goes aside.
    EXPECT_EQ(f.StatusBar1->panelText(kStatus),
        QStringLiteral("Baza USGS: pominięto 1 uszkodzony rekord; uszkodzony plik zachowano jako "
                       "Baza_USGS.dat.uszkodzona-2015-07-10."));
    EXPECT_EQ(f.Label3->text(), QStringLiteral("3"));
    EXPECT_EQ(f.Label7->text(), QStringLiteral("2015-07-01"));
    EXPECT_EQ(f.Label9->text(), QStringLiteral("2015-07-03"));
    EXPECT_EQ(f.Label16->text(), QStringLiteral("12:34:56"));
    EXPECT_TRUE(f.Timer2->isActive());
    // Only the date is set; the picker keeps its time of day.
    EXPECT_EQ(f.DateTimePicker2->date(), QDate(2015, 7, 3));
    EXPECT_EQ(f.DateTimePicker2->time(), QTime(11, 22, 35));
}

TEST_F(StartUp, OneRecordShowsTheSameFirstAndLastDate)
{
    writeCatalogue({ quake(dayNumber(2015, 7, 3), secondsOfDay(0, 0, 1), 45) });
    Program& program = makeProgram();
    program.FormCreate();
    EXPECT_EQ(program.form().Label7->text(), program.form().Label9->text());
    EXPECT_EQ(program.form().Label16->text(), QStringLiteral("00:00:01"));
}

TEST_F(StartUp, SetsTheCalendarsPickersAndTabsFromTheClock)
{
    Program& program = makeProgram();
    program.FormCreate();
    TForm1& f = program.form();

    EXPECT_EQ(f.MonthCalendar1->selectedDate(), QDate(2015, 7, 10));
    EXPECT_EQ(f.MonthCalendar1->maximumDate(), QDate(2015, 7, 10));
    EXPECT_DOUBLE_EQ(f.DateTimePicker3->value(), m_today - 30);
    EXPECT_DOUBLE_EQ(f.DateTimePicker4->value(), m_today);
    EXPECT_EQ(f.PageControl1->currentIndex(), int(TForm1::TabQuakes));
    EXPECT_EQ(f.PageControl4->currentIndex(), int(TForm1::TabReport));
    EXPECT_EQ(program.state().SelectedLonText, QStringLiteral("0"));
    EXPECT_EQ(program.state().SelectedLatText, QStringLiteral("0"));
}

TEST_F(StartUp, TimersRunOnlyWhereTheyStartEnabled)
{
    writeCatalogue({ quake(dayNumber(2015, 7, 3), secondsOfDay(12, 0, 0), 45) });
    Program& program = makeProgram();
    program.start();
    TForm1& f = program.form();
    for (QTimer* running : { f.Timer2, f.Timer3, f.Timer5, f.Timer7 }) {
        SCOPED_TRACE(running->objectName().toStdString());
        EXPECT_TRUE(running->isActive());
    }
    // The first ticks of the start-up timers come one second after start.
    for (QTimer* first : { f.Timer3, f.Timer5, f.Timer7 })
        EXPECT_EQ(first->interval(), 1000);
    for (QTimer* idle : { f.Timer1, f.Timer4, f.Timer6 }) {
        SCOPED_TRACE(idle->objectName().toStdString());
        EXPECT_FALSE(idle->isActive());
    }
}

TEST_F(StartUp, OnlyPolishAndEnglishCanBeChosen)
{
    Program& program = makeProgram();
    program.FormCreate();
    TForm1& f = program.form();
    EXPECT_TRUE(f.RadioButton1->isEnabled());
    EXPECT_TRUE(f.RadioButton2->isEnabled());
    for (QRadioButton* other : { f.RadioButton3, f.RadioButton4, f.RadioButton5 }) {
        SCOPED_TRACE(other->objectName().toStdString());
        EXPECT_FALSE(other->isEnabled());
        other->click();
        EXPECT_FALSE(other->isChecked());
    }
    EXPECT_TRUE(f.RadioButton1->isChecked());
}

TEST_F(StartUp, AFileOverCapacityLoadsItsNewestRecordsAndSaysSoWithoutABox)
{
    // 2,000,050 records written by something else; the 51 oldest do not fit.
    constexpr qint64 kInFile = kCatalogueCapacity + 51;
    const QString path = filePath(QString::fromLatin1(kCatalogueFileName));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // Sound records all through (a record of zeros, dated 1899, is damage), a few set apart.
        const QuakeRecord filler = quake(dayNumber(2010, 1, 1), secondsOfDay(12, 0, 0), 40);
        QByteArray all(kInFile * qint64(sizeof(QuakeRecord)), Qt::Uninitialized);
        for (qint64 i = 0; i < kInFile; ++i)
            std::memcpy(all.data() + i * qint64(sizeof(QuakeRecord)), &filler, sizeof filler);
        ASSERT_EQ(file.write(all), all.size());
        const auto put = [&file](qint64 index, const QuakeRecord& r) {
            return file.seek(index * qint64(sizeof(QuakeRecord)))
                && file.write(reinterpret_cast<const char*>(&r), sizeof r) == qint64(sizeof r);
        };
        ASSERT_TRUE(put(0, quake(dayNumber(2009, 1, 1), secondsOfDay(0, 0, 0), 45)));
        ASSERT_TRUE(put(50, quake(dayNumber(2011, 3, 1), secondsOfDay(23, 0, 0), 45)));
        ASSERT_TRUE(put(51, quake(dayNumber(2011, 3, 2), secondsOfDay(1, 0, 0), 45)));
        ASSERT_TRUE(put(kInFile - 1, quake(dayNumber(2015, 7, 9), secondsOfDay(12, 34, 56), 45)));
    }
    Program& program = makeProgram();
    program.FormCreate();
    TForm1& f = program.form();

    EXPECT_EQ(program.state().catalogue.CatalogueCount, kCatalogueCapacity);
    EXPECT_EQ(program.state().LastAlertIndex, kCatalogueCapacity);
    EXPECT_EQ(f.Label3->text(), QStringLiteral("1999999"));
    EXPECT_EQ(f.Label7->text(), QStringLiteral("2011-03-02"));
    EXPECT_EQ(f.Label9->text(), QStringLiteral("2015-07-09"));
    EXPECT_EQ(f.StatusBar1->panelText(kStatus),
        QStringLiteral(
            "Baza pełna: pominięto 51 najstarszych wstrząsów z pliku; baza zaczyna się od 2011-03-02"));
    EXPECT_TRUE(m_dialogs.warnings.isEmpty()) << "a full catalogue is no reason for a box";
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
    EXPECT_EQ(QFileInfo(path).size(), kInFile * qint64(sizeof(QuakeRecord))) << "the file stays as it is";

    // 22 too many: the words follow the number.
    {
        QFile file(path);
        ASSERT_TRUE(file.resize((kCatalogueCapacity + 22) * qint64(sizeof(QuakeRecord))));
    }
    makeProgram().FormCreate();
    EXPECT_TRUE(m_program->form().StatusBar1->panelText(kStatus).startsWith(
        QStringLiteral("Baza pełna: pominięto 22 najstarsze wstrząsy z pliku; baza zaczyna się od ")));
}

TEST_F(StartUp, AnUnreadableCatalogueIsReportedAndLeavesItEmpty)
{
    // A folder where the file should be cannot be read as one.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QString::fromLatin1(kCatalogueFileName)));
    Program& program = makeProgram();
    program.start();

    EXPECT_EQ(program.state().catalogue.CatalogueCount, 0);
    EXPECT_EQ(m_dialogs.errors.size(), 1);
    EXPECT_EQ(program.form().StatusBar1->panelText(kStatus), QStringLiteral("Brak bazy USGS..."));
    EXPECT_FALSE(program.form().Timer2->isActive());
}

TEST_F(StartUp, ReloadAfterASaveShowsTheNewSummary)
{
    writeCatalogue({ quake(dayNumber(2015, 7, 1), secondsOfDay(1, 0, 0), 45) });
    Program& program = makeProgram();
    program.FormCreate();
    EXPECT_EQ(program.form().Label3->text(), QStringLiteral("1"));

    writeCatalogue({ quake(dayNumber(2015, 7, 1), secondsOfDay(1, 0, 0), 45),
        quake(dayNumber(2015, 7, 9), secondsOfDay(23, 59, 59), 45) });
    program.catalogueView().Wczytaj_baze();
    EXPECT_EQ(program.form().Label3->text(), QStringLiteral("2"));
    EXPECT_EQ(program.form().Label9->text(), QStringLiteral("2015-07-09"));
    EXPECT_EQ(program.form().Label16->text(), QStringLiteral("23:59:59"));
}

TEST_F(StartUp, LoadsThePlaceListOfTheWorkingFolder)
{
    const PlaceRebuild built
        = rebuildPlaceFile(fixture(QStringLiteral("places")), filePath(QString::fromLatin1(kPlaceFileName)));
    ASSERT_TRUE(built.ok) << built.message.toStdString();
    Program& program = makeProgram();
    program.FormCreate();
    EXPECT_EQ(program.state().placeList.PlaceCount, built.placeCount);
    EXPECT_GT(program.state().placeList.PlaceCount, 0);
    EXPECT_TRUE(m_dialogs.errors.isEmpty());
}

} // namespace
} // namespace tremora::test
