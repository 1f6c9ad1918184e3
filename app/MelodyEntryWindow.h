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

namespace miminomi {

/// "メロディを入力して答える": the learner enters the notes heard, in order, by name and octave
/// from the keyboard (C D E F G A B, # or + and -, then the octave's digit, 4 from middle C) or by
/// clicking a keyboard of two octaves around the piece; each note sounds as it is entered and
/// Backspace takes the last one back. "答え合わせ" aligns them with the piece's notes, shows both
/// with the differences marked and proposes a self-mark grade.
class MelodyEntryWindow : public QDialog {
    Q_OBJECT
public:
    /// `sound` sounds one entered note.
    MelodyEntryWindow(std::int32_t pieceNumber, const std::string &piecePath,
                      std::function<void(std::int32_t)> sound, QWidget *parent = nullptr);

    /// Told the grade proposed, and the number of notes entered, at "答え合わせ".
    std::function<void(Choice grade, std::int32_t notes)> onProposal;

    const std::vector<std::int32_t> &entered() const { return notes; }
    /// Enters a note, sounding it.
    void enter(std::int32_t pitch);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void check();
    void showEntered();

    std::optional<PieceNotes> piece;
    std::function<void(std::int32_t)> sound;
    std::vector<std::int32_t> notes;
    /// The pitch class typed and not yet given its octave.
    std::optional<std::int32_t> pending;
    std::optional<Dictation> marked;
    std::int32_t lowestKey = 60;

    QLabel *message = nullptr;
    QLabel *written = nullptr;
    QPushButton *checkButton = nullptr;
    QWidget *keyboard = nullptr;
    QWidget *comparison = nullptr;

    friend class MelodyKeyboard;
    friend class MelodyComparison;
};

} // namespace miminomi
