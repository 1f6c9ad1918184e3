// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Dictation.h"
#include "practice/PieceNotes.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace miminomi {

/// The piece's onsets over the learner's taps on one time line, with the piece's beats and bar
/// lines behind them, so that a learner sees where a tap went wrong. Before marking the taps are
/// drawn as taken and the piece's notes not at all; once marked, as fitted to the piece, what met
/// green and the rest coral, a tap beside its note joined to it.
class TapTimeline : public QWidget {
public:
    explicit TapTimeline(QWidget *parent = nullptr);

    void setData(const PieceNotes &piece, std::vector<double> taps,
                 std::optional<Dictation> marking);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    PieceNotes piece;
    std::vector<double> taps;
    std::optional<Dictation> marking;
};

} // namespace miminomi
