// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/Practice.h"
#include "quiz/Answers.h"
#include "quiz/MidiChord.h"
#include "quiz/MusicScale.h"
#include "quiz/SharedRandom.h"
#include "quiz/SingleNote.h"
#include "records/Score.h"
#include "sound/MidiSound.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/RecordingMediaControl.h"
#include "tests/support/RecordingMidiSink.h"
#include "tests/support/VirtualClock.h"

#include <cstdint>
#include <vector>

namespace miminomi::testing {

/// The practice over the recording sink and player and the virtual clock, with the calendar
/// standing still, its objects made in the main window's order; every question that ends is kept.
struct PracticeRig {
    explicit PracticeRig(std::int64_t calendarSeconds = 1'000'000) : calendar(calendarSeconds) {
        practice.onQuestionEnded = [this](const MarkedQuestion &q) { ended.push_back(q); };
    }

    /// Asks a question on the page with the reference A off (unless given other settings) and
    /// returns the notes it sounded.
    std::vector<int> ask(PracticeSettings with = quiet()) {
        sink.clear();
        practice.next(with);
        return sink.notesPlayed();
    }
    static PracticeSettings quiet() { return notes(1); }
    static PracticeSettings notes(int count) {
        PracticeSettings settings;
        settings.referenceA = false;
        settings.noteCount = count;
        return settings;
    }

    const Race &race() const { return practice.race(); }

    VirtualClock clock;
    RecordingMidiSink sink{clock};
    RecordingMediaControl media{clock};
    FixedCalendarClock calendar;
    SharedRandom random{calendar};
    MidiSound midi{sink, media, clock, random};
    SingleNote singleNote{random};
    MusicScale musicScale{random};
    Answers answers;
    MidiChord midiChord{random};
    Score score;
    Practice practice{midi, clock, singleNote, musicScale, answers, midiChord, score};
    std::vector<MarkedQuestion> ended;
};

} // namespace miminomi::testing
