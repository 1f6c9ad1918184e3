// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard: a key for every question action (function keys, which
// neither an answer box nor an input method takes), shown in the buttons' tooltips and beside
// the menu items; single notes answered by letters and digits; Tab through each page in reading
// order and on to the question buttons; Enter or Space presses a focused button.
#include "app/mainwindow/Form1.h"

#include "app/widgets/PictureButton.h"
#include "app/widgets/TabControl.h"
#include "practice/Practice.h"
#include "practice/TypedNote.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

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

/// Lets an answer box be answered by the first keys of its items: what is typed, after what was
/// typed before, chooses the first item it begins (ignoring case), the rest of the item selected
/// so that typing goes on; typing that begins no item is typed as ever. Text an input method
/// commits counts as typed.
class FirstKeys final : public QObject {
public:
    FirstKeys(QObject *parent, const QList<QComboBox *> &boxes) : QObject(parent) {
        for (QComboBox *box : boxes)
            box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        // A box being destroyed is no longer a box: qobject_cast tells.
        auto *box = qobject_cast<QComboBox *>(watched);
        if (!box)
            return false;
        QString typed;
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                return false;
            typed = key->text();
        } else if (event->type() == QEvent::InputMethod) {
            const auto *input = static_cast<QInputMethodEvent *>(event);
            if (!input->preeditString().isEmpty())
                return false;
            typed = input->commitString();
        }
        if (typed.isEmpty() || !typed[0].isPrint())
            return false;
        QLineEdit *text = box->lineEdit();
        const int kept = text->hasSelectedText() ? text->selectionStart() : text->cursorPosition();
        const QString prefix = text->text().left(kept) + typed;
        for (int item = 0; item < box->count(); ++item) {
            const QString name = box->itemText(item);
            if (!name.isEmpty() && name.startsWith(prefix, Qt::CaseInsensitive)) {
                box->setCurrentIndex(item);
                text->setSelection(int(name.size()), int(prefix.size() - name.size()));
                return true;
            }
        }
        return false;
    }
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

    new FirstKeys(this, {comboBoxKey, comboBoxScaleType, comboBoxJPScaleType, comboBoxChordRoot,
                         comboBoxChordType, comboBoxRisumSelfCheck, comboBoxMelodySelfCheck});

    auto *enter = new PressOnEnter(this);
    for (QPushButton *button : findChildren<QPushButton *>())
        button->installEventFilter(enter);
}

} // namespace miminomi
