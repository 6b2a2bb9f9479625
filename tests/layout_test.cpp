// Where every control of the four windows stands, as designed.
#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QRegularExpression>

namespace {

// Each control's place in twips (15 to the pixel), within its frame or
// window: name, left, top, width, height.
const char MainWindow[] = R"(
    TabStrip1 120 0 9495 8655       Frame15 240 360 9255 7935       Frame16 240 360 9255 6015

    Frame4 120 120 9015 1695        Frame6 120 120 2775 735         Text1(7) 120 240 2535 375       Frame7 120 840 2775 735
    Combo1 120 240 2535 345         Frame5 3000 120 2535 735        Text1(8) 120 240 495 375        Text1(6) 720 240 495 375
    Text1(5) 1320 240 495 375       Text1(4) 1920 240 495 375       Frame3 3000 840 2535 735        Text1(3) 120 240 495 375
    Text1(2) 720 240 495 375        Text1(1) 1320 240 495 375       Text1(0) 1920 240 495 375       Image1 5640 480 3240 780
    Frame2 120 1800 9015 2655       Frame10 120 120 4935 2295       List1 120 240 4695 1815         Frame9 5160 120 3735 2055
    Text11 120 240 2535 285         ProgressBar4 120 600 2535 255   ProgressBar5 120 960 2535 255   ProgressBar6 120 1320 2535 255
    ProgressBar7 120 1680 2535 255  Text10(0) 2640 600 615 285      Text10(1) 2640 960 615 285      Text10(2) 2640 1320 615 285
    Text10(3) 2640 1680 615 285     Text2 3240 600 375 285          Text3 3240 960 375 285          Text4 3240 1320 375 285
    Text9 3240 1680 375 285         Command3 5160 2160 3735 255     Frame1 120 4560 9015 3135       Frame14 120 240 2175 2055
    Shape6(0) 720 240 735 495       Shape6(1) 1320 720 615 495      Shape6(2) 120 720 735 495       Shape6(3) 720 1320 735 495
    Shape5 840 840 495 375          Frame8 2520 600 3615 615        Text14 120 240 3375 285         Frame11 2520 1320 3615 615
    Text5 120 240 3375 285          Frame13 2520 2040 3615 615      Text6 120 240 3375 285          Frame12 120 2400 2175 615
    ProgressBar3 120 240 1935 255   Command1 6480 360 2415 495      Command2 6480 960 2415 495      Command5 6480 1680 2415 495
    Command4 6480 2400 2415 495

    Frame19 120 120 9015 1695    Frame20 120 120 2775 735     Text1(9) 120 240 2535 375    Frame21 120 840 2775 735
    Combo2 120 240 2535 345      Frame23 3000 120 2535 735    Text1(17) 120 240 495 375    Text1(16) 720 240 495 375
    Text1(15) 1320 240 495 375   Text1(14) 1920 240 495 375   Frame22 3000 840 2535 735    Text1(10) 120 240 495 375
    Text1(11) 720 240 495 375    Text1(12) 1320 240 495 375   Text1(13) 1920 240 495 375   Image2 5640 480 3240 780
    Frame25 360 1920 1815 1575   Shape1 240 240 1335 1095     Frame18 2400 1920 2175 1575  Text12 120 240 1935 240
    Text8 120 480 1935 240       Text7 120 720 1935 240       Text13 120 960 1935 240      Text10(4) 120 1200 1935 240
    Frame17 4920 1920 3855 1575  List2 120 240 3615 1230      Frame24 120 3720 9015 855    Label1 120 360 255 375
    Slider1 480 240 8055 495     Label2 8640 360 255 375      Command6 360 5040 2535 495   Command7 3360 5040 2655 495
    Command8 6480 5040 2415 495
)";
const char LegendWindow[] = R"(
    Frame1 120 0 7215 4215   List1 120 240 6975 3885
)";
const char PromptWindow[] = R"(
    Text1 360 480 3975 1815      Frame1 120 0 7095 3255       Frame3 120 240 4215 2175     Frame2 4440 240 2535 2775
    Shape2 960 240 615 855       Shape3 120 1080 855 615      Shape4 1560 1080 855 615     Shape5 960 1680 615 855
    Shape1 1080 1080 375 615     Command1 120 2520 2655 495   Command2 3000 2520 1335 495
)";
const char MeasurementWindow[] = R"(
    Frame1 120 0 6375 2295          Frame8 120 120 2175 1575        Text2 120 240 1935 240          Text3 120 480 1935 240
    Text4 120 720 1935 240          Text9 120 960 1935 240          Text10 120 1200 1935 240        Frame2 2400 120 3855 1575
    List1 120 240 3615 1230         ProgressBar1 120 1800 6135 375  Command1 840 2400 5295 375
)";

// The first control of `window` not where its place says, with where it is.
QString misplaced(const QWidget* window, const char* places)
{
    const QStringList words = QString(places).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + 4 < words.size(); i += 5) {
        const QRect rect = controlOf(window, words[i])->geometry();
        const QRect place(words[i + 1].toInt() / 15, words[i + 2].toInt() / 15, words[i + 3].toInt() / 15,
                          words[i + 4].toInt() / 15);
        if (rect != place)
            return words[i]
                   + u" at %1 %2 %3 %4"_s.arg(rect.x() * 15)
                         .arg(rect.y() * 15)
                         .arg(rect.width() * 15)
                         .arg(rect.height() * 15);
    }
    return {};
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void controlsStandWhereDesigned()
    {
        platform::setPauseSpeedup(100);
        WindowDriver d;
        QCOMPARE(d.form.pos(), QPoint(1575 / 15, 1005 / 15));
        QCOMPARE(d.form.centralWidget()->size(), QSize(9690 / 15, 8745 / 15));
        QCOMPARE(misplaced(&d.form, MainWindow), QString());

        d.click("Command3");
        QWidget* legend = openWindow("Form3");
        QCOMPARE(legend->size(), QSize(7470 / 15, 4305 / 15));
        QCOMPARE(misplaced(legend, LegendWindow), QString());

        d.calcular();
        QCOMPARE(d.prompt()->size(), QSize(7305 / 15, 3315 / 15));
        QCOMPARE(misplaced(d.prompt(), PromptWindow), QString());

        QVERIFY(d.measureTimes(3));
        QCOMPARE(d.measurement()->pos(), QPoint(8385 / 15, 5385 / 15));
        QCOMPARE(d.measurement()->size(), QSize(6525 / 15, 2865 / 15));
        QCOMPARE(misplaced(d.measurement(), MeasurementWindow), QString());
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
