// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard: a key for every question action (function keys, which
// neither an answer box nor an input method takes), shown in the buttons' tooltips and beside
// the menu items; single notes answered by letters and digits, scales and chords by letters and
// the first keys of their types; Tab through each page in reading order and on to the question
// buttons; Enter or Space presses a focused button; Escape stops a comparison.
#include "app/mainwindow/Form1.h"

#include "app/services/AnswerNames.h"
#include "app/widgets/Controls.h"
#include "app/widgets/PictureButton.h"
#include "app/widgets/TabControl.h"
#include "practice/Practice.h"
#include "practice/TypedNote.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include <optional>
#include <utility>

namespace miminomi {

namespace {

/// Presses the button it watches when Enter or Return is pressed on it, as Space does.
class PressOnEnter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (auto *button = qobject_cast<QAbstractButton *>(watched))
                    button->click();
                return true;
            }
        }
        return false;
    }
};

/// Answers a single note from the keyboard in its name box: the letters C D E F G A B choose the
/// natural, # or + then raises it and - lowers it a semitone; a digit, in the name box or the
/// octave box, chooses the octave as numbered from middle C's 4, of the letter as written (B♯4 is
/// the C above middle C's B), and moves on to the next answer.
class NoteKeys final : public QObject {
public:
    /// `names` and `octaves` are the rows' boxes; `rowsAsked` tells how many rows are asked and
    /// `after` where the focus goes after the last one.
    NoteKeys(QObject *parent, QList<QComboBox *> names, QList<QComboBox *> octaves,
             std::function<int()> rowsAsked, QWidget *after)
        : QObject(parent), names(std::move(names)), octaves(std::move(octaves)),
          rowsAsked(std::move(rowsAsked)), after(after), typing(this->names.size()) {
        // An editable box keeps the focus itself and hands keys on to its text part.
        for (QComboBox *box : this->names + this->octaves)
            box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString text = key->text();
        if (text.size() != 1)
            return false;
        for (qsizetype row = 0; row < names.size(); ++row) {
            if (watched == names[row] && name(row, text[0].unicode()))
                return true;
            if ((watched == names[row] || watched == octaves[row]) && octave(row, text[0]))
                return true;
        }
        return false;
    }

private:
    /// Whether the row's name box still shows the note being typed in it.
    bool stillTyped(qsizetype row) const {
        const auto pitchClass = typing[row].pitchClass();
        return pitchClass && names[row]->currentIndex() == *pitchClass + 1;
    }

    bool name(qsizetype row, char16_t key) {
        if (key >= u'0' && key <= u'9')
            return false; // the octave's
        QComboBox *box = names[row];
        TypedNote &typed = typing[row];
        if (!stillTyped(row))
            typed.clear();
        const bool accidental = key == u'#' || key == u'+' || key == u'-';
        if (accidental && !typed.started()) {
            // A name chosen otherwise is raised or lowered as it stands.
            const int current = box->currentIndex();
            if (current < 1)
                return false;
            box->setCurrentIndex((current - 1 + (key == u'-' ? 11 : 1)) % 12 + 1);
            return true;
        }
        const TypedNote::Took took = typed.type(key);
        if (took != TypedNote::Took::letter && took != TypedNote::Took::accidental)
            return false;
        box->setCurrentIndex(*typed.pitchClass() + 1);
        return true;
    }

    bool octave(qsizetype row, QChar key) {
        if (!key.isDigit())
            return false;
        // The note as typed, letter and accidentals with the digit; else the name shown, in the
        // octave the digit names.
        std::optional<int> note;
        if (stillTyped(row) && typing[row].type(key.unicode()) == TypedNote::Took::note)
            note = typing[row].note();
        else if (const int shown = names[row]->currentIndex(); shown >= 1)
            note = (key.digitValue() + 1) * 12 + shown - 1;
        typing[row].clear();
        const int item = note ? *note / 12 + 1 : key.digitValue() + 2;
        if (item < 1 || item >= octaves[row]->count())
            return true; // no such octave: the digit is taken, nothing chosen
        if (note)
            names[row]->setCurrentIndex(*note % 12 + 1);
        octaves[row]->setCurrentIndex(item);
        if (row + 1 < std::min<qsizetype>(rowsAsked(), names.size()))
            names[row + 1]->setFocus();
        else
            after->setFocus();
        return true;
    }

    QList<QComboBox *> names;
    QList<QComboBox *> octaves;
    std::function<int()> rowsAsked;
    QWidget *after;
    /// The note being typed in each row.
    std::vector<TypedNote> typing;
};

using AnswerNames::itemNamed;

/// Shows item `item` of `box` from the beginning of its text.
void show(QComboBox *box, int item) {
    box->setCurrentIndex(item);
    box->lineEdit()->setCursorPosition(0);
}

/// The text a key press types into `box`, or an input method commits to it; nothing for other
/// events. A commit taken ends the composition shown in the box's text part, and writes nothing
/// there: what is taken is the caller's to use.
std::optional<QString> takeTyped(QComboBox *box, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) ||
            text.isEmpty() || !text[0].isPrint())
            return std::nullopt;
        return text;
    }
    if (event->type() == QEvent::InputMethod) {
        const auto *input = static_cast<QInputMethodEvent *>(event);
        if (!input->preeditString().isEmpty() || input->commitString().isEmpty())
            return std::nullopt;
        QInputMethodEvent ended;
        QCoreApplication::sendEvent(box->lineEdit(), &ended);
        return input->commitString();
    }
    return std::nullopt;
}

/// Lets an answer box be answered by the first keys of its items' names (see AnswerNames): what is
/// typed, after what was typed in the box before, chooses the item it names, else what is typed
/// on its own does; typing that names nothing leaves the box as it is, and no typing ever lands in
/// it as text. Text an input method commits counts as typed. Backspace takes the last key back
/// (with none left, the box is blank again); Up and Down go through the items as ever. Typing
/// starts afresh each time the box takes the focus.
class FirstKeys final : public QObject {
public:
    FirstKeys(QObject *parent, const QList<QComboBox *> &boxes) : QObject(parent) {
        for (QComboBox *box : boxes)
            box->installEventFilter(this);
    }

    /// Types `text` into `box`, after what was typed there before unless `afresh`; false, and the
    /// box left as it is, when that names no item.
    bool type(QComboBox *box, const QString &text, bool afresh = false) {
        Typed &before = typing[box];
        if (afresh || Controls::shownItem(box) != before.item)
            before = {};
        const std::optional<AnswerNames::Typed> named =
            AnswerNames::typedItem(box, before.keys, text);
        if (!named)
            return false;
        show(box, named->item);
        before = {named->keys, named->item};
        return true;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        // A box being destroyed is no longer a box: qobject_cast tells.
        auto *box = qobject_cast<QComboBox *>(watched);
        if (!box)
            return false;
        if (event->type() == QEvent::FocusIn) {
            typing.remove(box);
            return false;
        }
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Backspace && key->modifiers() == Qt::NoModifier) {
                takeBack(box);
                return true;
            }
        }
        if (const std::optional<QString> text = takeTyped(box, event)) {
            type(box, *text);
            return true;
        }
        return false;
    }

private:
    struct Typed {
        QString keys;
        int item = -1;
    };

    void takeBack(QComboBox *box) {
        Typed &before = typing[box];
        if (Controls::shownItem(box) != before.item)
            before = {};
        before.keys.chop(1);
        const std::optional<int> item = before.keys.isEmpty()
                                            ? std::optional<int>(box->findText(QString()))
                                            : itemNamed(box, before.keys);
        if (item && *item >= 0) {
            show(box, *item);
            before.item = *item;
        }
    }

    /// What was typed in each box, and the item it chose; it counts while the box shows that item.
    QHash<const QComboBox *, Typed> typing;
};

/// Answers a key or root list by letters: C D E F G A B (or H for B) choose the natural, then # or
/// + raises it and - lowers it a semitone, as on the single-note page. What follows the root goes
/// on to the lists of its type: the first with an item it names (see itemNamed) takes it and the
/// focus, so that "F#m7" or "B-maj7" is typed in one go. A capital note letter starts the root
/// again, and so does a small one that names no type; an accidental with no root typed raises or
/// lowers the root shown. Kana name a root as the items do ("へ" for ヘ, "へんろ" for 変ロ), or
/// else a type (a Japanese scale needs none).
class RootKeys final : public QObject {
public:
    /// Each root list with the lists of its type, in the order they are offered what follows.
    RootKeys(QObject *parent, FirstKeys &names,
             const QList<std::pair<QComboBox *, QList<QComboBox *>>> &roots)
        : QObject(parent), names(names) {
        for (const auto &[root, types] : roots) {
            typeLists.insert(root, types);
            root->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *box = qobject_cast<QComboBox *>(watched);
        if (!box || !typeLists.contains(box))
            return false;
        TypedNote &typed = typing[box];
        if (event->type() == QEvent::FocusIn) {
            typed.clear();
            return false;
        }
        const std::optional<QString> text = takeTyped(box, event);
        if (!text)
            return false;
        const std::optional<std::int32_t> pitch = typed.pitchClass();
        const bool rooted = pitch && Controls::shownItem(box) == *pitch + 1;
        if (!rooted)
            typed.clear();
        const char16_t key = text->size() == 1 ? text->front().unicode() : u'\0';
        const bool letter = key != u'\0' && QStringLiteral("ABCDEFGHabcdefgh").contains(key);
        if (key == u'#' || key == u'+' || key == u'-') {
            const int shown = box->currentIndex();
            if (rooted && typed.type(key) == TypedNote::Took::accidental)
                show(box, *typed.pitchClass() + 1);
            else if (!rooted && shown >= 1)
                show(box, (shown - 1 + (key == u'-' ? 11 : 1)) % 12 + 1);
        } else if (letter && (!rooted || QChar(key).isUpper())) {
            startRoot(box, key);
        } else if (rooted && !onToType(box, *text)) {
            if (letter)
                startRoot(box, key);
            else
                names.type(box, *text);
        } else if (!rooted && !names.type(box, *text)) {
            onToType(box, *text);
        }
        return true;
    }

private:
    void startRoot(QComboBox *box, char16_t key) {
        TypedNote &typed = typing[box];
        typed.clear();
        typed.type(key);
        show(box, *typed.pitchClass() + 1);
    }

    /// Gives `text` to the first type list of `root` with an item it names, with the focus.
    bool onToType(QComboBox *root, const QString &text) {
        for (QComboBox *list : typeLists.value(root)) {
            if (itemNamed(list, text)) {
                // Focused first: a list starts its typing afresh when it takes the focus.
                list->setFocus();
                return names.type(list, text, true);
            }
        }
        return false;
    }

    FirstKeys &names;
    QHash<const QComboBox *, QList<QComboBox *>> typeLists;
    /// The root being typed in each list.
    QHash<const QComboBox *, TypedNote> typing;
};

QString withKey(const QString &what, const QKeySequence &key) {
    return what + QStringLiteral("（") + key.toString(QKeySequence::NativeText) +
           QStringLiteral("）");
}

} // namespace

void Form1::markQuestion() {
    const int page = tabControl1->currentIndex();
    (page == 3 ? buttonSelfcheckRisum : page == 4 ? buttonSelfCheckMelody : buttonCheck)->click();
}

void Form1::bindKeys() {
    const auto bind = [this](QKeySequence key, const QString &what, QAbstractButton *button,
                             const std::function<void()> &press) {
        button->setToolTip(withKey(what, key));
        connect(new QShortcut(key, this), &QShortcut::activated, this, press);
    };
    const auto clicks = [](QAbstractButton *button) { return [button] { button->click(); }; };
    bind(Qt::Key_F5, QStringLiteral("新規出題"), buttonNext, clicks(buttonNext));
    bind(Qt::Key_F6, QStringLiteral("もう一度"), buttonRetry, clicks(buttonRetry));
    bind(Qt::Key_F7, QStringLiteral("採点"), buttonCheck, [this] { markQuestion(); });
    buttonSelfcheckRisum->setToolTip(withKey(QStringLiteral("得点確定"), Qt::Key_F7));
    buttonSelfCheckMelody->setToolTip(withKey(QStringLiteral("得点確定"), Qt::Key_F7));
    bind(Qt::Key_F8, QStringLiteral("正解を見る"), buttonShowAnswer, clicks(buttonShowAnswer));
    // Resetting the tallies takes Ctrl as well, so that it is not pressed by a slip.
    bind(QKeySequence(Qt::CTRL | Qt::Key_F5), QStringLiteral("右の成績欄をリセット"), button1,
         clicks(button1));
    bind(Qt::Key_F2, QStringLiteral("過去記録を見る"), buttonShowRecord, clicks(buttonShowRecord));
    menuStatistics->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    menuCompare->setShortcut(Qt::Key_F9);
    menuReferenceA->setShortcut(Qt::Key_F4);
    menuTapRhythm->setShortcut(Qt::Key_F3);
    menuEnterMelody->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));

    // Tab in reading order: the reference-A box, the tabs, the single-note page with each answer's
    // name then its octave, then the question buttons; the read-only tallies take no stop. The
    // reference-A box keeps the focus a new window starts with.
    const QList<QWidget *> order = {
        checkBoxStandardA,   tabControl1,       comboBoxRange,       checkBoxOnlyWhite,
        comboBoxNoteNum,     comboBoxNoteName0, comboBoxNoteHeight0, comboBoxNoteName1,
        comboBoxNoteHeight1, comboBoxNoteName2, comboBoxNoteHeight2, comboBoxNoteName3,
        comboBoxNoteHeight3, buttonNext,        buttonRetry,         buttonCheck,
        buttonShowAnswer,    button1,           buttonShowRecord};
    for (qsizetype k = 1; k < order.size(); ++k)
        setTabOrder(order[k - 1], order[k]);
    for (QLineEdit *tally : {textBoxRight, textBoxFalse})
        tally->setFocusPolicy(Qt::NoFocus);

    new NoteKeys(
        this, {comboBoxNoteName0, comboBoxNoteName1, comboBoxNoteName2, comboBoxNoteName3},
        {comboBoxNoteHeight0, comboBoxNoteHeight1, comboBoxNoteHeight2, comboBoxNoteHeight3},
        [this] { return settings().noteCount; }, buttonCheck);
    const QString noteKeys = QStringLiteral(
        "キーで答える：C D E F G A B（# で半音上，- で半音下），高さは数字（4 = 上一点）");
    for (QComboBox *box :
         {comboBoxNoteName0, comboBoxNoteName1, comboBoxNoteName2, comboBoxNoteName3,
          comboBoxNoteHeight0, comboBoxNoteHeight1, comboBoxNoteHeight2, comboBoxNoteHeight3})
        box->setToolTip(noteKeys);

    auto *firstKeys =
        new FirstKeys(this, {comboBoxKey, comboBoxScaleType, comboBoxJPScaleType, comboBoxChordRoot,
                             comboBoxChordType, comboBoxRisumSelfCheck, comboBoxMelodySelfCheck});
    // Installed after the first keys, so that a root list reads its letters as notes first.
    new RootKeys(this, *firstKeys,
                 {{comboBoxKey, {comboBoxScaleType, comboBoxJPScaleType}},
                  {comboBoxChordRoot, {comboBoxChordType}}});
    for (QComboBox *root : {comboBoxKey, comboBoxChordRoot})
        root->setToolTip(QStringLiteral("キーで答える：C D E F G A B（H もロ），# で半音上，"
                                        "- で半音下，続けて種類の頭文字"));
    comboBoxChordType->setToolTip(
        QStringLiteral("キーで答える：名前の頭文字（M はメジャー，m はマイナー），"
                       "または矢印キー（↑↓）"));
    comboBoxScaleType->setToolTip(
        QStringLiteral("キーで答える：名前やよみの頭文字（例：Major，minor，ちょう，どりあ），"
                       "または矢印キー（↑↓）"));
    comboBoxJPScaleType->setToolTip(
        QStringLiteral("キーで答える：よみの頭文字（例：よう，いん，みんよう），"
                       "または矢印キー（↑↓）"));

    auto *enter = new PressOnEnter(this);
    for (QPushButton *button : findChildren<QPushButton *>())
        button->installEventFilter(enter);
}

} // namespace miminomi
