// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/SearchFilter.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QObject;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tremora
{

class DateTimePicker;
class Dialogs;
class TForm1;

/// One set of criteria as the window shows it: four switches, eight boxes, the choice between
/// "i" and "lub" and the words between the rows. The window has two, the search of the tab "Baza"
/// and the warnings of the tab "Filtry"; each is made once and handed to the controllers that read
/// or fill it. What differs between the two (the names in the warnings, the days, which boxes a
/// conversion reads, what a copy turns on) is settled where each is made.
class CriteriaGroup
{
public:
    /// Which boxes the conversion into criteria reads. Every box: an unchecked box with a text
    /// that is no number fails the conversion too. Checked boxes: an unchecked box counts as
    /// empty, bound 0, which is never compared.
    enum class Conversion { EveryBox, CheckedBoxes };

    /// The search panel of the tab "Baza": the days of DateTimePicker3 and DateTimePicker4, the
    /// panel's names in the warnings; a copy turns on the position and "i".
    static CriteriaGroup search(TForm1& form, Dialogs& dialogs);
    /// The warning criteria of the tab "Filtry": every day, the names "Ostrzeżenia - …".
    static CriteriaGroup warnings(TForm1& form, Dialogs& dialogs);

    /// The four switches and the eight boxes as they stand.
    SearchBoxes boxes() const;
    /// "lub" is chosen: one checked criterion is enough.
    bool anyCriterion() const;
    /// The criteria as the controls give them; nothing when a checked box is faulty, whose
    /// warning has then been shown. Throws as spr_edit.
    std::optional<SearchCriteria> criteria() const;
    /// What is wrong with the first faulty checked box, shown nowhere; nothing when all hold.
    std::optional<QString> fault() const;
    /// The criteria, converted as this group converts (see Conversion), once fault() found none.
    SearchCriteria converted() const;
    /// Calls `changed` whenever the user edits a box, flips a switch or chooses "i" or "lub".
    void onChange(QObject* context, const std::function<void()>& changed);
    /// The words between the criteria rows say which of "i" and "lub" is chosen.
    void showConjunction();

    /// A table row's point (its texts) into both bounds of longitude and of latitude.
    void copyPoint(const QString& lonText, const QString& latText);
    /// The box of about 100 km around a table row's point. Longitude first: a latitude that is
    /// no number throws, leaving the longitude bounds written.
    void copyBox(const QString& lonText, const QString& latText);
    /// A rectangle marked on the map, given by two corners in either order.
    void copyRectangle(float lon1, float lat1, float lon2, float lat2);

private:
    enum Switch { Magnitude, Depth, Longitude, Latitude, SwitchCount };
    using FaultCheck = std::optional<QString> (*)(const SearchBoxes&);

    CriteriaGroup(Dialogs& dialogs, FaultCheck faultCheck);
    void copied();

    Dialogs& m_dialogs;
    FaultCheck m_faultCheck;
    std::array<QCheckBox*, SwitchCount> m_switches {};
    std::array<QLineEdit*, SearchBoxes::BoxCount> m_boxes {};
    QRadioButton* m_allOf = nullptr; // "i"
    QRadioButton* m_anyOf = nullptr; // "lub"
    std::array<QLabel*, SwitchCount - 1> m_conjunctions {};
    // The days of the criteria; without pickers, every day.
    DateTimePicker* m_from = nullptr;
    DateTimePicker* m_to = nullptr;
    Conversion m_conversion = Conversion::EveryBox;
    // A copy into the boxes turns on the position criteria and "i".
    bool m_copyTurnsOnPosition = false;
};

} // namespace tremora
