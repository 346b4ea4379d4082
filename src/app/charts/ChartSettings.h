#pragma once

#include <string>

#include <QString>

namespace bramble {

// What the operator can change on a chart through its right-click menu,
// kept per user in a small text file between runs.
//
// The file is UTF-8 text. The first line names the format and its version:
//     Bramble chart settings 1
// every further line is "key=value"; blank lines and lines starting with
// '#' are skipped, unknown keys are ignored (so that a later version can add
// keys), and a known key with an unusable value keeps its default:
//     style=both          lines | points | both
//     grid=on             on | off
//     legend=on           on | off
//     markersize=6        3 .. 20, pixels
//     linewidth=1.5       0.5 .. 6, pixels
// A file that is missing, unreadable or does not start with the format line
// leaves every default.
struct ChartSettings {
    enum class Style { lines, points, both };

    static constexpr int kMinMarkerSize = 3;
    static constexpr int kMaxMarkerSize = 20;
    static constexpr double kMinLineWidth = 0.5;
    static constexpr double kMaxLineWidth = 6.0;

    Style style = Style::both;
    bool grid = true;
    bool legend = true;
    int markerSize = 6;
    double lineWidth = 1.5;

    // The settings of the file at `path`; the defaults when it cannot be used.
    // `read` (optional) tells whether the file was recognised.
    static ChartSettings Load(const QString& path, bool* read = nullptr);
    // Writes the file through a temporary file that replaces it only once
    // complete, creating its folder when needed. False when it cannot be written.
    bool Save(const QString& path) const;

    QString ToText() const;
    static ChartSettings FromText(const QString& text, bool* read = nullptr);

    friend bool operator==(const ChartSettings&, const ChartSettings&) = default;
};

// The per-user folder that holds "Graphx/graph.pg" and "Graphx/graph2.pg"
// (the program's own folder is usually not writable).
QString ChartSettingsFolder();

// The settings file the document names (m_strGraphFile or m_strGraphFile2),
// or, while the document names none, `fileName` ("graph.pg", "graph2.pg")
// in the per-user folder's "Graphx".
QString ChartSettingsFile(const std::string& documentPath, const QString& fileName);

}  // namespace bramble
