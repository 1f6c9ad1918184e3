// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's fixed layout as only a window shows it: a few anchors of its tables, the
// stacking of what overlaps, the first state, and every text whole in an installed face.
#include "app/services/Fonts.h"
#include "tests/support/FormHarness.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabBar>
#include <gtest/gtest.h>

namespace miminomi::testing {

QString textOf(const QWidget *widget) {
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (auto *line = qobject_cast<const QLineEdit *>(widget))
        return line->text();
    if (auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->currentText();
    if (auto *group = qobject_cast<const QGroupBox *>(widget))
        return group->title();
    return {};
}

bool isCaption(const QWidget *widget) {
    auto *label = qobject_cast<const QLabel *>(widget);
    return (label && !label->wordWrap()) || qobject_cast<const QCheckBox *>(widget) ||
           qobject_cast<const QRadioButton *>(widget);
}

/// True when the font, or one of the faces substituted for its family, has a glyph for `c`.
bool drawable(const QFont &font, char32_t c) {
    if (QFontMetrics(font).inFontUcs4(c))
        return true;
    for (const QString &face : QFont::substitutes(font.family())) {
        QFont fallback(font);
        fallback.setFamily(face);
        if (QFontMetrics(fallback).inFontUcs4(c))
            return true;
    }
    return false;
}

/// The names of `parent`'s children among `names`, back to front as they are painted.
QStringList stacking(const QWidget *parent, const QStringList &names) {
    QStringList order;
    for (const QObject *child : parent->children())
        if (names.contains(child->objectName()))
            order << child->objectName();
    return order;
}

class Form1Layout : public ::testing::Test {
protected:
    FormHarness h;
    QTabWidget *tabs = h.find<QTabWidget>("tabControl1");
};

TEST_F(Form1Layout, AFixedWindowWithItsMenusAndAnchorsOfEveryTable) {
    Form1 &form = h.form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("みみのみ"));
    EXPECT_EQ(form.centralWidget()->size(), QSize(794, 475));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // The window's own menus; what the 練習 menu's items do is tested where they are used.
    QStringList menus;
    for (const QAction *menu : form.menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({"ファイル", "練習", "ヘルプ"}));
    EXPECT_EQ(h.find<QAction>("menuItem3")->text(), "終了(&X)");
    EXPECT_EQ(h.find<QAction>("menuItem4")->text(), "このソフトについて");
    EXPECT_FALSE(h.find<QAction>("menuWeakSpots")->isChecked());

    const std::pair<const char *, QRect> anchors[] = {
        {"tabControl1", {8, 32, 611, 346}},           {"buttonNext", {176, 384, 85, 85}},
        {"buttonShowAnswer", {472, 428, 56, 40}},     {"pictureBoxResult", {636, 8, 150, 400}},
        {"textBoxFalse", {728, 416, 46, 23}},         {"comboBoxNoteHeight3", {344, 290, 170, 23}},
        {"comboBoxJPScaleType", {109, 269, 227, 24}}, {"pictureBoxRisum", {24, 32, 550, 160}},
        {"numericUpDownNoteNum", {304, 72, 72, 23}},
    };
    for (const auto &[name, geometry] : anchors)
        EXPECT_EQ(h.find(name)->geometry(), geometry) << name;
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        const QWidget *shown = tabs->widget(page);
        EXPECT_EQ(QRect(shown->mapTo(tabs, QPoint()), shown->size()), QRect(4, 25, 603, 317));
    }
    EXPECT_EQ(h.find("buttonNext")->font(), Fonts::make(Fonts::gothic, 9, true));
    EXPECT_EQ(form.font().family(), Fonts::uiGothic);
}

TEST_F(Form1Layout, MarkersAndGameOverPicturesLieInFrontOfTheTrackMissingFilesInFrontOfAll) {
    const QStringList window = {
        "pictureBoxBitmapBatu",  "pictureBoxResult",      "buttonNext",
        "tabControl1",           "buttonShowAnswer",      "pictureBoxRight",
        "pictureBoxWrong",       "pictureBoxBadGameOver", "pictureBoxBitmapRight",
        "pictureBoxGoodGameOver"};
    EXPECT_EQ(stacking(h.form.centralWidget(), window), window);
    const QStringList melody = {"pictureBoxMelody", "pictureBoxOpenMelody",
                                "pictureBoxNoMelodyMidiData"};
    EXPECT_EQ(stacking(h.find("tabMelody"), melody), melody);
    EXPECT_EQ(h.find(melody[2].toLatin1())->geometry(), h.find(melody[0].toLatin1())->geometry());
}

TEST_F(Form1Layout, TheFirstRunStartsWithOnlyANewQuestionToAskAndNothingChosen) {
    EXPECT_EQ(tabs->currentIndex(), 0);
    QStringList enabled, shown, ticked;
    for (const char *name : {"buttonNext", "buttonRetry", "buttonCheck", "buttonShowAnswer",
                             "button1", "buttonSelfcheckRisum", "checkBoxTriChord", "comboBox1"})
        if (h.enabled(name))
            enabled << name;
    for (const char *name : {"pictureBoxGoodGameOver", "pictureBoxBitmapRight",
                             "pictureBoxNote1Chek", "pictureBoxScaleJCheck", "pictureBoxRight"})
        if (h.shown(name))
            shown << name;
    for (const QAbstractButton *box : h.form.findChildren<QAbstractButton *>())
        if (box->isChecked())
            ticked << box->objectName();
    ticked.sort();
    EXPECT_EQ(enabled, QStringList({"buttonNext", "button1"}));
    EXPECT_EQ(shown, QStringList({"pictureBoxRight"}));
    EXPECT_EQ(ticked, QStringList({"checkBoxChordHint", "checkBoxChordWhite", "checkBoxOnlyWhite",
                                   "checkBoxStandardA", "checkBoxTriChord", "radioButtonPiano"}));
    for (const QComboBox *box : h.form.findChildren<QComboBox *>()) {
        EXPECT_EQ(box->insertPolicy(), QComboBox::NoInsert);
        const bool onFirst = QStringList({"comboBoxNoteNum", "comboBoxScale", "comboBox1"})
                                 .contains(box->objectName());
        EXPECT_EQ(box->currentIndex(), onFirst ? 0 : -1) << box->objectName().toStdString();
    }
    EXPECT_EQ(h.find<QComboBox>("comboBoxRange")->currentText(),
              QStringLiteral("ト音記号のあたり"));
}

TEST_F(Form1Layout, EveryTextIsShownWholeInAnInstalledFace) {
    // Each page fits its captions when it is first shown.
    for (int page = tabs->count() - 1; page >= 0; --page)
        tabs->setCurrentIndex(page);
    for (QWidget *widget : h.form.findChildren<QWidget *>()) {
        const QString text = textOf(widget);
        SCOPED_TRACE(widget->objectName().toStdString());
        for (char32_t c : text.toUcs4())
            EXPECT_TRUE(drawable(widget->font(), c)) << "no glyph for U+" << std::hex << int(c);
        if (!text.isEmpty() && isCaption(widget) &&
            widget->x() + widget->sizeHint().width() <= 603) {
            EXPECT_LE(widget->sizeHint().width(), widget->width()) << "caption is cut off";
        }
    }
    EXPECT_LT(tabs->tabBar()->tabRect(tabs->count() - 1).right(), tabs->width());
    EXPECT_GE(tabs->tabBar()->tabRect(0).height(), tabs->tabBar()->fontMetrics().height());
    EXPECT_EQ(tabs->tabText(5), QStringLiteral("MIDIの実験"));
    EXPECT_TRUE(QFontInfo(Fonts::ui(12)).family().startsWith("IPAPGothic"));
    EXPECT_TRUE(QFontInfo(Fonts::mono(12)).family().startsWith("IPAGothic"));
}

} // namespace miminomi::testing
