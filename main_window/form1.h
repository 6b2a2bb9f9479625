#pragma once

#include "core/alignment_state.h"
#include "core/reset_alignment.h"
#include "main_window/dynamic_view.h"
#include "main_window/guided_view.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

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
// Only the window touches its controls: the guided and dynamic alignments
// reach it through their views, and the reset through its own.
class Form1 : public QMainWindow, public GuidedView, public DynamicView, private AlignmentView {
    Q_OBJECT
public:
    Form1(ProbeService& probe, TonePlayer& tones, Speaker& voice);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the window shows going on, which decides the buttons that can be
    // pressed.
    enum class Activity { Idle, GuidedAlignment, GuidedFinished, DynamicRun };

    // Both alignments' view (measuring_view.cpp).
    AlignmentState& state() override;
    ProbeService& probe() override;
    QWidget* mainWindow() override;
    void runMeasurement(QObject* procedure) override;
    void endMeasurement() override;
    void resetAlignment() override;
    void soundGrade(quint8 grade) override;

    // The guided alignment's view (guided_view.cpp).
    void attachGuidedCommands(std::function<void()> Command1_Click, std::function<void()> Command3_Click) override;
    void BuildGuidedTarget() override;
    void showAlignmentStarted() override;
    void logMeasuringStarted(const GuidedOrientation& orientation) override;
    void runCue() override;
    void tickCueIfDue() override;
    void showSums() override;
    void showOrientationMeasured() override;
    void showOrientationCompleted(const GuidedOrientation* measured) override;
    void showAlignmentFinished() override;
    void speak(const QString& sentence) override;
    void silenceSpeech() override;
    void sayCorrections() override;

    // The dynamic alignment's view (dynamic_view.cpp).
    void attachDynamicCommands(std::function<void()> Command6_Click, std::function<void()> Command7_Click,
                               std::function<void(int position)> Slider1_Change) override;
    void BuildDynamicTarget() override;
    void showRunStarted() override;
    void showRunStopped() override;
    void clearChart() override;
    void drawColumn(const Grade& grade) override;
    void showIndicator() override;
    void logPass(qint32 roundTrip) override;

    // What a reset clears here, in its order (reset_view.cpp).
    void disableCueTimer() override;
    void resetGuidedAddressBoxes() override;
    void clearSums() override;
    void clearDynamicChart() override;
    void resetBars() override;
    void clearCorrections() override;
    void restartLogs(const QString& localAddress) override;
    void hideIndicators() override;
    void enableStartButtons() override;

    // Building the window, its pages and its menu bar.
    void buildWindow();
    void buildMenu();
    void buildSoundSwitch(int height);
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
    void TabStrip1_Click(int tab);
    void setOuterHeight(int pixels);
    // The readout of the four sum boxes (correction_readout.cpp).
    void Text10_Change(int index);
    // Writes a sum box. Its change handling runs on every write, also when
    // the text stays as it was.
    void writeText10(int index, const QString& text);
    // The sum bar of a guided row: ProgressBar4 to ProgressBar7.
    QProgressBar* sumBar(int row) const;
    // The one place that enables and disables "CALCULAR", "BORRAR DATOS",
    // "INICIAR" and "DETENER" (start_buttons.cpp).
    void showButtonsFor(Activity activity);
    // "CALCULAR" and "INICIAR" go through here (measuring_view.cpp).
    void startAfterStoppedRun(const std::function<void()>& command);
    // "Sonido" (sound_switch.cpp).
    void showSoundState();
    void soundChime();

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

    QPointer<QObject> m_measurement;
    // A start pressed while a stopped run was finishing, to be handled once
    // that run has reset.
    std::function<void()> m_heldStart;
};

// Ends the program at once, whatever is running.
void endProgram();
