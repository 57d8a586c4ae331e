#pragma once

// Text in the files' code page. The program always converts with the system code page
// (SystemEncoder/SystemDecoder); tests pass other encoders (windows-1252 above all) to check the bytes the
// Windows build would write.

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringView>

namespace velmora {

// The largest byte count a counted text can carry.
inline constexpr qsizetype MaxCountedTextBytes = 0xFFFF;

// Stateless converters for the system code page: the ANSI code page on Windows, UTF-8 elsewhere.
QStringEncoder SystemEncoder();
QStringDecoder SystemDecoder();

// text in the encoder's code page, at most limit bytes: a longer text is cut at the last character
// boundary that fits, so its count can never be wrong and no character is split in half.
QByteArray EncodeWithin(QStringView text, QStringEncoder &encoder, qsizetype limit = MaxCountedTextBytes);

} // namespace velmora
