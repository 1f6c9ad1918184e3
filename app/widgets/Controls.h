// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QFont;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace miminomi {

class PictureButton;

/// Makers of the fixed-layout controls: each places one control by absolute geometry on its parent,
/// names it after its role (its object name) and gives it its text and initial state, so that a
/// window's layout reads as one line per row of its layout table.
class Controls {
public:
    static QLabel *label(QWidget *parent, const char *name, QRect geometry, const QString &text);
    static QCheckBox *checkBox(QWidget *parent, const char *name, QRect geometry,
                               const QString &text, bool checked);
    static QRadioButton *radioButton(QWidget *parent, const char *name, QRect geometry,
                                     const QString &text, bool checked);
    static QGroupBox *groupBox(QWidget *parent, const char *name, QRect geometry,
                               const QString &title);
    /// An editable drop-down box that never inserts typed text as an item. When `initialText` is
    /// one of the items, that item starts selected; otherwise (also when it is empty) no item is
    /// selected and the text part shows `initialText`.
    static QComboBox *comboBox(QWidget *parent, const char *name, QRect geometry,
                               const QStringList &items, const QString &initialText = {});
    /// The item a drop-down box shows: the one whose text its text part shows exactly, or -1
    /// when the text (typed, or left after clearing) names no item.
    static int shownItem(const QComboBox *box);
    static QSpinBox *numberBox(QWidget *parent, const char *name, QRect geometry, int minimum,
                               int maximum, int value);
    static QPushButton *button(QWidget *parent, const char *name, QRect geometry,
                               const QString &text);
    static PictureButton *pictureButton(QWidget *parent, const char *name, QRect geometry,
                                        const QString &text, const QPixmap &picture);
    /// A read-only one-line text box on a coloured background.
    static QLineEdit *textBox(QWidget *parent, const char *name, QRect geometry,
                              const QString &text, QColor background);
    /// A picture shown unscaled from its top-left corner; `sunken` draws a sunken 3-D border.
    static QLabel *pictureBox(QWidget *parent, const char *name, QRect geometry,
                              const QPixmap &picture, bool sunken = false);

    /// Labels, check boxes and radio buttons directly in `container` size themselves to their
    /// text, as auto-sized captions do: they keep their place and height and grow wider than their
    /// layout width when the installed fonts need more room, up to the container's right edge
    /// (`containerWidth`), so that no caption is cut off. Call once the fonts are set.
    static void fitTexts(QWidget *container, int containerWidth);

    /// fitTexts, done when `container` is first shown.
    static void fitTextsWhenShown(QWidget *container, int containerWidth);

    /// Fills the widget's background with `colour` (as its window and button colour).
    static void setBackground(QWidget *widget, QColor colour);
};

} // namespace miminomi
