// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/window/ControlFactory.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace tremora::controls
{

QLineEdit* edit(const char* name, const QString& text, int width)
{
    auto* e = named(new QLineEdit(text), name);
    if (width > 0)
        e->setFixedWidth(width);
    return e;
}

QCheckBox* checkBox(const char* name, const QString& caption, bool checked)
{
    auto* c = named(new QCheckBox(caption), name);
    c->setChecked(checked);
    return c;
}

QRadioButton* radio(const char* name, const QString& caption, bool checked)
{
    auto* r = named(new QRadioButton(caption), name);
    r->setChecked(checked);
    return r;
}

QPushButton* button(const char* name, const QString& caption)
{
    auto* b = named(new QPushButton(caption), name);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QLabel* label(const char* name, const QString& text)
{
    return named(new QLabel(text), name);
}

QLabel* caption(const QString& text)
{
    return new QLabel(text);
}

QSpinBox* spin(const char* name, int minimum, int maximum, int value)
{
    auto* s = named(new QSpinBox, name);
    s->setRange(minimum, maximum);
    s->setValue(value);
    return s;
}

QGroupBox* group(const QString& title)
{
    return new QGroupBox(title);
}

} // namespace tremora::controls
