// SPDX-License-Identifier: GPL-3.0-or-later
// Copy and export of the report table through the window: Ctrl+C and "Kopiuj" on the selected
// rows, "Eksportuj..." through its save dialog, and a many-row selection that asks for one picture.
#include "gui/controllers/ListingExport.h"
#include "ProgramTestSupport.h"
#include "catalogue/Catalogue.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/ReportTable.h"
#include "gui/window/TForm1.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "table/ListingExport.h"
#include "table/ReportTableModel.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace tremora::test
{
namespace
{

const double kToday = dayNumber(2015, 7, 3);
using M = ReportTableModel;

class ListingExportTest : public WindowFixture
{
protected:
    ListingExportTest()
        : WindowFixture(kToday)
    {
        Catalogue& c = catalogue();
        for (int i = 0; i < 3; ++i)
            c[++c.CatalogueCount]
                = quake(kToday - 2 + i, secondsOfDay(10, i, 0), 45 + i, 100, 16.19f + i, 51.69f);
        program.reportTable().Button3Click(); // "7 dni": newest first
        form().show();
        QApplication::clipboard()->clear();
    }
    QTableView* table() { return form().ControlPanel1; }
    QString clipboard() { return QApplication::clipboard()->text(); }
};

TEST_F(ListingExportTest, CtrlCAndKopiujCopyTheSelectedRowsWithTheHeader)
{
    ASSERT_EQ(model().rowCount(), 3);
    table()->selectRow(0);
    table()->selectionModel()->select(
        model().index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table()->setFocus();
    QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = clipboard().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << qPrintable(clipboard());
    EXPECT_TRUE(lines[0].startsWith(M::columnCaption(M::Number) + u'\t'));
    EXPECT_EQ(lines[1].split(u'\t')[M::Number], model().cell(0, M::Number));
    EXPECT_EQ(lines[2].split(u'\t')[M::Number], model().cell(2, M::Number));

    // The menu's entry does the same for the one row now selected.
    table()->selectionModel()->select(
        model().index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    form().Kopiuj1->trigger();
    const QStringList one = clipboard().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(one.size(), 2);
    EXPECT_EQ(one[1].split(u'\t')[M::Magnitude], model().cell(1, M::Magnitude));
}

TEST_F(ListingExportTest, SelectingEveryRowAsksForOnePictureOnly)
{
    form().CheckBox11->setChecked(true);
    QSignalSpy pictures(&program.events(), &ProgramEvents::rowPictureRequested);
    table()->setCurrentIndex(model().index(1, 0));
    pictures.clear();
    table()->selectAll();
    EXPECT_EQ(pictures.size(), 1);
    EXPECT_EQ(form().Edit20->text(), QStringLiteral("51.69,17.19"));
}

TEST_F(ListingExportTest, EksportujSavesTheListingThroughANonBlockingDialog)
{
    form().Eksportuj1->trigger();
    // The handler returned with the dialog open: nothing waits inside it.
    QFileDialog* dialog = program.listingExport().dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);

    const QString path = dir.filePath(QStringLiteral("wynik"));
    dialog->selectNameFilter(QString::fromLatin1(kGeoJsonFilter));
    Q_EMIT dialog->filterSelected(QString::fromLatin1(kGeoJsonFilter));
    Q_EMIT dialog->fileSelected(path);
    dialog->close();
    const QByteArray geojson = readAll(path + QStringLiteral(".geojson"));
    EXPECT_TRUE(geojson.startsWith("{\"type\":\"FeatureCollection\"")) << geojson.left(80).constData();
    EXPECT_EQ(geojson.count("\"Point\""), 3);
    EXPECT_TRUE(dialogs.errors.isEmpty());

    // A folder that is not there: an error box, no file.
    program.listingExport().exportTo(dir.filePath(QStringLiteral("brak/wynik.csv")), QString());
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("brak/wynik.csv")));
}

} // namespace
} // namespace tremora::test
