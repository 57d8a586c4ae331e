// Velmora: random car assignments for model-railroad operating sessions.

#include "velmorawindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    // The display name is the window's caption: Qt adds the display name to a caption that does not end
    // with it already, and the caption must read exactly "Ostrel Velmora v2.1".
    QApplication::setApplicationDisplayName(QStringLiteral("Ostrel Velmora v2.1"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    // Lets Wayland shells match the window to its desktop entry, and so to its icon in the taskbar.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.ostrel.Velmora"));

    velmora::VelmoraWindow window;
    window.show();
    return QApplication::exec();
}
