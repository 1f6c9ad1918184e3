// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Result.h"
#include "history/HistoryExport.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace miminomi {

class History;

// The history written out as a CSV file that spreadsheet programs in Japanese locales open as it
// is: UTF-8 with a byte-order mark, fields quoted as RFC 4180 says (a field holding a comma, a
// quote or a line end in quotes, its quotes doubled), lines ended by CR LF. Items are named as the
// program shows them, in the naming the learner chose.

namespace HistoryCsv {
/// The heading line's fields: 日時, 練習, 出題, 解答, 正誤, 設定, 復習.
QStringList heading();
/// The fields of one line.
QStringList fields(const ExportRow &row);
/// One CSV line of `fields`, quoted where needed, without its line end.
QString line(const QStringList &fields);
/// The lines of a file of `rows`: the heading, then one line per row.
std::vector<QStringList> lines(const std::vector<ExportRow> &rows);
/// The whole file of `lines`: the byte-order mark, then each line ended by CR LF.
QByteArray text(const std::vector<QStringList> &lines);
} // namespace HistoryCsv

/// Writes the history's lines of the days of `range` to `path` as CSV, whole or not at all: the
/// text goes to a file beside it, which replaces `path` only once it is complete. The number of
/// lines written (without the heading), or why nothing was written, in one sentence for the
/// learner.
Result<std::size_t, QString> writeHistoryCsv(History &history, const QString &path,
                                             DayRange range = DayRange::everything());

} // namespace miminomi
