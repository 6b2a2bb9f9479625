#include "core/box_value.h"
#include "core/grading.h"
#include "core/guided_orientation.h"
#include "core/icmp_unavailable.h"
#include "core/number_text.h"
#include "core/spoken_guidance.h"

#include <QTest>
#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

class CoreValuesTest : public QObject {
    Q_OBJECT
private slots:
    void numberText_data()
    {
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 12.0 << " 12";
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("negative zero") << -0.0 << " 0";
        QTest::newRow("half") << 0.5 << " .5";
        QTest::newRow("fraction") << 7.5 << " 7.5";
        QTest::newRow("negative") << -7.5 << "-7.5";
        QTest::newRow("negative below one") << -0.25 << "-.25";
        QTest::newRow("large") << 1000000.0 << " 1000000";
    }

    void numberText()
    {
        QFETCH(double, number);
        QTEST(NumberText(number), "text");
    }

    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("blanks inside") << " 1 2" << 12.0;
        QTest::newRow("tab and line feed") << "\t3\n4" << 34.0;
        QTest::newRow("fraction") << "20.5" << 20.5;
        QTest::newRow("second point ends") << "1.2.3" << 1.2;
        QTest::newRow("comma ends") << "1,5" << 1.0;
        QTest::newRow("sign") << "-3" << -3.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("exponent E") << "1E2" << 100.0;
        QTest::newRow("exponent D") << "2D1" << 20.0;
        QTest::newRow("negative exponent") << "25e-1" << 2.5;
        QTest::newRow("exponent without digits") << "3E" << 3.0;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("hex") << "&HFF" << 255.0;
        QTest::newRow("hex lower case") << "&hff" << 255.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("octal lower case, stops at 8") << "&o78" << 7.0;
        QTest::newRow("bare prefix") << "&H" << 0.0;
        QTest::newRow("non-ASCII ends") << "3ñ4" << 3.0;
    }

    void val()
    {
        QFETCH(QString, text);
        QTEST(Val(text), "value");
    }

    void byteConversionRoundsHalfToEvenAndRefusesOutOfRange_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("byte"); // -1: no byte holds it
        QTest::newRow("20.5") << 20.5 << 20;
        QTest::newRow("21.5") << 21.5 << 22;
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("-0.4") << -0.4 << 0;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-3") << -3.0 << -1;
        QTest::newRow("255.4") << 255.4 << 255;
        QTest::newRow("255.5") << 255.5 << -1;
        QTest::newRow("1E9") << 1e9 << -1;
        QTest::newRow("infinity") << qInf() << -1;
    }

    void byteConversionRoundsHalfToEvenAndRefusesOutOfRange()
    {
        QFETCH(double, value);
        const auto byte = toByte(value);
        QTEST(byte ? int(*byte) : -1, "byte");
    }

    void grading_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("milliseconds");
        QTest::addColumn<int>("code"); // 0: no grade
        QTest::addColumn<QString>("column");
        const int timesAndCodes[][2] = {{0, 1},  {7, 1},  {8, 0},  {10, 0},   {11, 2}, {20, 2}, {21, 0},
                                        {24, 0}, {25, 3}, {40, 3}, {41, 0},   {44, 0}, {45, 4}, {70, 4},
                                        {71, 0}, {75, 0}, {76, 5}, {5000, 5}, {-1, 0}};
        const char* columns[] = {"", "|||||", " ||||", "  |||", "   ||", "    |"};
        for (const auto& [time, code] : timesAndCodes)
            QTest::addRow("%d ms", time) << 0 << time << code << QString::fromLatin1(columns[code]);
        QTest::newRow("failed probe") << 11010 << 3 << 6 << "    -";
    }

    void grading()
    {
        QFETCH(int, status);
        QFETCH(int, milliseconds);
        const auto grade = GradeRoundTrip(status, milliseconds);
        QTEST(grade ? int(grade->code) : 0, "code");
        if (!grade)
            return;
        QString column;
        for (Cell cell : grade->column)
            column += cellText(cell, u"|"_s, u" "_s, u"-"_s);
        QTEST(column, "column");
    }

    void spokenPrompts()
    {
        QStringList said;
        for (const GuidedOrientation& orientation : guidedOrientations())
            said << spokenPrompt(orientation);
        QCOMPARE(
            said,
            QStringList({
                "Orientación uno de cuatro: antena ligeramente hacia arriba. Pulse aceptar cuando esté preparado.",
                "Orientación dos de cuatro: antena ligeramente a la derecha. Pulse aceptar cuando esté preparado.",
                "Orientación tres de cuatro: antena ligeramente hacia abajo. Pulse aceptar cuando esté preparado.",
                "Orientación cuatro de cuatro: antena ligeramente a la izquierda. Pulse aceptar cuando esté preparado.",
            }));
    }

    void spokenResult_data()
    {
        QTest::addColumn<QString>("vertical");
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("said");
        const QString end = u"Alineación terminada. "_s;
        QTest::newRow("figures with a comma")
            << u"Arriba  7.5º"_s << u"Izquierda  22.5º"_s
            << end + u"Vertical: arriba, 7,5 grados. Horizontal: izquierda, 22,5 grados."_s;
        QTest::newRow("both perfect") << u"Perfecto  0º"_s << u"Perfecto  0º"_s
                                      << end + u"Vertical: perfecto. Horizontal: perfecto."_s;
        QTest::newRow("half and one degree") << u"Abajo  .5º"_s << u"Derecha  1º"_s
                                             << end + u"Vertical: abajo, 0,5 grados. Horizontal: derecha, 1 grado."_s;
        QTest::newRow("45 degrees, one side perfect")
            << u"Abajo  45º"_s << u"Perfecto  0º"_s << end + u"Vertical: abajo, 45 grados. Horizontal: perfecto."_s;
    }

    void spokenResult()
    {
        QFETCH(QString, vertical);
        QFETCH(QString, horizontal);
        QTEST(::spokenResult(vertical, horizontal), "said");
    }

    void icmpUnavailableSaysWhyInSpanish_data()
    {
        QTest::addColumn<int>("error");
        for (const int error :
             {EPERM, EACCES, EAFNOSUPPORT, EPROTONOSUPPORT, EMFILE, ENFILE, ENOBUFS, ENOMEM, ENOENT, EPROTO})
            QTest::newRow(strerrorname_np(error)) << error;
        QTest::newRow("any other") << 12345;
    }

    void icmpUnavailableSaysWhyInSpanish()
    {
        QFETCH(int, error);
        const QString text = icmpUnavailableText(error, u"/usr/libexec/orienzo-wireless/orienzo-echo"_s);
        const QString reason = text.section(u'(', 1, 1).section(u')', 0, 0);
        QVERIFY(!reason.isEmpty());
        QVERIFY2(!text.contains(QString::fromLocal8Bit(std::strerror(error))), qPrintable(reason));
        QCOMPARE(reason.contains(QString::number(error)), error == 12345);
        QVERIFY(text.contains(u"sudo setcap cap_net_raw=p '/usr/libexec/orienzo-wireless/orienzo-echo'"_s));
        QVERIFY(text.contains(u"sudo sysctl -w net.ipv4.ping_group_range=\"0 2147483647\""_s));
    }
};

QTEST_APPLESS_MAIN(CoreValuesTest)
#include "core_values_test.moc"
