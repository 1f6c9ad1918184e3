// The main window's fixed layout: every control in its place with its text, font and first state.
#include "app/Fonts.h"
#include "app/Form1.h"
#include "tests/support/FormHarness.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

using miminomi::Fonts;
using miminomi::Form1;

namespace {

struct ControlRow {
    const char *name;
    QRect geometry;
    const char *text; // nullptr: not checked here
    const QString *family = nullptr;
    double points = 0; // 0: the font of the page or window
    bool bold = false;
};

const QString &ui = Fonts::uiGothic;
const QString &mono = Fonts::gothic;

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

class Form1Layout : public ::testing::Test {
protected:
    void SetUp() override {
        harness = std::make_unique<miminomi::testing::FormHarness>();
        form = &harness->form;
    }

    QWidget *control(const char *name) const {
        auto *widget = form->findChild<QWidget *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void expectRows(const std::vector<ControlRow> &rows) const {
        for (const ControlRow &row : rows) {
            SCOPED_TRACE(row.name);
            const QWidget *widget = control(row.name);
            if (!widget)
                continue;
            if (isCaption(widget)) {
                // Captions keep place and height and may only grow to show their whole text.
                EXPECT_EQ(widget->pos(), row.geometry.topLeft());
                EXPECT_EQ(widget->height(), row.geometry.height());
                EXPECT_GE(widget->width(), row.geometry.width());
            } else {
                EXPECT_EQ(widget->geometry(), row.geometry);
            }
            if (row.text) {
                EXPECT_EQ(textOf(widget), QString::fromUtf8(row.text));
            }
            if (row.family) {
                EXPECT_EQ(widget->font().family(), *row.family);
                EXPECT_EQ(widget->font().pixelSize(), Fonts::pixels(row.points));
                EXPECT_EQ(widget->font().bold(), row.bold);
            }
        }
    }

    std::unique_ptr<miminomi::testing::FormHarness> harness;
    Form1 *form = nullptr;
};

TEST_F(Form1Layout, WindowIsFixedWithTitleMenuAndClientArea) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("みみのみ"));
    EXPECT_EQ(form->centralWidget()->size(), QSize(794, 475));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_EQ(form->font().family(), ui);
    EXPECT_EQ(form->font().pixelSize(), 16);
    EXPECT_FALSE(form->windowIcon().isNull());

    const QList<QAction *> menus = form->menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("ファイル"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("ヘルプ"));
    ASSERT_EQ(menus[0]->menu()->actions().size(), 1);
    EXPECT_EQ(menus[0]->menu()->actions()[0]->text(), QStringLiteral("終了(&X)"));
    ASSERT_EQ(menus[1]->menu()->actions().size(), 1);
    EXPECT_EQ(menus[1]->menu()->actions()[0]->text(), QStringLiteral("このソフトについて"));
}

TEST_F(Form1Layout, WindowControlsMatchTheirTable) {
    expectRows({
        {"checkBoxStandardA", {16, 8, 264, 24}, "問題の前に基準音（A=440）を鳴らす", &ui, 12},
        {"tabControl1", {8, 32, 611, 346}, nullptr, &mono, 12},
        {"buttonNext", {176, 384, 85, 85}, "新規出題", &mono, 9, true},
        {"buttonRetry", {272, 384, 85, 85}, "もう一度", &mono, 9, true},
        {"buttonCheck", {368, 384, 85, 85}, "採点", &mono, 9, true},
        {"buttonShowAnswer", {472, 428, 56, 40}, "正解を見る", &mono, 8.25, true},
        {"button1", {536, 384, 80, 38}, "右の成績欄をリセット", &ui, 10.2},
        {"buttonShowRecord", {536, 429, 80, 38}, "過去記録を見る", &mono, 10.2},
        {"pictureBoxResult", {636, 8, 150, 400}, nullptr},
        {"pictureBoxRight", {642, 336, 64, 64}, nullptr},
        {"pictureBoxWrong", {718, 336, 64, 64}, nullptr},
        {"pictureBoxGoodGameOver", {648, 168, 128, 128}, nullptr},
        {"pictureBoxBadGameOver", {648, 168, 128, 128}, nullptr},
        {"textBoxRight", {648, 416, 46, 23}, "0", &ui, 12},
        {"textBoxFalse", {728, 416, 46, 23}, "0", &ui, 12},
        {"label19", {652, 448, 44, 19}, "正解", &ui, 12},
        {"label42", {732, 448, 48, 18}, "誤答", &ui, 12},
        {"pictureBoxBitmapRight", {624, 432, 40, 40}, nullptr},
        {"pictureBoxBitmapBatu", {688, 432, 40, 40}, nullptr},
    });
}

TEST_F(Form1Layout, OnlyNewQuestionIsEnabledAndHiddenPicturesStartHidden) {
    auto *tabs = qobject_cast<QTabWidget *>(control("tabControl1"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(control("buttonNext")->isEnabled());
    for (const char *name : {"buttonRetry", "buttonCheck", "buttonShowAnswer",
                             "buttonSelfcheckRisum", "buttonSelfCheckMelody"})
        EXPECT_FALSE(control(name)->isEnabled()) << name;
    for (const char *name : {"button1", "buttonShowRecord"})
        EXPECT_TRUE(control(name)->isEnabled()) << name;
    for (const char *name :
         {"pictureBoxGoodGameOver", "pictureBoxBadGameOver", "pictureBoxBitmapRight",
          "pictureBoxBitmapBatu", "pictureBoxNote1Chek", "pictureBoxNote2Chek",
          "pictureBoxNote3Chek", "pictureBoxNote4Chek", "pictureBoxScaleCheck",
          "pictureBoxScaleJCheck", "pictureBoxChordCheck"})
        EXPECT_TRUE(control(name)->isHidden()) << name;
    for (const char *name : {"pictureBoxResult", "pictureBoxRight", "pictureBoxWrong"})
        EXPECT_FALSE(control(name)->isHidden()) << name;
    EXPECT_TRUE(qobject_cast<QCheckBox *>(control("checkBoxStandardA"))->isChecked());
    EXPECT_TRUE(qobject_cast<QLineEdit *>(control("textBoxRight"))->isReadOnly());
    EXPECT_TRUE(qobject_cast<QLineEdit *>(control("textBoxFalse"))->isReadOnly());
}

TEST_F(Form1Layout, TabsHaveTheirCaptionsInOrderAndFitTheControl) {
    auto *tabs = qobject_cast<QTabWidget *>(control("tabControl1"));
    ASSERT_NE(tabs, nullptr);
    const QStringList captions = {"単音（音名）", "スケール（音階）", "コード（和音）",
                                  "リズム",       "メロディ",         "MIDIの実験"};
    const QStringList pages = {"tabNote",  "tabScale",  "tabCode",
                               "tabRisum", "tabMelody", "tabTest"};
    ASSERT_EQ(tabs->count(), 6);
    int right = 0;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(tabs->tabText(i), captions[i]);
        EXPECT_EQ(tabs->widget(i)->objectName(), pages[i]);
        EXPECT_EQ(tabs->widget(i)->font().family(), ui);
        EXPECT_EQ(tabs->widget(i)->font().pixelSize(), 16);
        right = std::max(right, tabs->tabBar()->tabRect(i).right());
    }
    EXPECT_LT(right, tabs->width()) << "every caption must be visible without scrolling";
}

TEST_F(Form1Layout, StackingPutsMarkersAndGameOverPicturesInFrontOfTheTrack) {
    // Back to front, as the window stacks its own controls.
    const QStringList backToFront = {"pictureBoxBitmapBatu",
                                     "pictureBoxResult",
                                     "buttonNext",
                                     "buttonRetry",
                                     "buttonCheck",
                                     "buttonShowRecord",
                                     "button1",
                                     "checkBoxStandardA",
                                     "textBoxRight",
                                     "textBoxFalse",
                                     "label19",
                                     "label42",
                                     "tabControl1",
                                     "buttonShowAnswer",
                                     "pictureBoxRight",
                                     "pictureBoxWrong",
                                     "pictureBoxBadGameOver",
                                     "pictureBoxBitmapRight",
                                     "pictureBoxGoodGameOver"};
    QStringList order;
    for (QObject *child : form->centralWidget()->children())
        if (backToFront.contains(child->objectName()))
            order << child->objectName();
    EXPECT_EQ(order, backToFront);
}

TEST_F(Form1Layout, NotePageControlsMatchTheirTable) {
    const double small = 11.25;
    expectRows({
        {"label25",
         {16, 8, 568, 16},
         "－－－－－－－－－－－－－－－－問題の範囲－－－－－－－－－－－－－－－"},
        {"label1", {23, 32, 81, 23}, "音の範囲："},
        {"comboBoxRange", {97, 32, 416, 24}, "ト音記号のあたり", &ui, 12},
        {"checkBoxOnlyWhite", {64, 72, 224, 24}, "ピアノの黒鍵の音を鳴らさない"},
        {"label2", {331, 77, 149, 23}, "一度に答える音数："},
        {"comboBoxNoteNum", {463, 70, 64, 24}, "1"},
        {"label10",
         {16, 104, 568, 16},
         "－－－－－－－－－－－－－－－－－答え－－－－－－－－－－－－－－－－－"},
        {"pictureBoxNote1Chek", {104, 120, 40, 40}, nullptr},
        {"label20", {152, 128, 115, 23}, "ひとつめの答え"},
        {"pictureBoxNote2Chek", {336, 120, 40, 40}, nullptr},
        {"label21", {376, 128, 118, 23}, "ふたつめの答え"},
        {"label9", {32, 160, 87, 23}, "音の名前："},
        {"comboBoxNoteName0", {112, 160, 190, 23}, "", &ui, small},
        {"comboBoxNoteName1", {344, 160, 190, 23}, "", &ui, small},
        {"label11", {32, 184, 48, 23}, "高さ："},
        {"comboBoxNoteHeight0", {112, 186, 170, 23}, "", &ui, small},
        {"comboBoxNoteHeight1", {344, 186, 170, 23}, "", &ui, small},
        {"pictureBoxNote3Chek", {104, 224, 40, 40}, nullptr},
        {"label22", {144, 232, 118, 23}, "みっつめの答え"},
        {"pictureBoxNote4Chek", {336, 224, 40, 40}, nullptr},
        {"label23", {384, 232, 116, 23}, "よっつめの答え"},
        {"label17", {32, 262, 79, 24}, "音の名前："},
        {"comboBoxNoteName2", {112, 264, 190, 23}, "", &ui, small},
        {"comboBoxNoteName3", {344, 264, 190, 23}, "", &ui, small},
        {"label16", {32, 288, 48, 23}, "高さ："},
        {"comboBoxNoteHeight2", {112, 290, 170, 23}, "", &ui, small},
        {"comboBoxNoteHeight3", {344, 290, 170, 23}, "", &ui, small},
    });
}

TEST_F(Form1Layout, ScaleAndChordPageControlsMatchTheirTables) {
    expectRows({
        {"label5",
         {16, 8, 568, 16},
         "－－－－－－－－－－－－－－問題の範囲－－－－－－－－－－－－－－－"},
        {"label4", {34, 40, 94, 23}, "音階の種類："},
        {"comboBoxScale", {126, 40, 298, 24}, "狭義の調性に基づく”西洋音階”のみ"},
        {"label26",
         {16, 80, 522, 16},
         "－－－－－－－－－－－－－－－－答え－－－－－－－－－－－－－－－－－"},
        {"label7", {40, 102, 252, 24}, "”西洋音階”は，ここで答える"},
        {"label3", {57, 128, 48, 22}, "主音："},
        {"comboBoxKey", {104, 128, 216, 24}, ""},
        {"pictureBoxScaleCheck", {16, 136, 40, 40}, nullptr},
        {"label6", {57, 160, 103, 23}, "音階の種類："},
        {"comboBoxScaleType", {97, 186, 495, 24}, ""},
        {"label41", {40, 218, 525, 19}, nullptr},
        {"label8", {40, 243, 205, 23}, "”日本音階”は，こっちで答える"},
        {"pictureBoxScaleJCheck", {16, 264, 40, 40}, nullptr},
        {"comboBoxJPScaleType", {109, 269, 227, 24}, ""},

        {"label27",
         {17, 8, 575, 16},
         "－－－－－－－－－－－－－－－問題の範囲－－－－－－－－－－－－－－－"},
        {"checkBoxChordHint", {34, 32, 172, 24}, "ヒント（分散和音）あり"},
        {"checkBoxChordWhite", {248, 32, 251, 24}, "ルートにピアノ黒鍵の音は使わない"},
        {"checkBoxCodeRotaition", {248, 56, 248, 32}, "構成音のローテーションを行う", &ui, 9.75},
        {"checkBoxTriChord", {74, 96, 17, 18}, ""},
        {"label12", {92, 96, 196, 17}, "トライアド・コード（三和音）"},
        {"checkBox7Chord", {74, 120, 142, 19}, "セブンス・コード"},
        {"checkBox6Chord", {74, 144, 142, 19}, "シックス・コード"},
        {"checkBox69Chord", {74, 168, 198, 20}, "シックス・ナインス・コード"},
        {"checkBoxSus4Chord", {74, 192, 182, 20}, "サス・フォー・コード"},
        {"checkBox7SusChord", {297, 96, 231, 18}, "セブンス・サス・フォー・コード"},
        {"checkBoxDimChord", {297, 120, 191, 19}, "ディミニッシュ・コード"},
        {"checkBoxAugChord", {297, 144, 183, 19}, "オーグメント・コード"},
        {"label28",
         {17, 216, 567, 16},
         "－－－－－－－－－－－－－－－－答え－－－－－－－－－－－－－－－－－－"},
        {"label31", {64, 240, 103, 23}, "ルート（根音）："},
        {"comboBoxChordRoot", {160, 240, 231, 24}, ""},
        {"label45", {416, 240, 56, 23}, "転回："},
        {"comboBox1", {464, 240, 121, 24}, "基本形"},
        {"pictureBoxChordCheck", {16, 256, 40, 40}, nullptr},
        {"label32", {64, 280, 177, 24}, "コード（和音）の種類："},
        {"comboBoxChordType", {216, 280, 288, 24}, ""},
    });
    EXPECT_EQ(qobject_cast<QLabel *>(control("label41"))->text(), QString(70, QChar(u'・')));
}

TEST_F(Form1Layout, RhythmMelodyAndTestPageControlsMatchTheirTables) {
    const char *hint =
        "プログラムで，さいてんするのが，むずかしいので，じぶんでメモして，さいてんしてね．";
    const char *variety = "正解例と同じではなくても，正解になる書き方は色々あるよ．";
    const char *heading = "－－－－－－－－－－－－－－正解例－－－－－－－－－－－－－－－－－";
    expectRows({
        {"label18", {40, 8, 523, 16}, heading},
        {"pictureBoxNoRisumMidiData", {24, 32, 550, 160}, nullptr},
        {"pictureBoxOpenRisum", {24, 32, 550, 160}, nullptr},
        {"pictureBoxRisum", {24, 32, 550, 160}, nullptr},
        {"label14", {72, 200, 478, 38}, hint, &mono, 12},
        {"label43", {112, 248, 88, 24}, "自己採点：", &mono, 12, true},
        {"comboBoxRisumSelfCheck", {208, 248, 200, 24}, ""},
        {"buttonSelfcheckRisum", {416, 248, 80, 23}, "得点確定", &mono, 9.75},
        {"label29", {72, 288, 515, 16}, variety},
        {"label15", {40, 8, 523, 16}, heading},
        {"pictureBoxNoMelodyMidiData", {24, 32, 550, 160}, nullptr},
        {"pictureBoxOpenMelody", {24, 32, 550, 160}, nullptr},
        {"pictureBoxMelody", {24, 32, 550, 160}, nullptr},
        {"label13", {72, 200, 472, 38}, hint, &mono, 12},
        {"label24", {112, 248, 88, 24}, "自己採点：", &mono, 12, true},
        {"comboBoxMelodySelfCheck", {208, 248, 200, 24}, ""},
        {"buttonSelfCheckMelody", {416, 248, 80, 23}, "得点確定", &mono, 9.75},
        {"label30", {72, 288, 515, 26}, variety},

        {"label33", {24, 24, 192, 18}, "MIDIプログラムナンバー", &mono, 12},
        {"label35", {24, 48, 128, 18}, "（音色1～127）", &mono, 12},
        {"numericUpDownInst", {48, 72, 64, 23}, nullptr},
        {"label39", {272, 24, 168, 19}, "MIDIノートナンバー", &mono, 12},
        {"label38", {272, 48, 160, 19}, "（音の高さ1～127）", &mono, 12},
        {"numericUpDownNoteNum", {304, 72, 72, 23}, nullptr},
        {"label36", {464, 24, 136, 18}, "MIDIチャンネル", &mono, 12},
        {"label40", {480, 48, 80, 18}, "（1～16）", &mono, 12},
        {"numericUpDownMidiCh", {488, 72, 56, 23}, nullptr},
        {"groupBox1", {88, 112, 160, 168}, "楽器名"},
        {"label34", {296, 128, 96, 19}, "ベロシティ", &mono, 12},
        {"label37", {264, 152, 160, 19}, "（音の強さ1～127）", &mono, 12},
        {"numericUpDownVelocity", {304, 176, 72, 23}, nullptr},
        {"buttonSendMidi", {496, 211, 85, 85}, "送信", &mono, 11.25, true},
        {"label44", {264, 232, 176, 19}, "発音の持続時間（秒）", &mono, 12},
        {"numericUpDownDuration", {304, 256, 72, 23}, nullptr},
        {"radioButtonPiano", {16, 16, 104, 24}, "Piano"},
        {"radioButtonViolin", {16, 40, 88, 24}, "Violin"},
        {"radioButtonFlute", {16, 64, 104, 24}, "Flute"},
        {"radioButtonGuiter", {16, 88, 104, 24}, "Guitar"},
        {"radioButtonTubularBells", {16, 112, 136, 24}, "Tubular Bells"},
        {"radioButtonTimpani", {16, 136, 128, 24}, "Timpani"},
    });
}

TEST_F(Form1Layout, ComboBoxesCarryTheirListsAndStartSelections) {
    auto combo = [this](const char *name) { return qobject_cast<QComboBox *>(control(name)); };
    auto items = [](QComboBox *box) {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    };
    const QStringList noteNames = {"",
                                   "ハ　（C）",
                                   "嬰ハ　変ニ（C#　D♭）",
                                   "ニ　（D）",
                                   "嬰ニ　変ホ（D#　E♭）",
                                   "ホ　（E）",
                                   "ヘ　（F）",
                                   "嬰ヘ　変ト（F#　G♭）",
                                   "ト　（G）",
                                   "嬰ト　変イ（G#　A♭）",
                                   "イ　（A）",
                                   "嬰イ　変ロ（A#　B♭(H♭)）",
                                   "ロ　（B　Ｈ）"};
    for (const char *name : {"comboBoxNoteName0", "comboBoxNoteName1", "comboBoxNoteName2",
                             "comboBoxNoteName3", "comboBoxKey", "comboBoxChordRoot"})
        EXPECT_EQ(items(combo(name)), noteNames) << name;
    for (const char *name : {"comboBoxNoteHeight0", "comboBoxNoteHeight1", "comboBoxNoteHeight2",
                             "comboBoxNoteHeight3"}) {
        ASSERT_EQ(combo(name)->count(), 12) << name;
        EXPECT_EQ(combo(name)->itemText(5), QStringLiteral("（点無しのオクターブ）"));
        EXPECT_EQ(combo(name)->itemText(6), QStringLiteral("上一点（中央）"));
    }
    EXPECT_EQ(items(combo("comboBoxRisumSelfCheck")),
              QStringList({"よくできた", "どっちかというと正解", "", "どっちかというと間違い",
                           "ひどい間違い"}));
    EXPECT_EQ(combo("comboBoxScaleType")->count(), 10);
    EXPECT_EQ(combo("comboBoxJPScaleType")->count(), 8);
    ASSERT_EQ(combo("comboBoxChordType")->count(), 15);
    EXPECT_EQ(combo("comboBoxChordType")->itemText(13),
              QStringLiteral("dim7 　（ディミニッシュ　dim, o）"));
    EXPECT_EQ(combo("comboBoxRange")->count(), 5);

    // The range box shows text that is none of its items, so nothing is selected.
    EXPECT_EQ(combo("comboBoxRange")->currentIndex(), -1);
    EXPECT_EQ(combo("comboBoxRange")->currentText(), QStringLiteral("ト音記号のあたり"));
    EXPECT_EQ(combo("comboBoxNoteNum")->currentIndex(), 0);
    EXPECT_EQ(combo("comboBoxScale")->currentIndex(), 0);
    EXPECT_EQ(combo("comboBox1")->currentIndex(), 0);
    for (const char *name :
         {"comboBoxNoteName0", "comboBoxNoteHeight3", "comboBoxKey", "comboBoxScaleType",
          "comboBoxJPScaleType", "comboBoxChordRoot", "comboBoxChordType", "comboBoxRisumSelfCheck",
          "comboBoxMelodySelfCheck"})
        EXPECT_EQ(combo(name)->currentIndex(), -1) << name;
    for (QComboBox *box : form->findChildren<QComboBox *>()) {
        EXPECT_TRUE(box->isEditable()) << box->objectName().toStdString();
        EXPECT_EQ(box->insertPolicy(), QComboBox::NoInsert) << box->objectName().toStdString();
    }
}

TEST_F(Form1Layout, UnusableChordControlsAndTestPageStartValues) {
    EXPECT_FALSE(control("checkBoxCodeRotaition")->isEnabled());
    EXPECT_FALSE(qobject_cast<QCheckBox *>(control("checkBoxCodeRotaition"))->isChecked());
    EXPECT_FALSE(control("checkBoxTriChord")->isEnabled());
    EXPECT_TRUE(qobject_cast<QCheckBox *>(control("checkBoxTriChord"))->isChecked());
    EXPECT_FALSE(control("label45")->isEnabled());
    EXPECT_FALSE(control("comboBox1")->isEnabled());
    for (const char *name : {"checkBoxChordHint", "checkBoxChordWhite", "checkBoxOnlyWhite"})
        EXPECT_TRUE(qobject_cast<QCheckBox *>(control(name))->isChecked()) << name;
    for (const char *name :
         {"checkBox7Chord", "checkBox6Chord", "checkBox69Chord", "checkBoxSus4Chord",
          "checkBox7SusChord", "checkBoxDimChord", "checkBoxAugChord"})
        EXPECT_FALSE(qobject_cast<QCheckBox *>(control(name))->isChecked()) << name;

    struct Spin {
        const char *name;
        int minimum, maximum, value;
    };
    for (const Spin &s :
         {Spin{"numericUpDownInst", 1, 127, 1}, Spin{"numericUpDownNoteNum", 1, 127, 69},
          Spin{"numericUpDownVelocity", 1, 127, 100}, Spin{"numericUpDownMidiCh", 1, 16, 1},
          Spin{"numericUpDownDuration", 1, 5, 2}}) {
        auto *box = qobject_cast<QSpinBox *>(control(s.name));
        ASSERT_NE(box, nullptr) << s.name;
        EXPECT_EQ(box->minimum(), s.minimum) << s.name;
        EXPECT_EQ(box->maximum(), s.maximum) << s.name;
        EXPECT_EQ(box->value(), s.value) << s.name;
    }
    EXPECT_TRUE(qobject_cast<QRadioButton *>(control("radioButtonPiano"))->isChecked());
    EXPECT_EQ(control("radioButtonTimpani")->parentWidget(), control("groupBox1"));
}

TEST_F(Form1Layout, RhythmAndMelodyPicturesShareOneRectWithMissingFilesInFront) {
    struct Page {
        const char *page;
        QStringList frontToBack;
    };
    for (const Page &p : {Page{"tabRisum",
                               {"pictureBoxNoRisumMidiData", "pictureBoxOpenRisum",
                                "buttonSelfcheckRisum", "label43", "comboBoxRisumSelfCheck",
                                "label29", "pictureBoxRisum", "label18", "label14"}},
                          Page{"tabMelody",
                               {"pictureBoxNoMelodyMidiData", "pictureBoxOpenMelody",
                                "buttonSelfCheckMelody", "label24", "comboBoxMelodySelfCheck",
                                "label30", "pictureBoxMelody", "label15", "label13"}}}) {
        // Siblings are painted in the order of the children list, the last one in front.
        QStringList backToFront;
        for (QObject *child : control(p.page)->children())
            if (p.frontToBack.contains(child->objectName()))
                backToFront.prepend(child->objectName());
        EXPECT_EQ(backToFront, p.frontToBack) << p.page;
        const QRect shared = control(qPrintable(p.frontToBack[0]))->geometry();
        EXPECT_EQ(control(qPrintable(p.frontToBack[1]))->geometry(), shared);
        EXPECT_EQ(control(qPrintable(p.frontToBack[6]))->geometry(), shared);
    }
    // Before any tab change the missing-files picture is what the rhythm page shows.
    EXPECT_FALSE(control("pictureBoxNoRisumMidiData")->isHidden());
}

TEST_F(Form1Layout, EveryTextIsShownWholeInAnInstalledFace) {
    // Each page fits its captions when it is first shown.
    auto *tabs = qobject_cast<QTabWidget *>(control("tabControl1"));
    for (int page = tabs->count() - 1; page >= 0; --page)
        tabs->setCurrentIndex(page);
    for (QWidget *widget : form->findChildren<QWidget *>()) {
        const QString text = textOf(widget);
        if (text.isEmpty())
            continue;
        SCOPED_TRACE(widget->objectName().toStdString());
        for (char32_t c : text.toUcs4())
            EXPECT_TRUE(drawable(widget->font(), c))
                << "no glyph for U+" << std::hex << static_cast<std::uint32_t>(c);
        if (isCaption(widget) && widget->x() + widget->sizeHint().width() <= 603) {
            EXPECT_LE(widget->sizeHint().width(), widget->width()) << "caption is cut off";
        }
    }
    // The substitutions resolve the Windows family names to installed faces.
    EXPECT_TRUE(QFontInfo(Fonts::ui(12)).family().startsWith("IPAPGothic"));
    EXPECT_TRUE(QFontInfo(Fonts::mono(12)).family().startsWith("IPAGothic"));
}

} // namespace
