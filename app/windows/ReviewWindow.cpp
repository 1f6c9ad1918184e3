// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/ReviewWindow.h"

#include "app/services/AnswerNames.h"
#include "app/services/Fonts.h"
#include "app/services/ItemNames.h"
#include "app/windows/ToolWindow.h"
#include "base/CalendarClock.h"
#include "history/History.h"
#include "practice/QuestionHistory.h"
#include "quiz/Answers.h"
#include "records/RecordDate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace miminomi {

namespace {

/// The history's answer log, shared rather than copied; empty when the history cannot be read.
std::shared_ptr<const AnswerLog> logOf(History &history) {
    auto log = history.sharedAnswerLog();
    return log ? *log : std::make_shared<const AnswerLog>();
}

QComboBox *list(const QStringList &items, const char *name) {
    auto *box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    box->setMaxVisibleItems(20);
    // A long item (the scale list's) is shown cut short in the box rather than widening the
    // window; the open list shows it whole.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(8);
    box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 24);
    return box;
}

/// Names the notes of `box` again, keeping the item chosen: the names follow the naming chosen,
/// and each item also answers to its Japanese name, so that kana choose it in every naming.
void renamed(QComboBox *box) {
    const QStringList names = AnswerLists::noteNames();
    const QStringList japanese = AnswerLists::noteNames(NoteNaming::japanese);
    for (int item = 0; item < names.size() && item < box->count(); ++item) {
        box->setItemText(item, names[item]);
        box->setItemData(item, japanese[item], Qt::UserRole);
    }
}

QString withKey(const QString &what, const QString &key) {
    return what + QStringLiteral("（") + key + QStringLiteral("）");
}

} // namespace

ReviewWindow::ReviewWindow(std::shared_ptr<History> shared, MidiSound &midi, SoundSchedule &sounds,
                           Wait &wait, const CalendarClock &calendar,
                           std::function<PracticeSettings()> now, QWidget *parent)
    : QDialog(parent), history(std::move(shared)), settings(std::move(now)),
      today(RecordDate::localDateAt(calendar.nowSeconds()).dayNumber()),
      notes(Exercise::note, midi, wait, sounds), scales(Exercise::scale, midi, wait, sounds),
      chords(Exercise::chord, midi, wait, sounds), round({}) {
    const auto log = logOf(*history);
    round = ReviewRound(ReviewQueue::round(*log, today, roundSize));
    dueAtStart = ReviewQueue::dueCount(*log, today);

    ToolWindow::setUp(this, QStringLiteral("今日の復習"), ToolWindow::Kind::tool);
    setFont(Fonts::ui(11));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 12);
    column->setSpacing(10);
    progress = new QLabel;
    progress->setObjectName(QStringLiteral("reviewProgress"));
    progress->setFont(Fonts::ui(11, true));
    prompt = new QLabel;
    prompt->setObjectName(QStringLiteral("reviewPrompt"));
    prompt->setWordWrap(true);
    column->addWidget(progress);
    column->addWidget(prompt);

    lists = new QWidget;
    auto *grid = new QGridLayout(lists);
    grid->setContentsMargins(0, 0, 0, 0);
    noteName = list(AnswerLists::noteNames(), "reviewNoteName");
    noteOctave = list(AnswerLists::octaves(), "reviewNoteOctave");
    scaleKey = list(AnswerLists::noteNames(), "reviewScaleKey");
    scaleType = list(AnswerLists::westernScaleTypes(), "reviewScaleType");
    scaleJapanese = list(AnswerLists::japaneseScaleTypes(), "reviewScaleJapanese");
    chordRoot = list(AnswerLists::noteNames(), "reviewChordRoot");
    chordType = list(AnswerLists::chordTypes(), "reviewChordType");
    const std::pair<QComboBox *, QString> labelled[] = {
        {noteName, QStringLiteral("音名")},
        {noteOctave, QStringLiteral("高さ")},
        {scaleKey, QStringLiteral("主音")},
        {scaleType, QStringLiteral("音階")},
        {scaleJapanese, QStringLiteral("日本の音階")},
        {chordRoot, QStringLiteral("根音")},
        {chordType, QStringLiteral("和音の種類")},
    };
    int at = 0;
    for (const auto &[box, label] : labelled) {
        auto *title = new QLabel(label);
        title->setBuddy(box);
        grid->addWidget(title, 0, at);
        grid->addWidget(box, 1, at++);
        box->installEventFilter(this);
        // Kana come through an input method, which a list that takes no text is not offered.
        box->setAttribute(Qt::WA_InputMethodEnabled);
        box->setProperty("title", QVariant::fromValue<QObject *>(title));
    }
    column->addWidget(lists);

    auto *pair = new QHBoxLayout;
    choice1 = new QPushButton;
    choice2 = new QPushButton;
    choice1->setObjectName(QStringLiteral("reviewChoice1"));
    choice2->setObjectName(QStringLiteral("reviewChoice2"));
    for (QPushButton *button : {choice1, choice2}) {
        button->setMinimumHeight(44);
        button->installEventFilter(this);
        pair->addWidget(button);
    }
    connect(choice1, &QPushButton::clicked, this, [this] { mark(0); });
    connect(choice2, &QPushButton::clicked, this, [this] { mark(1); });
    column->addLayout(pair);

    result = new QLabel;
    result->setObjectName(QStringLiteral("reviewResult"));
    result->setWordWrap(true);
    result->setTextFormat(Qt::RichText);
    result->setMinimumHeight(result->fontMetrics().lineSpacing() * 3);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(result, 1);

    auto *buttons = new QHBoxLayout;
    const auto button = [&](const QString &text, const char *name, const QKeySequence &key,
                            const std::function<void()> &press) {
        auto *made = new QPushButton(withKey(text, key.toString(QKeySequence::NativeText)));
        made->setObjectName(QString::fromLatin1(name));
        made->setAutoDefault(false);
        made->setFocusPolicy(Qt::TabFocus);
        connect(made, &QPushButton::clicked, this, press);
        connect(new QShortcut(key, this), &QShortcut::activated, this, press);
        buttons->addWidget(made);
        return made;
    };
    buttonReplay =
        button(QStringLiteral("もう一度"), "reviewReplay", Qt::Key_F6, [this] { replay(); });
    buttonMark = button(QStringLiteral("採点"), "reviewMark", Qt::Key_F7, [this] { mark(); });
    buttonBoth =
        button(QStringLiteral("聴き比べる"), "reviewBoth", Qt::Key_F9, [this] { hearBoth(); });
    buttonNext = button(QStringLiteral("次へ"), "reviewNext", Qt::Key_F5, [this] { next(); });
    // Enter marks the answer, and once it is marked goes on, as the learner reads the result.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, [this] {
            if (stage == Stage::asking)
                mark();
            else if (stage != Stage::summary)
                next();
        });
    column->addLayout(buttons);
    installEventFilter(this);
    // One size for every question, so that nothing moves under the learner's eyes.
    setFixedSize(660, 340);
    showQuestion();
}

ReviewWindow::~ReviewWindow() {
    // The schedule is the main window's and outlives this one. The drills share one channel.
    notes.stopSound();
}

ReviewDrill &ReviewWindow::drill() {
    switch (shown.asked.exercise) {
    case Exercise::note:
        return notes;
    case Exercise::scale:
        return scales;
    default:
        return chords;
    }
}

QString ReviewWindow::itemText(const ReviewItem &item) {
    switch (item.exercise) {
    case Exercise::note:
        return writtenNote(item.note);
    case Exercise::scale:
        return scaleName(item.type, Answers::isJapaneseScale(item.type) ? -1 : item.note % 12);
    default:
        return miminomi::noteName(item.note % 12) + QStringLiteral("の") + chordTypeName(item.type);
    }
}

QString ReviewWindow::choiceText(const ReviewQuestion &question, std::size_t k) {
    const ReviewItem &item = question.choices.at(k);
    const ReviewItem &other = question.choices.at(1 - k);
    QString name;
    if (item.exercise == Exercise::note)
        name = item.note / 12 == other.note / 12 ? miminomi::noteName(item.note % 12)
                                                 : writtenNote(item.note);
    else if (item.exercise == Exercise::chord)
        name = chordTypeName(item.type);
    else
        name = itemText(item);
    return QStringLiteral("%1：%2").arg(k + 1).arg(name);
}

void ReviewWindow::showQuestion() {
    const bool started = stage != Stage::start;
    if (round.finished() && started) {
        showSummary();
        return;
    }
    // The lists name the notes in the naming chosen now.
    for (QComboBox *box : {noteName, scaleKey, chordRoot})
        renamed(box);
    result->clear();
    typing.clear();
    typedKeys.clear();
    if (!started) {
        progress->setText(QStringLiteral("今日の復習"));
        prompt->setText(
            round.size() == 0
                ? QStringLiteral("今日の復習はありません．練習で間違えた問題は，次の日から"
                                 "ここに出ます．")
                : QStringLiteral("今日は%1問です（復習%2問）．Enterキーか F5 で始めます．"
                                 "間違えた問題は，少しあとでもう一度出ます．")
                      .arg(round.size())
                      .arg(std::min(dueAtStart, roundSize)));
        lists->hide();
        choice1->hide();
        choice2->hide();
        showButtons();
        return;
    }
    shown = round.current();
    answered.clear();
    const Exercise exercise = shown.asked.exercise;
    const bool pair = shown.isPair();
    progress->setText(QStringLiteral("%1問目／%2問　%3")
                          .arg(round.number())
                          .arg(round.size())
                          .arg(pair              ? QStringLiteral("聴き分け")
                               : shown.returning ? QStringLiteral("もう一度")
                                                 : QStringLiteral("復習")));
    const QString what = exercise == Exercise::note    ? QStringLiteral("音")
                         : exercise == Exercise::scale ? QStringLiteral("音階")
                                                       : QStringLiteral("和音");
    if (pair) {
        prompt->setText(
            QStringLiteral("どちらの%1が鳴りましたか．1か2のキーで答えてください．").arg(what));
        choice1->setText(choiceText(shown, 0));
        choice2->setText(choiceText(shown, 1));
    } else {
        prompt->setText(
            exercise == Exercise::note
                ? QStringLiteral("鳴った音の音名と高さを答えてください（例：C4）．")
            : exercise == Exercise::scale
                ? QStringLiteral("鳴った音階の主音と種類を答えてください（例：Dm）．")
                : QStringLiteral("鳴った和音の根音と種類を答えてください（例：F#m7）．"));
        for (QComboBox *box :
             {noteName, noteOctave, scaleKey, scaleType, scaleJapanese, chordRoot, chordType})
            box->setCurrentIndex(0);
    }
    const auto showList = [](QComboBox *box, bool on) {
        box->setVisible(on);
        box->property("title").value<QObject *>()->setProperty("visible", on);
    };
    showList(noteName, !pair && exercise == Exercise::note);
    showList(noteOctave, !pair && exercise == Exercise::note);
    for (QComboBox *box : {scaleKey, scaleType, scaleJapanese})
        showList(box, !pair && exercise == Exercise::scale);
    showList(chordRoot, !pair && exercise == Exercise::chord);
    showList(chordType, !pair && exercise == Exercise::chord);
    lists->setVisible(!pair);
    choice1->setVisible(pair);
    choice2->setVisible(pair);
    for (QPushButton *choice : {choice1, choice2})
        choice->setEnabled(true);
    stage = Stage::asking;
    showButtons();
    (pair                          ? static_cast<QWidget *>(choice1)
     : exercise == Exercise::note  ? noteName
     : exercise == Exercise::scale ? scaleKey
                                   : chordRoot)
        ->setFocus();
    drill().setItem(shown.asked);
    drill().ask(settings());
}

void ReviewWindow::showButtons() {
    buttonReplay->setEnabled(stage == Stage::asking || stage == Stage::marked);
    buttonMark->setEnabled(stage == Stage::asking && !shown.isPair());
    buttonBoth->setEnabled(
        stage == Stage::marked &&
        (shown.isPair() || (!wasRight && drill().chosenItem(answered) != shown.asked)));
    buttonBoth->setText(withKey(shown.isPair() && stage == Stage::marked
                                    ? QStringLiteral("両方を聴く")
                                    : QStringLiteral("聴き比べる"),
                                QStringLiteral("F9")));
    buttonNext->setEnabled(stage == Stage::start ? round.size() > 0 : stage == Stage::marked);
    buttonNext->setText(
        withKey(stage == Stage::start ? QStringLiteral("始める") : QStringLiteral("次へ"),
                QStringLiteral("F5")));
}

void ReviewWindow::next() {
    if (stage == Stage::asking || stage == Stage::summary || round.size() == 0)
        return;
    stage = stage == Stage::start ? Stage::marked : stage;
    showQuestion();
}

void ReviewWindow::replay() {
    if (stage == Stage::asking || stage == Stage::marked)
        drill().replay(settings());
}

Choices ReviewWindow::chosenInLists() const {
    switch (shown.asked.exercise) {
    case Exercise::note:
        return {noteName->currentIndex(), noteOctave->currentIndex()};
    case Exercise::scale:
        return {scaleKey->currentIndex(), scaleType->currentIndex(), scaleJapanese->currentIndex()};
    default:
        return {chordRoot->currentIndex(), chordType->currentIndex()};
    }
}

void ReviewWindow::mark(std::optional<int> pick) {
    if (stage != Stage::asking || shown.isPair() != pick.has_value())
        return;
    ReviewDrill &asked = drill();
    answered =
        pick ? asked.choicesOf(shown.choices.at(static_cast<std::size_t>(*pick))) : chosenInLists();
    MarkedQuestion question = asked.mark(answered);
    question.settings = settings();
    wasRight = question.points.wrong == 0;
    StoredQuestion stored = storedQuestionOf(question);
    stored.review = true;
    // A question that cannot be kept is said on standard error; the round goes on.
    history->add(stored);
    round.answered(wasRight);
    stage = Stage::marked;

    const QString right = itemText(shown.asked);
    if (wasRight)
        result->setText(QStringLiteral("<span style='color:#1a7f37'>○ 正解です．</span>"
                                       "　%1でした．")
                            .arg(right.toHtmlEscaped()));
    else
        result->setText(
            QStringLiteral("<span style='color:#c62828'>× 正解は「%1」です．</span><br>"
                           "あなたの答え：「%2」．")
                .arg(right.toHtmlEscaped(), (asked.chosenItem(answered) == shown.asked && !pick
                                                 ? QStringLiteral("答えなし")
                                                 : itemText(asked.chosenItem(answered)))
                                                .toHtmlEscaped()));
    result->setText(result->text() + QStringLiteral("<br>") +
                    (shown.isPair()
                         ? QStringLiteral("F9 で両方を続けて聴けます．Enterキーで次へ進みます．")
                     : wasRight ? QStringLiteral("Enterキーで次へ進みます．")
                                : QStringLiteral("この問題は少しあとでもう一度出ます．"
                                                 "Enterキーで次へ進みます．")));
    for (QPushButton *choice : {choice1, choice2})
        choice->setEnabled(false);
    if (shown.isPair())
        (*pick == 0 ? choice1 : choice2)->setEnabled(true);
    showButtons();
    setFocus();
    if (onMarked)
        onMarked();
}

void ReviewWindow::hearBoth() {
    if (stage != Stage::marked)
        return;
    if (shown.isPair())
        drill().playSideBySide(shown.choices[0], shown.choices[1], settings());
    else if (!wasRight)
        drill().compare(answered, settings());
}

void ReviewWindow::showSummary() {
    stage = Stage::summary;
    const auto log = logOf(*history);
    const auto back = ReviewQueue::comingBack(*log, round.items(), today);
    QStringList days;
    for (const auto &[in, count] : back)
        days << QStringLiteral("%1に%2問")
                    .arg(in == 0   ? QStringLiteral("今日")
                         : in == 1 ? QStringLiteral("明日")
                                   : QStringLiteral("%1日後").arg(in))
                    .arg(count);
    progress->setText(QStringLiteral("今日の復習はおしまいです"));
    prompt->setText(
        QStringLiteral("%1問に答えて，%2問正解でした．").arg(round.done()).arg(round.rightCount()));
    result->setText((days.isEmpty()
                         ? QStringLiteral("次に復習する問題はありません．")
                         : QStringLiteral("次の復習は，") + days.join(QStringLiteral("，")) +
                               QStringLiteral("です．")) +
                    QStringLiteral("<br>Escキーでこのウィンドウを閉じます．"));
    lists->hide();
    choice1->hide();
    choice2->hide();
    showButtons();
}

void ReviewWindow::keyPressEvent(QKeyEvent *event) {
    // What sounds is the question's shown, or the sound it was cut by.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        drill().sounding()) {
        drill().stopSound();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ReviewWindow::hideEvent(QHideEvent *event) {
    drill().stopSound();
    QDialog::hideEvent(event);
}

bool ReviewWindow::eventFilter(QObject *watched, QEvent *event) {
    // A list taking the focus starts its typing afresh, as the main window's do.
    if (event->type() == QEvent::FocusIn)
        typedKeys.remove(watched);
    if (stage != Stage::asking)
        return QDialog::eventFilter(watched, event);
    QString text;
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            text = key->text();
    } else if (event->type() == QEvent::InputMethod) {
        // What an input method commits counts as typed; nothing it shows is written anywhere.
        const auto *input = static_cast<QInputMethodEvent *>(event);
        if (input->preeditString().isEmpty())
            text = input->commitString();
    }
    if (text.isEmpty() || !text.front().isPrint())
        return QDialog::eventFilter(watched, event);
    return typed(text) || QDialog::eventFilter(watched, event);
}

bool ReviewWindow::byName(QComboBox *box, const QString &text) {
    const auto named = AnswerNames::typedItem(box, typedKeys.value(box), text);
    if (named) {
        box->setCurrentIndex(named->item);
        typedKeys[box] = named->keys;
    }
    return named.has_value();
}

bool ReviewWindow::typed(const QString &text) {
    const char16_t c = text.size() == 1 ? text.front().unicode() : u'\0';
    if (shown.isPair()) {
        if (c == u'1' || c == u'2') {
            mark(c - u'1');
            return true;
        }
        return false;
    }
    const bool accidental = c == u'#' || c == u'+' || c == u'-';
    if (shown.asked.exercise == Exercise::note) {
        if (c != u'\0' && QChar(c).isDigit()) {
            // The note as typed with its octave; else the name shown, in the octave the digit
            // names.
            const int digit = QChar(c).digitValue();
            std::optional<int> note;
            if (typing.started() && typing.type(c) == TypedNote::Took::note)
                note = typing.note();
            else if (noteName->currentIndex() >= 1)
                note = (digit + 1) * 12 + noteName->currentIndex() - 1;
            typing.clear();
            const int item = note ? *note / 12 + 1 : digit + 2;
            if (item >= 1 && item < noteOctave->count()) {
                if (note)
                    noteName->setCurrentIndex(*note % 12 + 1);
                noteOctave->setCurrentIndex(item);
            }
            return true;
        }
        if (accidental && !typing.started()) {
            const int current = noteName->currentIndex();
            if (current >= 1)
                noteName->setCurrentIndex((current - 1 + (c == u'-' ? 11 : 1)) % 12 + 1);
            return current >= 1;
        }
        if (c != u'\0') {
            const TypedNote::Took took = typing.type(c);
            if (took == TypedNote::Took::letter || took == TypedNote::Took::accidental) {
                noteName->setCurrentIndex(*typing.pitchClass() + 1);
                typedKeys.remove(noteName);
                return true;
            }
        }
        // Else a name's first keys or kana: "へ" for ヘ, "へんろ" for 変ロ.
        typing.clear();
        return byName(noteName, text);
    }

    // A scale or chord, as the main window's root and type lists take keys: a type list with the
    // focus takes the first keys of its items; the root list takes the root's letter and
    // accidentals, then hands what follows to the first type list with an item it names, with the
    // focus, so that "F#m7" is typed in one go; kana name a root ("へんろ") or else a type.
    QComboBox *root = shown.asked.exercise == Exercise::scale ? scaleKey : chordRoot;
    const QList<QComboBox *> types = shown.asked.exercise == Exercise::scale
                                         ? QList<QComboBox *>{scaleType, scaleJapanese}
                                         : QList<QComboBox *>{chordType};
    const auto choose = [&types](QComboBox *list, int item) {
        // A scale has one type: the other list is cleared.
        for (QComboBox *other : types)
            other->setCurrentIndex(other == list ? item : 0);
    };
    if (auto *list = qobject_cast<QComboBox *>(focusWidget()); types.contains(list)) {
        const auto named = AnswerNames::typedItem(list, typedKeys.value(list), text);
        if (named) {
            choose(list, named->item);
            typedKeys[list] = named->keys;
        }
        return true;
    }
    const auto onToType = [&] {
        for (QComboBox *list : types) {
            if (const auto item = AnswerNames::itemNamed(list, text)) {
                list->setFocus();
                choose(list, *item);
                typedKeys[list] = text;
                return true;
            }
        }
        return false;
    };
    const auto startRoot = [&] {
        typing.clear();
        typing.type(c);
        typedKeys.remove(root);
        root->setCurrentIndex(*typing.pitchClass() + 1);
    };
    const auto pitch = typing.pitchClass();
    const bool rooted = pitch && root->currentIndex() == *pitch + 1;
    if (!rooted)
        typing.clear();
    const bool letter = c != u'\0' && QStringLiteral("ABCDEFGHabcdefgh").contains(QChar(c));
    if (accidental) {
        const int current = root->currentIndex();
        if (rooted && typing.type(c) == TypedNote::Took::accidental)
            root->setCurrentIndex(*typing.pitchClass() + 1);
        else if (!rooted && current >= 1)
            root->setCurrentIndex((current - 1 + (c == u'-' ? 11 : 1)) % 12 + 1);
    } else if (letter && (!rooted || QChar(c).isUpper())) {
        startRoot();
    } else if (rooted && !onToType()) {
        if (letter)
            startRoot();
        else
            byName(root, text);
    } else if (!rooted && !byName(root, text)) {
        onToType();
    }
    return true;
}

} // namespace miminomi
