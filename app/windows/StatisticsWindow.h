// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Statistics.h"
#include "records/Exercise.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QScrollArea;
class QStackedWidget;
class QVBoxLayout;

namespace miminomi {

class History;
class TrendChart;

/// The statistics window "成績の分析": for the chosen exercise and period, a summary, the share of
/// right answers per item, the most frequent confusions and the trend day by day, all drawn from
/// one reading of the history per choice. When the history cannot be read it says why, calmly.
/// Non-modal; Escape closes it.
class StatisticsWindow : public QDialog {
    Q_OBJECT
public:
    /// Opens on `exercise`, over the whole history, which it shares with the main window.
    explicit StatisticsWindow(std::shared_ptr<History> history, Exercise exercise = Exercise::note,
                              QWidget *parent = nullptr);

private:
    /// Reads the statistics of the chosen exercise and period and shows them.
    void reload();
    void showStatistics(const Statistics &statistics, Exercise exercise);
    void showMessage(const QString &text, bool notice);
    void showConfusions(const std::vector<Confusion> &confusions);

    std::shared_ptr<History> history;
    QComboBox *exerciseChoice = nullptr;
    QComboBox *periodChoice = nullptr;
    QStackedWidget *pages = nullptr;
    QWidget *content = nullptr;
    QLabel *summary = nullptr;
    QScrollArea *itemArea = nullptr;
    QVBoxLayout *itemCharts = nullptr;
    QScrollArea *confusionArea = nullptr;
    QVBoxLayout *confusionLines = nullptr;
    TrendChart *trend = nullptr;
    QLabel *message = nullptr;
};

} // namespace miminomi
