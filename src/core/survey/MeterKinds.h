#pragma once

namespace bramble {

// The meter kinds Bramble reads.
enum class MeterKind { cg3, aliod, cg5, cg6, burris };

}  // namespace bramble
