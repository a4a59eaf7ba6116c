// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tremora::bench
{

/// A path in the whole data kept beside the repository: below $TREMORA_SHARED_DATA, else below
/// ../shared/data.
QString sharedData(const QString& relativePath);

/// Prints the figure's line saying why it was not measured: "name: skipped (why)". run.sh takes
/// such a line for a figure, so a bare clone still runs every benchmark program.
void skipped(const char* figure, const QString& why);

/// True when `path` is there; otherwise the figure's line says it was skipped for want of it.
bool present(const char* figure, const QString& path);

} // namespace tremora::bench
