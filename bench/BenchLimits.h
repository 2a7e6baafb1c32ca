#pragma once

// Runs the registered benchmarks, then prints each figure beside the limit measured in
// the same run: both times, their ratio and the ratio allowed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

// measured must stay within allowed times limit.
struct Limit {
    std::string measured;
    std::string limit;
    double allowed;
};

// measured must take at most this many milliseconds, on any machine; printed as a
// limit named "fixed" whose ratio is allowed up to 1.
struct Ceiling {
    std::string measured;
    double milliseconds;
};

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds; // real time per iteration

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                seconds[run.benchmark_name()] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
};

inline int runWithLimits(int argc, char** argv, const std::vector<Limit>& limits,
                         const std::vector<Ceiling>& ceilings = {}) {
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-44s %10s  %-40s %10s %7s %8s\n", "figure", "ms", "limit", "ms", "ratio",
                "allowed");
    for (const Limit& l : limits) {
        const auto m = reporter.seconds.find(l.measured), b = reporter.seconds.find(l.limit);
        if (m == reporter.seconds.end() || b == reporter.seconds.end())
            continue;
        const double ratio = m->second / b->second;
        std::printf("%-44s %10.3f  %-40s %10.3f %7.2f %7.2f%s\n", l.measured.c_str(),
                    m->second * 1e3, l.limit.c_str(), b->second * 1e3, ratio, l.allowed,
                    ratio > l.allowed ? "  OVER" : "");
    }
    for (const Ceiling& c : ceilings) {
        const auto m = reporter.seconds.find(c.measured);
        if (m == reporter.seconds.end())
            continue;
        const double ratio = m->second * 1e3 / c.milliseconds;
        std::printf("%-44s %10.3f  %-40s %10.3f %7.2f %7.2f%s\n", c.measured.c_str(),
                    m->second * 1e3, "fixed", c.milliseconds, ratio, 1.0,
                    ratio > 1.0 ? "  OVER" : "");
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
