// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace tremora::bench
{

/// Keeps the run of every benchmark that ran to its end, for the figure lines ("name: value
/// unit") a program prints once its benchmarks are through; run.sh collects those lines.
class FigureReporter : public benchmark::ConsoleReporter
{
public:
    /// Whether Google Benchmark's own table is printed as well, before the figures.
    enum class Table { Hidden, Shown };

    explicit FigureReporter(Table table = Table::Hidden);

    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;

    /// The run of the benchmark registered under `name`; null when it failed or did not run.
    const Run* run(const std::string& name) const;

private:
    Table m_table;
    std::map<std::string, Run> m_runs;
};

} // namespace tremora::bench
