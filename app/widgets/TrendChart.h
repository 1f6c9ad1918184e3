// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Statistics.h"

#include <QString>
#include <QWidget>

#include <vector>

namespace miminomi {

/// The share of right answers day by day: one point for each day with answers, placed by its date
/// (days without answers leave their gap) and dated M/D underneath, joined by a line (dashed across
/// a gap) over grid lines at 0, 50 and 100 %, with the day's number of answers as a small bar and
/// figure below.
class TrendChart : public QWidget {
    Q_OBJECT
public:
    explicit TrendChart(QWidget *parent = nullptr);

    /// Shows `days`, leaving out any without answers; `rateCaption` names the share the points
    /// show, `countCaption` what the small bars count.
    void setDays(const std::vector<DayAccuracy> &days, const QString &rateCaption,
                 const QString &countCaption);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<DayAccuracy> days;
    QString rateCaption;
    QString countCaption;
};

} // namespace miminomi
