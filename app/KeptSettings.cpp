#include "app/KeptSettings.h"

#include "app/Controls.h"

#include <QAbstractButton>
#include <QAction>
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

void setSwitch(QObject *object, bool on) {
    if (auto *button = qobject_cast<QAbstractButton *>(object))
        button->setChecked(on);
    else if (auto *action = qobject_cast<QAction *>(object))
        action->setChecked(on);
}

std::optional<bool> switchOf(const QObject *object) {
    if (const auto *button = qobject_cast<const QAbstractButton *>(object))
        return button->isChecked();
    if (const auto *action = qobject_cast<const QAction *>(object))
        return action->isChecked();
    return std::nullopt;
}

} // namespace

KeptSettings::KeptSettings(QObject *window, const std::vector<Kept> &kept) {
    for (const Kept &each : kept) {
        QObject *object = window->findChild<QObject *>(QString::fromLatin1(each.objectName));
        if (!object)
            continue;
        QVariant start;
        if (const auto *list = qobject_cast<QComboBox *>(object))
            start = QVariantList{list->currentIndex(), list->currentText()};
        else
            start = switchOf(object).value_or(false);
        controls.push_back({QString::fromLatin1(each.key), object, start});
    }
}

void KeptSettings::restore(QSettings &settings) {
    for (const Control &control : controls) {
        const QVariant value = settings.value(control.key);
        if (!value.isValid())
            continue;
        if (auto *list = qobject_cast<QComboBox *>(control.object)) {
            bool number = false;
            const int item = value.toString().toInt(&number);
            if (number && item >= 0 && item < list->count())
                list->setCurrentIndex(item);
        } else if (const auto on = readSwitch(value)) {
            setSwitch(control.object, *on);
        }
    }
}

void KeptSettings::save(QSettings &settings) const {
    for (const Control &control : controls) {
        if (const auto *list = qobject_cast<const QComboBox *>(control.object)) {
            const int item = Controls::shownItem(list);
            if (item >= 0)
                settings.setValue(control.key, item);
            else
                settings.remove(control.key);
        } else {
            settings.setValue(control.key, switchOf(control.object).value_or(false));
        }
    }
}

void KeptSettings::resetToStart() {
    for (const Control &control : controls) {
        if (auto *list = qobject_cast<QComboBox *>(control.object)) {
            const QVariantList start = control.start.toList();
            list->setCurrentIndex(start[0].toInt());
            if (list->isEditable())
                list->setEditText(start[1].toString());
        } else {
            setSwitch(control.object, control.start.toBool());
        }
    }
}

} // namespace miminomi
