#pragma once

// The signals that ask a Unix program to end (SIGTERM from a logout, a shutdown or kill; SIGHUP when its
// terminal goes; SIGINT from Ctrl+C), turned into a Qt signal on the event loop.
//
// A signal handler may do almost nothing safely, so the handler only writes the signal's number into one
// end of a pipe; a QSocketNotifier on the other end reads it on the user-interface thread, where the
// window can save and end as its close label does. Signals that arrive before listen() wait in the pipe.

#include <QtGlobal>

#ifdef Q_OS_UNIX

#include <QObject>
#include <QSocketNotifier>
#include <csignal>
#include <memory>

namespace velmora {

class EndSignals final : public QObject {
    Q_OBJECT
public:
    // Installs the handlers. Only one EndSignals may exist at a time: a handler has nowhere else to write.
    explicit EndSignals(QObject *parent = nullptr);
    // Puts the previous handlers back.
    ~EndSignals() override;
    EndSignals(const EndSignals &) = delete;
    EndSignals &operator=(const EndSignals &) = delete;

    // Starts reporting, on the event loop, the signals received so far and from now on.
    void listen();

signals:
    void received(int signalNumber);

private:
    void readSignals();

    int m_fds[2] = {-1, -1};  // the pipe: [0] read here, [1] written by the handler
    bool m_installed = false; // false when the pipe could not be made: the signals keep their defaults
    struct sigaction m_previous[3] = {};
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace velmora

#endif
