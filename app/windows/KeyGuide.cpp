// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/KeyGuide.h"

#include "app/services/Fonts.h"
#include "app/services/ItemNames.h"
#include "app/windows/ToolWindow.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace miminomi {

namespace {

QString keysText(const QKeySequence &keys) {
    return keys.toString(QKeySequence::NativeText);
}

/// What the letters B and H type, in the naming in use: both the B natural, which the German
/// naming writes H.
QString typedBAndH() {
    switch (noteNaming()) {
    case NoteNaming::english:
        return QStringLiteral("H も B");
    case NoteNaming::german:
        return QStringLiteral("B も H");
    case NoteNaming::japanese:
    case NoteNaming::solfege:
        break;
    }
    return QStringLiteral("H も") + noteName(11);
}

} // namespace

std::vector<KeyGuide::Section> KeyGuide::sections() {
    return {
        {QStringLiteral("問題に答えるキー（どのページでも）"),
         {
             {Qt::Key_F5, QStringLiteral("新規出題：新しい問題を鳴らします．")},
             {Qt::Key_F6, QStringLiteral("もう一度：同じ問題をもう一度鳴らします．")},
             {Qt::Key_F7, QStringLiteral("採点：答えを採点します．リズムとメロディでは，"
                                         "自己採点の得点確定です．")},
             {Qt::Key_F8, QStringLiteral("正解を見る：正解を答えの欄に表示します．")},
             {Qt::Key_F9,
              QStringLiteral("聴き比べる：間違えた答えについて，出題と"
                             "あなたの答えを続けて鳴らします（Escキーで止まります）．")},
             {Qt::Key_F4, QStringLiteral("基準音を鳴らす：ラ（A＝440Hz）を2秒鳴らします．")},
             {Qt::Key_F2, QStringLiteral("過去記録を見る：これまでの成績をグラフで見ます．")},
             {QKeySequence(Qt::SHIFT | Qt::Key_F2),
              QStringLiteral("成績の分析を見る：音ごと・種類ごとの正答率と，多かった聞き間違い"
                             "を見ます．")},
             {QKeySequence(Qt::CTRL | Qt::Key_F5),
              QStringLiteral("右の成績欄をリセット：このページの正解数と誤答数を0に戻します．")},
         },
         QStringLiteral("Tabキーで次の欄やボタンへ進み，Enterキーでボタンを押せます．")},
        {QStringLiteral("答えをキーで入れる"),
         {},
         QStringLiteral(
             "単音：C D E F G A B で音名（%3），# で半音上げ，- で半音下げ，"
             "続けて数字で高さ（4が上一点）．例：C4 は%1，B#4 は%2"
             "です．\nスケールとコード：主音を同じように C D E F G A B（%3）と # や - で"
             "入れ，続けて種類を名前の頭文字で入れます（M はメジャー，m はマイナー，m7，maj7，"
             "dim7，sus4 など．スケールは Major，minor や，ちょう，わせい，どりあ，みんよう"
             "などのよみでも）．上下の矢印キーでも選べます．ひらがなの音名（へ，へんろ など）"
             "も使えます．")
             .arg(writtenNote(60), writtenNote(72), typedBAndH())},
        {QStringLiteral("練習メニュー（Alt+P）"),
         {
             {QKeySequence(Qt::CTRL | Qt::Key_F9),
              QStringLiteral("今日の復習：間違えた音・スケール・コードが，1日後・3日後・7日後・"
                             "14日後に戻ってきます．よく取り違える二つは，聴き分けの2択で出ます．"
                             "キーは上と同じです（Enterキーで採点して次へ，2択は1か2）．")},
             {{},
              QStringLiteral("苦手な問題を多めに出す：最近間違えた音・スケール・コードが多めに"
                             "出ます（はじめは切ってあります）．")},
             {Qt::Key_F3, QStringLiteral("リズムをたたいて答える：曲を聴いたあと，予備拍に続けて"
                                         "リズムをたたくと，プログラムが採点を提案します．")},
             {QKeySequence(Qt::SHIFT | Qt::Key_F3),
              QStringLiteral("メロディを入力して答える：聴いたメロディの音を入力すると，"
                             "プログラムが採点を提案します．")},
             {QKeySequence(Qt::CTRL | Qt::Key_F3),
              QStringLiteral("聴音（試験形式）：カデンツのあと，試験と同じ順序と間で弾かれる"
                             "メロディを五線に書き，100点満点で採点します．")},
             {{},
              QStringLiteral("音名の表記：答えの欄，成績の分析，メロディの入力の音名を，ハニホ・"
                             "ドレミ（固定ド）・CDE・CDEH（ドイツ音名）から選びます．キーでは，どの"
                             "表記でも英語の音名 C D E F G A B で入れます（CDEH の B，変ロは B- か"
                             " A#）．")},
             {{},
              QStringLiteral("音色：単音・スケール・コードと聴き比べの楽器を選びます．基準音と"
                             "リズム・メロディの曲は，いつもの音のままです．")},
             {{},
              QStringLiteral("設定を初期状態に戻す：問題の範囲などを，はじめて使ったときの"
                             "状態に戻します．")},
         },
         QStringLiteral("提案された点数は自己採点の欄に入ります．「正解を見る」のあと，"
                        "「得点確定」で確定してください．")},
        {QStringLiteral("聴音（試験形式）のウィンドウ"),
         {},
         QStringLiteral(
             "数字で音価（3 16分，4 8分，5 4分，6 2分，7 全音符），. で付点，C D E F G A B "
             "で音を書きます（前の音にいちばん近い高さ）．# と - で半音上下，↑↓でも"
             "半音，Ctrl+↑↓でオクターブ，0 で休符，+ でタイ，Backspaceで消します．"
             "←→で書いた音符に移って直せます．Spaceキーで始める・一時停止，"
             "Ctrl+Enterで答え合わせです．日本語入力がオンのままでも使えます．")},
        {QStringLiteral("メニューとウィンドウ"),
         {
             {QKeySequence(Qt::ALT | Qt::Key_F), QStringLiteral("ファイルのメニューを開きます．")},
             {QKeySequence(Qt::ALT | Qt::Key_P), QStringLiteral("練習のメニューを開きます．")},
             {QKeySequence(Qt::ALT | Qt::Key_H), QStringLiteral("ヘルプのメニューを開きます．")},
             {Qt::Key_Escape, QStringLiteral("小さなウィンドウ（この案内など）を閉じます．")},
         },
         {}},
    };
}

KeyGuide::KeyGuide(QWidget *parent) : QDialog(parent) {
    ToolWindow::setUp(this, QStringLiteral("キー操作と練習機能"), ToolWindow::Kind::tool);
    setFont(Fonts::ui(10));
    text = new QLabel;
    text->setObjectName(QStringLiteral("guideText"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setContentsMargins(12, 4, 12, 12);
    namesChanged();
    auto *scroll = new QScrollArea;
    scroll->setWidget(text);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(scroll);
    resize(620, 600);
}

void KeyGuide::namesChanged() {
    QString html = QStringLiteral("<html><body>");
    for (const Section &section : sections()) {
        html += QStringLiteral("<h3 style='margin-top:10px'>%1</h3>")
                    .arg(section.heading.toHtmlEscaped());
        if (!section.lines.empty()) {
            html += QStringLiteral("<table cellspacing='0' cellpadding='3'>");
            for (const Line &line : section.lines)
                html += QStringLiteral("<tr><td width='96' style='white-space:nowrap'><b>%1</b>"
                                       "</td><td>%2</td></tr>")
                            .arg(line.keys.isEmpty() ? QStringLiteral("―")
                                                     : keysText(line.keys).toHtmlEscaped(),
                                 line.what.toHtmlEscaped());
            html += QStringLiteral("</table>");
        }
        if (!section.note.isEmpty())
            html += QStringLiteral("<p>%1</p>")
                        .arg(section.note.toHtmlEscaped().replace(QLatin1Char('\n'),
                                                                  QStringLiteral("<br>")));
    }
    html += QStringLiteral("</body></html>");

    text->setText(html);
}

} // namespace miminomi
