#pragma once

#include "records/RecordFile.h"
#include "records/RecordList.h"

#include <QWidget>

#include <cstdint>
#include <string>

class QFrame;
class QPainter;
class QTabWidget;

namespace miminomi {

/// The record viewer "過去の成績": for the exercise of the selected page, the percentage right
/// (black, left scale) and the number of answers (green, right scale) of every stored run, oldest
/// at the left, ending in the current run. Modeless and always on top; it closes as soon as it
/// stops being the active window.
class Record : public QWidget {
    Q_OBJECT
public:
    /// Takes the current run's tallies (single note, scale, chord, rhythm, melody; right then
    /// wrong) and reads the record file at `recordPath`.
    Record(std::int32_t n_right, std::int32_t n_wrong, std::int32_t s_right, std::int32_t s_wrong,
           std::int32_t c_right, std::int32_t c_wrong, std::int32_t r_right, std::int32_t r_wrong,
           std::int32_t m_right, std::int32_t m_wrong, QWidget *parent = nullptr,
           const std::string &recordPath = RecordFile::defaultPath);

    /// The graph of the selected page, or the message lines when the file could not be read, in
    /// the coordinates of the graph box's drawing area (inside its border).
    void drawGraph(QPainter &painter) const;

    bool getIsNoRecord() const { return isNoRecord; }
    const RecordList &getRecordList() const { return recordList; }
    /// The top of the count scale of the exercise with index 0 to 4.
    std::int64_t getCountTop(int exercise) const;

protected:
    bool event(QEvent *event) override;

private slots:
    void tabControl1_SelectedIndexChanged();

private:
    void loadData(const std::string &recordPath);
    void Record_Deactivate();
    void drawMessage(QPainter &painter) const;
    void drawChart(QPainter &painter) const;
    std::int32_t lastRight(int exercise) const;
    std::int32_t lastWrong(int exercise) const;

    std::int32_t lastNoteRight, lastNoteWrong;
    std::int32_t lastScaleRight, lastScaleWrong;
    std::int32_t lastChordRight, lastChordWrong;
    std::int32_t lastRisumRight, lastRisumWrong;
    std::int32_t lastMelodyRight, lastMelodyWrong;
    // Tops of the count scales: a run's answers may exceed a 32-bit count.
    std::int64_t sumNoteTest, sumScaleTest, sumChordTest, sumRisumTest, sumMelodyTest;
    RecordList recordList;
    bool isNoRecord = false;

    QTabWidget *tabControl1 = nullptr;
    QFrame *pictureBoxGraph = nullptr;
};

} // namespace miminomi
