// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/StaffLayout.h"
#include "music/Score.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace miminomi {

/// The staff an exam item is written on, drawn with the staff notation's layout: while writing,
/// the learner's bars with what each has left shown as faint rests and a count above it, an
/// overfull bar tinted and labelled, and the cursor; once marked, the item above the learner's
/// answer in a second colour, each wrong note in red with the right pitch beside it, and each
/// bar's verdict above it. It takes the keyboard focus with no input method, so that letters
/// arrive as keys whatever the learner's input method is.
class ExamStaff : public QWidget {
public:
    explicit ExamStaff(QWidget *parent = nullptr);

    /// What is drawn while writing.
    struct Writing {
        music::Score written;
        /// Each bar's length in ticks.
        std::vector<std::int32_t> barTicks;
        /// The cursor: on note `index` of `bar`, or at the bar's end.
        int cursorBar = 0;
        int cursorIndex = 0;
        /// Rhythm only: the notes are drawn on one line.
        bool rhythmOnly = false;
    };
    /// What is drawn once marked.
    struct Marked {
        music::Score item;
        music::Score written;
        /// Marks of the learner's notes and the item's, coloured as NoteMark says.
        std::vector<NoteMark> marks;
        /// Above each bar: its verdict.
        std::vector<QString> barLabels;
        std::vector<bool> barRight;
        bool rhythmOnly = false;
    };

    void showWriting(Writing writing);
    void showMarked(Marked marked);

    /// Told of each key pressed on the staff, and of each text an input method commits there.
    std::function<bool(QKeyEvent *)> onKey;
    std::function<void(const QString &)> onText;
    /// Told of a click on the staff while writing: the note clicked (bar and index), or the end
    /// of the bar clicked beyond its notes.
    std::function<void(int bar, int index)> onClick;

    /// Draws everything at `width` pixels into a painter whose origin is the top left corner.
    void render(QPainter &painter, double width) const;
    /// The height everything takes at `width`.
    int heightFor(double width) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    bool event(QEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool focusNextPrevChild(bool) override { return false; }

private:
    /// The scores and marks as laid out, with the faint rests of the bars' remainders.
    struct Shown {
        std::vector<music::Score> scores;
        std::vector<NoteMark> marks;
    };
    Shown shown() const;
    bool oneLine() const;
    const StaffLayout &layoutFor(double width) const;

    std::optional<Writing> writing;
    std::optional<Marked> marked;
    double space = 9;
    /// The layout last made, and the width it was made for.
    mutable std::optional<StaffLayout> cached;
    mutable double cachedWidth = -1;
    mutable Shown cachedShown;
};

} // namespace miminomi
