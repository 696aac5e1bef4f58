#pragma once
#include "base/text.h"

// The K/D text of the profile panel: kills over deaths rounded half away from zero to two
// places, without trailing zeros (1.5, 2, 0.67). Without deaths the quotient has no value, so
// the kills themselves are shown.
Text KillDeathText(const Text& kills, const Text& deaths);
