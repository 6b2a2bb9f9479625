#pragma once

#include "core/alignment_state.h"
#include "core/reset_alignment.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class ClickableImage;
class CueTimer;
class ProbeService;
class Speaker;
class TonePlayer;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;
class Shape;

// The main window "Orienzo wireless": the guided page and the dynamic page,
// and the shared alignment state that every window and procedure works on.
// The guided and dynamic alignments attach their own handling to the
// controls that start and show them.
class Form1 : public QMainWindow, public AlignmentView {
    Q_OBJECT
public:
    Form1(ProbeService& probe, TonePlayer& tones, Speaker& voice);

    AlignmentState State;
    ProbeService& Probe;
    TonePlayer& Tones;
    Speaker& Voice;

    QTabWidget* TabStrip1;
    QGroupBox* Frame15;
    QGroupBox* Frame16;

    std::array<QLineEdit*, 18> Text1{};
    std::array<QLineEdit*, 5> Text10{};
    std::array<Shape*, 4> Shape6{};
    QLineEdit *Text11, *Text2, *Text3, *Text4, *Text9;
    QLineEdit *Text12, *Text8, *Text7, *Text13;
    QLineEdit *Text14, *Text5, *Text6;
    QProgressBar *ProgressBar3, *ProgressBar4, *ProgressBar5, *ProgressBar6, *ProgressBar7;
    QListWidget *List1, *List2;
    Shape *Shape5, *Shape1;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5;
    QPushButton *Command6, *Command7, *Command8;
    QComboBox *Combo1, *Combo2;
    QSlider* Slider1;
    QLabel *Label1, *Label2;
    ClickableImage *Image1, *Image2;
    CueTimer* Timer1;
    QAction* Menu;
    // "Sonido", at the left end of the menu bar: a tone for every grade, and
    // the guided alignment's guidance said aloud.
    QToolButton* SoundSwitch;

    void BuildGuidedTarget();
    void BuildDynamicTarget();
    void TabStrip1_Click(int tab);
    void Text10_Change(int index);
    // Writes a sum box. Its change handling runs on every write, also when
    // the text stays as it was.
    void writeText10(int index, const QString& text);
    // The sum bar of a guided row: ProgressBar4 to ProgressBar7.
    QProgressBar* sumBar(int row) const;
    // While "Sonido" is on: the tone of a grade, and the chime of a
    // measured orientation.
    void soundGrade(quint8 grade);
    void soundChime();
    // While "Sonido" is on, says the sentence in place of one being said.
    void speak(const QString& sentence);
    void silenceSpeech();

    // The buttons that start, stop and clear the measurements, as each
    // command leaves them. A keyboard user stays on the button that undoes
    // the one just pressed.
    void disableStartButtons();
    void showDynamicRunning();
    void showDynamicStopped();
    void showGuidedFinished();

    // The measuring procedure now running, if any, ends at once and `next`
    // takes its place, so that one probe goes out at a time: a dynamic run
    // stopped with "DETENER" may still be finishing its last pass.
    void takeOverMeasurement(QObject* next);

    // What a reset clears here, in its order.
    void disableCueTimer() override;
    void resetGuidedAddressBoxes() override;
    void clearSums() override;
    void clearDynamicChart() override;
    void resetBars() override;
    void clearCorrections() override;
    void restartLogs(const QString& localAddress) override;
    void hideIndicators() override;
    void enableStartButtons() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildMenu();
    void buildSoundSwitch(int height);
    void showSoundState();
    struct AddressBlockNames;
    struct AddressBlock {
        QComboBox* combo;
        ClickableImage* image;
    };
    AddressBlock buildAddressBlock(QWidget* page, const AddressBlockNames& names);
    void addOctetRow(QWidget* row, const std::array<int, 4>& boxes, const QString& rowName);
    void buildGuidedPage();
    void buildGuidedResultsBlock(QWidget* page);
    void buildGuidedCorrectionBlock(QWidget* page);
    void buildDynamicPage();
    void buildDynamicChartBlock(QWidget* page);
    void buildDynamicSpeedBlock(QWidget* page);
    void connectHandlers();
    void connectPageKeys();
    void Form_Load();
    void reportMissingIcmp();
    QString joinOctets(const std::array<int, 4>& boxes);
    void setOuterHeight(int pixels);

    QPointer<QObject> m_measurement;
};

// Ends the program at once, whatever is running.
void endProgram();
