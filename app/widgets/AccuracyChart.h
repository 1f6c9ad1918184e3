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
/// green and of wrong ones in coral, with the percentage and the count beside each bar, on grid
/// lines at 0, 50 and 100 %.
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

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int rowHeight(const Row &row) const;
    int titleHeight() const;
    int labelWidth() const;
    int valueWidth() const;
    static QString valueText(const Row &row);

    QString title;
    std::vector<Row> rows;
};

} // namespace miminomi
