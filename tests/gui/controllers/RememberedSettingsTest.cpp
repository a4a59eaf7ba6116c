// SPDX-License-Identifier: GPL-3.0-or-later
// The user's choices outlive the program; a settings file that is damaged or hostile gives the
// defaults and a line in the log, and the defaults can always be had back.
#include "ProgramTestSupport.h"

#include "gui/controllers/LanguageChoice.h"
#include "gui/controllers/RememberedSettings.h"
#include "gui/controllers/WindowShell.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MapImage.h"
#include "gui/window/TForm1.h"
#include "tests/support/TestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

namespace tremora
{
namespace
{

constexpr int kMsPerMinute = 60'000;
const QSize kEarthPicture(360, 180);

class RememberedSettingsTest : public test::ProgramFixture
{
protected:
    RememberedSettingsTest()
    {
        m_settingsFile = m_dir.filePath(QStringLiteral("config/tremora.conf"));
        QImage earth(kEarthPicture, QImage::Format_RGB32);
        earth.fill(Qt::darkGreen);
        earth.save(filePath(WindowShell::kEarthPictureFile), "JPG");
    }

    TForm1& start()
    {
        makeProgram().FormCreate();
        return m_program->form();
    }
    void restart()
    {
        m_program.reset();
        start();
    }
    QString log() const { return m_program->form().Memo1->text(); }

    /// Every remembered control at the default of the first start.
    void expectDefaults()
    {
        TForm1& f = m_program->form();
        EXPECT_EQ(f.Edit1->text(), QStringLiteral("6,0"));
        EXPECT_TRUE(f.CheckBox6->isChecked());
        EXPECT_FALSE(f.CheckBox9->isChecked());
        EXPECT_TRUE(f.RadioButton10->isChecked());
        EXPECT_TRUE(f.RadioButton8->isChecked());
        EXPECT_EQ(f.Edit10->text(), QStringLiteral("5,0"));
        EXPECT_EQ(f.Edit12->text(), QStringLiteral("3"));
        EXPECT_EQ(f.Timer2->interval(), 3 * kMsPerMinute);
        EXPECT_FALSE(f.CheckBox13->isChecked());
        EXPECT_EQ(f.Edit29->text(), QStringLiteral("6"));
        EXPECT_EQ(m_program->languageChoice().language(), Language::Polish);
        EXPECT_EQ(f.Image1->picture().size(), WindowShell::builtInMap().size());
    }
};

TEST_F(RememberedSettingsTest, ChoicesOutliveTheProgramUntilTheDefaultsAreRestored)
{
    TForm1* f = &start();
    expectDefaults();
    f->Edit1->setText(QStringLiteral("5,0"));
    f->CheckBox9->click();
    f->RadioButton11->click();
    f->Edit10->setText(QStringLiteral("4,5"));
    f->RadioButton9->click();
    f->Edit12->setText(QStringLiteral("10"));
    Q_EMIT f->Edit12->editingFinished();
    f->CheckBox13->click();
    f->Edit29->setText(QStringLiteral("7"));
    f->DsFancyButton2->click();
    f->RadioButton2->click();
    f->show();
    // A size within the test screen (800 x 600), as Qt 6.8 keeps a restored window inside its
    // screen; the window takes it, or its least size where that is larger.
    f->resize(700, 500);
    const QSize chosen = f->size();
    f->close();

    restart();
    f = &m_program->form();
    EXPECT_EQ(f->Edit1->text(), QStringLiteral("5,0"));
    EXPECT_TRUE(f->CheckBox9->isChecked());
    EXPECT_TRUE(f->RadioButton11->isChecked());
    EXPECT_EQ(f->Edit10->text(), QStringLiteral("4,5"));
    EXPECT_TRUE(f->RadioButton9->isChecked());
    EXPECT_EQ(f->Edit12->text(), QStringLiteral("10"));
    EXPECT_EQ(f->Timer2->interval(), 10 * kMsPerMinute);
    EXPECT_TRUE(f->CheckBox13->isChecked());
    EXPECT_EQ(f->Edit29->text(), QStringLiteral("7"));
    EXPECT_EQ(f->Image1->picture().size(), kEarthPicture);
    EXPECT_EQ(m_program->languageChoice().language(), Language::English);
    ASSERT_TRUE(m_program->settings().restoreGeometry());
    EXPECT_EQ(f->size(), chosen);
    EXPECT_TRUE(m_dialogs.errors.isEmpty());

    // The defaults come back at once, and at the next start too.
    f->Button16->click();
    expectDefaults();
    restart();
    expectDefaults();
}

TEST_F(RememberedSettingsTest, ADamagedOrHostileFileGivesTheDefaultsAndALineInTheLog)
{
    const QByteArray hostileValues = "[controls]\n"
                                     "Edit1=\"6,0; rm -rf ~\"\n"
                                     "Edit10="
        + QByteArray(5000, '9')
        + "\n"
          "Edit12=99999\n"
          "CheckBox6=banana\n"
          "RadioButton2=@ByteArray(true)\n"
          "Edit29=\n"
          "[map]\npicture=../../../../etc/passwd\n"
          "[window]\ngeometry=@ByteArray(\\0\\x1\\xff\\xfe not a geometry)\n";
    const QByteArray tooLarge(RememberedSettings::kMaxFileBytes + 1, '\x7f');
    const QByteArray variant
        = "[controls]\nEdit1=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\tQPolygonF\\xff\\xff\\xff\\xff)\n";
    const QByteArray noise("\xef\xbb\xbf[\n=\n[[[]]]\x01\x02\n\xff\xfe");
    const struct {
        QByteArray bytes;
        bool logged; // bad values or a bad file: the log says so
    } files[] = { { hostileValues, true }, { tooLarge, true }, { variant, true }, { noise, false } };
    for (const auto& [bytes, logged] : files) {
        SCOPED_TRACE(bytes.left(40).toStdString());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(m_settingsFile).path()));
        ASSERT_TRUE(test::writeAll(m_settingsFile, bytes));
        start();
        expectDefaults();
        EXPECT_FALSE(m_program->settings().restoreGeometry());
        EXPECT_TRUE(m_dialogs.errors.isEmpty());
        if (logged) {
            EXPECT_TRUE(log().contains(QStringLiteral("ustawie"), Qt::CaseInsensitive))
                << log().toStdString();
        }

        // What is chosen from here on is remembered again.
        m_program->form().Edit1->setText(QStringLiteral("4,0"));
        restart();
        EXPECT_EQ(m_program->form().Edit1->text(), QStringLiteral("4,0"));
        m_program.reset();
        QFile::remove(m_settingsFile);
    }
}

} // namespace
} // namespace tremora
