// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>
#include <QObject>
#include <QPointer>
#include <QString>

namespace tremora
{

class TForm1;
struct Platform;
struct ProgramState;

/// Copy and export of the report table: "Kopiuj" (and Ctrl+C in the table) puts the selected
/// rows on the clipboard as tab-separated text with the header; "Eksportuj..." asks for a file
/// (without blocking the window) and saves the whole listing there as CSV or GeoJSON.
class ListingExport final : public QObject
{
    Q_OBJECT
public:
    ListingExport(TForm1& form, ProgramState& state, Platform& platform);
    ~ListingExport() override;

    void Kopiuj1Click();
    /// Opens the save dialog; the export runs when a file is chosen.
    void Eksportuj1Click();
    /// Saves the listing to path (its extension, else the filter, decides the format); an error
    /// box says why when it cannot, the status bar where it went when it could.
    void exportTo(const QString& path, const QString& filter);

    /// The save dialog while it is open (tests pick the file through it).
    QFileDialog* dialog() const { return m_dialog; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1& m_form;
    ProgramState& m_state;
    Platform& m_platform;
    QPointer<QFileDialog> m_dialog;
    QString m_lastFolder;
};

} // namespace tremora
