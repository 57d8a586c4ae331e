#pragma once

// The signals that ask a Unix program to end (SIGTERM from a logout, a shutdown or kill; SIGHUP when its
// terminal goes; SIGINT from Ctrl+C), turned into a Qt signal on the event loop.
//
// A signal handler may do almost nothing safely, so the handler only writes the signal's number into one
// end of a pipe; a QSocketNotifier on the other end reads it whenever an event loop runs, a message box's
// included, where the window can save and end as its close label does. Windows has no such signals (the
// session's end reaches the window through Qt): there an EndSignals never reports anything.

#include <QObject>
#include <memory>

namespace velmora {

class EndSignals final : public QObject {
    Q_OBJECT
public:
    // Installs the handlers and listens. Only one EndSignals may exist at a time: a handler has nowhere
    // else to write.
    explicit EndSignals(QObject *parent = nullptr);
    // Puts the previous handlers back.
    ~EndSignals() override;
    EndSignals(const EndSignals &) = delete;
    EndSignals &operator=(const EndSignals &) = delete;

signals:
    void received(int signalNumber);

private:
    struct Pipe;
    std::unique_ptr<Pipe> m_pipe; // null where there is none: on Windows, or when it could not be made
};

} // namespace velmora
