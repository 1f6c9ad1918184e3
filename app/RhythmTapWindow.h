#pragma once

#include "practice/Choices.h"
#include "practice/Dictation.h"
#include "practice/PieceNotes.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTimer;

namespace miminomi {

/// "リズムをたたいて答える": after two count-in clicks at the piece's tempo the learner taps the
/// rhythm heard (any key but Enter and Escape, or a mouse button); Enter, or two bars without a
/// tap, ends it. The taps are compared with the piece's onsets, both drawn on one time line, and
/// a self-mark grade is proposed.
class RhythmTapWindow : public QDialog {
    Q_OBJECT
public:
    /// For the rhythm `piece` (its number, shown in the title) read from `piecePath`: `countIn`
    /// sounds the two clicks (click note, beat in milliseconds) and returns when the second beat
    /// has passed; `nowMs` tells the time taps are taken at.
    RhythmTapWindow(std::int32_t pieceNumber, const std::string &piecePath,
                    std::function<void(std::int32_t, std::int32_t)> countIn,
                    std::function<std::int64_t()> nowMs, QWidget *parent = nullptr);

    /// Told the grade proposed, and the number of taps, when the tapping has been marked.
    std::function<void(Choice grade, std::int32_t taps)> onProposal;

    /// Ends the tapping when two bars have passed since the last tap (or since the count-in).
    void checkSilence();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void startTapping();
    void tap();
    void finish();

    enum class State { cannotMark, ready, tapping, marked };

    std::optional<PieceNotes> piece;
    std::function<void(std::int32_t, std::int32_t)> countIn;
    std::function<std::int64_t()> nowMs;
    State state = State::ready;
    std::int64_t lastMs = 0;
    std::vector<double> taps;
    std::optional<Dictation> marked;

    QLabel *message = nullptr;
    QPushButton *start = nullptr;
    QWidget *timeline = nullptr;
    QTimer *silence = nullptr;

    friend class TapTimeline;
};

} // namespace miminomi
