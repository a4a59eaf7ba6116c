// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/SearchPanel.h"
#include "ProgramTestSupport.h"
#include "app/Program.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/SlicedWalk.h"
#include "gui/widgets/ChartView.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/RecentListing.h"
#include "table/ReportTableModel.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/TextPrinting.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tremora;
using M = ReportTableModel;
using test::s;

namespace
{

const double kToday = dayNumber(2015, 7, 3);

/// The real window over doubles, with the clock at noon of kToday and an empty working folder;
/// the search pickers run from ten days back through today.
class SearchPanelTest : public test::WindowFixture
{
protected:
    SearchPanelTest()
        : WindowFixture(kToday)
    {
        form().DateTimePicker3->setDay(kToday - 10);
        form().DateTimePicker4->setDay(kToday);
    }

    void add(int daysAgo, int mag10, int depth10 = 100, float lon = 17, float lat = 52)
    {
        catalogue()[++catalogue().CatalogueCount]
            = test::quake(kToday - daysAgo, 60, mag10, depth10, lon, lat);
    }

    QStringList numbers()
    {
        QStringList texts;
        for (int row = 0; row < model().rowCount(); ++row)
            texts << model().cell(row, M::Number);
        return texts;
    }
};

} // namespace

TEST_F(SearchPanelTest, ListsMatchesNewestFirstIntoTheTableAndTheShownList)
{
    add(11, 55); // 1: the day before the from day
    add(10, 50); // 2: on the from day, on the magnitude's from bound
    add(5, 49); // 3: below the magnitude
    add(3, 60, 100, 17, 52); // 4: on the to bound
    add(2, 0); // 5: outside the magnitude
    add(0, 55); // 6: on the to day
    form().CheckBox2->setChecked(true);
    form().Edit11->setText(s("6"));
    form().Timer5->start();
    form().PageControl4->setCurrentIndex(TForm1::TabEnergy);
    int shown = 0;
    QObject::connect(
        &program.events(), &ProgramEvents::shownQuakesChanged, &program.events(), [&shown] { ++shown; });

    form().Button1->click();

    EXPECT_FALSE(form().Timer5->isActive());
    EXPECT_EQ(form().PageControl4->currentIndex(), TForm1::TabReport);
    EXPECT_EQ(numbers(), QStringList({ "6", "4", "2" }));
    EXPECT_EQ(form().Label29->text(), s("3"));
    EXPECT_EQ(form().Label36->text(), s("76,31 TJ")); // 6,0 + 5,5 + 5,0
    EXPECT_EQ(form().Label37->text(), s("21,2 GWh"));
    ASSERT_EQ(state().ShownQuakes.ShownCount, 3);
    EXPECT_EQ(state().ShownQuakes[1].Mag10, 55);
    EXPECT_EQ(state().ShownQuakes[3].Mag10, 50);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty());

    // "lub" with nothing checked lists nothing; "i" with nothing checked the whole date range.
    form().CheckBox2->setChecked(false);
    form().RadioButton9->click();
    form().Button1->click();
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_EQ(form().Label29->text(), s("0"));
    EXPECT_EQ(state().ShownQuakes.ShownCount, 0);
    form().RadioButton8->click();
    form().Button1->click();
    EXPECT_EQ(numbers(), QStringList({ "6", "4", "3", "2" })); // 5 matches but magnitude 0 gives no row
    EXPECT_EQ(form().Label29->text(), s("5"));
}

TEST_F(SearchPanelTest, ConjunctionLabelsFollowTheRadioButtons)
{
    for (QLabel* label : { form().Label17, form().Label18, form().Label19 })
        EXPECT_EQ(label->text(), s("i"));
    form().RadioButton9->click();
    for (QLabel* label : { form().Label17, form().Label18, form().Label19 })
        EXPECT_EQ(label->text(), s("lub"));
    form().RadioButton8->click();
    EXPECT_EQ(form().Label18->text(), s("i"));
}

TEST_F(SearchPanelTest, AFaultyBoxOrAnUnconvertibleTextLeavesTheLastListing)
{
    add(1, 50);
    form().Button1->click();
    ASSERT_EQ(model().rowCount(), 1);

    form().CheckBox3->setChecked(true);
    form().Edit9->setText(s("1000,1"));
    form().Timer5->start();
    form().Button1->click();
    EXPECT_FALSE(form().Timer5->isActive());
    EXPECT_EQ(dialogs.warnings, QStringList({ s("\"Głębokość do\" - wartość do 1000 km") }));
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_EQ(state().ShownQuakes.ShownCount, 1);
    form().CheckBox3->setChecked(false);

    // A text that passes the character checks but is no number ends the listing in an error
    // box, in a box whose criterion is unchecked too.
    for (const char* text : { "5-", "--1", "-", "2147483648" }) {
        dialogs.clear();
        form().Edit16->setText(s(text));
        form().Button1->click();
        EXPECT_TRUE(dialogs.warnings.isEmpty()) << text;
        EXPECT_EQ(dialogs.errors.size(), 1) << text;
        EXPECT_EQ(model().rowCount(), 1) << text;
    }
}

TEST_F(SearchPanelTest, ListingStopsAtTheRowLimitWithAMessage)
{
    for (int i = 0; i < TableRowLimit + 20; ++i)
        add(0, 40);
    form().Button1->click();
    finishWalks();
    EXPECT_EQ(form().Label29->text(), s("30000"));
    EXPECT_EQ(model().rowCount(), TableRowLimit);
    EXPECT_EQ(state().ShownQuakes.ShownCount, TableRowLimit);
    EXPECT_EQ(model().cell(0, M::Number), QString::number(TableRowLimit + 20));
    EXPECT_EQ(model().cell(TableRowLimit - 1, M::Number), s("21"));
    EXPECT_EQ(dialogs.warnings, QStringList({ s("Limit ilości danych w oknie wynosi 30 000 pozycji.") }));
}

TEST_F(SearchPanelTest, EmptyCatalogueListsNothing)
{
    form().Label29->setText(s("x"));
    form().Button1->click();
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_EQ(form().Label29->text(), s("0"));
    EXPECT_TRUE(dialogs.warnings.isEmpty());
}

// Listings and charts over a catalogue longer than one slice run between turns of the event loop.
// Whatever starts meanwhile takes over cleanly, and a catalogue loaded anew under a listing (its
// oldest records gave way, so every index moved) is listed again from its start: the rows are
// those the listing gives alone, never a mixture.
TEST_F(SearchPanelTest, AListingInSlicesGivesWayToTheNextAndStartsAgainOverAReloadedCatalogue)
{
    const int records = 3 * SlicedWalk::kSliceRows;
    for (int i = 0; i < records; ++i)
        add(i < records / 2 ? 1 : 0, 30 + i % 20); // yesterday, then today
    form().Button2->click(); // "Dziś", alone
    finishWalks();
    const QStringList today = numbers();
    const QString todayCount = form().Label29->text();
    ASSERT_EQ(today.size(), records / 2);

    // "Dziś" while the filtered listing walks: its rows only, and the filter's shown list gone.
    form().Button1->click();
    ASSERT_TRUE(program.searchPanel().walkRunning());
    form().Button2->click();
    EXPECT_FALSE(program.searchPanel().walkRunning());
    finishWalks();
    EXPECT_EQ(numbers(), today);
    EXPECT_EQ(form().Label29->text(), todayCount);

    // The filtered listing alone, over the catalogue once its oldest 1000 records gave way.
    const auto dropOldest = [this](int n) {
        Catalogue& c = catalogue();
        for (int i = 1; i + n <= c.CatalogueCount; ++i)
            c[i] = c[i + n];
        c.CatalogueCount -= n;
    };
    const std::vector<QuakeRecord> before(
        catalogue().slots() + 1, catalogue().slots() + 1 + catalogue().CatalogueCount);
    dropOldest(1000);
    form().Button1->click();
    finishWalks();
    const QStringList alone = numbers();
    const int shownAlone = state().ShownQuakes.ShownCount;
    ASSERT_EQ(alone.size(), records - 1000);
    ASSERT_EQ(alone.first(), QString::number(records - 1000));

    // The same catalogue rearranged under a running listing.
    std::copy(before.begin(), before.end(), catalogue().slots() + 1);
    catalogue().CatalogueCount = records;
    form().Button1->click();
    ASSERT_TRUE(program.searchPanel().walkRunning());
    dropOldest(1000);
    Q_EMIT program.events().catalogueReloaded(LoadResult {});
    finishWalks();
    EXPECT_EQ(numbers(), alone);
    EXPECT_EQ(state().ShownQuakes.ShownCount, shownAlone);
    EXPECT_EQ(form().Label29->text(), QString::number(records - 1000));

    // "Mag" while the listing walks: the shown list is the chart's selection and nothing more.
    form().Button1->click();
    ASSERT_TRUE(program.searchPanel().walkRunning());
    form().DsFancyButton5->click();
    finishWalks();
    EXPECT_EQ(state().ShownQuakes.ShownCount, records - 1000);
    EXPECT_EQ(form().DBChart1->content().lines.front().values.size(), std::size_t(records - 1000));
}
