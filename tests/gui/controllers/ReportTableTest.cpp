// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/ReportTable.h"
#include "ProgramTestSupport.h"
#include "app/Program.h"
#include "catalogue/DayNumber.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/window/TForm1.h"
#include "places/PlaceList.h"
#include "platform/Platform.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramState.h"
#include "table/RecentListing.h"
#include "table/ReportTableModel.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/TextPrinting.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tremora;
using M = ReportTableModel;
using test::s;

namespace
{

const double kToday = dayNumber(2015, 7, 3);

/// The real window over doubles, with the clock at noon of kToday and an empty working folder.
class ReportTableTest : public test::WindowFixture
{
protected:
    ReportTableTest()
        : WindowFixture(kToday)
    {
    }
    ReportTable& table() { return program.reportTable(); }

    /// Appends a record to the catalogue; days are counted back from today.
    QuakeRecord& add(int daysAgo, int seconds, int mag10, int depth10 = 100, float lon = 17, float lat = 52,
        int source = 1)
    {
        QuakeRecord& r = catalogue()[++catalogue().CatalogueCount];
        r = test::quake(kToday - daysAgo, seconds, mag10, depth10, lon, lat, source);
        return r;
    }

    void addPlace(float lat, float lon, const char* polish, const char* english)
    {
        PlaceList& places = state().placeList;
        PlaceRecord& p = places[++places.PlaceCount];
        p.Latitude = lat;
        p.Longitude = lon;
        p.PolishName.assign(QByteArray(polish));
        p.EnglishName.assign(QByteArray(english));
    }

    QStringList column(int c)
    {
        QStringList texts;
        for (int row = 0; row < model().rowCount(); ++row)
            texts << model().cell(row, c);
        return texts;
    }
};

} // namespace

TEST_F(ReportTableTest, ViewIsSetUpOverTheModel)
{
    QTableView* view = form().ControlPanel1;
    ASSERT_NE(view->model(), nullptr);
    EXPECT_EQ(view->model()->columnCount(), M::ColumnCount);
    EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(view->showGrid());
    EXPECT_EQ(view->contextMenuPolicy(), Qt::CustomContextMenu);
    for (int c = 0; c < M::ColumnCount; ++c)
        EXPECT_EQ(view->columnWidth(c), M::columnWidth(c)) << c;
    EXPECT_EQ(view->model()->headerData(M::Longitude, Qt::Horizontal).toString(), s("Dł.geogr."));
    EXPECT_EQ(form().Label29->text(), s("0"));
    EXPECT_EQ(form().Label36->text(), s("0 J"));
    EXPECT_EQ(form().Label37->text(), s("0 Wh"));
}

TEST_F(ReportTableTest, SevenDaysListNewestFirstWithEveryColumn)
{
    addPlace(52, 17, "Polska", "Poland");
    addPlace(50, 19, "Kraków", "Cracow");
    add(9, 100, 40); // 1: too old
    add(7, 200, 41); // 2: before the cutoff of 6 days back
    add(6, 45296, 60, 352, 19, 52.0f, 2); // 3: on the cutoff day; equidistant, place 1 wins
    add(3, 300, 0); // 4: magnitude 0, counted but not listed
    add(0, 400, 50, 0, 19.1234f, 50.0001f, 3); // 5
    add(0, 500, 45, 100, -179.5f, -10.5f, 0); // 6
    state().SelectedLonText = s("16,19");
    state().SelectedLatText = s("51,69");
    form().PageControl4->setCurrentIndex(TForm1::TabEnergy);

    form().Button3->click();

    EXPECT_EQ(form().PageControl4->currentIndex(), TForm1::TabReport);
    EXPECT_EQ(column(M::Number), QStringList({ "6", "5", "3" }));
    const char* row3[M::ColumnCount] = { "3", "2015-06-27", "12:34:56", "6", "52", "19", "35,2 km", "PDE-W",
        "Polska", "222 km", "63,1 TJ", "17,53 GWh" };
    for (int c = 0; c < M::ColumnCount; ++c)
        EXPECT_EQ(model().cell(2, c), s(row3[c])) << M::columnCaption(c).toStdString();
    EXPECT_EQ(column(M::Magnitude), QStringList({ "4,5", "5", "6" }));
    EXPECT_EQ(column(M::Latitude), QStringList({ "-10,5", "50,0001", "52" }));
    EXPECT_EQ(column(M::Longitude), QStringList({ "-179,5", "19,1234", "19" }));
    EXPECT_EQ(column(M::Depth), QStringList({ "10 km", "0 km", "35,2 km" }));
    EXPECT_EQ(column(M::Source), QStringList({ "---", "PDE", "PDE-W" }));
    EXPECT_EQ(column(M::Place), QStringList({ "Polska", "Kraków", "Polska" }));
    EXPECT_EQ(column(M::Date), QStringList({ "2015-07-03", "2015-07-03", "2015-06-27" }));

    EXPECT_EQ(form().Label29->text(), s("4"));
    // 63.1 TJ + 2 TJ + 0.35 TJ, and the same over 3600 in Wh.
    EXPECT_EQ(form().Label36->text(), s("65,45 TJ"));
    EXPECT_EQ(form().Label37->text(), s("18,18 GWh"));
    EXPECT_EQ(state().SelectedLonText, s("0"));
    EXPECT_EQ(state().SelectedLatText, s("0"));
    EXPECT_TRUE(dialogs.warnings.isEmpty());

    // A change of language shows in the rows listed after it.
    form().RadioButton2->setEnabled(true);
    form().RadioButton2->setChecked(true);
    form().Button5->click();
    EXPECT_EQ(column(M::Place), QStringList({ "Poland", "Cracow", "Poland", "Poland", "Poland" }));
    EXPECT_EQ(form().Label29->text(), s("6"));
}

TEST_F(ReportTableTest, TodayListsTheNewestRecordEvenFromYesterday)
{
    add(3, 100, 40);
    add(1, 200, 41);
    form().Button2->click();
    EXPECT_EQ(column(M::Number), QStringList({ "2" }));
    EXPECT_EQ(form().Label29->text(), s("1"));

    // Listings start afresh: the list is emptied and the totals restart.
    form().Button2->click();
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_EQ(form().Label36->text(), s("89,13 GJ"));
}

TEST_F(ReportTableTest, EmptyCatalogueAndEmptyPlaceList)
{
    for (QPushButton* button : { form().Button2, form().Button3, form().Button4, form().Button5 }) {
        form().Label29->setText(s("x"));
        button->click();
        EXPECT_EQ(model().rowCount(), 0);
        EXPECT_EQ(form().Label29->text(), s("0"));
        EXPECT_EQ(form().Label36->text(), s("J"));
        EXPECT_EQ(form().Label37->text(), s("Wh"));
    }

    // Without places the place cell is "-" and the distance repeats the last one found.
    add(0, 100, 40);
    form().Button2->click();
    EXPECT_EQ(model().cell(0, M::Place), s("-"));
    EXPECT_EQ(model().cell(0, M::Distance), s("0 km"));
    state().placeList.NearestPlaceDistance = 12.5f;
    form().Button2->click();
    EXPECT_EQ(model().cell(0, M::Distance), s("13 km"));
}

TEST_F(ReportTableTest, ListingStopsAtTheRowLimitWithAMessage)
{
    for (int i = 0; i < TableRowLimit + 50; ++i)
        add(0, i % 86400, i % 7 == 0 ? 0 : 30);
    form().Button2->click();
    finishWalks();
    EXPECT_EQ(form().Label29->text(), s("30000"));
    ASSERT_EQ(dialogs.warnings, QStringList({ s("Limit ilości danych w oknie wynosi 30 000 pozycji.") }));
    // Newest first down to the 30,000th record visited; magnitude 0 records are counted only.
    const int first = catalogue().CatalogueCount;
    const int last = first - TableRowLimit + 1;
    EXPECT_EQ(model().cell(0, M::Number), QString::number(first % 7 == 1 ? first - 1 : first));
    int listed = 0;
    for (int i = last; i <= first; ++i)
        listed += (i - 1) % 7 != 0;
    EXPECT_EQ(model().rowCount(), listed);
    EXPECT_EQ(model().cell(model().rowCount() - 1, M::Number).toInt(), (last - 1) % 7 ? last : last + 1);
    EXPECT_FALSE(form().Label36->text().isEmpty());

    // One record fewer than the limit is no reason to warn.
    dialogs.clear();
    catalogue().CatalogueCount = TableRowLimit - 1;
    form().Button2->click();
    finishWalks();
    EXPECT_EQ(form().Label29->text(), s("29999"));
    EXPECT_TRUE(dialogs.warnings.isEmpty());
}

TEST_F(ReportTableTest, RowsEnterOnlyForRecordsOfTheCatalogue)
{
    add(0, 100, 40);
    table().clearTable();
    table().Wysw_tab1(0);
    table().Wysw_tab1(2);
    table().Wysw_tab1(-5);
    EXPECT_EQ(model().rowCount(), 0);
    table().Wysw_tab1(1);
    table().Wysw_tab1(1);
    EXPECT_EQ(column(M::Number), QStringList({ "1", "1" }));
    table().showTotals();
    EXPECT_EQ(form().Label37->text(), s("35,05 MWh"));
}

TEST_F(ReportTableTest, SpanChooserMovesThePeriodStartKeepingItsTime)
{
    DateTimePicker* start = form().DateTimePicker1;
    const double timeOfDay = start->value() - std::floor(start->value());
    const int expected[] = { 365, 180, 90, 29, 13, 6, 2, 1 };
    for (int i : { 7, 0, 1, 2, 3, 4, 5, 6 }) {
        form().ComboBox2->setCurrentIndex(i);
        Q_EMIT form().ComboBox2->activated(i);
        EXPECT_DOUBLE_EQ(std::floor(start->value()), kToday - expected[i]) << i;
        EXPECT_NEAR(start->value() - std::floor(start->value()), timeOfDay, 1e-6);
    }
    start->setDay(kToday);
    form().ComboBox2->setCurrentIndex(-1);
    table().ComboBox2Change();
    EXPECT_DOUBLE_EQ(std::floor(start->value()), kToday);
}
