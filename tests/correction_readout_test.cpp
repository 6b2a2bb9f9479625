// The readout of the four sum boxes: the arm each colours, and the vertical
// and horizontal corrections, for whatever the boxes hold.
#include "support/window_driver.h"

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 Red = 0x000000FF, Green = 0x0000FF00, Blue = 0x00FF0000;
constexpr quint32 Untouched = 0x00123456;
const QString Sevens = QString(10'000, u'7');
const QString Nul = QString(QChar(0));

// The arm of the direction cross that each sum box colours: up, right, down, left.
constexpr int ArmOfBox[] = {0, 1, 3, 2};

enum class Entry { Pasted, Typed };

void enter(QLineEdit* box, const QString& text, Entry how)
{
    how == Entry::Pasted ? paste(box, text) : typeText(box, text);
}

void untouchArms(WindowDriver& d)
{
    for (Shape* arm : d.form.Shape6)
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
        QTest::addColumn<QString>("correction");  // once entered as the down total
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
        // The bands of the colour; a half goes to the even neighbour in the correction.
        row("14.9", u"14.9"_s, pasted, Red, u"Arriba  7.5º"_s, 15);
        row("15", u"15"_s, pasted, Green, u"Arriba  7.5º"_s, 15);
        row("20", u"20"_s, pasted, Green, unchanged, 20);
        row("20.5", u"20.5"_s, pasted, Blue, unchanged, 20);
        row("21.5", u"21.5"_s, pasted, Blue, u"Arriba  4º"_s, 22);
        row("29", u"29"_s, pasted, Blue, u"Arriba  .5º"_s, 29);
        row("30", u"30"_s, pasted, Blue, u"Perfecto  0º"_s, 30);
        row("40", u"40"_s, pasted, Blue, u"Abajo  5º"_s, 40);
        row("40.5", u"40.5"_s, pasted, Red, u"Abajo  5º"_s, 40);
        row("65", u"65"_s, pasted, Red, u"Abajo  17.5º"_s, 65);
        row("90", u"90"_s, pasted, Red, u"Abajo  30º"_s, 90);
        row("91", u"91"_s, pasted, Untouched, u"Abajo  30.5º"_s, 91);
        row("1D1", u"1D1"_s, pasted, Red, u"Arriba  10º"_s, 10);
        // Past any byte: the correction stays as it was.
        row("-3", u"-3"_s, pasted, Red, unchanged, 20);
        row("300", u"300"_s, pasted, Untouched, unchanged, 20);
        row("1E9", u"1E9"_s, pasted, Untouched, unchanged, 20);
        row("10,000 digits", Sevens, pasted, Untouched, unchanged, 20);
        row("1e999", u"1e999"_s, pasted, Untouched, unchanged, 20);
        row("10,000 hexadecimal digits", u"&H"_s + QString(10'000, u'F'), pasted, Untouched, unchanged, 20);
        row("-1e999", u"-1e999"_s, pasted, Red, unchanged, 20);
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
        QFETCH(QString, correction);
        QFETCH(int, downValue);
        WindowDriver d;
        d.form.State.GuidedStep = 3;
        paste(d.form.Text10[0], u"30"_s);
        paste(d.form.Text10[2], u"20"_s);
        for (int box : {1, 3, 2}) {
            untouchArms(d);
            enter(d.form.Text10[box], text, how);
            for (int arm = 0; arm < 4; ++arm)
                QCOMPARE(d.form.Shape6[arm]->backColor(), arm == ArmOfBox[box] ? colour : Untouched);
        }
        QCOMPARE(d.form.Text14->text(), correction);
        QCOMPARE(d.form.State.MinusVValue, downValue);
        QCOMPARE(d.form.State.PlusVValue, 30);

        // And the box goes on reading what comes next.
        paste(d.form.Text10[2], u"15"_s);
        QCOMPARE(d.form.Text14->text(), u"Arriba  7.5º"_s);
        untouchArms(d);
        enter(d.form.Text10[0], text, how);
        QCOMPARE(d.form.Shape6[0]->backColor(), colour);
        QCOMPARE(d.form.Text14->text(), u"Arriba  7.5º"_s);
    }

    void correctionsAreShownOnlyAtTheirStep_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("vertical");    // after up 30 and down 15
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("horizontalWord");
        QTest::newRow("step 3") << 3 << "45" << "15" << "Arriba  7.5º" << "" << "Derecha";
        QTest::newRow("step 4, right larger") << 4 << "45" << "15" << "" << "Derecha  15º" << "Derecha";
        QTest::newRow("step 4, left larger") << 4 << "15" << "105" << "" << "Izquierda  45º" << "Izquierda";
        QTest::newRow("step 4, equal") << 4 << "15" << "15" << "" << "Perfecto  0º" << "Perfecto";
        QTest::newRow("step 2") << 2 << "45" << "15" << "" << "" << "Derecha";
        QTest::newRow("finished") << 5 << "45" << "15" << "" << "" << "Derecha";
    }

    // The corrections are kept at every step, shown only at their own, and
    // recomputed only by the down and left boxes.
    void correctionsAreShownOnlyAtTheirStep()
    {
        QFETCH(int, step);
        QFETCH(QString, right);
        QFETCH(QString, left);
        WindowDriver d;
        d.form.State.GuidedStep = qint16(step);
        paste(d.form.Text10[0], "30");
        paste(d.form.Text10[2], "15");
        paste(d.form.Text10[1], right);
        paste(d.form.Text10[3], left);
        paste(d.form.Text10[0], "90");
        paste(d.form.Text10[1], "90");
        QTEST(d.form.Text14->text(), "vertical");
        QTEST(d.form.Text5->text(), "horizontal");
        QCOMPARE(d.form.State.VertDirection, "Arriba");
        QTEST(d.form.State.HorzDirection, "horizontalWord");

        // The dynamic chart's line, and any index beyond the four sums, change nothing.
        untouchArms(d);
        d.form.Text10[4]->setText("|||");
        for (int index : {-1, 4, 5})
            d.form.Text10_Change(index);
        for (const Shape* arm : d.form.Shape6)
            QCOMPARE(arm->backColor(), Untouched);
        QTEST(d.form.Text14->text(), "vertical");
    }
};

QTEST_MAIN(CorrectionReadoutTest)
#include "correction_readout_test.moc"
