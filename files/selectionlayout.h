#pragma once

// The Selection file's byte layout: one SelectionRecord from the first byte, little-endian, fields back to
// back, texts as a 16-bit byte count and the text in the code page, each growable array behind a header of
// a 16-bit dimension count and, for one dimension, a 32-bit element count and a 32-bit lower bound (0).
// An array that never held elements is the dimension count 0 alone. The spare element after the last
// industry is written like any other.
//
// Both directions work on bytes with the encoder or decoder passed in; selectionfile.h adds the disk.

#include "fileoutcome.h"
#include "selection.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>

namespace velmora {

// The whole record in the file's byte layout.
QByteArray SelectionBytes(const SelectionRecord &record, QStringEncoder &encoder);

// One record from the start of bytes into record; the bytes after it are ignored. Out-of-range values are
// clamped. Structural damage (a record cut short, an unknown dimension count, a lower bound other than 0,
// element counts the remaining bytes cannot hold) fails with the reason and leaves record untouched.
FileOutcome ParseSelection(QByteArrayView bytes, QStringDecoder &decoder, SelectionRecord &record);

} // namespace velmora
