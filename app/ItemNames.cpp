#include "app/ItemNames.h"

#include "quiz/Answers.h"

#include <QStringList>

namespace miminomi {

namespace {

QString nameIn(const QStringList &names, std::int32_t index) {
    return index >= 0 && index < names.size() ? names[index] : QString::number(index);
}

/// The name of a confused value in the words of its kind.
QString valueName(ItemKind kind, std::int32_t value) {
    switch (kind) {
    case ItemKind::octave:
        return octaveName(value);
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
    return noteName(value);
}

} // namespace

QString noteName(std::int32_t pitchClass) {
    static const QStringList names = {
        QStringLiteral("ハ"),   QStringLiteral("嬰ハ"), QStringLiteral("ニ"),
        QStringLiteral("嬰ニ"), QStringLiteral("ホ"),   QStringLiteral("ヘ"),
        QStringLiteral("嬰ヘ"), QStringLiteral("ト"),   QStringLiteral("嬰ト"),
        QStringLiteral("イ"),   QStringLiteral("嬰イ"), QStringLiteral("ロ"),
    };
    return nameIn(names, pitchClass);
}

QString writtenNote(std::int32_t note) {
    return noteName(note % 12) + QString::number(note / 12 - 1);
}

QString octaveName(std::int32_t octave) {
    static const QStringList names = {
        QStringLiteral("下四点"), QStringLiteral("下三点"), QStringLiteral("下二点"),
        QStringLiteral("下一点"), QStringLiteral("点無し"), QStringLiteral("上一点"),
        QStringLiteral("上二点"), QStringLiteral("上三点"), QStringLiteral("上四点"),
        QStringLiteral("上五点"), QStringLiteral("上六点"),
    };
    return nameIn(names, octave);
}

QString scaleTypeName(std::int32_t type) {
    static const QStringList names = {
        QStringLiteral("長音階"),
        QStringLiteral("自然的短音階"),
        QStringLiteral("和声的短音階"),
        QStringLiteral("旋律的短音階"),
        QStringLiteral("ドリア旋法"),
        QStringLiteral("フリギア旋法"),
        QStringLiteral("リディア旋法"),
        QStringLiteral("ミクソリディア旋法"),
        QStringLiteral("ロクリア旋法"),
        QStringLiteral("陽音階（上行下行が同じ）"),
        QStringLiteral("陽音階（上行下行がちがう）"),
        QStringLiteral("陰音階"),
        QStringLiteral("民謡音階"),
        QStringLiteral("律音階"),
        QStringLiteral("都節音階"),
        QStringLiteral("沖縄音階"),
    };
    return nameIn(names, type);
}

QString scaleName(std::int32_t type, std::int32_t key) {
    if (Answers::isJapaneseScale(type) || key < 0)
        return scaleTypeName(type);
    return noteName(key) + QLatin1Char(' ') + scaleTypeName(type);
}

QString chordTypeName(std::int32_t type) {
    static const QStringList names = {
        QStringLiteral("M（メジャー）"),
        QStringLiteral("minor（マイナー）"),
        QStringLiteral("7（ドミナント・セブンス）"),
        QStringLiteral("m7（マイナー・セブンス）"),
        QStringLiteral("maj7（メジャー・セブンス）"),
        QStringLiteral("mM7（マイナー・メジャー・セブンス）"),
        QStringLiteral("6（シックスス）"),
        QStringLiteral("m6（マイナー・シックスス）"),
        QStringLiteral("6(9)（シックスス・ナインス）"),
        QStringLiteral("m6(9)（マイナー・シックスス・ナインス）"),
        QStringLiteral("sus4（サス・フォー）"),
        QStringLiteral("7sus4（セブンス・サス・フォー）"),
        QStringLiteral("dim7（ディミニッシュ）"),
        QStringLiteral("aug（オーグメント）"),
    };
    return nameIn(names, type);
}

QString pieceName(std::int32_t piece) {
    return QStringLiteral("第%1曲").arg(piece);
}

QString gradeName(std::int32_t grade) {
    static const QStringList names = {
        QStringLiteral("よくできた"),   QStringLiteral("どっちかというと正解"),
        QStringLiteral("空欄"),         QStringLiteral("どっちかというと間違い"),
        QStringLiteral("ひどい間違い"),
    };
    return nameIn(names, grade);
}

QString itemName(const ItemKey &item) {
    if (item.kind == ItemKind::scale)
        return scaleName(item.value, item.key);
    return valueName(item.kind, item.value);
}

QString confusionText(const Confusion &confusion) {
    return QStringLiteral("%1 を %2 と答えた\u3000%3回")
        .arg(valueName(confusion.kind, confusion.asked),
             valueName(confusion.kind, confusion.answered), QString::number(confusion.count));
}

} // namespace miminomi
