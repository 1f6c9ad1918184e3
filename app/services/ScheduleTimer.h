// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <cstdint>

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

    /// What to arm a precise single-shot timer with to wake when a clock of whole milliseconds
    /// reaches `dueMs`: the exact time left, rounded down. Such a clock tells the time rounded
    /// down, so the exact time left is a fraction of a millisecond under `dueMs - nowMs` and one
    /// millisecond less is that time rounded down. Armed with whole milliseconds instead, the timer
    /// would wake up to a millisecond late; armed so, it wakes up to one early, finds nothing due
    /// and is armed at 0 until the clock gets there.
    static int waitMs(std::int64_t dueMs, std::int64_t nowMs);

private:
    void arm();

    SoundSchedule &schedule;
    const SteadyClock &clock;
    QTimer *timer = nullptr;
};

} // namespace miminomi
