// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/ItemNames.h"

#include "quiz/Answers.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace miminomi {

namespace {

/// The name of an item's value in the words of its kind.
QString valueName(ItemKind kind, std::int32_t value, NoteNaming naming) {
    switch (kind) {
    case ItemKind::note:
        return writtenNote(value, naming);
    case ItemKind::scale:
    case ItemKind::scaleType:
        return scaleTypeName(value);
    case ItemKind::chordType:
        return chordTypeName(value);
    case ItemKind::piece:
        return pieceName(value);
    case ItemKind::noteName:
    case ItemKind::scaleKey:
    case ItemKind::chordRoot:
        break;
    }
    return noteName(value, naming);
}

/// Intervals up to two octaves, by semitones, as a teacher names them.
const std::array<const char16_t *, 24> intervals = {
    u"",           u"半音",     u"全音",   u"短3度",  u"長3度",  u"完全4度",
    u"増4度",      u"完全5度",  u"短6度",  u"長6度",  u"短7度",  u"長7度",
    u"オクターブ", u"短9度",    u"長9度",  u"短10度", u"長10度", u"完全11度",
    u"増11度",     u"完全12度", u"短13度", u"長13度", u"短14度", u"長14度",
};

/// The interval of a number of semitones, either way: "半音", "全音", "短3度", … "オクターブ",
/// "短9度", … "2オクターブ", "2オクターブと半音".
QString intervalName(std::int32_t semitones) {
    const std::int32_t wide = std::abs(semitones);
    if (wide < static_cast<std::int32_t>(intervals.size()))
        return QString::fromUtf16(intervals[static_cast<std::size_t>(wide)]);
    const QString octaves = QStringLiteral("%1オクターブ").arg(wide / 12);
    if (wide % 12 == 0)
        return octaves;
    return octaves + QStringLiteral("と") + QString::fromUtf16(intervals[wide % 12]);
}

} // namespace

namespace {

/// One item of an answer list: the text the list shows, and the short name the statistics and
/// the dictation windows use.
struct Item {
    QString listed;
    QString named;
};
using Items = std::vector<Item>;

/// The pitch classes, ハ first, in each naming. A list item names a black key by its sharp and
/// its flat; the short name by its sharp, as the Japanese names have always done, but for the
/// German B, which German-trained musicians never call Ais.
const Items &noteNames(NoteNaming naming) {
    static const Items japanese = {
        {QStringLiteral("ハ　（C）"), QStringLiteral("ハ")},
        {QStringLiteral("嬰ハ　変ニ（C#　D♭）"), QStringLiteral("嬰ハ")},
        {QStringLiteral("ニ　（D）"), QStringLiteral("ニ")},
        {QStringLiteral("嬰ニ　変ホ（D#　E♭）"), QStringLiteral("嬰ニ")},
        {QStringLiteral("ホ　（E）"), QStringLiteral("ホ")},
        {QStringLiteral("ヘ　（F）"), QStringLiteral("ヘ")},
        {QStringLiteral("嬰ヘ　変ト（F#　G♭）"), QStringLiteral("嬰ヘ")},
        {QStringLiteral("ト　（G）"), QStringLiteral("ト")},
        {QStringLiteral("嬰ト　変イ（G#　A♭）"), QStringLiteral("嬰ト")},
        {QStringLiteral("イ　（A）"), QStringLiteral("イ")},
        {QStringLiteral("嬰イ　変ロ（A#　B♭(H♭)）"), QStringLiteral("嬰イ")},
        {QStringLiteral("ロ　（B　Ｈ）"), QStringLiteral("ロ")},
    };
    static const Items solfege = {
        {QStringLiteral("ド"), QStringLiteral("ド")},
        {QStringLiteral("ド♯　レ♭"), QStringLiteral("ド♯")},
        {QStringLiteral("レ"), QStringLiteral("レ")},
        {QStringLiteral("レ♯　ミ♭"), QStringLiteral("レ♯")},
        {QStringLiteral("ミ"), QStringLiteral("ミ")},
        {QStringLiteral("ファ"), QStringLiteral("ファ")},
        {QStringLiteral("ファ♯　ソ♭"), QStringLiteral("ファ♯")},
        {QStringLiteral("ソ"), QStringLiteral("ソ")},
        {QStringLiteral("ソ♯　ラ♭"), QStringLiteral("ソ♯")},
        {QStringLiteral("ラ"), QStringLiteral("ラ")},
        {QStringLiteral("ラ♯　シ♭"), QStringLiteral("ラ♯")},
        {QStringLiteral("シ"), QStringLiteral("シ")},
    };
    static const Items english = {
        {QStringLiteral("C"), QStringLiteral("C")},
        {QStringLiteral("C♯　D♭"), QStringLiteral("C♯")},
        {QStringLiteral("D"), QStringLiteral("D")},
        {QStringLiteral("D♯　E♭"), QStringLiteral("D♯")},
        {QStringLiteral("E"), QStringLiteral("E")},
        {QStringLiteral("F"), QStringLiteral("F")},
        {QStringLiteral("F♯　G♭"), QStringLiteral("F♯")},
        {QStringLiteral("G"), QStringLiteral("G")},
        {QStringLiteral("G♯　A♭"), QStringLiteral("G♯")},
        {QStringLiteral("A"), QStringLiteral("A")},
        {QStringLiteral("A♯　B♭"), QStringLiteral("A♯")},
        {QStringLiteral("B"), QStringLiteral("B")},
    };
    static const Items german = {
        {QStringLiteral("C"), QStringLiteral("C")},
        {QStringLiteral("Cis　Des"), QStringLiteral("Cis")},
        {QStringLiteral("D"), QStringLiteral("D")},
        {QStringLiteral("Dis　Es"), QStringLiteral("Dis")},
        {QStringLiteral("E"), QStringLiteral("E")},
        {QStringLiteral("F"), QStringLiteral("F")},
        {QStringLiteral("Fis　Ges"), QStringLiteral("Fis")},
        {QStringLiteral("G"), QStringLiteral("G")},
        {QStringLiteral("Gis　As"), QStringLiteral("Gis")},
        {QStringLiteral("A"), QStringLiteral("A")},
        {QStringLiteral("Ais　B"), QStringLiteral("B")},
        {QStringLiteral("H"), QStringLiteral("H")},
    };
    switch (naming) {
    case NoteNaming::solfege:
        return solfege;
    case NoteNaming::english:
        return english;
    case NoteNaming::german:
        return german;
    case NoteNaming::japanese:
        break;
    }
    return japanese;
}

const Items &octaves() {
    static const Items items = {
        {QStringLiteral("下四点"), QStringLiteral("下四点")},
        {QStringLiteral("下三点"), QStringLiteral("下三点")},
        {QStringLiteral("下二点"), QStringLiteral("下二点")},
        {QStringLiteral("下一点"), QStringLiteral("下一点")},
        {QStringLiteral("（点無しのオクターブ）"), QStringLiteral("点無し")},
        {QStringLiteral("上一点（中央）"), QStringLiteral("上一点")},
        {QStringLiteral("上二点"), QStringLiteral("上二点")},
        {QStringLiteral("上三点"), QStringLiteral("上三点")},
        {QStringLiteral("上四点"), QStringLiteral("上四点")},
        {QStringLiteral("上五点"), QStringLiteral("上五点")},
        {QStringLiteral("上六点"), QStringLiteral("上六点")},
    };
    return items;
}

/// The scale types by code: the Western scales and church modes, then the Japanese scales.
const Items &scaleTypes() {
    static const Items items = {
        {QStringLiteral("長音階（長調）　Major　Dur　根音がCならヒポリディア旋法でもある"),
         QStringLiteral("長音階")},
        {QStringLiteral("自然的短音階（短調）　minor　moll　根音がAならヒポドリア旋法でもある"),
         QStringLiteral("自然的短音階")},
        {QStringLiteral("和声的短音階（短調）　minor　moll"), QStringLiteral("和声的短音階")},
        {QStringLiteral("旋律的短音階（短調）　minor　moll"), QStringLiteral("旋律的短音階")},
        {QStringLiteral("教会旋法　ドリア旋法"), QStringLiteral("ドリア旋法")},
        {QStringLiteral("教会旋法　フリギア旋法"), QStringLiteral("フリギア旋法")},
        {QStringLiteral("教会旋法　リディア旋法"), QStringLiteral("リディア旋法")},
        {QStringLiteral("教会旋法　ミクソリディア旋法"), QStringLiteral("ミクソリディア旋法")},
        {QStringLiteral("教会旋法　ロクリア旋法"), QStringLiteral("ロクリア旋法")},
        {QStringLiteral("陽音階（上行下行が同じ）"), QStringLiteral("陽音階（上行下行が同じ）")},
        {QStringLiteral("陽音階（上行下行がちがう）"),
         QStringLiteral("陽音階（上行下行がちがう）")},
        {QStringLiteral("陰音階"), QStringLiteral("陰音階")},
        {QStringLiteral("民謡音階"), QStringLiteral("民謡音階")},
        {QStringLiteral("律音階（雅楽音階）"), QStringLiteral("律音階")},
        {QStringLiteral("都節音階"), QStringLiteral("都節音階")},
        {QStringLiteral("沖縄音階"), QStringLiteral("沖縄音階")},
    };
    return items;
}

const Items &chordTypes() {
    static const Items items = {
        {QStringLiteral("M　（メジャー）"), QStringLiteral("M（メジャー）")},
        {QStringLiteral("minor　（マイナー）"), QStringLiteral("minor（マイナー）")},
        {QStringLiteral("7　（ドミナント・セブンス）"),
         QStringLiteral("7（ドミナント・セブンス）")},
        {QStringLiteral("m7　（マイナー・セブンス）"), QStringLiteral("m7（マイナー・セブンス）")},
        {QStringLiteral("maj7　（メジャー・セブンス　M7, △7）"),
         QStringLiteral("maj7（メジャー・セブンス）")},
        {QStringLiteral("mM7　（マイナー・メジャー・セブンス）"),
         QStringLiteral("mM7（マイナー・メジャー・セブンス）")},
        {QStringLiteral("6　（シックスス）"), QStringLiteral("6（シックスス）")},
        {QStringLiteral("m6　（マイナー・シックスス）"),
         QStringLiteral("m6（マイナー・シックスス）")},
        {QStringLiteral("6(9)　（シックスス・ナインス）"),
         QStringLiteral("6(9)（シックスス・ナインス）")},
        {QStringLiteral("m6(9)　（マイナー・シックスス・ナインス）"),
         QStringLiteral("m6(9)（マイナー・シックスス・ナインス）")},
        {QStringLiteral("sus4　（サス・フォー）"), QStringLiteral("sus4（サス・フォー）")},
        {QStringLiteral("7sus4　（セブンス・サス・フォー）"),
         QStringLiteral("7sus4（セブンス・サス・フォー）")},
        {QStringLiteral("dim7 　（ディミニッシュ　dim, o）"),
         QStringLiteral("dim7（ディミニッシュ）")},
        {QStringLiteral("aug　（オーグメント　＋）"), QStringLiteral("aug（オーグメント）")},
    };
    return items;
}

/// The self-mark grades; the list's item 2 is blank.
const Items &grades() {
    static const Items items = {
        {QStringLiteral("よくできた"), QStringLiteral("よくできた")},
        {QStringLiteral("どっちかというと正解"), QStringLiteral("どっちかというと正解")},
        {QString(), QStringLiteral("空欄")},
        {QStringLiteral("どっちかというと間違い"), QStringLiteral("どっちかというと間違い")},
        {QStringLiteral("ひどい間違い"), QStringLiteral("ひどい間違い")},
    };
    return items;
}

QString nameOf(const Items &items, std::int32_t index) {
    return index >= 0 && index < static_cast<std::int32_t>(items.size())
               ? items[static_cast<std::size_t>(index)].named
               : QString::number(index);
}

/// The texts a list shows for items `first` to `last` (excluded), after a blank item when it has
/// one.
QStringList listed(const Items &items, bool blankFirst, std::size_t first = 0,
                   std::size_t last = std::size_t(-1)) {
    QStringList texts;
    if (blankFirst)
        texts << QString();
    for (std::size_t k = first; k < std::min(last, items.size()); ++k)
        texts << items[k].listed;
    return texts;
}

} // namespace

namespace {

NoteNaming namingInUse = NoteNaming::japanese;

} // namespace

NoteNaming noteNaming() {
    return namingInUse;
}

void setNoteNaming(NoteNaming naming) {
    namingInUse = naming;
}

QString noteNamingTitle(NoteNaming naming) {
    switch (naming) {
    case NoteNaming::solfege:
        return QStringLiteral("ドレミ（固定ド）");
    case NoteNaming::english:
        return QStringLiteral("CDE（英語音名）");
    case NoteNaming::german:
        return QStringLiteral("CDEH（ドイツ音名）");
    case NoteNaming::japanese:
        break;
    }
    return QStringLiteral("ハニホ（日本音名）");
}

QString noteName(std::int32_t pitchClass, NoteNaming naming) {
    return nameOf(noteNames(naming), pitchClass);
}

QString writtenNote(std::int32_t note, NoteNaming naming) {
    return noteName(note % 12, naming) + QStringLiteral("（") + octaveName(note / 12) +
           QStringLiteral("）");
}

QString octaveName(std::int32_t octave) {
    return nameOf(octaves(), octave);
}

QString scaleTypeName(std::int32_t type) {
    return nameOf(scaleTypes(), type);
}

QString scaleName(std::int32_t type, std::int32_t key, NoteNaming naming) {
    if (Answers::isJapaneseScale(type) || key < 0)
        return scaleTypeName(type);
    // A Japanese key name joins its note to the type ("ニ長調", "ニ 長音階"); a teacher using the
    // other namings says "レの長音階", "Dの長音階", "Fisの和声的短音階".
    const QString joint =
        naming == NoteNaming::japanese ? QStringLiteral(" ") : QStringLiteral("の");
    return noteName(key, naming) + joint + scaleTypeName(type);
}

QString chordTypeName(std::int32_t type) {
    return nameOf(chordTypes(), type);
}

QStringList AnswerLists::noteNames(NoteNaming naming) {
    return listed(miminomi::noteNames(naming), true);
}

QStringList AnswerLists::octaves() {
    return listed(miminomi::octaves(), true);
}

QStringList AnswerLists::westernScaleTypes() {
    return listed(scaleTypes(), true, 0, Answers::firstJapaneseScale);
}

QStringList AnswerLists::japaneseScaleTypes() {
    return listed(scaleTypes(), true, Answers::firstJapaneseScale);
}

QStringList AnswerLists::chordTypes() {
    return listed(miminomi::chordTypes(), true);
}

QStringList AnswerLists::grades() {
    return listed(miminomi::grades(), false);
}

QString pieceName(std::int32_t piece) {
    return QStringLiteral("第%1曲").arg(piece);
}

QString gradeName(std::int32_t grade) {
    return nameOf(grades(), grade);
}

QString itemName(const ItemKey &item, NoteNaming naming) {
    if (item.kind == ItemKind::scale)
        return scaleName(item.value, item.key, naming);
    return valueName(item.kind, item.value, naming);
}

QString confusionText(const Confusion &confusion, NoteNaming naming) {
    // The key of a scale and the root of a chord are named as such, or they would read as notes.
    QString whose;
    if (confusion.kind == ItemKind::scaleKey)
        whose = QStringLiteral("主音");
    else if (confusion.kind == ItemKind::chordRoot)
        whose = QStringLiteral("根音");
    // A name answered without its height is shown as it was answered.
    const ItemKind asked = confusion.kind == ItemKind::noteName ? ItemKind::note : confusion.kind;
    const QString named =
        whose + QStringLiteral("「%1」").arg(valueName(asked, confusion.asked, naming));
    // A list left blank while the other was answered.
    if (confusion.answered < 0)
        return named + QStringLiteral("を答えなかった");
    return named + QStringLiteral("を「%1」と答えた")
                       .arg(valueName(confusion.kind, confusion.answered, naming));
}

QString slipText(const NoteSlip &slip) {
    if (slip.semitones == 0)
        return QStringLiteral("名前は正しく，高さを答えなかった");
    return intervalName(slip.semitones) +
           (slip.semitones > 0 ? QStringLiteral("高く答えた") : QStringLiteral("低く答えた"));
}

QString exerciseName(Exercise exercise) {
    static const std::array<const char16_t *, allExercises.size()> names = {
        u"単音", u"スケール", u"コード", u"リズム", u"メロディ"};
    return QString::fromUtf16(names[indexOf(exercise)]);
}

QString keyName(const music::Key &key, NoteNaming naming) {
    const auto [step, alter] = key.tonic();
    const auto index = static_cast<std::size_t>(step);
    // Sharps and flats as each naming writes them: before a Japanese name (嬰ヘ, 変ロ), after the
    // others (ファ♯, F♯), and in German as its endings (Fis, Es, As, B).
    const QString sharps = QString(std::abs(alter), QChar(u'♯'));
    const QString flats = QString(std::abs(alter), QChar(u'♭'));
    const QString accidentals = alter > 0 ? sharps : flats;
    switch (naming) {
    case NoteNaming::solfege: {
        static const std::array<const char16_t *, 7> steps = {u"ド", u"レ", u"ミ", u"ファ",
                                                              u"ソ", u"ラ", u"シ"};
        return QString::fromUtf16(steps[index]) + accidentals +
               (key.minor ? QStringLiteral("短調") : QStringLiteral("長調"));
    }
    case NoteNaming::english:
        return QString(QChar(u"CDEFGAB"[index])) + accidentals +
               (key.minor ? QStringLiteral(" minor") : QStringLiteral(" major"));
    case NoteNaming::german: {
        QString name(QChar(u"CDEFGAH"[index]));
        if (alter > 0)
            name += QStringLiteral("is").repeated(alter);
        else if (alter < 0 && step == music::Step::B)
            name = QStringLiteral("B") + QStringLiteral("es").repeated(-alter - 1);
        else if (alter < 0)
            name += (step == music::Step::E || step == music::Step::A ? QStringLiteral("s")
                                                                      : QStringLiteral("es")) +
                    QStringLiteral("es").repeated(-alter - 1);
        return key.minor ? name.toLower() + QStringLiteral("-Moll") : name + QStringLiteral("-Dur");
    }
    case NoteNaming::japanese:
        break;
    }
    static const std::array<const char16_t *, 7> steps = {u"ハ", u"ニ", u"ホ", u"ヘ",
                                                          u"ト", u"イ", u"ロ"};
    QString prefix;
    if (alter != 0)
        prefix = QString(std::abs(alter) > 1 ? QStringLiteral("重") : QString()) +
                 (alter > 0 ? QStringLiteral("嬰") : QStringLiteral("変"));
    return prefix + QString::fromUtf16(steps[index]) +
           (key.minor ? QStringLiteral("短調") : QStringLiteral("長調"));
}

QString scaleDegreeName(std::int32_t degree, std::int32_t alteration, bool minor) {
    static const std::array<const char16_t *, 7> syllables = {u"ド", u"レ", u"ミ", u"ファ",
                                                              u"ソ", u"ラ", u"シ"};
    if (degree < 1 || degree > 7)
        return QStringLiteral("第%1音").arg(degree);
    // A minor key sings from ラ: its 3rd is ド and its raised 7th ソ♯.
    const std::size_t syllable = static_cast<std::size_t>(degree - 1 + (minor ? 5 : 0)) % 7;
    const QString altered =
        QString(std::abs(alteration), alteration > 0 ? QChar(u'♯') : QChar(u'♭'));
    return QStringLiteral("第%1音（%2%3）")
        .arg(degree)
        .arg(QString::fromUtf16(syllables[syllable]), altered);
}

QString melodicIntervalName(std::int32_t steps) {
    if (steps == 0)
        return QStringLiteral("同音");
    const std::int32_t size = std::abs(steps);
    const QString way = steps > 0 ? QStringLiteral("上行の") : QStringLiteral("下行の");
    if (size == 7)
        return way + QStringLiteral("オクターブ");
    return way + QStringLiteral("%1度").arg(size + 1);
}

QString rhythmFigureName(const std::string &figure) {
    // The figure in strokes, each a note or rest and the sixteenths it lasts; a beat that begins
    // with a note or rest from before starts with that stroke.
    struct Stroke {
        char kind; // 'x' a note, 'r' a rest, '-' what goes on from before
        int length;
    };
    std::vector<Stroke> strokes;
    for (const char c : figure) {
        if (c == '-' && !strokes.empty())
            ++strokes.back().length;
        else
            strokes.push_back({c == '-' ? '-' : c, 1});
    }
    const auto valueOf = [](int sixteenths) -> QString {
        switch (sixteenths) {
        case 1:
            return QStringLiteral("16分");
        case 2:
            return QStringLiteral("8分");
        case 3:
            return QStringLiteral("付点8分");
        case 4:
            return QStringLiteral("4分");
        case 6:
            return QStringLiteral("付点4分");
        case 8:
            return QStringLiteral("2分");
        case 12:
            return QStringLiteral("付点2分");
        case 16:
            return QStringLiteral("全");
        }
        return QStringLiteral("16分%1つ分の").arg(sixteenths);
    };
    QStringList names;
    QString last;
    int repeats = 0;
    const auto flush = [&] {
        if (repeats > 0)
            names << (repeats == 1 ? last : last + QStringLiteral("%1つ").arg(repeats));
        repeats = 0;
    };
    for (const Stroke &stroke : strokes) {
        const QString name = stroke.kind == '-'   ? QStringLiteral("前から続く音")
                             : stroke.kind == 'r' ? valueOf(stroke.length) + QStringLiteral("休符")
                                                  : valueOf(stroke.length) + QStringLiteral("音符");
        // Equal values in a row are counted, as a teacher says "16分音符4つ".
        if (name != last || stroke.kind == '-')
            flush();
        last = name;
        ++repeats;
    }
    flush();
    return names.join(QStringLiteral("＋"));
}

} // namespace miminomi
