// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ServerCommandLine.h"

#include <QCoreApplication>

#include <cstdio>

namespace tremora
{

namespace
{

constexpr int kHighestPort = 65535;
constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;

} // namespace

ServerCommandLine::ServerCommandLine(const QString& name, const QString& description, const QString& usage)
    : m_name(name)
    , m_usage(usage)
    , m_port(QStringLiteral("port"), QStringLiteral("Port on 127.0.0.1 (0 picks a free one)."),
          QStringLiteral("port"), QStringLiteral("0"))
{
    QCoreApplication::setApplicationName(name);
    m_parser.setApplicationDescription(description);
    m_parser.addHelpOption();
}

void ServerCommandLine::process(const QCoreApplication& app, const QList<QCommandLineOption>& options)
{
    m_parser.addOption(m_port);
    m_parser.addOptions(options);
    m_parser.process(app);
}

std::optional<int> ServerCommandLine::port() const
{
    bool ok = false;
    const int port = m_parser.value(m_port).toInt(&ok);
    if (!ok || port < 0 || port > kHighestPort)
        return std::nullopt;
    return port;
}

int ServerCommandLine::usageError() const
{
    std::fprintf(stderr, "usage: %s %s\n", qPrintable(m_name), qPrintable(m_usage));
    return kUsageStatus;
}

int ServerCommandLine::failure(const QString& message) const
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(m_name), qPrintable(message));
    return kFailureStatus;
}

void ServerCommandLine::serving(int port, const QString& about)
{
    std::printf("%d\n", port);
    std::printf("%s\n", qPrintable(about));
    std::fflush(stdout);
}

} // namespace tremora
