// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/StaffLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>

namespace miminomi {

namespace {

using music::NoteType;

// Sizes in staff spaces, as engravers set them.
constexpr double stemWidth = 0.12;
constexpr double ledgerWidth = 0.16;
constexpr double ledgerOverhang = 0.35;
constexpr double thinBarline = 0.16;
constexpr double thickBarline = 0.5;
constexpr double finalBarlineGap = 0.45;
constexpr double stemLength = 3.5;
/// How far above (up) or below (down) its centre a stem leaves the notehead's side.
constexpr double stemAttach = 0.17;
constexpr double beamThickness = 0.5;
constexpr double beamDistance = 0.75;
constexpr double accidentalGap = 0.2;
constexpr double accidentalSlot = 1.05;
constexpr double dotGap = 0.45;
constexpr double dotStep = 0.5;
constexpr double barPadding = 1.0;
constexpr double margin = 0.6;
constexpr double blockWidth = 1.15;

/// The staff positions of the signature's sharps and flats in the treble clef, in the order they
/// enter; the bass clef sets the same shapes a line (two positions) lower.
constexpr std::array<int, 7> trebleSharps = {8, 5, 9, 6, 3, 7, 4};
constexpr std::array<int, 7> trebleFlats = {4, 7, 3, 6, 2, 5, 1};

int flagsOf(NoteType type) {
    return type == NoteType::eighth ? 1 : type == NoteType::sixteenth ? 2 : 0;
}

StaffSymbol headOf(NoteType type) {
    return type == NoteType::whole  ? StaffSymbol::wholeHead
           : type == NoteType::half ? StaffSymbol::halfHead
                                    : StaffSymbol::blackHead;
}

double headWidth(NoteType type) {
    return symbolBox(headOf(type)).width;
}

int positionOf(const music::Pitch &pitch, music::Clef clef) {
    // E4 sits on the treble staff's bottom line, G2 on the bass staff's.
    return pitch.staffStep() - (clef == music::Clef::treble ? 2 : -10);
}

StaffSymbol accidentalOf(int alter) {
    switch (alter) {
    case -2:
        return StaffSymbol::doubleFlat;
    case -1:
        return StaffSymbol::flat;
    case 1:
        return StaffSymbol::sharp;
    case 2:
        return StaffSymbol::doubleSharp;
    default:
        return StaffSymbol::natural;
    }
}

StaffSymbol restOf(NoteType type) {
    return type == NoteType::eighth      ? StaffSymbol::eighthRest
           : type == NoteType::sixteenth ? StaffSymbol::sixteenthRest
                                         : StaffSymbol::quarterRest;
}

/// The room after a note that lasts `ticks` until the next one, in staff spaces: it grows by a
/// fixed step each time the duration doubles, from a sixteenth's 1.7 spaces.
double durationSpace(std::int32_t ticks) {
    return 1.7 + 1.15 * std::log2(std::max<double>(ticks, 6) / (music::ticksPerQuarter / 4.0));
}

/// One note or rest of a voice in a bar, as the layout decides it before anything is placed.
struct Planned {
    NoteRef ref;
    const music::Note *note = nullptr;
    std::int32_t onset = 0;
    int position = 4;
    bool stemUp = true;
    bool wholeBarRest = false;
    int beamGroup = -1;
    std::optional<int> accidental;
    std::optional<int> shownPosition;
    std::optional<int> shownAccidental;
    NoteType shownType = NoteType::quarter;
    std::size_t column = 0;
    double headShift = 0;
    double shownShift = 0;
    int accidentalSlot = 0;
    int shownSlot = 0;
};

struct VoiceBar {
    std::vector<Planned> notes;
    std::vector<std::pair<std::size_t, std::size_t>> groups;
};

struct StaffBar {
    std::array<VoiceBar, 2> voices;
};

struct Column {
    std::int32_t onset = 0;
    std::int32_t span = 0;
    double left = 0;
    double right = 0;
    double offset = 0;
};

struct BarSpacing {
    std::vector<Column> columns;
    double width = 0;
};

std::vector<std::pair<std::size_t, std::size_t>>
groupsOf(const music::Metre &metre, const std::vector<music::Note> &voice, bool pickup) {
    std::int32_t length = 0;
    for (const auto &note : voice)
        length += note.value.ticks();
    // An upbeat's notes stand at the end of a full bar, where their beats fall.
    return music::beamGroups(metre, voice, pickup ? metre.barTicks() - length : 0);
}

/// Decides accidentals, stems, beams and rests of one staff's bars.
class Planner {
public:
    Planner(const music::Score &score, int staff, std::span<const NoteMark> marks)
        : score(score), staff(staff), marks(marks) {}

    std::vector<StaffBar> plan() {
        std::vector<StaffBar> bars(score.bars.size());
        for (std::size_t b = 0; b < score.bars.size(); ++b) {
            const music::Bar &bar = score.bars[b];
            const bool twoVoices = !bar.lower.empty();
            for (int v = 0; v < 2; ++v) {
                const auto &voice = v == 0 ? bar.upper : bar.lower;
                VoiceBar &planned = bars[b].voices[static_cast<std::size_t>(v)];
                std::int32_t onset = 0;
                for (std::size_t i = 0; i < voice.size(); ++i) {
                    Planned p;
                    p.ref = {staff, static_cast<int>(b), v, static_cast<int>(i)};
                    p.note = &voice[i];
                    p.onset = onset;
                    onset += voice[i].value.ticks();
                    planned.notes.push_back(p);
                }
                planned.groups = groupsOf(score.metre, voice, bar.pickup);
                placeVoice(planned, v, twoVoices);
            }
            writeAccidentals(bars[b], b);
        }
        return bars;
    }

private:
    void placeVoice(VoiceBar &voice, int v, bool twoVoices) {
        // A rest moves up in the upper voice and down in the lower, out of the other's way.
        const int restShift = twoVoices ? (v == 0 ? 4 : -4) : 0;
        for (Planned &p : voice.notes) {
            const music::Note &note = *p.note;
            if (note.isRest()) {
                p.wholeBarRest = voice.notes.size() == 1;
                const bool whole = p.wholeBarRest || note.value.type == NoteType::whole;
                // A whole rest hangs from the fourth line, a half rest sits on the third.
                p.position = whole ? (twoVoices ? (v == 0 ? 8 : 2) : 6) : 4 + restShift;
            } else {
                p.position = positionOf(*note.pitch, score.clef);
                // On the middle line or above, the stem points down.
                p.stemUp = twoVoices ? v == 0 : p.position < 4;
            }
        }
        for (std::size_t g = 0; g < voice.groups.size(); ++g) {
            const auto [first, last] = voice.groups[g];
            // The note farthest from the middle line turns the whole group's stems.
            int farthest = 0;
            for (std::size_t i = first; i <= last; ++i) {
                const Planned &p = voice.notes[i];
                if (!p.note->isRest() && std::abs(p.position - 4) > std::abs(farthest))
                    farthest = p.position - 4;
            }
            for (std::size_t i = first; i <= last; ++i) {
                voice.notes[i].beamGroup = static_cast<int>(g);
                voice.notes[i].stemUp = twoVoices ? v == 0 : farthest < 0;
            }
        }
    }

    /// Accidentals by the rules of a bar: one lasts to the end of its bar on its own line or
    /// space; a note that the signature, or a tie over the bar line, already gives its
    /// alteration has none; and a courtesy accidental restates the signature after the same
    /// step was altered in the previous bar or in another octave of this one.
    void writeAccidentals(StaffBar &bar, std::size_t b) {
        std::vector<Planned *> inTime;
        for (auto &voice : bar.voices)
            for (Planned &p : voice.notes)
                inTime.push_back(&p);
        std::stable_sort(inTime.begin(), inTime.end(),
                         [](const Planned *a, const Planned *b) { return a->onset < b->onset; });
        std::map<std::pair<int, int>, int> altered;
        for (Planned *p : inTime) {
            const NoteMark *mark = markOf(p->ref);
            if (p->note->pitch) {
                const music::Pitch pitch = *p->note->pitch;
                const std::pair<int, int> line{static_cast<int>(pitch.step), pitch.octave};
                const bool tiedOver = p->ref.index == 0 && tiedFromPreviousBar(b, p->ref.voice);
                const bool tiedWithin = p->ref.index > 0 && previousInVoice(*p)->tieToNext;
                if (!tiedOver && !tiedWithin) {
                    const auto inForce = altered.find(line);
                    const int expected = inForce != altered.end()
                                             ? inForce->second
                                             : score.key.signatureAlter(pitch.step);
                    if (pitch.alter != expected ||
                        (inForce == altered.end() && courtesyDue(altered, b, pitch)))
                        p->accidental = pitch.alter;
                    altered[line] = pitch.alter;
                }
            }
            if (mark && mark->shown && (!p->note->pitch || *mark->shown != *p->note->pitch)) {
                const music::Pitch shown = *mark->shown;
                p->shownPosition = positionOf(shown, score.clef);
                p->shownType = p->note->value.type;
                const auto inForce = altered.find({static_cast<int>(shown.step), shown.octave});
                const int expected = inForce != altered.end()
                                         ? inForce->second
                                         : score.key.signatureAlter(shown.step);
                if (shown.alter != expected || p->accidental)
                    p->shownAccidental = shown.alter;
            }
        }
    }

    bool courtesyDue(const std::map<std::pair<int, int>, int> &altered, std::size_t b,
                     const music::Pitch &pitch) const {
        const int step = static_cast<int>(pitch.step);
        for (const auto &[line, alter] : altered)
            if (line.first == step && alter != pitch.alter)
                return true;
        if (b == 0)
            return false;
        for (const auto &voice : {score.bars[b - 1].upper, score.bars[b - 1].lower})
            for (const auto &note : voice)
                if (note.pitch && static_cast<int>(note.pitch->step) == step &&
                    note.pitch->alter != pitch.alter &&
                    note.pitch->alter != score.key.signatureAlter(note.pitch->step))
                    return true;
        return false;
    }

    bool tiedFromPreviousBar(std::size_t b, int voice) const {
        if (b == 0)
            return false;
        const auto &previous = voice == 0 ? score.bars[b - 1].upper : score.bars[b - 1].lower;
        return !previous.empty() && previous.back().tieToNext;
    }

    const music::Note *previousInVoice(const Planned &p) const {
        const music::Bar &bar = score.bars[static_cast<std::size_t>(p.ref.bar)];
        const auto &voice = p.ref.voice == 0 ? bar.upper : bar.lower;
        return &voice[static_cast<std::size_t>(p.ref.index - 1)];
    }

    const NoteMark *markOf(const NoteRef &ref) const {
        for (const NoteMark &mark : marks)
            if (mark.note == ref)
                return &mark;
        return nullptr;
    }

    const music::Score &score;
    int staff;
    std::span<const NoteMark> marks;
};

double dotsWidth(int dots) {
    return dots ? dotGap + dotStep * dots : 0;
}

/// Places the noteheads of a column side by side where two voices (or a note and the pitch shown
/// with it) would overlap, and the accidentals in lanes leftwards where they would collide.
void arrangeColumn(std::vector<Planned *> &column) {
    std::vector<std::pair<int, int>> heads; // (position, voice) of the unshifted noteheads
    Planned *upper = nullptr;
    Planned *lower = nullptr;
    for (Planned *p : column) {
        if (p->note->isRest())
            continue;
        (p->ref.voice == 0 ? upper : lower) = p;
    }
    if (upper && lower) {
        const int apart = upper->position - lower->position;
        const bool shared = apart == 0 && upper->note->value == lower->note->value &&
                            upper->note->value.type != NoteType::whole;
        // A second apart, or a unison that cannot share a head: the upper voice steps right.
        if (apart < 0 || apart == 1 || (apart == 0 && !shared))
            upper->headShift = headWidth(upper->note->value.type);
    }
    for (Planned *p : column)
        if (p->shownPosition && p->note->pitch && std::abs(*p->shownPosition - p->position) <= 1)
            p->shownShift = p->headShift + headWidth(p->note->value.type);

    // Accidentals from the top down, each in the first slot where none within a sixth sits.
    struct Sign {
        int position;
        int *slot;
    };
    std::vector<Sign> signs;
    for (Planned *p : column) {
        if (p->accidental)
            signs.push_back({p->position, &p->accidentalSlot});
        if (p->shownAccidental && p->shownPosition)
            signs.push_back({*p->shownPosition, &p->shownSlot});
    }
    std::sort(signs.begin(), signs.end(),
              [](const Sign &a, const Sign &b) { return a.position > b.position; });
    std::vector<std::vector<int>> lanes;
    for (const Sign &sign : signs) {
        std::size_t s = 0;
        for (; s < lanes.size(); ++s)
            if (std::none_of(lanes[s].begin(), lanes[s].end(),
                             [&](int at) { return std::abs(at - sign.position) < 6; }))
                break;
        if (s == lanes.size())
            lanes.emplace_back();
        lanes[s].push_back(sign.position);
        *sign.slot = static_cast<int>(s);
    }
}

/// The columns of one bar across every staff and voice, and their offsets from the bar's start.
BarSpacing spaceBar(std::vector<StaffBar *> staves, std::int32_t barTicks) {
    BarSpacing bar;
    std::set<std::int32_t> onsets;
    for (StaffBar *staff : staves)
        for (auto &voice : staff->voices)
            for (const Planned &p : voice.notes)
                onsets.insert(p.onset);
    for (const std::int32_t onset : onsets)
        bar.columns.push_back({onset, barTicks - onset, 0, 0, 0});
    for (std::size_t c = 0; c + 1 < bar.columns.size(); ++c)
        bar.columns[c].span = bar.columns[c + 1].onset - bar.columns[c].onset;

    for (StaffBar *staff : staves) {
        std::vector<std::vector<Planned *>> byColumn(bar.columns.size());
        for (auto &voice : staff->voices)
            for (Planned &p : voice.notes) {
                p.column =
                    static_cast<std::size_t>(std::distance(onsets.begin(), onsets.find(p.onset)));
                byColumn[p.column].push_back(&p);
            }
        for (std::size_t c = 0; c < byColumn.size(); ++c) {
            arrangeColumn(byColumn[c]);
            Column &column = bar.columns[c];
            for (const Planned *p : byColumn[c]) {
                const auto &value = p->note->value;
                // Spacing goes by the shortest note that starts in the column.
                column.span = std::min(column.span, value.ticks());
                int lanes = -1;
                if (p->accidental)
                    lanes = std::max(lanes, p->accidentalSlot);
                if (p->shownAccidental)
                    lanes = std::max(lanes, p->shownSlot);
                column.left = std::max(column.left, accidentalGap + (lanes + 1) * accidentalSlot);
                double right = p->wholeBarRest     ? 0
                               : p->note->isRest() ? symbolBox(restOf(value.type)).width
                                                   : p->headShift + headWidth(value.type);
                if (p->stemUp && !p->note->isRest() && p->beamGroup < 0 && flagsOf(value.type))
                    right = std::max(right, p->headShift + headWidth(value.type) +
                                                symbolBox(StaffSymbol::flag8).width - stemWidth);
                right += p->wholeBarRest ? 0 : dotsWidth(value.dots);
                if (p->shownPosition)
                    right = std::max(right, p->shownShift + headWidth(p->shownType));
                column.right = std::max(column.right, right);
            }
        }
    }
    double x = barPadding;
    for (std::size_t c = 0; c < bar.columns.size(); ++c) {
        Column &column = bar.columns[c];
        x += c == 0 ? column.left : 0;
        column.offset = x;
        const double next = c + 1 < bar.columns.size() ? bar.columns[c + 1].left + 0.3 : 0.8;
        x += std::max(durationSpace(column.span), column.right + next);
    }
    bar.width = std::max(x, barPadding + 4.0);
    return bar;
}

} // namespace

SymbolBox symbolBox(StaffSymbol symbol) {
    // The boxes of the Musical Symbols of the notation font, measured against its own staff:
    // a notehead one staff space high, a G clef seven with its curl on the G line.
    switch (symbol) {
    case StaffSymbol::gClef:
        return {2.5, 7.0, 0.595};
    case StaffSymbol::fClef:
        return {2.9, 3.25, 0.31};
    case StaffSymbol::blackHead:
    case StaffSymbol::halfHead:
        return {1.19, 1.0, 0.5};
    case StaffSymbol::wholeHead:
        return {1.62, 1.0, 0.5};
    case StaffSymbol::flag8:
        return {1.15, 3.1, 0.0};
    case StaffSymbol::flag16:
        return {1.15, 3.2, 0.0};
    case StaffSymbol::sharp:
        return {0.92, 2.8, 0.5};
    case StaffSymbol::flat:
        return {0.74, 2.5, 0.71};
    case StaffSymbol::natural:
        return {0.75, 2.7, 0.52};
    case StaffSymbol::doubleSharp:
        return {1.0, 1.0, 0.5};
    case StaffSymbol::doubleFlat:
        return {1.36, 2.5, 0.71};
    case StaffSymbol::quarterRest:
        return {1.05, 3.0, 0.5};
    case StaffSymbol::eighthRest:
        return {1.06, 1.8, 0.41};
    case StaffSymbol::sixteenthRest:
        return {1.35, 2.8, 0.27};
    default:
        return {1.5, 2.0, 0.5};
    }
}

const StaffLayout::Note *StaffLayout::find(const NoteRef &ref) const {
    for (const Note &note : notes)
        if (note.ref == ref)
            return &note;
    return nullptr;
}

const StaffLayout::Staff &StaffLayout::staffOf(const Note &note) const {
    for (const Staff &staff : staves)
        if (staff.system == note.system && staff.staff == note.ref.staff)
            return staff;
    return staves.front();
}

namespace {

/// Lays out the planned staves line by line and records every element.
class Setter {
public:
    Setter(std::span<const music::Score> scores, std::vector<std::vector<StaffBar>> &plans,
           const StaffOptions &options)
        : scores(scores), plans(plans), sp(options.space), options(options) {}

    StaffLayout run() {
        out.space = sp;
        std::size_t barCount = 0;
        for (const auto &score : scores)
            barCount = std::max(barCount, score.bars.size());
        if (barCount == 0) {
            out.size = QSizeF(0, 0);
            return std::move(out);
        }
        std::vector<BarSpacing> spacing;
        for (std::size_t b = 0; b < barCount; ++b) {
            std::vector<StaffBar *> staves;
            for (auto &plan : plans)
                if (b < plan.size())
                    staves.push_back(&plan[b]);
            spacing.push_back(spaceBar(staves, scores.front().metre.barTicks()));
        }

        // Lines of at most barsPerLine bars (an upbeat not counted) that fit the width, a bar
        // too wide going alone; then as many bars a line as the lines can share evenly, so that
        // no last line holds one bar that the others could have made room for.
        const double available = options.width / sp - 2 * margin;
        const bool pickup = !scores.front().bars.empty() && scores.front().bars.front().pickup;
        const auto breakLines = [&](int most) {
            std::vector<std::pair<std::size_t, std::size_t>> lines;
            for (std::size_t b = 0; b < barCount;) {
                std::size_t end = b + 1;
                double width = prefixWidth(lines.empty()) + spacing[b].width;
                const auto counted = [&] { return int(end - b) - (pickup && b == 0 ? 1 : 0); };
                while (end < barCount && counted() < most &&
                       width + spacing[end].width <= available)
                    width += spacing[end++].width;
                lines.push_back({b, end});
                b = end;
            }
            return lines;
        };
        auto systems = breakLines(std::max(1, options.barsPerLine));
        const auto counted = static_cast<int>(barCount) - (pickup ? 1 : 0);
        const int even = (counted + int(systems.size()) - 1) / int(systems.size());
        if (auto balanced = breakLines(even); balanced.size() == systems.size())
            systems = std::move(balanced);

        double y = 0;
        double stretch = 1;
        double right = 0;
        for (std::size_t s = 0; s < systems.size(); ++s) {
            const auto [first, end] = systems[s];
            const double prefix = prefixWidth(s == 0);
            double natural = 0;
            for (std::size_t b = first; b < end; ++b)
                natural += spacing[b].width;
            // Squeezed a little at most where the width is too narrow, never overlapping.
            const double fill = std::max((available - prefix) / natural, 0.8);
            // Every line but the last fills the width; the last keeps the spacing of the line
            // before it, and a single short line keeps its own.
            if (s + 1 < systems.size() ||
                (systems.size() == 1 && prefix + natural >= 0.6 * available))
                stretch = fill;
            else
                stretch = std::min(stretch, fill);
            y = setSystem(static_cast<int>(s), first, end, spacing, prefix, stretch, y);
            right = std::max(right, out.staves.back().right);
        }
        setTies();
        out.size = QSizeF((right + margin) * sp, y * sp);
        return std::move(out);
    }

private:
    double prefixWidth(bool withMetre) const {
        double width = margin;
        for (const auto &score : scores) {
            double w = 0.6 + symbolBox(score.clef == music::Clef::treble ? StaffSymbol::gClef
                                                                         : StaffSymbol::fClef)
                                 .width;
            const int count = std::abs(score.key.fifths);
            if (count)
                w += 0.6 + count * keyStep(score.key);
            if (withMetre)
                w += 0.8 + symbolBox(StaffSymbol::digit0).width;
            width = std::max(width, w);
        }
        return width + barPadding - 0.2;
    }

    static double keyStep(const music::Key &key) {
        return key.fifths > 0 ? symbolBox(StaffSymbol::sharp).width + 0.08
                              : symbolBox(StaffSymbol::flat).width + 0.12;
    }

    /// The height above the top line and below the bottom line that a staff's notes need in
    /// these bars, in staff spaces.
    std::pair<double, double> extent(std::size_t staff, std::size_t first, std::size_t end) const {
        int high = 8 + 4, low = 0 - 4;
        for (std::size_t b = first; b < end && b < plans[staff].size(); ++b)
            for (const auto &voice : plans[staff][b].voices)
                for (const Planned &p : voice.notes) {
                    if (p.note->isRest())
                        continue;
                    const int stem = p.note->value.type == NoteType::whole ? 0 : 8;
                    high = std::max(high, p.position + (p.stemUp ? stem : 0) + 2);
                    low = std::min(low, p.position - (p.stemUp ? 0 : stem) - 2);
                    if (p.shownPosition) {
                        high = std::max(high, *p.shownPosition + 2);
                        low = std::min(low, *p.shownPosition - 2);
                    }
                }
        return {std::max(2.2, (high - 8) / 2.0), std::max(2.5, -low / 2.0)};
    }

    double setSystem(int system, std::size_t first, std::size_t end,
                     const std::vector<BarSpacing> &spacing, double prefix, double stretch,
                     double y) {
        const double left = margin;
        std::vector<double> barStart;
        double x = left + prefix;
        for (std::size_t b = first; b < end; ++b) {
            barStart.push_back(x);
            x += spacing[b].width * stretch;
        }
        const double lineEnd = x;
        const bool last = end >= maxBars();
        std::vector<double> tops;
        for (std::size_t s = 0; s < scores.size(); ++s) {
            const auto [above, below] = extent(s, first, end);
            const double top = y + above;
            tops.push_back(top);
            y = top + 4 + below;
            out.staves.push_back({system, static_cast<int>(s), top * sp, left * sp, lineEnd * sp});
        }
        y += 0.8;
        if (scores.size() > 1)
            addLine(StaffLayout::LineKind::systemStart, left, tops.front(), left, tops.back() + 4,
                    thinBarline, {});

        for (std::size_t s = 0; s < scores.size(); ++s) {
            const auto &score = scores[s];
            const double top = tops[s];
            const auto yOf = [&](double position) { return top + (8 - position) / 2; };
            // Clef, key signature and, on the first line, the metre.
            double at = left + 0.6;
            const bool treble = score.clef == music::Clef::treble;
            addGlyph(treble ? StaffSymbol::gClef : StaffSymbol::fClef, at, yOf(treble ? 2 : 6));
            at += symbolBox(treble ? StaffSymbol::gClef : StaffSymbol::fClef).width + 0.6;
            const int count = std::abs(score.key.fifths);
            const auto &shape = score.key.fifths > 0 ? trebleSharps : trebleFlats;
            for (int k = 0; k < count; ++k) {
                const int position = shape[static_cast<std::size_t>(k)] - (treble ? 0 : 2);
                addGlyph(score.key.fifths > 0 ? StaffSymbol::sharp : StaffSymbol::flat, at,
                         yOf(position));
                at += keyStep(score.key);
            }
            if (system == 0) {
                at += count ? 0.8 : 0.2;
                // Each number centred over the other: the beats above the middle line, the
                // beat's value below it.
                const double digitWidth = symbolBox(StaffSymbol::digit0).width;
                for (const auto &[number, position] : {std::pair{int(score.metre.beats), 6},
                                                       std::pair{int(score.metre.beatType), 2}}) {
                    const QString digits = QString::number(number);
                    for (qsizetype k = 0; k < digits.size(); ++k)
                        addGlyph(static_cast<StaffSymbol>(static_cast<int>(StaffSymbol::digit0) +
                                                          digits[k].digitValue()),
                                 at + (k - (digits.size() - 1) / 2.0) * digitWidth * 0.7,
                                 yOf(position));
                }
            }
            for (std::size_t b = first; b < end; ++b) {
                const double barEnd = b + 1 < end ? barStart[b - first + 1] : lineEnd;
                if (b < plans[s].size())
                    setBar(system, s, b, barStart[b - first], barEnd, spacing[b], stretch, top);
                const bool final = last && b + 1 == end;
                if (final) {
                    addLine(StaffLayout::LineKind::finalBarline, barEnd - thickBarline / 2, top,
                            barEnd - thickBarline / 2, top + 4, thickBarline, {});
                    const double thin = barEnd - thickBarline - finalBarlineGap - thinBarline / 2;
                    addLine(StaffLayout::LineKind::barline, thin, top, thin, top + 4, thinBarline,
                            {});
                } else {
                    addLine(StaffLayout::LineKind::barline, barEnd - thinBarline / 2, top,
                            barEnd - thinBarline / 2, top + 4, thinBarline, {});
                }
            }
        }
        return y;
    }

    std::size_t maxBars() const {
        std::size_t count = 0;
        for (const auto &plan : plans)
            count = std::max(count, plan.size());
        return count;
    }

    void setBar(int system, std::size_t staff, std::size_t b, double start, double end,
                const BarSpacing &spacing, double stretch, double top) {
        const auto yOf = [&](double position) { return top + (8 - position) / 2; };
        for (auto &voice : plans[staff][b].voices) {
            std::vector<int> placed;
            for (const Planned &p : voice.notes) {
                const double column = start + spacing.columns[p.column].offset * stretch;
                placed.push_back(setNote(system, p, column, start, end, yOf));
            }
            for (std::size_t g = 0; g < voice.groups.size(); ++g)
                setBeam(voice, voice.groups[g], placed, yOf(4));
            for (std::size_t i = 0; i < voice.notes.size(); ++i)
                if (voice.notes[i].beamGroup < 0)
                    setStem(voice.notes[i], placed[i], yOf(4));
        }
    }

    int setNote(int system, const Planned &p, double column, double barStart, double barEnd,
                const auto &yOf) {
        const int index = static_cast<int>(out.notes.size());
        StaffLayout::Note note;
        note.ref = p.ref;
        note.rest = p.note->isRest();
        note.system = system;
        note.position = p.position;
        note.stemUp = p.stemUp;
        note.beamGroup = p.beamGroup;
        const auto &value = p.note->value;
        const StaffLayout::Owner owner{index, false};
        const double y = yOf(p.position);
        if (note.rest) {
            if (p.wholeBarRest || value.type == NoteType::whole || value.type == NoteType::half) {
                const bool hangs = p.wholeBarRest || value.type == NoteType::whole;
                // A rest filling the bar is a whole rest in the middle of the bar.
                const double x = p.wholeBarRest ? (barStart + barEnd - blockWidth) / 2 : column;
                const QRectF block(x * sp, (hangs ? y : y - 0.5) * sp, blockWidth * sp, 0.5 * sp);
                out.blocks.push_back({block, owner});
                note.head = block.center();
                if (!p.wholeBarRest)
                    addDots(value.dots, x + blockWidth, yOf(p.position | 1), owner);
            } else {
                const StaffSymbol symbol = restOf(value.type);
                const SymbolBox box = symbolBox(symbol);
                addGlyph(symbol, column, y, false, owner);
                note.head = QPointF((column + box.width / 2) * sp,
                                    (y + (0.5 - box.anchor) * box.height) * sp);
                addDots(value.dots, column + box.width, yOf(p.position | 1), owner);
            }
            out.notes.push_back(note);
            if (p.shownPosition)
                setShownHead(p, column, yOf, index);
            return index;
        }
        const double headLeft = column + p.headShift;
        const double width = headWidth(value.type);
        note.head = QPointF((headLeft + width / 2) * sp, y * sp);
        if (p.accidental) {
            const StaffSymbol symbol = accidentalOf(*p.accidental);
            const double x = column - accidentalGap - p.accidentalSlot * accidentalSlot -
                             symbolBox(symbol).width;
            note.accidental = symbol;
            addGlyph(symbol, x, y, false, owner);
        }
        addLedgers(p.position, headLeft, width, yOf, owner);
        addGlyph(headOf(value.type), headLeft, y, false, owner);
        out.notes.push_back(note);
        double dotX = headLeft + width;
        if (p.stemUp && p.beamGroup < 0 && flagsOf(value.type))
            dotX = std::max(dotX, headLeft + width + symbolBox(StaffSymbol::flag8).width - 0.3);
        if (p.shownPosition)
            dotX = std::max(dotX, column + p.shownShift + headWidth(p.shownType));
        // A note on a line has its dot in the space above, or below in the lower voice.
        const int dotPosition =
            p.position % 2 != 0 ? p.position : p.position + (p.ref.voice == 1 ? -1 : 1);
        addDots(value.dots, dotX, yOf(dotPosition), owner);
        if (p.shownPosition)
            setShownHead(p, column, yOf, index);
        return index;
    }

    void setShownHead(const Planned &p, double column, const auto &yOf, int index) {
        const StaffLayout::Owner owner{index, true};
        const double headLeft = column + p.shownShift;
        const double y = yOf(*p.shownPosition);
        if (p.shownAccidental) {
            const StaffSymbol symbol = accidentalOf(*p.shownAccidental);
            addGlyph(symbol,
                     column - accidentalGap - p.shownSlot * accidentalSlot -
                         symbolBox(symbol).width,
                     y, false, owner);
        }
        addLedgers(*p.shownPosition, headLeft, headWidth(p.shownType), yOf, owner);
        addGlyph(headOf(p.shownType), headLeft, y, false, owner);
    }

    void addLedgers(int position, double headLeft, double width, const auto &yOf,
                    StaffLayout::Owner owner) {
        for (int line = -2; line >= position; line -= 2)
            addLine(StaffLayout::LineKind::ledger, headLeft - ledgerOverhang, yOf(line),
                    headLeft + width + ledgerOverhang, yOf(line), ledgerWidth, owner);
        for (int line = 10; line <= position; line += 2)
            addLine(StaffLayout::LineKind::ledger, headLeft - ledgerOverhang, yOf(line),
                    headLeft + width + ledgerOverhang, yOf(line), ledgerWidth, owner);
    }

    void addDots(int dots, double x, double y, StaffLayout::Owner owner) {
        for (int d = 0; d < dots; ++d)
            out.dots.push_back({QPointF((x + dotGap + d * dotStep) * sp, y * sp), owner});
    }

    /// The stem's x, in staff spaces: inside the notehead's right side going up, its left
    /// going down.
    double stemX(const StaffLayout::Note &note, const Planned &p) const {
        const double half = headWidth(p.note->value.type) / 2;
        return note.head.x() / sp + (p.stemUp ? half - stemWidth / 2 : -half + stemWidth / 2);
    }

    void setStem(const Planned &p, int index, double middle) {
        StaffLayout::Note &note = out.notes[static_cast<std::size_t>(index)];
        const auto type = p.note->value.type;
        if (note.rest || type == NoteType::whole)
            return;
        const double y = note.head.y() / sp;
        const double length = stemLength + (flagsOf(type) == 2 ? 0.5 : 0);
        // A stem reaches at least the middle line, however far off the staff its note lies.
        const double end = p.stemUp ? std::min(y - length, middle) : std::max(y + length, middle);
        addStem(note, p, index, end);
        if (const int flags = flagsOf(type))
            addGlyph(flags == 1 ? StaffSymbol::flag8 : StaffSymbol::flag16,
                     stemX(note, p) - stemWidth / 2, end, !p.stemUp, {index, false});
    }

    void addStem(StaffLayout::Note &note, const Planned &p, int index, double end) {
        const double x = stemX(note, p);
        const double start = note.head.y() / sp + (p.stemUp ? -stemAttach : stemAttach);
        note.stem = QLineF(x * sp, start * sp, x * sp, end * sp);
        addLine(StaffLayout::LineKind::stem, x, start, x, end, stemWidth, {index, false});
    }

    void setBeam(const VoiceBar &voice, std::pair<std::size_t, std::size_t> group,
                 const std::vector<int> &placed, double middle) {
        std::vector<std::size_t> members;
        for (std::size_t i = group.first; i <= group.second; ++i)
            if (!voice.notes[i].note->isRest())
                members.push_back(i);
        if (members.size() < 2)
            return;
        const Planned &firstNote = voice.notes[members.front()];
        const bool up = firstNote.stemUp;
        const double direction = up ? -1 : 1;
        const auto noteAt = [&](std::size_t i) -> StaffLayout::Note & {
            return out.notes[static_cast<std::size_t>(placed[i])];
        };
        const auto xAt = [&](std::size_t i) { return stemX(noteAt(i), voice.notes[i]); };
        const auto yAt = [&](std::size_t i) { return noteAt(i).head.y() / sp; };
        const double x0 = xAt(members.front());
        const double x1 = xAt(members.back());
        // The beam rises with the interval of the group's ends, a quarter space a step and a
        // space at most, never steeper than one in four; it lies flat when an inner note
        // reaches beyond both ends.
        const int interval = voice.notes[members.back()].position - firstNote.position;
        double rise = std::min(std::abs(interval) * 0.25, 1.0) * (interval > 0 ? -1 : 1);
        for (std::size_t k = 1; k + 1 < members.size(); ++k) {
            const double inner = yAt(members[k]) * direction;
            if (inner > yAt(members.front()) * direction && inner > yAt(members.back()) * direction)
                rise = 0;
        }
        const double slope = x1 > x0 ? std::clamp(rise / (x1 - x0), -0.25, 0.25) : 0;
        int levels = 1;
        for (const std::size_t i : members)
            levels = std::max(levels, flagsOf(voice.notes[i].note->value.type));
        // The outer edge of the beam: every stem at least its length, reaching the middle line.
        const double shortest = stemLength - 0.25 + (levels - 1) * beamDistance * 0.5;
        double edge = up ? 1e9 : -1e9;
        for (const std::size_t i : members) {
            const double wanted = yAt(i) + direction * shortest - slope * (xAt(i) - x0);
            const double reach = middle - slope * (xAt(i) - x0);
            edge = up ? std::min({edge, wanted, reach}) : std::max({edge, wanted, reach});
        }
        const auto beamY = [&](double x) { return edge + slope * (x - x0); };
        const StaffLayout::Owner owner{placed[members.front()], false};
        const auto addBeam = [&](double from, double to, int level) {
            const double offset = -direction * (beamThickness / 2 + level * beamDistance);
            out.beams.push_back(
                {QLineF(from * sp, (beamY(from) + offset) * sp, to * sp, (beamY(to) + offset) * sp),
                 owner});
        };
        addBeam(x0 - stemWidth / 2, x1 + stemWidth / 2, 0);
        for (const std::size_t i : members)
            addStem(noteAt(i), voice.notes[i], placed[i], beamY(xAt(i)));
        // Sixteenths: a second beam between neighbours that both have it, else a short one
        // pointing into the group.
        for (std::size_t k = 0; k < members.size(); ++k) {
            const std::size_t i = members[k];
            if (flagsOf(voice.notes[i].note->value.type) < 2)
                continue;
            const bool nextToo = k + 1 < members.size() && members[k + 1] == i + 1 &&
                                 flagsOf(voice.notes[i + 1].note->value.type) >= 2;
            const bool previousToo = k > 0 && members[k - 1] + 1 == i &&
                                     flagsOf(voice.notes[i - 1].note->value.type) >= 2;
            if (nextToo)
                addBeam(xAt(i) - stemWidth / 2, xAt(i + 1) + stemWidth / 2, 1);
            else if (!previousToo) {
                const double stub = 1.1;
                if (k == 0)
                    addBeam(xAt(i) - stemWidth / 2, xAt(i) + stub, 1);
                else
                    addBeam(xAt(i) - stub, xAt(i) + stemWidth / 2, 1);
            }
        }
    }

    /// Ties from each tied note to the next of its voice, broken in two at the end of a line.
    void setTies() {
        for (std::size_t n = 0; n < out.notes.size(); ++n) {
            const StaffLayout::Note &note = out.notes[n];
            const auto &score = scores[static_cast<std::size_t>(note.ref.staff)];
            const auto &bar = score.bars[static_cast<std::size_t>(note.ref.bar)];
            const auto &voice = note.ref.voice == 0 ? bar.upper : bar.lower;
            if (note.rest || !voice[static_cast<std::size_t>(note.ref.index)].tieToNext)
                continue;
            NoteRef next = note.ref;
            if (static_cast<std::size_t>(next.index) + 1 < voice.size()) {
                ++next.index;
            } else {
                ++next.bar;
                next.index = 0;
            }
            const StaffLayout::Note *to = out.find(next);
            const auto &voiceBar = plans[static_cast<std::size_t>(note.ref.staff)]
                                        [static_cast<std::size_t>(note.ref.bar)];
            const bool twoVoices = !voiceBar.voices[1].notes.empty();
            const bool whole = note.stem.isNull();
            const bool above = twoVoices ? note.ref.voice == 0
                               : whole   ? note.position >= 4
                                         : !note.stemUp;
            const double dy = (above ? -0.55 : 0.55) * sp;
            const double inset = 0.3 * sp;
            const StaffLayout::Owner owner{static_cast<int>(n), false};
            const QPointF from(note.head.x() + inset, note.head.y() + dy);
            if (to && to->system == note.system) {
                out.ties.push_back(
                    {from, QPointF(to->head.x() - inset, to->head.y() + dy), above, owner});
                continue;
            }
            out.ties.push_back(
                {from, QPointF(out.staffOf(note).right - 0.3 * sp, from.y()), above, owner});
            if (to)
                out.ties.push_back({QPointF(to->head.x() - 1.7 * sp, to->head.y() + dy),
                                    QPointF(to->head.x() - inset, to->head.y() + dy), above,
                                    owner});
        }
    }

    void addGlyph(StaffSymbol symbol, double x, double y, bool mirrored = false,
                  StaffLayout::Owner owner = {}) {
        out.glyphs.push_back({symbol, QPointF(x * sp, y * sp), mirrored, owner});
    }

    void addLine(StaffLayout::LineKind kind, double x0, double y0, double x1, double y1,
                 double width, StaffLayout::Owner owner) {
        out.lines.push_back({kind, QLineF(x0 * sp, y0 * sp, x1 * sp, y1 * sp), width * sp, owner});
    }

    std::span<const music::Score> scores;
    std::vector<std::vector<StaffBar>> &plans;
    double sp;
    StaffOptions options;
    StaffLayout out;
};

} // namespace

StaffLayout layoutStaff(std::span<const music::Score> scores, std::span<const NoteMark> marks,
                        const StaffOptions &options) {
    if (scores.empty())
        return {};
    std::vector<std::vector<StaffBar>> plans;
    for (std::size_t s = 0; s < scores.size() && s < 2; ++s)
        plans.push_back(Planner(scores[s], static_cast<int>(s), marks).plan());
    return Setter(scores.first(plans.size()), plans, options).run();
}

} // namespace miminomi
