#include "app/orienzo_window.h"
#include "core/reset_alignment.h"
#include "main_window/shape.h"
#include "support/recording_tone_player.h"
#include "support/scripted_probe_service.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {
constexpr quint32 Red = 0x000000FF, Green = 0x0000FF00, Blue = 0x00FF0000;
constexpr quint32 Untouched = 0x00123456;
} // namespace

class CorrectionReadoutTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void armColourFollowsTheTypedTotal_data();
    void armColourFollowsTheTypedTotal();
    void correctionsAreShownOnlyAtTheirStep_data();
    void correctionsAreShownOnlyAtTheirStep();
    void upAndRightChangesNeverRecompute();
    void totalsNoByteHoldsLeaveTheCorrectionAsItWas();
    void dynamicChartLineChangesNothing();
    void resetRecoloursAlsoABoxAlreadyEmpty();

private:
    void type(int box, const QString& text);  // by pasting
    QLineEdit* box(int index) { return form->findChild<QLineEdit*>(QStringLiteral("Text10(%1)").arg(index)); }
    Shape* arm(int index) { return form->findChild<Shape*>(QStringLiteral("Shape6(%1)").arg(index)); }

    ScriptedProbeService probe;
    RecordingTonePlayer tones;
    std::unique_ptr<OrienzoWindow> form;
};

void CorrectionReadoutTest::init()
{
    form = std::make_unique<OrienzoWindow>(probe, tones);
    form->show();
}

void CorrectionReadoutTest::cleanup()
{
    form.reset();
}

// Pastes over the box's text, so that the readout sees just the new total.
void CorrectionReadoutTest::type(int index, const QString& text)
{
    QLineEdit* target = box(index);
    QApplication::clipboard()->setText(text);
    target->selectAll();
    QTest::keySequence(target, QKeySequence::Paste);
    QCOMPARE(target->text(), text);
}

void CorrectionReadoutTest::armColourFollowsTheTypedTotal_data()
{
    QTest::addColumn<QString>("total");
    QTest::addColumn<quint32>("colour");
    QTest::newRow("14.9") << "14.9" << Red;
    QTest::newRow("15") << "15" << Green;
    QTest::newRow("20") << "20" << Green;
    QTest::newRow("20.5") << "20.5" << Blue;
    QTest::newRow("40") << "40" << Blue;
    QTest::newRow("40.5") << "40.5" << Red;
    QTest::newRow("65") << "65" << Red;
    QTest::newRow("90") << "90" << Red;
    QTest::newRow("91") << "91" << Untouched;
    QTest::newRow("1e999") << "1e999" << Untouched;
    QTest::newRow("letters") << "x" << Red;
}

// Each sum box colours its own arm: up, right, down, left.
void CorrectionReadoutTest::armColourFollowsTheTypedTotal()
{
    QFETCH(QString, total);
    QFETCH(quint32, colour);
    const int armOfBox[] = {0, 1, 3, 2};
    for (int index = 0; index < 4; ++index) {
        for (int other = 0; other < 4; ++other)
            arm(other)->setBackColor(Untouched);
        type(index, total);
        for (int other = 0; other < 4; ++other)
            QCOMPARE(arm(other)->backColor(), other == armOfBox[index] ? colour : Untouched);
    }
}

void CorrectionReadoutTest::correctionsAreShownOnlyAtTheirStep_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("first");   // up, or right
    QTest::addColumn<QString>("second");  // down, or left
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("horizontal");
    QTest::newRow("step 3, up larger") << 3 << "30" << "15" << "Arriba  7.5º" << "";
    QTest::newRow("step 3, down larger") << 3 << "15" << "90" << "Abajo  37.5º" << "";
    QTest::newRow("step 3, equal") << 3 << "15" << "15" << "Perfecto  0º" << "";
    QTest::newRow("step 3, odd difference") << 3 << "16" << "15" << "Arriba  .5º" << "";
    QTest::newRow("step 3, half rounds to even") << 3 << "20.5" << "21.5" << "Abajo  1º" << "";
    QTest::newRow("step 4, right larger") << 4 << "45" << "15" << "" << "Derecha  15º";
    QTest::newRow("step 4, left larger") << 4 << "15" << "105" << "" << "Izquierda  45º";
    QTest::newRow("step 2") << 2 << "30" << "15" << "" << "";
    QTest::newRow("finished") << 5 << "30" << "15" << "" << "";
}

void CorrectionReadoutTest::correctionsAreShownOnlyAtTheirStep()
{
    QFETCH(int, step);
    QFETCH(QString, first);
    QFETCH(QString, second);
    form->State.GuidedStep = qint16(step);
    type(0, first);
    type(2, second);
    type(1, first);
    type(3, second);
    QTEST(form->findChild<QLineEdit*>("Text14")->text(), "vertical");
    QTEST(form->findChild<QLineEdit*>("Text5")->text(), "horizontal");
    // The state follows the boxes whether or not the step shows it.
    QVERIFY(!form->State.VertDirection.isEmpty());
    QVERIFY(!form->State.HorzDirection.isEmpty());
}

void CorrectionReadoutTest::upAndRightChangesNeverRecompute()
{
    form->State.GuidedStep = 3;
    type(0, "30");
    type(2, "15");
    type(0, "90");
    QCOMPARE(form->findChild<QLineEdit*>("Text14")->text(), "Arriba  7.5º");
    QCOMPARE(form->State.PlusVValue, 30);
    form->State.GuidedStep = 4;
    type(3, "20");
    type(1, "80");
    QCOMPARE(form->findChild<QLineEdit*>("Text5")->text(), "Izquierda  10º");
}

void CorrectionReadoutTest::totalsNoByteHoldsLeaveTheCorrectionAsItWas()
{
    form->State.GuidedStep = 3;
    type(0, "30");
    type(2, "20");
    for (const char* total : {"-3", "300", "1E9", "1e999", "&HFFFFFFFF"}) {
        type(2, total);
        QCOMPARE(form->State.MinusVValue, 20);
        QCOMPARE(form->State.VertDirection, "Arriba");
        QCOMPARE(form->State.VertDifference, 10);
        QCOMPARE(form->findChild<QLineEdit*>("Text14")->text(), "Arriba  5º");
    }
    QCOMPARE(arm(3)->backColor(), Red);  // -3 is below 15
}

void CorrectionReadoutTest::dynamicChartLineChangesNothing()
{
    form->State.GuidedStep = 3;
    arm(0)->setBackColor(Untouched);
    form->Text10[4]->setText("|||");
    QCOMPARE(arm(0)->backColor(), Untouched);
    QVERIFY(form->State.VertDirection.isEmpty());
    QVERIFY(form->findChild<QLineEdit*>("Text14")->text().isEmpty());
}

void CorrectionReadoutTest::resetRecoloursAlsoABoxAlreadyEmpty()
{
    QCOMPARE(arm(0)->backColor(), Green);  // as designed
    ResetAlignment(form->State, *form);
    QCOMPARE(arm(0)->backColor(), Red);
}

QTEST_MAIN(CorrectionReadoutTest)
#include "correction_readout_test.moc"
