// Renders every page of the main window and the About dialog to PNG files, so that a developer
// can look at the layout without clicking through the program:
//   QT_QPA_PLATFORM=offscreen build-dev/tools/miminomi_snapshots <folder>
#include "app/AboutDlg.h"
#include "app/Form1.h"
#include "app/Theme.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include <cstdio>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    miminomi::Theme::apply();

    miminomi::Form1 form;
    form.show();
    auto *tabs = form.findChild<QTabWidget *>(QStringLiteral("tabControl1"));
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        const QString path = QStringLiteral("%1/page%2.png").arg(folder).arg(page);
        form.grab().save(path);
        std::printf("%s\n", qPrintable(path));
    }

    miminomi::AboutDlg about;
    about.show();
    QApplication::processEvents();
    const QString path = folder + QStringLiteral("/about.png");
    about.grab().save(path);
    std::printf("%s\n", qPrintable(path));
    return 0;
}
