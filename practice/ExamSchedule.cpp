// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/ExamSchedule.h"

#include "base/SteadyClock.h"
#include "music/Performance.h"

#include <algorithm>

namespace miminomi {

namespace {

/// Milliseconds from a performance's start to `ticks` at `tempo`, rounded to the nearest: each
/// time is rounded on its own, so that the roundings never add up over a playing.
std::int64_t msAt(std::int64_t ticks, int tempo) {
    const std::int64_t perQuarter = static_cast<std::int64_t>(tempo) * music::ticksPerQuarter;
    return (ticks * 60000 + perQuarter / 2) / perQuarter;
}

std::int32_t barTicks(const music::Bar &bar) {
    std::int32_t ticks = 0;
    for (const music::Note &note : bar.upper)
        ticks += note.value.ticks();
    return ticks;
}

/// The notes of a performance as a step's, and the step's length from the performance's
/// start to `endTicks`.
void fill(ExamStep &step, const music::Performance &performance, std::int64_t endTicks) {
    for (const music::MidiEvent &event : performance.events) {
        const std::int64_t at = msAt(event.onset, performance.tempo);
        step.notes.push_back(
            {at,
             static_cast<std::int32_t>(msAt(event.onset + event.length, performance.tempo) - at),
             event.channel, static_cast<std::uint8_t>(event.note), event.velocity});
    }
    step.lengthMs = msAt(endTicks, performance.tempo);
}

bool sounds(ExamStepKind kind) {
    return kind == ExamStepKind::cadence || kind == ExamStepKind::playing;
}

bool samePart(const ExamPlaying &a, ExamPassage passage, int bar) {
    return a.passage == passage && (passage != ExamPassage::bar || a.bar == bar);
}

/// The steps every plan begins with: the lead, and a melody's cadence.
ExamPlan opening(const music::Score &item, const ExamTiming &timing, bool rhythmOnly) {
    ExamPlan plan;
    plan.item = item;
    plan.tempo = timing.tempo;
    plan.rhythmOnly = rhythmOnly;
    ExamStep lead;
    lead.lengthMs = timing.leadSeconds * 1000LL;
    plan.steps.push_back(lead);
    if (!rhythmOnly) {
        music::Score chords = item;
        chords.bars.clear();
        chords.tempo = timing.tempo;
        const music::Performance cadence = music::perform(chords, {.cadence = true});
        ExamStep step;
        step.kind = ExamStepKind::cadence;
        step.startMs = lead.endMs();
        fill(step, cadence, cadence.scoreStart);
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

} // namespace

std::string ExamPlaying::label() const {
    std::string text = count > 0 ? std::to_string(number) + "/" + std::to_string(count) + " " : "";
    switch (passage) {
    case ExamPassage::whole:
        text += "全体";
        break;
    case ExamPassage::firstHalf:
        text += "前半";
        break;
    case ExamPassage::secondHalf:
        text += "後半";
        break;
    case ExamPassage::bar:
        text += std::to_string(bar + 1) + "小節目";
        break;
    }
    return text + " " + std::to_string(repeat) + "回目";
}

int ExamStatus::secondsToNext() const {
    return toNextMs ? static_cast<int>((std::max<std::int64_t>(*toNextMs, 0) + 999) / 1000) : 0;
}

std::pair<std::size_t, std::size_t> examBars(const music::Score &item, ExamPassage passage,
                                             int bar) {
    const std::size_t count = item.bars.size();
    const std::size_t pickup = count > 0 && item.bars.front().pickup ? 1 : 0;
    const std::size_t middle = std::min(count, pickup + (count - pickup + 1) / 2);
    switch (passage) {
    case ExamPassage::whole:
        break;
    case ExamPassage::firstHalf:
        return {0, middle};
    case ExamPassage::secondHalf:
        return {middle, count};
    case ExamPassage::bar: {
        const std::size_t first = std::min(static_cast<std::size_t>(std::max(bar, 0)), count);
        return {first, std::min(first + 1, count)};
    }
    }
    return {0, count};
}

ExamStep examPlayingStep(const music::Score &item, const ExamPlaying &playing, int tempo,
                         bool rhythmOnly) {
    const auto [first, last] = examBars(item, playing.passage, playing.bar);
    music::Score passage = item;
    passage.tempo = tempo;
    passage.bars.assign(item.bars.begin() + static_cast<std::ptrdiff_t>(first),
                        item.bars.begin() + static_cast<std::ptrdiff_t>(last));
    // A note tied over the passage's end sounds to the end; one tied into it is struck.
    if (!passage.bars.empty() && !passage.bars.back().upper.empty())
        passage.bars.back().upper.back().tieToNext = false;
    std::int64_t ticks = 0;
    for (const music::Bar &bar : passage.bars)
        ticks += barTicks(bar);
    const music::Performance performance = music::perform(passage, {.countIn = rhythmOnly});
    ExamStep step;
    step.kind = ExamStepKind::playing;
    step.playing = playing;
    fill(step, performance, performance.scoreStart + ticks);
    return step;
}

ExamPlan examPlan(const music::Score &item, const ExamTiming &timing, bool rhythmOnly) {
    ExamPlan plan = opening(item, timing, rhythmOnly);
    // Whole; first half three times; whole; second half three times; whole.
    constexpr ExamPassage order[] = {
        ExamPassage::whole,      ExamPassage::firstHalf,  ExamPassage::firstHalf,
        ExamPassage::firstHalf,  ExamPassage::whole,      ExamPassage::secondHalf,
        ExamPassage::secondHalf, ExamPassage::secondHalf, ExamPassage::whole};
    constexpr int count = static_cast<int>(std::size(order));
    int repeats[4] = {};
    for (int k = 0; k < count; ++k) {
        const ExamPassage passage = order[k];
        const ExamPlaying playing{passage, 0, ++repeats[static_cast<int>(passage)], k + 1, count};
        ExamStep step = examPlayingStep(item, playing, timing.tempo, rhythmOnly);
        step.startMs = plan.steps.back().endMs();
        plan.steps.push_back(std::move(step));
        const bool last = k + 1 == count;
        ExamStep rest;
        rest.kind = last ? ExamStepKind::finalTime : ExamStepKind::pause;
        rest.startMs = plan.steps.back().endMs();
        rest.lengthMs = (last ? timing.finalSeconds : timing.pauseSeconds) * 1000LL;
        rest.playing = playing;
        plan.steps.push_back(std::move(rest));
    }
    plan.playings = count;
    return plan;
}

ExamPlan practicePlan(const music::Score &item, const ExamTiming &timing, bool rhythmOnly) {
    return opening(item, timing, rhythmOnly);
}

ExamDriver::ExamDriver(ExamPlan plan, const SteadyClock &clock)
    : schedule(std::move(plan)), clock(clock) {}

std::int64_t ExamDriver::scheduleNow() const {
    switch (state) {
    case ExamState::running:
        return clock.nowMs() - originMs;
    case ExamState::ready:
        return 0;
    default:
        return pausedAt;
    }
}

bool ExamDriver::endsInFinalTime() const {
    return !schedule.steps.empty() && schedule.steps.back().kind == ExamStepKind::finalTime;
}

void ExamDriver::start() {
    originMs = clock.nowMs();
    nextStep = 0;
    state = ExamState::running;
}

std::vector<ExamCue> ExamDriver::poll() {
    std::vector<ExamCue> cues;
    if (state != ExamState::running)
        return cues;
    const std::int64_t now = scheduleNow();
    while (nextStep < schedule.steps.size() && schedule.steps[nextStep].startMs <= now) {
        cues.push_back({nextStep, originMs + schedule.steps[nextStep].startMs});
        ++nextStep;
    }
    if (nextStep == schedule.steps.size() && endsInFinalTime() && now >= schedule.lengthMs()) {
        cues.push_back({nextStep, originMs + schedule.lengthMs(), true});
        pausedAt = now;
        state = ExamState::finished;
    }
    return cues;
}

std::optional<std::int64_t> ExamDriver::nextDueMs() const {
    if (state != ExamState::running)
        return std::nullopt;
    if (nextStep < schedule.steps.size())
        return originMs + schedule.steps[nextStep].startMs;
    if (endsInFinalTime())
        return originMs + schedule.lengthMs();
    return std::nullopt;
}

ExamStatus ExamDriver::status() const {
    ExamStatus status;
    status.state = state;
    const std::int64_t now = scheduleNow();
    const auto &steps = schedule.steps;
    status.step = state == ExamState::finished ? steps.size() : nextStep > 0 ? nextStep - 1 : 0;
    if (status.step < steps.size()) {
        status.kind = steps[status.step].kind;
        status.sounding = nextStep > 0 && sounds(status.kind) && state != ExamState::stopped &&
                          now < steps[status.step].endMs();
    } else {
        status.kind = ExamStepKind::finalTime;
    }
    for (std::size_t k = 0; k < nextStep && k < steps.size(); ++k)
        if (steps[k].kind == ExamStepKind::playing) {
            status.playing = steps[k].playing;
            ++status.heard;
        }
    if (state == ExamState::stopped || state == ExamState::finished)
        return status;
    for (std::size_t k = nextStep; k < steps.size(); ++k)
        if (steps[k].kind == ExamStepKind::playing) {
            status.toNextMs = steps[k].startMs - now;
            return status;
        }
    if (endsInFinalTime())
        status.toNextMs = schedule.lengthMs() - now;
    return status;
}

void ExamDriver::pause() {
    if (state != ExamState::running)
        return;
    pausedAt = scheduleNow();
    state = ExamState::paused;
    // A cadence or playing cut off sounds again from its beginning, told once more on resume.
    if (nextStep > 0) {
        const ExamStep &step = schedule.steps[nextStep - 1];
        if (sounds(step.kind) && pausedAt < step.endMs()) {
            pausedAt = step.startMs;
            --nextStep;
        }
    }
}

void ExamDriver::resume() {
    if (state != ExamState::paused)
        return;
    originMs = clock.nowMs() - pausedAt;
    state = ExamState::running;
}

void ExamDriver::stop() {
    if (state == ExamState::running || state == ExamState::paused) {
        pausedAt = scheduleNow();
        state = ExamState::stopped;
    }
}

void ExamDriver::skip() {
    if (state != ExamState::running)
        return;
    if (nextStep < schedule.steps.size())
        originMs = clock.nowMs() - schedule.steps[nextStep].startMs;
    else if (endsInFinalTime())
        originMs = clock.nowMs() - schedule.lengthMs();
}

void ExamDriver::playNow(ExamPassage passage, int bar) {
    if (state == ExamState::ready) {
        start();
    } else if (state != ExamState::running) {
        // Paused, stopped or finished: the schedule goes on from where it stood, its playings
        // still counted.
        originMs = clock.nowMs() - pausedAt;
        state = ExamState::running;
    }
    const std::int64_t now = scheduleNow();
    // What is under way ends now, and what was still to come is dropped.
    schedule.steps.resize(nextStep);
    if (nextStep > 0) {
        ExamStep &current = schedule.steps[nextStep - 1];
        current.lengthMs = std::clamp<std::int64_t>(now - current.startMs, 0, current.lengthMs);
    }
    const ExamPlaying playing{passage, bar, timesPlayed(passage, bar) + 1, status().heard + 1, 0};
    ExamStep step = examPlayingStep(schedule.item, playing, schedule.tempo, schedule.rhythmOnly);
    step.startMs = now;
    schedule.steps.push_back(std::move(step));
    schedule.playings = static_cast<int>(
        std::count_if(schedule.steps.begin(), schedule.steps.end(),
                      [](const ExamStep &s) { return s.kind == ExamStepKind::playing; }));
}

int ExamDriver::timesPlayed(ExamPassage passage, int bar) const {
    int times = 0;
    for (std::size_t k = 0; k < nextStep && k < schedule.steps.size(); ++k)
        if (schedule.steps[k].kind == ExamStepKind::playing &&
            samePart(schedule.steps[k].playing, passage, bar))
            ++times;
    return times;
}

} // namespace miminomi
