#include "SimulatedRun.h"

#include "JpegCodec.h"
#include "SimulatorOptionParser.h"

#include <QFile>

ReaderHandle OpenChannel(const QString& dataPath, const QString& indexPath)
{
    return ReaderHandle(BIMFReaderReadBimfFileAndIndex(QFile::encodeName(dataPath).constData(),
                                                       QFile::encodeName(indexPath).constData(), 0));
}

DecodedFrame ReadFrame(RbimfFile* reader, int frameNumber)
{
    DecodedFrame frame;
    if (!reader->GetTrackImage(&frame.record, frameNumber))
        return frame;
    JpegImageInfo info;
    std::string error;
    if (ReadJpegHeader(frame.record.pJpgData, size_t(frame.record.JpgSize), &info, &error)) {
        std::vector<uint8_t> pixels(size_t(info.width) * size_t(info.height));
        if (DecodeJpegGray(frame.record.pJpgData, size_t(frame.record.JpgSize), pixels.data(), info.width, info.width,
                           info.height, &info, &error)) {
            frame.width = info.width;
            frame.height = info.height;
            frame.pixels = std::move(pixels);
        }
    }
    TrackImageJPG_ copy = frame.record;
    reader->ReleaseImage(&copy);
    frame.record.pJpgData = nullptr;
    return frame;
}

SimulatedRun::SimulatedRun(const QStringList& arguments)
{
    dir_.createBaseDatabase();
    QString error;
    if (SimulatorOptionParser::Parse(arguments + QStringList{QStringLiteral("--out"), outputDirectory()}, &options_, &error)
        != SimulatorOptionParser::Result::Run) {
        error_ = error;
        return;
    }
    ok_ = TaskSimulator(options_).run(&summary_, &error_);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
