// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/soak/Monkey.h"

#include "catalogue/DayNumber.h"
#include "gui/widgets/BannerMenu.h"
#include "gui/widgets/ChartView.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/PaintBox.h"
#include "gui/window/TForm1.h"
#include "gui/window/TForm2.h"
#include "tests/soak/SimulatedTime.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace tremora::soak
{

namespace
{

constexpr qint64 kMsPerSecond = 1000;
// The size the window opens at.
constexpr QSize kWindowSize(1280, 760);
constexpr qint64 kMsPerMinute = 60 * kMsPerSecond;

// Texts no box should take, and none should crash on: numbers a digit check lets through, other
// scripts' digits, the far ends of every range, separators alone, control characters, a flood.
const QStringList& hostileTexts()
{
    static const QStringList texts = [] {
        QStringList t { QStringLiteral("5-"), QStringLiteral("--1"), QStringLiteral("-"), QString(),
            QStringLiteral(" "), QStringLiteral(","), QStringLiteral("1,"), QStringLiteral(",5"),
            QStringLiteral("1,,2"), QStringLiteral("1.2.3"), QStringLiteral("abc"), QStringLiteral("1e3"),
            QStringLiteral("NaN"), QStringLiteral("inf"), QStringLiteral("-inf"), QStringLiteral("0x1F"),
            QStringLiteral("+5"), QStringLiteral("99999999999999999999"), QStringLiteral("-0"),
            QString::fromUtf8("\u0663"), QString::fromUtf8("\uFF11\uFF12"), QStringLiteral(" 5"),
            QStringLiteral("\t7"), QStringLiteral("10,00001"), QStringLiteral("-180,0001"),
            QStringLiteral("1000,1"), QStringLiteral("-1"), QStringLiteral("2147483648"),
            QString::fromUtf8("\U0001F30B"), QStringLiteral("%s%n"), QStringLiteral("5\n6"),
            QStringLiteral("1-2"), QStringLiteral("0,0000000001") };
        t << QString(5000, QLatin1Char('9'));
        return t;
    }();
    return texts;
}

// Good texts by what a box holds, the ends of the ranges among them.
const QStringList kMagnitudes { QStringLiteral("0"), QStringLiteral("1,5"), QStringLiteral("2,5"),
    QStringLiteral("3"), QStringLiteral("4.0"), QStringLiteral("4,5"), QStringLiteral("5,0"),
    QStringLiteral("6,0"), QStringLiteral("9,9"), QStringLiteral("10") };
const QStringList kDepths { QStringLiteral("0"), QStringLiteral("0,0"), QStringLiteral("3,0"),
    QStringLiteral("10"), QStringLiteral("35,5"), QStringLiteral("70"), QStringLiteral("300"),
    QStringLiteral("700"), QStringLiteral("1000") };
const QStringList kLongitudes { QStringLiteral("-180"), QStringLiteral("-122,8"), QStringLiteral("-60"),
    QStringLiteral("0"), QStringLiteral("15,000"), QStringLiteral("17.5"), QStringLiteral("100,25"),
    QStringLiteral("180") };
const QStringList kLatitudes { QStringLiteral("-90"), QStringLiteral("-45"), QStringLiteral("0"),
    QStringLiteral("19,4"), QStringLiteral("35,1234"), QStringLiteral("51,000"), QStringLiteral("53,000"),
    QStringLiteral("90") };
const QStringList kIntervals { QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
    QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("0"),
    QStringLiteral("999") };
const QStringList kInstruments { QStringLiteral("0"), QStringLiteral("6"), QStringLiteral("12"),
    QStringLiteral("127"), QStringLiteral("128"), QStringLiteral("-1") };
const QStringList kPauses { QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("10"),
    QStringLiteral("50") };

bool named(const QObject* object, const char* prefix)
{
    return object->objectName().startsWith(QLatin1String(prefix));
}

void sendMouse(
    QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

QString pointText(QPoint p)
{
    return QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y());
}

QString quoted(const QString& text)
{
    const QString shown
        = text.size() > 24 ? text.left(20) + QStringLiteral("...(%1)").arg(text.size()) : text;
    return QLatin1Char('"') + QString(shown).replace(QLatin1Char('\n'), QStringLiteral("\\n"))
        + QLatin1Char('"');
}

} // namespace

Monkey::Monkey(TForm1& form, const SimClock& clock, QString scratchDir, quint64 seed)
    : m_form(form)
    , m_clock(clock)
    , m_scratchDir(std::move(scratchDir))
    , m_rng(seed)
{
    // The program's own controls, by the names it gives them; the parts inside Qt's compound
    // widgets (a spin box's line, a calendar's buttons) are reached through those.
    for (QPushButton* b : form.findChildren<QPushButton*>())
        if (named(b, "Button") || named(b, "DsFancyButton"))
            m_buttons << b;
    for (QCheckBox* c : form.findChildren<QCheckBox*>())
        if (named(c, "CheckBox"))
            m_checkBoxes << c;
    for (QRadioButton* r : form.findChildren<QRadioButton*>())
        if (named(r, "RadioButton"))
            m_radios << r;
    for (QLineEdit* e : form.findChildren<QLineEdit*>())
        if (named(e, "Edit"))
            m_edits << e;
    for (QSpinBox* s : form.findChildren<QSpinBox*>())
        if (named(s, "SpinEdit"))
            m_spins << s;
    for (QComboBox* c : form.findChildren<QComboBox*>())
        if (named(c, "ComboBox"))
            m_combos << c;
    for (QAbstractSlider* s : form.findChildren<QAbstractSlider*>())
        if (named(s, "TrackBar") || named(s, "ScrollBar"))
            m_sliders << s;
    for (QTabWidget* t : form.findChildren<QTabWidget*>())
        if (named(t, "PageControl"))
            m_tabs << t;
    m_pickers = form.findChildren<DateTimePicker*>();
}

int Monkey::uniform(int from, int to)
{
    return std::uniform_int_distribution<int>(from, to)(m_rng);
}

bool Monkey::oneIn(int n)
{
    return uniform(1, n) == 1;
}

template <typename T> T* Monkey::pick(const QList<T*>& list)
{
    return list.isEmpty() ? nullptr : list[uniform(0, int(list.size()) - 1)];
}

qint64 Monkey::nextPauseMs()
{
    if (oneIn(60))
        return uniform(10, 90) * kMsPerMinute; // away from the window
    if (oneIn(8))
        return uniform(1, 10) * kMsPerMinute;
    return uniform(200, 30'000);
}

bool Monkey::reveal(QWidget* widget)
{
    for (QWidget* w = widget; w && w != &m_form; w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(w) >= 0 && tabs->currentWidget() != w)
            tabs->setCurrentWidget(w);
    }
    return widget->isVisible() && widget->isEnabled();
}

QFileDialog* Monkey::openDialog() const
{
    for (QFileDialog* dialog : m_form.findChildren<QFileDialog*>())
        if (dialog->isVisible())
            return dialog;
    return nullptr;
}

QString Monkey::act()
{
    // A file box is window-modal: the user answers it before anything else.
    if (QFileDialog* dialog = openDialog())
        return answerDialog(*dialog);
    if (!m_form.isVisible() || m_form.isMinimized()) {
        m_form.showNormal();
        return QStringLiteral("show the window again");
    }
    // The update button's caption turns red when the automatic updates are off (after a calendar
    // day, "Auto." unchecked, an interval of 0): a user who follows the news soon turns them on.
    if (const QString done = keepUpdating(); !done.isEmpty())
        return done;
    using Road = QString (Monkey::*)();
    struct Weighted {
        Road road;
        int weight;
    };
    static const Weighted roads[] = {
        { &Monkey::clickButton, 20 },
        { &Monkey::toggleCheckBox, 9 },
        { &Monkey::chooseRadio, 4 },
        { &Monkey::typeInBox, 20 },
        { &Monkey::setSpinBox, 4 },
        { &Monkey::chooseInCombo, 5 },
        { &Monkey::moveSlider, 4 },
        { &Monkey::switchTab, 6 },
        { &Monkey::clickCalendarDay, 5 },
        { &Monkey::pickDate, 4 },
        { &Monkey::replay, 6 },
        { &Monkey::dragOnMap, 6 },
        { &Monkey::moveOverMap, 3 },
        { &Monkey::mapMenu, 4 },
        { &Monkey::selectRows, 8 },
        { &Monkey::rowMenu, 9 },
        { &Monkey::chart, 6 },
        { &Monkey::window, 2 },
    };
    int total = 0;
    for (const Weighted& w : roads)
        total += w.weight;
    // A road may find nothing to do (no rows to select): the user tries another.
    for (int attempt = 0; attempt < 20; ++attempt) {
        int draw = uniform(0, total - 1);
        for (const Weighted& w : roads) {
            if ((draw -= w.weight) >= 0)
                continue;
            const QString done = (this->*w.road)();
            if (!done.isEmpty())
                return done;
            break;
        }
    }
    return QStringLiteral("look at the window");
}

QString Monkey::keepUpdating()
{
    const QTimer* timer = m_form.Timer2;
    const bool everyFewMinutes = timer->interval() > 0 && timer->interval() <= 5 * kMsPerMinute;
    if ((m_form.CheckBox10->isChecked() && timer->isActive() && everyFewMinutes) || !oneIn(2))
        return {};
    if (!m_form.CheckBox10->isChecked() && reveal(m_form.CheckBox10)) {
        m_form.CheckBox10->click();
        return QStringLiteral("check CheckBox10 \"%1\" again").arg(m_form.CheckBox10->text());
    }
    if (!everyFewMinutes && reveal(m_form.Edit12)) {
        m_form.Edit12->setFocus();
        m_form.Edit12->selectAll();
        m_form.Edit12->insert(QStringLiteral("1"));
        QTest::keyClick(m_form.Edit12, Qt::Key_Return);
        return QStringLiteral("type \"1\" into Edit12 again");
    }
    if (!timer->isActive() && reveal(m_form.DsFancyButton4)) {
        m_form.DsFancyButton4->click();
        return QStringLiteral("click DsFancyButton4 \"%1\" (the automatic updates were off)")
            .arg(m_form.DsFancyButton4->text());
    }
    return {};
}

QString Monkey::clickButton()
{
    QPushButton* button = pick(m_buttons);
    if (!button || !reveal(button))
        return {};
    button->click();
    return QStringLiteral("click %1 \"%2\"").arg(button->objectName(), button->text());
}

QString Monkey::toggleCheckBox()
{
    QCheckBox* box = pick(m_checkBoxes);
    if (!box || !reveal(box))
        return {};
    box->click();
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(box->isChecked() ? QStringLiteral("check") : QStringLiteral("uncheck"), box->objectName(),
            box->text());
}

QString Monkey::chooseRadio()
{
    QRadioButton* radio = pick(m_radios);
    if (!radio || !reveal(radio))
        return {};
    radio->click();
    return QStringLiteral("choose %1 \"%2\"").arg(radio->objectName(), radio->text());
}

QString Monkey::textFor(const QLineEdit& edit)
{
    if (oneIn(3))
        return hostileTexts()[uniform(0, int(hostileTexts().size()) - 1)];
    const QString name = edit.objectName();
    const auto from = [this](const QStringList& list) { return list[uniform(0, int(list.size()) - 1)]; };
    for (const char* box : { "Edit1", "Edit19", "Edit10", "Edit11" })
        if (name == QLatin1String(box))
            return from(kMagnitudes);
    for (const char* box : { "Edit17", "Edit18", "Edit6", "Edit9" })
        if (name == QLatin1String(box))
            return from(kDepths);
    for (const char* box : { "Edit2", "Edit3", "Edit13", "Edit14" })
        if (name == QLatin1String(box))
            return from(kLongitudes);
    for (const char* box : { "Edit4", "Edit5", "Edit15", "Edit16" })
        if (name == QLatin1String(box))
            return from(kLatitudes);
    if (name == QLatin1String("Edit12"))
        return from(kIntervals);
    if (name == QLatin1String("Edit29") || name == QLatin1String("Edit30"))
        return from(kInstruments);
    if (name == QLatin1String("Edit31"))
        return from(kPauses);
    return QString::number(uniform(-200, 2000));
}

QString Monkey::typeInBox()
{
    QLineEdit* edit = pick(m_edits);
    if (!edit || !reveal(edit) || edit->isReadOnly())
        return {};
    // As typed: the old text selected and replaced, then Enter.
    edit->setFocus();
    edit->selectAll();
    const QString text = textFor(*edit);
    edit->insert(text);
    QTest::keyClick(edit, Qt::Key_Return);
    return QStringLiteral("type %1 into %2").arg(quoted(text), edit->objectName());
}

QString Monkey::setSpinBox()
{
    QSpinBox* spin = pick(m_spins);
    if (!spin || !reveal(spin))
        return {};
    const int value = oneIn(3) ? (oneIn(2) ? spin->minimum() : spin->maximum())
                               : uniform(spin->minimum(), spin->maximum());
    spin->setValue(value);
    Q_EMIT spin->editingFinished();
    return QStringLiteral("set %1 to %2").arg(spin->objectName()).arg(value);
}

QString Monkey::chooseInCombo()
{
    QComboBox* combo = pick(m_combos);
    if (!combo || !reveal(combo) || combo->count() == 0)
        return {};
    const int item = uniform(0, combo->count() - 1);
    combo->setCurrentIndex(item);
    Q_EMIT combo->activated(item);
    return QStringLiteral("choose \"%1\" in %2").arg(combo->itemText(item), combo->objectName());
}

QString Monkey::moveSlider()
{
    QAbstractSlider* slider = pick(m_sliders);
    if (!slider || !reveal(slider))
        return {};
    const int value = oneIn(3) ? (oneIn(2) ? slider->minimum() : slider->maximum())
                               : uniform(slider->minimum(), slider->maximum());
    slider->setValue(value);
    return QStringLiteral("move %1 to %2").arg(slider->objectName()).arg(value);
}

QString Monkey::switchTab()
{
    QTabWidget* tabs = pick(m_tabs);
    if (!tabs || !reveal(tabs) || tabs->count() == 0)
        return {};
    const int page = uniform(0, tabs->count() - 1);
    tabs->setCurrentIndex(page);
    return QStringLiteral("turn to \"%1\"").arg(tabs->tabText(page));
}

QString Monkey::clickCalendarDay()
{
    QCalendarWidget* calendar = m_form.MonthCalendar1;
    if (!reveal(calendar))
        return {};
    const QDate today = qDate(m_clock.today());
    // Mostly the last days, where the news is; now and then further back.
    const QDate day = today.addDays(oneIn(4) ? -uniform(0, 4000) : -uniform(0, 10));
    calendar->setSelectedDate(day);
    const QDate clicked = calendar->selectedDate();
    Q_EMIT calendar->clicked(clicked);
    return QStringLiteral("click %1 in the calendar").arg(clicked.toString(Qt::ISODate));
}

QString Monkey::pickDate()
{
    DateTimePicker* picker = pick(m_pickers);
    if (!picker || !reveal(picker))
        return {};
    const double today = m_clock.today();
    const double day = oneIn(5) ? today + uniform(-20'000, 400) : today - uniform(0, 100);
    picker->setDay(day);
    Q_EMIT picker->closeUp();
    return QStringLiteral("pick %1 in %2").arg(dateText(picker->value()), picker->objectName());
}

QString Monkey::replay()
{
    // The span chooser beside "Symulacja" sets where it starts; then start (or start over).
    QComboBox* span = m_form.ComboBox2;
    if (!reveal(m_form.Button8))
        return {};
    QString what;
    if (oneIn(2) && span->count() > 0) {
        // The shorter spans mostly, so that replays end within the day as well.
        const int item = uniform(0, std::min(span->count() - 1, oneIn(4) ? span->count() - 1 : 2));
        span->setCurrentIndex(item);
        Q_EMIT span->activated(item);
        what = QStringLiteral("choose \"%1\" in ComboBox2, ").arg(span->itemText(item));
    }
    m_form.Button8->click();
    return what + QStringLiteral("click Button8 \"%1\"").arg(m_form.Button8->text());
}

QString Monkey::dragOnMap()
{
    PaintBox* map = m_form.PaintBox1;
    if (!reveal(map))
        return {};
    const auto point
        = [this, map] { return QPoint(uniform(-5, map->width() + 5), uniform(-5, map->height() + 5)); };
    const QPoint from = point();
    const QPoint to = point();
    sendMouse(map, QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    sendMouse(map, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(map, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    sendMouse(map, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(map, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    return QStringLiteral("drag on the map from %1 to %2").arg(pointText(from), pointText(to));
}

QString Monkey::moveOverMap()
{
    PaintBox* map = m_form.PaintBox1;
    if (!reveal(map))
        return {};
    const QPoint at(uniform(0, map->width()), uniform(0, map->height()));
    sendMouse(map, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    return QStringLiteral("move the mouse over the map to %1").arg(pointText(at));
}

QString Monkey::mapMenu()
{
    PaintBox* map = m_form.PaintBox1;
    if (!reveal(map))
        return {};
    const QPoint at(uniform(0, map->width()), uniform(0, map->height()));
    sendMouse(map, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
    sendMouse(map, QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
    QAction* action = oneIn(2) ? m_form.Kopiujpooenie1 : m_form.Kopiujpooenieostrzee1;
    action->trigger();
    return QStringLiteral("right-click the map at %1, \"%2\"").arg(pointText(at), action->text());
}

QString Monkey::selectRows()
{
    QTableView* table = m_form.ControlPanel1;
    const int rows = table->model()->rowCount();
    if (rows == 0 || !reveal(table))
        return {};
    const int first = uniform(0, rows - 1);
    const int last = oneIn(4) ? std::min(rows - 1, first + uniform(1, 50)) : first;
    QItemSelectionModel* selection = table->selectionModel();
    const QModelIndex top = table->model()->index(first, 0);
    selection->setCurrentIndex(top, QItemSelectionModel::NoUpdate);
    selection->select(QItemSelection(top, table->model()->index(last, 0)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return QStringLiteral("select rows %1 to %2 of %3").arg(first).arg(last).arg(rows);
}

QString Monkey::rowMenu()
{
    QTableView* table = m_form.ControlPanel1;
    if (!reveal(table))
        return {};
    QList<QAction*> entries;
    for (QAction* action : m_form.BarPopupMenu1->actions())
        if (!action->isSeparator())
            entries << action;
    QAction* action = pick(entries);
    if (!action)
        return {};
    action->trigger();
    return QStringLiteral("\"%1\" in the table's menu").arg(action->text());
}

QString Monkey::chart()
{
    ChartView* charts[] = { m_form.DBChart1, m_form.DBChart2, m_form.DBChart3 };
    ChartView* view = charts[uniform(0, 2)];
    if (!reveal(view))
        return {};
    const auto point = [this, view] { return QPoint(uniform(0, view->width()), uniform(0, view->height())); };
    switch (uniform(0, 3)) {
    case 0: {
        // Towards the bottom right zooms in, towards the top left out.
        const QPoint from = point();
        const QPoint to = point();
        sendMouse(view, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        sendMouse(view, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        sendMouse(view, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        return QStringLiteral("drag on %1 from %2 to %3")
            .arg(view->objectName(), pointText(from), pointText(to));
    }
    case 1: {
        const QPoint at = point();
        sendMouse(view, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        return QStringLiteral("move the mouse over %1 to %2").arg(view->objectName(), pointText(at));
    }
    default:
        for (QAction* action : view->findChildren<QAction*>()) {
            const bool save = action->text().startsWith(QStringLiteral("Zapisz"));
            if (save == (uniform(0, 1) == 0)) {
                action->trigger();
                return QStringLiteral("\"%1\" in %2's menu").arg(action->text(), view->objectName());
            }
        }
        return {};
    }
}

QString Monkey::window()
{
    switch (uniform(0, 3)) {
    case 0: {
        // From a window too small for the map to a large one.
        const QSize size(uniform(300, 1800), uniform(200, 1100));
        m_form.resize(size);
        return QStringLiteral("resize the window to %1 x %2").arg(size.width()).arg(size.height());
    }
    case 1:
        m_form.showMinimized();
        return QStringLiteral("minimise the window");
    case 2:
        m_form.DsFancyButton7->click();
        return QStringLiteral("click DsFancyButton7 \"%1\" (the chart window %2)")
            .arg(m_form.DsFancyButton7->text(),
                m_form.Form2->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
    default:
        m_form.resize(kWindowSize);
        return QStringLiteral("resize the window back to its default size");
    }
}

QString Monkey::answerDialog(QFileDialog& dialog)
{
    // Files saved before are gone by now: the scratch folder only ever holds the last few.
    QDir scratch(m_scratchDir);
    for (const QString& name : scratch.entryList(QDir::Files))
        scratch.remove(name);
    if (oneIn(4)) {
        static_cast<QDialog&>(dialog).reject();
        return QStringLiteral("cancel \"%1\"").arg(dialog.windowTitle());
    }
    const QStringList filters = dialog.nameFilters();
    if (!filters.isEmpty() && oneIn(2)) {
        const QString filter = filters[uniform(0, int(filters.size()) - 1)];
        dialog.selectNameFilter(filter);
        Q_EMIT dialog.filterSelected(filter);
    }
    // Sometimes without a suffix, which the box then adds.
    static const char* const names[]
        = { "wynik", "wynik.csv", "wynik.geojson", "wykres.png", "wykres.svg", "ąęł ÓŚ" };
    const QString name
        = QStringLiteral("%1-%2").arg(++m_savedFiles).arg(QString::fromUtf8(names[uniform(0, 5)]));
    dialog.setDirectory(m_scratchDir);
    dialog.selectFile(scratch.filePath(name));
    const QString title = dialog.windowTitle();
    const QString filter = dialog.selectedNameFilter();
    // As the box's own button does: QFileDialog checks the name, then accepts.
    static_cast<QDialog&>(dialog).accept();
    return QStringLiteral("save \"%1\" in \"%2\" (%3)").arg(name, title, filter);
}

} // namespace tremora::soak
