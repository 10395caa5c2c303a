// What late binding costs over a direct call: name resolution, a property
// read and a method call with an argument through Invoke, and the same read
// from a script through the proxy. Part of palvex_bench.
#include <benchmark/benchmark.h>

#include <vector>

#include "control/automation/dispatch.h"
#include "control/palvex_chart.h"
#include "platform/qt/headless_host.h"
#include "script_host.h"

namespace {

using palvex::Dispatch;
using palvex::Variant;

struct Chart {
  Chart() { chart.InitProperties(); }
  palvex::HeadlessHost host;
  palvex::PalvexChart chart{host};
  Dispatch dispatch{chart};
};

void BM_DirectPropertyGet(benchmark::State& st) {
  Chart c;
  for (auto _ : st) benchmark::DoNotOptimize(c.chart.MaxY());
}
BENCHMARK(BM_DirectPropertyGet);

void BM_GetIDsOfNames(benchmark::State& st) {
  palvex::DispId id = 0;
  for (auto _ : st) {
    Dispatch::GetIDsOfNames(u"selectioninformation", id);
    benchmark::DoNotOptimize(id);
  }
}
BENCHMARK(BM_GetIDsOfNames);

void BM_InvokePropertyGet(benchmark::State& st) {
  Chart c;
  std::vector<Variant> none;
  Variant result;
  for (auto _ : st) {
    c.dispatch.Invoke(0x68030007, palvex::kInvokePropertyGet, none, &result);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_InvokePropertyGet);

void BM_InvokeMethodWithArgument(benchmark::State& st) {
  Chart c;
  std::vector<Variant> args = {Variant::Text(u"2345")};
  Variant result;
  for (auto _ : st) {
    c.dispatch.Invoke(0x60030040, palvex::kInvokeMethod, args, &result);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_InvokeMethodWithArgument);

// One script loop of 1000 property reads; the time per read is the figure.
void BM_ScriptPropertyGet(benchmark::State& st) {
  palvex::ScriptHost script([](const QString&) {});
  for (auto _ : st) script.Run("let s = 0; for (let i = 0; i < 1000; ++i) s += chart.maxy;");
  st.SetItemsProcessed(st.iterations() * 1000);
}
BENCHMARK(BM_ScriptPropertyGet)->Unit(benchmark::kMicrosecond);

}  // namespace
