#pragma once

#include <QStringList>

// Catches every warning Qt prints while the soak runs. A warning means that some value reached
// Qt that should not have (a point size of 0, a painter on an invalid device, a failed connect),
// so each one fails the run; only the platform's notices about what it lacks are let through.
namespace WarningTrap {

void install();

// The warnings since the last call, oldest first; empties the list.
QStringList take();

// True for the platform's harmless notices: the offscreen plugin's "This plugin does not
// support …", Qt's note that a headless session has no runtime directory, and Qt 6's note that
// an installed font cannot shape a script typed into a field ("OpenType support missing for").
bool isPlatformNotice(const QString &message);

} // namespace WarningTrap
