// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/HistoryCsv.h"

#include "app/services/ItemNames.h"
#include "history/History.h"
#include "quiz/Answers.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSaveFile>

#include <array>

namespace miminomi {

namespace {

/// The note range list's items, as short as a line of settings wants them.
const std::array<const char16_t *, 5> ranges = {u"ト音記号のあたり", u"ヘ音記号のあたり",
                                                u"ト音記号から広く", u"ヘ音記号から広く",
                                                u"MIDIの全範囲"};
const std::array<const char16_t *, 4> scaleFamilies = {u"西洋音階", u"西洋音階と教会旋法",
                                                       u"日本音階", u"全部"};

QString onOff(bool on) {
    return on ? QStringLiteral("あり") : QStringLiteral("なし");
}

template <std::size_t N>
QString fromTable(const std::array<const char16_t *, N> &table, std::int32_t index) {
    if (index < 0 || index >= static_cast<std::int32_t>(N))
        return QString::number(index);
    return QString::fromUtf16(table[static_cast<std::size_t>(index)]);
}

/// A chord as the lists name it, its root and its type: "ハ M（メジャー）", "ドのM（メジャー）".
QString chordName(std::int32_t root, std::int32_t type) {
    const QString joint =
        noteNaming() == NoteNaming::japanese ? QStringLiteral(" ") : QStringLiteral("の");
    return noteName(root) + joint + chordTypeName(type);
}

QString asked(const StoredQuestion &question) {
    if (question.piece)
        return pieceName(*question.piece);
    if (question.answers.empty())
        return {};
    const StoredAnswer &answer = question.answers.front();
    const std::int32_t type = answer.askedType.value_or(-1);
    switch (question.exercise) {
    case Exercise::note:
        return writtenNote(answer.askedNote);
    case Exercise::scale:
        return scaleName(type, answer.askedNote % 12);
    case Exercise::chord:
        return chordName(answer.askedNote % 12, type);
    case Exercise::risum:
    case Exercise::melody:
        break;
    }
    return {};
}

QString chosen(const StoredQuestion &question) {
    if (question.answers.empty())
        return {};
    const StoredAnswer &answer = question.answers.front();
    const std::int32_t name = answer.chosenName.value_or(-1);
    const std::int32_t type = answer.chosenType.value_or(-1);
    if (name < 0 && type < 0 && !answer.chosenOctave)
        return QStringLiteral("答えなし");
    switch (question.exercise) {
    case Exercise::note:
        if (name >= 0 && answer.chosenOctave)
            return writtenNote(*answer.chosenOctave * 12 + name);
        return name >= 0 ? noteName(name) : octaveName(*answer.chosenOctave);
    case Exercise::scale:
        if (type < 0)
            return QStringLiteral("主音") + noteName(name);
        return scaleName(type, name);
    case Exercise::chord:
        if (type < 0)
            return QStringLiteral("根音") + noteName(name);
        if (name < 0)
            return chordTypeName(type);
        return chordName(name, type);
    case Exercise::risum:
    case Exercise::melody:
        break;
    }
    return {};
}

QString verdict(const StoredQuestion &question) {
    if (question.piece)
        return question.grade ? gradeName(*question.grade) : QString();
    if (question.answers.empty())
        return {};
    const std::optional<bool> right = question.answers.front().right;
    if (!right)
        return QStringLiteral("採点前に正解を見た");
    return *right ? QStringLiteral("正解") : QStringLiteral("間違い");
}

QString settingsOf(const StoredQuestion &question) {
    const StoredSettings &settings = question.settings;
    QStringList parts;
    switch (question.exercise) {
    case Exercise::note:
        parts << QStringLiteral("音域：") + (settings.rangePreset
                                                 ? fromTable(ranges, *settings.rangePreset)
                                                 : QStringLiteral("未選択"))
              << QStringLiteral("黒鍵：") + onOff(!settings.onlyWhiteKeys)
              << QStringLiteral("一度に答える音数：%1").arg(settings.noteCount);
        break;
    case Exercise::scale:
        parts << QStringLiteral("音階：") + fromTable(scaleFamilies, settings.scaleFamily);
        break;
    case Exercise::chord: {
        QStringList types;
        for (std::int32_t type = 0; type < 14; ++type)
            if (settings.chordTypes & (1 << type))
                types << chordTypeName(type);
        parts << QStringLiteral("コードの種類：") + types.join(QStringLiteral("，"))
              << QStringLiteral("白鍵のみ：") + onOff(settings.chordWhiteKeys)
              << QStringLiteral("分散和音のヒント：") + onOff(settings.chordHint);
        break;
    }
    case Exercise::risum:
    case Exercise::melody:
        if (question.proposedGrade)
            parts << QStringLiteral("提案された評価：") + gradeName(*question.proposedGrade);
        if (question.givenCount)
            parts << QStringLiteral("入力した数：%1").arg(*question.givenCount);
        break;
    }
    parts << QStringLiteral("基準のラ：") + onOff(settings.referenceA)
          << QStringLiteral("聴き直し：%1回").arg(question.replays);
    return parts.join(QStringLiteral("・"));
}

QString metreName(const music::Metre &metre) {
    return QStringLiteral("%1分の%2拍子").arg(metre.beatType).arg(metre.beats);
}

QStringList examFields(const StoredExam &exam) {
    const QString asked = QStringLiteral("レベル%1・第%2問・%3・%4・%5小節")
                              .arg(exam.level)
                              .arg(exam.seed)
                              .arg(keyName(exam.key), metreName(exam.metre))
                              .arg(exam.bars);
    QStringList settings;
    settings << (exam.mode == StoredExam::Mode::rhythm ? QStringLiteral("リズム")
                                                       : QStringLiteral("単旋律"))
             << (exam.schedule == StoredExam::Schedule::exam ? QStringLiteral("試験形式")
                                                             : QStringLiteral("練習形式"))
             << QStringLiteral("♩＝%1").arg(exam.tempo)
             << QStringLiteral("演奏：%1回").arg(exam.playings);
    if (!exam.leaning.empty())
        settings << QStringLiteral("苦手な問題を多めに");
    return {QStringLiteral("聴音"),
            asked,
            QStringLiteral("正しく書けた小節：%1／%2").arg(exam.barsRight).arg(exam.bars),
            QStringLiteral("%1点").arg(exam.score),
            settings.join(QStringLiteral("・")),
            QString()};
}

QString problemText(History::Problem problem) {
    switch (problem) {
    case History::Problem::newer:
        return QStringLiteral("答えの履歴が新しい版のみみのみで作られているため，読めません．");
    case History::Problem::locked:
        return QStringLiteral("答えの履歴をいまほかのプログラムが使っています．"
                              "しばらくしてから，もう一度書き出してください．");
    case History::Problem::cannotWrite:
    case History::Problem::unreadable:
    case History::Problem::none:
        break;
    }
    return QStringLiteral("答えの履歴が壊れているか，読み込めません．");
}

} // namespace

QStringList HistoryCsv::heading() {
    return {QStringLiteral("日時"), QStringLiteral("練習"), QStringLiteral("出題"),
            QStringLiteral("解答"), QStringLiteral("正誤"), QStringLiteral("設定"),
            QStringLiteral("復習")};
}

QStringList HistoryCsv::fields(const ExportRow &row) {
    const QString when =
        QDateTime::fromSecsSinceEpoch(row.at).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    if (row.exam)
        return QStringList{when} + examFields(*row.exam);
    const StoredQuestion &question = row.question;
    return {when,
            exerciseName(question.exercise),
            asked(question),
            chosen(question),
            verdict(question),
            settingsOf(question),
            question.review ? QStringLiteral("復習") : QString()};
}

QString HistoryCsv::line(const QStringList &fields) {
    QStringList quoted;
    for (QString field : fields) {
        if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n') ||
            field.contains(u'\r')) {
            field.replace(u'"', QStringLiteral("\"\""));
            field = u'"' + field + u'"';
        }
        quoted << field;
    }
    return quoted.join(u',');
}

std::vector<QStringList> HistoryCsv::lines(const std::vector<ExportRow> &rows) {
    std::vector<QStringList> lines{heading()};
    lines.reserve(rows.size() + 1);
    for (const ExportRow &row : rows)
        lines.push_back(fields(row));
    return lines;
}

QByteArray HistoryCsv::text(const std::vector<QStringList> &lines) {
    QString text;
    for (const QStringList &fields : lines)
        text += line(fields) + QStringLiteral("\r\n");
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

Result<std::size_t, QString> writeHistoryCsv(History &history, const QString &path,
                                             DayRange range) {
    const auto rows = history.exportRows(range);
    if (!rows)
        return problemText(rows.reason());
    // The text is written beside the chosen name and takes it only once complete; a failed write
    // leaves neither a half-written file nor the one beside it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("「%1」に書き込めません（%2）．")
            .arg(QFileInfo(path).fileName(), file.errorString());
    const QByteArray bytes = HistoryCsv::text(HistoryCsv::lines(*rows));
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        // A full disk or a size limit leaves Qt without words for it.
        const QString why =
            file.error() == QFileDevice::WriteError
                ? QStringLiteral("ディスクの空きが足りないか，書き込みが制限されています")
                : file.errorString();
        return QStringLiteral(
                   "「%1」を書き終えられませんでした（%2）．ファイルは作られていません．")
            .arg(QFileInfo(path).fileName(), why);
    }
    return rows->size();
}

} // namespace miminomi
