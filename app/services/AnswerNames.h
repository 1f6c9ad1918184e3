// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QComboBox;

namespace miminomi {

/// How an answer list's items are named from the keyboard, in the main window and the review
/// alike: by their words or the first keys of them, in letters or in kana ("へんろ" for 変ロ,
/// "ちょう" for 長調), as typed or as an input method commits them.
namespace AnswerNames {

/// A name as typed and as listed, made comparable: full-width letters and signs as half-width,
/// hiragana as katakana, without spaces, brackets or middle dots.
QString folded(const QString &text);

/// The names an answer item answers to, folded: its whole text and each of its words ("maj7",
/// "メジャー・セブンス", "M7" and "△7" for "maj7　（メジャー・セブンス　M7, △7）"), each also
/// with its kanji read.
QStringList namesOf(const QString &item);

/// The item of `box` that `typed` names: one with a name as typed, else one with a name that
/// begins as typed; capitals and small letters counted first ("M" the major chord, "m" the first
/// of the minor ones), then not ("MAJ7"). An item's Qt::UserRole data, its Japanese name, names
/// it too, so that kana work in every naming of the notes. The earliest item in the list wins;
/// nothing when no item is named.
std::optional<int> itemNamed(const QComboBox *box, const QString &typed);

/// An item named by keys typed one after another.
struct Typed {
    int item = -1;
    /// The keys that named it, which the next keys follow.
    QString keys;
};

/// The item of `box` that `text` names typed after `before`, else typed on its own; nothing when
/// neither names an item.
std::optional<Typed> typedItem(const QComboBox *box, const QString &before, const QString &text);

} // namespace AnswerNames

} // namespace miminomi
