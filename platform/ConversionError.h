// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <QString>

#include <exception>
#include <utility>

namespace tremora
{

/// A malformed number or date in typed or downloaded text. It ends the running operation;
/// whatever was changed before it stays.
class ConversionError : public std::exception
{
public:
    explicit ConversionError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

/// Runs a handler; a ConversionError it throws is shown in an error box and ends the handler.
/// Returns false when the handler was ended that way.
template <typename Handler> bool guarded(Dialogs& dialogs, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const ConversionError& e) {
        dialogs.error(e.message());
        return false;
    }
}

} // namespace tremora
