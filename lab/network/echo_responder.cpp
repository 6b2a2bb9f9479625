// Answers ICMP echo requests for the probe tests, inside a network namespace
// of their own where the kernel's answers are off. Prints "ready" once it
// listens and ends by itself after its lifetime.
//
//   echo_responder [--delay-ms N] [--silent] [--decoys] [--decoy KIND]... [--second-address A]
//                  [--flood-ms N] [--duplicate-ms N] [--error TYPE:CODE] [--lifetime-s N]
//
// --delay-ms       answer each request N ms after it came (default 0)
// --silent         never answer
// --decoys         at once, send messages that look like the answer but are
//                  not ours: other identifier, sequence, payload or type, a
//                  broken checksum, and errors quoting other requests
// --decoy          at once, send this one look-alike (the kinds are listed in
//                  decoyKinds()); may be given more than once
// --second-address another address of this namespace, which the look-alike
//                  "other-source" comes from
// --flood-ms       send the look-alikes over and over, for N ms after each
//                  request, as fast as every processor but one can
// --duplicate-ms   send each answer a second time, N ms after the first
// --error          answer with this ICMP error quoting the request instead
// --lifetime-s     end after N seconds (default 60)

#include "platform/icmp_packet.h"
#include "platform/inet_address.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::uint8_t UdpProtocol = 17;
constexpr std::size_t IpProtocolOffset = 9;
constexpr std::size_t IpDestinationOffset = 16;
constexpr std::size_t LongPayloadSize = 1000;  // still one frame on the test network
constexpr std::size_t HugeMessageSize = 60000; // longer than a prober's receive buffer
constexpr unsigned FloodBatch = 256;           // messages per system call

struct Options {
    std::chrono::milliseconds delay{0};
    std::chrono::seconds lifetime{60};
    bool silent = false;
    QStringList decoys;
    std::optional<std::uint32_t> secondAddress;
    std::chrono::milliseconds flood{0};
    std::optional<std::chrono::milliseconds> duplicateAfter;
    std::optional<platform::IcmpHeader> error;
};

struct Request {
    Bytes packet; // as received, IP header included
    platform::IcmpHeader header;
    Bytes payload;
    sockaddr_in sender;
};

struct Sockets {
    int own = -1;
    int second = -1; // bound to the second address, if any
};

struct Outgoing {
    Bytes message;
    sockaddr_in to;
};

using Schedule = std::multimap<Clock::time_point, Outgoing>;

// The true answer with one thing changed by `change`.
template <typename Change>
Bytes answerWith(const Request& request, Change change)
{
    platform::IcmpHeader header{platform::IcmpType::EchoReply, 0, request.header.identifier, request.header.sequence};
    Bytes payload = request.payload;
    change(header, payload);
    return platform::buildIcmpMessage(header, payload);
}

Bytes echoReply(const Request& request)
{
    return answerWith(request, [](platform::IcmpHeader&, Bytes&) {});
}

// The answer with its payload replaced by the first `size` bytes of "hello"
// followed by filler.
Bytes answerOfPayloadSize(const Request& request, std::size_t size)
{
    return answerWith(request, [size](platform::IcmpHeader&, Bytes& payload) { payload.resize(size, 'x'); });
}

// The first bytes of the answer, with a checksum that is right for them.
Bytes answerCutTo(const Request& request, std::size_t size)
{
    Bytes message = echoReply(request);
    message.resize(size);
    message[2] = message[3] = 0;
    const std::uint16_t checksum = platform::internetChecksum(message);
    message[2] = static_cast<std::uint8_t>(checksum >> 8);
    message[3] = static_cast<std::uint8_t>(checksum);
    return message;
}

// An error quoting a packet, as routers do: its IP header and at least the
// first eight bytes that follow.
Bytes errorQuoting(const platform::IcmpHeader& error, const Bytes& quoted)
{
    return platform::buildIcmpMessage({error.type, error.code, 0, 0}, quoted);
}

std::size_t ipHeaderLength(const Bytes& packet)
{
    return (packet[0] & 0x0Fu) * 4u;
}

Bytes changedAt(Bytes packet, std::size_t at, std::uint8_t value)
{
    packet[at] = value;
    return packet;
}

// The request as an error would quote it, with one byte inverted.
Bytes requestInvertedAt(const Request& request, std::size_t at)
{
    return changedAt(request.packet, at, request.packet[at] ^ 0xFF);
}

Bytes unreachableQuoting(const Bytes& quoted)
{
    return errorQuoting({platform::IcmpType::DestinationUnreachable, 1}, quoted);
}

struct DecoyKind {
    Bytes (*make)(const Request&);
    bool fromSecondAddress = false;
};

// The look-alikes, by the name --decoy takes.
const std::map<QString, DecoyKind>& decoyKinds()
{
    using Header = platform::IcmpHeader;
    static const std::map<QString, DecoyKind> kinds{
        {u"other-identifier"_s,
         {[](const Request& r) { return answerWith(r, [](Header& h, Bytes&) { ++h.identifier; }); }}},
        {u"other-sequence"_s,
         {[](const Request& r) { return answerWith(r, [](Header& h, Bytes&) { ++h.sequence; }); }}},
        {u"extra-payload-byte"_s, {[](const Request& r) { return answerOfPayloadSize(r, r.payload.size() + 1); }}},
        {u"echo-request"_s, {[](const Request& r) {
             return answerWith(r, [](Header& h, Bytes&) { h.type = platform::IcmpType::EchoRequest; });
         }}},
        {u"bad-checksum"_s, {[](const Request& r) { return changedAt(echoReply(r), 2, echoReply(r)[2] ^ 0x01); }}},
        {u"error-other-identifier"_s,
         {[](const Request& r) { return unreachableQuoting(requestInvertedAt(r, ipHeaderLength(r.packet) + 4)); }}},
        {u"error-other-sequence"_s,
         {[](const Request& r) { return unreachableQuoting(requestInvertedAt(r, ipHeaderLength(r.packet) + 6)); }}},
        {u"short-payload"_s, {[](const Request& r) { return answerOfPayloadSize(r, 3); }}},
        {u"no-payload"_s, {[](const Request& r) { return answerOfPayloadSize(r, 0); }}},
        {u"cut-header"_s, {[](const Request& r) { return answerCutTo(r, 6); }}},
        {u"long-payload"_s, {[](const Request& r) { return answerOfPayloadSize(r, LongPayloadSize); }}},
        {u"huge"_s,
         {[](const Request& r) { return answerOfPayloadSize(r, HugeMessageSize - platform::IcmpHeaderSize); }}},
        {u"other-source"_s, {echoReply, true}},
        {u"error-other-destination"_s,
         {[](const Request& r) { return unreachableQuoting(requestInvertedAt(r, IpDestinationOffset + 3)); }}},
        {u"error-other-protocol"_s,
         {[](const Request& r) { return unreachableQuoting(changedAt(r.packet, IpProtocolOffset, UdpProtocol)); }}},
        {u"error-cut-short"_s, {[](const Request& r) {
             return unreachableQuoting(Bytes(r.packet.begin(), r.packet.begin() + ipHeaderLength(r.packet) + 4));
         }}},
    };
    return kinds;
}

const QStringList ClassicDecoys{u"other-identifier"_s,    u"other-sequence"_s, u"extra-payload-byte"_s,
                                u"echo-request"_s,        u"bad-checksum"_s,   u"error-other-identifier"_s,
                                u"error-other-sequence"_s};

std::optional<platform::IcmpHeader> parseError(const QString& text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() != 2)
        return std::nullopt;
    return platform::IcmpHeader{static_cast<std::uint8_t>(parts[0].toUInt()),
                                static_cast<std::uint8_t>(parts[1].toUInt())};
}

std::chrono::milliseconds milliseconds(const QString& text)
{
    return std::chrono::milliseconds(text.toInt());
}

template <typename T>
std::optional<T> valueIfSet(const QCommandLineParser& parser, const QString& name, T (*read)(const QString&))
{
    return parser.isSet(name) ? std::optional(read(parser.value(name))) : std::nullopt;
}

Options parseOptions(const QCoreApplication& application)
{
    QCommandLineParser parser;
    parser.addOptions({{u"delay-ms"_s, u"Delay before answering."_s, u"ms"_s, u"0"_s},
                       {u"lifetime-s"_s, u"Seconds before ending."_s, u"s"_s, u"60"_s},
                       {u"silent"_s, u"Never answer."_s},
                       {u"decoys"_s, u"Send the classic look-alike messages first."_s},
                       {u"decoy"_s, u"Send this look-alike first."_s, u"kind"_s},
                       {u"second-address"_s, u"Another address of this namespace."_s, u"address"_s},
                       {u"flood-ms"_s, u"Send the look-alikes over and over for this long."_s, u"ms"_s, u"0"_s},
                       {u"duplicate-ms"_s, u"Send each answer again after this delay."_s, u"ms"_s},
                       {u"error"_s, u"Answer with this ICMP error."_s, u"type:code"_s}});
    parser.process(application);
    Options options{milliseconds(parser.value(u"delay-ms"_s)),
                    std::chrono::seconds(parser.value(u"lifetime-s"_s).toInt()),
                    parser.isSet(u"silent"_s),
                    parser.values(u"decoy"_s),
                    valueIfSet<std::uint32_t>(parser, u"second-address"_s, platform::inetAddress),
                    milliseconds(parser.value(u"flood-ms"_s)),
                    valueIfSet<std::chrono::milliseconds>(parser, u"duplicate-ms"_s, milliseconds),
                    parser.isSet(u"error"_s) ? parseError(parser.value(u"error"_s)) : std::nullopt};
    if (parser.isSet(u"decoys"_s))
        options.decoys += ClassicDecoys;
    return options;
}

// Why the options cannot be followed, or nothing when they can.
std::optional<QString> optionsFault(const Options& options)
{
    for (const QString& decoy : options.decoys) {
        const auto kind = decoyKinds().find(decoy);
        if (kind == decoyKinds().end())
            return u"unknown decoy "_s + decoy;
        if (kind->second.fromSecondAddress && !options.secondAddress)
            return decoy + u" needs --second-address"_s;
    }
    return std::nullopt;
}

std::optional<Request> readRequest(int socket)
{
    Bytes packet(65536);
    sockaddr_in sender{};
    socklen_t senderLength = sizeof sender;
    const ssize_t length =
        ::recvfrom(socket, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&sender), &senderLength);
    if (length <= 0)
        return std::nullopt;
    packet.resize(static_cast<std::size_t>(length));
    const auto parsed = platform::parseIcmpPacket(packet, true);
    if (!parsed || !parsed->checksumValid || parsed->header.type != platform::IcmpType::EchoRequest)
        return std::nullopt;
    return Request{packet, parsed->header, Bytes(parsed->body.begin(), parsed->body.end()), sender};
}

void sendTo(int socket, const Bytes& message, const sockaddr_in& to)
{
    ::sendto(socket, message.data(), message.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

using Decoys = std::vector<std::pair<int, Bytes>>; // socket to send on, message

Decoys decoysFor(const Sockets& sockets, const Options& options, const Request& request)
{
    Decoys decoys;
    for (const QString& name : options.decoys) {
        const DecoyKind& kind = decoyKinds().at(name);
        decoys.emplace_back(kind.fromSecondAddress ? sockets.second : sockets.own, kind.make(request));
    }
    return decoys;
}

// Each decoy many times over in one call, on every processor but one, so
// that they come faster than the prober can read them; the one left keeps
// the prober's own deadline a matter of the program, not of a starved machine.
void flood(const Decoys& decoys, sockaddr_in to, Clock::time_point end)
{
    const auto sendUntilEnd = [&] {
        std::vector<iovec> data;
        for (const auto& decoy : decoys)
            data.push_back({const_cast<std::uint8_t*>(decoy.second.data()), decoy.second.size()});
        while (Clock::now() < end) {
            for (std::size_t at = 0; at < decoys.size(); ++at) {
                std::vector<mmsghdr> batch(FloodBatch, {{&to, sizeof to, &data[at], 1, nullptr, 0, 0}, 0});
                ::sendmmsg(decoys[at].first, batch.data(), FloodBatch, 0);
            }
        }
    };
    std::vector<std::jthread> senders(std::max(2u, std::thread::hardware_concurrency()) - 1);
    for (std::jthread& sender : senders)
        sender = std::jthread(sendUntilEnd);
}

void sendDecoys(const Sockets& sockets, const Options& options, const Request& request)
{
    const Decoys decoys = decoysFor(sockets, options, request);
    if (options.flood.count() > 0) {
        flood(decoys, request.sender, Clock::now() + options.flood);
        return;
    }
    for (const auto& [socket, decoy] : decoys)
        sendTo(socket, decoy, request.sender);
}

void answer(const Sockets& sockets, const Options& options, const Request& request, Schedule& scheduled)
{
    // The delay runs from the request, however long the decoys take to send.
    const auto due = Clock::now() + options.delay;
    sendDecoys(sockets, options, request);
    if (options.silent)
        return;
    const Outgoing outgoing{options.error ? errorQuoting(*options.error, request.packet) : echoReply(request),
                            request.sender};
    scheduled.emplace(due, outgoing);
    if (options.duplicateAfter)
        scheduled.emplace(due + *options.duplicateAfter, outgoing);
}

void sendDue(int socket, Schedule& scheduled)
{
    while (!scheduled.empty() && scheduled.begin()->first <= Clock::now()) {
        sendTo(socket, scheduled.begin()->second.message, scheduled.begin()->second.to);
        scheduled.erase(scheduled.begin());
    }
}

// Real-time scheduling keeps the delays exact on a busy machine; without the
// right to it the responder runs all the same.
void askForRealTimeScheduling()
{
    const sched_param priority{10};
    ::sched_setscheduler(0, SCHED_FIFO, &priority);
}

int msUntil(Clock::time_point moment)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(moment - Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

int rawSocket()
{
    return ::socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
}

// Messages sent on a raw socket bound to an address leave from it.
int rawSocketBoundTo(std::uint32_t address)
{
    const int socket = rawSocket();
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = address;
    if (socket >= 0 && ::bind(socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) < 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

std::optional<Sockets> openSockets(const Options& options)
{
    Sockets sockets{rawSocket(), options.secondAddress ? rawSocketBoundTo(*options.secondAddress) : -1};
    if (sockets.own >= 0 && (sockets.second >= 0 || !options.secondAddress))
        return sockets;
    std::perror("echo_responder: raw socket");
    return std::nullopt;
}

void serve(const Sockets& sockets, const Options& options)
{
    const auto end = Clock::now() + options.lifetime;
    Schedule scheduled;
    while (Clock::now() < end) {
        pollfd watched{sockets.own, POLLIN, 0};
        if (::poll(&watched, 1, msUntil(scheduled.empty() ? end : std::min(end, scheduled.begin()->first))) > 0) {
            if (const auto request = readRequest(sockets.own))
                answer(sockets, options, *request, scheduled);
        }
        sendDue(sockets.own, scheduled);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    const Options options = parseOptions(application);
    if (const auto fault = optionsFault(options)) {
        std::fprintf(stderr, "echo_responder: %s\n", qPrintable(*fault));
        return 2;
    }
    const auto sockets = openSockets(options);
    if (!sockets)
        return 1;
    askForRealTimeScheduling();
    std::puts("ready");
    std::fflush(stdout);
    serve(*sockets, options);
    ::close(sockets->own);
    if (sockets->second >= 0)
        ::close(sockets->second);
    return 0;
}
