// Whatever a user types or pastes into the octet boxes and the sum boxes:
// the window keeps working, the boxes keep their limits, and the address and
// the readout follow the program's rules.
#include "app/orienzo_window.h"
#include "core/echo_probe.h"
#include "main_window/shape.h"
#include "network/test_network.h"
#include "platform/inet_address.h"
#include "platform/pause_clock.h"
#include "support/recording_tone_player.h"
#include "support/scripted_probe_service.h"
#include "support/window_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 Red = 0x000000FF, Blue = 0x00FF0000;
constexpr quint32 Untouched = 0x00123456;
const EchoReply UntouchedReply{0x01020304, 77, 55};

const QString Sevens = QString(10'000, u'7');
const QString FortyThenLetters = u"40"_s + QString(9'998, u'x');
const QString Emoji = u"😀😀"_s;
const QString HalfEmoji = u"😀"_s + QChar(0xD83D);  // the second cut after its first half
const QString Nul = QString(QChar(0));

enum class Entry { Pasted, Typed };

void paste(QLineEdit* box, const QString& text)
{
    QApplication::clipboard()->setText(text);
    box->selectAll();
    QTest::keySequence(box, QKeySequence::Paste);
}

// As the keyboard delivers it: Tab and Return as those keys, a printable
// ASCII character through its key, any other as an input method hands it
// over, in a key event carrying it.
void typeCharacter(QLineEdit* box, QChar c)
{
    if (c == u'\t')
        QTest::keyClick(box, Qt::Key_Tab);
    else if (c == u'\n' || c == u'\r')
        QTest::keyClick(box, Qt::Key_Return);
    else if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
        QTest::keyClicks(box, QString(c));
    else
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text)
        typeCharacter(box, c);
}

void enter(QLineEdit* box, const QString& text, Entry how)
{
    if (how == Entry::Pasted)
        paste(box, text);
    else
        type(box, text);
}

const char* entryName(Entry how)
{
    return how == Entry::Pasted ? "pasted" : "typed";
}

bool readableAddress(const QString& address)
{
    const std::uint32_t value = platform::inetAddress(address);
    return value != 0 && value != platform::InetAddressNone;
}

auto fields(const EchoReply& reply)
{
    return std::tuple(reply.ReplyAddress, reply.Status, reply.RoundTripTime);
}

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void octetBoxesKeepThreeCharacters_data();
    void octetBoxesKeepThreeCharacters();
    void addressGoesToTheProbeAsTyped_data();
    void addressGoesToTheProbeAsTyped();
    void sumBoxReadsWhatItCan_data();
    void sumBoxReadsWhatItCan();

private:
    QLineEdit* box(const QString& name) const { return form->findChild<QLineEdit*>(name); }
    QLineEdit* octet(int index) const { return box(u"Text1(%1)"_s.arg(index)); }
    QLineEdit* sum(int index) const { return box(u"Text10(%1)"_s.arg(index)); }
    QPushButton* button(QWidget* window, const char* name) const
    {
        return window->findChild<QPushButton*>(QLatin1StringView(name));
    }
    void startGuided();
    void startDynamic();
    void requireNoEchoRequestFor(const QString& address);

    std::unique_ptr<TestNetwork> network;
    std::unique_ptr<ScriptedProbeService> probe;
    RecordingTonePlayer tones;
    std::unique_ptr<OrienzoWindow> form;
};

void HostileInputTest::initTestCase()
{
    platform::setPauseSpeedup(50);
    network = std::make_unique<TestNetwork>();
}

void HostileInputTest::cleanupTestCase()
{
    network.reset();
    platform::setPauseSpeedup(1);
}

void HostileInputTest::init()
{
    probe = std::make_unique<ScriptedProbeService>();
    form = std::make_unique<OrienzoWindow>(*probe, tones);
    form->show();
}

void HostileInputTest::cleanup()
{
    form.reset();
    probe.reset();
}

void HostileInputTest::octetBoxesKeepThreeCharacters_data()
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

void HostileInputTest::octetBoxesKeepThreeCharacters()
{
    QFETCH(QString, text);
    QFETCH(QString, pasted);
    QFETCH(QString, typed);
    for (const auto& row : {GuidedTargetBoxes, DynamicTargetBoxes}) {
        for (const int index : row) {
            paste(octet(index), text);
            QCOMPARE(octet(index)->text(), pasted);
            type(octet(index), text);
            QCOMPARE(octet(index)->text(), typed);
        }
    }
}

void HostileInputTest::addressGoesToTheProbeAsTyped_data()
{
    QTest::addColumn<bool>("guided");
    QTest::addColumn<QString>("text");  // pasted into all four "IP Receptor" boxes
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("readable");
    const auto row = [](const char* name, const QString& text, const QString& part, bool readable) {
        const QString address = QStringList(4, part).join(u'.');
        for (const bool guided : {true, false})
            QTest::addRow("%s, %s", name, guided ? "guided" : "dynamic") << guided << text << address << readable;
    };
    row("10,000 characters", Sevens, u"777"_s, false);
    row("non-ASCII letters", u"ñÆß"_s, u"ñÆß"_s, false);
    row("Arabic-Indic digits", u"١٢٣"_s, u"١٢٣"_s, false);
    row("emoji", Emoji, HalfEmoji, false);
    row("NUL", u"1"_s + Nul, u"1"_s + Nul, false);
    row("tab first", u"\t12"_s, u"\t12"_s, false);
    // As inet_addr reads it: a blank ends the address, so only the "1" before it counts.
    row("tab inside", u"1\t2"_s, u"1\t2"_s, true);
    row("line feed inside", u"1\n2"_s, u"1\n2"_s, true);
    row("CR LF", u"\r\n5"_s, u"\r\n5"_s, false);
    row("line separator", u"1\u20282"_s, u"1\u20282"_s, false);
    row("1e999", u"1e999"_s, u"1e9"_s, false);
    row("&H", u"&H"_s, u"&H"_s, false);
    row("-", u"-"_s, u"-"_s, false);
    row("only blanks", u"     "_s, u"   "_s, false);
}

void HostileInputTest::addressGoesToTheProbeAsTyped()
{
    QFETCH(bool, guided);
    QFETCH(QString, text);
    QFETCH(QString, address);
    QFETCH(bool, readable);
    for (const int index : guided ? GuidedTargetBoxes : DynamicTargetBoxes)
        paste(octet(index), text);
    guided ? startGuided() : startDynamic();
    QTRY_VERIFY(probe->probeCount() > 0);
    QCOMPARE(probe->addresses().first(), address);
    QCOMPARE(readableAddress(address), readable);
    if (!readable)
        requireNoEchoRequestFor(address);
}

// "CALCULAR", then "ACEPTAR" in the prompt it opens.
void HostileInputTest::startGuided()
{
    QTest::mouseClick(button(form.get(), "Command1"), Qt::LeftButton);
    QWidget* prompt = openWindow(u"Form4"_s);
    QVERIFY(prompt);
    QTest::mouseClick(button(prompt, "Command1"), Qt::LeftButton);
}

// "INICIAR" on its page.
void HostileInputTest::startDynamic()
{
    showPage(*form, 1);
    QTest::mouseClick(button(form.get(), "Command6"), Qt::LeftButton);
}

// The real probe, in the test network where nothing has a route out, should
// it go wrong.
void HostileInputTest::requireNoEchoRequestFor(const QString& address)
{
    if (!network->isReady())
        QSKIP(qPrintable(network->failure()));
    const NamespaceVisit visit(network->proberNamespace());
    QVERIFY(visit.isActive());
    const quint64 sentBefore = echoRequestsSentHere();
    EchoReply reply = UntouchedReply;
    QCOMPARE(EchoProbe(address, reply), -1);
    QCOMPARE(fields(reply), fields(UntouchedReply));
    QCOMPARE(echoRequestsSentHere(), sentBefore);
}

// The down total is entered after an up total of 30 and a down total of 20,
// which give "Arriba", two blanks, 5 and "º".
void HostileInputTest::sumBoxReadsWhatItCan_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Entry>("how");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<QString>("correction");
    QTest::addColumn<int>("downValue");
    const auto row = [](const char* name, const QString& text, std::initializer_list<Entry> hows, quint32 colour,
                        const QString& correction, int downValue) {
        for (const Entry how : hows)
            QTest::addRow("%s, %s", name, entryName(how)) << text << how << colour << correction << downValue;
    };
    const auto both = {Entry::Pasted, Entry::Typed};
    const auto pasted = {Entry::Pasted};
    const auto typed = {Entry::Typed};
    const QString unchanged = u"Arriba  5º"_s;
    const QString downZero = u"Arriba  15º"_s;
    // Past any byte: the arm keeps its colour and the correction stays.
    row("10,000 digits", Sevens, pasted, Untouched, unchanged, 20);
    row("1e999", u"1e999"_s, pasted, Untouched, unchanged, 20);
    row("10,000 hexadecimal digits", u"&H"_s + QString(10'000, u'F'), pasted, Untouched, unchanged, 20);
    row("-1e999", u"-1e999"_s, pasted, Red, unchanged, 20);
    // Typed, the box is read after every key, and what stays is the last
    // total a byte could hold: 77, 1 and the 0 of "-".
    row("7777", u"7777"_s, typed, Red, u"Abajo  23.5º"_s, 77);
    row("1e999", u"1e999"_s, typed, Red, u"Arriba  14.5º"_s, 1);
    row("-1e999", u"-1e999"_s, typed, Red, downZero, 0);
    row("40 and 9,998 letters", FortyThenLetters, pasted, Blue, u"Abajo  5º"_s, 40);
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

void HostileInputTest::sumBoxReadsWhatItCan()
{
    QFETCH(QString, text);
    QFETCH(Entry, how);
    QFETCH(quint32, colour);
    QFETCH(QString, correction);
    QFETCH(int, downValue);
    form->State.GuidedStep = 3;
    paste(sum(0), u"30"_s);
    paste(sum(2), u"20"_s);
    auto* downArm = form->findChild<Shape*>(u"Shape6(3)"_s);
    downArm->setBackColor(Untouched);

    enter(sum(2), text, how);
    QCOMPARE(downArm->backColor(), colour);
    QCOMPARE(box(u"Text14"_s)->text(), correction);
    QCOMPARE(form->State.MinusVValue, downValue);
    QCOMPARE(form->State.PlusVValue, 30);

    // And the box goes on reading what comes next.
    paste(sum(2), u"15"_s);
    QCOMPARE(box(u"Text14"_s)->text(), u"Arriba  7.5º"_s);
}

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
