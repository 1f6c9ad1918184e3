// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "music/DictationLevel.h"

namespace miminomi::music {

namespace {

constexpr Metre twoFour{2, 4}, threeFour{3, 4}, fourFour{4, 4}, sixEight{6, 8};

/// Which minor keys a melody level has, and what of the minor's raised notes.
enum class Minor { none, leadingNote, melodic, diminishedFourth };

std::vector<DictationLevel> makeLevels() {
    // Each level adds a little to the one before, as a dictation course does: first steps in C
    // major, then thirds and triple time, eighths and minor keys, compound time and the melodic
    // minor, eight bars with sixteenths, rests and ties, the upbeat and the octave, and at the top
    // the entrance examination's syncopations. The rhythm levels take the melody levels' rhythms
    // onto one pitch.
    std::vector<DictationLevel> levels;
    RhythmVocabulary vocabulary;
    // A melody level with the vocabulary as it stands: number, description, bars, accidentals,
    // metres, minor keys, widest leap and range in steps, tempo bounds.
    const auto melody = [&](int number, std::string_view description, int bars, int accidentals,
                            std::vector<Metre> metres, Minor minor, int leap, int range,
                            int slowest, int fastest) {
        DictationLevel &level = levels.emplace_back();
        level.number = number;
        level.description = description;
        level.bars = bars;
        level.maxAccidentals = accidentals;
        level.minor = minor != Minor::none;
        level.raisedSixth = minor >= Minor::melodic;
        level.diminishedFourth = minor == Minor::diminishedFourth;
        level.metres = std::move(metres);
        level.rhythm = vocabulary;
        level.largestLeap = leap;
        level.range = range;
        level.slowest = slowest;
        level.fastest = fastest;
    };
    // A rhythm level: on one pitch, in C major, at livelier tempi.
    const auto rhythm = [&](int number, std::string_view description, int bars,
                            std::vector<Metre> metres) {
        DictationLevel &level = levels.emplace_back();
        level.number = number;
        level.description = description;
        level.rhythmOnly = true;
        level.bars = bars;
        level.metres = std::move(metres);
        level.rhythm = vocabulary;
        level.largestLeap = level.range = 0;
        level.slowest = 66;
        level.fastest = 88;
    };
    const std::vector<Metre> simple = {twoFour, threeFour, fourFour},
                             all = {twoFour, threeFour, fourFour, sixEight};

    melody(1, "ハ長調・2小節・4分の4拍子・2分音符と4分音符・順次進行", 2, 0, {fourFour},
           Minor::none, 1, 5, 60, 72);
    vocabulary.dottedHalf = true;
    melody(2, "ハ・ト・ヘ長調・4小節・4分の3拍子も・付点2分音符・3度の跳躍", 4, 1,
           {threeFour, fourFour}, Minor::none, 2, 6, 60, 76);
    vocabulary.eighths = true;
    melody(3, "調号1つまでの長調と短調・4小節・4分の2拍子も・8分音符・5度までの跳躍", 4, 1, simple,
           Minor::leadingNote, 4, 7, 63, 80);
    vocabulary.dottedQuarter = true;
    melody(4,
           "調号2つまでの長調と短調・4小節・8分の6拍子・付点4分音符・旋律的短音階・6度までの跳躍",
           4, 2, all, Minor::melodic, 5, 7, 63, 80);
    vocabulary.sixteenths = vocabulary.rests = vocabulary.eighthRests = true;
    vocabulary.tiesOverBar = true;
    melody(5, "調号3つまでの長調と短調・8小節・16分音符・休符・小節をまたぐタイ", 8, 3, all,
           Minor::melodic, 5, 8, 60, 76);
    vocabulary.dottedEighth = vocabulary.pickup = true;
    melody(6, "調号4つまでの長調と短調・8小節・付点8分音符・弱起・オクターブまでの跳躍", 8, 4, all,
           Minor::melodic, 7, 9, 60, 76);
    vocabulary.syncopation = true;
    melody(7, "入試程度・調号4つまでの長調と短調・8小節・シンコペーション・拍をまたぐタイ", 8, 4,
           all, Minor::diminishedFourth, 7, 9, 60, 76);

    vocabulary = {};
    vocabulary.dottedHalf = vocabulary.eighths = vocabulary.rests = true;
    rhythm(8, "リズム（単音）・8小節・4分の2・3・4拍子・8分音符・4分休符", 8, simple);
    vocabulary.dottedQuarter = vocabulary.sixteenths = vocabulary.eighthRests = true;
    rhythm(9, "リズム（単音）・4小節・8分の6拍子・付点4分音符・16分音符・8分休符", 4, all);
    vocabulary.dottedEighth = vocabulary.tiesOverBar = vocabulary.pickup = true;
    rhythm(10, "リズム（単音）・8小節・付点8分音符・小節をまたぐタイ・弱起", 8, all);
    vocabulary.syncopation = true;
    rhythm(11, "リズム（単音）・入試程度・8小節・シンコペーション・拍をまたぐタイ", 8, all);
    return levels;
}

} // namespace

bool DictationLevel::allows(const NoteValue &value) const {
    switch (value.type) {
    case NoteType::whole:
    case NoteType::half:
        return value.dots == 0 || rhythm.dottedHalf;
    case NoteType::quarter:
        return value.dots == 0 || rhythm.dottedQuarter;
    case NoteType::eighth:
        return rhythm.eighths && (value.dots == 0 || rhythm.dottedEighth);
    case NoteType::sixteenth:
        return rhythm.sixteenths;
    }
    return false;
}

const std::vector<DictationLevel> &dictationLevels() {
    static const std::vector<DictationLevel> levels = makeLevels();
    return levels;
}

const DictationLevel *dictationLevel(int number) {
    for (const DictationLevel &level : dictationLevels())
        if (level.number == number)
            return &level;
    return nullptr;
}

} // namespace miminomi::music
