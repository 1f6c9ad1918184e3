// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow/KeptSettings.h"

#include "app/widgets/Controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QSettings>

namespace miminomi {

namespace {

/// A kept on/off value: only "true" and "false", as written, count.
std::optional<bool> readSwitch(const QVariant &value) {
    const QString text = value.toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return std::nullopt;
}

/// How a check box or menu item stands; nothing for a list.
std::optional<bool> switchOf(const KeptSettings::Control &control) {
    if (const auto *button = std::get_if<QAbstractButton *>(&control))
        return (*button)->isChecked();
    if (const auto *action = std::get_if<QAction *>(&control))
        return (*action)->isChecked();
    return std::nullopt;
}

void setSwitch(const KeptSettings::Control &control, bool on) {
    if (const auto *button = std::get_if<QAbstractButton *>(&control))
        (*button)->setChecked(on);
    else if (const auto *action = std::get_if<QAction *>(&control))
        (*action)->setChecked(on);
}

/// The place of a group's checked item, or -1.
int checkedIn(const QActionGroup *group) {
    return static_cast<int>(group->actions().indexOf(group->checkedAction()));
}

/// Reads a kept place: a whole number from 0 below `count`.
std::optional<int> readPlace(const QVariant &value, qsizetype count) {
    bool number = false;
    const int place = value.toString().toInt(&number);
    if (number && place >= 0 && place < count)
        return place;
    return std::nullopt;
}

} // namespace

KeptSettings::KeptSettings(const std::vector<Kept> &kept) {
    for (const Kept &each : kept) {
        QVariant start;
        if (const auto *list = std::get_if<QComboBox *>(&each.control))
            start = QVariantList{(*list)->currentIndex(), (*list)->currentText()};
        else if (const auto *group = std::get_if<QActionGroup *>(&each.control))
            start = checkedIn(*group);
        else
            start = switchOf(each.control).value_or(false);
        entries.push_back({QString::fromLatin1(each.key), each.control, start});
    }
}

void KeptSettings::restore(QSettings &settings) {
    for (const Entry &entry : entries) {
        const QVariant value = settings.value(entry.key);
        if (!value.isValid())
            continue;
        if (const auto *list = std::get_if<QComboBox *>(&entry.control)) {
            if (const auto item = readPlace(value, (*list)->count()))
                (*list)->setCurrentIndex(*item);
        } else if (const auto *group = std::get_if<QActionGroup *>(&entry.control)) {
            if (const auto item = readPlace(value, (*group)->actions().size()))
                (*group)->actions()[*item]->setChecked(true);
        } else if (const auto on = readSwitch(value)) {
            setSwitch(entry.control, *on);
        }
    }
}

void KeptSettings::save(QSettings &settings) const {
    for (const Entry &entry : entries) {
        if (const auto *list = std::get_if<QComboBox *>(&entry.control)) {
            const int item = Controls::shownItem(*list);
            if (item >= 0)
                settings.setValue(entry.key, item);
            else
                settings.remove(entry.key);
        } else if (const auto *group = std::get_if<QActionGroup *>(&entry.control)) {
            settings.setValue(entry.key, checkedIn(*group));
        } else {
            settings.setValue(entry.key, switchOf(entry.control).value_or(false));
        }
    }
}

void KeptSettings::resetToStart() {
    for (const Entry &entry : entries) {
        if (const auto *list = std::get_if<QComboBox *>(&entry.control)) {
            const QVariantList start = entry.start.toList();
            (*list)->setCurrentIndex(start[0].toInt());
            if ((*list)->isEditable())
                (*list)->setEditText(start[1].toString());
        } else if (const auto *group = std::get_if<QActionGroup *>(&entry.control)) {
            if (entry.start.toInt() >= 0)
                (*group)->actions()[entry.start.toInt()]->setChecked(true);
        } else {
            setSwitch(entry.control, entry.start.toBool());
        }
    }
}

} // namespace miminomi
