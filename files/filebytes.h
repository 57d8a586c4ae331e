#pragma once

// The byte-level helpers behind the Selection file and the export, with the text encoding passed in.
//
// The program always converts with the system code page (SystemEncoder/SystemDecoder); tests pass other
// encoders (windows-1252 above all) to check the bytes the Windows build would write. Nothing here touches
// the disk except WriteFileAtomically, which every file this layer writes goes through.

#include "selectionfile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <optional>

namespace velmora {

// The largest byte count a counted text can carry.
inline constexpr qsizetype MaxCountedTextBytes = 0xFFFF;

// Stateless converters for the system code page: the ANSI code page on Windows, UTF-8 elsewhere.
QStringEncoder SystemEncoder();
QStringDecoder SystemDecoder();

// text in the encoder's code page, at most limit bytes: a longer text is cut at the last character
// boundary that fits, so its count can never be wrong and no character is split in half.
QByteArray EncodeWithin(QStringView text, QStringEncoder &encoder, qsizetype limit = MaxCountedTextBytes);

// The whole record in the Selection file's byte layout.
QByteArray SelectionBytes(const SelectionRecord &record, QStringEncoder &encoder);

// One record from the start of bytes. *used receives the number of bytes the record took; the bytes after
// it are ignored. Clamps out-of-range values, refuses structural damage (nullopt and the reason in *error).
std::optional<SelectionRecord> ParseSelection(QByteArrayView bytes, QStringDecoder &decoder,
                                              QString *error = nullptr, qsizetype *used = nullptr);

// The complete export text for these entries.
QByteArray ExportBytes(const QStringList &entries, QStringEncoder &encoder);
bool WriteExport(QIODevice &device, const QStringList &entries, QStringEncoder &encoder,
                 QString *error = nullptr);

// Writes bytes to the device in one go; false (with the device's reason) unless every byte was taken.
bool WriteAll(QIODevice &device, const QByteArray &bytes, QString *error = nullptr);

// Replaces the file at path with exactly these bytes, or leaves whatever stood there untouched: the bytes
// go to a temporary file in the same folder, every write and flush is checked, and only a complete file is
// renamed over the old one.
FileOutcome WriteFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace velmora
