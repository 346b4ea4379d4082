#include "charts/ChartSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace bramble {

namespace {

const QString kFormatLine = QStringLiteral("Bramble chart settings 1");

QString StyleText(ChartSettings::Style style)
{
    switch (style) {
    case ChartSettings::Style::lines:
        return QStringLiteral("lines");
    case ChartSettings::Style::points:
        return QStringLiteral("points");
    case ChartSettings::Style::both:
        break;
    }
    return QStringLiteral("both");
}

bool ParseOnOff(const QString& value, bool& flag)
{
    if (value == QLatin1String("on"))
        flag = true;
    else if (value == QLatin1String("off"))
        flag = false;
    else
        return false;
    return true;
}

}  // namespace

QString ChartSettings::ToText() const
{
    QString text = kFormatLine + '\n';
    text += QStringLiteral("style=%1\n").arg(StyleText(style));
    text += QStringLiteral("grid=%1\n").arg(grid ? "on" : "off");
    text += QStringLiteral("legend=%1\n").arg(legend ? "on" : "off");
    text += QStringLiteral("markersize=%1\n").arg(markerSize);
    text += QStringLiteral("linewidth=%1\n").arg(lineWidth);
    return text;
}

ChartSettings ChartSettings::FromText(const QString& text, bool* read)
{
    ChartSettings settings;
    if (read)
        *read = false;
    const QStringList lines = text.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kFormatLine)
        return settings;
    if (read)
        *read = true;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("style")) {
            if (value == QLatin1String("lines"))
                settings.style = Style::lines;
            else if (value == QLatin1String("points"))
                settings.style = Style::points;
            else if (value == QLatin1String("both"))
                settings.style = Style::both;
        } else if (key == QLatin1String("grid")) {
            ParseOnOff(value, settings.grid);
        } else if (key == QLatin1String("legend")) {
            ParseOnOff(value, settings.legend);
        } else if (key == QLatin1String("markersize")) {
            bool ok = false;
            const int size = value.toInt(&ok);
            if (ok && size >= kMinMarkerSize && size <= kMaxMarkerSize)
                settings.markerSize = size;
        } else if (key == QLatin1String("linewidth")) {
            bool ok = false;
            const double width = value.toDouble(&ok);
            if (ok && width >= kMinLineWidth && width <= kMaxLineWidth)
                settings.lineWidth = width;
        }
    }
    return settings;
}

ChartSettings ChartSettings::Load(const QString& path, bool* read)
{
    if (read)
        *read = false;
    QFile file(path);
    // A settings file is a few lines: anything large is not one.
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > 64 * 1024)
        return {};
    return FromText(QString::fromUtf8(file.readAll()), read);
}

bool ChartSettings::Save(const QString& path) const
{
    if (path.isEmpty())
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = ToText().toUtf8();
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

QString ChartSettingsFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

}  // namespace bramble

namespace bramble {

QString ChartSettingsFile(const std::string& documentPath, const QString& fileName)
{
    if (!documentPath.empty())
        return QString::fromStdString(documentPath);
    return ChartSettingsFolder() + QStringLiteral("/Graphx/") + fileName;
}

}  // namespace bramble
