// The chart image rebuilt as data: the default chart at 1280 x 960 with every
// grid family, through sessions on the linked calculator core.
#include <benchmark/benchmark.h>

#include <string>

#include "CChartSceneBuilder.h"
#include "CCoreCalcBinding.h"
#include "CDataLayerBuilder.h"

namespace {

using namespace humichart;

void BM_DefaultChartScene(benchmark::State& state) {
    CHumichartDataObj data;
    CChartView view(data);
    CCoreCalcBinding calc;
    ChartScene scene;
    view.SetClientSize(1280, 960);
    for (auto _ : state) {
        view.renderPending = 1;
        if (CChartSceneBuilder(calc).BuildImage(view, true, scene) != kStatusOk)
            state.SkipWithError("rebuild failed");
        benchmark::DoNotOptimize(scene.texts.data());
    }
}
BENCHMARK(BM_DefaultChartScene)->Unit(benchmark::kMillisecond);

// The data layer redrawn on every paint: 10,000 points and 1,000 processes.
void BM_DataLayer(benchmark::State& state) {
    CHumichartDataObj data;
    CChartView view(data);
    CCoreCalcBinding calc;
    ChartScene scene;
    view.SetClientSize(1280, 960);
    CChartSceneBuilder(calc).BuildImage(view, true, scene);
    for (int i = 0; i < 10000; ++i)
        data.points.push_back({(i % 90) - 10.0, (i % 40) * 0.9, L"P" + std::to_wstring(i)});
    for (int i = 0; i < 1000; ++i)
        data.processes.push_back(
            {L"P" + std::to_wstring(i), L"P" + std::to_wstring(9999 - i), L"", 1000});
    DataLayer layer;
    for (auto _ : state) {
        CDataLayerBuilder(calc).Build(view, layer);
        benchmark::DoNotOptimize(layer.dots.data());
    }
}
BENCHMARK(BM_DataLayer)->Unit(benchmark::kMillisecond);

}  // namespace
