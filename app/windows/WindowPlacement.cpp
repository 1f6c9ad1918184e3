// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace miminomi::WindowPlacement {

QPoint beside(QSize size, QRect keep, QRect owner, QRect screen) {
    constexpr int gap = 8;
    const QPoint wanted[] = {
        {owner.right() + 1 + gap, owner.top()},   {owner.left() - gap - size.width(), owner.top()},
        {owner.left(), owner.bottom() + 1 + gap}, {owner.left(), owner.top() - gap - size.height()},
        {keep.left(), keep.bottom() + 1 + gap},   {keep.left(), keep.top() - gap - size.height()},
    };
    // Each kept on the screen, as near to the place wanted as it allows.
    std::vector<QRect> places;
    for (const QPoint at : wanted)
        places.emplace_back(
            QPoint(std::clamp(at.x(), screen.left(),
                              std::max(screen.left(), screen.right() + 1 - size.width())),
                   std::clamp(at.y(), screen.top(),
                              std::max(screen.top(), screen.bottom() + 1 - size.height()))),
            size);
    const auto covered = [](const QRect &place, const QRect &kept) {
        const QRect both = place.intersected(kept);
        return both.isEmpty() ? qint64(0) : qint64(both.width()) * both.height();
    };
    // Clear of the whole main window if it can be, so that its buttons stay in view too; else
    // clear of the picture; else covering least of it.
    for (const QRect &place : places)
        if (covered(place, owner) == 0)
            return place.topLeft();
    return std::ranges::min(places, {}, [&](const QRect &place) { return covered(place, keep); })
        .topLeft();
}

void placeBeside(QWidget *window, const QWidget *owner, const QWidget *keep) {
    // The position of a window is that of its frame; before it is shown its frame is not known
    // yet, and its own size stands for it.
    window->adjustSize();
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    const QRect kept(keep->mapToGlobal(QPoint(0, 0)), keep->size());
    const QScreen *screen = owner->screen();
    window->move(beside(size, kept, owner->frameGeometry(),
                        screen ? screen->availableGeometry() : QRect(QPoint(), size)));
}

} // namespace miminomi::WindowPlacement
