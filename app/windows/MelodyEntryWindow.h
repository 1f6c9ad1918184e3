// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/windows/DictationWindow.h"
#include "practice/MelodyDictation.h"

#include <memory>

class QLabel;
class QPushButton;

namespace miminomi {

class MelodyComparison;
class PianoKeys;

/// "メロディを入力して答える": a view over entering the melody of one question: notes typed by
/// letter, accidentals and octave digit or clicked on a keyboard of two octaves around the piece,
/// Backspace to take one back, and "答え合わせ" (Enter) to see both melodies side by side.
class MelodyEntryWindow : public DictationWindow {
    Q_OBJECT
public:
    explicit MelodyEntryWindow(std::shared_ptr<MelodyDictation> dictation,
                               QWidget *parent = nullptr);

    /// The learner chose another naming of the notes: shows the notes and the keyboard in it.
    void namesChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void refresh() override;

    std::shared_ptr<MelodyDictation> melody;
    QLabel *written = nullptr;
    QPushButton *checkButton = nullptr;
    PianoKeys *keyboard = nullptr;
    MelodyComparison *comparison = nullptr;
};

} // namespace miminomi
