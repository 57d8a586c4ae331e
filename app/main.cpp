// Velmora: random car assignments for model-railroad operating sessions.

#include "endsignals.h"
#include "places.h"
#include "runninglock.h"
#include "velmorawindow.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No display name: Qt would add it to the title of every window, message boxes included, where each
    // must read exactly its own title.
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    // Lets Wayland shells match the window to its desktop entry, and so to its icon in the taskbar.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.ostrel.Velmora"));

    // Heard from before the first message can open. Until the window exists nothing is loaded, so a signal
    // just ends the program, a waiting "Velmora Is Already Running" included.
    velmora::EndSignals endSignals;
    const QMetaObject::Connection beforeTheWindow =
        QObject::connect(&endSignals, &velmora::EndSignals::received, &app, [] { QCoreApplication::exit(); });

    const velmora::FilePlaces places;
    velmora::RunningLock lock;
    velmora::QtMessageBoxes messages;
    if (!velmora::takeRunningLock(lock, places, messages))
        return EXIT_FAILURE; // another Velmora with this home is running, as the user has been told

    velmora::VelmoraWindow window({.messages = &messages, .places = &places});
    // From now on the start-up may load, and so delete, the saved table, which then lives only in the
    // window: a signal saves it as Esc would, whichever message waits.
    QObject::disconnect(beforeTheWindow);
    QObject::connect(&endSignals, &velmora::EndSignals::received, &window,
                     &velmora::VelmoraWindow::endUnattended);
    window.Form_Load();
    if (window.ended())
        return EXIT_SUCCESS; // ended by the system while a start-up message was open, the table saved
    window.show();
    return QApplication::exec();
}
