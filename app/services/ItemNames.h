// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryItem.h"
#include "history/Statistics.h"
#include "music/Score.h"
#include "records/Exercise.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

namespace miminomi {

// The Japanese names of what a learner answers, kept once: the items as the main window's answer
// lists show them, and their short names for the statistics' labels, the confusion lines and the
// dictation windows. A value outside the answer lists (a file written by another version) is shown
// as its number. Notes, keys and roots are named in the naming the learner chose (NoteNaming);
// everything else is always in Japanese.

/// How notes are named: the Japanese names the program has always shown (ハ, 嬰ハ, …), fixed-do
/// solfège (ド, ド♯, …), English letters (C, C♯, …) or German letters (C, Cis, …, B for B♭, H).
/// The octaves keep their Japanese names in every naming, as the octave list shows them.
enum class NoteNaming { japanese, solfege, english, german };
inline constexpr int noteNamingCount = 4;

/// The naming the names below use when none is given: japanese until set.
NoteNaming noteNaming();
void setNoteNaming(NoteNaming naming);
/// The naming as the menu offers it: "ハニホ（日本音名）", "ドレミ（固定ド）", …
QString noteNamingTitle(NoteNaming naming);

/// The items of the main window's answer lists, as the lists show them: a blank item first (the
/// self-mark list has its blank item in the middle, as item 2).
namespace AnswerLists {
/// The twelve pitch classes, ハ first, as the note, key and root lists show them.
QStringList noteNames(NoteNaming naming = noteNaming());
QStringList octaves();
QStringList westernScaleTypes();
QStringList japaneseScaleTypes();
QStringList chordTypes();
QStringList grades();
} // namespace AnswerLists

/// The note name of a pitch class 0..11: ハ, 嬰ハ, …, ロ; a black key by its sharp (the German
/// B♭ by its own name, B).
QString noteName(std::int32_t pitchClass, NoteNaming naming = noteNaming());
/// A note in the main window's words, its name and its octave: "ハ（上一点）", "C（上一点）".
QString writtenNote(std::int32_t note, NoteNaming naming = noteNaming());
/// The octave name of an octave number (note number / 12): 下四点 … 上六点.
QString octaveName(std::int32_t octave);
/// The name of a scale type code 0..15.
QString scaleTypeName(std::int32_t type);
/// A scale with its key ("ニ 長音階"; in the other namings, as a teacher says it, "レの長音階",
/// "Dの長音階"); a Japanese scale, or a key of -1, by its type alone.
QString scaleName(std::int32_t type, std::int32_t key, NoteNaming naming = noteNaming());
/// The short name of a chord type code 0..13, its symbol with its reading:
/// "7（ドミナント・セブンス）".
QString chordTypeName(std::int32_t type);
/// The name of a rhythm or melody piece 1..20: "第3曲".
QString pieceName(std::int32_t piece);
/// The self-mark grade 0..4 as the list words it; 2 is the list's blank item.
QString gradeName(std::int32_t grade);
/// The label of an item of the statistics: a note as "ハ（上一点）".
QString itemName(const ItemKey &item, NoteNaming naming = noteNaming());
/// One confusion, without its count: "「ロ（上一点）」を「ハ（上二点）」と答えた"; a name answered
/// without its height as it was answered, "「ロ（上一点）」を「ハ」と答えた"; the key of a scale
/// and the root of a chord named as such: "根音「ハ」を「ニ」と答えた"; a list left blank while the
/// other was answered: "主音「ニ」を答えなかった".
QString confusionText(const Confusion &confusion, NoteNaming naming = noteNaming());
/// How single notes were answered wrong, by the interval and its direction: "半音高く答えた",
/// "長3度低く答えた", "オクターブ高く答えた", "短9度低く答えた"; the right name without its
/// height for 0.
QString slipText(const NoteSlip &slip);

/// The name of an exercise as the statistics list it: 単音, スケール, コード, リズム, メロディ.
QString exerciseName(Exercise exercise);
/// A key as a teacher writes it in the naming: "ト長調", "変ロ長調", "嬰ヘ短調"; "ソ長調",
/// "ファ♯短調"; "G major", "F♯ minor"; "G-Dur", "fis-Moll".
QString keyName(const music::Key &key, NoteNaming naming = noteNaming());
/// A scale degree of a melody in movable do, from the key's own tonic (a minor key's from ラ),
/// with its alteration: "第3音（ミ）", "第7音（ソ♯）".
QString scaleDegreeName(std::int32_t degree, std::int32_t alteration, bool minor);
/// A melodic move by signed staff steps: "上行の6度", "下行の3度", "同音", "上行のオクターブ".
QString melodicIntervalName(std::int32_t steps);
/// The rhythm of one beat as music::rhythmFigures() writes it ("x--x"), named as a teacher names
/// it: "付点8分音符＋16分音符", "8分音符2つ", "8分休符＋8分音符", "前から続く音＋8分音符".
QString rhythmFigureName(const std::string &figure);

} // namespace miminomi
