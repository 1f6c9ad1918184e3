// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/DictationWindow.h"

#include "app/services/Fonts.h"
#include "app/services/ItemNames.h"
#include "app/windows/ToolWindow.h"

#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace miminomi {

DictationWindow::DictationWindow(std::shared_ptr<PieceDictation> shown, const QString &title,
                                 QWidget *parent)
    : QDialog(parent), dictation(std::move(shown)) {
    ToolWindow::setUp(this, title.arg(pieceName(dictation->pieceNumber())), ToolWindow::Kind::tool);
    setFont(Fonts::ui(10));
    column = new QVBoxLayout(this);
    message = new QLabel(this);
    message->setWordWrap(true);
    message->setMinimumHeight(message->fontMetrics().lineSpacing() * 3);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(message);
    dictation->watch(this, [this] { refresh(); });
}

DictationWindow::~DictationWindow() {
    dictation->unwatch(this);
}

void DictationWindow::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    const QScreen *shownOn = screen();
    if (!isVisible() || !shownOn)
        return;
    const QRect available = shownOn->availableGeometry();
    const QRect frame = frameGeometry();
    if (frame.bottom() > available.bottom())
        move(frame.left(), std::max(available.top(), available.bottom() + 1 - frame.height()));
}

QString DictationWindow::problemLine() const {
    const auto problem = dictation->problem();
    if (!problem)
        return {};
    QString why;
    switch (*problem) {
    case PieceNotes::Problem::noFile:
        why = QStringLiteral("この曲のMIDIファイルが見つからない");
        break;
    case PieceNotes::Problem::notMidi:
        why = QStringLiteral("この曲のファイルがMIDIファイルとして読めない");
        break;
    case PieceNotes::Problem::noNotes:
        why = QStringLiteral("この曲のMIDIファイルに音符がない");
        break;
    case PieceNotes::Problem::noCountIn:
        why = QStringLiteral("この曲のMIDIファイルには予備拍がなく，速さがわからない");
        break;
    }
    return why + QStringLiteral("ので，プログラムでは採点できません．いつものように，正解例を"
                                "見て自分で採点してください．");
}

QString DictationWindow::proposalLine() const {
    const auto &marking = dictation->marking();
    switch (dictation->proposal()) {
    case PieceDictation::Proposal::taken:
        return QStringLiteral("提案「%1」を自己採点の欄に入れました（「正解を見る」のあと，"
                              "「得点確定」で確定します）．")
            .arg(gradeName(marking->proposedGrade()));
    case PieceDictation::Proposal::dropped:
        return QStringLiteral("この問題はもう終わっているので，提案「%1」は自己採点の欄に"
                              "入れませんでした．")
            .arg(gradeName(marking->proposedGrade()));
    case PieceDictation::Proposal::none:
        break;
    }
    if (!dictation->armed())
        return QStringLiteral("この問題はもう終わっているので，ここで採点しても自己採点の欄には"
                              "入りません．");
    return {};
}

} // namespace miminomi
