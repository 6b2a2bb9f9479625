// Whatever a user types or pastes into the octet boxes: the boxes keep their
// limits, the start buttons refuse only "0.0.0.0", the address goes to the
// probe as typed, and the real probe sends nothing for one it cannot read.
#include "network/test_network.h"
#include "platform/inet_address.h"
#include "platform/pause_clock.h"
#include "support/window_driver.h"

#include <QMessageBox>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString Sevens = QString(10'000, u'7');
const QString Emoji = u"😀😀"_s;
const QString HalfEmoji = u"😀"_s + QChar(0xD83D);  // the second cut after its first half
const QString Nul = QString(QChar(0));

bool readableAddress(const QString& address)
{
    const std::uint32_t value = platform::inetAddress(address);
    return value != 0 && value != platform::InetAddressNone;
}

auto fields(const EchoReply& reply)
{
    return std::tuple(reply.ReplyAddress, reply.Status, reply.RoundTripTime);
}

// The real probe, in the test network where nothing has a route out, should
// it go wrong.
void requireNoEchoRequestFor(const TestNetwork& network, const QString& address)
{
    if (!network.isReady())
        QSKIP(qPrintable(network.failure()));
    const NamespaceVisit visit(network.proberNamespace());
    QVERIFY(visit.isActive());
    const quint64 sentBefore = echoRequestsSentHere();
    const EchoReply untouched{0x01020304, 77, 55};
    EchoReply reply = untouched;
    QCOMPARE(EchoProbe(address, reply), -1);
    QCOMPARE(fields(reply), fields(untouched));
    QCOMPARE(echoRequestsSentHere(), sentBefore);
}

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        platform::setPauseSpeedup(50);
        network = std::make_unique<TestNetwork>();
    }
    void cleanupTestCase() { network.reset(); }

    void octetBoxesKeepThreeCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("typed");
        QTest::newRow("10,000 characters") << Sevens << u"777"_s << u"777"_s;
        QTest::newRow("non-ASCII letters") << u"ñÆßΩж"_s << u"ñÆß"_s << u"ñÆß"_s;
        QTest::newRow("Arabic-Indic digits") << u"١٢٣٤"_s << u"١٢٣"_s << u"١٢٣"_s;
        // A character outside the basic plane takes two of the three places.
        QTest::newRow("emoji") << Emoji << HalfEmoji << QString();
        QTest::newRow("NUL") << Nul + u"12"_s << Nul + u"12"_s << u"12"_s;
        QTest::newRow("tab") << u"1\t2"_s << u"1\t2"_s << u"12"_s;
        QTest::newRow("line feed") << u"1\n2"_s << u"1\n2"_s << u"12"_s;
        QTest::newRow("CR LF") << u"\r\n5"_s << u"\r\n5"_s << u"5"_s;
        QTest::newRow("line separator") << u"1\u20282"_s << u"1\u20282"_s << u"1\u20282"_s;
        QTest::newRow("1e999") << u"1e999"_s << u"1e9"_s << u"1e9"_s;
        QTest::newRow("&H") << u"&H"_s << u"&H"_s << u"&H"_s;
        QTest::newRow("-") << u"-"_s << u"-"_s << u"-"_s;
        QTest::newRow("only blanks") << u"     "_s << u"   "_s << u"   "_s;
    }

    void octetBoxesKeepThreeCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QString, pasted);
        QFETCH(QString, typed);
        WindowDriver d;
        for (const int index : GuidedTargetBoxes + DynamicTargetBoxes) {
            paste(d.form.Text1[index], text);
            QCOMPARE(d.form.Text1[index]->text(), pasted);
            typeText(d.form.Text1[index], text);
            QCOMPARE(d.form.Text1[index]->text(), typed);
        }
    }

    void startSendsTheAddressAsTyped_data()
    {
        QTest::addColumn<bool>("guided");
        QTest::addColumn<QStringList>("octets");  // pasted into the "IP Receptor" boxes, left to right
        QTest::addColumn<QString>("address");     // none when refused
        QTest::addColumn<bool>("readable");
        const auto row = [](const char* name, const QStringList& octets, const QString& address, bool readable) {
            for (const bool guided : {true, false})
                QTest::addRow("%s, %s", name, guided ? "CALCULAR" : "INICIAR") << guided << octets << address << readable;
        };
        const auto same = [&row](const char* name, const QString& text, const QString& part, bool readable) {
            row(name, QStringList(4, text), QStringList(4, part).join(u'.'), readable);
        };
        row("as designed", QStringList(4, u"0"_s), QString(), false);
        row("last octet", {u"0"_s, u"0"_s, u"0"_s, u"1"_s}, u"0.0.0.1"_s, true);
        row("station", {u"192"_s, u"168"_s, u"1"_s, u"20"_s}, u"192.168.1.20"_s, true);
        row("empty box", {u"192"_s, u"168"_s, QString(), u"1"_s}, u"192.168..1"_s, false);
        row("kept as typed", {u" 1"_s, u"010"_s, u"x"_s, u"300"_s}, u" 1.010.x.300"_s, false);
        same("10,000 characters", Sevens, u"777"_s, false);
        same("non-ASCII letters", u"ñÆß"_s, u"ñÆß"_s, false);
        same("Arabic-Indic digits", u"١٢٣"_s, u"١٢٣"_s, false);
        same("emoji", Emoji, HalfEmoji, false);
        same("NUL", u"1"_s + Nul, u"1"_s + Nul, false);
        same("tab first", u"\t12"_s, u"\t12"_s, false);
        // As inet_addr reads it: a blank ends the address, so only the "1" before it counts.
        same("tab inside", u"1\t2"_s, u"1\t2"_s, true);
        same("line feed inside", u"1\n2"_s, u"1\n2"_s, true);
        same("CR LF", u"\r\n5"_s, u"\r\n5"_s, false);
        same("line separator", u"1\u20282"_s, u"1\u20282"_s, false);
        same("1e999", u"1e999"_s, u"1e9"_s, false);
        same("&H", u"&H"_s, u"&H"_s, false);
        same("-", u"-"_s, u"-"_s, false);
        same("only blanks", u"     "_s, u"   "_s, false);
    }

    // "CALCULAR" and "ACEPTAR", or "INICIAR" on its page: only "0.0.0.0" is
    // refused, with the tool's one message box; any other text starts the
    // alignment, logs its start line without selecting it, and goes to the
    // probe as typed.
    void startSendsTheAddressAsTyped()
    {
        QFETCH(bool, guided);
        QFETCH(QStringList, octets);
        QFETCH(QString, address);
        QFETCH(bool, readable);
        WindowDriver d;
        d.probe.hold(true);
        QListWidget* log = guided ? d.form.List1 : d.form.List2;
        const QStringList startLog = lines(log);
        const int selected = log->currentRow();
        showPage(d.form, guided ? 0 : 1);
        const QList<int> boxes = guided ? GuidedTargetBoxes : DynamicTargetBoxes;
        for (int i = 0; i < 4; ++i)
            paste(d.form.Text1[boxes[i]], octets[i]);
        d.click(guided ? "Command1" : "Command6");

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
        } else {  // the start line comes before the first pass's
            QVERIFY(d.completePasses(1));
            QCOMPARE(log->item(log->count() - 2)->text(), "Iniciando alineacion de antena");
        }
        QVERIFY(waitUntil([&] { return d.probe.probePending(); }));
        QCOMPARE(d.probe.addresses().first(), address);
        QCOMPARE(readableAddress(address), readable);
        if (!readable)
            requireNoEchoRequestFor(*network, address);
    }

private:
    std::unique_ptr<TestNetwork> network;
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
