// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/RecordFile.h"
#include "records/RecordList.h"

#include <QWidget>

#include <cstdint>
#include <string>

class QFrame;
class QPainter;
class QTabWidget;

namespace miminomi {

/// The record viewer "過去の成績": for the exercise of the selected page, the percentage right
/// (black, left scale) and the number of answers (green, right scale) of every stored run, oldest
/// at the left, ending in the current run. Modeless and always on top; it closes as soon as it
/// stops being the active window.
class Record : public QWidget {
    Q_OBJECT
public:
    /// Takes the current run's tallies and reads the record file at `recordPath`.
    explicit Record(const Tallies &current, QWidget *parent = nullptr,
                    const std::string &recordPath = RecordFile::defaultPath);

    /// The graph of the selected page, or the message lines when the file could not be read, in
    /// the coordinates of the graph box's drawing area (inside its border).
    void drawGraph(QPainter &painter) const;

    bool getIsNoRecord() const { return isNoRecord; }
    /// The top of the count scale of the exercise.
    std::int64_t getCountTop(Exercise exercise) const { return sumTest[exercise]; }

protected:
    bool event(QEvent *event) override;

private slots:
    void tabControl1_SelectedIndexChanged();

private:
    void loadData(const std::string &recordPath);
    void Record_Deactivate();
    void drawMessage(QPainter &painter) const;
    void drawChart(QPainter &painter) const;
    /// The exercise of the selected page.
    Exercise shownExercise() const;

    Tallies last;
    // Tops of the count scales: a run's answers may exceed a 32-bit count.
    PerExercise<std::int64_t> sumTest;
    RecordList recordList;
    bool isNoRecord = false;

    QTabWidget *tabControl1 = nullptr;
    QFrame *pictureBoxGraph = nullptr;
};

} // namespace miminomi
