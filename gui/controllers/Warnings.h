// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/AlertCheck.h"

#include <QObject>

#include <optional>

namespace tremora
{

class CriteriaGroup;
class ProgramEvents;
class TForm1;
class Tray;
struct Platform;
struct ProgramState;

/// The warnings: after every update that wrote records, the records it brought are checked
/// against the criteria of the tab "Filtry"; each match is written to Memo2 and the last one
/// shown as a tray balloon.
class Warnings final : public QObject
{
    Q_OBJECT
public:
    // Shown translated.
    static constexpr const char* kBalloonTitle = QT_TR_NOOP("Alert:");
    static constexpr int kBalloonMs = 60'000;
    /// Said in the status bar, before what is wrong, when a faulty box holds the warnings.
    static constexpr const char* kHeldText = QT_TR_NOOP("Ostrzeżenia wstrzymane: ");

    Warnings(TForm1& form, ProgramState& state, Platform& platform, ProgramEvents& events, Tray& tray,
        CriteriaGroup& criteria);

    /// Checks the records written since the last check. A faulty checked box holds the check: it
    /// is named in the status bar (once, until the boxes change) and the same records wait for
    /// the next check, which also comes as soon as the user changes the criteria.
    void Alerty();
    /// "lub" / "i" chosen: the labels between the criteria rows say which.
    void Zm_wart_alerty();
    /// The catalogue as loaded at start-up is history: checks report what updates bring to it.
    void catalogueLoaded();

private:
    void recordsArrived(int firstWritten, bool rebuild);

    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    ProgramEvents& m_events;
    Tray& m_tray;
    CriteriaGroup& m_criteria;
    AlertLedger m_ledger;
    // The boxes as they stood when a fault held the check last, and that fault; none when the
    // last check ran.
    std::optional<SearchBoxes> m_faultyBoxes;
    // While an update writes into the catalogue, the records held by a faulty box wait for its end.
    bool m_updating = false;
    bool m_checkAfterUpdate = false;
};

} // namespace tremora
