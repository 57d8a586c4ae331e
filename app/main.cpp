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
    // Installed first: a signal that comes while the window is built waits in its pipe.
    velmora::EndSignals endSignals;
#endif
    velmora::VelmoraWindow window;
#ifdef Q_OS_UNIX
    // Heard before the start-up can open a box: it may load, and so delete, the saved table, which from then
    // on lives only in the window, and a box waits for the user, who may be logging out.
    QObject::connect(&endSignals, &velmora::EndSignals::received, &window,
                     &velmora::VelmoraWindow::endUnattended);
    endSignals.listen();
#endif
    if (!window.start())
        return EXIT_FAILURE; // another Velmora with this home is running, as the user has been told
    if (window.ended())
        return EXIT_SUCCESS; // ended by the system while a start-up message was open, the table saved
    window.show();
    return QApplication::exec();
}
