// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/MusicXml.h"

#include <algorithm>
#include <array>
#include <map>
#include <sstream>

namespace miminomi::music {

namespace {

std::string escaped(const std::string &text) {
    std::string out;
    for (char c : text)
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    return out;
}

constexpr std::array<const char *, 5> typeNames = {"whole", "half", "quarter", "eighth", "16th"};
constexpr std::array<char, 7> stepNames = {'C', 'D', 'E', 'F', 'G', 'A', 'B'};

const char *accidentalName(int alter) {
    switch (alter) {
    case -2:
        return "flat-flat";
    case -1:
        return "flat";
    case 1:
        return "sharp";
    case 2:
        return "double-sharp";
    default:
        return "natural";
    }
}

/// A voice's note in a bar with what the writer decides for it.
struct Written {
    const Note *note = nullptr;
    std::int32_t time = 0;
    /// Continues a tie from the note before (in this bar or the last).
    bool tiedFrom = false;
    bool accidental = false;
    std::string beam1 = {}, beam2 = {};
};

/// Decides the accidentals of one bar's notes of both voices, taken in time order.
/// `lastBar` holds the alterations written in the bar before, by step and octave.
void markAccidentals(const Key &key, std::vector<Written *> notes,
                     std::map<std::pair<int, int>, int> &lastBar) {
    std::stable_sort(notes.begin(), notes.end(),
                     [](const Written *a, const Written *b) { return a->time < b->time; });
    std::map<std::pair<int, int>, int> written; // step and octave -> alteration written here
    std::map<std::pair<int, int>, bool> seen;   // step and octave met in this bar
    for (Written *note : notes) {
        if (note->note->isRest())
            continue;
        const Pitch &pitch = *note->note->pitch;
        const int step = static_cast<int>(pitch.step);
        const std::pair<int, int> place{step, pitch.octave};
        if (note->tiedFrom)
            continue;
        const bool first = !seen[place];
        seen[place] = true;
        const auto here = written.find(place);
        const int inEffect = here != written.end() ? here->second : key.signatureAlter(pitch.step);
        bool show = pitch.alter != inEffect;
        // Courtesy: the step altered otherwise in another octave of this bar...
        for (const auto &[other, alter] : written)
            show = show || (other.first == step && other.second != pitch.octave &&
                            alter != pitch.alter && here == written.end());
        // ...or in this octave in the bar before.
        const auto before = lastBar.find(place);
        show = show || (first && here == written.end() && before != lastBar.end() &&
                        before->second != pitch.alter);
        if (show) {
            note->accidental = true;
            written[place] = pitch.alter;
        }
    }
    lastBar = written;
}

/// Sets the beam elements of a voice's notes in a bar from beamGroups().
void markBeams(const Metre &metre, const std::vector<Note> &voice, std::int32_t position,
               std::vector<Written> &notes) {
    for (const auto &[first, last] : beamGroups(metre, voice, position)) {
        std::vector<std::size_t> sounding;
        for (std::size_t k = first; k <= last; ++k)
            if (!voice[k].isRest())
                sounding.push_back(k);
        for (std::size_t j = 0; j < sounding.size(); ++j)
            notes[sounding[j]].beam1 = j == 0                     ? "begin"
                                       : j + 1 == sounding.size() ? "end"
                                                                  : "continue";
        // The second beam joins neighbouring sixteenths; a lone one has a hook towards its group.
        for (std::size_t j = 0; j < sounding.size();) {
            std::size_t end = j;
            while (end < sounding.size() && voice[sounding[end]].value.type == NoteType::sixteenth)
                ++end;
            if (end == j) {
                ++j;
                continue;
            }
            if (end - j == 1)
                notes[sounding[j]].beam2 = j == 0 ? "forward hook" : "backward hook";
            else
                for (std::size_t n = j; n < end; ++n)
                    notes[sounding[n]].beam2 = n == j ? "begin" : n + 1 == end ? "end" : "continue";
            j = end;
        }
    }
}

void writeNote(std::ostringstream &xml, const Written &written, int voice, bool twoVoices,
               bool wholeBar) {
    const Note &note = *written.note;
    xml << "      <note>\n";
    if (note.isRest())
        xml << (wholeBar ? "        <rest measure=\"yes\"/>\n" : "        <rest/>\n");
    else {
        const Pitch &pitch = *note.pitch;
        xml << "        <pitch><step>" << stepNames[static_cast<std::size_t>(pitch.step)]
            << "</step>";
        if (pitch.alter != 0)
            xml << "<alter>" << int(pitch.alter) << "</alter>";
        xml << "<octave>" << int(pitch.octave) << "</octave></pitch>\n";
    }
    xml << "        <duration>" << note.value.ticks() << "</duration>\n";
    if (written.tiedFrom)
        xml << "        <tie type=\"stop\"/>\n";
    if (note.tieToNext)
        xml << "        <tie type=\"start\"/>\n";
    xml << "        <voice>" << voice << "</voice>\n";
    if (!(note.isRest() && wholeBar)) {
        xml << "        <type>" << typeNames[static_cast<std::size_t>(note.value.type)]
            << "</type>\n";
        for (int dot = 0; dot < note.value.dots; ++dot)
            xml << "        <dot/>\n";
    }
    if (written.accidental)
        xml << "        <accidental>" << accidentalName(note.pitch->alter) << "</accidental>\n";
    if (twoVoices && !note.isRest())
        xml << "        <stem>" << (voice == 1 ? "up" : "down") << "</stem>\n";
    if (!written.beam1.empty())
        xml << "        <beam number=\"1\">" << written.beam1 << "</beam>\n";
    if (!written.beam2.empty())
        xml << "        <beam number=\"2\">" << written.beam2 << "</beam>\n";
    if (written.tiedFrom || note.tieToNext) {
        xml << "        <notations>";
        if (written.tiedFrom)
            xml << "<tied type=\"stop\"/>";
        if (note.tieToNext)
            xml << "<tied type=\"start\"/>";
        xml << "</notations>\n";
    }
    xml << "      </note>\n";
}

} // namespace

std::string musicXml(const Score &score, const std::string &title) {
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
           "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
           "\"http://www.musicxml.org/dtds/partwise.dtd\">\n"
           "<score-partwise version=\"4.0\">\n";
    if (!title.empty())
        xml << "  <work>\n    <work-title>" << escaped(title) << "</work-title>\n  </work>\n";
    xml << "  <identification>\n    <encoding>\n      <software>miminomi</software>\n"
           "    </encoding>\n  </identification>\n"
           "  <part-list>\n    <score-part id=\"P1\">\n      <part-name></part-name>\n"
           "    </score-part>\n  </part-list>\n  <part id=\"P1\">\n";

    const Metre &metre = score.metre;
    const bool twoVoices = std::any_of(score.bars.begin(), score.bars.end(),
                                       [](const Bar &bar) { return !bar.lower.empty(); });
    std::map<std::pair<int, int>, int> lastBar;
    bool tiedIntoUpper = false, tiedIntoLower = false;
    const bool pickup = !score.bars.empty() && score.bars.front().pickup;
    for (std::size_t b = 0; b < score.bars.size(); ++b) {
        const Bar &bar = score.bars[b];
        std::int32_t length = 0;
        for (const Note &note : bar.upper)
            length += note.value.ticks();
        const std::int32_t position = b == 0 && bar.pickup ? metre.barTicks() - length : 0;

        // Both voices, with their times for the accidentals.
        std::array<std::vector<Written>, 2> voices;
        std::vector<Written *> all;
        for (int v = 0; v < 2; ++v) {
            const std::vector<Note> &notes = v == 0 ? bar.upper : bar.lower;
            bool &tied = v == 0 ? tiedIntoUpper : tiedIntoLower;
            std::int32_t time = 0;
            for (const Note &note : notes) {
                Written written{&note, time};
                written.tiedFrom = tied && !note.isRest();
                voices[v].push_back(written);
                tied = note.tieToNext && !note.isRest();
                time += note.value.ticks();
            }
            markBeams(metre, notes, position, voices[v]);
        }
        for (auto &voice : voices)
            for (Written &written : voice)
                all.push_back(&written);
        markAccidentals(score.key, all, lastBar);

        const std::size_t number = pickup ? b : b + 1;
        xml << "    <measure number=\"" << number << "\""
            << (b == 0 && bar.pickup ? " implicit=\"yes\"" : "") << ">\n";
        if (b == 0) {
            const std::int32_t per = metre.compound() ? score.tempo * 2 / 3 : score.tempo;
            xml << "      <attributes>\n        <divisions>" << ticksPerQuarter
                << "</divisions>\n        <key><fifths>" << int(score.key.fifths)
                << "</fifths><mode>" << (score.key.minor ? "minor" : "major")
                << "</mode></key>\n        <time><beats>" << int(metre.beats)
                << "</beats><beat-type>" << int(metre.beatType) << "</beat-type></time>\n"
                << (score.clef == Clef::treble
                        ? "        <clef><sign>G</sign><line>2</line></clef>\n"
                        : "        <clef><sign>F</sign><line>4</line></clef>\n")
                << "      </attributes>\n"
                << "      <direction placement=\"above\">\n        <direction-type>\n"
                   "          <metronome><beat-unit>quarter</beat-unit>"
                << (metre.compound() ? "<beat-unit-dot/>" : "") << "<per-minute>" << per
                << "</per-minute></metronome>\n        </direction-type>\n"
                << "        <sound tempo=\"" << score.tempo << "\"/>\n      </direction>\n";
        }
        for (int v = 0; v < 2; ++v) {
            if (voices[v].empty())
                continue;
            if (v == 1)
                xml << "      <backup><duration>" << length << "</duration></backup>\n";
            for (const Written &written : voices[v])
                writeNote(xml, written, v + 1, twoVoices,
                          voices[v].size() == 1 && length == metre.barTicks());
        }
        if (b + 1 == score.bars.size())
            xml << "      <barline location=\"right\"><bar-style>light-heavy</bar-style>"
                   "</barline>\n";
        xml << "    </measure>\n";
    }
    xml << "  </part>\n</score-partwise>\n";
    return xml.str();
}

} // namespace miminomi::music
