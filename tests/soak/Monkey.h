// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <random>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QAbstractSlider;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace tremora
{
class DateTimePicker;
class TForm1;
}

namespace tremora::soak
{

class SimClock;

/// A user with a fixed seed who takes every road of the window at random: every button, tab,
/// menu entry and calendar day, every box typed with good texts and hostile ones, the replay,
/// the charts, rectangles dragged on the map, the table's rows and menu, exports and pictures
/// saved to a scratch folder, the window resized, minimised and shown again. It uses only what
/// shows (turning to a control's tab first, as a user must) and answers a file box it opened
/// before it does anything else, as the box leaves it nothing else to do.
class Monkey
{
public:
    Monkey(TForm1& form, const SimClock& clock, QString scratchDir, quint64 seed);

    /// Takes one road; returns what it did, for the action log.
    QString act();
    /// How long the user waits before the next action, in milliseconds of the soak's clock: mostly
    /// seconds, now and then the window is left alone for an hour.
    qint64 nextPauseMs();
    /// Whether one in `n` holds, from the user's own dice (so the harness's choices follow the seed).
    bool oneIn(int n);

private:
    /// Turns the automatic updates on again when the user notices they are off; empty otherwise.
    QString keepUpdating();
    QString clickButton();
    QString toggleCheckBox();
    QString chooseRadio();
    QString typeInBox();
    QString setSpinBox();
    QString chooseInCombo();
    QString moveSlider();
    QString switchTab();
    QString clickCalendarDay();
    QString pickDate();
    QString replay();
    QString dragOnMap();
    QString moveOverMap();
    QString mapMenu();
    QString selectRows();
    QString rowMenu();
    QString chart();
    QString window();
    QString answerDialog(QFileDialog& dialog);

    /// Turns the tabs that hide a control to it; false when it still does not show or is disabled.
    bool reveal(QWidget* widget);
    QFileDialog* openDialog() const;
    QString textFor(const QLineEdit& edit);
    int uniform(int from, int to);
    template <typename T> T* pick(const QList<T*>& list);

    TForm1& m_form;
    const SimClock& m_clock;
    QString m_scratchDir;
    std::mt19937_64 m_rng;
    QList<QPushButton*> m_buttons;
    QList<QCheckBox*> m_checkBoxes;
    QList<QRadioButton*> m_radios;
    QList<QLineEdit*> m_edits;
    QList<QSpinBox*> m_spins;
    QList<QComboBox*> m_combos;
    QList<QAbstractSlider*> m_sliders;
    QList<QTabWidget*> m_tabs;
    QList<DateTimePicker*> m_pickers;
    int m_savedFiles = 0;
};

} // namespace tremora::soak
