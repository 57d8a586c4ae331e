// Build-time tool: turns the program's 16-colour icon image into the PNG the desktops install and the
// .ico file the Windows executable carries.
//   velmora_icon IMAGE PNG ICO

#include "icon.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <cstdio>

namespace {

int Fail(const QString &message)
{
    std::fprintf(stderr, "velmora_icon: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4)
        return Fail(QStringLiteral("usage: velmora_icon IMAGE PNG ICO"));
    const QString source = QFile::decodeName(argv[1]);
    const QImage image(source);
    if (image.isNull())
        return Fail(QStringLiteral("cannot read %1").arg(source));
    if (image.size() != QSize(32, 32))
        return Fail(
            QStringLiteral("%1 is %2 x %3, not 32 x 32").arg(source).arg(image.width()).arg(image.height()));

    const QString png = QFile::decodeName(argv[2]);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(png, "PNG"))
        return Fail(QStringLiteral("cannot write %1").arg(png));

    QString error;
    const QByteArray ico = velmora::IcoFromImage(image, &error);
    if (ico.isEmpty())
        return Fail(QStringLiteral("%1: %2").arg(source, error));
    QSaveFile file(QFile::decodeName(argv[3]));
    // An unfinished QSaveFile is discarded when it goes out of scope, leaving no partial icon behind.
    if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size() || !file.commit())
        return Fail(QStringLiteral("cannot write %1").arg(file.fileName()));
    return 0;
}
