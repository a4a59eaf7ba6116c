// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/CsvImport.h"

namespace tremora
{

/// An import observer that hears nothing: for tools, tests and benchmarks that parse replies
/// without a log, a progress count or a warning box to show.
class QuietObserver final : public ImportObserver
{
public:
    void log(const QString&) override { }
    void progress(int) override { }
    void warning(const QString&) override { }
};

} // namespace tremora
