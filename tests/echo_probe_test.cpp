#include "core/echo_probe.h"
#include "core/threaded_probe_service.h"
#include "network/test_network.h"
#include "platform/echo_helper_launch.h"
#include "platform/echo_wakeup.h"
#include "platform/icmp_packet.h"
#include "platform/icmp_socket.h"
#include "platform/inet_address.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>
#include <array>
#include <linux/securebits.h>
#include <memory>
#include <sys/prctl.h>
#include <thread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {

const QString ResponderProgram = QString::fromUtf8(ECHO_RESPONDER);
const QString Responder = QString::fromLatin1(TestNetwork::ResponderAddress);
const QString SecondResponder = QString::fromLatin1(TestNetwork::SecondResponderAddress);
const std::uint32_t Target = platform::inetAddress(Responder);
const std::uint32_t Prober = platform::inetAddress(QString::fromLatin1(TestNetwork::ProberAddress));
const std::uint32_t Router = platform::inetAddress(u"198.18.0.9"_s);
constexpr std::array<std::uint8_t, 5> Hello{'h', 'e', 'l', 'l', 'o'};
constexpr std::uint16_t OurId = 0x1234;
constexpr std::uint16_t OurSequence = 7;
const platform::OurRequest Ours{Target, OurId, OurSequence, Hello};
const EchoReply Untouched{0x01020304, 77, 55};

auto fields(const EchoReply& reply)
{
    return std::tuple(reply.ReplyAddress, reply.Status, reply.RoundTripTime);
}

Bytes withIpHeader(const Bytes& icmp, std::uint32_t source, std::uint32_t destination)
{
    const auto total = std::uint16_t(20 + icmp.size());
    Bytes packet{0x45, 0, std::uint8_t(total >> 8), std::uint8_t(total), 0, 0, 0, 0, 64, 1, 0, 0};
    for (const std::uint32_t address : {source, destination}) {
        const auto* octets = reinterpret_cast<const std::uint8_t*>(&address);
        packet.insert(packet.end(), octets, octets + 4);
    }
    packet.insert(packet.end(), icmp.begin(), icmp.end());
    return packet;
}

Bytes echo(std::uint8_t type, std::uint16_t id, std::uint16_t sequence, std::span<const std::uint8_t> payload = Hello)
{
    return platform::buildIcmpMessage({type, 0, id, sequence}, payload);
}

Bytes ourReply()
{
    return withIpHeader(echo(platform::IcmpType::EchoReply, OurId, OurSequence), Target, Prober);
}

Bytes requestPacket(std::uint16_t id = OurId, std::uint16_t sequence = OurSequence, std::uint32_t to = Target,
                    std::uint8_t type = platform::IcmpType::EchoRequest)
{
    return withIpHeader(echo(type, id, sequence), Prober, to);
}

Bytes errorQuoting(const Bytes& quoted, std::uint8_t type = platform::IcmpType::DestinationUnreachable)
{
    return withIpHeader(platform::buildIcmpMessage({type, 1, 0, 0}, quoted), Router, Prober);
}

Bytes changed(Bytes packet, std::size_t at, std::uint8_t value)
{
    packet[at] = value;
    return packet;
}

Bytes cut(Bytes packet, std::size_t length)
{
    packet.resize(length);
    return packet;
}

// How a socket hands a message over: a raw socket with the IP header, a ping
// socket without it, a ping socket's error queue as the quoted request alone.
enum class Via { RawSocket, PingSocket, ErrorQueue };

platform::IcmpMatch classify(const Bytes& bytes, Via via, std::uint32_t sender)
{
    const auto queued = via == Via::ErrorQueue ? std::optional(platform::QueuedError{3, 1, Target}) : std::nullopt;
    const platform::ReceivedIcmp message{bytes, sender, via == Via::RawSocket, queued, std::nullopt};
    const auto parsed = platform::parseReceived(message); // refers to the message's bytes
    return parsed ? platform::classifyIcmp(*parsed, sender, Ours) : platform::IcmpMatch::NotOurs;
}

// Programs started from the calling thread gain no capability for being
// started by root, for the guard's lifetime: so the echo helper of the
// build tree, which carries none of its own, is refused a raw socket.
class HelperWithoutPrivilege {
public:
    HelperWithoutPrivilege() { ::prctl(PR_SET_SECUREBITS, m_saved | SECBIT_NOROOT); }
    ~HelperWithoutPrivilege() { ::prctl(PR_SET_SECUREBITS, m_saved); }

private:
    int m_saved = ::prctl(PR_GET_SECUREBITS);
};

// The test thread in the prober's namespace, probing through a ping socket
// or the echo helper, with a responder started.
class ProberSession {
public:
    ProberSession(TestNetwork& network, bool pingSockets, const QStringList& responderArguments)
        : m_started(network.allowPingSockets(pingSockets)
                    && network.startResponder(ResponderProgram, responderArguments)),
          m_visit(network.proberNamespace()),
          m_pingSockets(pingSockets)
    {
    }
    bool isReady() const { return m_started && m_visit.isActive() && platform::IcmpSocket().isOpen() == m_pingSockets; }

private:
    bool m_started;
    NamespaceVisit m_visit;
    bool m_pingSockets;
};

// What the responder does, and what each of the probes made one after another
// must give: a status, and a round trip from fromMs to below belowMs.
struct Exchange {
    QStringList responder;
    int status = EchoStatus::Success;
    int fromMs = 0;
    int belowMs = 5;
    int probes = 1;
    bool pingBeside = false; // a ping with "hello" requests runs beside the probes
};

void addRowForBothSockets(const QString& name, const Exchange& exchange)
{
    for (const bool pingSockets : {false, true})
        QTest::addRow("%s, %s", qPrintable(name), pingSockets ? "ping socket" : "helper") << pingSockets << exchange;
}

// The echo helpers that this process runs, ended but not yet reaped ones too.
int echoHelpersRunning()
{
    int running = 0;
    for (const QFileInfo& task : QDir(u"/proc/self/task"_s).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(task.filePath() + u"/children"_s);
        if (!children.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& child : children.readAll().split(' ')) {
            QFile name(u"/proc/%1/comm"_s.arg(QString::fromLatin1(child)));
            running += name.open(QIODevice::ReadOnly) && name.readAll() == "orienzo-echo\n";
        }
    }
    return running;
}

} // namespace

#define REQUIRE_NETWORK()                                                                                              \
    if (!m_network->isReady())                                                                                         \
    QSKIP(qPrintable(m_network->failure()))

class EchoProbeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { m_network = std::make_unique<TestNetwork>(); }
    void cleanupTestCase() { m_network.reset(); }

    void checksumFollowsRfc1071()
    {
        const Bytes sample{0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7};
        QCOMPARE(platform::internetChecksum(sample), 0x220d);
        QCOMPARE(platform::internetChecksum(platform::buildEchoRequest(OurId, OurSequence, Hello)), 0);
    }

    void classifiesPackets_data()
    {
        QTest::addColumn<Bytes>("packet");
        QTest::addColumn<Via>("via");
        QTest::addColumn<quint32>("sender");
        QTest::addColumn<platform::IcmpMatch>("match");
        const auto row = [](const char* name, const Bytes& packet, platform::IcmpMatch match,
                            std::uint32_t sender = Target,
                            Via via = Via::RawSocket) { QTest::newRow(name) << packet << via << sender << match; };
        using enum platform::IcmpMatch;
        const Bytes hellO{'h', 'e', 'l', 'l', 'O'};
        const Bytes longer{'h', 'e', 'l', 'l', 'o', '!'};
        const Bytes ourRequest = echo(platform::IcmpType::EchoRequest, OurId, OurSequence);
        row("our reply", ourReply(), OurEchoReply);
        row("our reply from a ping socket", echo(0, OurId, OurSequence), OurEchoReply, Target, Via::PingSocket);
        row("reply from another host", ourReply(), NotOurs, Router);
        row("other identifier", withIpHeader(echo(0, OurId + 1, OurSequence), Target, Prober), NotOurs);
        row("previous sequence", withIpHeader(echo(0, OurId, OurSequence - 1), Target, Prober), NotOurs);
        row("other payload", withIpHeader(echo(0, OurId, OurSequence, hellO), Target, Prober), NotOurs);
        row("longer payload", withIpHeader(echo(0, OurId, OurSequence, longer), Target, Prober), NotOurs);
        row("echo request", requestPacket(OurId, OurSequence, Prober), NotOurs);
        row("bad checksum", changed(ourReply(), 22, ourReply()[22] ^ 1), NotOurs);
        row("header length below 20", changed(ourReply(), 0, 0x44), NotOurs);
        row("header length past the end", changed(ourReply(), 0, 0x4F), NotOurs);
        row("IPv6", changed(ourReply(), 0, 0x65), NotOurs);
        row("UDP", changed(ourReply(), 9, 17), NotOurs);
        row("total length past the end", changed(ourReply(), 3, 200), NotOurs);
        row("fragment", changed(ourReply(), 6, 0x20), NotOurs);
        row("unreachable quoting ours", errorQuoting(requestPacket()), OurError, Router);
        row("time exceeded quoting ours", errorQuoting(requestPacket(), 11), OurError, Router);
        row("redirect quoting ours", errorQuoting(requestPacket(), 5), NotOurs, Router);
        row("error quoting other identifier", errorQuoting(requestPacket(OurId + 1)), NotOurs, Router);
        row("error quoting other sequence", errorQuoting(requestPacket(OurId, 1)), NotOurs, Router);
        row("error quoting other host", errorQuoting(requestPacket(OurId, OurSequence, Router)), NotOurs, Router);
        row("error quoting a reply", errorQuoting(requestPacket(OurId, OurSequence, Target, 0)), NotOurs, Router);
        row("error quote cut short", errorQuoting(cut(requestPacket(), 24)), NotOurs, Router);
        row("queued error quoting ours", ourRequest, OurError, Router, Via::ErrorQueue);
        row("queued error quoting other sequence", echo(platform::IcmpType::EchoRequest, OurId, 1), NotOurs, Router,
            Via::ErrorQueue);
        row("queued error cut short", cut(ourRequest, 7), NotOurs, Router, Via::ErrorQueue);
    }

    void classifiesPackets()
    {
        QFETCH(Bytes, packet);
        QFETCH(Via, via);
        QFETCH(quint32, sender);
        QTEST(classify(packet, via, sender), "match");
    }

    void survivesArbitraryBytes()
    {
        for (const Bytes& whole : {ourReply(), errorQuoting(requestPacket())}) {
            for (std::size_t length = 0; length < whole.size(); ++length) {
                QCOMPARE(classify(cut(whole, length), Via::RawSocket, Router), platform::IcmpMatch::NotOurs);
                if (length >= 20)
                    QCOMPARE(classify(Bytes(whole.begin() + 20, whole.begin() + length), Via::PingSocket, Router),
                             platform::IcmpMatch::NotOurs);
            }
        }
        auto* random = QRandomGenerator::global();
        for (int round = 0; round < 20000; ++round) {
            Bytes noise(random->bounded(80));
            std::ranges::generate(noise, [&] { return std::uint8_t(random->bounded(256)); });
            if (!noise.empty())
                noise[0] = 0x45 + (round % 3);
            QCOMPARE(classify(noise, round % 2 == 0 ? Via::RawSocket : Via::PingSocket, Target),
                     platform::IcmpMatch::NotOurs);
        }
    }

    // Usable addresses lie on the prober's loopback, which answers at once;
    // the others must give -1 and send nothing.
    void readsAddressesAsInetAddr_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("address");
        QTest::newRow("dotted") << u"127.0.0.1"_s << 0x7f000001u;
        QTest::newRow("octal") << u"0177.0.0.010"_s << 0x7f000008u;
        QTest::newRow("short form") << u"127.1"_s << 0x7f000001u;
        QTest::newRow("hex") << u"0x7f.0.0.2"_s << 0x7f000002u;
        QTest::newRow("three parts") << u"127.1.3"_s << 0x7f010003u;
        QTest::newRow("text after a space") << u"127.0.0.1 junk"_s << 0x7f000001u;
        QTest::newRow("any") << u"0.0.0.0"_s << 0u;
        QTest::newRow("zero in hex") << u"0x0"_s << 0u;
        QTest::newRow("broadcast") << u"255.255.255.255"_s << platform::InetAddressNone;
        QTest::newRow("empty part") << u"192.168..1"_s << platform::InetAddressNone;
        QTest::newRow("part above 255") << u"192.168.1.300"_s << platform::InetAddressNone;
        QTest::newRow("empty") << QString() << platform::InetAddressNone;
        QTest::newRow("NUL inside") << u"127.0.0.1\0junk"_s << platform::InetAddressNone;
        QTest::newRow("beyond Latin-1") << u"127.0.0.١"_s << platform::InetAddressNone;
    }

    void readsAddressesAsInetAddr()
    {
        QFETCH(QString, text);
        QFETCH(quint32, address);
        QCOMPARE(qFromBigEndian(platform::inetAddress(text)), address);
        REQUIRE_NETWORK();
        const ProberSession session(*m_network, false, {});
        QVERIFY(session.isReady());
        const bool usable = address != 0 && address != platform::InetAddressNone;
        const quint64 sentBefore = echoRequestsSentHere();
        EchoReply reply = Untouched;
        QCOMPARE(EchoProbe(text, reply), usable ? EchoStatus::Success : -1);
        QCOMPARE(echoRequestsSentHere(), sentBefore + usable);
        const EchoReply answered{qToBigEndian(address), EchoStatus::Success, reply.RoundTripTime};
        QCOMPARE(fields(reply), fields(usable ? answered : Untouched));
        QVERIFY(!usable || reply.RoundTripTime < 5);
    }

    // The helper takes no argument, and its requests only as the program
    // writes them, one a line; it answers each in turn until the end of its
    // input, and refuses anything else with its reason, sending nothing more.
    void helperReadsRequestsStrictly_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("answered"); // before it ends or refuses
        QTest::addColumn<bool>("refused");
        const QByteArray first = Responder.toLatin1() + " 7\n";
        const auto bad = [&](const char* name, const QByteArray& line) {
            QTest::newRow(name) << QStringList() << first + line << 1 << true;
        };
        QTest::newRow("as the program writes them") << QStringList() << first + "198.18.0.2 65535\n" << 2 << false;
        QTest::newRow("nothing") << QStringList() << QByteArray() << 0 << false;
        QTest::newRow("an argument") << QStringList{Responder} << first << 0 << true;
        bad("empty line", "\n");
        bad("cut short by the end", "198.18.0.2 8");
        bad("longer than any request", "198.18.0.2 65535      \n");
        bad("no sequence", "198.18.0.2\n");
        bad("two spaces", "198.18.0.2  8\n");
        bad("one field too many", "198.18.0.2 8 8\n");
        bad("three octets", "198.18.2 8\n");
        bad("five octets", "198.18.0.2.1 8\n");
        bad("empty octet", "198.18..2 8\n");
        bad("octet above 255", "198.18.0.256 8\n");
        bad("leading zero", "198.18.0.02 8\n");
        bad("hex", "0xc6.18.0.2 8\n");
        bad("sign", "+198.18.0.2 8\n");
        bad("carriage return", "198.18.0.2 8\r\n");
        bad("NUL", QByteArray("198.18.0.2 8\0\n", 14));
        bad("other digits", "198.18.0.\xd9\xa2 8\n");
        bad("any", "0.0.0.0 8\n");
        bad("broadcast", "255.255.255.255 8\n");
        bad("sequence above 65535", "198.18.0.2 65536\n");
        bad("negative sequence", "198.18.0.2 -1\n");
        bad("sequence with leading zero", "198.18.0.2 08\n");
        bad("sequence in hex", "198.18.0.2 0x8\n");
    }

    void helperReadsRequestsStrictly()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, answered);
        QFETCH(bool, refused);
        if (arguments.isEmpty()) {
            const QList<QByteArray> lines = input.split('\n'); // the last one unended
            int accepted = 0;
            while (accepted + 1 < lines.size()
                   && std::holds_alternative<platform::EchoHelperRequest>(
                       platform::readEchoRequestLine(lines[accepted].toStdString())))
                ++accepted;
            QCOMPARE(accepted, answered);
        }
        REQUIRE_NETWORK();
        const ProberSession session(*m_network, false, {});
        QVERIFY(session.isReady());
        const quint64 sentBefore = echoRequestsSentHere();
        QProcess helper;
        helper.start(platform::echoHelperPath(), arguments);
        helper.write(input);
        helper.closeWriteChannel();
        QVERIFY(helper.waitForFinished());
        QCOMPARE(helper.exitCode(), refused ? 2 : 0);
        QCOMPARE(helper.readAllStandardError().startsWith("orienzo-echo: "), refused);
        QCOMPARE(helper.readAllStandardOutput().count(" 198.18.0.2\n"), answered); // the responder's replies
        QCOMPARE(echoRequestsSentHere(), sentBefore + answered);
    }

    void measuresAnswers_data()
    {
        QTest::addColumn<bool>("pingSockets");
        QTest::addColumn<Exchange>("exchange");
        const int timedOut = EchoStatus::TimedOut;
        const auto after = [](int ms, QStringList more = {}) { return more << u"--delay-ms"_s << QString::number(ms); };
        // A round trip is read off the kernel's arrival stamp, so a reply later
        // than the responder's delay was late on the path, which a busy
        // machine's namespaces sometimes are by a few ms.
        addRowForBothSockets(u"at once"_s, {after(0)});
        addRowForBothSockets(u"after 30 ms"_s, {after(30), 0, 30, 40});
        addRowForBothSockets(u"after 120 ms"_s, {after(120), 0, 120, 130});
        addRowForBothSockets(u"silent"_s, {{u"--silent"_s}, timedOut, 1000, 1100});
        addRowForBothSockets(u"only decoys"_s, {{u"--decoys"_s, u"--silent"_s}, timedOut, 1000, 1100});
        addRowForBothSockets(u"decoys first"_s, {after(30, {u"--decoys"_s}), 0, 30, 40});
        QStringList everyMisfit{u"--second-address"_s, SecondResponder};
        for (const QString& misfit :
             {u"short-payload"_s, u"no-payload"_s, u"cut-header"_s, u"long-payload"_s, u"huge"_s, u"other-source"_s,
              u"error-other-destination"_s, u"error-other-protocol"_s, u"error-cut-short"_s}) {
            const QStringList decoy{u"--decoy"_s, misfit, u"--second-address"_s, SecondResponder};
            addRowForBothSockets(misfit + u" first"_s, {after(30, decoy), 0, 30, 40});
            everyMisfit << u"--decoy"_s << misfit;
        }
        addRowForBothSockets(u"only misfits"_s, {everyMisfit << u"--silent"_s, timedOut, 1000, 1100});
        // Look-alikes from every processor but one, faster than they can be
        // read, and for longer than the timeout.
        addRowForBothSockets(
            u"flooded"_s,
            {{u"--decoy"_s, u"long-payload"_s, u"--flood-ms"_s, u"1500"_s, u"--silent"_s}, timedOut, 1000, 1100});
        addRowForBothSockets(u"host unreachable"_s, {{u"--error"_s, u"3:1"_s}, EchoStatus::DestinationHostUnreachable});
        addRowForBothSockets(u"port unreachable"_s, {{u"--error"_s, u"3:3"_s}, EchoStatus::DestinationPortUnreachable});
        addRowForBothSockets(u"time exceeded"_s, {{u"--error"_s, u"11:0"_s}, EchoStatus::TtlExpiredTransit});
        // Replies meant for another probe: the first comes 200 ms into the
        // second probe; each copy 15 ms into the next probe; the ping's all along.
        addRowForBothSockets(u"late replies"_s, {after(1200), timedOut, 1000, 1100, 2});
        addRowForBothSockets(u"duplicate replies"_s, {after(30, {u"--duplicate-ms"_s, u"15"_s}), 0, 30, 40, 2});
        addRowForBothSockets(u"ping beside"_s, {after(30), 0, 30, 40, 2, true});
    }

    void measuresAnswers()
    {
        QFETCH(bool, pingSockets);
        QFETCH(Exchange, exchange);
        REQUIRE_NETWORK();
        const ProberSession session(*m_network, pingSockets, exchange.responder);
        QVERIFY(session.isReady());
        QProcess ping;
        if (exchange.pingBeside) {
            ping.start(u"ip"_s, {u"netns"_s, u"exec"_s, m_network->proberNamespace(), u"ping"_s, u"-q"_s, u"-i"_s,
                                 u"0.005"_s, u"-w"_s, u"5"_s, u"-s"_s, u"5"_s, u"-p"_s, u"68656c6c6f"_s, Responder});
            QVERIFY(ping.waitForStarted());
            QTest::qWait(100);
        }
        platform::EchoHelper helper; // one for the probes of the row, as for an alignment's
        for (int probe = 0; probe < exchange.probes; ++probe) {
            const quint64 sentBefore = echoRequestsSentHere();
            EchoReply reply = Untouched;
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(EchoProbe(Responder, reply, nullptr, &helper), exchange.status);
            // Waits for the answer, and not a moment past it.
            QVERIFY(timer.elapsed() >= exchange.fromMs && timer.elapsed() < exchange.belowMs + 100);
            if (!exchange.pingBeside)
                QCOMPARE(echoRequestsSentHere(), sentBefore + 1);
            QCOMPARE(reply.Status, exchange.status);
            QVERIFY2(reply.RoundTripTime >= exchange.fromMs && reply.RoundTripTime < exchange.belowMs,
                     qPrintable(QString::number(reply.RoundTripTime)));
            QCOMPARE(reply.ReplyAddress, exchange.status == EchoStatus::TimedOut ? 0 : Target);
        }
        QCOMPARE(ping.state() == QProcess::Running, exchange.pingBeside); // and so pinged throughout
        ping.kill();
        ping.waitForFinished();
    }

    void wakeupCutsWaitShort()
    {
        REQUIRE_NETWORK();
        const ProberSession session(*m_network, false, {u"--silent"_s});
        QVERIFY(session.isReady());
        platform::EchoWakeup wakeup;
        const std::jthread waker([&wakeup] {
            std::this_thread::sleep_for(100ms);
            wakeup.wake();
        });
        // Woken 100 ms into the first wait; the second finds it woken already.
        for (const qint64 withinMs : {150, 50}) {
            QElapsedTimer timer;
            timer.start();
            EchoReply reply;
            QCOMPARE(EchoProbe(Responder, reply, &wakeup), EchoStatus::TimedOut);
            QVERIFY2(timer.elapsed() < withinMs, qPrintable(QString::number(timer.elapsed())));
        }
    }

    // With neither a ping socket nor a helper that may open a raw socket, the
    // user is told the remedies, none of them a privilege for this program;
    // a probe sends nothing, and says why too.
    void startupNamesRemediesWhenNoSocketOpens()
    {
        REQUIRE_NETWORK();
        const ProberSession session(*m_network, false, {});
        QVERIFY(session.isReady());
        QVERIFY2(SocketsStartup(), "root starts the helper with every capability");
        const HelperWithoutPrivilege unprivileged;
        QVERIFY(!SocketsStartup());
        const QString failure = SocketsStartupFailure();
        QVERIFY(failure.contains(u"sudo setcap cap_net_raw=p '%1'"_s.arg(platform::echoHelperPath())));
        QVERIFY(failure.contains(u"sudo sysctl -w net.ipv4.ping_group_range=\"0 2147483647\""_s));
        QVERIFY(!failure.contains(QCoreApplication::applicationFilePath()));

        QVERIFY(m_network->allowPingSockets(true));
        QVERIFY(SocketsStartup());
        QVERIFY(SocketsStartupFailure().isEmpty());
        QVERIFY(m_network->allowPingSockets(false));
        const quint64 sentBefore = echoRequestsSentHere();
        EchoReply reply = Untouched;
        QCOMPARE(EchoProbe(u"127.0.0.1"_s, reply), -1);
        QCOMPARE(fields(reply), fields(Untouched));
        QCOMPARE(echoRequestsSentHere(), sentBefore);
        QCOMPARE(SocketsStartupFailure(), failure);
    }

    // Answers only receivers still alive, on the UI thread. One echo helper
    // serves the probes of an alignment; its end ends the helper once the
    // probe out has answered, with its true outcome. Closing ends the service
    // at once in the middle of a probe, and that answer never comes.
    void serviceAnswersOnUiThreadAndClosesAtOnce()
    {
        REQUIRE_NETWORK();
        const ProberSession session(*m_network, false, {u"--delay-ms"_s, u"200"_s});
        QVERIFY(session.isReady());
        auto service = std::make_unique<ThreadedProbeService>();
        auto gone = std::make_unique<QObject>();
        QObject receiver;
        QStringList calls;
        service->echoProbe(u"127.0.0.1"_s, {}, gone.get(), [&](qint32, const EchoReply&) { calls << u"gone"_s; });
        gone.reset();
        service->echoProbe(u"127.0.0.1"_s, Untouched, &receiver, [&](qint32 status, const EchoReply& reply) {
            calls << u"live %1"_s.arg(status);
            QCOMPARE(QThread::currentThread(), thread());
            QCOMPARE(reply.ReplyAddress, platform::inetAddress(u"127.0.0.1"_s));
        });
        QTRY_COMPARE(calls, QStringList{u"live 0"_s});
        QCOMPARE(echoHelpersRunning(), 1);

        service->echoProbe(Responder, {}, &receiver, [&](qint32 status, const EchoReply& reply) {
            calls << u"delayed %1"_s.arg(status);
            QVERIFY(reply.RoundTripTime >= 200);
        });
        service->alignmentEnded();
        QTRY_COMPARE(calls, QStringList({u"live 0"_s, u"delayed 0"_s}));
        QTRY_COMPARE(echoHelpersRunning(), 0);

        service->echoProbe(Responder, {}, &receiver, [&](qint32, const EchoReply&) { calls << u"cut short"_s; });
        QTest::qWait(50);
        QElapsedTimer timer;
        timer.start();
        service.reset();
        QVERIFY(timer.elapsed() < 50);
        QTest::qWait(10);
        QCOMPARE(calls.size(), 2);
        QCOMPARE(echoHelpersRunning(), 0);
    }

private:
    std::unique_ptr<TestNetwork> m_network;
};

QTEST_GUILESS_MAIN(EchoProbeTest)
#include "echo_probe_test.moc"
