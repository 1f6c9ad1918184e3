#include "app/Form1.h"
#include "app/Theme.h"

#include <QApplication>

int main(int, char *argv[]) {
    // The program takes nothing from its command line, not even Qt's own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    miminomi::Theme::apply();

    miminomi::Form1 form;
    form.show();
    QApplication::exec();
    return 0;
}
