// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/RememberedSettings.h"

#include "gui/controllers/WindowShell.h"
#include "gui/widgets/LogMemo.h"
#include "gui/window/TForm1.h"
#include "state/ProgramEvents.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>

namespace tremora
{

namespace
{

const QString kControlsGroup = QStringLiteral("controls/");
const QString kMapPictureKey = QStringLiteral("map/picture");
const QString kGeometryKey = QStringLiteral("window/geometry");
constexpr qsizetype kMaxGeometryBytes = 4096;
// What QSettings would build any Qt type from, and none of our values is.
constexpr QByteArrayView kSerialisedVariant("@Variant(");

// Every remembered box holds a number: digits, perhaps a sign and a decimal comma.
bool numberText(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[-+]?[0-9]{1,6}(,[0-9]{1,6})?$"));
    return number.match(text).hasMatch();
}

// A bool as QSettings writes one ("true", "false"), or a real one.
std::optional<bool> switchValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return std::nullopt;
}

} // namespace

RememberedSettings::RememberedSettings(TForm1& form, ProgramEvents& events, const QString& file)
    : m_form(form)
    , m_events(events)
    , m_file(file)
{
    TForm1& f = m_form;
    // The language first: whatever the others write to the logs as they change is written in it.
    remember(f.RadioButton2, f.RadioButton1);
    // The warning criteria and their conjunction.
    for (QObject* c : std::initializer_list<QObject*> { f.CheckBox6, f.Edit1, f.Edit19, f.CheckBox9, f.Edit17,
             f.Edit18, f.CheckBox7, f.Edit2, f.Edit3, f.CheckBox8, f.Edit4, f.Edit5 })
        remember(c);
    remember(f.RadioButton11, f.RadioButton10);
    // The search criteria and their conjunction.
    for (QObject* c : std::initializer_list<QObject*> { f.CheckBox2, f.Edit10, f.Edit11, f.CheckBox3, f.Edit6,
             f.Edit9, f.CheckBox4, f.Edit13, f.Edit14, f.CheckBox5, f.Edit15, f.Edit16 })
        remember(c);
    remember(f.RadioButton9, f.RadioButton8);
    // The automatic update, the replay's sound.
    for (QObject* c : std::initializer_list<QObject*> { f.CheckBox10, f.Edit12 })
        remember(c);
    for (QObject* c : std::initializer_list<QObject*> {
             f.CheckBox13, f.Edit29, f.Edit30, f.Edit31, f.CheckBox14, f.CheckBox15 })
        remember(c);

    connect(&m_events, &ProgramEvents::mapPictureShown, this, &RememberedSettings::storeMapPicture);
    connect(f.Button16, &QPushButton::clicked, this, &RememberedSettings::Button16Click);
    m_form.installEventFilter(this);
    if (!m_file.isEmpty())
        open();
}

RememberedSettings::~RememberedSettings()
{
    m_form.removeEventFilter(this);
    sync();
}

void RememberedSettings::remember(QObject* control, QAbstractButton* partner)
{
    Remembered r { control, partner, kControlsGroup + control->objectName(), {} };
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        r.byDefault = edit->text();
        connect(edit, &QLineEdit::textChanged, this, [this, r] { store(r); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        r.byDefault = button->isChecked();
        connect(button, &QAbstractButton::toggled, this, [this, r] { store(r); });
    }
    m_controls.push_back(r);
}

void RememberedSettings::open()
{
    // A file that is too large, or asks for Qt types to be built from it, was not written by us:
    // it goes aside unread, and a new one begins.
    QString damage;
    QFile file(m_file);
    if (file.exists()) {
        if (file.size() > kMaxFileBytes)
            damage = tr("jest za duży");
        else if (!file.open(QIODevice::ReadOnly))
            damage = file.errorString();
        else if (file.read(kMaxFileBytes).contains(kSerialisedVariant))
            damage = tr("zawiera nieznane dane");
        file.close();
    }
    if (damage.isEmpty()) {
        m_settings = std::make_unique<QSettings>(m_file, QSettings::IniFormat);
        if (m_settings->status() == QSettings::NoError)
            return;
        damage = tr("ma błędny format");
        m_settings.reset();
    }
    const QString aside = m_file + QStringLiteral(".uszkodzony");
    QFile::remove(aside);
    if (!QFile::rename(m_file, aside))
        QFile::remove(m_file);
    log(tr("Plik ustawień %1 %2; zachowano go jako %3. Obowiązują ustawienia domyślne.")
            .arg(QFileInfo(m_file).fileName(), damage, QFileInfo(aside).fileName()));
    m_settings = std::make_unique<QSettings>(m_file, QSettings::IniFormat);
}

void RememberedSettings::log(const QString& line)
{
    m_form.Memo1->appendLine(line);
}

void RememberedSettings::store(const Remembered& r)
{
    if (m_applying || !m_settings)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(r.control))
        m_settings->setValue(r.key, edit->text());
    else if (auto* button = qobject_cast<QAbstractButton*>(r.control))
        m_settings->setValue(r.key, button->isChecked());
}

void RememberedSettings::setValue(const Remembered& r, const QVariant& value)
{
    if (auto* edit = qobject_cast<QLineEdit*>(r.control)) {
        edit->setText(value.toString());
    } else if (auto* button = qobject_cast<QAbstractButton*>(r.control)) {
        if (r.partner != nullptr && !value.toBool())
            r.partner->setChecked(true);
        else
            button->setChecked(value.toBool());
    }
}

bool RememberedSettings::restoreOne(const Remembered& r)
{
    const QVariant value = m_settings->value(r.key);
    if (!value.isValid())
        return true;
    if (auto* edit = qobject_cast<QLineEdit*>(r.control)) {
        const QString text = value.typeId() == QMetaType::QString ? value.toString() : QString();
        if (text.size() > std::min(kMaxText, edit->maxLength()) || !numberText(text))
            return false;
        setValue(r, text);
        return true;
    }
    const std::optional<bool> on = switchValue(value);
    if (!on)
        return false;
    setValue(r, *on);
    return true;
}

void RememberedSettings::restore()
{
    if (!m_settings)
        return;
    m_applying = true;
    for (const Remembered& r : m_controls) {
        if (!restoreOne(r)) {
            log(tr("Ustawienia: niepoprawna wartość %1 w pliku, zostaje domyślna.")
                    .arg(r.control->objectName()));
            m_settings->remove(r.key);
        }
    }
    m_applying = false;

    const QVariant picture = m_settings->value(kMapPictureKey);
    const QString file = picture.typeId() == QMetaType::QString ? picture.toString() : QString();
    // Only the pictures the buttons load: a name from the file never reaches outside the folder.
    if (file == WindowShell::kEarthPictureFile || file == WindowShell::kPlatesPictureFile) {
        m_mapPicture = file;
    } else if (picture.isValid() && !file.isEmpty()) {
        log(tr("Ustawienia: niepoprawna wartość %1 w pliku, zostaje domyślna.").arg(kMapPictureKey));
        m_settings->remove(kMapPictureKey);
    }
}

bool RememberedSettings::restoreGeometry()
{
    if (!m_settings)
        return false;
    const QVariant geometry = m_settings->value(kGeometryKey);
    if (!geometry.isValid())
        return false;
    const QByteArray bytes
        = geometry.typeId() == QMetaType::QByteArray ? geometry.toByteArray() : QByteArray();
    if (bytes.size() <= kMaxGeometryBytes && m_form.restoreGeometry(bytes))
        return true;
    log(tr("Ustawienia: niepoprawna wartość %1 w pliku, zostaje domyślna.").arg(kGeometryKey));
    m_settings->remove(kGeometryKey);
    return false;
}

void RememberedSettings::storeMapPicture(const QString& file)
{
    m_mapPicture = file;
    if (m_applying || !m_settings)
        return;
    if (file.isEmpty())
        m_settings->remove(kMapPictureKey);
    else
        m_settings->setValue(kMapPictureKey, file);
}

void RememberedSettings::sync()
{
    if (m_settings)
        m_settings->sync();
}

bool RememberedSettings::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_form && event->type() == QEvent::Close && m_settings) {
        m_settings->setValue(kGeometryKey, m_form.saveGeometry());
        m_settings->sync();
    }
    return QObject::eventFilter(watched, event);
}

void RememberedSettings::Button16Click()
{
    m_applying = true;
    for (const Remembered& r : m_controls)
        setValue(r, r.byDefault);
    m_applying = false;
    if (m_settings)
        m_settings->clear();
    Q_EMIT m_events.defaultsRestored();
    log(tr("Przywrócono ustawienia domyślne."));
}

} // namespace tremora
