#pragma once

#include <QMainWindow>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace miminomi {

class ClientArea;
class PictureButton;
class TabControl;

/// The main window: a fixed layout of the five exercises and the MIDI test page in a tab control,
/// the question buttons below it and the right/wrong race on its right.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    /// Ends the run: everything that must happen exactly once when the window goes away.
    /// Safe to call more than once; only the first call has an effect.
    void endRun();
    bool hasEndedRun() const { return runEnded; }

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void menuItem3_Click();
    void menuItem4_Click();

private:
    void buildFrame();
    void buildMenu();
    void buildNotePage(QWidget *page);
    void buildScalePage(QWidget *page);
    void buildChordPage(QWidget *page);
    void buildRisumPage(QWidget *page);
    void buildMelodyPage(QWidget *page);
    void buildTestPage(QWidget *page);
    void stackWindowControls();

    bool runEnded = false;

    ClientArea *client = nullptr;

    QMenu *menuItem1 = nullptr;
    QMenu *menuItem2 = nullptr;
    QAction *menuItem3 = nullptr;
    QAction *menuItem4 = nullptr;

    // Controls placed directly on the window.
    QCheckBox *checkBoxStandardA = nullptr;
    TabControl *tabControl1 = nullptr;
    PictureButton *buttonNext = nullptr;
    PictureButton *buttonRetry = nullptr;
    PictureButton *buttonCheck = nullptr;
    PictureButton *buttonShowAnswer = nullptr;
    PictureButton *button1 = nullptr;
    PictureButton *buttonShowRecord = nullptr;
    QLabel *pictureBoxResult = nullptr;
    QLabel *pictureBoxRight = nullptr;
    QLabel *pictureBoxWrong = nullptr;
    QLabel *pictureBoxGoodGameOver = nullptr;
    QLabel *pictureBoxBadGameOver = nullptr;
    QLineEdit *textBoxRight = nullptr;
    QLineEdit *textBoxFalse = nullptr;
    QLabel *label19 = nullptr;
    QLabel *label42 = nullptr;
    QLabel *pictureBoxBitmapRight = nullptr;
    QLabel *pictureBoxBitmapBatu = nullptr;

    // Pages.
    QWidget *tabNote = nullptr;
    QWidget *tabScale = nullptr;
    QWidget *tabCode = nullptr;
    QWidget *tabRisum = nullptr;
    QWidget *tabMelody = nullptr;
    QWidget *tabTest = nullptr;

    // Single notes.
    QComboBox *comboBoxRange = nullptr;
    QCheckBox *checkBoxOnlyWhite = nullptr;
    QComboBox *comboBoxNoteNum = nullptr;
    QLabel *pictureBoxNote1Chek = nullptr;
    QLabel *pictureBoxNote2Chek = nullptr;
    QLabel *pictureBoxNote3Chek = nullptr;
    QLabel *pictureBoxNote4Chek = nullptr;
    QComboBox *comboBoxNoteName0 = nullptr;
    QComboBox *comboBoxNoteName1 = nullptr;
    QComboBox *comboBoxNoteName2 = nullptr;
    QComboBox *comboBoxNoteName3 = nullptr;
    QComboBox *comboBoxNoteHeight0 = nullptr;
    QComboBox *comboBoxNoteHeight1 = nullptr;
    QComboBox *comboBoxNoteHeight2 = nullptr;
    QComboBox *comboBoxNoteHeight3 = nullptr;

    // Scales.
    QComboBox *comboBoxScale = nullptr;
    QComboBox *comboBoxKey = nullptr;
    QComboBox *comboBoxScaleType = nullptr;
    QComboBox *comboBoxJPScaleType = nullptr;
    QLabel *pictureBoxScaleCheck = nullptr;
    QLabel *pictureBoxScaleJCheck = nullptr;

    // Chords.
    QCheckBox *checkBoxChordHint = nullptr;
    QCheckBox *checkBoxChordWhite = nullptr;
    QCheckBox *checkBoxCodeRotaition = nullptr;
    QCheckBox *checkBoxTriChord = nullptr;
    QCheckBox *checkBox7Chord = nullptr;
    QCheckBox *checkBox6Chord = nullptr;
    QCheckBox *checkBox69Chord = nullptr;
    QCheckBox *checkBoxSus4Chord = nullptr;
    QCheckBox *checkBox7SusChord = nullptr;
    QCheckBox *checkBoxDimChord = nullptr;
    QCheckBox *checkBoxAugChord = nullptr;
    QComboBox *comboBoxChordRoot = nullptr;
    QComboBox *comboBox1 = nullptr;
    QComboBox *comboBoxChordType = nullptr;
    QLabel *pictureBoxChordCheck = nullptr;

    // Rhythm and melody.
    QLabel *pictureBoxNoRisumMidiData = nullptr;
    QLabel *pictureBoxOpenRisum = nullptr;
    QLabel *pictureBoxRisum = nullptr;
    QComboBox *comboBoxRisumSelfCheck = nullptr;
    QPushButton *buttonSelfcheckRisum = nullptr;
    QLabel *pictureBoxNoMelodyMidiData = nullptr;
    QLabel *pictureBoxOpenMelody = nullptr;
    QLabel *pictureBoxMelody = nullptr;
    QComboBox *comboBoxMelodySelfCheck = nullptr;
    QPushButton *buttonSelfCheckMelody = nullptr;

    // MIDI test page.
    QSpinBox *numericUpDownInst = nullptr;
    QSpinBox *numericUpDownNoteNum = nullptr;
    QSpinBox *numericUpDownMidiCh = nullptr;
    QSpinBox *numericUpDownVelocity = nullptr;
    QSpinBox *numericUpDownDuration = nullptr;
    QGroupBox *groupBox1 = nullptr;
    QRadioButton *radioButtonPiano = nullptr;
    QRadioButton *radioButtonViolin = nullptr;
    QRadioButton *radioButtonFlute = nullptr;
    QRadioButton *radioButtonGuiter = nullptr;
    QRadioButton *radioButtonTubularBells = nullptr;
    QRadioButton *radioButtonTimpani = nullptr;
    PictureButton *buttonSendMidi = nullptr;
};

} // namespace miminomi
