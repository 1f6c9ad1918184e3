// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QTimer;

namespace miminomi {

class SoundSchedule;
class SteadyClock;

/// Polls a sound schedule when its next note is due, so that planned notes sound on time while the
/// windows go on taking input.
class ScheduleTimer : public QObject {
    Q_OBJECT
public:
    ScheduleTimer(SoundSchedule &schedule, const SteadyClock &clock, QObject *parent);

private:
    void arm();

    SoundSchedule &schedule;
    const SteadyClock &clock;
    QTimer *timer = nullptr;
};

} // namespace miminomi
