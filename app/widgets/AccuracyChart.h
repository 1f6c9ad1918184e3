// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/Tally.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace miminomi {

/// One group of the statistics' items as labelled horizontal bars: the share of right answers in
/// green and of wrong ones in coral, with the rounded percentage and the count in columns beside
/// each bar, on grid lines at 0, 50 and 100 %.
class AccuracyChart : public QWidget {
    Q_OBJECT
public:
    struct Row {
        QString label;
        Tally tally;
        /// Beside the percentage: how many answers.
        QString count;
        /// Smaller lines under the bar.
        QStringList notes;
    };

    AccuracyChart(QString title, std::vector<Row> rows, QWidget *parent = nullptr);

    /// Gives the charts the same columns, so that their bars start and end one under another.
    static void align(const std::vector<AccuracyChart *> &charts);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    /// The widths of the label, percentage and count columns.
    struct Columns {
        int label = 0;
        int percent = 0;
        int count = 0;
    };

    int rowHeight(const Row &row) const;
    int titleHeight() const;
    Columns ownColumns() const;
    int valueWidth() const;

    QString title;
    std::vector<Row> rows;
    Columns columns;
};

} // namespace miminomi
