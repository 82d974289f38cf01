// What a new installation costs: the table script and upgrade, the delivered
// data (2,538 foods merged, named and grouped), and the demo month.
#include "masters/InitialData.h"
#include "menu/DemoData.h"
#include "store/SchemaUpgrade.h"
#include "support/TempInstall.h"

#include <benchmark/benchmark.h>

namespace {

void BM_NewInstallation(benchmark::State& state)
{
    const bool demo = state.range(0) != 0;
    for (auto _ : state) {
        TempInstall install;
        auto session = install.openSession();
        store::SchemaUpgrade(*session).runAll();
        masters::InitialData::load(*session);
        if (demo)
            menu::DemoData::load(*session);
    }
}
BENCHMARK(BM_NewInstallation)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
