#include "charts/FixedPitchFont.h"

#include <cmath>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>

namespace bramble {

bool HasEqualAdvances(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal first = metrics.horizontalAdvance(QLatin1Char(' '));
    if (first <= 0)
        return false;
    for (char c = '!'; c <= '~'; ++c)
        if (std::abs(metrics.horizontalAdvance(QLatin1Char(c)) - first) > 1e-3)
            return false;
    return true;
}

QFont FixedPitchFont(double pointSize)
{
    const auto sized = [pointSize](QFont font) {
        font.setPointSizeF(pointSize);
        font.setStyleHint(QFont::TypeWriter);
        return font;
    };
    QList<QFont> candidates{sized(QFontDatabase::systemFont(QFontDatabase::FixedFont))};
    for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "Noto Sans Mono", "FreeMono",
                               "Nimbus Mono PS", "Courier New", "Courier 10 Pitch", "Courier", "Monospace"})
        candidates << sized(QFont(QString::fromLatin1(family)));
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isFixedPitch(family))
            candidates << sized(QFont(family));

    // Fonts the system itself calls fixed come first; a font whose flag
    // says otherwise (Noto Sans Mono) is taken only when its advances agree
    // and nothing better is installed.
    for (const bool flagged : {true, false}) {
        for (const QFont& candidate : candidates) {
            // Measure the font that is really used, not the one asked for.
            const QFontInfo info(candidate);
            QFont font = candidate;
            font.setFamily(info.family());
            if ((!flagged || info.fixedPitch()) && HasEqualAdvances(font))
                return font;
        }
    }
    // No font on this system keeps columns; the system's fixed font is the
    // nearest there is.
    return candidates.constFirst();
}

}  // namespace bramble
