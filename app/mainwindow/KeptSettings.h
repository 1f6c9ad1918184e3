// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

#include <variant>
#include <vector>

class QAbstractButton;
class QAction;
class QActionGroup;
class QComboBox;
class QSettings;

namespace miminomi {

/// The learner's choices kept from one run to the next with Qt's settings (per user): check boxes
/// and checkable menu items by their state, lists by the item they show, groups of exclusive menu
/// items by the place of the one checked. Each is read on its own:
/// a value that is missing, unreadable or out of range leaves that control at its start value.
class KeptSettings {
public:
    /// A control whose state is kept: a list, a check box, a checkable menu item, or a group of
    /// exclusive menu items.
    using Control = std::variant<QComboBox *, QAbstractButton *, QAction *, QActionGroup *>;
    /// One kept control and its key in the settings.
    struct Kept {
        const char *key;
        Control control;
    };

    /// Keeps `kept`, remembering how each stands now as its start value.
    explicit KeptSettings(const std::vector<Kept> &kept);

    /// Sets the controls to what the settings hold.
    void restore(QSettings &settings);
    /// Writes how the controls stand; a list that shows no item is written as nothing.
    void save(QSettings &settings) const;
    /// Sets every control back to its start value.
    void resetToStart();

private:
    struct Entry {
        QString key;
        Control control;
        QVariant start; // a check state, a list's index and text, or a group's checked item
    };
    std::vector<Entry> entries;
};

} // namespace miminomi
