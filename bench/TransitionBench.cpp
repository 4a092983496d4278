// Composing one frame of every transition style at progress 50, as a ratio to copying one
// frame of the same size (the least any frame costs: the snapshot goes into the frame buffer).
#include "transitions/Effects.h"
#include "transitions/Pixels.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

namespace tr = ly::transitions;

constexpr int kStep = 5; // the album's setting
constexpr int kProgress = 50;
const QSize kSizes[] = {{470, 330}, {1920, 1080}};

// A picture with detail everywhere, so no copy is cheaper than a real one.
QImage pattern(QSize size, uint32_t seed)
{
    QImage image(size, tr::kFrameFormat);
    uint32_t v = seed;
    for (int y = 0; y < size.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            v = v * 1664525u + 1013904223u;
            row[x] = 0xff000000u | (v >> 8);
        }
    }
    return image;
}

std::string sizeName(QSize s)
{
    return std::to_string(s.width()) + "x" + std::to_string(s.height());
}

void copyFrame(benchmark::State &state, QSize size)
{
    const QImage source = pattern(size, 1);
    QImage frame = source.copy();
    for (auto _ : state) {
        tr::copyFrame(frame, source);
        benchmark::DoNotOptimize(frame.constBits());
        benchmark::ClobberMemory();
    }
}

void composeStyle(benchmark::State &state, QSize size, int style)
{
    const QImage snapshot = pattern(size, 1);
    const QImage picture = pattern(size, 2);
    QImage frame = snapshot.copy();
    for (auto _ : state) {
        tr::composeFrame(frame, snapshot, picture, style, kStep, kProgress);
        benchmark::DoNotOptimize(frame.constBits());
        benchmark::ClobberMemory();
    }
}

// Keeps the median CPU time of each benchmark (other processes on the machine disturb it
// less than wall time) while the console shows the runs as usual.
class Collector : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> medians;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                medians[r.run_name.function_name] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    for (const QSize size : kSizes) {
        benchmark::RegisterBenchmark(("copy/" + sizeName(size)).c_str(), copyFrame, size)
            ->Repetitions(3)
            ->ReportAggregatesOnly(true);
        for (int style = 1; style <= tr::kStyleCount; ++style)
            benchmark::RegisterBenchmark(
                ("style" + std::to_string(style) + "/" + sizeName(size)).c_str(), composeStyle,
                size, style)
                ->Repetitions(3)
                ->ReportAggregatesOnly(true);
    }
    benchmark::Initialize(&argc, argv);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    std::printf("\nFrame cost at progress %d, Step %d, in frame copies of the same size\n",
                kProgress, kStep);
    std::printf("%5s  %-56s", "style", "name");
    for (const QSize size : kSizes)
        std::printf(" %10s", sizeName(size).c_str());
    std::printf("\n");
    std::vector<std::vector<double>> ratios(std::size(kSizes));
    for (int style = 1; style <= tr::kStyleCount; ++style) {
        std::printf("%5d  %-56s", style, tr::styleName(style).toUtf8().constData());
        for (size_t i = 0; i < std::size(kSizes); ++i) {
            const std::string size = sizeName(kSizes[i]);
            const auto base = collector.medians.find("copy/" + size);
            const auto run = collector.medians.find("style" + std::to_string(style) + "/" + size);
            if (base == collector.medians.end() || run == collector.medians.end()) {
                std::printf(" %10s", "-");
                continue;
            }
            const double ratio = run->second / base->second;
            ratios[i].push_back(ratio);
            std::printf(" %10.2f", ratio);
        }
        std::printf("\n");
    }
    for (const char *what : {"median", "worst"}) {
        std::printf("%5s  %-56s", "", what);
        for (const std::vector<double> &r : ratios) {
            if (r.empty())
                std::printf(" %10s", "-");
            else
                std::printf(" %10.2f", what[0] == 'm' ? median(r) : *std::max_element(r.begin(), r.end()));
        }
        std::printf("\n");
    }
    return 0;
}
