#pragma once
// A store object made by the library's factory and released through its own
// Release(), as the program does; and a fixture holding one connected to a
// fresh base database in a temporary program directory.

#include "LumetraDBExport.h"
#include "TempProgramDir.h"

#include <gtest/gtest.h>
#include <memory>

struct StoreReleaser
{
    void operator()(ILumetraDBInterface* store) const
    {
        if (store)
            store->Release();
    }
};

using StoreHandle = std::unique_ptr<ILumetraDBInterface, StoreReleaser>;

inline StoreHandle NewStore()
{
    ILumetraDBInterface* store = nullptr;
    EXPECT_EQ(CreateDBInstance(&store), 1);
    return StoreHandle(store);
}

class ConnectedStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.createBaseDatabase();
        ASSERT_EQ(store->ConnectDB(dir.connectionString()), 1) << store->GetLastErrorText().toStdString();
    }

    TempProgramDir dir;
    StoreHandle store = NewStore();
};
