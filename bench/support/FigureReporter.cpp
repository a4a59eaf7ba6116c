// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/support/FigureReporter.h"
#include "bench/support/RunOutcome.h"

namespace tremora::bench
{

// Without colours, so that no escape code ends up in front of the figure lines.
FigureReporter::FigureReporter(Table table)
    : ConsoleReporter(OO_Tabular)
    , m_table(table)
{
}

bool FigureReporter::ReportContext(const Context& context)
{
    return m_table == Table::Shown ? ConsoleReporter::ReportContext(context) : true;
}

void FigureReporter::ReportRuns(const std::vector<Run>& runs)
{
    if (m_table == Table::Shown)
        ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (runFailed(run) || run.run_type != Run::RT_Iteration)
            continue;
        m_runs.insert_or_assign(run.run_name.function_name, run);
    }
}

const FigureReporter::Run* FigureReporter::run(const std::string& name) const
{
    const auto it = m_runs.find(name);
    return it == m_runs.end() ? nullptr : &it->second;
}

} // namespace tremora::bench
