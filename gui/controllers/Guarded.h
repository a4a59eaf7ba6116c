// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ConversionError.h"
#include "platform/Dialogs.h"

#include <QObject>

namespace tremora
{

/// Connects a control's signal to a controller's handler inside the one guard every handler runs
/// in: a ConversionError it throws ends the handler and shows in an error box.
template <typename Sender, typename Signal, typename Receiver>
QMetaObject::Connection connectGuarded(
    Dialogs& dialogs, Sender* sender, Signal signal, Receiver* receiver, void (Receiver::*handler)())
{
    return QObject::connect(sender, signal, receiver,
        [&dialogs, receiver, handler] { guarded(dialogs, [receiver, handler] { (receiver->*handler)(); }); });
}

/// The same for a handler that takes the signal's arguments.
template <typename Sender, typename Signal, typename Receiver, typename... Args>
QMetaObject::Connection connectGuarded(
    Dialogs& dialogs, Sender* sender, Signal signal, Receiver* receiver, void (Receiver::*handler)(Args...))
{
    return QObject::connect(sender, signal, receiver, [&dialogs, receiver, handler](Args... args) {
        guarded(dialogs, [&] { (receiver->*handler)(args...); });
    });
}

} // namespace tremora
