#pragma once

// Start-up to the first painted frame, and peak resident memory after it, for the Velmora window and for
// a bare frameless window of the same size: the toolkit's own floor for showing a window at all.
//
// Every start is a separate process (this executable with "startup-child"), timed from just before the
// parent starts it to the end of the first frame the child paints, on a clock both share. The two kinds
// are started in turn, so a slow patch of the machine weighs on both alike.

#include "measure.h"

#include <QStringList>

namespace velmora::bench {

// The child: builds the Velmora window ("window") or the bare window ("bare") as the program does, shows
// it, and once its first frame is painted prints "painted <clock ns> <peak KiB>" and ends.
int RunStartupChild(int &argc, char **argv, const QString &kind);

// The parent: runs the children on the given platform and returns the two rows of the table.
QList<Row> MeasureStartup(const QString &program, const QString &platform, int runs);

} // namespace velmora::bench
