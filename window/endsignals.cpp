#include "endsignals.h"

#ifdef Q_OS_UNIX

#include <array>
#include <atomic>
#include <cerrno>
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

EndSignals::EndSignals(QObject *parent) : QObject(parent)
{
    Q_ASSERT(handlerFd.load() == -1);
    if (::pipe(m_fds) != 0)
        return;
    if (!closeOnExecNonBlocking(m_fds[0]) || !closeOnExecNonBlocking(m_fds[1]))
        return;
    handlerFd.store(m_fds[1]);

    struct sigaction action = {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < endingSignals.size(); ++i) {
        ::sigaction(endingSignals[i], nullptr, &m_previous[i]);
        // A signal ignored when the program started (nohup, a background job without job control) stays
        // ignored, as whoever started the program asked.
        if (m_previous[i].sa_handler != SIG_IGN)
            ::sigaction(endingSignals[i], &action, nullptr);
    }
    m_installed = true;
}

EndSignals::~EndSignals()
{
    if (m_installed) {
        for (std::size_t i = 0; i < endingSignals.size(); ++i)
            ::sigaction(endingSignals[i], &m_previous[i], nullptr);
        handlerFd.store(-1);
    }
    m_notifier.reset();
    for (const int fd : m_fds) {
        if (fd != -1)
            ::close(fd);
    }
}

void EndSignals::listen()
{
    if (!m_installed || m_notifier)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_fds[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &EndSignals::readSignals);
    // Signals that came before now already wait in the pipe; the notifier reports them at the next turn of
    // the event loop.
}

void EndSignals::readSignals()
{
    unsigned char byte = 0;
    while (::read(m_fds[0], &byte, 1) == 1)
        emit received(byte);
}

} // namespace velmora

#endif
