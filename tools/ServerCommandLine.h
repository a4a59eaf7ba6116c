// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <optional>

class QCoreApplication;

namespace tremora
{

/// The command line of a loopback server's program: its description, --help, --port and the
/// options of its own; the usage line when something is wrong; the lines that say it serves.
class ServerCommandLine
{
public:
    /// `usage` is the synopsis after the program's name, for the usage line.
    ServerCommandLine(const QString& name, const QString& description, const QString& usage);

    /// Reads the command line with the program's own options beside --port; --help prints the
    /// help and ends the program.
    void process(const QCoreApplication& app, const QList<QCommandLineOption>& options);
    const QCommandLineParser& parser() const { return m_parser; }

    /// The port asked for (0 picks a free one); nothing when it is no port number.
    std::optional<int> port() const;

    /// Prints the usage line; returns the exit status of a wrong command line.
    int usageError() const;
    /// Prints "<name>: <message>"; returns the exit status of a failure.
    int failure(const QString& message) const;
    /// The port alone on the first line, for scripts; then `about` for people.
    static void serving(int port, const QString& about);

private:
    QString m_name;
    QString m_usage;
    QCommandLineParser m_parser;
    QCommandLineOption m_port;
};

} // namespace tremora
