#include "platform/echo_helper_launch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <chrono>
#include <endian.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <linux/securebits.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
// Its own timeout, and ample time to start and end.
constexpr std::chrono::milliseconds AnswerDeadline{3000};
constexpr std::size_t LongestAnswer = 64;

// Both ends close with the pipe, unless closed earlier.
class Pipe {
public:
    Pipe()
    {
        if (::pipe2(m_ends.data(), O_CLOEXEC) != 0)
            m_ends = {-1, -1};
    }
    ~Pipe()
    {
        closeReadEnd();
        closeWriteEnd();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool isOpen() const { return m_ends[0] >= 0; }
    int readEnd() const { return m_ends[0]; }
    int writeEnd() const { return m_ends[1]; }
    void closeReadEnd() { closeEnd(m_ends[0]); }
    void closeWriteEnd() { closeEnd(m_ends[1]); }

private:
    static void closeEnd(int& end)
    {
        if (end >= 0)
            ::close(end);
        end = -1;
    }

    std::array<int, 2> m_ends{-1, -1};
};

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

// The helper's standard input is the lifeline: it ends as soon as that
// closes, which this side's end does at a crash too. Its standard output
// carries the answer. It inherits nothing else, not even the environment.
int spawnHelper(const QString& path, const EchoHelperRequest& request, const Pipe& lifeline, const Pipe& answer,
                pid_t& helper)
{
    const QByteArray program = QFile::encodeName(path);
    auto arguments = echoHelperArguments(request);
    std::array<char*, 4> argv{const_cast<char*>(program.constData()), arguments[0].data(), arguments[1].data(),
                              nullptr};
    std::array<char*, 1> noEnvironment{nullptr};
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, lifeline.readEnd(), STDIN_FILENO);
    ::posix_spawn_file_actions_adddup2(&actions, answer.writeEnd(), STDOUT_FILENO);
    ::posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    const int error = ::posix_spawn(&helper, program.constData(), &actions, nullptr, argv.data(), noEnvironment.data());
    ::posix_spawn_file_actions_destroy(&actions);
    return error;
}

enum class Reading { Ended, Stopped, Failed };

// Reads the answer until the helper closes its end, the stop comes, or the
// deadline passes or more comes than any answer holds.
Reading readAnswer(int answerEnd, int stopDescriptor, std::string& text)
{
    const auto deadline = Clock::now() + AnswerDeadline;
    for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
        std::array<pollfd, 2> watched{{{answerEnd, POLLIN, 0}, {stopDescriptor, POLLIN, 0}}};
        const auto timeout = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        if (::poll(watched.data(), watched.size(), static_cast<int>(timeout.count())) < 0 && errno != EINTR)
            return Reading::Failed;
        if (watched[1].revents != 0)
            return Reading::Stopped;
        if (watched[0].revents == 0)
            continue;
        std::array<char, LongestAnswer> chunk{};
        const ssize_t length = ::read(answerEnd, chunk.data(), chunk.size());
        if (length == 0)
            return Reading::Ended;
        if (length > 0 && text.size() + static_cast<std::size_t>(length) > LongestAnswer)
            return Reading::Failed;
        if (length > 0)
            text.append(chunk.data(), static_cast<std::size_t>(length));
        else if (errno != EINTR)
            return Reading::Failed;
    }
    return Reading::Failed;
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

EchoHelperAnswer runEchoHelper(const QString& path, const EchoHelperRequest& request, int stopDescriptor)
{
    Pipe lifeline;
    Pipe answer;
    if (!lifeline.isOpen() || !answer.isOpen())
        return {std::nullopt, errno};
    const auto startedAt = Clock::now();
    pid_t helper = 0;
    if (const int error = spawnHelper(path, request, lifeline, answer, helper); error != 0)
        return {std::nullopt, error};
    lifeline.closeReadEnd();
    answer.closeWriteEnd();
    std::string text;
    const Reading reading = readAnswer(answer.readEnd(), stopDescriptor, text);
    if (reading != Reading::Ended)
        ::kill(helper, SIGKILL);
    reap(helper);
    if (reading == Reading::Stopped) {
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - startedAt);
        return {EchoOutcome{EchoStatus::TimedOut, 0, static_cast<std::int32_t>(waited.count())}, 0};
    }
    return readEchoHelperAnswer(text).value_or(EchoHelperAnswer{std::nullopt, EPROTO});
}

} // namespace platform
