#pragma once

// Start-up to the first painted frame, and peak resident memory after it, for the Velmora window against
// a window of the same standard controls in the design's fonts without any behaviour (what the toolkit
// itself costs for such a window: the targets are set against it), against the same controls with the
// title strip in the default font (what the design's title fonts cost) and against a bare frameless window
// of the same size (what showing any window at all costs).
//
// Every start is a separate process (this executable with "startup-child"), timed from just before the
// parent starts it to the end of the first frame the child paints, on a clock both share. The four kinds
// are started in turn, and each ratio is the median of the ratios between starts of the same turn, so a
// slow patch of the machine weighs on both sides of a ratio alike.

#include "measure.h"

#include <QStringList>

namespace velmora::bench {

// The child: builds the Velmora window ("window") as the program does, the same-controls window in the
// design's fonts ("controls") or in the default font ("plain"), or the bare window ("bare"), shows it, and
// once its first frame is painted prints "painted <clock ns> <peak KiB>" and ends.
int RunStartupChild(int &argc, char **argv, const QString &kind);

// The parent: runs the children on the given platform and returns the rows of the table.
QList<Row> MeasureStartup(const QString &program, const QString &platform, int runs);

// The instructions one start of the Velmora window and one of the same-controls window execute to their
// first frame, counted once each under valgrind's callgrind: a figure that, unlike a time, does not move
// with how busy the machine is. Empty when callgrind could not count them.
QList<Row> CountStartupInstructions(const QString &program, const QString &platform);

} // namespace velmora::bench
