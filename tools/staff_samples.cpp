// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws sample scores with the staff notation widget to PNG files at one and two times the
// pixel density, for a musician to look over:
//   miminomi_staff_samples <folder>   writes <folder>/<name>@1x.png and <name>@2x.png
#include "app/widgets/StaffView.h"
#include "music/DictationGenerator.h"
#include "music/DictationLevel.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <iostream>

using namespace miminomi;
using namespace miminomi::music;

namespace {

/// One voice written as words: "c4:q", "f#4:8.", "bb3:h~" (tied to the next), "r:16" (a rest).
std::vector<Note> voice(const char *text) {
    std::vector<Note> notes;
    for (const QString &word : QString::fromLatin1(text).split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = word.split(':');
        Note note;
        QString value = parts[1];
        note.tieToNext = value.endsWith('~');
        value.remove('~');
        note.value.dots = static_cast<std::uint8_t>(value.count('.'));
        value.remove('.');
        const QStringList types = {"w", "h", "q", "8", "16"};
        note.value.type = static_cast<NoteType>(types.indexOf(value));
        const QString name = parts[0];
        if (name != "r") {
            Pitch pitch;
            pitch.step = static_cast<Step>(QStringLiteral("cdefgab").indexOf(name[0]));
            pitch.alter = static_cast<std::int8_t>(name.count('#') - name.mid(1).count('b'));
            pitch.octave = static_cast<std::int8_t>(name.back().digitValue());
            note.pitch = pitch;
        }
        notes.push_back(note);
    }
    return notes;
}

Score score(Key key, Metre metre, Clef clef, std::vector<Bar> bars) {
    Score made;
    made.key = key;
    made.metre = metre;
    made.clef = clef;
    made.bars = std::move(bars);
    return made;
}

void save(const QString &folder, const QString &name, const StaffView &view, int width) {
    for (const int scale : {1, 2}) {
        const int height = view.heightForWidth(width);
        QImage image(width * scale, height * scale, QImage::Format_ARGB32);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::white);
        QPainter painter(&image);
        view.paint(painter, QRectF(0, 0, width, height));
        painter.end();
        const QString path = QStringLiteral("%1/%2@%3x.png").arg(folder, name).arg(scale);
        if (!image.save(path))
            std::cerr << "staff_samples: cannot write " << path.toStdString() << '\n';
    }
}

} // namespace

int main(int argc, char *argv[]) {
    // Pictures only: no display needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    const int width = 720;
    StaffView view;

    view.setScore(score({0, false}, {4, 4}, Clef::treble,
                        {{voice("c4:q e4:q g4:q c5:q"), {}},
                         {voice("d5:q b4:q g4:h"), {}},
                         {voice("a4:q f4:q d4:q b3:q"), {}},
                         {voice("c4:w"), {}}}));
    save(folder, "c-major-4-4", view, width);

    view.setScore(score({-2, true}, {3, 4}, Clef::treble,
                        {{voice("g4:q. a4:8 bb4:q"), {}},
                         {voice("a4:q f#4:q g4:q~"), {}},
                         {voice("g4:q bb4:8. a4:16 g4:8 f#4:8"), {}},
                         {voice("f#4:q f4:q eb4:q"), {}},
                         {voice("d4:8 f4:8 e4:8 f#4:8 g4:8 f#4:8"), {}},
                         {voice("g4:h."), {}}}));
    save(folder, "g-minor-3-4", view, width);

    view.setScore(
        score({3, false}, {6, 8}, Clef::treble,
              {{voice("e4:8"), {}, true},
               {voice("a4:8 c#5:8 e5:8 d5:16 c#5:16 b4:8 a4:8"), {}},
               {voice("g#4:q. r:8 b4:8 d5:8"), {}},
               {voice("c#5:16 d5:16 e5:8 c#5:8 a4:16 b4:16 c#5:16 a4:16 g4:16 e4:16"), {}},
               {voice("a4:q. r:q"), {}}}));
    save(folder, "a-major-6-8-pickup", view, width);

    view.setScore(score({0, false}, {4, 4}, Clef::treble,
                        {{voice("e5:q d5:8 c5:8 b4:h"), voice("g4:h g4:q r:q")},
                         {voice("a4:q g4:q g4:h"), voice("f4:q f4:q e4:h")},
                         {voice("c5:w"), voice("r:w")}}));
    save(folder, "two-voices", view, width);

    view.setScore(score({-1, false}, {4, 4}, Clef::bass,
                        {{voice("f2:q a2:q c3:q f3:q"), {}},
                         {voice("e3:8 d3:8 c3:8 bb2:8 a2:h"), {}},
                         {voice("c4:q bb3:q g2:q e2:q"), {}},
                         {voice("c2:h b2:h"), {}},
                         {voice("f2:w"), {}}}));
    save(folder, "bass-f-major", view, width);

    // An item above the learner's answer, one wrong note coloured with the right one beside it.
    const Score item = score({1, false}, {2, 4}, Clef::treble,
                             {{voice("g4:8 a4:8 b4:8 c5:8"), {}},
                              {voice("d5:q. c5:8"), {}},
                              {voice("b4:16 a4:16 g4:16 f#4:16 g4:q"), {}},
                              {voice("r:h"), {}}});
    Score answer = item;
    answer.bars[1].upper[0].pitch->step = Step::E;
    answer.bars[2].upper[3].pitch->alter = 0;
    view.setScores({item, answer});
    const QColor wrong(214, 64, 52), right(40, 110, 200);
    view.setMarks({{{1, 1, 0, 0}, wrong, item.bars[1].upper[0].pitch, right},
                   {{1, 2, 0, 3}, wrong, item.bars[2].upper[3].pitch, right}});
    save(folder, "item-and-answer", view, width);
    view.setMarks({});

    std::vector<Bar> long_;
    for (int b = 0; b < 9; ++b)
        long_.push_back(
            {voice(b % 2 ? "c5:8 d5:8 c5:8 b4:8 a4:h" : "c5:q g4:q a4:8 b4:8 c5:q~"), {}});
    view.setScore(score({-3, false}, {4, 4}, Clef::treble, long_));
    save(folder, "wrapping", view, width);

    // One generated item of each level, seed 1, as miminomi --write-dictation LEVEL 1 FOLDER
    // writes it.
    for (const DictationLevel &level : dictationLevels()) {
        view.setScore(generateDictation(level, 1));
        save(folder, QStringLiteral("level-%1").arg(level.number), view, width);
    }
    return 0;
}
