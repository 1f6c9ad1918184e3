// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// "履歴を書き出す…": the history, whole or of a chosen period, as a CSV file of the learner's own.
#include "app/mainwindow/Form1.h"

#include "app/services/HistoryCsv.h"
#include "records/RecordDate.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace miminomi {

void Form1::menuExportHistory_Click() {
    // The periods as the statistics window names them, the whole history first.
    const std::pair<Period, QString> periods[] = {
        {Period::everything, QStringLiteral("すべて")},
        {Period::month, QStringLiteral("30日間")},
        {Period::week, QStringLiteral("7日間")},
        {Period::today, QStringLiteral("今日")},
    };
    QStringList names;
    for (const auto &[period, name] : periods)
        names << name;
    bool chosen = false;
    const QString name = QInputDialog::getItem(this, QStringLiteral("履歴を書き出す"),
                                               QStringLiteral("書き出す期間を選んでください．"),
                                               names, 0, false, &chosen);
    if (!chosen)
        return;
    const Period period = periods[names.indexOf(name)].first;

    const RecordDate today = RecordDate::localToday(clock);
    const QString suggested =
        QDir::home().filePath(QStringLiteral("みみのみの履歴_%1.csv")
                                  .arg(QDate(today.getYear(), today.getMonth(), today.getDay())
                                           .toString(QStringLiteral("yyyyMMdd"))));
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("履歴を書き出す"), suggested,
                                     QStringLiteral("CSVファイル (*.csv);;すべてのファイル (*)"));
    if (path.isEmpty())
        return;

    const DayRange days = period == Period::everything ? DayRange::everything()
                                                       : DayRange::of(period, today.dayNumber());
    const Result<std::size_t, QString> written = writeHistoryCsv(*history, path, days);
    if (written)
        QMessageBox::information(this, QStringLiteral("履歴を書き出す"),
                                 QStringLiteral("%1行を「%2」に書き出しました．")
                                     .arg(*written)
                                     .arg(QDir::toNativeSeparators(path)));
    else
        QMessageBox::warning(this, QStringLiteral("履歴を書き出す"), written.reason());
}

} // namespace miminomi
