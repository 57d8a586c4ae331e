#include "endsignals.h"

#ifdef Q_OS_UNIX

#include <QSocketNotifier>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr std::array<int, 3> endingSignals = {SIGTERM, SIGHUP, SIGINT};

// Where the handler writes. It has to be global: a handler receives nothing but the signal's number.
std::atomic<int> handlerFd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only read lock-free atomics");

extern "C" void writeSignalNumber(int signalNumber)
{
    const int savedErrno = errno; // the interrupted code may be about to read errno
    const auto byte = static_cast<unsigned char>(signalNumber);
    // The write end never blocks; when the pipe is full, requests to end are already waiting there.
    [[maybe_unused]] const ssize_t written = ::write(handlerFd.load(), &byte, 1);
    errno = savedErrno;
}

bool closeOnExecNonBlocking(int fd)
{
    return ::fcntl(fd, F_SETFD, FD_CLOEXEC) == 0 && ::fcntl(fd, F_SETFL, O_NONBLOCK) == 0;
}

} // namespace

struct EndSignals::Pipe {
    std::array<int, 2> fds = {-1, -1}; // [0] read on the event loop, [1] written by the handler
    bool installed = false;
    std::array<struct sigaction, endingSignals.size()> previous = {};
    std::unique_ptr<QSocketNotifier> notifier;

    ~Pipe()
    {
        if (installed) {
            for (std::size_t i = 0; i < endingSignals.size(); ++i)
                ::sigaction(endingSignals[i], &previous[i], nullptr);
            handlerFd.store(-1);
        }
        notifier.reset();
        for (const int fd : fds) {
            if (fd != -1)
                ::close(fd);
        }
    }
};

EndSignals::EndSignals(QObject *parent) : QObject(parent)
{
    Q_ASSERT(handlerFd.load() == -1);
    auto pipe = std::make_unique<Pipe>();
    if (::pipe(pipe->fds.data()) != 0 || !closeOnExecNonBlocking(pipe->fds[0]) ||
        !closeOnExecNonBlocking(pipe->fds[1]))
        return; // the signals keep their defaults
    handlerFd.store(pipe->fds[1]);

    struct sigaction action = {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < endingSignals.size(); ++i) {
        ::sigaction(endingSignals[i], nullptr, &pipe->previous[i]);
        // A signal ignored when the program started (nohup, a background job without job control) stays
        // ignored, as whoever started the program asked.
        if (pipe->previous[i].sa_handler != SIG_IGN)
            ::sigaction(endingSignals[i], &action, nullptr);
    }
    pipe->installed = true;

    // A signal that comes before an event loop runs waits in the pipe until one does.
    pipe->notifier = std::make_unique<QSocketNotifier>(pipe->fds[0], QSocketNotifier::Read);
    const int readEnd = pipe->fds[0];
    connect(pipe->notifier.get(), &QSocketNotifier::activated, this, [this, readEnd] {
        unsigned char byte = 0;
        while (::read(readEnd, &byte, 1) == 1)
            emit received(byte);
    });
    m_pipe = std::move(pipe);
}

} // namespace velmora

#else

namespace velmora {

struct EndSignals::Pipe {};

EndSignals::EndSignals(QObject *parent) : QObject(parent)
{
}

} // namespace velmora

#endif

velmora::EndSignals::~EndSignals() = default;
