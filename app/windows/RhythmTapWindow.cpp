// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/RhythmTapWindow.h"

#include "app/widgets/TapTimeline.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace miminomi {

RhythmTapWindow::RhythmTapWindow(std::shared_ptr<RhythmDictation> dictation, QWidget *parent)
    : DictationWindow(dictation, QStringLiteral("リズムをたたいて答える（%1）"), parent),
      rhythm(std::move(dictation)) {
    message->setObjectName(QStringLiteral("tapMessage"));
    start = new QPushButton(this);
    start->setObjectName(QStringLiteral("tapStart"));
    timeline = new TapTimeline(this);
    timeline->setObjectName(QStringLiteral("tapTimeline"));
    column->addWidget(start, 0, Qt::AlignLeft);
    column->addWidget(timeline, 1);
    connect(start, &QPushButton::clicked, this, [this] {
        setFocus(); // the keys are taps from now on
        rhythm->start();
    });
    ticker = new QTimer(this);
    ticker->setInterval(20);
    connect(ticker, &QTimer::timeout, this, [this] { rhythm->poll(); });
    refresh();
}

bool RhythmTapWindow::taking() const {
    return rhythm->state() == RhythmDictation::State::countingIn ||
           rhythm->state() == RhythmDictation::State::tapping;
}

void RhythmTapWindow::refresh() {
    using State = RhythmDictation::State;
    const State state = rhythm->state();
    start->setEnabled(state == State::ready || state == State::marked);
    start->setText(state == State::marked ? QStringLiteral("もう一度たたく")
                                          : QStringLiteral("始める"));
    if (taking())
        ticker->start();
    else
        ticker->stop();

    QString text;
    const PieceNotes *piece = rhythm->piece();
    const auto &marking = rhythm->marking();
    switch (state) {
    case State::cannotMark:
        text = problemLine();
        break;
    case State::ready:
        text = QStringLiteral(
            "「始める」を押すと，曲の速さで予備拍が2つ鳴ります．続けて，聴いたリズムをスペースキー"
            "（ほかのキーやマウスのボタンでもかまいません）でたたいてください．タイでつながった音は"
            "たたきません．終わったらEnterキーを押してください（2小節分なにもたたかないと自動で"
            "終わります）．");
        break;
    case State::countingIn:
        text = QStringLiteral("予備拍に続けて，たたいてください……");
        break;
    case State::tapping:
        text = QStringLiteral("たたいてください……（終わったらEnterキー，やめるときはEscキー）");
        break;
    case State::marked:
        text = QStringLiteral("音符%1個のうち%2個が合っていました（ずれた音%3，抜けた音%4，"
                              "余分なタップ%5）．")
                   .arg(marking->notesGot.size())
                   .arg(std::count(marking->notesGot.begin(), marking->notesGot.end(), true))
                   .arg(marking->wrong)
                   .arg(marking->missing)
                   .arg(marking->extra);
        break;
    }
    if (const QString proposal = proposalLine(); !proposal.isEmpty() && state != State::cannotMark)
        text += state == State::marked ? proposal : QStringLiteral("\n") + proposal;
    message->setText(text);
    if (piece) {
        const bool shownMarked = state == State::marked || (state == State::ready && marking);
        timeline->setData(*piece, shownMarked ? rhythm->markedTaps() : rhythm->taps(),
                          shownMarked ? marking : std::nullopt);
    }
}

void RhythmTapWindow::keyPressEvent(QKeyEvent *event) {
    const int key = event->key();
    const bool functionKey = key >= Qt::Key_F1 && key <= Qt::Key_F35;
    const bool modifierOnly = key == Qt::Key_Shift || key == Qt::Key_Control ||
                              key == Qt::Key_Alt || key == Qt::Key_Meta || key == Qt::Key_AltGr;
    if (taking() && !functionKey && !modifierOnly) {
        if (event->isAutoRepeat())
            return;
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            rhythm->finish();
        else if (key == Qt::Key_Escape)
            rhythm->cancel();
        else
            rhythm->tap();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RhythmTapWindow::closeEvent(QCloseEvent *event) {
    rhythm->cancel();
    QDialog::closeEvent(event);
}

void RhythmTapWindow::mousePressEvent(QMouseEvent *event) {
    if (taking())
        rhythm->tap();
    QDialog::mousePressEvent(event);
}

} // namespace miminomi
