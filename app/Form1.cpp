#include "app/Form1.h"

#include "app/AboutDlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>

namespace miminomi {

Form1::Form1(QWidget *parent) : QMainWindow(parent) {
    buildFrame();
    buildMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(menuItem3, &QAction::triggered, this, &Form1::menuItem3_Click);
    connect(menuItem4, &QAction::triggered, this, &Form1::menuItem4_Click);
}

Form1::~Form1() {
    endRun();
}

void Form1::endRun() {
    if (runEnded)
        return;
    runEnded = true;
}

void Form1::closeEvent(QCloseEvent *event) {
    endRun();
    event->accept();
}

void Form1::menuItem3_Click() {
    close();
}

void Form1::menuItem4_Click() {
    auto *dialog = new AboutDlg(this);
    dialog->show();
}

} // namespace miminomi
