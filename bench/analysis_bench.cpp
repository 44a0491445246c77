// One Analyze click as the display step sees it: the field texts in, every
// text the window shows out. The window adds only widget work on top of this.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "display.h"

namespace {

using plovatrix::ClickOutcome;
using plovatrix::FieldTexts;
using plovatrix::PatternDirection;

// The three inputs the window benchmark clicks too, with the window's own
// defaults for the fields they leave alone (candle counts 0, point size as listed).
FieldTexts Fields(const char* a, const char* b, const char* c) {
    return FieldTexts{.a = a,
                      .b = b,
                      .c = c,
                      .tolerance = "5",
                      .pointSize = "0.0001",
                      .abCandles = "0",
                      .bcCandles = "0"};
}

const FieldTexts kBullish = Fields("1.3000", "1.2000", "1.2618");
const FieldTexts kBearish = Fields("1.2000", "1.3000", "1.2618");
const FieldTexts kNoMatch = Fields("1.3000", "1.2000", "1.2388");

// A benchmark of the wrong case would measure nothing useful: refuse to run it.
void Expect(const FieldTexts& fields, ClickOutcome outcome, PatternDirection direction,
            const char* what) {
    const auto click = plovatrix::ComposeClick(fields, ".");
    if (click.outcome != outcome || click.direction != direction || !click.texts.priceA) {
        std::fprintf(stderr, "analysis_bench: the %s input does not give its outcome\n", what);
        std::exit(2);
    }
}

void Click(benchmark::State& state, const FieldTexts& fields) {
    for (auto _ : state) {
        auto click = plovatrix::ComposeClick(fields, ".");
        benchmark::DoNotOptimize(click);
    }
}

void BM_ClickBullish(benchmark::State& state) {
    Click(state, kBullish);
}
void BM_ClickBearish(benchmark::State& state) {
    Click(state, kBearish);
}
void BM_ClickNoMatch(benchmark::State& state) {
    Click(state, kNoMatch);
}
BENCHMARK(BM_ClickBullish);
BENCHMARK(BM_ClickBearish);
BENCHMARK(BM_ClickNoMatch);

// A run with no figure: one that failed or was skipped. Benchmark 1.8 replaced
// the flag `error_occurred` with the state `skipped` (0 when the run ran);
// whichever of the two the installed version has.
template <class BenchmarkRun>
bool Unmeasured(const BenchmarkRun& run) {
    if constexpr (requires { run.skipped; }) {
        return run.skipped != decltype(run.skipped){};
    } else {
        return run.error_occurred;
    }
}

// The console table as usual, and a figure per case for the summary lines: the
// median of the repetitions when there are some, else the one run.
class Reporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal: a log or a pipe gets plain text.
    Reporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (Unmeasured(run)) {
                continue;
            }
            const double ns = run.GetAdjustedRealTime() *
                              benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                              benchmark::GetTimeUnitMultiplier(run.time_unit);
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Iteration) {
                runs_[name].push_back(ns);
            } else if (run.aggregate_name == "median") {
                medians_[name] = ns;
            }
        }
    }

    std::map<std::string, double> Figures() const {
        std::map<std::string, double> out = medians_;
        for (auto [name, v] : runs_) {
            if (!out.count(name)) {
                std::sort(v.begin(), v.end());
                const size_t n = v.size();
                out[name] = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
            }
        }
        return out;
    }

private:
    std::map<std::string, std::vector<double>> runs_;
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    Expect(kBullish, ClickOutcome::Result, PatternDirection::Bullish, "bullish");
    Expect(kBearish, ClickOutcome::Result, PatternDirection::Bearish, "bearish");
    Expect(kNoMatch, ClickOutcome::NoPattern, PatternDirection::Bullish, "no-match");

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    Reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // One line a case for scripts/bench.sh, and the slowest case as the figure.
    const double targetNs = 2000;
    const auto figures = reporter.Figures();
    if (figures.empty()) {
        std::fprintf(stderr, "analysis_bench: no benchmark ran\n");
        return 1;
    }
    double worst = 0;
    for (const auto& [name, ns] : figures) {
        std::printf("RESULT analysis %s %.1f ns\n", name.c_str(), ns);
        worst = std::max(worst, ns);
    }
    // FIGURE|what|measured|target|verdict, one row of the table scripts/bench.sh prints.
    std::printf("FIGURE|Analyze click, display step (slowest case)|%.2f us|< %.0f us|%s\n",
                worst / 1000, targetNs / 1000, worst < targetNs ? "met" : "MISSED");
    return 0;
}
