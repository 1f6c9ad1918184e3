#include "app/Form1.h"
#include "app/Theme.h"
#include "app/WindowWait.h"
#include "quiz/CalendarClock.h"
#include "sound/platform/SoundSystem.h"

#include <QApplication>

int main(int, char *argv[]) {
    // The program takes nothing from its command line, not even Qt's own options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    miminomi::Theme::apply();

    // Choosing the backend loads nothing: the synthesiser starts at the first sound.
    const std::unique_ptr<miminomi::SoundSystem> sound = miminomi::SoundSystem::fromEnvironment();
    miminomi::WindowWait wait;
    const miminomi::SystemCalendarClock clock;

    miminomi::Form1 form(sound->midiOut(), sound->mediaControl(), wait, clock);
    form.show();
    QApplication::exec();
    return 0;
}
