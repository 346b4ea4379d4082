#pragma once

#include <QFont>

namespace bramble {

// A font whose printable ASCII characters all have the same advance, so
// that text laid out in columns keeps its columns on screen and on paper.
//
// Qt's fixed-pitch flag is not enough: fontconfig calls a font such as
// Noto Sans Mono proportional because a few of its non-ASCII glyphs are
// wide, and a font asked for by a family that is not installed comes back
// as whatever the system substitutes. So every candidate (the system's
// fixed font, well-known monospaced families, then every family the font
// database lists as fixed) is measured, and the first whose advances agree
// is taken, preferring those that the font system calls fixed as well.
QFont FixedPitchFont(double pointSize);

// True when the characters ' '..'~' of `font` all advance by the same width.
bool HasEqualAdvances(const QFont& font);

}  // namespace bramble
