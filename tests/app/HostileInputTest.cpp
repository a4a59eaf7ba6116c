// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile input at the window: catalogue files of random bytes and absurd records go through
// every display and listing, and every typed box gets text no person should type.
#include "ProgramTestSupport.h"

#include "catalogue/Catalogue.h"
#include "catalogue/DayNumber.h"
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
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
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

// Everything that shows or lists records, once over the whole catalogue.
void showEverything(Program& program, double today)
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
        }
    }
    for (const QDate& day : { QDate(1900, 1, 1), QDate(2015, 7, 10), QDate(1752, 9, 14) })
        Q_EMIT f.MonthCalendar1->clicked(day);
    // The update plans its months from the newest record, whatever its date; the service answers
    // nothing here.
    f.DsFancyButton4->click();
    waitUntil([] { return false; }, 300);
}

TEST_F(HostileCatalogue, AbsurdRecordsLoadAndEveryDisplayAndListingGetsThroughThem)
{
    writeCatalogue(absurdRecords(m_today));
    Program& program = makeProgram();
    program.FormCreate();
    ASSERT_EQ(program.state().catalogue.CatalogueCount, int(absurdRecords(m_today).size()));
    showEverything(program, m_today);
    EXPECT_FALSE(program.form().StatusBar1->panelText(StatusBar::kMessagePanel).isEmpty());
}

TEST_F(HostileCatalogue, FilesOfRandomBytesLoadAndEveryDisplayAndListingGetsThroughThem)
{
    std::mt19937 random(16);
    for (const int bytes : { 39, 40, 4001, 40 * 3000 + 7 }) {
        QByteArray noise(bytes, Qt::Uninitialized);
        for (char& b : noise)
            b = char(random());
        ASSERT_TRUE(writeAll(filePath(QString::fromLatin1(kCatalogueFileName)), noise));
        Program& program = makeProgram();
        program.FormCreate();
        EXPECT_EQ(program.state().catalogue.CatalogueCount, bytes / 40);
        showEverything(program, m_today);
    }
}

// ---- Typed boxes ----

// What a box does with a text it cannot take.
enum class Answer {
    DefaultText, // the box falls back to its documented default
    Box, // a warning or error box says what is wrong
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
        { "Edit1", &TForm1::Edit1, {}, Answer::Box, [](TForm1& f) { f.CheckBox6->setChecked(true); },
            checkWarnings },
        { "Edit19", &TForm1::Edit19, {}, Answer::Box, [](TForm1& f) { f.CheckBox6->setChecked(true); },
            checkWarnings },
        { "Edit17", &TForm1::Edit17, {}, Answer::Box, [](TForm1& f) { f.CheckBox9->setChecked(true); },
            checkWarnings },
        { "Edit18", &TForm1::Edit18, {}, Answer::Box, [](TForm1& f) { f.CheckBox9->setChecked(true); },
            checkWarnings },
        { "Edit2", &TForm1::Edit2, {}, Answer::Box, [](TForm1& f) { f.CheckBox7->setChecked(true); },
            checkWarnings },
        { "Edit3", &TForm1::Edit3, {}, Answer::Box, [](TForm1& f) { f.CheckBox7->setChecked(true); },
            checkWarnings },
        { "Edit4", &TForm1::Edit4, {}, Answer::Box, [](TForm1& f) { f.CheckBox8->setChecked(true); },
            checkWarnings },
        { "Edit5", &TForm1::Edit5, {}, Answer::Box, [](TForm1& f) { f.CheckBox8->setChecked(true); },
            checkWarnings },
        { "Edit29", &TForm1::Edit29, {}, Answer::Box, {}, replay },
        { "Edit30", &TForm1::Edit30, {}, Answer::Box, {}, replay },
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
