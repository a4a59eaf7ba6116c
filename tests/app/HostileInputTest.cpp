// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile input at the window: catalogue files of random bytes and absurd records go through
// every display and listing, and every typed box gets text no person should type.
#include "ProgramTestSupport.h"

#include "catalogue/Catalogue.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/ListingExport.h"
#include "gui/controllers/Replay.h"
#include "gui/controllers/Warnings.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "tests/support/QuakeSample.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TextPrinting.h"
#include "tests/support/Waiting.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

namespace tremora::test
{
namespace
{

using HostileCatalogue = ProgramFixture;

// Records no service sends and no update writes, as another program or a damaged disk may leave.
std::vector<QuakeRecord> absurdRecords(double today)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr float kNaNf = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInff = std::numeric_limits<float>::infinity();
    std::vector<QuakeRecord> records;
    for (const double day : { kNaN, -kInf, -1e300, double(dayNumber(1, 1, 1)),
             double(dayNumber(1899, 12, 31)), 0.0, today, double(dayNumber(2100, 1, 1)) + 1, 1e300, kInf }) {
        for (const auto& [lon, lat] : { std::pair(kNaNf, 10.0f), std::pair(1e30f, -1e30f),
                 std::pair(-kInff, kInff), std::pair(540.0f, -270.0f), std::pair(17.0f, 52.0f) }) {
            QuakeRecord r = quake(day, 3600, 255, 65535, lon, lat, 255);
            records.push_back(r);
            r.OriginTime = kNaN;
            r.Mag10 = 121;
            records.push_back(r);
            r.OriginTime = -7.5;
            r.Mag10 = 45;
            records.push_back(r);
        }
    }
    return records;
}

// Every road of the window that reads records, once over the whole catalogue: the map display
// and the calendar days, the listings and the search, the row actions, the charts, the blinking,
// the replay, the export and an update.
void showEverything(Program& program, double today, const QString& exportPath)
{
    TForm1& f = program.form();
    f.ComboBox1->setCurrentIndex(0); // the whole catalogue
    f.Button14->click();
    for (QPushButton* listing : { f.Button2, f.Button3, f.Button4, f.Button5 })
        listing->click();
    f.RadioButton8->setChecked(true); // "i" with nothing checked: every record of the days
    f.DateTimePicker3->setDay(-1e6);
    f.DateTimePicker4->setDay(today + 1e6);
    f.Button1->click();
    for (const int row : { 0, 1, 2, 5, 30, 100 }) {
        if (row < f.ControlPanel1->model()->rowCount()) {
            f.ControlPanel1->selectRow(row);
            f.Kopiujlokalizacjdowyszukiwania1->trigger();
            f.jwwpromieniu100km1->trigger();
            f.Pokanamapie1->trigger();
        }
    }
    f.Pokawszystkonamapie1->trigger();
    f.RadioButton8->setChecked(true);
    f.DateTimePicker3->setDay(-1e6);
    for (QPushButton* chart : { f.DsFancyButton5, f.DsFancyButton6, f.DsFancyButton8 }) {
        chart->click();
        f.CheckBox12->toggle(); // "Log"
    }
    // The export of the listing shown last.
    f.Eksportuj1->trigger();
    if (QFileDialog* dialog = program.listingExport().dialog()) {
        Q_EMIT dialog->fileSelected(exportPath);
        dialog->close();
    }
    for (const QDate& day : { QDate(1900, 1, 1), QDate(2015, 7, 10), QDate(1752, 9, 14) })
        Q_EMIT f.MonthCalendar1->clicked(day);
    // The replay of every record from the first on, with its sound.
    f.CheckBox13->setChecked(true);
    f.DateTimePicker1->setDay(-1e6);
    f.ScrollBar1->setValue(f.ScrollBar1->maximum());
    f.Button8->click();
    waitUntil([&program] { return !program.replay().isRunning(); }, 3'000);
    program.replay().stopReplay();
    // The update plans its months from the newest record, whatever its date; the service answers
    // nothing here.
    f.DsFancyButton4->click();
    waitUntil([] { return false; }, 300);
}

// The records of the listing shown last, as the export wrote them: every magnitude and depth a
// real earthquake could have.
void expectOnlySoundRows(const QString& exportPath)
{
    QFile csv(exportPath);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    for (const QByteArray& line : lines.mid(1)) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split(',');
        ASSERT_GE(fields.size(), 5) << line.constData();
        EXPECT_FALSE(fields[0].isEmpty()) << line.constData();
    }
}

// A catalogue with a stretch of 0xFF written over it, cut short as well, as a damaged disk or
// another program leaves one. The damaged records never load; the file goes aside untouched and
// the user is told once; every road of the window then sees the sound records only.
TEST_F(HostileCatalogue, DamagedRecordsAreLeftOutTheFileGoesAsideAndEveryRoadSeesTheRestOnly)
{
    std::vector<QuakeRecord> sound;
    for (int i = 0; i < 1'000; ++i)
        sound.push_back(quake(m_today - 200 + i / 5, 60.0 * i, 30 + i % 40, 10 * (i % 700),
            float(i % 360 - 180), float(i % 180 - 90)));
    writeCatalogue(sound);
    const QString fileName = filePath(QString::fromLatin1(kCatalogueFileName));
    QByteArray bytes = readAll(fileName);
    bytes.replace(20'000, 4'000, QByteArray(4'000, char(0xFF))); // records 501 to 600
    bytes.chop(17); // and the last one cut short
    ASSERT_TRUE(writeAll(fileName, bytes));

    Program& program = makeProgram();
    program.FormCreate();
    ProgramState& state = program.state();
    ASSERT_EQ(state.catalogue.CatalogueCount, 1'000 - 100 - 1);
    for (int i = 1; i <= state.catalogue.CatalogueCount; ++i)
        ASSERT_TRUE(isSoundRecord(state.catalogue[i])) << i;
    const QString aside = fileName + QStringLiteral(".uszkodzona-2015-07-10");
    EXPECT_EQ(readAll(aside), bytes) << "every byte the user had is kept";
    EXPECT_FALSE(QFile::exists(fileName));
    const QString told = s("Baza USGS: pominięto 101 uszkodzonych rekordów; uszkodzony plik zachowano jako "
                           "Baza_USGS.dat.uszkodzona-2015-07-10.");
    EXPECT_EQ(program.form().StatusBar1->panelText(StatusBar::kMessagePanel), told);
    EXPECT_TRUE(m_dialogs.errors.isEmpty() && m_dialogs.warnings.isEmpty()) << "told once, without a box";

    // "Pokaż przefiltrowane" over everything: only real dates, magnitudes and energies.
    TForm1& f = program.form();
    f.RadioButton8->setChecked(true);
    f.DateTimePicker3->setDay(m_today - 1'000);
    f.DateTimePicker4->setDay(m_today);
    f.Button1->click();
    EXPECT_EQ(f.ControlPanel1->model()->rowCount(), 899);
    EXPECT_TRUE(std::isfinite(state.EnergySumJ) && state.EnergySumJ > 0);
    EXPECT_FALSE(f.Label36->text().startsWith(QLatin1Char('-'))) << f.Label36->text().toStdString();

    showEverything(program, m_today, filePath(QStringLiteral("lista.csv")));
    expectOnlySoundRows(filePath(QStringLiteral("lista.csv")));
    EXPECT_EQ(readAll(aside), bytes) << "the damaged file is never written";
}

// Each scan is safe on its own, even over records no load lets in: put straight into memory,
// absurd records go through every road of the window.
TEST_F(HostileCatalogue, AbsurdRecordsInMemoryGoThroughEveryRoadOfTheWindow)
{
    Program& program = makeProgram();
    program.FormCreate();
    Catalogue& c = program.state().catalogue;
    for (const QuakeRecord& r : absurdRecords(m_today))
        c[++c.CatalogueCount] = r;
    c.ImportCount = c.CatalogueCount;
    showEverything(program, m_today, filePath(QStringLiteral("lista.csv")));
    EXPECT_FALSE(program.form().StatusBar1->panelText(StatusBar::kMessagePanel).isEmpty());
}

TEST_F(HostileCatalogue, FilesOfRandomBytesLoadWhatIsSoundAndEveryRoadGetsThroughThem)
{
    std::mt19937 random(16);
    for (const int bytes : { 39, 40, 4001, 40 * 3000 + 7 }) {
        QByteArray noise(bytes, Qt::Uninitialized);
        for (char& b : noise)
            b = char(random());
        const QString fileName = filePath(QString::fromLatin1(kCatalogueFileName));
        for (const QString& old : QDir(m_dir.path()).entryList({ QStringLiteral("Baza_USGS.dat*") }))
            QFile::remove(filePath(old));
        ASSERT_TRUE(writeAll(fileName, noise));
        Program& program = makeProgram();
        program.FormCreate();
        EXPECT_LE(program.state().catalogue.CatalogueCount, bytes / 40);
        EXPECT_TRUE(QFile::exists(fileName + QStringLiteral(".uszkodzona-2015-07-10")))
            << bytes << " bytes of noise are set aside";
        showEverything(program, m_today, filePath(QStringLiteral("lista.csv")));
    }
}

// ---- Typed boxes ----

// What a box does with a text it cannot take.
enum class Answer {
    DefaultText, // the box falls back to its documented default
    Box, // a warning or error box says what is wrong
    StatusBar, // the status bar says what is wrong, and no box stops the user
};

struct TypedBox {
    const char* name;
    QLineEdit* TForm1::*box;
    QString defaultText; // for Answer::DefaultText
    Answer answer;
    std::function<void(TForm1&)> prepare; // checks the box's criterion and the like
    std::function<void(Program&)> use; // what makes the program read the box
};

// The state a refused text must leave as it was.
QStringList stateOf(Program& p)
{
    TForm1& f = p.form();
    return { QString::number(f.Timer2->interval()), QString::number(f.ControlPanel1->model()->rowCount()),
        f.Label29->text(), f.Label36->text(), f.Label37->text(),
        QString::number(p.state().ShownQuakes.ShownCount), f.Edit10->text(), f.Edit11->text(),
        f.Edit6->text(), f.Edit9->text(), f.Edit13->text(), f.Edit14->text(), f.Edit15->text(),
        f.Edit16->text(), QString::number(p.state().LastAlertIndex), f.Memo2->toPlainText(),
        QString::number(f.Timer4->isActive()) };
}

void search(Program& p)
{
    p.form().Button1->click();
}

// The warnings read their boxes when an update has written records.
void checkWarnings(Program& p)
{
    Q_EMIT p.events().recordsArrived(1, false);
}

// The replay reads its boxes when it starts; it needs a map it can draw on.
void replay(Program& p)
{
    p.form().Image1->resize(400, 200);
    p.form().Button8->click();
}

// Every box a person types a number into. A box another part of the window adds is one more row.
const std::vector<TypedBox>& typedBoxes()
{
    static const std::vector<TypedBox> rows {
        { "Edit12", &TForm1::Edit12, QStringLiteral("5"), Answer::DefaultText, {},
            [](Program& p) { Q_EMIT p.form().Edit12->editingFinished(); } },
        { "Edit10", &TForm1::Edit10, {}, Answer::Box, [](TForm1& f) { f.CheckBox2->setChecked(true); },
            search },
        { "Edit11", &TForm1::Edit11, {}, Answer::Box, [](TForm1& f) { f.CheckBox2->setChecked(true); },
            search },
        { "Edit6", &TForm1::Edit6, {}, Answer::Box, [](TForm1& f) { f.CheckBox3->setChecked(true); },
            search },
        { "Edit9", &TForm1::Edit9, {}, Answer::Box, [](TForm1& f) { f.CheckBox3->setChecked(true); },
            search },
        { "Edit13", &TForm1::Edit13, {}, Answer::Box, [](TForm1& f) { f.CheckBox4->setChecked(true); },
            search },
        { "Edit14", &TForm1::Edit14, {}, Answer::Box, [](TForm1& f) { f.CheckBox4->setChecked(true); },
            search },
        { "Edit15", &TForm1::Edit15, {}, Answer::Box, [](TForm1& f) { f.CheckBox5->setChecked(true); },
            search },
        { "Edit16", &TForm1::Edit16, {}, Answer::Box, [](TForm1& f) { f.CheckBox5->setChecked(true); },
            search },
        { "Edit25", &TForm1::Edit25, {}, Answer::Box, {}, [](Program& p) { p.form().Button13->click(); } },
        { "Edit26", &TForm1::Edit26, {}, Answer::Box, {}, [](Program& p) { p.form().Button13->click(); } },
        { "Edit27", &TForm1::Edit27, {}, Answer::Box, {}, [](Program& p) { p.form().Button13->click(); } },
        { "Edit1", &TForm1::Edit1, {}, Answer::StatusBar, [](TForm1& f) { f.CheckBox6->setChecked(true); },
            checkWarnings },
        { "Edit19", &TForm1::Edit19, {}, Answer::StatusBar, [](TForm1& f) { f.CheckBox6->setChecked(true); },
            checkWarnings },
        { "Edit17", &TForm1::Edit17, {}, Answer::StatusBar, [](TForm1& f) { f.CheckBox9->setChecked(true); },
            checkWarnings },
        { "Edit18", &TForm1::Edit18, {}, Answer::StatusBar, [](TForm1& f) { f.CheckBox9->setChecked(true); },
            checkWarnings },
        { "Edit2", &TForm1::Edit2, {}, Answer::StatusBar, [](TForm1& f) { f.CheckBox7->setChecked(true); },
            checkWarnings },
        { "Edit3", &TForm1::Edit3, {}, Answer::StatusBar, [](TForm1& f) { f.CheckBox7->setChecked(true); },
            checkWarnings },
        { "Edit4", &TForm1::Edit4, {}, Answer::StatusBar, [](TForm1& f) { f.CheckBox8->setChecked(true); },
            checkWarnings },
        { "Edit5", &TForm1::Edit5, {}, Answer::StatusBar, [](TForm1& f) { f.CheckBox8->setChecked(true); },
            checkWarnings },
        // The instruments are read with "MIDI" on.
        { "Edit29", &TForm1::Edit29, {}, Answer::Box, [](TForm1& f) { f.CheckBox13->setChecked(true); },
            replay },
        { "Edit30", &TForm1::Edit30, {}, Answer::Box, [](TForm1& f) { f.CheckBox13->setChecked(true); },
            replay },
        { "Edit31", &TForm1::Edit31, {}, Answer::Box, {}, replay },
    };
    return rows;
}

QStringList hostileTexts()
{
    // The long text is digits after a minus, so a box that keeps only its first characters still
    // holds no valid value, and a box that takes it whole gets a number no type holds.
    return { QString(), QLatin1Char('-') + QString(9'999, QLatin1Char('7')), QStringLiteral("źdźbło"),
        QStringLiteral("\u22120"), QStringLiteral("1e10"), QStringLiteral("0x10"),
        QStringLiteral("\u0661\u0662\u0663"), QStringLiteral(","), QStringLiteral(".") };
}

class HostileText : public WindowFixture
{
protected:
    HostileText()
        : WindowFixture(dayNumber(2015, 7, 10))
    {
        for (int i = 1; i <= 20; ++i)
            catalogue()[i] = quake(dayNumber(2015, 7, 10) - i, 60, 40 + i, 100, 17, 52);
        catalogue().CatalogueCount = 20;
        form().DateTimePicker3->setDay(dayNumber(2015, 6, 1));
        form().DateTimePicker4->setDay(dayNumber(2015, 7, 10));
        form().Button2->click(); // a listing the refused searches must leave alone
        for (QLineEdit* box : { form().Edit25, form().Edit26, form().Edit27 })
            box->setText(QStringLiteral("1"));
        dialogs.clear();
    }
};

TEST_F(HostileText, EveryTypedBoxAnswersEveryHostileTextWithoutAHalfChangedState)
{
    for (const TypedBox& row : typedBoxes()) {
        for (const QString& text : hostileTexts()) {
            SCOPED_TRACE(std::string(row.name) + " <- " + text.left(20).toStdString());
            TForm1& f = form();
            if (row.prepare)
                row.prepare(f);
            QLineEdit* box = f.*(row.box);
            box->setText(text);
            QStringList before = stateOf(program);
            dialogs.clear();

            row.use(program);

            QStringList after = stateOf(program);
            if (row.answer == Answer::DefaultText) {
                EXPECT_EQ(box->text(), row.defaultText);
                EXPECT_TRUE(dialogs.errors.isEmpty() && dialogs.warnings.isEmpty());
            } else if (row.answer == Answer::StatusBar) {
                EXPECT_TRUE(dialogs.errors.isEmpty() && dialogs.warnings.isEmpty());
                EXPECT_TRUE(f.StatusBar1->panelText(StatusBar::kMessagePanel).startsWith(Warnings::kHeldText))
                    << f.StatusBar1->panelText(StatusBar::kMessagePanel).toStdString();
                EXPECT_EQ(box->text(), text) << "what was typed stays to be mended";
            } else {
                EXPECT_EQ(dialogs.errors.size() + dialogs.warnings.size(), 1) << "one clear message";
                const QString message
                    = dialogs.errors.isEmpty() ? dialogs.warnings.value(0) : dialogs.errors.value(0);
                EXPECT_FALSE(message.isEmpty());
                EXPECT_EQ(box->text(), text) << "what was typed stays to be mended";
            }
            EXPECT_EQ(after, before) << "nothing changed half-way";
            box->setText(QStringLiteral("1"));
        }
    }
}

} // namespace
} // namespace tremora::test
