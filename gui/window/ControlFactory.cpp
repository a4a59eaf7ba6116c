// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/window/ControlFactory.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

namespace tremora::controls
{

namespace
{

// The source texts are kept on the objects themselves, so a control knows its own caption
// whoever made the layout around it.
constexpr const char* kSourceProperty = "captionSource";
constexpr const char* kTabSourceProperty = "tabCaptionSource";
constexpr const char* kItemSourcesProperty = "itemCaptionSources";

template <typename T> T* remember(T* object, const char* source)
{
    object->setProperty(kSourceProperty, QByteArray(source));
    return object;
}

QString sourceOf(const QObject* object, const char* property)
{
    return translated(object->property(property).toByteArray().constData());
}

void retranslateObject(QObject* object)
{
    if (object->property(kSourceProperty).isValid()) {
        const QString text = sourceOf(object, kSourceProperty);
        if (auto* b = qobject_cast<QAbstractButton*>(object))
            b->setText(text);
        else if (auto* l = qobject_cast<QLabel*>(object))
            l->setText(text);
        else if (auto* g = qobject_cast<QGroupBox*>(object))
            g->setTitle(text);
        else if (auto* a = qobject_cast<QAction*>(object))
            a->setText(text);
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(object)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->property(kTabSourceProperty).isValid())
                tabs->setTabText(i, sourceOf(tabs->widget(i), kTabSourceProperty));
        }
    }
    if (auto* combo = qobject_cast<QComboBox*>(object)) {
        const QByteArrayList sources = combo->property(kItemSourcesProperty).value<QByteArrayList>();
        for (int i = 0; i < sources.size() && i < combo->count(); ++i)
            combo->setItemText(i, translated(sources[i].constData()));
    }
}

} // namespace

QString translated(const char* source)
{
    return QCoreApplication::translate(kCaptionContext, source);
}

QLineEdit* edit(const char* name, const QString& text, int width)
{
    auto* e = named(new QLineEdit(text), name);
    if (width > 0)
        e->setFixedWidth(width);
    return e;
}

QCheckBox* checkBox(const char* name, const char* caption, bool checked)
{
    auto* c = named(remember(new QCheckBox(translated(caption)), caption), name);
    c->setChecked(checked);
    return c;
}

QRadioButton* radio(const char* name, const char* caption, bool checked)
{
    auto* r = named(remember(new QRadioButton(translated(caption)), caption), name);
    r->setChecked(checked);
    return r;
}

QPushButton* button(const char* name, const char* caption)
{
    auto* b = named(new QPushButton, name);
    if (caption != nullptr && *caption != '\0') {
        remember(b, caption);
        b->setText(translated(caption));
    }
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QLabel* label(const char* name, const char* caption)
{
    return named(remember(new QLabel(translated(caption)), caption), name);
}

QLabel* caption(const char* caption)
{
    return remember(new QLabel(translated(caption)), caption);
}

QSpinBox* spin(const char* name, int minimum, int maximum, int value)
{
    auto* s = named(new QSpinBox, name);
    s->setRange(minimum, maximum);
    s->setValue(value);
    return s;
}

QGroupBox* group(const char* title)
{
    return remember(new QGroupBox(translated(title)), title);
}

QAction* action(QObject* menu, const char* name, const char* caption)
{
    auto* a = named(remember(new QAction(translated(caption), menu), caption), name);
    if (auto* m = qobject_cast<QMenu*>(menu))
        m->addAction(a);
    return a;
}

void addTab(QTabWidget* tabs, QWidget* page, const char* caption)
{
    page->setProperty(kTabSourceProperty, QByteArray(caption));
    tabs->addTab(page, translated(caption));
}

void addItems(QComboBox* combo, std::initializer_list<const char*> items)
{
    QByteArrayList sources;
    for (const char* item : items) {
        sources << QByteArray(item);
        combo->addItem(translated(item));
    }
    combo->setProperty(kItemSourcesProperty, QVariant::fromValue(sources));
}

void retranslate(QWidget* root)
{
    retranslateObject(root);
    for (QObject* object : root->findChildren<QObject*>())
        retranslateObject(object);
}

} // namespace tremora::controls
