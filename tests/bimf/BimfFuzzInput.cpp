#include "BimfFuzzInput.h"

#include "BimfMaintenance.h"
#include "RbimfFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool writeFile(const std::string& path, const uint8_t* bytes, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = size == 0 || std::fwrite(bytes, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// Reads everything the reader hands out; touching every byte lets the
// sanitizer see any read outside the mapping.
int readAll(RbimfFile& reader)
{
    const UniversalTrackInfo_Ex* header = reader.GetUniversalTrackInfo();
    if (!header)
        std::abort();
    int read = 0;
    volatile uint8_t sink = 0;
    for (int n = 0; n <= header->PhotoNum + 1; ++n) {
        TrackImageJPG_ image{};
        if (!reader.GetTrackImage(&image, n))
            continue;
        for (int32_t i = 0; i < image.JpgSize; ++i)
            sink = sink ^ image.pJpgData[i];
        int count = 0;
        const int* numbers = reader.GetTrackImagesNumber(image.Km, image.M, &count);
        if (!numbers || count < 1)
            std::abort();  // a fetched frame is always found at its own position
        for (int i = 0; i < count; ++i)
            if (numbers[i] < 1 || numbers[i] > header->PhotoNum)
                std::abort();
        reader.ReleaseImage(&image);
        ++read;
    }
    int count = 0;
    reader.GetTrackImagesNumber(-32768, 0, &count);
    return read;
}

} // namespace

BimfFuzzOutcome RunBimfFuzzInput(const uint8_t* bytes, size_t size, const std::string& folder)
{
    BimfFuzzOutcome outcome;
    uint32_t dataSize = 0;
    if (size >= 4)
        dataSize = uint32_t(bytes[0]) | (uint32_t(bytes[1]) << 8) | (uint32_t(bytes[2]) << 16)
                   | (uint32_t(bytes[3]) << 24);
    const size_t rest = size >= 4 ? size - 4 : 0;
    const size_t dataBytes = dataSize < rest ? dataSize : rest;
    const std::string dataPath = folder + "/fuzz.bimf";
    const std::string indexPath = folder + "/fuzz.dex";
    if (!writeFile(dataPath, bytes + (size - rest), dataBytes)
        || !writeFile(indexPath, bytes + (size - rest) + dataBytes, rest - dataBytes))
        return outcome;

    if (RbimfFile* reader = BIMFReaderReadBimfFileAndIndex(dataPath.c_str(), indexPath.c_str(), 0)) {
        outcome.opened = true;
        outcome.framesRead = readAll(*reader);
        reader->Final();
        delete reader;
    } else if (std::strlen(BIMFLastErrorText()) == 0) {
        std::abort();  // a refusal always says why
    }
    BimfCheckFile(dataPath.c_str(), indexPath.c_str(), nullptr, nullptr);

    outcome.rebuiltFrames = BIMFRebuildIndex(dataPath.c_str(), indexPath.c_str());
    if (outcome.rebuiltFrames >= 0) {
        RbimfFile* reader = BIMFReaderReadBimfFileAndIndex(dataPath.c_str(), indexPath.c_str(), 0);
        if (!reader)
            std::abort();  // a rebuilt index always opens
        if (readAll(*reader) != outcome.rebuiltFrames)
            std::abort();  // and every frame in it reads
        if (BimfCheckFile(dataPath.c_str(), indexPath.c_str(), nullptr, nullptr) < 0)
            std::abort();
        reader->Final();
        delete reader;
    }
    return outcome;
}

std::string FrameBimfFuzzInput(const std::string& data, const std::string& index)
{
    std::string input(4, '\0');
    for (int i = 0; i < 4; ++i)
        input[size_t(i)] = char((data.size() >> (8 * i)) & 0xFF);
    return input + data + index;
}
