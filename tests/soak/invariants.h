#pragma once

#include <QStringList>

class ChiK;

// What must hold after every user action, whatever the user did: the model's arrays complete
// and finite, chi(k) scaled into -1 … 1, the window edges in order, the transforms finite.
namespace Invariants {

// One line per broken invariant; empty when all hold.
QStringList check(const ChiK &window);

} // namespace Invariants
