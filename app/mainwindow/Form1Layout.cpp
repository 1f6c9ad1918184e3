// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed layout of the main window: the frame, the menu and the six pages, built once by the
// constructor. Every control is one line that can be read against its layout table.
#include "app/mainwindow/Form1.h"

#include "app/mainwindow/ClientArea.h"
#include "app/services/Fonts.h"
#include "app/services/ItemNames.h"
#include "app/services/Pictures.h"
#include "app/widgets/Controls.h"
#include "app/widgets/PictureButton.h"
#include "app/widgets/TabControl.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

namespace miminomi {

namespace {

const QSize pageSize(603, 317);
const QColor lightCoral(240, 128, 128);
const QColor appWorkspace(171, 171, 171);
const QColor lightGrey(224, 224, 224);
const QColor rightBoxYellow(255, 255, 128);
const QColor wrongBoxPink(255, 192, 192);

const QStringList rangeItems = {
    QStringLiteral("ト音記号の五線譜あたり"),
    QStringLiteral("ヘ音記号の五線譜あたり"),
    QStringLiteral("ト音記号の五線譜から，マンドリンのサウンドホールあたりまで"),
    QStringLiteral("ヘ音記号から，マンドリンのサウンドホール近辺あたりまで"),
    QStringLiteral("MIDI規格全範囲（やめた方がいい...）"),
};

const QStringList scaleRangeItems = {
    QStringLiteral("狭義の調性に基づく”西洋音階”のみ"),
    QStringLiteral("上記に加えて”教会旋法”も"),
    QStringLiteral("”日本音階”（”沖縄音階”を含む）のみ"),
    QStringLiteral("このソフトに登録されたの全部"),
};

const QStringList inversionItems = {
    QStringLiteral("基本形"),   QStringLiteral("第一転回"), QStringLiteral("第二転回"),
    QStringLiteral("第三転回"), QStringLiteral("第四転回"), QStringLiteral("第五転回"),
};

/// The instruments a question can sound on, by their General MIDI program (counted from 0): the
/// piano first, as always; the organ and the strings hold their notes evenly; the flute and the
/// ocarina have few overtones, so that the octave is harder to tell; the nylon guitar fades as the
/// piano does, with another colour.
struct Instrument {
    const char *name;
    const char16_t *text;
    std::uint8_t program;
};
const Instrument instrumentItems[] = {
    {"menuInstrumentPiano", u"ピアノ", 0},
    {"menuInstrumentOrgan", u"オルガン", 19},
    {"menuInstrumentStrings", u"弦楽合奏", 48},
    {"menuInstrumentFlute", u"フルート", 73},
    {"menuInstrumentGuitar", u"ギター", 24},
    {"menuInstrumentOcarina", u"オカリナ（倍音の少ない音）", 79},
};

const char *const namingNames[noteNamingCount] = {"menuNamingJapanese", "menuNamingSolfege",
                                                  "menuNamingEnglish", "menuNamingGerman"};

const QString selfCheckHint = QStringLiteral(
    "プログラムで，さいてんするのが，むずかしいので，じぶんでメモして，さいてんしてね．");
const QString answerVariety =
    QStringLiteral("正解例と同じではなくても，正解になる書き方は色々あるよ．");
const QString modelAnswerHeading =
    QStringLiteral("－－－－－－－－－－－－－－正解例－－－－－－－－－－－－－－－－－");

/// Raises the widgets in the order given, back to front, so the first one given ends at the back.
void stackBackToFront(std::initializer_list<QWidget *> backToFront) {
    for (QWidget *widget : backToFront)
        widget->raise();
}

QWidget *makePage(QTabWidget *tabs, const char *name, const QString &caption) {
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    page->setFont(Fonts::ui(12));
    page->setAutoFillBackground(true);
    tabs->addTab(page, caption);
    return page;
}

/// The seconds a piece has played, beside the self-mark button, shown only while it plays.
QProgressBar *makePieceProgress(QWidget *page, const char *name) {
    auto *bar = new QProgressBar(page);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(504, 250, 92, 20);
    bar->setRange(0, 15);
    bar->setFormat(QStringLiteral("%v / %m 秒"));
    bar->setFont(Fonts::ui(9));
    bar->hide();
    return bar;
}

QLabel *withFont(QLabel *label, const QFont &font) {
    label->setFont(font);
    return label;
}

/// The names of the controls of the rhythm page or the melody page, which share one layout.
struct PiecePageNames {
    const char *heading, *missing, *opened, *answer, *instruction;
    int instructionWidth;
    const char *selfMark, *choice, *confirm, *variety;
    int varietyHeight;
    const char *progress;
};

struct PiecePage {
    QLabel *missing, *opened, *answer;
    QComboBox *choice;
    QPushButton *confirm;
    QProgressBar *progress;
};

PiecePage buildPiecePage(QWidget *p, const PiecePageNames &n) {
    const QRect pictureArea(24, 32, 550, 160);
    PiecePage page{};
    auto *heading = Controls::label(p, n.heading, {40, 8, 523, 16}, modelAnswerHeading);
    // The three pictures share one rectangle; their panels are drawn when the page first shows.
    page.missing = Controls::pictureBox(p, n.missing, pictureArea, {});
    Controls::setBackground(page.missing, Qt::white);
    Pictures::loadWhenShown(page.missing, "panelNoMidiData", pictureArea.size());
    page.opened = Controls::pictureBox(p, n.opened, pictureArea, {}, true);
    Controls::setBackground(page.opened, appWorkspace);
    Pictures::loadWhenShown(page.opened, "panelOpen", pictureArea.size());
    page.answer = Controls::pictureBox(p, n.answer, pictureArea, {}, true);
    Controls::setBackground(page.answer, appWorkspace);
    Pictures::loadWhenShown(page.answer, "panelInitial", pictureArea.size());

    auto *instruction = withFont(
        Controls::label(p, n.instruction, {72, 200, n.instructionWidth, 38}, selfCheckHint),
        Fonts::mono(12));
    instruction->setWordWrap(true);
    auto *selfMark =
        withFont(Controls::label(p, n.selfMark, {112, 248, 88, 24}, QStringLiteral("自己採点：")),
                 Fonts::mono(12, true));
    page.choice = Controls::comboBox(p, n.choice, {208, 248, 200, 24}, AnswerLists::grades());
    page.confirm = Controls::button(p, n.confirm, {416, 248, 80, 23}, QStringLiteral("得点確定"));
    page.confirm->setFont(Fonts::mono(9.75));
    page.confirm->setEnabled(false);
    auto *variety = Controls::label(p, n.variety, {72, 288, 515, n.varietyHeight}, answerVariety);
    page.progress = makePieceProgress(p, n.progress);

    stackBackToFront({instruction, heading, page.answer, variety, page.choice, selfMark,
                      page.confirm, page.opened, page.missing});
    return page;
}

} // namespace

void Form1::buildFrame() {
    setWindowTitle(QStringLiteral("みみのみ"));
    // The icon is not needed to show the window: it is set once the window is up.
    QTimer::singleShot(0, this, [this] { setWindowIcon(Pictures::windowIcon()); });
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(Fonts::ui(12));

    // The background picture's art (a violinist, a fading staff) lies in its lower-left corner.
    const QRect backgroundArt(0, 360, 184, 115);
    client = new ClientArea(QSize(794, 475), Pictures::loadPart("background", backgroundArt),
                            backgroundArt.topLeft(), this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    QWidget *w = client;

    checkBoxStandardA =
        Controls::checkBox(w, "checkBoxStandardA", {16, 8, 264, 24},
                           QStringLiteral("問題の前に基準音（A=440）を鳴らす"), true);

    tabControl1 = new TabControl(w);
    tabControl1->setObjectName(QStringLiteral("tabControl1"));
    tabControl1->setGeometry(8, 32, 611, 346);
    tabControl1->setFont(Fonts::mono(12));
    tabNote = makePage(tabControl1, "tabNote", QStringLiteral("単音（音名）"));
    tabScale = makePage(tabControl1, "tabScale", QStringLiteral("スケール（音階）"));
    tabCode = makePage(tabControl1, "tabCode", QStringLiteral("コード（和音）"));
    tabRisum = makePage(tabControl1, "tabRisum", QStringLiteral("リズム"));
    tabMelody = makePage(tabControl1, "tabMelody", QStringLiteral("メロディ"));
    tabTest = makePage(tabControl1, "tabTest", QStringLiteral("MIDIの実験"));

    buttonNext =
        Controls::pictureButton(w, "buttonNext", {176, 384, 85, 85}, QStringLiteral("新規出題"),
                                Pictures::load("buttonNext", {85, 82}));
    buttonRetry =
        Controls::pictureButton(w, "buttonRetry", {272, 384, 85, 85}, QStringLiteral("もう一度"),
                                Pictures::load("buttonRetry", {85, 85}));
    buttonCheck =
        Controls::pictureButton(w, "buttonCheck", {368, 384, 85, 85}, QStringLiteral("採点"),
                                Pictures::load("buttonCheck", {85, 85}));
    for (PictureButton *button : {buttonNext, buttonRetry, buttonCheck})
        button->setFont(Fonts::mono(9, true));
    buttonRetry->setEnabled(false);
    buttonCheck->setEnabled(false);

    buttonShowAnswer = Controls::pictureButton(w, "buttonShowAnswer", {472, 428, 56, 40},
                                               QStringLiteral("正解を見る"), {});
    buttonShowAnswer->setFont(Fonts::mono(8.25, true));
    Controls::setBackground(buttonShowAnswer, appWorkspace);
    buttonShowAnswer->setEnabled(false);

    button1 = Controls::pictureButton(w, "button1", {536, 384, 80, 38},
                                      QStringLiteral("右の成績欄をリセット"), {});
    button1->setFont(Fonts::ui(10.2));
    Controls::setBackground(button1, lightGrey);
    buttonShowRecord = Controls::pictureButton(w, "buttonShowRecord", {536, 429, 80, 38},
                                               QStringLiteral("過去記録を見る"), {});
    buttonShowRecord->setFont(Fonts::mono(10.2));
    Controls::setBackground(buttonShowRecord, lightGrey);

    pictureBoxResult = Controls::pictureBox(w, "pictureBoxResult", {636, 8, 150, 400},
                                            Pictures::load("result", {150, 400}), true);
    pictureBoxRight = Controls::pictureBox(w, "pictureBoxRight", {642, 336, 64, 64},
                                           Pictures::load("markerRight", {64, 64}));
    pictureBoxWrong = Controls::pictureBox(w, "pictureBoxWrong", {718, 336, 64, 64},
                                           Pictures::load("markerWrong", {64, 64}));
    Controls::setBackground(pictureBoxRight, lightCoral);
    Controls::setBackground(pictureBoxWrong, lightCoral);
    // The game-over pictures are drawn when a game first ends.
    pictureBoxGoodGameOver =
        Controls::pictureBox(w, "pictureBoxGoodGameOver", {648, 168, 128, 128}, {});
    pictureBoxBadGameOver =
        Controls::pictureBox(w, "pictureBoxBadGameOver", {648, 168, 128, 128}, {});
    pictureBoxGoodGameOver->hide();
    pictureBoxBadGameOver->hide();
    Pictures::loadWhenShown(pictureBoxGoodGameOver, "gameOverGood", {128, 128});
    Pictures::loadWhenShown(pictureBoxBadGameOver, "gameOverBad", {128, 128});

    textBoxRight = Controls::textBox(w, "textBoxRight", {648, 416, 46, 23}, QStringLiteral("0"),
                                     rightBoxYellow);
    textBoxFalse =
        Controls::textBox(w, "textBoxFalse", {728, 416, 46, 23}, QStringLiteral("0"), wrongBoxPink);
    label19 = Controls::label(w, "label19", {652, 448, 44, 19}, QStringLiteral("正解"));
    label42 = Controls::label(w, "label42", {732, 448, 48, 18}, QStringLiteral("誤答"));

    // The marks' pictures, kept hidden here, are rendered at the first marking.
    pictureBoxBitmapRight =
        Controls::pictureBox(w, "pictureBoxBitmapRight", {624, 432, 40, 40}, QPixmap());
    pictureBoxBitmapBatu =
        Controls::pictureBox(w, "pictureBoxBitmapBatu", {688, 432, 40, 40}, QPixmap());
    pictureBoxBitmapRight->hide();
    pictureBoxBitmapBatu->hide();

    buildNotePage(tabNote);
    buildScalePage(tabScale);
    buildChordPage(tabCode);
    buildRisumPage(tabRisum);
    buildMelodyPage(tabMelody);
    buildTestPage(tabTest);
    stackWindowControls();
    tabControl1->setCurrentIndex(0);

    Controls::fitTexts(client, client->width());
    // The pages nobody has opened yet measure their captions when they are first shown.
    for (QWidget *page : {tabNote, tabScale, tabCode, tabRisum, tabMelody, tabTest})
        Controls::fitTextsWhenShown(page, pageSize.width());
    Controls::fitTextsWhenShown(groupBox1, groupBox1->width());
}

void Form1::buildMenu() {
    const auto menu = [this](const QString &title, const char *name) {
        QMenu *made = menuBar()->addMenu(title);
        made->setObjectName(QString::fromLatin1(name));
        return made;
    };
    const auto item = [](QMenu *into, const QString &text, const char *name, bool enabled = true) {
        QAction *made = into->addAction(text);
        made->setObjectName(QString::fromLatin1(name));
        made->setEnabled(enabled);
        return made;
    };
    menuItem1 = menu(QStringLiteral("ファイル"), "menuItem1");
    menuItem3 = item(menuItem1, QStringLiteral("終了(&X)"), "menuItem3");
    menuPractice = menu(QStringLiteral("練習"), "menuPractice");
    menuStatistics = item(menuPractice, QStringLiteral("成績の分析を見る…"), "menuStatistics");
    menuExportHistory = item(menuPractice, QStringLiteral("履歴を書き出す…"), "menuExportHistory");
    // The number due is read from the history when the menu opens, not at start.
    menuReview = item(menuPractice, QStringLiteral("今日の復習…"), "menuReview");
    menuReview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F9));
    menuWeakSpots = item(menuPractice, QStringLiteral("苦手な問題を多めに出す"), "menuWeakSpots");
    menuWeakSpots->setCheckable(true);
    // Two groups of exclusive items, the first of each checked: the main window as it always was.
    const auto exclusive = [](QMenu *into) {
        auto *group = new QActionGroup(into);
        group->setExclusive(true);
        return group;
    };
    menuNoteNaming = menuPractice->addMenu(QStringLiteral("音名の表記"));
    menuNoteNaming->setObjectName(QStringLiteral("menuNoteNaming"));
    noteNamings = exclusive(menuNoteNaming);
    for (int naming = 0; naming < noteNamingCount; ++naming) {
        QAction *made = item(menuNoteNaming, noteNamingTitle(static_cast<NoteNaming>(naming)),
                             namingNames[naming]);
        made->setCheckable(true);
        made->setChecked(naming == 0);
        noteNamings->addAction(made);
    }
    menuInstrument = menuPractice->addMenu(QStringLiteral("音色"));
    menuInstrument->setObjectName(QStringLiteral("menuInstrument"));
    instruments = exclusive(menuInstrument);
    for (const Instrument &each : instrumentItems) {
        QAction *made = item(menuInstrument, QString::fromUtf16(each.text), each.name);
        made->setCheckable(true);
        made->setChecked(each.program == instrumentItems[0].program);
        made->setData(each.program);
        instruments->addAction(made);
    }
    menuPractice->addSeparator();
    // Enabled once there is something to compare, to tap back or to enter.
    menuCompare = item(menuPractice, QStringLiteral("聴き比べる"), "menuCompare", false);
    menuReferenceA = item(menuPractice, QStringLiteral("基準音を鳴らす"), "menuReferenceA");
    menuTapRhythm =
        item(menuPractice, QStringLiteral("リズムをたたいて答える…"), "menuTapRhythm", false);
    menuEnterMelody =
        item(menuPractice, QStringLiteral("メロディを入力して答える…"), "menuEnterMelody", false);
    menuExam = item(menuPractice, QStringLiteral("聴音（試験形式）…"), "menuExam");
    menuExam->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F3));
    menuPractice->addSeparator();
    menuResetSettings =
        item(menuPractice, QStringLiteral("設定を初期状態に戻す…"), "menuResetSettings");
    menuItem2 = menu(QStringLiteral("ヘルプ"), "menuItem2");
    menuKeyGuide = item(menuItem2, QStringLiteral("キー操作と練習機能…"), "menuKeyGuide");
    menuItem4 = item(menuItem2, QStringLiteral("このソフトについて"), "menuItem4");
}

void Form1::stackWindowControls() {
    stackBackToFront({pictureBoxBitmapBatu, pictureBoxResult, buttonNext, buttonRetry, buttonCheck,
                      buttonShowRecord, button1, checkBoxStandardA, textBoxRight, textBoxFalse,
                      label19, label42, tabControl1, buttonShowAnswer, pictureBoxRight,
                      pictureBoxWrong, pictureBoxBadGameOver, pictureBoxBitmapRight,
                      pictureBoxGoodGameOver});
}

void Form1::buildNotePage(QWidget *p) {
    Controls::label(
        p, "label25", {16, 8, 568, 16},
        QStringLiteral("－－－－－－－－－－－－－－－－問題の範囲－－－－－－－－－－－－－－－"));
    Controls::label(p, "label1", {23, 32, 81, 23}, QStringLiteral("音の範囲："));
    comboBoxRange = Controls::comboBox(p, "comboBoxRange", {97, 32, 416, 24}, rangeItems,
                                       QStringLiteral("ト音記号のあたり"));
    checkBoxOnlyWhite = Controls::checkBox(p, "checkBoxOnlyWhite", {64, 72, 224, 24},
                                           QStringLiteral("ピアノの黒鍵の音を鳴らさない"), true);
    Controls::label(p, "label2", {331, 77, 149, 23}, QStringLiteral("一度に答える音数："));
    comboBoxNoteNum = Controls::comboBox(
        p, "comboBoxNoteNum", {463, 70, 64, 24},
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")},
        QStringLiteral("1"));
    Controls::label(
        p, "label10", {16, 104, 568, 16},
        QStringLiteral("－－－－－－－－－－－－－－－－－答え－－－－－－－－－－－－－－－－－"));

    pictureBoxNote1Chek = Controls::pictureBox(p, "pictureBoxNote1Chek", {104, 120, 40, 40}, {});
    Controls::label(p, "label20", {152, 128, 115, 23}, QStringLiteral("ひとつめの答え"));
    pictureBoxNote2Chek = Controls::pictureBox(p, "pictureBoxNote2Chek", {336, 120, 40, 40}, {});
    Controls::label(p, "label21", {376, 128, 118, 23}, QStringLiteral("ふたつめの答え"));
    Controls::label(p, "label9", {32, 160, 87, 23}, QStringLiteral("音の名前："));
    comboBoxNoteName0 =
        Controls::comboBox(p, "comboBoxNoteName0", {112, 160, 190, 23}, AnswerLists::noteNames());
    comboBoxNoteName1 =
        Controls::comboBox(p, "comboBoxNoteName1", {344, 160, 190, 23}, AnswerLists::noteNames());
    Controls::label(p, "label11", {32, 184, 48, 23}, QStringLiteral("高さ："));
    comboBoxNoteHeight0 =
        Controls::comboBox(p, "comboBoxNoteHeight0", {112, 186, 170, 23}, AnswerLists::octaves());
    comboBoxNoteHeight1 =
        Controls::comboBox(p, "comboBoxNoteHeight1", {344, 186, 170, 23}, AnswerLists::octaves());

    pictureBoxNote3Chek = Controls::pictureBox(p, "pictureBoxNote3Chek", {104, 224, 40, 40}, {});
    Controls::label(p, "label22", {144, 232, 118, 23}, QStringLiteral("みっつめの答え"));
    pictureBoxNote4Chek = Controls::pictureBox(p, "pictureBoxNote4Chek", {336, 224, 40, 40}, {});
    Controls::label(p, "label23", {384, 232, 116, 23}, QStringLiteral("よっつめの答え"));
    Controls::label(p, "label17", {32, 262, 79, 24}, QStringLiteral("音の名前："));
    comboBoxNoteName2 =
        Controls::comboBox(p, "comboBoxNoteName2", {112, 264, 190, 23}, AnswerLists::noteNames());
    comboBoxNoteName3 =
        Controls::comboBox(p, "comboBoxNoteName3", {344, 264, 190, 23}, AnswerLists::noteNames());
    Controls::label(p, "label16", {32, 288, 48, 23}, QStringLiteral("高さ："));
    comboBoxNoteHeight2 =
        Controls::comboBox(p, "comboBoxNoteHeight2", {112, 290, 170, 23}, AnswerLists::octaves());
    comboBoxNoteHeight3 =
        Controls::comboBox(p, "comboBoxNoteHeight3", {344, 290, 170, 23}, AnswerLists::octaves());

    for (QComboBox *box :
         {comboBoxNoteName0, comboBoxNoteName1, comboBoxNoteName2, comboBoxNoteName3,
          comboBoxNoteHeight0, comboBoxNoteHeight1, comboBoxNoteHeight2, comboBoxNoteHeight3})
        box->setFont(Fonts::ui(11.25));
    for (QLabel *mark :
         {pictureBoxNote1Chek, pictureBoxNote2Chek, pictureBoxNote3Chek, pictureBoxNote4Chek})
        mark->hide();
}

void Form1::buildScalePage(QWidget *p) {
    Controls::label(
        p, "label5", {16, 8, 568, 16},
        QStringLiteral("－－－－－－－－－－－－－－問題の範囲－－－－－－－－－－－－－－－"));
    Controls::label(p, "label4", {34, 40, 94, 23}, QStringLiteral("音階の種類："));
    comboBoxScale = Controls::comboBox(p, "comboBoxScale", {126, 40, 298, 24}, scaleRangeItems,
                                       scaleRangeItems.front());
    Controls::label(
        p, "label26", {16, 80, 522, 16},
        QStringLiteral("－－－－－－－－－－－－－－－－答え－－－－－－－－－－－－－－－－－"));
    Controls::label(p, "label7", {40, 102, 252, 24}, QStringLiteral("”西洋音階”は，ここで答える"));
    Controls::label(p, "label3", {57, 128, 48, 22}, QStringLiteral("主音："));
    comboBoxKey =
        Controls::comboBox(p, "comboBoxKey", {104, 128, 216, 24}, AnswerLists::noteNames());
    pictureBoxScaleCheck = Controls::pictureBox(p, "pictureBoxScaleCheck", {16, 136, 40, 40}, {});
    Controls::label(p, "label6", {57, 160, 103, 23}, QStringLiteral("音階の種類："));
    comboBoxScaleType = Controls::comboBox(p, "comboBoxScaleType", {97, 186, 495, 24},
                                           AnswerLists::westernScaleTypes());
    Controls::label(p, "label41", {40, 218, 525, 19}, QString(70, QChar(u'・')));
    Controls::label(p, "label8", {40, 243, 205, 23},
                    QStringLiteral("”日本音階”は，こっちで答える"));
    pictureBoxScaleJCheck = Controls::pictureBox(p, "pictureBoxScaleJCheck", {16, 264, 40, 40}, {});
    comboBoxJPScaleType = Controls::comboBox(p, "comboBoxJPScaleType", {109, 269, 227, 24},
                                             AnswerLists::japaneseScaleTypes());
    pictureBoxScaleCheck->hide();
    pictureBoxScaleJCheck->hide();
}

void Form1::buildChordPage(QWidget *p) {
    Controls::label(
        p, "label27", {17, 8, 575, 16},
        QStringLiteral("－－－－－－－－－－－－－－－問題の範囲－－－－－－－－－－－－－－－"));
    checkBoxChordHint = Controls::checkBox(p, "checkBoxChordHint", {34, 32, 172, 24},
                                           QStringLiteral("ヒント（分散和音）あり"), true);
    checkBoxChordWhite =
        Controls::checkBox(p, "checkBoxChordWhite", {248, 32, 251, 24},
                           QStringLiteral("ルートにピアノ黒鍵の音は使わない"), true);
    checkBoxCodeRotaition =
        Controls::checkBox(p, "checkBoxCodeRotaition", {248, 56, 248, 32},
                           QStringLiteral("構成音のローテーションを行う"), false);
    checkBoxCodeRotaition->setFont(Fonts::ui(9.75));
    checkBoxCodeRotaition->setEnabled(false);
    checkBoxTriChord = Controls::checkBox(p, "checkBoxTriChord", {74, 96, 17, 18}, {}, true);
    checkBoxTriChord->setEnabled(false);
    Controls::label(p, "label12", {92, 96, 196, 17},
                    QStringLiteral("トライアド・コード（三和音）"));
    checkBox7Chord = Controls::checkBox(p, "checkBox7Chord", {74, 120, 142, 19},
                                        QStringLiteral("セブンス・コード"), false);
    checkBox6Chord = Controls::checkBox(p, "checkBox6Chord", {74, 144, 142, 19},
                                        QStringLiteral("シックス・コード"), false);
    checkBox69Chord = Controls::checkBox(p, "checkBox69Chord", {74, 168, 198, 20},
                                         QStringLiteral("シックス・ナインス・コード"), false);
    checkBoxSus4Chord = Controls::checkBox(p, "checkBoxSus4Chord", {74, 192, 182, 20},
                                           QStringLiteral("サス・フォー・コード"), false);
    checkBox7SusChord = Controls::checkBox(p, "checkBox7SusChord", {297, 96, 231, 18},
                                           QStringLiteral("セブンス・サス・フォー・コード"), false);
    checkBoxDimChord = Controls::checkBox(p, "checkBoxDimChord", {297, 120, 191, 19},
                                          QStringLiteral("ディミニッシュ・コード"), false);
    checkBoxAugChord = Controls::checkBox(p, "checkBoxAugChord", {297, 144, 183, 19},
                                          QStringLiteral("オーグメント・コード"), false);
    Controls::label(
        p, "label28", {17, 216, 567, 16},
        QStringLiteral("－－－－－－－－－－－－－－－－答え－－－－－－－－－－－－－－－－－－"));
    Controls::label(p, "label31", {64, 240, 103, 23}, QStringLiteral("ルート（根音）："));
    comboBoxChordRoot =
        Controls::comboBox(p, "comboBoxChordRoot", {160, 240, 231, 24}, AnswerLists::noteNames());
    Controls::label(p, "label45", {416, 240, 56, 23}, QStringLiteral("転回："))->setEnabled(false);
    comboBox1 = Controls::comboBox(p, "comboBox1", {464, 240, 121, 24}, inversionItems,
                                   inversionItems.front());
    comboBox1->setEnabled(false);
    pictureBoxChordCheck = Controls::pictureBox(p, "pictureBoxChordCheck", {16, 256, 40, 40}, {});
    pictureBoxChordCheck->hide();
    Controls::label(p, "label32", {64, 280, 177, 24}, QStringLiteral("コード（和音）の種類："));
    comboBoxChordType =
        Controls::comboBox(p, "comboBoxChordType", {216, 280, 288, 24}, AnswerLists::chordTypes());
}

void Form1::buildRisumPage(QWidget *p) {
    const PiecePage page =
        buildPiecePage(p, {"label18", "pictureBoxNoRisumMidiData", "pictureBoxOpenRisum",
                           "pictureBoxRisum", "label14", 478, "label43", "comboBoxRisumSelfCheck",
                           "buttonSelfcheckRisum", "label29", 16, "progressRisum"});
    pictureBoxNoRisumMidiData = page.missing;
    pictureBoxOpenRisum = page.opened;
    pictureBoxRisum = page.answer;
    comboBoxRisumSelfCheck = page.choice;
    buttonSelfcheckRisum = page.confirm;
    progressRisum = page.progress;
}

void Form1::buildMelodyPage(QWidget *p) {
    const PiecePage page =
        buildPiecePage(p, {"label15", "pictureBoxNoMelodyMidiData", "pictureBoxOpenMelody",
                           "pictureBoxMelody", "label13", 472, "label24", "comboBoxMelodySelfCheck",
                           "buttonSelfCheckMelody", "label30", 26, "progressMelody"});
    pictureBoxNoMelodyMidiData = page.missing;
    pictureBoxOpenMelody = page.opened;
    pictureBoxMelody = page.answer;
    comboBoxMelodySelfCheck = page.choice;
    buttonSelfCheckMelody = page.confirm;
    progressMelody = page.progress;
}

void Form1::buildTestPage(QWidget *p) {
    const QFont labelFont = Fonts::mono(12);
    withFont(
        Controls::label(p, "label33", {24, 24, 192, 18}, QStringLiteral("MIDIプログラムナンバー")),
        labelFont);
    withFont(Controls::label(p, "label35", {24, 48, 128, 18}, QStringLiteral("（音色1～127）")),
             labelFont);
    numericUpDownInst = Controls::numberBox(p, "numericUpDownInst", {48, 72, 64, 23}, 1, 127, 1);
    withFont(
        Controls::label(p, "label39", {272, 24, 168, 19}, QStringLiteral("MIDIノートナンバー")),
        labelFont);
    withFont(
        Controls::label(p, "label38", {272, 48, 160, 19}, QStringLiteral("（音の高さ1～127）")),
        labelFont);
    numericUpDownNoteNum =
        Controls::numberBox(p, "numericUpDownNoteNum", {304, 72, 72, 23}, 1, 127, 69);
    withFont(Controls::label(p, "label36", {464, 24, 136, 18}, QStringLiteral("MIDIチャンネル")),
             labelFont);
    withFont(Controls::label(p, "label40", {480, 48, 80, 18}, QStringLiteral("（1～16）")),
             labelFont);
    numericUpDownMidiCh =
        Controls::numberBox(p, "numericUpDownMidiCh", {488, 72, 56, 23}, 1, 16, 1);

    groupBox1 = Controls::groupBox(p, "groupBox1", {88, 112, 160, 168}, QStringLiteral("楽器名"));
    QWidget *g = groupBox1;
    radioButtonPiano = Controls::radioButton(g, "radioButtonPiano", {16, 16, 104, 24},
                                             QStringLiteral("Piano"), true);
    radioButtonViolin = Controls::radioButton(g, "radioButtonViolin", {16, 40, 88, 24},
                                              QStringLiteral("Violin"), false);
    radioButtonFlute = Controls::radioButton(g, "radioButtonFlute", {16, 64, 104, 24},
                                             QStringLiteral("Flute"), false);
    radioButtonGuiter = Controls::radioButton(g, "radioButtonGuiter", {16, 88, 104, 24},
                                              QStringLiteral("Guitar"), false);
    radioButtonTubularBells = Controls::radioButton(
        g, "radioButtonTubularBells", {16, 112, 136, 24}, QStringLiteral("Tubular Bells"), false);
    radioButtonTimpani = Controls::radioButton(g, "radioButtonTimpani", {16, 136, 128, 24},
                                               QStringLiteral("Timpani"), false);

    withFont(Controls::label(p, "label34", {296, 128, 96, 19}, QStringLiteral("ベロシティ")),
             labelFont);
    withFont(
        Controls::label(p, "label37", {264, 152, 160, 19}, QStringLiteral("（音の強さ1～127）")),
        labelFont);
    numericUpDownVelocity =
        Controls::numberBox(p, "numericUpDownVelocity", {304, 176, 72, 23}, 1, 127, 100);
    buttonSendMidi = Controls::pictureButton(p, "buttonSendMidi", {496, 211, 85, 85},
                                             QStringLiteral("送信"), {});
    // Its picture is rendered when the page is first opened.
    Pictures::onFirstShow(buttonSendMidi, [button = buttonSendMidi] {
        button->setPicture(Pictures::load("buttonSendMidi", {85, 85}));
    });
    buttonSendMidi->setFont(Fonts::mono(11.25, true));
    Controls::setBackground(buttonSendMidi, lightGrey);
    withFont(
        Controls::label(p, "label44", {264, 232, 176, 19}, QStringLiteral("発音の持続時間（秒）")),
        labelFont);
    numericUpDownDuration =
        Controls::numberBox(p, "numericUpDownDuration", {304, 256, 72, 23}, 1, 5, 2);
}

} // namespace miminomi
