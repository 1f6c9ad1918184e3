#pragma once

#include <QString>
#include <QVariant>

#include <vector>

class QObject;
class QSettings;

namespace miminomi {

/// The learner's choices kept from one run to the next with Qt's settings (per user): check boxes
/// and checkable menu items by their state, lists by the item they show. Each is read on its own:
/// a value that is missing, unreadable or out of range leaves that control at its start value.
class KeptSettings {
public:
    /// One kept control: its key in the settings, and the window's child of that object name.
    struct Kept {
        const char *key;
        const char *objectName;
    };

    /// Keeps `kept`, found among `window`'s children, remembering how each stands now as its
    /// start value.
    KeptSettings(QObject *window, const std::vector<Kept> &kept);

    /// Sets the controls to what the settings hold.
    void restore(QSettings &settings);
    /// Writes how the controls stand; a list that shows no item is written as nothing.
    void save(QSettings &settings) const;
    /// Sets every control back to its start value.
    void resetToStart();

private:
    struct Control {
        QString key;
        QObject *object;
        QVariant start; // a check state, or a list's index and text
    };
    std::vector<Control> controls;
};

} // namespace miminomi
