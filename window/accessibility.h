#pragma once

// What screen readers are told beyond Qt's own accessibility.
//
// Two kinds of control need an interface of their own. The title strip's "X" and "--" are labels that act
// as buttons: they are offered as push buttons whose press action clicks them. The count lists are
// offered under their accessible name ("Number of cars"), with the chosen count as their value; on Linux
// Qt names a drop-down list by its current entry, so a screen reader would announce only "5".

namespace velmora {

// Installs the factory that provides these interfaces; later calls do nothing.
void installAccessibility();

} // namespace velmora
