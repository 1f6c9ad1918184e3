// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/StaffLayout.h"
#include "music/Score.h"

#include <QWidget>

#include <vector>

class QPainter;

namespace miminomi {

/// One or two scores in staff notation, drawn with the notation font and paths: a dictation item,
/// a learner's answer beneath it or over it with each note in the colour of its mark. Bars wrap
/// onto as many lines as the width needs; the widget is as high as its width makes the music.
class StaffView : public QWidget {
public:
    explicit StaffView(QWidget *parent = nullptr);

    /// Shows one score on one staff.
    void setScore(const music::Score &score);
    /// Shows one or two scores, the second on a staff beneath the first, bar by bar in step.
    void setScores(std::vector<music::Score> scores);
    /// Colours notes and shows a second pitch beside those the marks name.
    void setMarks(std::vector<NoteMark> marks);
    /// The distance of two staff lines in device independent pixels.
    void setStaffSpace(double space);

    /// Where everything goes at `width` pixels.
    StaffLayout layout(double width) const;
    /// Draws the music into `area` of any painter (the widget's, or one on a QImage).
    void paint(QPainter &painter, const QRectF &area) const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

    /// Draws a layout at `origin`, each note in its mark's colour and the rest in `ink`.
    static void paint(QPainter &painter, const StaffLayout &layout,
                      const std::vector<NoteMark> &marks, QPointF origin, const QColor &ink);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    std::vector<music::Score> scores;
    std::vector<NoteMark> marks;
    double space = 9;
};

} // namespace miminomi
