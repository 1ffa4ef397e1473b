// Option reads: the program reads about twenty keys at start-up and again
// after each options dialog, each one a store call on the user-interface
// thread.

#include "CBaseDatabaseBuilder.h"
#include "CConnectionDescriptor.h"
#include "LumetraDBExport.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct ConnectedStore
{
    ConnectedStore()
    {
        CBaseDatabaseBuilder::Create(dir.filePath("db/basedata.mdb"), false, nullptr);
        CreateDBInstance(&store);
        store->ConnectDB(CConnectionDescriptor::ForSQLiteFile(dir.filePath("db/basedata.mdb")));
        store->SetAppOption("ZhenCount", "3");
    }
    ~ConnectedStore() { store->Release(); }

    QTemporaryDir dir;
    ILumetraDBInterface* store = nullptr;
};

void BM_GetAppOptionLong(benchmark::State& state)
{
    ConnectedStore fixture;
    int32_t value = 0;
    for (auto _ : state) {
        fixture.store->GetAppOptionLong("ZhenCount", value);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_GetAppOptionLong);

void BM_GetAppOptionMissingKey(benchmark::State& state)
{
    ConnectedStore fixture;
    int value = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.store->GetAppOptionInt("DivLine", value));
}
BENCHMARK(BM_GetAppOptionMissingKey);

void BM_ConnectAndRelease(benchmark::State& state)
{
    ConnectedStore fixture;
    const QString descriptor = CConnectionDescriptor::ForSQLiteFile(fixture.dir.filePath("db/basedata.mdb"));
    for (auto _ : state) {
        ILumetraDBInterface* store = nullptr;
        CreateDBInstance(&store);
        benchmark::DoNotOptimize(store->ConnectDB(descriptor));
        store->Release();
    }
}
BENCHMARK(BM_ConnectAndRelease);

} // namespace
