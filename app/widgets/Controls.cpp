// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/Controls.h"

#include "app/widgets/PictureButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace miminomi {

namespace {

template <class Widget> Widget *place(Widget *widget, const char *name, QRect geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

QLabel *Controls::label(QWidget *parent, const char *name, QRect geometry, const QString &text) {
    auto *label = place(new QLabel(text, parent), name, geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QCheckBox *Controls::checkBox(QWidget *parent, const char *name, QRect geometry,
                              const QString &text, bool checked) {
    auto *box = place(new QCheckBox(text, parent), name, geometry);
    box->setChecked(checked);
    return box;
}

QRadioButton *Controls::radioButton(QWidget *parent, const char *name, QRect geometry,
                                    const QString &text, bool checked) {
    auto *button = place(new QRadioButton(text, parent), name, geometry);
    button->setChecked(checked);
    return button;
}

QGroupBox *Controls::groupBox(QWidget *parent, const char *name, QRect geometry,
                              const QString &title) {
    return place(new QGroupBox(title, parent), name, geometry);
}

QComboBox *Controls::comboBox(QWidget *parent, const char *name, QRect geometry,
                              const QStringList &items, const QString &initialText) {
    auto *box = place(new QComboBox(parent), name, geometry);
    // The text part completes nothing as it is typed. Giving the line edit a completer of no
    // list before it joins the box keeps the box from building one of its own for every box.
    static QCompleter *const noCompletion = new QCompleter(QCoreApplication::instance());
    auto *edit = new QLineEdit(box);
    edit->setCompleter(noCompletion);
    box->setLineEdit(edit);
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentIndex(initialText.isEmpty() ? -1 : items.indexOf(initialText));
    if (box->currentIndex() < 0)
        box->setEditText(initialText);
    return box;
}

int Controls::shownItem(const QComboBox *box) {
    const int index = box->currentIndex();
    if (index >= 0 && box->itemText(index) == box->currentText())
        return index;
    return box->findText(box->currentText());
}

QSpinBox *Controls::numberBox(QWidget *parent, const char *name, QRect geometry, int minimum,
                              int maximum, int value) {
    auto *box = place(new QSpinBox(parent), name, geometry);
    box->setRange(minimum, maximum);
    box->setSingleStep(1);
    box->setValue(value);
    return box;
}

QPushButton *Controls::button(QWidget *parent, const char *name, QRect geometry,
                              const QString &text) {
    return place(new QPushButton(text, parent), name, geometry);
}

PictureButton *Controls::pictureButton(QWidget *parent, const char *name, QRect geometry,
                                       const QString &text, const QPixmap &picture) {
    return place(new PictureButton(text, picture, parent), name, geometry);
}

QLineEdit *Controls::textBox(QWidget *parent, const char *name, QRect geometry, const QString &text,
                             QColor background) {
    auto *box = place(new QLineEdit(text, parent), name, geometry);
    box->setReadOnly(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, background);
    box->setPalette(palette);
    return box;
}

QLabel *Controls::pictureBox(QWidget *parent, const char *name, QRect geometry,
                             const QPixmap &picture, bool sunken) {
    auto *box = place(new QLabel(parent), name, geometry);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setPixmap(picture);
    if (sunken) {
        box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        box->setLineWidth(2);
    }
    return box;
}

void Controls::fitTexts(QWidget *container, int containerWidth) {
    for (QWidget *widget : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const auto *label = qobject_cast<QLabel *>(widget);
        const bool caption = (label && label->pixmap().isNull() && !label->wordWrap()) ||
                             qobject_cast<QCheckBox *>(widget) ||
                             qobject_cast<QRadioButton *>(widget);
        if (!caption)
            continue;
        const int wanted = widget->sizeHint().width();
        const int room = containerWidth - widget->x();
        if (wanted > widget->width())
            widget->resize(std::max(widget->width(), std::min(wanted, room)), widget->height());
    }
}

namespace {

/// Fits the captions of a container the first time it is shown.
class FitTextsOnShow : public QObject {
public:
    FitTextsOnShow(QWidget *container, int width) : QObject(container), width(width) {
        container->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            Controls::fitTexts(static_cast<QWidget *>(watched), width);
            deleteLater();
        }
        return false;
    }

private:
    int width;
};

} // namespace

void Controls::fitTextsWhenShown(QWidget *container, int containerWidth) {
    new FitTextsOnShow(container, containerWidth);
}

void Controls::setBackground(QWidget *widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace miminomi
