#include "BigFileMaker.h"

#include "JpegCodec.h"
#include "WbimfFile.h"

#include <QFile>

#include <cstring>
#include <memory>

std::vector<uint8_t> MakeGreyJpeg(int width, int height, const std::function<uint8_t(int, int)>& pixel)
{
    std::vector<uint8_t> raster(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            raster[static_cast<size_t>(y) * width + x] = pixel(x, y);
    std::vector<uint8_t> jpeg;
    EncodeJpegGray(raster.data(), width, height, width, 100, &jpeg, nullptr);
    return jpeg;
}

std::vector<uint8_t> MakeFlatJpeg(int width, int height, uint8_t value)
{
    return MakeGreyJpeg(width, height, [value](int, int) { return value; });
}

namespace {
template <size_t N>
void copyField(char (&field)[N], const QByteArray& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.constData(), std::min<size_t>(N, text.size()));
}
} // namespace

BigFileMaker::BigFileMaker(const BigFileHeader& header)
{
    copyField(header_.LineCode, header.lineCode);
    copyField(header_.LineName, header.lineName);
    header_.CarDirection = header.carDirection;
    header_.RailSide = header.railSide;
    copyField(header_.TrainNo, "T100");
    copyField(header_.StartRunDate, header.startDate);
    copyField(header_.StartRunTime, header.startTime);
    header_.StartKm = 12;
    header_.StartM = 0;
    header_.EndKM = header.endKm;
    header_.EndM = header.endM;
    header_.VPixelNum = static_cast<int16_t>(header.frameHeight);
    header_.HPixelNum = static_cast<int16_t>(header.frameWidth);
    endDate_ = "2024-03-05";
    endTime_ = "09:10:11";
}

void BigFileMaker::addFrame(std::vector<uint8_t> jpeg)
{
    frames_.push_back(std::move(jpeg));
}

QString BigFileMaker::indexPathFor(const QString& dataPath)
{
    QString stem = dataPath;
    stem.chop(dataPath.size() - dataPath.lastIndexOf(QLatin1Char('.')));
    return stem + QStringLiteral(".dex");
}

bool BigFileMaker::write(const QString& dataPath) const
{
    std::unique_ptr<WbimfFile> writer(BIMFWirterCreateBimfFileAndIndex(
        QFile::encodeName(dataPath).constData(), QFile::encodeName(indexPathFor(dataPath)).constData()));
    if (!writer || !writer->SetFileHead(&header_))
        return false;
    for (size_t i = 0; i < frames_.size(); ++i) {
        TrackImageJPG_ image{};
        image.pJpgData = const_cast<unsigned char*>(frames_[i].data());
        image.JpgSize = static_cast<int32_t>(frames_[i].size());
        image.ImageNumber = static_cast<int32_t>(i + 1);
        image.Km = header_.StartKm;
        image.M = static_cast<int16_t>(i);
        image.CaptureTime = 1709600000 + static_cast<int32_t>(i);
        if (!writer->SaveImage(&image))
            return false;
    }
    return writer->Final(1, endDate_.constData(), endTime_.constData()) != 0;
}
