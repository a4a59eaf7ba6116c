// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/controllers/CriteriaGroup.h"

#include "gui/widgets/DateTimePicker.h"
#include "gui/window/TForm1.h"
#include "platform/Dialogs.h"
#include "search/AlertCheck.h"
#include "table/NumberText.h"
#include "table/RowPosition.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace tremora
{

namespace
{

/// Puts a copied value into a narrow criteria box so that it reads from its start: a box that
/// showed the end of "128,0088" would look like 28,0088.
void showBoxText(QLineEdit* box, const QString& text)
{
    box->setText(text);
    box->home(false);
}

} // namespace

CriteriaGroup::CriteriaGroup(Dialogs& dialogs, FaultCheck faultCheck)
    : m_dialogs(dialogs)
    , m_faultCheck(faultCheck)
{
}

CriteriaGroup CriteriaGroup::search(TForm1& f, Dialogs& dialogs)
{
    CriteriaGroup g(dialogs, &formularz1);
    g.m_switches = { f.CheckBox2, f.CheckBox3, f.CheckBox4, f.CheckBox5 };
    g.m_boxes = { f.Edit10, f.Edit11, f.Edit6, f.Edit9, f.Edit13, f.Edit14, f.Edit15, f.Edit16 };
    g.m_allOf = f.RadioButton8;
    g.m_anyOf = f.RadioButton9;
    g.m_conjunctions = { f.Label17, f.Label18, f.Label19 };
    g.m_from = f.DateTimePicker3;
    g.m_to = f.DateTimePicker4;
    g.m_conversion = Conversion::EveryBox;
    g.m_copyTurnsOnPosition = true;
    return g;
}

CriteriaGroup CriteriaGroup::warnings(TForm1& f, Dialogs& dialogs)
{
    CriteriaGroup g(dialogs, &alertBoxesFault);
    g.m_switches = { f.CheckBox6, f.CheckBox9, f.CheckBox7, f.CheckBox8 };
    g.m_boxes = { f.Edit1, f.Edit19, f.Edit17, f.Edit18, f.Edit2, f.Edit3, f.Edit4, f.Edit5 };
    g.m_allOf = f.RadioButton11;
    g.m_anyOf = f.RadioButton10;
    g.m_conjunctions = { f.Label30, f.Label31, f.Label32 };
    // The warnings run by themselves after every update: a box the user switched off must never
    // hold them up, whatever it holds.
    g.m_conversion = Conversion::CheckedBoxes;
    g.m_copyTurnsOnPosition = false;
    return g;
}

SearchBoxes CriteriaGroup::boxes() const
{
    SearchBoxes b;
    b.magnitude = m_switches[Magnitude]->isChecked();
    b.depth = m_switches[Depth]->isChecked();
    b.longitude = m_switches[Longitude]->isChecked();
    b.latitude = m_switches[Latitude]->isChecked();
    for (std::size_t i = 0; i < b.texts.size(); ++i)
        b.texts[i] = m_boxes[i]->text();
    return b;
}

bool CriteriaGroup::anyCriterion() const
{
    return m_anyOf->isChecked();
}

std::optional<SearchCriteria> CriteriaGroup::criteria() const
{
    if (const std::optional<QString> faulty = fault()) {
        m_dialogs.warning(*faulty);
        return std::nullopt;
    }
    return converted();
}

std::optional<QString> CriteriaGroup::fault() const
{
    return m_faultCheck(boxes());
}

void CriteriaGroup::onChange(QObject* context, const std::function<void()>& changed)
{
    for (QLineEdit* box : m_boxes)
        QObject::connect(box, &QLineEdit::editingFinished, context, changed);
    for (QCheckBox* on : m_switches)
        QObject::connect(on, &QCheckBox::toggled, context, changed);
    QObject::connect(m_anyOf, &QRadioButton::toggled, context, changed);
}

SearchCriteria CriteriaGroup::converted() const
{
    SearchBoxes b = boxes();
    if (m_conversion == Conversion::CheckedBoxes) {
        const std::array<bool, SwitchCount> checked { b.magnitude, b.depth, b.longitude, b.latitude };
        for (std::size_t i = 0; i < b.texts.size(); ++i)
            if (!checked[i / 2])
                b.texts[i].clear();
    }
    if (m_from == nullptr || m_to == nullptr)
        return alertCriteria(b, anyCriterion());
    return searchCriteria(b, m_from->value(), m_to->value(), anyCriterion());
}

void CriteriaGroup::showConjunction()
{
    const QString word = anyCriterion() ? QCoreApplication::translate("tremora::CriteriaGroup", "lub")
                                        : QCoreApplication::translate("tremora::CriteriaGroup", "i");
    for (QLabel* label : m_conjunctions)
        label->setText(word);
}

void CriteriaGroup::copyPoint(const QString& lonText, const QString& latText)
{
    showBoxText(m_boxes[SearchBoxes::LonFrom], lonText);
    showBoxText(m_boxes[SearchBoxes::LonTo], lonText);
    showBoxText(m_boxes[SearchBoxes::LatFrom], latText);
    showBoxText(m_boxes[SearchBoxes::LatTo], latText);
    copied();
}

void CriteriaGroup::copyBox(const QString& lonText, const QString& latText)
{
    const PositionBounds lon = boundsAround(lonText, kBoxHalfLon);
    showBoxText(m_boxes[SearchBoxes::LonFrom], lon.low);
    showBoxText(m_boxes[SearchBoxes::LonTo], lon.high);
    const PositionBounds lat = boundsAround(latText, kBoxHalfLat);
    showBoxText(m_boxes[SearchBoxes::LatFrom], lat.low);
    showBoxText(m_boxes[SearchBoxes::LatTo], lat.high);
    copied();
}

void CriteriaGroup::copyRectangle(float lon1, float lat1, float lon2, float lat2)
{
    // Whichever way the rectangle was drawn, "from" is the lower bound.
    showBoxText(m_boxes[SearchBoxes::LonFrom], FixedText(std::min(lon1, lon2)));
    showBoxText(m_boxes[SearchBoxes::LonTo], FixedText(std::max(lon1, lon2)));
    showBoxText(m_boxes[SearchBoxes::LatFrom], FixedText(std::min(lat1, lat2)));
    showBoxText(m_boxes[SearchBoxes::LatTo], FixedText(std::max(lat1, lat2)));
    copied();
}

void CriteriaGroup::copied()
{
    if (!m_copyTurnsOnPosition)
        return;
    m_allOf->setChecked(true);
    m_switches[Longitude]->setChecked(true);
    m_switches[Latitude]->setChecked(true);
}

} // namespace tremora
