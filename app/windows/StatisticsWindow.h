// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/ExamStatistics.h"
#include "history/Statistics.h"
#include "records/Exercise.h"

#include <QDialog>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QScrollArea;
class QStackedWidget;
class QVBoxLayout;

namespace miminomi {

class History;
class TrendChart;

/// The statistics window "成績の分析": for the chosen exercise and period, a summary, the share of
/// right answers per item, the most frequent mistakes and the trend day by day, all drawn from one
/// reading of the history per choice and per question marked meanwhile. Its last choice, 聴音,
/// shows the exam-format dictation items: the mean mark per level, day by day, and the scale
/// degrees, intervals and rhythm figures missed most. When the history cannot be read it says
/// why, calmly. Non-modal; Escape closes it.
class StatisticsWindow : public QDialog {
    Q_OBJECT
public:
    /// Opens on `exercise`, over the whole history, which it shares with the main window.
    explicit StatisticsWindow(std::shared_ptr<History> history, Exercise exercise = Exercise::note,
                              QWidget *parent = nullptr);

    /// A question of `exercise` has ended and is in the history: shown at once when that exercise
    /// is on show, where the learner was looking.
    void questionMarked(Exercise exercise);
    /// An exam item has been marked and is in the history: shown at once when 聴音 is on show.
    void examMarked();
    /// The learner chose another naming of the notes: shows everything again in it.
    void namesChanged() { reload(); }

private:
    /// Reads the statistics of the chosen exercise and period and shows them.
    void reload();
    Exercise chosenExercise() const;
    /// Whether 聴音 is chosen rather than one of the exercises.
    bool examChosen() const;
    void showExamStatistics(const ExamStatistics &statistics);
    void showStatistics(const Statistics &statistics, Exercise exercise);
    void showMessage(const QString &text, bool notice);
    void showMistakes(const Statistics &statistics, Exercise exercise);

    std::shared_ptr<History> history;
    QComboBox *exerciseChoice = nullptr;
    QComboBox *periodChoice = nullptr;
    QStackedWidget *pages = nullptr;
    QWidget *content = nullptr;
    QLabel *summary = nullptr;
    QScrollArea *itemArea = nullptr;
    QVBoxLayout *itemCharts = nullptr;
    QScrollArea *mistakeArea = nullptr;
    QVBoxLayout *mistakeLines = nullptr;
    TrendChart *trend = nullptr;
    QLabel *message = nullptr;
    /// The exercise last shown: another one starts at the top of its lists.
    std::optional<int> shownExercise;
};

} // namespace miminomi
