// The main window from the keyboard: a key for every question action (function keys, which
// neither an answer box nor an input method takes), shown in the buttons' tooltips and beside
// the menu items; Tab through each page in reading order and on to the question buttons; Enter
// or Space presses a focused button.
#include "app/Form1.h"

#include "app/PictureButton.h"
#include "app/TabControl.h"
#include "practice/Practice.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
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
                static_cast<QAbstractButton *>(watched)->click();
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

void Form1::bindKeys() {
    const auto bind = [this](QKeySequence key, const QString &what, QAbstractButton *button,
                             const std::function<void()> &press) {
        button->setToolTip(withKey(what, key));
        connect(new QShortcut(key, this), &QShortcut::activated, this, press);
    };
    const auto clicks = [](QAbstractButton *button) { return [button] { button->click(); }; };
    bind(Qt::Key_F5, QStringLiteral("新規出題"), buttonNext, clicks(buttonNext));
    bind(Qt::Key_F6, QStringLiteral("もう一度"), buttonRetry, clicks(buttonRetry));
    // F7 marks the question: by the program, or by the grade chosen on a piece's page.
    const auto mark = [this] {
        const int page = tabControl1->currentIndex();
        (page == 3   ? buttonSelfcheckRisum
         : page == 4 ? buttonSelfCheckMelody
                     : buttonCheck)
            ->click();
    };
    bind(Qt::Key_F7, QStringLiteral("採点"), buttonCheck, mark);
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

    // Tab: the single-note page in reading order, each answer's name then its octave, then the
    // question buttons; the read-only tallies take no stop.
    const QList<QWidget *> order = {
        comboBoxRange,       checkBoxOnlyWhite, comboBoxNoteNum,     comboBoxNoteName0,
        comboBoxNoteHeight0, comboBoxNoteName1, comboBoxNoteHeight1, comboBoxNoteName2,
        comboBoxNoteHeight2, comboBoxNoteName3, comboBoxNoteHeight3, buttonNext,
        buttonRetry,         buttonCheck,       buttonShowAnswer,    button1,
        buttonShowRecord,    checkBoxStandardA, tabControl1};
    for (qsizetype k = 1; k < order.size(); ++k)
        setTabOrder(order[k - 1], order[k]);
    for (QLineEdit *tally : {textBoxRight, textBoxFalse})
        tally->setFocusPolicy(Qt::NoFocus);

    auto *enter = new PressOnEnter(this);
    for (QPushButton *button : findChildren<QPushButton *>())
        button->installEventFilter(enter);
}

} // namespace miminomi
