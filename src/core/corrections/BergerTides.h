#pragma once

#include <vector>

namespace bramble {

class CReading;

// The Berger tide corrections of many readings at once, mGal, with the
// program's own tide model (DefaultTideFunction): tides[i] is
// BergerTideMgal(*readings[i], DefaultTideFunction()), bit for bit. The
// readings are shared out over the machine's cores (the model keeps its
// state per thread); the readings are only read.
void ComputeBergerTides(const std::vector<const CReading*>& readings, std::vector<double>& tides);

}  // namespace bramble
