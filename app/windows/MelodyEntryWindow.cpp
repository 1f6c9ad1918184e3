// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/MelodyEntryWindow.h"

#include "app/services/ItemNames.h"
#include "app/widgets/MelodyComparison.h"
#include "app/widgets/PianoKeys.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace miminomi {

MelodyEntryWindow::MelodyEntryWindow(std::shared_ptr<MelodyDictation> dictation, QWidget *parent)
    : DictationWindow(dictation, QStringLiteral("メロディを入力して答える（%1）"), parent),
      melody(std::move(dictation)) {
    message->setObjectName(QStringLiteral("melodyMessage"));
    written = new QLabel(this);
    written->setObjectName(QStringLiteral("melodyWritten"));
    written->setWordWrap(true);
    checkButton = new QPushButton(QStringLiteral("答え合わせ"), this);
    checkButton->setObjectName(QStringLiteral("melodyCheck"));
    checkButton->setFocusPolicy(Qt::NoFocus); // keys are notes; Enter checks
    keyboard = new PianoKeys(melody->lowestKey(), MelodyDictation::keyboardKeys, this);
    keyboard->setObjectName(QStringLiteral("melodyKeyboard"));
    keyboard->onKey = [this](std::int32_t note) { melody->enter(note); };
    keyboard->labelOfC = [](std::int32_t note) { return writtenNote(note); };
    comparison = new MelodyComparison(this);
    comparison->setObjectName(QStringLiteral("melodyComparison"));
    column->addWidget(written);
    column->addWidget(keyboard, 0, Qt::AlignHCenter);
    column->addWidget(checkButton, 0, Qt::AlignLeft);
    column->addWidget(comparison, 1);
    connect(checkButton, &QPushButton::clicked, this, [this] { melody->check(); });
    refresh();
}

void MelodyEntryWindow::refresh() {
    const PieceNotes *piece = melody->piece();
    keyboard->setEnabled(piece != nullptr);
    checkButton->setEnabled(piece != nullptr);
    if (!piece) {
        message->setText(problemLine());
        return;
    }
    const auto &marking = melody->marking();
    QString text;
    if (marking)
        text = QStringLiteral("曲の%1音のうち%2音が合っていました（違う音%3，抜けた音%4，"
                              "余分な音%5）．")
                   .arg(marking->notesGot.size())
                   .arg(std::count(marking->notesGot.begin(), marking->notesGot.end(), true))
                   .arg(marking->wrong)
                   .arg(marking->missing)
                   .arg(marking->extra) +
               proposalLine();
    else
        text = QStringLiteral(
                   "聴いたメロディの音を，順に入力してください．音名は C D E F G A B（#で半音上げ，"
                   "-で半音下げ），続けて高さの数字（4が上一点）で入れるか，下の鍵盤をクリック"
                   "します．Backspaceキーで1つ消します．入力し終わったら「答え合わせ」（Enterキー）"
                   "を押してください．") +
               (melody->armed() ? QString() : QStringLiteral("\n") + proposalLine());
    message->setText(text);

    QStringList shown;
    for (const std::int32_t note : melody->entered())
        shown << writtenNote(note);
    if (const auto pitchClass = melody->typing().pitchClass())
        shown << noteName(*pitchClass) + QStringLiteral("…");
    written->setText(QStringLiteral("入力した音（%1）：").arg(melody->entered().size()) +
                     shown.join(QStringLiteral("　")));

    std::vector<std::int32_t> pieceNotes;
    for (const PieceNotes::Note &note : piece->notes)
        pieceNotes.push_back(note.pitch);
    comparison->setData(std::move(pieceNotes), melody->markedNotes(), marking);
}

void MelodyEntryWindow::namesChanged() {
    refresh();
    keyboard->update();
}

void MelodyEntryWindow::keyPressEvent(QKeyEvent *event) {
    const int key = event->key();
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (melody->piece() && plain) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            melody->check();
            return;
        }
        if (key == Qt::Key_Backspace) {
            melody->takeBack();
            return;
        }
        if (text.size() == 1 && melody->type(text[0].unicode()))
            return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace miminomi
