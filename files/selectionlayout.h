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
#include "textcodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>

namespace velmora {

// The largest Selection file this program writes, so the loader can refuse anything larger before reading
// it. A saved table holds at most eight industries and the spare element. Every counted text is cut to
// 65,535 bytes (MaxCountedTextBytes), and a box holds at most 65,535 characters, each at most 3 bytes in
// the code page (UTF-8's widest; a surrogate pair is 4 bytes for 2 characters); a comma (1 character)
// becomes the next item's 2-byte count, within the 3 its character allowed:
//   head: RandomOrder, RunCount, IndustryCount 2 + 2 + 2, Industries header 2 + 4 + 4          16
//   per element: name 2 + 65,535, Used, Row, LastType 2 + 2 + 2, car-type header 2 + 4 + 4,
//                first item's count 2, the box's characters 3 x 65,535 = 196,605         262,160
//   16 + 9 x 262,160                                                                    2,359,456
inline constexpr qsizetype MaxSelectionFileBytes = 16 + 9 * (2 + 65535 + 6 + 10 + 2 + 3 * 65535);
static_assert(MaxSelectionFileBytes == 2'359'456);
// The most bytes, in the code page, of any one text the file holds (a name or a car type): its counted
// text's 16-bit count. Every text box of the window holds no more, so whatever it holds can be saved whole.
inline constexpr qsizetype MaxTextBytes = MaxCountedTextBytes;

// The whole record in the file's byte layout.
QByteArray SelectionBytes(const SelectionRecord &record, QStringEncoder &encoder);

// One record from the start of bytes into record; the bytes after it are ignored. Out-of-range values are
// clamped. Structural damage (a record cut short, an unknown dimension count, a lower bound other than 0,
// element counts the remaining bytes cannot hold) fails with the reason and leaves record untouched.
FileOutcome ParseSelection(QByteArrayView bytes, QStringDecoder &decoder, SelectionRecord &record);

} // namespace velmora
