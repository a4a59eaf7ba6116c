// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tremora
{

/// Base URL of the USGS event service; the query path is appended to it.
inline constexpr const char* kUsgsDefaultHost = "https://earthquake.usgs.gov";
/// The random last parameter of a query lies in 0 .. kQueryRandomLimit - 1.
inline constexpr int kQueryRandomLimit = 1000;

/// How the day texts of Edit7/Edit8 are laid out: CheckBox16 ("WinXP") unchecked reads
/// "yyyy-MM-dd", checked reads "dd-MM-yyyy".
enum class DateLayout { YearMonthDay, DayMonthYear };

/// The query URL for one period, from 00:00:00 of firstDay to the end of lastDay, all
/// magnitudes, CSV, oldest first:
///   {host}/fdsnws/event/1/query?starttime=Y-M-D%2000:00:00&minmagnitude=0&format=csv&
///   endtime=Y-M-D%2023:59:59.999&orderby=time-asc&{randomPart}
/// The end carries milliseconds: the service compares origin times to the millisecond, so an end
/// of 23:59:59 would leave out every event of the day's last second.
/// host is a base URL with its scheme ("https://earthquake.usgs.gov"); a trailing "/" is
/// dropped. The day texts are read by character position according to the layout, without any
/// check, and always sent as year, month, day; missing characters are simply absent.
/// randomPart (0..999, written without leading zeros) keeps caches from answering; values
/// outside that range are folded into it.
QString Wczyt_zakres_dat_url(
    const QString& host, const QString& firstDay, const QString& lastDay, DateLayout layout, int randomPart);

/// A fresh random part for Wczyt_zakres_dat_url, 0..999.
int randomQueryPart();

} // namespace tremora
