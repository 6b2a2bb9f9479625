// The readout of the four sum boxes: the arm each colours, and the vertical
// and horizontal corrections, for whatever the boxes hold.
#include "support/window_driver.h"

namespace {

constexpr quint32 Red = 0x000000FF, Green = 0x0000FF00, Blue = 0x00FF0000;
constexpr quint32 Untouched = 0x00123456;
const QString Sevens = QString(10'000, u'7');
const QString Nul = QString(QChar(0));

// The arm of the direction cross that each sum box colours: up, right, down, left.
constexpr int ArmOfBox[] = {0, 1, 3, 2};

enum class Entry { Pasted, Typed };

void untouchArms(WindowDriver& d)
{
    for (Shape* arm : d.arms())
        arm->setBackColor(Untouched);
}

} // namespace

class CorrectionReadoutTest : public QObject {
    Q_OBJECT
private slots:
    // Entered after an up total of 30 and a down total of 20 ("Arriba", 5º).
    void sumBoxColoursItsArmAndCorrects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Entry>("how");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<QString>("correction"); // once entered as the down total
        QTest::addColumn<int>("downValue");
        const auto row = [](const char* name, const QString& text, std::initializer_list<Entry> hows, quint32 colour,
                            const QString& correction, int downValue) {
            for (const Entry how : hows)
                QTest::addRow("%s, %s", name, how == Entry::Pasted ? "pasted" : "typed")
                    << text << how << colour << correction << downValue;
        };
        const auto both = {Entry::Pasted, Entry::Typed};
        const auto pasted = {Entry::Pasted};
        const auto typed = {Entry::Typed};
        const QString unchanged = u"Arriba  5º"_s;
        const QString downZero = u"Arriba  15º"_s;
        // The bands of the colour, and a half going to the even neighbour in
        // the correction; past any byte, the correction stays as it was.
        for (const auto& [text, colour, correction, downValue] : {std::tuple{"14.9", Red, "Arriba  7.5º", 15},
                                                                  {"15", Green, "Arriba  7.5º", 15},
                                                                  {"20", Green, "Arriba  5º", 20},
                                                                  {"20.5", Blue, "Arriba  5º", 20},
                                                                  {"21.5", Blue, "Arriba  4º", 22},
                                                                  {"29", Blue, "Arriba  .5º", 29},
                                                                  {"30", Blue, "Perfecto  0º", 30},
                                                                  {"40", Blue, "Abajo  5º", 40},
                                                                  {"40.5", Red, "Abajo  5º", 40},
                                                                  {"65", Red, "Abajo  17.5º", 65},
                                                                  {"90", Red, "Abajo  30º", 90},
                                                                  {"91", Untouched, "Abajo  30.5º", 91},
                                                                  {"1D1", Red, "Arriba  10º", 10},
                                                                  {"-3", Red, "Arriba  5º", 20},
                                                                  {"300", Untouched, "Arriba  5º", 20},
                                                                  {"1E9", Untouched, "Arriba  5º", 20},
                                                                  {"1e999", Untouched, "Arriba  5º", 20},
                                                                  {"-1e999", Red, "Arriba  5º", 20}})
            row(text, QString::fromUtf8(text), pasted, colour, QString::fromUtf8(correction), downValue);
        row("10,000 digits", Sevens, pasted, Untouched, unchanged, 20);
        row("10,000 hexadecimal digits", u"&H"_s + QString(10'000, u'F'), pasted, Untouched, unchanged, 20);
        // Typed, the box is read after every key, and what stays is the last
        // total a byte could hold: 77, 1 and the 0 of "-".
        row("7777", u"7777"_s, typed, Red, u"Abajo  23.5º"_s, 77);
        row("1e999", u"1e999"_s, typed, Red, u"Arriba  14.5º"_s, 1);
        row("-1e999", u"-1e999"_s, typed, Red, downZero, 0);
        row("40 and 9,998 letters", u"40"_s + QString(9'998, u'x'), pasted, Blue, u"Abajo  5º"_s, 40);
        // No number at the start reads as 0.
        row("&H", u"&H"_s, both, Red, downZero, 0);
        row("-", u"-"_s, both, Red, downZero, 0);
        row("only blanks", u"     "_s, both, Red, downZero, 0);
        row("non-ASCII letter first", u"ñ25"_s, both, Red, downZero, 0);
        row("Arabic-Indic digits", u"٢٥"_s, both, Red, downZero, 0);
        row("emoji first", u"😀25"_s, pasted, Red, downZero, 0);
        row("NUL first", Nul + u"25"_s, pasted, Red, downZero, 0);
        // Blanks, tabs and line feeds are passed over; a typed Tab or Return
        // never enters the box.
        row("tab inside", u"2\t5"_s, both, Blue, u"Arriba  2.5º"_s, 25);
        row("line feed inside", u"2\n5"_s, both, Blue, u"Arriba  2.5º"_s, 25);
        row("CR inside", u"2\r5"_s, pasted, Red, u"Arriba  14º"_s, 2);
        row("CR inside", u"2\r5"_s, typed, Blue, u"Arriba  2.5º"_s, 25);
        row("line separator inside", u"2\u20285"_s, both, Red, u"Arriba  14º"_s, 2);
        row("emoji first", u"😀25"_s, typed, Blue, u"Arriba  2.5º"_s, 25);
        row("NUL first", Nul + u"25"_s, typed, Blue, u"Arriba  2.5º"_s, 25);
    }

    // Entered into the right, left and down boxes in turn, then into the up box,
    // whose change recomputes nothing.
    void sumBoxColoursItsArmAndCorrects()
    {
        QFETCH(QString, text);
        QFETCH(Entry, how);
        QFETCH(quint32, colour);
        WindowDriver d;
        d.state().GuidedStep = 3;
        paste(d.sumBox(0), u"30"_s);
        paste(d.sumBox(2), u"20"_s);
        for (int box : {1, 3, 2}) {
            untouchArms(d);
            how == Entry::Pasted ? paste(d.sumBox(box), text) : typeText(d.sumBox(box), text);
            for (int arm = 0; arm < 4; ++arm)
                QCOMPARE(d.arms()[arm]->backColor(), arm == ArmOfBox[box] ? colour : Untouched);
        }
        QTEST(d.control<QLineEdit>("Text14")->text(), "correction");
        QTEST(int(d.state().MinusVValue), "downValue");
        QCOMPARE(d.state().PlusVValue, 30);

        // And the box goes on reading what comes next.
        paste(d.sumBox(2), u"15"_s);
        QCOMPARE(d.control<QLineEdit>("Text14")->text(), u"Arriba  7.5º"_s);
        untouchArms(d);
        how == Entry::Pasted ? paste(d.sumBox(0), text) : typeText(d.sumBox(0), text);
        QCOMPARE(d.arms()[0]->backColor(), colour);
        QCOMPARE(d.control<QLineEdit>("Text14")->text(), u"Arriba  7.5º"_s);
    }

    void correctionsAreShownOnlyAtTheirStep_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("vertical"); // after up 30 and down 15
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("horizontalWord");
        QTest::newRow("step 3") << 3 << u"45"_s << u"15"_s << u"Arriba  7.5º"_s << QString() << u"Derecha"_s;
        QTest::newRow("step 4, right larger")
            << 4 << u"45"_s << u"15"_s << QString() << u"Derecha  15º"_s << u"Derecha"_s;
        QTest::newRow("step 4, left larger")
            << 4 << u"15"_s << u"105"_s << QString() << u"Izquierda  45º"_s << u"Izquierda"_s;
        QTest::newRow("step 4, equal") << 4 << u"15"_s << u"15"_s << QString() << u"Perfecto  0º"_s << u"Perfecto"_s;
        QTest::newRow("step 2") << 2 << u"45"_s << u"15"_s << QString() << QString() << u"Derecha"_s;
        QTest::newRow("finished") << 5 << u"45"_s << u"15"_s << QString() << QString() << u"Derecha"_s;
    }

    // The corrections are kept at every step, shown only at their own, and
    // recomputed only by the down and left boxes.
    void correctionsAreShownOnlyAtTheirStep()
    {
        QFETCH(int, step);
        QFETCH(QString, right);
        QFETCH(QString, left);
        WindowDriver d;
        d.state().GuidedStep = qint16(step);
        paste(d.sumBox(0), "30");
        paste(d.sumBox(2), "15");
        paste(d.sumBox(1), right);
        paste(d.sumBox(3), left);
        paste(d.sumBox(0), "90");
        paste(d.sumBox(1), "90");
        QTEST(d.control<QLineEdit>("Text14")->text(), "vertical");
        QTEST(d.control<QLineEdit>("Text5")->text(), "horizontal");
        QCOMPARE(d.state().VertDirection, "Arriba");
        QTEST(d.state().HorzDirection, "horizontalWord");
    }
};

QTEST_MAIN(CorrectionReadoutTest)
#include "correction_readout_test.moc"
