// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/AnswerLog.h"
#include "practice/Choices.h"
#include "practice/PracticeSettings.h"
#include "practice/ReviewDrill.h"
#include "practice/ReviewQueue.h"
#include "practice/TypedNote.h"

#include <QDialog>
#include <QHash>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace miminomi {

class CalendarClock;
class History;
class MidiSound;
class SoundSchedule;
class Wait;

/// "今日の復習": runs today's round of reviews and two-choice drills of confused pairs, sounded
/// through the shared sound schedule without holding the window, answered with the main window's
/// keys (F5 next, F6 again, F7 or Enter to mark, F9 to hear side by side, Escape to stop the sound
/// under way; letters, digits and kana to answer, 1 and 2 in a drill), each answer kept in the
/// history as a review. Neither the main window's tallies nor the record file are touched. Ends
/// with a summary of the round.
class ReviewWindow : public QDialog {
    Q_OBJECT
public:
    /// Questions in a round at most, besides the drills of confused pairs.
    static constexpr std::size_t roundSize = 12;

    /// A round of the items due on the calendar's day in `history`, sounded on `sounds` (whose
    /// owner polls it) with `settings` as the main window has them when each question sounds;
    /// `wait` is the clock the notes are planned on.
    ReviewWindow(std::shared_ptr<History> history, MidiSound &midi, SoundSchedule &sounds,
                 Wait &wait, const CalendarClock &calendar,
                 std::function<PracticeSettings()> settings, QWidget *parent = nullptr);
    ~ReviewWindow() override;

    /// Told after each answer is kept, so that the menu can show what is still due.
    std::function<void()> onMarked;

    /// F5: the first question, or the next one once this one is marked; sounds it.
    void next();
    /// F6: sounds the question again.
    void replay();
    /// F7 or Enter: marks what the lists show (a drill: `pick`, 0 or 1).
    void mark(std::optional<int> pick = std::nullopt);
    /// F9: a drill's two items side by side, or the item asked and the one answered.
    void hearBoth();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// Escape stops the sound under way; with nothing sounding it closes the window.
    void keyPressEvent(QKeyEvent *event) override;
    /// A window put away says nothing more.
    void hideEvent(QHideEvent *event) override;

private:
    enum class Stage { start, asking, marked, summary };

    ReviewDrill &drill();
    void showQuestion();
    void showSummary();
    void showButtons();
    /// The page's choices the lists show, for the exercise asked.
    Choices chosenInLists() const;
    /// Takes typed text (a key, or what an input method commits) as an answer; false when it
    /// answers nothing.
    bool typed(const QString &text);
    /// Chooses the item of `box` that `text` names, typed after the keys typed there before.
    bool byName(QComboBox *box, const QString &text);
    /// The name of an item in the words the main window uses and the naming chosen.
    static QString itemText(const ReviewItem &item);
    /// A drill's choice: its item named only by what tells the two apart.
    static QString choiceText(const ReviewQuestion &question, std::size_t k);

    std::shared_ptr<History> history;
    std::function<PracticeSettings()> settings;
    std::int32_t today = 0;
    ReviewDrill notes;
    ReviewDrill scales;
    ReviewDrill chords;
    ReviewRound round;
    std::size_t dueAtStart = 0;
    Stage stage = Stage::start;
    /// The question on show, its answer once marked, and whether that was right.
    ReviewQuestion shown;
    Choices answered;
    bool wasRight = false;
    /// The note or root being typed, and the keys typed in each list since it took the focus.
    TypedNote typing;
    QHash<const QObject *, QString> typedKeys;

    QLabel *progress = nullptr;
    QLabel *prompt = nullptr;
    QWidget *lists = nullptr;
    QComboBox *noteName = nullptr;
    QComboBox *noteOctave = nullptr;
    QComboBox *scaleKey = nullptr;
    QComboBox *scaleType = nullptr;
    QComboBox *scaleJapanese = nullptr;
    QComboBox *chordRoot = nullptr;
    QComboBox *chordType = nullptr;
    QList<QWidget *> listLabels;
    QPushButton *choice1 = nullptr;
    QPushButton *choice2 = nullptr;
    QLabel *result = nullptr;
    QPushButton *buttonReplay = nullptr;
    QPushButton *buttonMark = nullptr;
    QPushButton *buttonBoth = nullptr;
    QPushButton *buttonNext = nullptr;
};

} // namespace miminomi
