// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Resources.h"

#include <QtGlobal>

// Registration has to be reachable from a function the program calls: a static archive drops an
// object nobody refers to, and with it the resource data's own start-up registration.
static void registerResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(registered);
}

static void registerTranslations()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(translations);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace tremora
{

QString builtInMapPath()
{
    registerResources();
    return QStringLiteral(":/maps/world.jpg");
}

QString appIconPath()
{
    registerResources();
    return QStringLiteral(":/icons/tremora.png");
}

QString translationPath(const QString& language)
{
    registerTranslations();
    return QStringLiteral(":/translations/tremora_%1.qm").arg(language);
}

} // namespace tremora
