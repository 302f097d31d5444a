// What every writer shares: the coordinates of the running output, the runs a parity polyline
// draws, and an output file whose failure (a full disk) is reported and leaves the old file in
// place.
#include "fake_export_host.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <tuple>
#include <vector>

namespace quorlin::canvas {
namespace {

using namespace testing;

TEST(ExportCoords, OnlyTheRunningWritersFrameCountShiftsPoints) {
    ExportFixture f;
    f.state.view.centreX = 2;
    f.state.view.centreY = -1;
    const WorldPoint p{3, 1};
    auto coords = [&](WorldPoint q) {
        const WorldPoint e = f.state.ToExportCoords(q);
        return std::tuple(e.x, e.y);
    };
    f.state.StartOutput(ExportKind::PicTeX);
    EXPECT_EQ(coords(p), std::tuple(3.0L, 1.0L));
    f.state.texFrameCount = 3;  // the frames of an animation: about the view centre
    EXPECT_EQ(coords({2, -1}), std::tuple(0.0L, 0.0L));

    // An animated PiCTeX export earlier must not shift a single-picture EPS export.
    f.state.StopOutput(ExportKind::PicTeX);
    f.state.StartOutput(ExportKind::Eps);
    f.state.epsFrameCount = 1;
    EXPECT_EQ(f.state.ToExportCoords(p).x, 3);
    f.state.epsFrameCount = 2;
    EXPECT_EQ(f.state.ToExportCoords(p).x, 1);
}

TEST(SegmentParity, MarkedRunsAndAlternatingUnmarkedRuns) {
    const std::array<std::uint8_t, 8> marks{1, 1, 0, 0, 0, 0, 1, 1};
    const std::vector<int> parity = SegmentParity(marks);
    EXPECT_EQ(parity, (std::vector<int>{-1, -1, 0, 1, 0, 1, -1, -1}));
    EXPECT_EQ(SegmentParity(std::array<std::uint8_t, 1>{0}), std::vector<int>{0});

    std::array<WorldPoint, 8> points;
    for (int i = 0; i < 8; ++i)
        points[static_cast<std::size_t>(i)] = {static_cast<long double>(i), 0};
    auto drawn = [&](int mode) {
        std::vector<int> ends;
        DrawPolylineByParity(points, marks, mode, [&](WorldPoint, WorldPoint q) {
            ends.push_back(static_cast<int>(q.x));
        });
        return ends;
    };
    EXPECT_EQ(drawn(1), (std::vector<int>{1, 3, 5, 7}));
    EXPECT_EQ(drawn(2), (std::vector<int>{1, 7}));
    EXPECT_EQ(drawn(0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));

    auto runs = [&](int mode) {
        std::vector<std::pair<std::size_t, std::size_t>> ends;
        for (const PointRun& run : ChosenRuns(points.size(), marks, mode))
            ends.emplace_back(run.first, run.last);
        return ends;
    };
    using Runs = std::vector<std::pair<std::size_t, std::size_t>>;
    EXPECT_EQ(runs(0), (Runs{{0, 7}}));
    EXPECT_EQ(runs(1), (Runs{{0, 1}, {2, 3}, {4, 5}, {6, 7}}));
    EXPECT_EQ(runs(2), (Runs{{0, 1}, {6, 7}}));
    EXPECT_TRUE(ChosenRuns(points.size(), std::span(marks).first(7), 0).empty());  // short marks

    int calls = 0;
    DrawPolylineByParity(std::span(points).first(1), marks, 0,
                         [&](WorldPoint, WorldPoint) { ++calls; });
    EXPECT_EQ(calls, 0);
}

// Files of this process cannot grow past `bytes` while it lives, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
};

// An export that outgrows the file size limit or goes to a full device says there is no more
// room, with the file and the system's reason, for a picture of a few kilobytes as for a large
// one; the file it was to replace keeps its bytes and a device stays a device.
TEST(ExportOutput, AFailedExportIsReportedAndLeavesTheFileItWasToReplace) {
    const struct {
        const char* name;
        bool toFullDevice;  // else a file under a size limit
        std::size_t size;
        rlim_t limit;
        int reason;
    } rows[] = {
        {"100000 bytes under a limit of 4096", false, 100000, 4096, EFBIG},
        {"3000 bytes under a limit of 2048", false, 3000, 2048, EFBIG},
        {"100000 bytes to a full device", true, 100000, 0, ENOSPC},
        {"3000 bytes to a full device", true, 3000, 0, ENOSPC},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ExportFixture f;
        if (row.toFullDevice && !QFile::exists("/dev/full")) continue;
        const QString path = row.toFullDevice ? QStringLiteral("/dev/full") : f.Path("pic.eps");
        if (!row.toFullDevice) {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("the picture of last week");
        }
        {
            const FileSizeLimit limit(row.limit > 0 ? row.limit : RLIM_INFINITY);
            ASSERT_TRUE(f.state.OpenOutput(path));
            f.state.output.Write(std::string(row.size, 'x'));
            EXPECT_FALSE(f.state.CloseOutput());
        }
        const ExportReport report = ReportEpsSaved(f.state);
        EXPECT_FALSE(report.saved);
        EXPECT_EQ(report.text, "no more room\n" + path + "\n" +
                                   QString::fromLocal8Bit(std::strerror(row.reason)));
        if (row.toFullDevice) {
            EXPECT_FALSE(QFileInfo(path).isFile());
        } else {
            const std::string left = ReadAll(path);
            EXPECT_TRUE(left == "the picture of last week") << left.substr(0, 40);
        }
        f.state.failure.clear();
        EXPECT_EQ(ReportTeXSaved(f.state).text, "TeX file saved");
    }
}

}  // namespace
}  // namespace quorlin::canvas
