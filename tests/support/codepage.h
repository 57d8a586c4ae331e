#pragma once

// Converters by name for the tests. windows-1252, the ANSI code page of an English Windows, comes by name
// where Qt has it (through ICU, as on Linux). Qt for Windows built without ICU has no named windows-1252,
// but there the system's own converter is exactly that when the ANSI code page is 1252.

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace velmora::test {

// True on a Windows whose ANSI code page is windows-1252.
inline bool SystemCodePageIs1252()
{
#ifdef Q_OS_WIN
    return GetACP() == 1252;
#else
    return false;
#endif
}

// True where the system code page is UTF-8: always off Windows, on Windows when set so.
inline bool SystemCodePageIsUtf8()
{
#ifdef Q_OS_WIN
    return GetACP() == CP_UTF8;
#else
    return true;
#endif
}

inline bool UseSystemFor(const QByteArray &name)
{
    return name == "windows-1252" && SystemCodePageIs1252() && !QStringEncoder(name.constData()).isValid();
}

// An invalid converter when the system has none of that name.
inline QStringEncoder EncoderFor(const QByteArray &name)
{
    return UseSystemFor(name) ? QStringEncoder(QStringConverter::System, QStringConverter::Flag::Stateless)
                              : QStringEncoder(name.constData(), QStringConverter::Flag::Stateless);
}

inline QStringDecoder DecoderFor(const QByteArray &name)
{
    return UseSystemFor(name) ? QStringDecoder(QStringConverter::System, QStringConverter::Flag::Stateless)
                              : QStringDecoder(name.constData(), QStringConverter::Flag::Stateless);
}

} // namespace velmora::test
