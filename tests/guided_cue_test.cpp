#include "app/orienzo_window.h"
#include "guided/guided_cue.h"
#include "guided/legend_window.h"
#include "main_window/shape.h"
#include "main_window/vb_colour.h"
#include "support/recording_tone_player.h"
#include "support/scripted_probe_service.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

class GuidedCueTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tickBlinksOnlyTheMeasuredArmAndNamesIt_data();
    void tickBlinksOnlyTheMeasuredArmAndNamesIt();
    void cueLineSwapsColourPairsOnEveryTick();
    void legendShowsItsSixteenLinesOnce();
    void legendClosedAndReopenedIsBuiltAfresh();

private:
    QStringList legendLines();
    static Form3* legend() { return qobject_cast<Form3*>(openWindow("Form3")); }

    ScriptedProbeService probe;
    RecordingTonePlayer tones;
    std::unique_ptr<OrienzoWindow> form;
};

void GuidedCueTest::init()
{
    form = std::make_unique<OrienzoWindow>(probe, tones);
    form->show();
}

void GuidedCueTest::cleanup()
{
    form.reset();
}

void GuidedCueTest::tickBlinksOnlyTheMeasuredArmAndNamesIt_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("arm");
    QTest::addColumn<QString>("cue");
    QTest::newRow("+Vertical") << 1 << 0 << "Alineando en +Vertical";
    QTest::newRow("-Horizontal") << 2 << 1 << "Alineando en -Horizontal";
    QTest::newRow("-Vertical") << 3 << 3 << "Alineando en -Vertical";
    QTest::newRow("+Horizontal") << 4 << 2 << "Alineando en +Horizontal";
}

void GuidedCueTest::tickBlinksOnlyTheMeasuredArmAndNamesIt()
{
    QFETCH(int, step);
    QFETCH(int, arm);
    QFETCH(QString, cue);
    form->State.GuidedStep = qint16(step);
    QLineEdit* cueLine = form->findChild<QLineEdit*>("Text6");
    auto armShape = [this](int index) { return form->findChild<Shape*>(QStringLiteral("Shape6(%1)").arg(index)); };

    Timer1_Timer(*form);
    QVERIFY(armShape(arm)->isOpaque());
    QCOMPARE(cueLine->text(), cue);

    cueLine->clear();
    Timer1_Timer(*form);
    QVERIFY(!armShape(arm)->isOpaque());
    QVERIFY(cueLine->text().isEmpty());  // written only when the arm is shown

    for (int other = 0; other < 4; ++other)
        QVERIFY(other == arm || !armShape(other)->isOpaque());
}

void GuidedCueTest::cueLineSwapsColourPairsOnEveryTick()
{
    QLineEdit* cueLine = form->findChild<QLineEdit*>("Text6");
    const QColor windowColour = QApplication::palette().color(QPalette::Base);
    form->State.GuidedStep = 5;
    for (int tick = 0; tick < 4; ++tick) {
        Timer1_Timer(*form);
        const bool inverse = tick % 2 == 1;  // designed white, so the first tick gives dark on window colour
        QCOMPARE(cueLine->property("BackColor").toUInt(), inverse ? vbcolour::Black : vbcolour::WindowBackground);
        QCOMPARE(cueLine->palette().color(QPalette::Base), inverse ? QColor(Qt::black) : windowColour);
        QCOMPARE(cueLine->palette().color(QPalette::Text), inverse ? windowColour : QColor(Qt::black));
    }
    QVERIFY(cueLine->text().isEmpty());
    for (int arm = 0; arm < 4; ++arm)
        QVERIFY(!form->Shape6[arm]->isOpaque());
}

QStringList GuidedCueTest::legendLines()
{
    QStringList texts;
    auto* list = legend()->findChild<QListWidget*>("List1");
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

void GuidedCueTest::legendShowsItsSixteenLinesOnce()
{
    auto* button = form->findChild<QPushButton*>("Command3");
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->objectName() == "Form3"; }), 1);
    QVERIFY(legend()->isVisible());
    QVERIFY(legend()->parentWidget() == nullptr);
    const QStringList expected = {
        " ", " ",
        "ValorYY = Inclinacion vertical positiva (arriba)",
        "ValorY  = Inclinacion vertical negativa (abajo)",
        "ValorXX = Inclinacion horizontal positiva (izquierda)",
        "ValorX  = Inclinacion horizontal negativa (derecha)",
        " ", " ",
        "Valor numerico = 15 => Alineacion correcta",
        "Valor numerico < 60 => Alineacion normal",
        "Valor numerico = 60 => Alineacion minima",
        "Valor numerico > 60 => Alineacion incorrecta",
        "Valor numerico < 75 => Imposible conectar",
        " ", " ",
        "Rango de alineacion 15 ~ 90",
    };
    QCOMPARE(legendLines(), expected);

    // The "=" of the four value names stand in one column.
    const QFontMetrics metrics(legend()->findChild<QListWidget*>("List1")->font());
    for (int line = 3; line < 6; ++line)
        QCOMPARE(metrics.horizontalAdvance(expected[line].left(expected[line].indexOf('='))),
                 metrics.horizontalAdvance(expected[2].left(expected[2].indexOf('='))));
}

void GuidedCueTest::legendClosedAndReopenedIsBuiltAfresh()
{
    auto* button = form->findChild<QPushButton*>("Command3");
    QTest::mouseClick(button, Qt::LeftButton);
    QPointer<Form3> first = legend();
    first->close();
    QTRY_VERIFY(first.isNull());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(legend() != nullptr);
    QCOMPARE(legendLines().size(), 16);
}

QTEST_MAIN(GuidedCueTest)
#include "guided_cue_test.moc"
