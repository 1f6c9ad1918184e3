// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The learner's settings kept from one run to the next, read item by item, and put back to the
// first run's state from the menu.
#include "tests/support/FormHarness.h"
#include "tests/support/Typing.h"

#include "app/services/ItemNames.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace miminomi::testing {

namespace {

/// How the kept controls of a window stand: each list's shown text, each switch's state.
QStringList kept(Form1 &form) {
    QStringList states;
    for (const char *list : {"comboBoxRange", "comboBoxNoteNum", "comboBoxScale"})
        states << form.findChild<QComboBox *>(list)->currentText();
    for (const char *box : {"checkBoxStandardA", "checkBoxOnlyWhite", "checkBoxChordHint",
                            "checkBoxChordWhite", "checkBox7Chord", "checkBoxAugChord"})
        states << QString::number(form.findChild<QCheckBox *>(box)->isChecked());
    for (const char *item : {"menuWeakSpots", "menuNamingGerman", "menuInstrumentFlute"})
        states << QString::number(form.findChild<QAction *>(item)->isChecked());
    return states;
}

} // namespace

TEST(Form1Settings, ChoicesStayForTheNextRunBadValuesAreIgnoredOneByOneAndTheMenuResetsThem) {
    FormHarness h; // starts from no settings at all
    const QStringList firstRun = kept(h.form);
    h.select("comboBoxRange", 1); // 40..60
    h.find<QCheckBox>("checkBoxOnlyWhite")->setChecked(false);
    h.select("comboBoxNoteNum", 3);
    h.select("comboBoxScale", 2);
    h.find<QCheckBox>("checkBoxStandardA")->setChecked(false);
    h.find<QCheckBox>("checkBoxAugChord")->setChecked(true);
    h.find<QAction>("menuWeakSpots")->setChecked(true);
    h.find<QAction>("menuNamingGerman")->setChecked(true);
    h.find<QAction>("menuInstrumentFlute")->setChecked(true);
    const QStringList chosen = kept(h.form);
    h.form.close();

    {
        // The next run shows them, and its questions are drawn and sounded by them.
        Form1 next(h.sink, h.media, h.clock, h.calendar);
        EXPECT_EQ(kept(next), chosen);
        h.sink.clear();
        next.findChild<QAbstractButton *>("buttonNext")->click();
        const std::vector<int> notes = h.notesPlayed();
        ASSERT_EQ(notes.size(), 4u) << "four notes, no reference A";
        for (int note : notes)
            EXPECT_TRUE(note >= 40 && note <= 60) << note;

        // The menu asks first: Escape keeps the choices, Enter puts back the first run's state,
        // the range of the note pool included.
        const auto answer = [&](Qt::Key key) {
            next.findChild<QAction *>("menuResetSettings")->trigger();
            auto *question = next.findChild<QMessageBox *>("resetSettingsQuestion");
            ASSERT_NE(question, nullptr);
            QTest::keyClick(question, key);
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        answer(Qt::Key_Escape);
        EXPECT_EQ(kept(next), chosen);
        answer(Qt::Key_Return);
        EXPECT_EQ(kept(next), firstRun);
        h.sink.clear();
        next.findChild<QAbstractButton *>("buttonNext")->click();
        EXPECT_GE(h.notesPlayed().back(), 60);
    }

    // Values out of range or unreadable are ignored one by one; a readable one still counts.
    QSettings settings;
    settings.clear();
    settings.setValue("notes/range", 99);
    settings.setValue("chords/augmented", "banana");
    settings.setValue("notes/count", "three");
    settings.setValue("referenceA", false);
    settings.sync();
    Form1 damaged(h.sink, h.media, h.clock, h.calendar);
    QStringList expected = firstRun;
    expected[3] = "0"; // the reference A off
    EXPECT_EQ(kept(damaged), expected);

    // A settings file that is not one at all starts like the first run.
    QFile file(settings.fileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xff\xfe[[[\x00 not settings \n=\n", 24);
    file.close();
    Form1 unreadable(h.sink, h.media, h.clock, h.calendar);
    EXPECT_EQ(kept(unreadable), firstRun);
}

TEST(Form1Settings, NotesAreNamedInTheChosenNamingWhileEveryNamingsKeysStillAnswer) {
    // The twelve pitch classes and a key in each naming; Japanese is what the window always showed.
    const struct {
        NoteNaming naming;
        const char *notes;
        const char *key;
    } namings[] = {
        {NoteNaming::japanese, "ハ 嬰ハ ニ 嬰ニ ホ ヘ 嬰ヘ ト 嬰ト イ 嬰イ ロ",
         "嬰ヘ 旋律的短音階"},
        {NoteNaming::solfege, "ド ド♯ レ レ♯ ミ ファ ファ♯ ソ ソ♯ ラ ラ♯ シ",
         "ファ♯の旋律的短音階"},
        {NoteNaming::english, "C C♯ D D♯ E F F♯ G G♯ A A♯ B", "F♯の旋律的短音階"},
        {NoteNaming::german, "C Cis D Dis E F Fis G Gis A B H", "Fisの旋律的短音階"},
    };
    for (const auto &each : namings) {
        QStringList notes;
        for (int pitch = 0; pitch < 12; ++pitch)
            notes << noteName(pitch, each.naming);
        EXPECT_EQ(notes.join(' '), QString::fromUtf8(each.notes));
        EXPECT_EQ(scaleName(3, 6, each.naming), QString::fromUtf8(each.key));
    }

    FormHarness h;
    const auto items = [&](const char *list) {
        QStringList texts;
        for (int item = 0; item < h.find<QComboBox>(list)->count(); ++item)
            texts << h.find<QComboBox>(list)->itemText(item);
        return texts;
    };
    const QStringList japanese = items("comboBoxChordRoot");
    EXPECT_EQ(japanese, AnswerLists::noteNames(NoteNaming::japanese));
    h.select("comboBoxChordRoot", 7);
    h.find<QAction>("menuNamingSolfege")->setChecked(true);
    EXPECT_EQ(items("comboBoxNoteName2"), AnswerLists::noteNames(NoteNaming::solfege));
    EXPECT_EQ(h.find<QComboBox>("comboBoxChordRoot")->currentText(), "ファ♯　ソ♭")
        << "the same item stays chosen";
    EXPECT_EQ(writtenNote(61), "ド♯（上一点）") << "and every other place names it so";

    // Kana of the naming shown and of the Japanese names both choose a root; letters as ever.
    QApplication::setActiveWindow(&h.form);
    h.selectTab(2);
    for (const auto &[typed, root] : {std::pair{"ふぁ", 6}, {"へ", 6}, {"し", 12}, {"B-", 11}}) {
        h.select("comboBoxChordRoot", 0);
        h.find("comboBoxChordRoot")->setFocus();
        typeText(QString::fromUtf8(typed));
        EXPECT_EQ(h.selected("comboBoxChordRoot"), root) << typed;
    }
    h.find<QAction>("menuNamingJapanese")->setChecked(true);
    EXPECT_EQ(items("comboBoxChordRoot"), japanese) << "byte for byte as before";
}

} // namespace miminomi::testing
