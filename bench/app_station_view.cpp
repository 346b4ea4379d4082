// Time from a read file to a painted station list, and of a column sort,
// for 10^5 and 10^6 readings, in the real main window (offscreen).
//   app_station_view_bench [readings...]
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <QApplication>
#include <QFile>

#include "mainwnd/CKelpApp.h"
#include "mainwnd/CKelpView.h"
#include "mainwnd/CMainFrame.h"
#include "mainwnd/StationTableView.h"
#include "survey/CKelpDoc.h"
#include "survey/ImportCommand.h"
#include "survey/SyntheticSurvey.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) { return std::chrono::duration<double, std::milli>(Clock::now() - from).count(); }

long PeakKb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto settings = std::filesystem::temp_directory_path() / ("bramble-bench-xdg-" + std::to_string(::getpid()));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(settings.string()));
    QApplication qapp(argc, argv);
    std::vector<long long> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::stoll(argv[i]));
    if (sizes.empty())
        sizes = {100000, 1000000};

    for (long long readings : sizes) {
        const auto path = std::filesystem::temp_directory_path() / ("bramble-view-bench-" + std::to_string(::getpid()) +
                                                                    "-" + std::to_string(readings) + ".dat");
        {
            std::ofstream out(path, std::ios::binary);
            bramble::SyntheticSurvey{.readings = readings, .readingsPerBlock = 1000}.WriteScintrex(out);
        }
        // The reader alone, for comparison.
        double readOnly = 0;
        {
            bramble::CKelpDoc doc;
            const auto readStart = Clock::now();
            doc.ReadScintrexFile(path.string());
            readOnly = Ms(readStart);
        }
        bramble::CKelpApp app;
        app.InitInstance({"bramble"});
        bramble::CMainFrame* frame = app.mainFrame();
        QApplication::processEvents();

        const auto start = Clock::now();
        frame->importCommand()->ImportFile(QString::fromStdString(path.string()), bramble::MeterKind::cg3);
        const double loaded = Ms(start);
        frame->grab();  // paints the window with the first rows
        const double painted = Ms(start);

        // The station list's own sort, without the widget.
        const auto coreStart = Clock::now();
        frame->view()->StationList().SortByColumn(3);
        const double coreSort = Ms(coreStart);
        frame->view()->SortRowsByTime();

        const auto sortStart = Clock::now();
        frame->view()->SortByColumn(3);
        frame->grab();
        const double sorted = Ms(sortStart);

        std::printf(
            "%9lld readings: reader alone %6.0f ms; import (read, list, sort by time) %6.0f ms, painted "
            "%6.0f ms; sort by Rel Grav: list state %5.0f ms, with repaint %5.0f ms; peak RSS %ld MB; rows %d\n",
            readings, readOnly, loaded, painted, coreSort, sorted, PeakKb() / 1024,
            frame->view()->table()->model()->rowCount());
        std::filesystem::remove(path);
    }
    std::filesystem::remove_all(settings);
    return 0;
}
