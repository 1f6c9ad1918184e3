// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/ExamEntry.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace miminomi {

namespace {

using music::Note;
using music::NoteType;
using music::Pitch;
using music::Step;

constexpr std::array<int, 7> naturalClass = {0, 2, 4, 5, 7, 9, 11};

/// The octave in which `step` lies nearest to `from` on the staff: at most a fourth away.
Pitch nearest(const Pitch &from, Step step, std::int8_t alter) {
    const int target = static_cast<int>(step);
    const int up = (target - static_cast<int>(from.step) + 7) % 7;
    const int staffStep = from.staffStep() + (up <= 3 ? up : up - 7);
    return {step, alter, static_cast<std::int8_t>((staffStep + 28 - target) / 7)};
}

std::optional<NoteType> typeOfDigit(char32_t key) {
    switch (key) {
    case U'3':
        return NoteType::sixteenth;
    case U'4':
        return NoteType::eighth;
    case U'5':
        return NoteType::quarter;
    case U'6':
        return NoteType::half;
    case U'7':
        return NoteType::whole;
    default:
        return std::nullopt;
    }
}

std::int32_t ticksOf(const std::vector<Note> &notes) {
    std::int32_t ticks = 0;
    for (const Note &note : notes)
        ticks += note.value.ticks();
    return ticks;
}

} // namespace

ExamFrame ExamFrame::of(const music::Score &item, bool rhythmOnly, bool giveFirst) {
    ExamFrame frame;
    frame.key = item.key;
    frame.metre = item.metre;
    frame.tempo = item.tempo;
    frame.clef = item.clef;
    frame.rhythmOnly = rhythmOnly;
    for (const music::Bar &bar : item.bars) {
        frame.barTicks.push_back(ticksOf(bar.upper));
        for (const Note &note : bar.upper)
            if (note.pitch && frame.rhythmPitch == Pitch{Step::B, 0, 4})
                frame.rhythmPitch = *note.pitch;
    }
    frame.pickup = !item.bars.empty() && item.bars.front().pickup;
    if (giveFirst && !item.bars.empty() && !item.bars.front().upper.empty())
        frame.given = item.bars.front().upper.front();
    return frame;
}

ExamEntry::ExamEntry(ExamFrame frame) : shape(std::move(frame)) {
    written.resize(shape.barTicks.size());
    if (shape.given && !written.empty())
        written.front().push_back(*shape.given);
    at = writingPlace();
}

Pitch ExamEntry::spell(const music::Key &key, std::int32_t note, int direction) {
    const int pitchClass = ((note % 12) + 12) % 12;
    const bool sharps = key.fifths > 0 || (key.fifths == 0 && direction >= 0);
    const int tonic = static_cast<int>(key.tonic().first);
    Pitch best;
    int bestCost = 1 << 20;
    for (int s = 0; s < 7; ++s) {
        int alter = (pitchClass - naturalClass[static_cast<std::size_t>(s)] + 18) % 12 - 6;
        if (std::abs(alter) > 2)
            continue;
        const auto step = static_cast<Step>(s);
        const int fromSignature = alter - key.signatureAlter(step);
        // Away from the signature costs most, then a raised or lowered letter where a plain one
        // would do, then the sign the key does not suggest; a minor key's raised 6th and 7th
        // are as good as its own notes.
        int cost = 10 * std::abs(fromSignature) + 3 * std::abs(alter);
        if (fromSignature != 0 && (fromSignature > 0) != sharps)
            cost += 1;
        const int degree = (s - tonic + 7) % 7;
        if (key.minor && fromSignature == 1 && (degree == 5 || degree == 6))
            cost -= 5;
        if (cost < bestCost) {
            bestCost = cost;
            const int octave = (note - naturalClass[static_cast<std::size_t>(s)] - alter) / 12 - 1;
            best = {step, static_cast<std::int8_t>(alter), static_cast<std::int8_t>(octave)};
        }
    }
    return best;
}

std::int32_t ExamEntry::remaining(int bar) const {
    const auto b = static_cast<std::size_t>(bar);
    return shape.barTicks[b] - ticksOf(written[b]);
}

bool ExamEntry::empty() const {
    for (std::size_t b = 0; b < written.size(); ++b)
        if (written[b].size() > (b == 0 && shape.given ? 1u : 0u))
            return false;
    return true;
}

bool ExamEntry::correcting() const {
    return !written.empty() &&
           at.index < static_cast<int>(written[static_cast<std::size_t>(at.bar)].size());
}

music::Score ExamEntry::score() const {
    music::Score score;
    score.key = shape.key;
    score.metre = shape.metre;
    score.tempo = shape.tempo;
    score.clef = shape.clef;
    for (std::size_t b = 0; b < written.size(); ++b)
        score.bars.push_back({written[b], {}, b == 0 && shape.pickup});
    return score;
}

ExamEntry::Place ExamEntry::writingPlace() const {
    int last = -1;
    for (int b = 0; b < static_cast<int>(written.size()); ++b)
        if (!written[static_cast<std::size_t>(b)].empty())
            last = b;
    if (last < 0)
        return {0, 0};
    if (remaining(last) <= 0 && last + 1 < static_cast<int>(written.size()))
        return {last + 1, 0};
    return {last, static_cast<int>(written[static_cast<std::size_t>(last)].size())};
}

std::vector<ExamEntry::Place> ExamEntry::places() const {
    std::vector<Place> list;
    const Place end = writingPlace();
    for (int b = 0; b <= end.bar && b < static_cast<int>(written.size()); ++b) {
        const int count = static_cast<int>(written[static_cast<std::size_t>(b)].size());
        for (int i = 0; i < count; ++i)
            if (!locked({b, i}))
                list.push_back({b, i});
        if (remaining(b) > 0 || Place{b, count} == end)
            list.push_back({b, count});
    }
    return list;
}

bool ExamEntry::locked(Place place) const {
    return shape.given && place.bar == 0 && place.index == 0;
}

Note *ExamEntry::noteAt(Place place) {
    if (place.bar < 0 || place.bar >= static_cast<int>(written.size()))
        return nullptr;
    auto &bar = written[static_cast<std::size_t>(place.bar)];
    if (place.index < 0 || place.index >= static_cast<int>(bar.size()) || locked(place))
        return nullptr;
    return &bar[static_cast<std::size_t>(place.index)];
}

Note *ExamEntry::lastNote() {
    if (correcting())
        return noteAt(at);
    return touched ? noteAt(*touched) : nullptr;
}

std::optional<Pitch> ExamEntry::pitchBefore(Place place) const {
    for (int b = place.bar; b >= 0; --b) {
        const auto &bar = written[static_cast<std::size_t>(b)];
        const int from = b == place.bar ? place.index - 1 : static_cast<int>(bar.size()) - 1;
        for (int i = from; i >= 0; --i)
            if (bar[static_cast<std::size_t>(i)].pitch)
                return bar[static_cast<std::size_t>(i)].pitch;
    }
    return std::nullopt;
}

void ExamEntry::touchLast() {
    // The keys that change the last note act on the one written last.
    touched.reset();
    for (const Place &p : places())
        if (noteAt(p))
            touched = p;
}

void ExamEntry::follow() {
    if (following) {
        at = writingPlace();
        return;
    }
    const auto list = places();
    if (std::find(list.begin(), list.end(), at) == list.end() || at == writingPlace()) {
        following = true;
        at = writingPlace();
    }
}

void ExamEntry::write(const Note &note) {
    if (written.empty())
        return;
    if (correcting()) {
        Note &there = *noteAt(at);
        there.pitch = note.pitch;
        if (!note.pitch)
            there.tieToNext = false;
        touched = at;
        return;
    }
    auto &bar = written[static_cast<std::size_t>(at.bar)];
    bar.push_back(note);
    touched = Place{at.bar, static_cast<int>(bar.size()) - 1};
    if (!following) {
        // Filling a bar left short: go on after the note put in.
        const auto list = places();
        const auto it = std::find(list.begin(), list.end(), *touched);
        if (it != list.end() && it + 1 != list.end())
            at = *(it + 1);
    }
    follow();
}

bool ExamEntry::type(char32_t key) {
    if (written.empty())
        return false;
    if (const auto type = typeOfDigit(key)) {
        next = {*type, 0};
        if (correcting())
            noteAt(at)->value = next;
        return true;
    }
    if (key == U'.') {
        if (correcting()) {
            Note &note = *noteAt(at);
            note.value.dots = note.value.dots ? 0 : 1;
        } else {
            next.dots = next.dots ? 0 : 1;
        }
        return true;
    }
    if (key == U'0') {
        write({std::nullopt, next, false});
        return true;
    }
    if (key == U'+') {
        Note *last = lastNote();
        if (!last || !last->pitch)
            return false;
        if (correcting()) {
            last->tieToNext = !last->tieToNext;
            return true;
        }
        last->tieToNext = true;
        write({last->pitch, next, false});
        return true;
    }
    if (key == U'#' || key == U'-') {
        Note *last = lastNote();
        if (shape.rhythmOnly || !last || !last->pitch)
            return false;
        const int alter = std::clamp(last->pitch->alter + (key == U'#' ? 1 : -1), -2, 2);
        last->pitch->alter = static_cast<std::int8_t>(alter);
        return true;
    }
    const char32_t upper = key >= U'a' && key <= U'z' ? key - U'a' + U'A' : key;
    if (upper < U'A' || upper > U'G')
        return false;
    if (shape.rhythmOnly) {
        write({shape.rhythmPitch, next, false});
        return true;
    }
    // C D E F G A B are steps 0-6; the letters run A B C ... so A and B come after G.
    const auto step = static_cast<Step>((upper - U'A' + 5) % 7);
    const Pitch reference = pitchBefore(at).value_or(
        shape.clef == music::Clef::treble ? Pitch{Step::B, 0, 4} : Pitch{Step::D, 0, 3});
    write({nearest(reference, step, shape.key.signatureAlter(step)), next, false});
    return true;
}

bool ExamEntry::play(std::int32_t note) {
    if (written.empty() || note < 0 || note > 127)
        return false;
    write({shape.rhythmOnly ? shape.rhythmPitch : spell(shape.key, note), next, false});
    return true;
}

bool ExamEntry::moveTo(Place place) {
    const auto list = places();
    if (std::find(list.begin(), list.end(), place) == list.end())
        return false;
    at = place;
    following = at == writingPlace();
    if (correcting())
        touched = at;
    else if (following)
        touchLast();
    return true;
}

bool ExamEntry::press(Key key) {
    if (written.empty())
        return false;
    switch (key) {
    case Key::left:
    case Key::right: {
        const auto list = places();
        const auto it = std::find(list.begin(), list.end(), at);
        const auto index = it == list.end() ? list.size() : std::size_t(it - list.begin());
        const bool left = key == Key::left;
        if (left ? index == 0 : index + 1 >= list.size())
            return false;
        return moveTo(list[left ? index - 1 : index + 1]);
    }
    case Key::semitoneUp:
    case Key::semitoneDown:
    case Key::octaveUp:
    case Key::octaveDown: {
        Note *last = lastNote();
        if (shape.rhythmOnly || !last || !last->pitch)
            return false;
        if (key == Key::octaveUp || key == Key::octaveDown) {
            last->pitch->octave =
                static_cast<std::int8_t>(last->pitch->octave + (key == Key::octaveUp ? 1 : -1));
            return true;
        }
        const int direction = key == Key::semitoneUp ? 1 : -1;
        last->pitch = spell(shape.key, last->pitch->midi() + direction, direction);
        return true;
    }
    case Key::back: {
        Place gone = at;
        if (!correcting()) {
            // The last note written before the place of writing.
            const auto list = places();
            const auto it = std::find(list.begin(), list.end(), at);
            std::optional<Place> before;
            for (auto p = list.begin(); p != it && p != list.end(); ++p)
                if (noteAt(*p))
                    before = *p;
            if (!before)
                return false;
            gone = *before;
        }
        auto &bar = written[static_cast<std::size_t>(gone.bar)];
        bar.erase(bar.begin() + gone.index);
        touched.reset();
        follow();
        if (following)
            touchLast();
        return true;
    }
    }
    return false;
}

} // namespace miminomi
