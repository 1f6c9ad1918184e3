// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QKeySequence>
#include <QString>

#include <vector>

class QLabel;

namespace miminomi {

/// "キー操作と練習機能": a small window listing every key of the main window and what the "練習"
/// menu offers, one line each on what it is for, so that a learner can find them.
class KeyGuide : public QDialog {
    Q_OBJECT
public:
    /// One line of the guide: the keys (empty for a menu item without one), and what it does.
    struct Line {
        QKeySequence keys;
        QString what;
    };
    /// A section of the guide under its heading.
    struct Section {
        QString heading;
        std::vector<Line> lines;
        /// A note under the lines.
        QString note;
    };

    explicit KeyGuide(QWidget *parent = nullptr);

    /// What the guide says, section by section, its notes named as the program names them now.
    static std::vector<Section> sections();
    /// The learner chose another naming of the notes: the guide is written again in it.
    void namesChanged();

private:
    QLabel *text = nullptr;
};

} // namespace miminomi
