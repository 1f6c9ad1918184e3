// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/ScheduleTimer.h"

#include "base/SteadyClock.h"
#include "practice/SoundSchedule.h"

#include <QTimer>

#include <algorithm>

namespace miminomi {

ScheduleTimer::ScheduleTimer(SoundSchedule &schedule, const SteadyClock &clock, QObject *parent)
    : QObject(parent), schedule(schedule), clock(clock), timer(new QTimer(this)) {
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, [this] {
        this->schedule.poll();
        arm();
    });
    schedule.onPlanned = [this] { arm(); };
}

int ScheduleTimer::waitMs(std::int64_t dueMs, std::int64_t nowMs) {
    return static_cast<int>(std::clamp<std::int64_t>(dueMs - nowMs - 1, 0, 60000));
}

void ScheduleTimer::arm() {
    if (const auto due = schedule.nextDueMs())
        timer->start(waitMs(*due, clock.nowMs()));
    else
        timer->stop();
}

} // namespace miminomi
