// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/mainwindow/Form1.h"
#include "tests/support/FixedCalendarClock.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/RecordingMediaControl.h"
#include "tests/support/RecordingMidiSink.h"
#include "tests/support/VirtualClock.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSettings>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace miminomi::testing {

/// The virtual clock with a hook that runs once inside the next wait, to act while a sound plays.
class InterruptibleClock : public VirtualClock {
public:
    std::function<void()> duringNextWait;

    void Sleep(std::uint32_t milliseconds) override {
        VirtualClock::Sleep(milliseconds);
        if (auto action = std::exchange(duringNextWait, nullptr))
            action();
    }
};

/// The main window over the recording MIDI sink, the recording media player and the virtual
/// clock, with the calendar standing still, and small helpers to use it as a learner would.
class FormHarness {
public:
    explicit FormHarness(std::int64_t calendarSeconds = 1'000'000,
                         const FileLocations &locations = {})
        : sink(clock), media(clock), calendar(calendarSeconds),
          form(sink, media, clock, calendar, locations) {
        form.show();
    }

    template <class Widget = QWidget> Widget *find(const char *name) {
        auto *widget = form.findChild<Widget *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    /// Clicks a button; a disabled button ignores the click, as it would for a learner.
    void click(const char *button) { find<QAbstractButton>(button)->click(); }
    void selectTab(int index) { find<QTabWidget>("tabControl1")->setCurrentIndex(index); }
    void select(const char *combo, int index) { find<QComboBox>(combo)->setCurrentIndex(index); }
    int selected(const char *combo) { return find<QComboBox>(combo)->currentIndex(); }
    bool enabled(const char *widget) { return find(widget)->isEnabled(); }
    bool shown(const char *widget) { return !find(widget)->isHidden(); }

    std::vector<std::pair<std::int64_t, int>> notesOn() const { return sink.notesOn(); }
    std::vector<int> notesPlayed() const { return sink.notesPlayed(); }

    InterruptibleClock clock;
    RecordingMidiSink sink;
    RecordingMediaControl media;
    FixedCalendarClock calendar;
    /// Each window starts as on the very first run, whatever the windows before it kept.
    bool firstRun = (QSettings().clear(), true);
    Form1 form;
};

} // namespace miminomi::testing
