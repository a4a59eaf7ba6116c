// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class QAbstractButton;
class QLineEdit;
class QSettings;

namespace tremora
{

class ProgramEvents;
class TForm1;

/// What the program remembers between runs, in one settings file (INI): the warning and search
/// criteria with their "i"/"lub", the automatic update and its interval, the language, the MIDI
/// settings of the replay, the map picture and the window's size and place. A control is kept
/// under its name as soon as it changes, the window's geometry when the window closes.
///
/// Nothing in the file is trusted: a file that cannot be read is set aside (its name plus
/// ".uszkodzony") and a new one begun, and a value its control could not hold (a word in a number
/// box, a picture from elsewhere, an unreadable geometry) leaves that control at its default;
/// either way the log says so. "Przywróć ustawienia domyślne" (Button16) puts every remembered
/// control and the map picture back to the defaults of the first start and empties the file; the
/// window stays as it is.
class RememberedSettings final : public QObject
{
    Q_OBJECT
public:
    /// A settings file larger than this is no file of ours.
    static constexpr qint64 kMaxFileBytes = 64 * 1024;
    /// The longest text a remembered box takes back.
    static constexpr int kMaxText = 16;

    /// Remembers in `file`; an empty name remembers nothing (a program under test that asks for
    /// nothing). The controls' defaults are taken now, before anything is restored.
    RememberedSettings(TForm1& form, ProgramEvents& events, const QString& file);
    ~RememberedSettings() override;

    /// Puts the remembered values into the controls, before anything reads them at start-up.
    void restore();
    /// The remembered map picture: a picture file of the working folder, or empty for the
    /// built-in map.
    QString mapPicture() const { return m_mapPicture; }
    /// Gives the window its remembered size and place; false when there is none to give (a first
    /// start, or a geometry that could not be used).
    bool restoreGeometry();
    /// Writes what has changed to the file now (the file is written soon after any change anyway).
    void sync();

    /// "Przywróć ustawienia domyślne".
    void Button16Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Remembered {
        QObject* control;
        /// For the second of two radio buttons: the first, checked when the second is not.
        QAbstractButton* partner;
        QString key;
        QVariant byDefault;
    };

    void open();
    void remember(QObject* control, QAbstractButton* partner = nullptr);
    void store(const Remembered& r);
    bool restoreOne(const Remembered& r);
    void setValue(const Remembered& r, const QVariant& value);
    void storeMapPicture(const QString& file);
    void log(const QString& line);

    TForm1& m_form;
    ProgramEvents& m_events;
    QString m_file;
    std::unique_ptr<QSettings> m_settings;
    std::vector<Remembered> m_controls;
    QString m_mapPicture;
    bool m_applying = false;
};

} // namespace tremora
