// Answers ICMP echo requests for the probe tests, inside a network namespace
// of their own where the kernel's answers are off. Prints "ready" once it
// listens and ends by itself after its lifetime.
//
//   echo_responder [--delay-ms N] [--silent] [--decoys] [--error TYPE:CODE] [--lifetime-s N]
//
// --delay-ms   answer each request N ms after it came (default 0)
// --silent     never answer
// --decoys     at once, send messages that look like the answer but are not
//              ours: other identifier, sequence, payload or type, a broken
//              checksum, and errors quoting other requests
// --error      answer with this ICMP error quoting the request instead
// --lifetime-s end after N seconds (default 60)

#include "platform/icmp_packet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

namespace {

struct Options {
    std::chrono::milliseconds delay{0};
    std::chrono::seconds lifetime{60};
    bool silent = false;
    bool decoys = false;
    std::optional<platform::IcmpHeader> error;
};

struct Request {
    Bytes packet;  // as received, IP header included
    platform::IcmpHeader header;
    Bytes payload;
    sockaddr_in sender;
};

struct Scheduled {
    Clock::time_point due;
    Bytes message;
    sockaddr_in to;
};

std::optional<platform::IcmpHeader> parseError(const QString& text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() != 2)
        return std::nullopt;
    return platform::IcmpHeader{static_cast<std::uint8_t>(parts[0].toUInt()),
                                static_cast<std::uint8_t>(parts[1].toUInt())};
}

Options parseOptions(const QCoreApplication& application)
{
    QCommandLineParser parser;
    parser.addOptions({{u"delay-ms"_s, u"Delay before answering."_s, u"ms"_s, u"0"_s},
                       {u"lifetime-s"_s, u"Seconds before ending."_s, u"s"_s, u"60"_s},
                       {u"silent"_s, u"Never answer."_s},
                       {u"decoys"_s, u"Send look-alike messages first."_s},
                       {u"error"_s, u"Answer with this ICMP error."_s, u"type:code"_s}});
    parser.process(application);
    return {std::chrono::milliseconds(parser.value(u"delay-ms"_s).toInt()),
            std::chrono::seconds(parser.value(u"lifetime-s"_s).toInt()), parser.isSet(u"silent"_s),
            parser.isSet(u"decoys"_s), parser.isSet(u"error"_s) ? parseError(parser.value(u"error"_s)) : std::nullopt};
}

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

// An error quoting the request, as routers do: its IP header and at least
// the first eight bytes that follow.
Bytes errorQuoting(const platform::IcmpHeader& error, const Bytes& quoted)
{
    return platform::buildIcmpMessage({error.type, error.code, 0, 0}, quoted);
}

Bytes withQuotedField(const Request& request, std::size_t offsetInIcmp)
{
    Bytes quoted = request.packet;
    const std::size_t ipHeaderLength = (quoted[0] & 0x0Fu) * 4u;
    quoted[ipHeaderLength + offsetInIcmp] ^= 0xFF;
    return quoted;
}

std::vector<Bytes> decoysFor(const Request& request)
{
    using Header = platform::IcmpHeader;
    constexpr Header hostUnreachable{platform::IcmpType::DestinationUnreachable, 1};
    Bytes brokenChecksum = echoReply(request);
    brokenChecksum[2] ^= 0x01;
    return {answerWith(request, [](Header& header, Bytes&) { ++header.identifier; }),
            answerWith(request, [](Header& header, Bytes&) { ++header.sequence; }),
            answerWith(request, [](Header&, Bytes& payload) { payload.push_back('!'); }),
            answerWith(request, [](Header& header, Bytes&) { header.type = platform::IcmpType::EchoRequest; }),
            brokenChecksum,
            errorQuoting(hostUnreachable, withQuotedField(request, 4)),  // other identifier
            errorQuoting(hostUnreachable, withQuotedField(request, 6))};  // other sequence
}

std::optional<Request> readRequest(int socket)
{
    Bytes packet(65536);
    sockaddr_in sender{};
    socklen_t senderLength = sizeof sender;
    const ssize_t length = ::recvfrom(socket, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&sender),
                                      &senderLength);
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

void answer(int socket, const Options& options, const Request& request, std::deque<Scheduled>& scheduled)
{
    if (options.decoys) {
        for (const Bytes& decoy : decoysFor(request))
            sendTo(socket, decoy, request.sender);
    }
    if (options.silent)
        return;
    Bytes message = options.error ? errorQuoting(*options.error, request.packet) : echoReply(request);
    scheduled.push_back({Clock::now() + options.delay, std::move(message), request.sender});
}

void sendDue(int socket, std::deque<Scheduled>& scheduled)
{
    while (!scheduled.empty() && scheduled.front().due <= Clock::now()) {
        sendTo(socket, scheduled.front().message, scheduled.front().to);
        scheduled.pop_front();
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

}  // namespace

int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    const Options options = parseOptions(application);
    const int socket = ::socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
    if (socket < 0) {
        std::perror("echo_responder: raw socket");
        return 1;
    }
    askForRealTimeScheduling();
    std::puts("ready");
    std::fflush(stdout);
    const auto end = Clock::now() + options.lifetime;
    std::deque<Scheduled> scheduled;  // one delay for all, so due times come in order
    while (Clock::now() < end) {
        pollfd watched{socket, POLLIN, 0};
        if (::poll(&watched, 1, msUntil(scheduled.empty() ? end : std::min(end, scheduled.front().due))) > 0) {
            if (const auto request = readRequest(socket))
                answer(socket, options, *request, scheduled);
        }
        sendDue(socket, scheduled);
    }
    ::close(socket);
    return 0;
}
