// Velmora: random car assignments for model-railroad operating sessions.

#include "velmorawindow.h"

#include <QApplication>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include "endsignals.h"
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No display name: Qt would add it to the title of every window, message boxes included, where each
    // must read exactly its own title.
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    // Lets Wayland shells match the window to its desktop entry, and so to its icon in the taskbar.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.ostrel.Velmora"));

#ifdef Q_OS_UNIX
    // Before the window: its start-up may load, and so delete, the saved table, which from then on lives
    // only in the window. A signal that comes before the window listens waits for it.
    velmora::EndSignals endSignals;
#endif
    velmora::VelmoraWindow window;
    if (window.ended())
        return EXIT_FAILURE; // another Velmora with this home is running, as the user has been told
#ifdef Q_OS_UNIX
    QObject::connect(&endSignals, &velmora::EndSignals::received, &window,
                     &velmora::VelmoraWindow::endUnattended);
    endSignals.listen();
#endif
    window.show();
    return QApplication::exec();
}
