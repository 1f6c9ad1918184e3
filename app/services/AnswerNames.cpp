// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/AnswerNames.h"

#include <QComboBox>
#include <QRegularExpression>

#include <utility>
#include <vector>

namespace miminomi::AnswerNames {

namespace {

/// Readings of the kanji in the answer items' words, so that an item can be named in kana, as an
/// input method gives them before they are converted.
const std::pair<const char16_t *, const char16_t *> readings[] = {
    {u"嬰", u"えい"},
    {u"変", u"へん"},
    {u"長音階", u"ちょうおんかい"},
    {u"長調", u"ちょうちょう"},
    {u"短調", u"たんちょう"},
    {u"自然的", u"しぜんてき"},
    {u"和声的", u"わせいてき"},
    {u"旋律的", u"せんりつてき"},
    {u"短音階", u"たんおんかい"},
    {u"教会", u"きょうかい"},
    {u"旋法", u"せんぽう"},
    {u"陽音階", u"ようおんかい"},
    {u"陰音階", u"いんおんかい"},
    {u"民謡音階", u"みんようおんかい"},
    {u"律音階", u"りつおんかい"},
    {u"雅楽音階", u"ががくおんかい"},
    {u"都節音階", u"みやこぶしおんかい"},
    {u"沖縄音階", u"おきなわおんかい"},
    {u"上行下行", u"じょうこうかこう"},
    {u"同じ", u"おなじ"},
};

} // namespace

QString folded(const QString &text) {
    QString kept;
    for (const QChar c : text.normalized(QString::NormalizationForm_KC)) {
        const char16_t u = c.unicode();
        if (c.isSpace() || u == u'(' || u == u')' || u == u'・')
            continue;
        kept += u >= u'ぁ' && u <= u'ゖ' ? QChar(char16_t(u + (u'ァ' - u'ぁ'))) : c;
    }
    return kept;
}

QStringList namesOf(const QString &item) {
    static const QRegularExpression between(QStringLiteral("[\\s\u3000（）,，、]+"));
    QStringList names;
    for (const QString &word : QStringList{item} + item.split(between, Qt::SkipEmptyParts)) {
        QString read = word;
        for (const auto &[kanji, kana] : readings)
            read.replace(QString::fromUtf16(kanji), QString::fromUtf16(kana));
        for (const QString &name : {folded(word), folded(read)})
            if (!name.isEmpty() && !names.contains(name))
                names << name;
    }
    return names;
}

std::optional<int> itemNamed(const QComboBox *box, const QString &typed) {
    const QString wanted = folded(typed);
    if (wanted.isEmpty())
        return std::nullopt;
    std::vector<QStringList> names;
    for (int item = 0; item < box->count(); ++item)
        names.push_back(namesOf(box->itemText(item)) +
                        namesOf(box->itemData(item, Qt::UserRole).toString()));
    for (const Qt::CaseSensitivity cases : {Qt::CaseSensitive, Qt::CaseInsensitive})
        for (const bool whole : {true, false})
            for (int item = 0; item < box->count(); ++item)
                for (const QString &name : names[std::size_t(item)])
                    if (whole ? name.compare(wanted, cases) == 0 : name.startsWith(wanted, cases))
                        return item;
    return std::nullopt;
}

std::optional<Typed> typedItem(const QComboBox *box, const QString &before, const QString &text) {
    QStringList tries = {before + text};
    if (!before.isEmpty())
        tries << text;
    for (const QString &keys : tries)
        if (const std::optional<int> item = itemNamed(box, keys))
            return Typed{*item, keys};
    return std::nullopt;
}

} // namespace miminomi::AnswerNames
