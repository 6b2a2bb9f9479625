// Whatever a user types or pastes into the octet boxes: the boxes keep their
// limits, the start buttons refuse only "0.0.0.0", and the address goes to
// the probe as typed, there to be read as inet_addr reads it.
#include "platform/inet_address.h"
#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QMessageBox>

namespace {

const QString Sevens = QString(10'000, u'7');
const QString Emoji = u"😀😀"_s;
const QString HalfEmoji = u"😀"_s + QChar(0xD83D); // the second cut after its first half
const QString Nul = QString(QChar(0));

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::setPauseSpeedup(50); }

    void startSendsTheAddressAsTyped_data()
    {
        QTest::addColumn<bool>("guided");
        QTest::addColumn<QStringList>("octets"); // for the "IP Receptor" boxes, left to right
        QTest::addColumn<QString>("address");    // from the pasted octets; none when refused
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QStringList>("typed"); // what typing the octets leaves in the boxes
        const auto row = [](const char* name, const QStringList& octets, const QString& address, bool readable,
                            const QStringList& typed) {
            for (const bool guided : {true, false})
                QTest::addRow("%s, %s", name, guided ? "CALCULAR" : "INICIAR")
                    << guided << octets << address << readable << typed;
        };
        const auto same = [&row](const char* name, const QString& text, const QString& pasted, bool readable,
                                 const QString& typed) {
            row(name, QStringList(4, text), QStringList(4, pasted).join(u'.'), readable, QStringList(4, typed));
        };
        const auto plain = [&row](const char* name, const QStringList& octets, const QString& address, bool readable) {
            row(name, octets, address, readable, octets);
        };
        plain("as designed", QStringList(4, u"0"_s), QString(), false);
        plain("last octet", {u"0"_s, u"0"_s, u"0"_s, u"1"_s}, u"0.0.0.1"_s, true);
        plain("station", {u"192"_s, u"168"_s, u"1"_s, u"20"_s}, u"192.168.1.20"_s, true);
        plain("empty box", {u"192"_s, u"168"_s, QString(), u"1"_s}, u"192.168..1"_s, false);
        plain("kept as typed", {u" 1"_s, u"010"_s, u"x"_s, u"300"_s}, u" 1.010.x.300"_s, false);
        same("10,000 characters", Sevens, u"777"_s, false, u"777"_s);
        same("non-ASCII letters", u"ñÆßΩж"_s, u"ñÆß"_s, false, u"ñÆß"_s);
        same("Arabic-Indic digits", u"١٢٣٤"_s, u"١٢٣"_s, false, u"١٢٣"_s);
        // A character outside the basic plane takes two of the three places.
        same("emoji", Emoji, HalfEmoji, false, QString());
        same("NUL", Nul + u"12"_s, Nul + u"12"_s, false, u"12"_s);
        same("tab first", u"\t12"_s, u"\t12"_s, false, u"12"_s);
        // As inet_addr reads it: a blank ends the address, so only the "1" before it counts.
        same("tab inside", u"1\t2"_s, u"1\t2"_s, true, u"12"_s);
        same("line feed inside", u"1\n2"_s, u"1\n2"_s, true, u"12"_s);
        same("CR LF", u"\r\n5"_s, u"\r\n5"_s, false, u"5"_s);
        same("line separator", u"1\u20282"_s, u"1\u20282"_s, false, u"1\u20282"_s);
        same("1e999", u"1e999"_s, u"1e9"_s, false, u"1e9"_s);
        same("&H", u"&H"_s, u"&H"_s, false, u"&H"_s);
        same("-", u"-"_s, u"-"_s, false, u"-"_s);
        same("only blanks", u"     "_s, u"   "_s, false, u"   "_s);
    }

    // Pasted, then "CALCULAR" and "ACEPTAR", or "INICIAR" on its page: only
    // "0.0.0.0" is refused, with the tool's one message box; any other text
    // starts the alignment, logs its start line without selecting it, and
    // goes to the probe as typed.
    void startSendsTheAddressAsTyped()
    {
        QFETCH(bool, guided);
        QFETCH(QStringList, octets);
        QFETCH(QString, address);
        WindowDriver d;
        d.probe.hold(true);
        const auto* log = d.control<QListWidget>(guided ? "List1" : "List2");
        const QStringList startLog = lines(log);
        const int selected = log->currentRow();
        showPage(d.form, guided ? 0 : 1);
        const QList<int> boxes = guided ? GuidedTargetBoxes : DynamicTargetBoxes;
        for (int i = 0; i < 4; ++i)
            paste(d.control<QLineEdit>(u"Text1(%1)"_s.arg(boxes[i])), octets[i]);
        d.click(guided ? "Command1" : "Command6");
        QStringList typed; // once started, so the address sent stays the pasted one
        for (int i = 0; i < 4; ++i) {
            typeText(d.control<QLineEdit>(u"Text1(%1)"_s.arg(boxes[i])), octets[i]);
            typed << d.control<QLineEdit>(u"Text1(%1)"_s.arg(boxes[i]))->text();
        }
        QTEST(typed, "typed");

        const QList<QMessageBox*> refusals = openMessageBoxes("Error");
        QCOMPARE(refusals.size(), address.isNull() ? 1 : 0);
        QCOMPARE(log->currentRow(), selected);
        QCOMPARE(lines(log), address.isNull() ? startLog : startLog + QStringList{"Iniciando alineacion de antena"});
        if (address.isNull()) {
            QCOMPARE(refusals.front()->text(), "Debe especificar como minimo la IP del equipo Receptor");
            QCOMPARE(refusals.front()->icon(), QMessageBox::Warning);
            QCOMPARE(refusals.front()->standardButtons(), QMessageBox::Ok);
            QCOMPARE(d.enabledButtons(), QStringList({"CALCULAR", "INICIAR"}));
            QVERIFY(!d.prompt() && !d.dynamicRunning());
            QTest::qWait(20);
            QCOMPARE(d.probe.probeCount(), 0);
            return;
        }
        QCOMPARE(d.enabledButtons(), guided ? QStringList() : QStringList{"DETENER"});
        if (guided) {
            QVERIFY(d.promptText().contains("vertical positiva (arriba)"));
            d.aceptar();
        } else { // the start line comes before the first pass's
            QVERIFY(d.completePasses(1));
            QCOMPARE(log->item(log->count() - 2)->text(), "Iniciando alineacion de antena");
        }
        QVERIFY(waitUntil([&] { return d.probe.probePending(); }));
        QCOMPARE(d.probe.addresses().first(), address);
        const std::uint32_t read = platform::inetAddress(address);
        QTEST(read != 0 && read != platform::InetAddressNone, "readable");
    }
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
