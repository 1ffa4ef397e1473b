// The channel frame reader over real big files: opening and its traces, the
// header and first-frame values it reports, ReadFrame's rules, and several
// threads reading one reader while it may close.
#include "BigFileMaker.h"
#include "CFileReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Collects what the reader traces in its logging category.
class TraceCapture
{
public:
    TraceCapture() { previous_ = qInstallMessageHandler(&TraceCapture::handle); }
    ~TraceCapture()
    {
        qInstallMessageHandler(previous_);
        lines().clear();
    }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;
    static QStringList& lines()
    {
        static QStringList captured;
        return captured;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (QByteArray(context.category) == "lumetra.bigfile")
            lines().append(message);
    }
    QtMessageHandler previous_ = nullptr;
};

class FileReaderFixture : public ::testing::Test
{
protected:
    // Writes `maker` as channel.bimf and answers a task file record naming it.
    CFileReader::TaskFileRecord write(const BigFileMaker& maker, const char* name = "channel.bimf")
    {
        CFileReader::TaskFileRecord record;
        record.FilePath = dir_.filePath(name);
        record.TrackID = 7;
        record.ChannelID = 3;
        EXPECT_TRUE(maker.write(record.FilePath));
        return record;
    }

    // Frames 1..count, each a flat 64 x 64 picture of its own shade.
    static BigFileMaker shadedFrames(int count, const BigFileHeader& header = {})
    {
        BigFileMaker maker(header);
        for (int i = 1; i <= count; ++i)
            maker.addFrame(MakeGreyJpeg(64, 64, [i](int x, int) { return uint8_t(i * 10 + x % 3); }));
        return maker;
    }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(FileReaderFixture, ReportsTheHeaderAndTheStoredIds)
{
    BigFileHeader header;
    header.lineName = QByteArray("京沪高速线路名称很长的一条线路") + QByteArray(30, 'x');  // fills the field
    const BigFileMaker maker = shadedFrames(3, header);
    CFileReader reader;
    ASSERT_EQ(reader.OpenFromTaskFile(write(maker)), 1);
    EXPECT_NE(reader.GetFile(), nullptr);
    EXPECT_EQ(reader.GetFrameCount(), 3);
    EXPECT_EQ(reader.GetFrameWidth(), 64);
    EXPECT_EQ(reader.GetFrameHeight(), 64);
    EXPECT_EQ(reader.GetLineCode(), "L01");
    // 30 bytes: ten three-byte characters, no terminating zero needed.
    EXPECT_EQ(reader.GetLineName(), QString::fromUtf8("京沪高速线路名称很长"));
    EXPECT_EQ(reader.GetEndPosition(), 12 * 1000 + 345);
    EXPECT_EQ(reader.GetRailSide(), "L");
    EXPECT_EQ(reader.GetTrackId(), 7);
    EXPECT_EQ(reader.GetChannelId(), 3);
    EXPECT_EQ(reader.GetStartTimeText(), "2024_03_05_08_09_10");
    EXPECT_EQ(reader.FileRecord().TaskName, "channel");
    EXPECT_EQ(reader.FileRecord().EndRunTime.time(), QTime(9, 10, 11));
    EXPECT_EQ(reader.FileRecord().FilePath, dir_.filePath("channel.bimf"));
}

TEST_F(FileReaderFixture, CarDirectionTextIsDownOnlyForOne)
{
    const std::pair<uint8_t, const char*> cases[] = {{0, "上行"}, {1, "下行"}, {2, "上行"}, {255, "上行"}};
    for (auto [direction, text] : cases) {
        BigFileHeader header;
        header.carDirection = direction;
        CFileReader reader;
        ASSERT_EQ(reader.OpenFromTaskFile(write(shadedFrames(1, header))), 1);
        EXPECT_EQ(reader.GetCarDirection(), direction);
        EXPECT_EQ(reader.GetCarDirectionText(), QString::fromUtf8(text)) << int(direction);
    }
}

TEST_F(FileReaderFixture, FirstFrameSizeOverridesTheHeader)
{
    BigFileHeader header;
    header.frameWidth = 2048;
    header.frameHeight = 1024;
    BigFileMaker maker(header);
    maker.addFrame(MakeFlatJpeg(2048, 1000, 90));
    TraceCapture traces;
    CFileReader reader;
    ASSERT_EQ(reader.OpenFromTaskFile(write(maker)), 1);
    EXPECT_EQ(reader.GetFrameWidth(), 2048);
    EXPECT_EQ(reader.GetFrameHeight(), 1000);
    EXPECT_TRUE(traces.lines().contains("Heade Size[ 2048,1024]  Real Size [2048,1000]..."))
        << traces.lines().join('\n').toStdString();
}

TEST_F(FileReaderFixture, OpeningFailsWithATraceForMissingOrDamagedFiles)
{
    const CFileReader::TaskFileRecord record = write(shadedFrames(2));
    const QString indexPath = BigFileMaker::indexPathFor(record.FilePath);

    CFileReader::TaskFileRecord missingData = record;
    missingData.FilePath = dir_.filePath("absent.bimf");

    CFileReader::TaskFileRecord noIndex = write(shadedFrames(2), "noindex.bimf");
    QFile::remove(BigFileMaker::indexPathFor(noIndex.FilePath));

    CFileReader::TaskFileRecord damaged = write(shadedFrames(2), "damaged.bimf");
    QFile data(damaged.FilePath);
    ASSERT_TRUE(data.open(QIODevice::WriteOnly | QIODevice::Truncate));
    data.write(QByteArray(300, 'z'));
    data.close();

    CFileReader::TaskFileRecord empty = write(BigFileMaker(), "empty.bimf");

    const struct
    {
        CFileReader::TaskFileRecord record;
        QString trace;
    } cases[] = {
        {empty, QString::fromUtf8("GetUniversalTrackInfo [%1][%2] 读取失败")
                    .arg(empty.FilePath, BigFileMaker::indexPathFor(empty.FilePath))},
        {missingData, QString::fromUtf8("数据文件[%1]  不存在或不可访问").arg(missingData.FilePath)},
        {noIndex, QString::fromUtf8("索引文件[%1]  不存在或不可访问").arg(BigFileMaker::indexPathFor(noIndex.FilePath))},
        {damaged, QString::fromUtf8("BIMFReaderReadBimfFileAndIndex [%1][%2] 读取失败")
                      .arg(damaged.FilePath, BigFileMaker::indexPathFor(damaged.FilePath))},
    };
    for (const auto& c : cases) {
        TraceCapture traces;
        CFileReader reader;
        EXPECT_EQ(reader.OpenFromTaskFile(c.record), 0);
        EXPECT_EQ(reader.GetFile(), nullptr);
        EXPECT_TRUE(traces.lines().contains(c.trace)) << traces.lines().join('\n').toStdString();
        int count = -1;
        EXPECT_EQ(reader.ReadFrame(1, nullptr, 0, &count, nullptr, nullptr), 0);
        EXPECT_EQ(reader.FindFramesAt(12, 0, &count), nullptr);
        // The stored ids are still reported by the closed reader.
        EXPECT_EQ(reader.GetTrackId(), 7);
    }
}

TEST_F(FileReaderFixture, ReadFrameCopiesTheJpegAndItsPosition)
{
    const BigFileMaker maker = shadedFrames(4);
    CFileReader reader;
    ASSERT_EQ(reader.OpenFromTaskFile(write(maker)), 1);
    const std::vector<uint8_t>& expected = maker.frame(3);
    std::vector<char> buffer(expected.size() + 10, 0);
    int bytes = 0, km = 0, m = 0;
    ASSERT_EQ(reader.ReadFrame(3, buffer.data(), int(buffer.size()), &bytes, &km, &m), 1);
    EXPECT_EQ(bytes, int(expected.size()));
    EXPECT_EQ(km, 12);
    EXPECT_EQ(m, 2);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), reinterpret_cast<uint8_t*>(buffer.data())));

    // No buffer: position and size only.
    bytes = km = m = 0;
    ASSERT_EQ(reader.ReadFrame(4, nullptr, 0, &bytes, &km, &m), 1);
    EXPECT_EQ(bytes, int(maker.frame(4).size()));
    EXPECT_EQ(m, 3);

    // A frame exactly the capacity fits.
    EXPECT_EQ(reader.ReadFrame(3, buffer.data(), int(expected.size()), &bytes, nullptr, nullptr), 1);
}

TEST_F(FileReaderFixture, ReadFrameRefusalsLeaveEveryOutputUnchanged)
{
    CFileReader reader;
    ASSERT_EQ(reader.OpenFromTaskFile(write(shadedFrames(2))), 1);
    const struct
    {
        const char* name;
        int frame;
        int capacity;
    } cases[] = {
        {"negative frame", -1, 100000},
        {"beyond the last frame", 3, 100000},
        {"frame zero", 0, 100000},
        {"larger than the capacity", 1, 10},
    };
    for (const auto& c : cases) {
        std::vector<char> buffer(64, 'q');
        int bytes = -5, km = -6, m = -7;
        EXPECT_EQ(reader.ReadFrame(c.frame, buffer.data(), c.capacity, &bytes, &km, &m), 0) << c.name;
        EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 'q'), 64) << c.name;
        EXPECT_EQ(bytes, -5) << c.name;
        EXPECT_EQ(km, -6) << c.name;
        EXPECT_EQ(m, -7) << c.name;
    }
}

TEST_F(FileReaderFixture, ReopenAndFindFramesAtUseTheStoredRecord)
{
    CFileReader reader;
    ASSERT_EQ(reader.OpenFromTaskFile(write(shadedFrames(5))), 1);
    int count = 0;
    int* frames = reader.FindFramesAt(12, 3, &count);
    ASSERT_NE(frames, nullptr);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(frames[0], 4);
    reader.CloseFile();
    EXPECT_EQ(reader.GetFile(), nullptr);
    EXPECT_EQ(reader.GetFrameCount(), 5);  // getters work while closed
    ASSERT_EQ(reader.Reopen(), 1);
    int bytes = 0;
    EXPECT_EQ(reader.ReadFrame(5, nullptr, 0, &bytes, nullptr, nullptr), 1);
}

TEST_F(FileReaderFixture, ThreadsReadOneReaderAtOnceAndSurviveItsClosing)
{
    const BigFileMaker maker = shadedFrames(20);
    CFileReader reader;
    ASSERT_EQ(reader.OpenFromTaskFile(write(maker)), 1);
    std::atomic<int> wrong{0}, delivered{0};
    std::atomic<bool> closed{false};
    std::atomic<int> finished{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            std::vector<char> buffer(64 * 64 + 1536);
            for (int i = 0; i < 400; ++i) {
                const int frame = (i * 7 + t) % 20 + 1;
                const bool wasClosed = closed.load();
                int bytes = 0, km = 0, m = 0;
                if (!reader.ReadFrame(frame, buffer.data(), int(buffer.size()), &bytes, &km, &m)) {
                    if (!wasClosed && !closed.load())
                        ++wrong;
                    continue;
                }
                ++delivered;
                const auto& expected = maker.frame(frame);
                if (bytes != int(expected.size()) || m != frame - 1
                    || !std::equal(expected.begin(), expected.end(), reinterpret_cast<uint8_t*>(buffer.data())))
                    ++wrong;
            }
            ++finished;
        });
    // Close while the threads are still reading (or once they all gave up).
    while (delivered.load() < 200 && finished.load() < 4)
        std::this_thread::yield();
    closed = true;
    reader.CloseFile();
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
    int bytes = 0;
    EXPECT_EQ(reader.ReadFrame(1, nullptr, 0, &bytes, nullptr, nullptr), 0);
}
