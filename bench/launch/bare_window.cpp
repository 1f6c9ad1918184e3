// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of our stack: the least a Qt Widgets program can do to show a window like the main
// one. One fixed-size main window with the main window's client size (794 × 475) under a menu bar
// with its three menus, the program's font set up as it sets it (the Windows family name mapped to
// the installed Japanese faces, sized in pixels, without fallback search) and a label of Japanese
// text, so that a Japanese face is really found, opened and drawn from. Nothing else: no pictures,
// no settings, no sound, no files.
//
//   bench_bare_window        (launch_bench starts it beside the program and compares the two)
//
// Keep it as bare as that: whatever the program does on top of it is what launch_bench's ratio
// measures.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

namespace {

/// The program's window font: its Japanese UI family at `pixels`, with no search for fallbacks.
QFont uiFont(int pixels) {
    QFont font(QStringLiteral("MS UI Gothic"));
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

} // namespace

int main(int, char *argv[]) {
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                QStringLiteral("Noto Sans CJK JP")});
    QApplication::setFont(uiFont(12)); // 9 pt at 96 dots per inch, as the menus use

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("みみのみ"));
    window.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    window.setFont(uiFont(16)); // 12 pt, as the window's controls use

    auto *label = new QLabel(QStringLiteral("問題の前に基準音（A=440）を鳴らす　単音（音名）"));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFixedSize(794, 475);
    window.setCentralWidget(label);
    for (const char *title : {"ファイル", "練習", "ヘルプ"})
        window.menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("…"));
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);

    window.show();
    return QApplication::exec();
}
