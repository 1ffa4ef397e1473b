#pragma once
// A store object made by the library's factory and released through its own
// Release(), as the program does.

#include "LumetraDBExport.h"

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
