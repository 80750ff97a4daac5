#include <benchmark/benchmark.h>

#include <cstdint>

#include "easing/EasingFunctions.h"

namespace {

// One frame's curve lookup of an animation of 42 frames, walking the frames so
// that every branch of the curve is taken.
void evaluate(benchmark::State& state, std::int64_t graph) {
    double t = 0.0;
    for (auto _ : state) {
        double p = wexo::EasingFunctions::getDelayByGraph(graph, t, 0.0, 1.0, 42.0);
        benchmark::DoNotOptimize(p);
        t = t >= 42.0 ? 0.0 : t + 1.0;
    }
}

void BM_CubicOut(benchmark::State& state) {
    evaluate(state, 5);
}
void BM_ExponentialInOut(benchmark::State& state) {
    evaluate(state, 21);
}
void BM_ElasticWithoutCurve(benchmark::State& state) {
    evaluate(state, 24);
}

BENCHMARK(BM_CubicOut);
BENCHMARK(BM_ExponentialInOut);
BENCHMARK(BM_ElasticWithoutCurve);

}  // namespace

BENCHMARK_MAIN();
