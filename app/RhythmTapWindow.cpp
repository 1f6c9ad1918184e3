#include "app/RhythmTapWindow.h"

#include "app/ChartStyle.h"
#include "app/Fonts.h"
#include "app/ItemNames.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace miminomi {

/// The piece's onsets over the learner's taps on one time line, the taps moved by the shift the
/// marking took off; what met is green, what did not coral.
class TapTimeline : public QWidget {
public:
    explicit TapTimeline(const RhythmTapWindow &window, QWidget *parent)
        : QWidget(parent), window(window) {
        setObjectName(QStringLiteral("tapTimeline"));
        setMinimumSize(560, 110);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), ChartStyle::panel);
        if (!window.piece || !window.marked)
            return;
        const auto &notes = window.piece->notes;
        const Dictation &result = *window.marked;
        double last = notes.back().onsetSeconds;
        for (double tap : window.taps)
            last = std::max(last, tap - result.shiftSeconds);
        const double first = std::min(notes.front().onsetSeconds, 0.0);
        const int left = 70, right = width() - 16;
        const auto x = [&](double seconds) {
            return left + int((seconds - first) / std::max(last - first, 0.1) * (right - left));
        };
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setFont(Fonts::ui(9));
        painter.setPen(ChartStyle::text);
        const int pieceY = 35, tapY = 80;
        painter.drawText(QRect(8, pieceY - 10, left - 12, 20), Qt::AlignVCenter,
                         QStringLiteral("曲"));
        painter.drawText(QRect(8, tapY - 10, left - 12, 20), Qt::AlignVCenter,
                         QStringLiteral("あなた"));
        painter.setPen(QPen(ChartStyle::grid, 1));
        painter.drawLine(left, pieceY, right, pieceY);
        painter.drawLine(left, tapY, right, tapY);
        const auto dot = [&](int cx, int cy, bool met) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(met ? ChartStyle::right : ChartStyle::wrong);
            painter.drawEllipse(QPoint(cx, cy), 6, 6);
        };
        for (std::size_t k = 0; k < notes.size(); ++k)
            dot(x(notes[k].onsetSeconds), pieceY, result.notesGot[k]);
        std::vector<double> taps = window.taps;
        std::sort(taps.begin(), taps.end());
        for (std::size_t k = 0; k < taps.size(); ++k)
            dot(x(taps[k] - result.shiftSeconds), tapY, result.givenMatched[k]);
    }

private:
    const RhythmTapWindow &window;
};

RhythmTapWindow::RhythmTapWindow(std::int32_t pieceNumber, const std::string &piecePath,
                                 std::function<void(std::int32_t, std::int32_t)> countIn,
                                 std::function<std::int64_t()> nowMs, QWidget *parent)
    : QDialog(parent), piece(PieceNotes::read(piecePath)), countIn(std::move(countIn)),
      nowMs(std::move(nowMs)) {
    setWindowTitle(QStringLiteral("リズムをたたいて答える（%1）").arg(pieceName(pieceNumber)));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(Fonts::ui(10));
    auto *layout = new QVBoxLayout(this);
    message = new QLabel(this);
    message->setObjectName(QStringLiteral("tapMessage"));
    message->setWordWrap(true);
    start = new QPushButton(QStringLiteral("始める"), this);
    start->setObjectName(QStringLiteral("tapStart"));
    timeline = new TapTimeline(*this, this);
    layout->addWidget(message);
    layout->addWidget(start, 0, Qt::AlignLeft);
    layout->addWidget(timeline, 1);
    connect(start, &QPushButton::clicked, this, &RhythmTapWindow::startTapping);
    silence = new QTimer(this);
    silence->setInterval(100);
    connect(silence, &QTimer::timeout, this, &RhythmTapWindow::checkSilence);

    if (!piece) {
        state = State::cannotMark;
        start->setEnabled(false);
        message->setText(
            QStringLiteral("この曲の音符を読み取れないため，プログラムでは採点できません。"
                           "いつものように，正解例を見て自分で採点してね。"));
        return;
    }
    message->setText(QStringLiteral(
        "「始める」を押すと，曲の速さでカウントが2回鳴ります。そのあとに，聴いたリズムを"
        "スペースキー（どのキーでも，マウスのボタンでも）でたたいてください。"
        "たたき終わったら Enter キー（2小節たたかないと自動で終わります）。"));
}

void RhythmTapWindow::startTapping() {
    if (state != State::ready)
        return;
    start->setEnabled(false);
    setFocus();
    countIn(piece->clickPitch, static_cast<std::int32_t>(piece->beatSeconds * 1000));
    state = State::tapping;
    taps.clear();
    lastMs = nowMs();
    message->setText(QStringLiteral("たたいてください……（終わったら Enter）"));
    silence->start();
}

void RhythmTapWindow::tap() {
    lastMs = nowMs();
    taps.push_back(static_cast<double>(lastMs) / 1000);
}

void RhythmTapWindow::checkSilence() {
    if (state != State::tapping)
        return;
    const double twoBars = 2.0 * piece->beatsPerBar * piece->beatSeconds;
    if (nowMs() - lastMs > static_cast<std::int64_t>(twoBars * 1000))
        finish();
}

void RhythmTapWindow::finish() {
    silence->stop();
    state = State::marked;
    marked = markRhythm(*piece, taps);
    const auto notes = static_cast<int>(marked->notesGot.size());
    const Choice grade = marked->proposedGrade();
    message->setText(
        QStringLiteral(
            "音符 %1 個のうち %2 個が合っていました（たりない %3，よぶん %4）。提案：「%5」"
            "（自己採点の欄に入れました）。正解例を見て，よければ「得点確定」を押してね。")
            .arg(notes)
            .arg(notes - marked->missing)
            .arg(marked->missing)
            .arg(marked->extra)
            .arg(gradeName(grade)));
    timeline->update();
    if (onProposal)
        onProposal(grade, static_cast<std::int32_t>(taps.size()));
}

void RhythmTapWindow::keyPressEvent(QKeyEvent *event) {
    const int key = event->key();
    if (state == State::tapping && !event->isAutoRepeat()) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            finish();
        else if (key != Qt::Key_Escape)
            tap();
        if (key != Qt::Key_Escape)
            return;
    }
    QDialog::keyPressEvent(event);
}

void RhythmTapWindow::mousePressEvent(QMouseEvent *event) {
    if (state == State::tapping)
        tap();
    QDialog::mousePressEvent(event);
}

} // namespace miminomi
