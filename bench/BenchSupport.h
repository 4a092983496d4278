#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// What the benchmark programs share: a reporter that keeps each run's time, so a program can
// print its results as ratios against a baseline measured in the same run.
namespace lybench {

class TimeReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            m_times[run.run_name.str()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The time of the first run whose name starts with the prefix (run names carry the
    // arguments after the function name); 0 when there is none. With repetitions, the median.
    double time(const std::string &prefix) const
    {
        for (const auto &[name, t] : m_times)
            if (name.rfind(prefix, 0) == 0)
                return t;
        return 0.0;
    }

private:
    std::map<std::string, double> m_times;
};

// benchmark::Initialize with repetitions run interleaved at random, so a load that comes and
// goes on a shared machine falls on every benchmark alike (a flag on the command line still
// decides).
inline void InitializeInterleaved(int argc, char **argv)
{
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    static std::vector<char *> args;
    args.assign(argv, argv + argc);
    args.insert(args.begin() + 1, interleave);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
}

} // namespace lybench
