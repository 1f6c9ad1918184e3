// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/RuleChecker.h"

#include "music/Notation.h"
#include "music/Tonality.h"

#include <algorithm>
#include <cstdlib>

namespace miminomi::music {

namespace {

/// A note or rest with where it stands: its bar, its position in a full bar's ticks, and its
/// time from the start of the item.
struct Placed {
    const Note *note;
    int bar;
    std::int32_t position;
    std::int32_t time;
};

/// A note as the melody is heard: tied notes are one.
struct Heard {
    Pitch pitch;
    int bar;
    std::int32_t time;
    std::int32_t ticks;
};

std::int32_t lengthOf(const std::vector<Note> &voice) {
    std::int32_t ticks = 0;
    for (const Note &note : voice)
        ticks += note.value.ticks();
    return ticks;
}

class Checker {
public:
    Checker(const Score &score, const DictationLevel &level)
        : score(score), level(level), metre(score.metre) {}

    std::vector<RuleViolation> run() {
        if (score.bars.empty()) {
            fail("bar-length", -1, "no bars");
            return violations;
        }
        checkLevel();
        checkBarLengths();
        for (bool upper : {true, false})
            checkVoice(place(upper));
        checkRepetition();
        const std::vector<Heard> melody = heard(place(true));
        checkEnding(melody);
        if (level.rhythmOnly)
            checkOnePitch(melody);
        else if (!melody.empty())
            checkMelody(melody);
        return violations;
    }

private:
    const Score &score;
    const DictationLevel &level;
    const Metre metre;
    std::vector<RuleViolation> violations;

    void fail(const char *rule, int bar, std::string detail) {
        violations.push_back({rule, bar, std::move(detail)});
    }
    bool hasPickup() const { return score.bars.front().pickup; }

    void checkLevel() {
        if (std::abs(score.key.fifths) > level.maxAccidentals || (score.key.minor && !level.minor))
            fail("level", -1, "a key the level does not use");
        if (std::find(level.metres.begin(), level.metres.end(), metre) == level.metres.end())
            fail("level", -1, "a metre the level does not use");
        if (score.tempo < level.slowest || score.tempo > level.fastest)
            fail("level", -1, "a tempo outside the level's");
        if (static_cast<int>(score.bars.size()) - (hasPickup() ? 1 : 0) != level.bars)
            fail("level", -1, "not the level's number of bars");
        if (hasPickup() && !level.rhythm.pickup)
            fail("level", 0, "an upbeat the level does not use");
    }

    void checkBarLengths() {
        const std::int32_t full = metre.barTicks();
        const std::int32_t pickup = hasPickup() ? lengthOf(score.bars.front().upper) : 0;
        if (hasPickup() && (pickup <= 0 || pickup >= full))
            fail("bar-length", 0, "an upbeat as long as a bar, or empty");
        for (std::size_t b = 0; b < score.bars.size(); ++b) {
            const Bar &bar = score.bars[b];
            const int index = static_cast<int>(b);
            if (b > 0 && bar.pickup)
                fail("bar-length", index, "an upbeat after the first bar");
            std::int32_t expected = full;
            if (b == 0 && bar.pickup)
                expected = pickup;
            else if (b + 1 == score.bars.size() && hasPickup() && b > 0)
                expected = full - pickup;
            if (lengthOf(bar.upper) != expected)
                fail("bar-length", index, "the notes do not fill the bar");
            if (!bar.lower.empty() && lengthOf(bar.lower) != expected)
                fail("bar-length", index, "the second voice does not fill the bar");
        }
    }

    std::vector<Placed> place(bool upper) const {
        std::vector<Placed> placed;
        std::int32_t time = 0;
        for (std::size_t b = 0; b < score.bars.size(); ++b) {
            const Bar &bar = score.bars[b];
            const std::vector<Note> &voice = upper ? bar.upper : bar.lower;
            std::int32_t position = b == 0 && bar.pickup ? metre.barTicks() - lengthOf(voice) : 0;
            for (const Note &note : voice) {
                placed.push_back({&note, static_cast<int>(b), position, time});
                position += note.value.ticks();
                time += note.value.ticks();
            }
            if (voice.empty())
                time += lengthOf(bar.upper);
        }
        return placed;
    }

    void checkVoice(const std::vector<Placed> &voice) {
        const bool syncopation = level.rhythm.syncopation;
        for (std::size_t k = 0; k < voice.size(); ++k) {
            const Placed &here = voice[k];
            const Note &note = *here.note;
            const std::int32_t ticks = note.value.ticks();
            if (!level.allows(note.value) ||
                (note.isRest() &&
                 (ticks >= ticksPerQuarter ? !level.rhythm.rests : !level.rhythm.eighthRests)))
                fail("level", here.bar, "a value the level does not write");
            if (!writable(metre, here.position, ticks, note.isRest(), syncopation))
                fail("notation", here.bar, "a value that hides a beat");
            if (!note.tieToNext)
                continue;
            if (k + 1 == voice.size() || voice[k + 1].note->pitch != note.pitch || note.isRest()) {
                fail("ties", here.bar, "a tie to no note of the same pitch");
                continue;
            }
            const Placed &next = voice[k + 1];
            if (next.bar != here.bar) {
                if (!level.rhythm.tiesOverBar)
                    fail("level", here.bar, "a tie over the bar line the level does not use");
            } else {
                if (!syncopation)
                    fail("level", here.bar, "a tie inside the bar the level does not use");
                if (writable(metre, here.position, ticks + next.note->value.ticks(), false,
                             syncopation))
                    fail("ties", here.bar, "a tie where one value would do");
            }
        }
        // Beams, bar by bar.
        for (std::size_t first = 0; first < voice.size();) {
            std::size_t end = first;
            std::vector<Note> notes;
            while (end < voice.size() && voice[end].bar == voice[first].bar)
                notes.push_back(*voice[end++].note);
            checkBeams(notes, voice[first].position, voice[first].bar);
            first = end;
        }
    }

    void checkBeams(const std::vector<Note> &notes, std::int32_t start, int bar) {
        std::vector<std::int32_t> positions;
        for (const Note &note : notes) {
            positions.push_back(start);
            start += note.value.ticks();
        }
        const std::int32_t beat = metre.beatTicks();
        std::vector<int> groupOf(notes.size(), -1);
        const auto groups = beamGroups(metre, notes, positions.empty() ? 0 : positions.front());
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const auto [first, last] = groups[g];
            if (first >= last || last >= notes.size() || notes[first].isRest() ||
                notes[last].isRest()) {
                fail("beams", bar, "a beam that ends on a rest or joins nothing");
                continue;
            }
            const std::int32_t from = positions[first],
                               to = positions[last] + notes[last].value.ticks();
            bool fourEighths = metre == Metre{4, 4} && last - first == 3 && from % 96 == 0;
            for (std::size_t k = first; k <= last; ++k) {
                groupOf[k] = static_cast<int>(g);
                if (notes[k].value.type < NoteType::eighth)
                    fail("beams", bar, "a beam over a quarter or longer");
                fourEighths = fourEighths && notes[k].value == NoteValue{NoteType::eighth, 0} &&
                              !notes[k].isRest();
            }
            if ((to - 1) / beat != from / beat && !fourEighths)
                fail("beams", bar, "a beam across a beat");
        }
        for (std::size_t k = 0; k + 1 < notes.size(); ++k) {
            const bool short1 = notes[k].value.type >= NoteType::eighth && !notes[k].isRest(),
                       short2 =
                           notes[k + 1].value.type >= NoteType::eighth && !notes[k + 1].isRest();
            if (short1 && short2 && positions[k] / beat == positions[k + 1] / beat &&
                (groupOf[k] < 0 || groupOf[k] != groupOf[k + 1]))
                fail("beams", bar, "eighths of one beat left unbeamed");
        }
    }

    void checkRepetition() {
        for (std::size_t b = hasPickup() ? 1 : 0; b < score.bars.size(); ++b)
            if (std::count(score.bars.begin(), score.bars.begin() + static_cast<std::ptrdiff_t>(b),
                           score.bars[b]) == 2)
                fail("repetition", static_cast<int>(b), "a bar heard for the third time");
    }

    static std::vector<Heard> heard(const std::vector<Placed> &voice) {
        std::vector<Heard> notes;
        bool continued = false;
        for (const Placed &placed : voice) {
            const Note &note = *placed.note;
            if (note.isRest()) {
                continued = false;
                continue;
            }
            if (continued)
                notes.back().ticks += note.value.ticks();
            else
                notes.push_back({*note.pitch, placed.bar, placed.time, note.value.ticks()});
            continued = note.tieToNext;
        }
        return notes;
    }

    void checkEnding(const std::vector<Heard> &melody) {
        const int last = static_cast<int>(score.bars.size()) - 1;
        if (melody.empty() || melody.back().bar != last) {
            fail("ending", last, "no note in the last bar");
            return;
        }
        const Heard &final = melody.back();
        std::int32_t barStart = 0;
        for (int b = 0; b < last; ++b)
            barStart += lengthOf(score.bars[static_cast<std::size_t>(b)].upper);
        const std::int32_t at = final.time - barStart;
        const bool strong = at == 0 || (metre == Metre{4, 4} && at == 2 * ticksPerQuarter);
        if (!strong || final.ticks < metre.beatTicks())
            fail("ending", last, "the last note is not a long note on a strong beat");
    }

    void checkOnePitch(const std::vector<Heard> &melody) {
        for (const Heard &note : melody)
            if (note.pitch != melody.front().pitch)
                fail("one-pitch", note.bar, "a second pitch in a rhythm item");
    }

    void checkMelody(const std::vector<Heard> &melody) {
        const Key &key = score.key;
        int lowest = 99, highest = -99;
        for (const Heard &note : melody) {
            const int step = note.pitch.staffStep();
            lowest = std::min(lowest, step), highest = std::max(highest, step);
            if (step < -2 || step > 12)
                fail("range", note.bar, "a note beyond A3 to A5");
            const ScaleDegree degree = scaleDegree(key, note.pitch);
            const bool inScale =
                degree.raise == 0 ||
                (key.minor && degree.raise == 1 &&
                 (degree.degree == 6 || (degree.degree == 5 && level.raisedSixth)));
            if (!inScale)
                fail("scale", note.bar, "a note outside the key");
        }
        if (highest - lowest > level.range)
            fail("range", -1, "a range wider than the level's");

        const ScaleDegree first = scaleDegree(key, melody.front().pitch);
        if (first.raise != 0 || first.degree % 2 != 0 || first.degree > 4)
            fail("start", melody.front().bar, "the first note is not in the tonic chord");

        checkCadence(melody);

        int leapsInARow = 0;
        for (std::size_t k = 0; k + 1 < melody.size(); ++k) {
            const Heard &from = melody[k], &to = melody[k + 1];
            const Interval interval = intervalBetween(from.pitch, to.pitch);
            const int size = interval.size();
            if (size > level.largestLeap || size == 6 || size > 7)
                fail("leaps", to.bar, "a leap wider than the level allows");
            leapsInARow = size >= 2 ? leapsInARow + 1 : 0;
            if (leapsInARow > 3)
                fail("leap-run", to.bar, "four leaps in a row");
            if (size >= 4 && k + 2 < melody.size()) {
                const Interval after = intervalBetween(to.pitch, melody[k + 2].pitch);
                if (after.size() != 1 || (after.steps > 0) == (interval.steps > 0))
                    fail("leap-recovery", melody[k + 2].bar, "a wide leap not turned by a step");
            }
            const ScaleDegree a = scaleDegree(key, from.pitch), b = scaleDegree(key, to.pitch);
            if (interval.altered) {
                const bool resolves = k + 2 < melody.size() &&
                                      intervalBetween(to.pitch, melody[k + 2].pitch).steps == 1 &&
                                      scaleDegree(key, melody[k + 2].pitch).degree == 0;
                const bool allowed = level.diminishedFourth && key.minor && a.degree == 2 &&
                                     a.raise == 0 && b.degree == 6 && b.raise == 1 &&
                                     interval.steps == -3 && resolves;
                if (!allowed)
                    fail("interval", to.bar, "an augmented or diminished interval");
            }
            if (!key.minor)
                continue;
            const bool repeat = from.pitch == to.pitch;
            if (a.degree == 6 && b.degree == 0 && interval.steps == 1 && a.raise != 1)
                fail("minor", to.bar, "the 7th rises to the tonic unraised");
            if (a.degree == 5 && a.raise == 1 &&
                !(b.degree == 6 && b.raise == 1 && interval.steps == 1))
                fail("minor", to.bar, "the raised 6th does not rise to the raised 7th");
            if (a.degree == 6 && a.raise == 1 && interval.steps == -1)
                fail("minor", to.bar, "the raised 7th falls by step");
            if (a.degree == 6 && a.raise == 0 && !repeat &&
                !(b.degree == 5 && b.raise == 0 && interval.steps == -1))
                fail("minor", to.bar, "the natural 7th does not fall to the natural 6th");
        }
    }

    void checkCadence(const std::vector<Heard> &melody) {
        const Heard &final = melody.back();
        const ScaleDegree last = scaleDegree(score.key, final.pitch);
        if (last.degree != 0 || last.raise != 0 || melody.size() < 2) {
            fail("cadence", final.bar, "the melody does not end on the tonic");
            return;
        }
        const Heard &before = melody[melody.size() - 2];
        const ScaleDegree approach = scaleDegree(score.key, before.pitch);
        if (intervalBetween(before.pitch, final.pitch).size() != 1 ||
            (approach.degree != 1 && approach.degree != 6))
            fail("cadence", final.bar, "the tonic is not reached by step from the 2nd or 7th");
        const std::int32_t beat = final.time - metre.beatTicks();
        const auto sounding = std::find_if(melody.begin(), melody.end(), [&](const Heard &note) {
            return note.time <= beat && beat < note.time + note.ticks;
        });
        bool dominant = false;
        if (sounding != melody.end()) {
            const ScaleDegree degree = scaleDegree(score.key, sounding->pitch);
            const bool raised = degree.raise == (degree.degree == 6 && score.key.minor ? 1 : 0);
            dominant = raised && (degree.degree == 4 || degree.degree == 6 || degree.degree == 1 ||
                                  degree.degree == 3);
        }
        if (!dominant)
            fail("cadence", before.bar, "the last beat before the tonic is not dominant harmony");
    }
};

} // namespace

std::vector<RuleViolation> checkRules(const Score &score, const DictationLevel &level) {
    return Checker(score, level).run();
}

} // namespace miminomi::music
