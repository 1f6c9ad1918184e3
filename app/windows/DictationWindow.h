// SPDX-FileCopyrightText: 2026 The miminomi developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "practice/PieceDictation.h"

#include <QDialog>

#include <memory>

class QLabel;
class QVBoxLayout;

namespace miminomi {

/// What the two windows that answer a piece share: a view over the dictation of one question,
/// redrawn whenever it changes, with a line of message on top that says what to do, why the piece
/// cannot be marked, or what became of the grade proposed.
class DictationWindow : public QDialog {
    Q_OBJECT
public:
    ~DictationWindow() override;

protected:
    DictationWindow(std::shared_ptr<PieceDictation> dictation, const QString &title,
                    QWidget *parent);

    /// Shows the dictation as it stands.
    virtual void refresh() = 0;
    /// A window grown by its result moves up rather than out of the screen.
    void resizeEvent(QResizeEvent *event) override;
    /// The calm line for a piece the program cannot mark; empty when it can.
    QString problemLine() const;
    /// The line on the last marking's proposal, or on a question that has ended.
    QString proposalLine() const;

    QLabel *message = nullptr;
    QVBoxLayout *column = nullptr;

private:
    std::shared_ptr<PieceDictation> dictation;
};

} // namespace miminomi
