#include "platform/echo_helper_launch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <chrono>
#include <endian.h>
#include <linux/capability.h>
#include <linux/securebits.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
// Its own timeout, and ample time to start.
constexpr std::chrono::milliseconds AnswerDeadline{3000};
constexpr std::size_t LongestAnswer = 64;

bool fileCarriesNetRaw(const QString& path)
{
    vfs_ns_cap_data capabilities{};
    const ssize_t size =
        ::getxattr(QFile::encodeName(path).constData(), "security.capability", &capabilities, sizeof capabilities);
    return size >= static_cast<ssize_t>(XATTR_CAPS_SZ_1)
           && (le32toh(capabilities.data[0].permitted) & (1u << CAP_NET_RAW)) != 0;
}

// The kernel grants root every capability at exec, unless told not to.
bool rootPassesCapabilities()
{
    return ::geteuid() == 0 && (::prctl(PR_GET_SECUREBITS, 0, 0, 0, 0) & (1 << SECURE_NOROOT)) == 0;
}

bool capabilitiesCanBeGained()
{
    return ::prctl(PR_CAPBSET_READ, CAP_NET_RAW, 0, 0, 0) == 1 && ::prctl(PR_GET_NO_NEW_PRIVS, 0, 0, 0, 0) == 0;
}

// The helper's standard input and output are its end of a socket pair: it
// reads its requests from there and ends when this side closes, also at a
// crash. It inherits nothing else, not even the environment.
int spawnHelper(const QString& path, int helperEnd, pid_t& helper)
{
    const QByteArray program = QFile::encodeName(path);
    std::array<char*, 2> argv{const_cast<char*>(program.constData()), nullptr};
    std::array<char*, 1> noEnvironment{nullptr};
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, helperEnd, STDIN_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, helperEnd, STDOUT_FILENO);
    ::posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    const int error = ::posix_spawn(&helper, program.constData(), &actions, nullptr, argv.data(), noEnvironment.data());
    ::posix_spawn_file_actions_destroy(&actions);
    return error;
}

// Never SIGPIPE: a helper gone shows as a request not sent.
bool sendAll(int channel, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t sent = ::send(channel, text.data(), text.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

enum class Reading { Answered, Stopped, Failed };

// Reads the answer line until its newline, the stop comes, or the helper
// ends, the deadline passes or more comes than any answer holds.
Reading readAnswer(int channel, int stopDescriptor, std::string& text)
{
    const auto deadline = Clock::now() + AnswerDeadline;
    for (auto now = Clock::now(); now < deadline && !text.ends_with('\n'); now = Clock::now()) {
        std::array<pollfd, 2> watched{{{channel, POLLIN, 0}, {stopDescriptor, POLLIN, 0}}};
        const auto timeout = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        if (::poll(watched.data(), watched.size(), static_cast<int>(timeout.count())) < 0 && errno != EINTR)
            return Reading::Failed;
        if (watched[1].revents != 0)
            return Reading::Stopped;
        if (watched[0].revents == 0)
            continue;
        std::array<char, LongestAnswer> chunk{};
        const ssize_t length = ::read(channel, chunk.data(), chunk.size());
        if (length == 0 || (length > 0 && text.size() + static_cast<std::size_t>(length) > LongestAnswer))
            return Reading::Failed;
        if (length > 0)
            text.append(chunk.data(), static_cast<std::size_t>(length));
        else if (errno != EINTR)
            return Reading::Failed;
    }
    return text.ends_with('\n') ? Reading::Answered : Reading::Failed;
}

void reap(pid_t helper)
{
    while (::waitpid(helper, nullptr, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

QString echoHelperPath()
{
    // Asked at every probe; the program does not move while it runs.
    static const QString path = [] {
        const QString installed =
            QFileInfo(u"/proc/self/exe"_s).canonicalPath() + u'/' + QString::fromUtf8(ORIENZO_ECHO_HELPER_FROM_PROGRAM);
        return QFileInfo::exists(installed) ? QDir::cleanPath(installed) : QString::fromUtf8(ORIENZO_ECHO_HELPER_BUILD);
    }();
    return path;
}

int echoHelperReadiness(const QString& path)
{
    if (!QFileInfo(path).isExecutable())
        return ENOENT;
    const bool allowed = capabilitiesCanBeGained() && (fileCarriesNetRaw(path) || rootPassesCapabilities());
    return allowed ? 0 : EPERM;
}

EchoHelper::~EchoHelper()
{
    end();
}

EchoHelperAnswer EchoHelper::exchange(const QString& path, const EchoHelperRequest& request, int stopDescriptor)
{
    const auto startedAt = Clock::now();
    if (m_process == 0) {
        if (const int error = start(path); error != 0)
            return {std::nullopt, error};
    }
    std::string text;
    const Reading reading =
        sendAll(m_channel, echoRequestLine(request)) ? readAnswer(m_channel, stopDescriptor, text) : Reading::Failed;
    if (reading == Reading::Stopped) {
        end();
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - startedAt);
        return {EchoOutcome{EchoStatus::TimedOut, 0, static_cast<std::int32_t>(waited.count())}, 0};
    }
    const auto answer = reading == Reading::Answered ? readEchoHelperAnswer(text) : std::nullopt;
    if (!answer || !answer->outcome)
        end();
    return answer.value_or(EchoHelperAnswer{std::nullopt, EPROTO});
}

// Killed rather than told by the end of its input: it ends at once, even in
// the middle of a probe, and holds nothing that would want finishing.
void EchoHelper::end()
{
    if (m_process == 0)
        return;
    ::kill(m_process, SIGKILL);
    reap(m_process);
    ::close(m_channel);
    m_process = 0;
    m_channel = -1;
}

int EchoHelper::start(const QString& path)
{
    std::array<int, 2> ends{};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends.data()) != 0)
        return errno;
    const int error = spawnHelper(path, ends[1], m_process);
    ::close(ends[1]);
    if (error != 0) {
        ::close(ends[0]);
        m_process = 0;
        return error;
    }
    m_channel = ends[0];
    return 0;
}

} // namespace platform
