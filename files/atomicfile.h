#pragma once

// Writing files whole or not at all. Every file this layer writes goes through WriteFileAtomically; its
// writing step, WriteAll, takes any QIODevice so that a device which fails can be tested without a disk.

#include "fileoutcome.h"

#include <QByteArrayView>
#include <QIODevice>

namespace velmora {

// Writes every byte to the device, writing again after a short write. A failure carries the reason the
// system gave for it: when Qt only knows that fewer bytes went out than were asked for (the disk filled
// up part-way), the next write asks the system, which then names the cause.
FileOutcome WriteAll(QIODevice &device, QByteArrayView bytes);

// Replaces the file at path with exactly these bytes, or leaves whatever stood there untouched: the bytes
// go to a temporary file in the same folder, every write, flush and sync is checked, and only a complete
// file is renamed over the old one.
FileOutcome WriteFileAtomically(const QString &path, QByteArrayView bytes);

// Removes the temporary files that writes of path left behind when the program was killed part-way: regular
// files beside path named as Qt names them, path's name, a dot and six random ASCII letters
// ("Selection.qWzpTa"). Six letters all of one case are left alone ("Selection.backup" may be the user's),
// and so is anything younger than a minute (another Velmora may be writing it now). Returns how many went.
int removeAtomicWriteLeftovers(const QString &path);

} // namespace velmora
