// Build-time tool: turns the program's 16-colour icon image into the PNG and SVG the desktops install and
// the .ico file the Windows executable carries.
//   velmora_icontool IMAGE PNG ICO SVG

#include "icon.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <cstdio>

namespace {

int Fail(const QString &message)
{
    std::fprintf(stderr, "velmora_icontool: %s\n", qPrintable(message));
    return 1;
}

// An unfinished QSaveFile is discarded when it goes out of scope, leaving no partial file behind.
bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5)
        return Fail(QStringLiteral("usage: velmora_icontool IMAGE PNG ICO SVG"));
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
    if (!WriteFile(QFile::decodeName(argv[3]), ico))
        return Fail(QStringLiteral("cannot write %1").arg(QFile::decodeName(argv[3])));
    if (!WriteFile(QFile::decodeName(argv[4]), velmora::SvgFromImage(image)))
        return Fail(QStringLiteral("cannot write %1").arg(QFile::decodeName(argv[4])));
    return 0;
}
