// Velmora: random car assignments for model-railroad operating sessions.

#include "velmorawindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No display name: Qt would add it to the title of every window, message boxes included, where each
    // must read exactly its own title.
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    // Lets Wayland shells match the window to its desktop entry, and so to its icon in the taskbar.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.ostrel.Velmora"));

    velmora::VelmoraWindow window;
    window.show();
    return QApplication::exec();
}
