// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/windows/DictationWindow.h"
#include "practice/RhythmDictation.h"

#include <memory>

class QPushButton;
class QTimer;

namespace miminomi {

class TapTimeline;

/// "リズムをたたいて答える": a view over tapping back the rhythm of one question. "始める" counts
/// in; then any key (but Enter, Escape and the function keys) or a mouse button taps; Enter ends,
/// Escape stops the tapping under way. The time line shows the taps, and once marked the piece
/// beside them.
class RhythmTapWindow : public DictationWindow {
    Q_OBJECT
public:
    explicit RhythmTapWindow(std::shared_ptr<RhythmDictation> dictation, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    /// Tapping under way is stopped, not marked half done.
    void closeEvent(QCloseEvent *event) override;

private:
    void refresh() override;
    bool taking() const;

    std::shared_ptr<RhythmDictation> rhythm;
    QPushButton *start = nullptr;
    TapTimeline *timeline = nullptr;
    /// Lets time pass for the dictation while it counts in or takes taps.
    QTimer *ticker = nullptr;
};

} // namespace miminomi
