#include "app/MelodyEntryWindow.h"

#include "app/ChartStyle.h"
#include "app/Fonts.h"
#include "app/ItemNames.h"
#include "app/NoteLetters.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace miminomi {

namespace {

constexpr int keyboardKeys = 24; // two octaves
constexpr int whiteWidth = 22;

bool isBlack(std::int32_t pitch) {
    const int pc = pitch % 12;
    return pc == 1 || pc == 3 || pc == 6 || pc == 8 || pc == 10;
}

/// A note as written in the window: its name and its octave counted from middle C's 4.
QString writtenNote(std::int32_t pitch) {
    return noteName(pitch % 12) + QString::number(pitch / 12 - 1);
}

} // namespace

/// Two octaves of piano keys; a click enters the key's note.
class MelodyKeyboard : public QWidget {
public:
    explicit MelodyKeyboard(MelodyEntryWindow &window, QWidget *parent)
        : QWidget(parent), window(window) {
        setObjectName(QStringLiteral("melodyKeyboard"));
        setFixedSize(whiteWidth * 14 + 1, 70);
    }

    /// The note of the key at `point`, black keys lying over the white ones.
    std::optional<std::int32_t> keyAt(QPoint point) const {
        for (const bool black : {true, false})
            for (int k = 0; k < keyboardKeys; ++k) {
                const std::int32_t pitch = window.lowestKey + k;
                if (isBlack(pitch) == black && rectOf(pitch).contains(point))
                    return pitch;
            }
        return std::nullopt;
    }
    QRect rectOf(std::int32_t pitch) const {
        int whites = 0;
        for (std::int32_t p = window.lowestKey; p < pitch; ++p)
            whites += isBlack(p) ? 0 : 1;
        if (isBlack(pitch))
            return {whites * whiteWidth - whiteWidth / 3, 0, whiteWidth * 2 / 3, 42};
        return {whites * whiteWidth, 0, whiteWidth, height() - 1};
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        for (const bool black : {false, true})
            for (int k = 0; k < keyboardKeys; ++k) {
                const std::int32_t pitch = window.lowestKey + k;
                if (isBlack(pitch) != black)
                    continue;
                painter.setPen(ChartStyle::text);
                painter.setBrush(black ? ChartStyle::text : QColor(Qt::white));
                painter.drawRect(rectOf(pitch));
                if (pitch % 12 == 0) {
                    painter.setFont(Fonts::ui(7));
                    painter.drawText(rectOf(pitch).adjusted(0, 0, 0, -3),
                                     Qt::AlignHCenter | Qt::AlignBottom, writtenNote(pitch));
                }
            }
    }
    void mousePressEvent(QMouseEvent *event) override {
        if (const auto pitch = keyAt(event->position().toPoint()))
            window.enter(*pitch);
    }

private:
    MelodyEntryWindow &window;
};

/// The piece's notes over the notes entered, as aligned: what met green, the rest coral.
class MelodyComparison : public QWidget {
public:
    explicit MelodyComparison(const MelodyEntryWindow &window, QWidget *parent)
        : QWidget(parent), window(window) {
        setObjectName(QStringLiteral("melodyComparison"));
        setMinimumSize(560, 80);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), ChartStyle::panel);
        if (!window.marked)
            return;
        painter.setFont(Fonts::ui(9));
        const auto row = [&](int y, const QString &title, const auto &pitches,
                             const std::vector<bool> &met) {
            painter.setPen(ChartStyle::text);
            painter.drawText(QRect(8, y, 60, 22), Qt::AlignVCenter, title);
            int x = 70;
            for (std::size_t k = 0; k < pitches.size(); ++k) {
                const QString text = writtenNote(pitches[k]);
                const int w = painter.fontMetrics().horizontalAdvance(text) + 8;
                painter.setPen(met[k] ? ChartStyle::right : ChartStyle::wrong);
                painter.drawText(QRect(x, y, w, 22), Qt::AlignCenter, text);
                x += w;
            }
        };
        std::vector<std::int32_t> pieceNotes;
        for (const PieceNotes::Note &note : window.piece->notes)
            pieceNotes.push_back(note.pitch);
        row(10, QStringLiteral("曲"), pieceNotes, window.marked->notesGot);
        row(44, QStringLiteral("あなた"), window.notes, window.marked->givenMatched);
    }

private:
    const MelodyEntryWindow &window;
};

MelodyEntryWindow::MelodyEntryWindow(std::int32_t pieceNumber, const std::string &piecePath,
                                     std::function<void(std::int32_t)> sound, QWidget *parent)
    : QDialog(parent), piece(PieceNotes::read(piecePath)), sound(std::move(sound)) {
    setWindowTitle(QStringLiteral("メロディを入力して答える（%1）").arg(pieceName(pieceNumber)));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(Fonts::ui(10));
    auto *layout = new QVBoxLayout(this);
    message = new QLabel(this);
    message->setObjectName(QStringLiteral("melodyMessage"));
    message->setWordWrap(true);
    written = new QLabel(this);
    written->setObjectName(QStringLiteral("melodyWritten"));
    checkButton = new QPushButton(QStringLiteral("答え合わせ"), this);
    checkButton->setObjectName(QStringLiteral("melodyCheck"));
    checkButton->setFocusPolicy(Qt::NoFocus); // keys are notes; Enter checks
    if (piece) {
        // Two octaves from the C at or below the piece's lowest note.
        std::int32_t lowest = 127;
        for (const PieceNotes::Note &note : piece->notes)
            lowest = std::min(lowest, note.pitch);
        lowestKey = std::clamp(lowest - lowest % 12, 0, 127 - keyboardKeys);
    }
    keyboard = new MelodyKeyboard(*this, this);
    comparison = new MelodyComparison(*this, this);
    layout->addWidget(message);
    layout->addWidget(written);
    layout->addWidget(keyboard, 0, Qt::AlignHCenter);
    layout->addWidget(checkButton, 0, Qt::AlignLeft);
    layout->addWidget(comparison, 1);
    connect(checkButton, &QPushButton::clicked, this, &MelodyEntryWindow::check);

    if (!piece) {
        keyboard->setEnabled(false);
        checkButton->setEnabled(false);
        message->setText(
            QStringLiteral("この曲の音符を読み取れないため，プログラムでは採点できません。"
                           "いつものように，正解例を見て自分で採点してね。"));
        return;
    }
    message->setText(QStringLiteral(
        "聴いたメロディの音を順に入れてください：C D E F G A B（# で半音上，- で半音下）の"
        "あとに高さの数字（4 = 上一点），または下の鍵盤をクリック。Backspace で1つ戻します。"
        "入れ終わったら「答え合わせ」（Enter）。"));
    showEntered();
}

void MelodyEntryWindow::enter(std::int32_t pitch) {
    if (!piece)
        return;
    notes.push_back(pitch);
    pending.reset();
    if (sound)
        sound(pitch);
    showEntered();
}

void MelodyEntryWindow::showEntered() {
    QStringList shown;
    for (const std::int32_t pitch : notes)
        shown << writtenNote(pitch);
    if (pending)
        shown << noteName(*pending) + QStringLiteral("…");
    written->setText(QStringLiteral("入れた音（%1）：").arg(notes.size()) +
                     shown.join(QStringLiteral("　")));
}

void MelodyEntryWindow::check() {
    if (!piece)
        return;
    marked = markMelody(*piece, notes);
    const Choice grade = marked->proposedGrade();
    message->setText(
        QStringLiteral("曲の %1 音のうち %2 音が合っていました（ちがう音 %3，たりない %4，"
                       "よぶん %5）。提案：「%6」（自己採点の欄に入れました）。")
            .arg(marked->notesGot.size())
            .arg(std::count(marked->notesGot.begin(), marked->notesGot.end(), true))
            .arg(marked->wrong)
            .arg(marked->missing)
            .arg(marked->extra)
            .arg(gradeName(grade)));
    comparison->update();
    if (onProposal)
        onProposal(grade, static_cast<std::int32_t>(notes.size()));
}

void MelodyEntryWindow::keyPressEvent(QKeyEvent *event) {
    const QString text = event->text();
    const int key = event->key();
    if (!piece || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        check();
    } else if (key == Qt::Key_Backspace) {
        if (pending)
            pending.reset();
        else if (!notes.empty())
            notes.pop_back();
    } else if (const auto natural = NoteLetters::natural(text)) {
        pending = natural;
    } else if (pending && NoteLetters::step(text) != 0) {
        pending = (*pending + NoteLetters::step(text) + 12) % 12;
    } else if (const auto octave = NoteLetters::octave(text); pending && octave) {
        enter(std::clamp(*octave * 12 + *pending, 0, 127));
    } else {
        QDialog::keyPressEvent(event);
        return;
    }
    showEntered();
}

} // namespace miminomi
