#include "CFileReader.h"

#include "FrameExtraction.h"
#include "HeaderFieldText.h"
#include "RbimfFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cstring>

Q_LOGGING_CATEGORY(lcBigFile, "lumetra.bigfile")

namespace {

QDate headerDate(const QString& text)
{
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

// A run time carries its run date, so that it is a complete, valid moment.
QDateTime headerTime(const QDate& runDate, const QString& text)
{
    return QDateTime(runDate, QTime::fromString(text, QStringLiteral("HH:mm:ss")));
}

// The big file's path with its extension replaced by ".dex".
QString indexPathFor(const QString& dataPath)
{
    const qsizetype nameStart = dataPath.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = dataPath.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot >= nameStart ? dataPath.left(dot) : dataPath;
    return stem + QStringLiteral(".dex");
}

bool accessible(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

} // namespace

CFileReader::CFileReader() = default;

CFileReader::~CFileReader()
{
    CloseFile();
}

int CFileReader::OpenFromTaskFile(TaskFileRecord record)
{
    CloseFile();
    storedRecord_ = std::move(record);
    return openStoredFile();
}

int CFileReader::openStoredFile()
{
    const QString dataPath = storedRecord_.FilePath;
    const QString indexPath = indexPathFor(dataPath);
    if (!accessible(dataPath)) {
        qCWarning(lcBigFile).noquote() << QStringLiteral("数据文件[%1]  不存在或不可访问").arg(dataPath);
        return 0;
    }
    if (!accessible(indexPath)) {
        qCWarning(lcBigFile).noquote() << QStringLiteral("索引文件[%1]  不存在或不可访问").arg(indexPath);
        return 0;
    }
    std::unique_ptr<RbimfFile> reader(BIMFReaderReadBimfFileAndIndex(
        QFile::encodeName(dataPath).constData(), QFile::encodeName(indexPath).constData(), 0));
    if (!reader) {
        qCWarning(lcBigFile).noquote()
            << QStringLiteral("BIMFReaderReadBimfFileAndIndex [%1][%2] 读取失败").arg(dataPath, indexPath);
        qCDebug(lcBigFile).noquote() << QString::fromUtf8(BIMFLastErrorText());
        return 0;
    }
    const UniversalTrackInfo_Ex* header = reader->GetUniversalTrackInfo();
    if (header == nullptr || header->PhotoNum == 0) {
        qCWarning(lcBigFile).noquote()
            << QStringLiteral("GetUniversalTrackInfo [%1][%2] 读取失败").arg(dataPath, indexPath);
        reader->Final();
        return 0;
    }
    reader_ = std::move(reader);
    fillFileRecord(dataPath);
    takeFirstFrameSize();
    return 1;
}

void CFileReader::fillFileRecord(const QString& dataPath)
{
    const UniversalTrackInfo_Ex& header = *reader_->GetUniversalTrackInfo();
    TaskFileRecord& file = fileRecord_;
    file = TaskFileRecord();
    // The record has no field of its own for the file's name; TaskName holds
    // it, as no task is known to a bare file.
    file.TaskName = QFileInfo(dataPath).completeBaseName();
    file.LineCode = HeaderFieldText(header.LineCode);
    file.LineName = HeaderFieldText(header.LineName);
    file.TrainNo = HeaderFieldText(header.TrainNo);
    file.RunDirection = header.RunDirection;
    file.CarDirection = header.CarDirection;
    file.KMDirection = header.KMDirection;
    file.RailSide = header.RailSide != '\0' ? QString(QLatin1Char(header.RailSide)) : QString();
    file.PhotoNum = header.PhotoNum;
    const QDate startDate = headerDate(HeaderFieldText(header.StartRunDate));
    const QDate endDate = headerDate(HeaderFieldText(header.EndRunDate));
    file.StartRunDate = QDateTime(startDate, QTime(0, 0));
    file.StartRunTime = headerTime(startDate, HeaderFieldText(header.StartRunTime));
    file.EndRunDate = QDateTime(endDate, QTime(0, 0));
    file.EndRunTime = headerTime(endDate, HeaderFieldText(header.EndRunTime));
    file.StartKm = header.StartKm;
    file.StartM = header.StartM;
    file.EndKM = header.EndKM;
    file.EndM = header.EndM;
    file.VResolution = header.VResolution;
    file.HResolution = header.HResolution;
    file.VPixelNum = header.VPixelNum;
    file.HPixelNum = header.HPixelNum;
    file.PhotoType = header.PhotoType;
    file.FilePath = dataPath;
}

// Headers written by some recorders keep a nominal frame size; the frames
// themselves are what the tracks lay out.
void CFileReader::takeFirstFrameSize()
{
    int width = 0, height = 0;
    if (!GetFirstFrameSize(reader_.get(), &width, &height) || width == 0 || height == 0)
        return;
    if (width != fileRecord_.HPixelNum || height != fileRecord_.VPixelNum)
        qCDebug(lcBigFile).noquote() << QString::asprintf("Heade Size[ %d,%d]  Real Size [%d,%d]...",
                                                          fileRecord_.HPixelNum, fileRecord_.VPixelNum,
                                                          width, height);
    fileRecord_.HPixelNum = width;
    fileRecord_.VPixelNum = height;
}

void CFileReader::CloseFile()
{
    std::unique_ptr<RbimfFile> closing;
    {
        // A track still reading finishes its frame before the reader goes.
        std::lock_guard<std::mutex> guard(lock_);
        closing = std::move(reader_);
    }
    if (closing)
        closing->Final();
}

RbimfFile* CFileReader::GetFile() const
{
    return reader_.get();
}

int* CFileReader::FindFramesAt(int km, int m, int* count)
{
    if (!reader_)
        return nullptr;
    return reader_->GetTrackImagesNumber(static_cast<int16_t>(km), static_cast<int16_t>(m), count);
}

int CFileReader::GetFrameCount() { return fileRecord_.PhotoNum; }
int CFileReader::GetFrameWidth() { return fileRecord_.HPixelNum; }
int CFileReader::GetFrameHeight() { return fileRecord_.VPixelNum; }
QString CFileReader::GetLineName() { return fileRecord_.LineName; }
QString CFileReader::GetLineCode() { return fileRecord_.LineCode; }
int CFileReader::GetEndPosition() { return fileRecord_.EndKM * 1000 + fileRecord_.EndM; }

QString CFileReader::GetCarDirectionText()
{
    return fileRecord_.CarDirection == 1 ? QStringLiteral("下行") : QStringLiteral("上行");
}

int CFileReader::GetCarDirection() { return fileRecord_.CarDirection; }
QString CFileReader::GetRailSide() { return fileRecord_.RailSide; }
int CFileReader::GetTrackId() { return storedRecord_.TrackID; }
int CFileReader::GetChannelId() { return storedRecord_.ChannelID; }

QString CFileReader::GetStartTimeText()
{
    return fileRecord_.StartRunDate.toString(QStringLiteral("yyyy_MM_dd")) + QLatin1Char('_')
        + fileRecord_.StartRunTime.toString(QStringLiteral("HH_mm_ss"));
}

int CFileReader::Reopen()
{
    CloseFile();
    return openStoredFile();
}

int CFileReader::ReadFrame(int frame, char* buffer, int capacity, int* byteCount, int* km, int* m)
{
    if (frame < 0)
        return 0;
    std::lock_guard<std::mutex> guard(lock_);
    if (!reader_)
        return 0;
    TrackImageJPG_ image;
    std::memset(&image, 0, sizeof image);
    if (!reader_->GetTrackImage(&image, frame))
        return 0;
    const bool deliverable = image.JpgSize >= 0
        && (buffer == nullptr || (image.pJpgData != nullptr && image.JpgSize <= capacity));
    if (deliverable) {
        if (buffer)
            std::memcpy(buffer, image.pJpgData, static_cast<size_t>(image.JpgSize));
        if (byteCount)
            *byteCount = image.JpgSize;
        if (km)
            *km = image.Km;
        if (m)
            *m = image.M;
    }
    reader_->ReleaseImage(&image);
    return deliverable ? 1 : 0;
}

void CFileReader::Reserved() {}
