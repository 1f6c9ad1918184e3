// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/StoredExam.h"
#include "music/DictationGenerator.h"
#include "music/Score.h"
#include "practice/ExamEntry.h"
#include "practice/ExamMarking.h"
#include "practice/ExamSchedule.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;

namespace miminomi {

class ExamStaff;
class History;
class MidiInput;
class PianoKeys;
class SoundSchedule;
class SteadyClock;

/// "聴音（試験形式）": a dictation item of a chosen level played on the exam's schedule (or on
/// demand) while the learner writes it on the staff with the keys, the small piano keyboard or a
/// MIDI keyboard; marked bar by bar out of 100, kept in the history, and heard again against
/// what was written. It plays through the shared sound schedule without holding any window.
class ExamWindow : public QDialog {
    Q_OBJECT
public:
    /// What the window plays through, keeps to and reads from.
    struct Services {
        SoundSchedule &sounds;
        const SteadyClock &clock;
        std::shared_ptr<History> history;
        /// The MIDI keyboard; null where there is none to offer.
        MidiInput *midiInput = nullptr;
        /// Whether "苦手な問題を多めに出す" is on.
        std::function<bool()> leaningOn;
        /// A seed for each new item.
        std::function<std::uint32_t()> newSeed;
    };

    explicit ExamWindow(Services services, QWidget *parent = nullptr);
    ~ExamWindow() override;

    /// Shows item `seed` of `level` (in the chosen mode and key), ready to start.
    void openItem(int level, std::uint32_t seed, const music::DictationLeaning &leaning = {},
                  std::optional<music::Key> key = std::nullopt);
    /// Starts the schedule of the item on show.
    void start();
    /// "答え合わせ": marks what is written, shows it and keeps it in the history.
    void check();
    /// Sounds the steps of the schedule that have become due and arms the timer for the next;
    /// the window's timer calls it, and so does a test on the virtual clock at nextDueMs().
    void drive();
    /// When drive() is next due on the clock; nothing while nothing is under way.
    std::optional<std::int64_t> nextDueMs() const;

    /// Told when an item has been marked and kept in the history.
    std::function<void()> onMarked;

    const ExamEntry &entry() const { return *writing; }
    const std::optional<ExamMarking> &marking() const { return marked; }
    const music::Score &item() const { return shown; }

    /// Turns a key pressed on the staff into an entry command; false when it means nothing.
    bool takeKey(QKeyEvent *event);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void keepChoices();
    void nextItem();
    void replayPast();
    void fillPast();
    void newEntry();
    void showEntry();
    void showStatus();
    void arm();
    void silence();
    void playPart(ExamPassage passage);
    void compare();
    /// Sounds the note that `before` (the bars before an edit) did not have as now written,
    /// briefly and on a channel of its own, as a notation editor does.
    void echo(const std::vector<std::vector<music::Note>> &before);
    /// Playings heard of the item on show: the exam's playings reached, or on demand all that
    /// were asked for since it was shown.
    int playingsHeard() const;
    bool rhythmMode() const;
    bool examMode() const;
    ExamTiming timing() const;
    StoredExam stored(const ExamMarking &marking) const;
    void openMidiPort(int index);

    Services services;
    ExamStaff *staff = nullptr;
    PianoKeys *keyboard = nullptr;
    QComboBox *modeBox = nullptr;
    QComboBox *levelBox = nullptr;
    QComboBox *keyBox = nullptr;
    QSpinBox *tempoBox = nullptr;
    QComboBox *scheduleBox = nullptr;
    QSpinBox *pauseBox = nullptr;
    QSpinBox *finalBox = nullptr;
    QComboBox *midiBox = nullptr;
    QComboBox *pastBox = nullptr;
    QPushButton *startButton = nullptr;
    QPushButton *stopButton = nullptr;
    QPushButton *skipButton = nullptr;
    QPushButton *wholeButton = nullptr;
    QPushButton *firstHalfButton = nullptr;
    QPushButton *secondHalfButton = nullptr;
    QPushButton *barButton = nullptr;
    QSpinBox *barBox = nullptr;
    QPushButton *checkButton = nullptr;
    QPushButton *compareButton = nullptr;
    QPushButton *nextButton = nullptr;
    QPushButton *againButton = nullptr;
    QLabel *status = nullptr;
    QLabel *legend = nullptr;
    QLabel *valueLabel = nullptr;
    QLabel *result = nullptr;
    QTimer *driveTimer = nullptr;
    QTimer *ticker = nullptr;

    int level = 1;
    std::uint32_t seed = 1;
    music::DictationLeaning leaning;
    std::optional<music::Key> fixedKey;
    music::Score shown;
    std::unique_ptr<ExamEntry> writing;
    std::unique_ptr<ExamDriver> driver;
    /// Whether the driver plays on demand (練習形式), and the playings of the drivers on demand
    /// it replaced for the same answer.
    bool drivenOnDemand = false;
    int earlierPlayings = 0;
    std::optional<ExamMarking> marked;
    std::vector<PastExam> past;
};

} // namespace miminomi
