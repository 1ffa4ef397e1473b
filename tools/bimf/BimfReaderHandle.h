#pragma once
// Owns an RbimfFile for the length of one command: Final and delete on every
// way out.

#include "RbimfFile.h"

#include <memory>

struct BimfReaderCloser
{
    void operator()(RbimfFile* reader) const
    {
        reader->Final();
        delete reader;
    }
};

using BimfReaderHandle = std::unique_ptr<RbimfFile, BimfReaderCloser>;
