// The tiny preset's task directory as task import and the viewer read it:
// layout, headers, positions, frames that decode and join, defect rows.

#include "CFaultStore.h"
#include "FaultFileLocation.h"
#include "HeaderFieldText.h"
#include "SimulatedRun.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

namespace
{
class TinyRun : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { run = new SimulatedRun({"--preset", "tiny", "--seed", "11"}); }
    static void TearDownTestSuite()
    {
        delete run;
        run = nullptr;
    }
    static SimulatedRun* run;
};
SimulatedRun* TinyRun::run = nullptr;

double MeanAbsoluteDifference(const uint8_t* a, const uint8_t* b, int count)
{
    double sum = 0;
    for (int i = 0; i < count; ++i)
        sum += std::abs(int(a[i]) - int(b[i]));
    return sum / count;
}
}

TEST_F(TinyRun, WritesOneBigFileAndIndexPerChannelFolder)
{
    ASSERT_TRUE(run->ok()) << run->error().toStdString();
    const QStringList folders = {"LO", "LC", "LI", "RO", "RC", "RI"};
    const QDir out(run->outputDirectory());
    for (const QString& folder : folders) {
        const QStringList data = QDir(out.filePath(folder)).entryList({"*.bimf"}, QDir::Files);
        ASSERT_EQ(data.size(), 1) << folder.toStdString();
        const QString index = QFileInfo(data.first()).completeBaseName() + ".dex";
        EXPECT_TRUE(QFileInfo::exists(out.filePath(folder + "/" + index))) << folder.toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(out.filePath(FaultFileNameFor(run->summary().taskName))));
    EXPECT_EQ(run->summary().taskName, QStringLiteral("京沪线(2024-05-18 09:30:00)"));
}

TEST_F(TinyRun, HeadersDescribeTheRunAndTheChannel)
{
    ASSERT_TRUE(run->ok()) << run->error().toStdString();
    const char sides[] = {'L', 'L', 'L', 'R', 'R', 'R'};
    for (int channel = 1; channel <= 6; ++channel) {
        ReaderHandle reader = run->open(channel);
        ASSERT_TRUE(reader) << BIMFLastErrorText();
        const UniversalTrackInfo_Ex* h = reader->GetUniversalTrackInfo();
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(HeaderFieldText(h->LineName), QStringLiteral("京沪线"));
        EXPECT_EQ(HeaderFieldText(h->LineCode), QStringLiteral("JH"));
        EXPECT_FALSE(HeaderFieldText(h->SectionName).isEmpty());
        EXPECT_FALSE(HeaderFieldText(h->TrainNo).isEmpty());
        EXPECT_EQ(h->RailSide, sides[channel - 1]);
        EXPECT_EQ(h->PhotoNum, 12);
        EXPECT_EQ(h->HPixelNum, 256);
        EXPECT_EQ(h->VPixelNum, 200);
        EXPECT_EQ(h->StartKm, 120);
        EXPECT_EQ(h->StartM, 0);
        EXPECT_EQ(h->EndKM, 120);
        EXPECT_EQ(h->EndM, 22);
        EXPECT_EQ(HeaderFieldText(h->StartRunDate), QStringLiteral("2024-05-18"));
        EXPECT_EQ(HeaderFieldText(h->StartRunTime), QStringLiteral("09:30:00"));
        EXPECT_EQ(HeaderFieldText(h->EndRunTime), QStringLiteral("09:30:01"));
    }
}

TEST_F(TinyRun, FramesAdvanceAlongTheTrackAndDecodeToTheFrameSize)
{
    ASSERT_TRUE(run->ok()) << run->error().toStdString();
    ReaderHandle reader = run->open(4);
    ASSERT_TRUE(reader) << BIMFLastErrorText();
    int previousMetres = -1;
    int previousTime = 0;
    for (int frame = 1; frame <= 12; ++frame) {
        const DecodedFrame decoded = ReadFrame(reader.get(), frame);
        EXPECT_EQ(decoded.record.ImageNumber, frame);
        EXPECT_EQ(decoded.width, 256);
        EXPECT_EQ(decoded.height, 200);
        const int metres = decoded.record.Km * 1000 + decoded.record.M;
        if (previousMetres >= 0) {
            EXPECT_EQ(metres - previousMetres, 2) << "frame " << frame;
            EXPECT_GE(decoded.record.CaptureTime, previousTime);
        }
        previousMetres = metres;
        previousTime = decoded.record.CaptureTime;
    }
}

TEST_F(TinyRun, ConsecutiveFramesJoinWithoutABreak)
{
    ASSERT_TRUE(run->ok()) << run->error().toStdString();
    for (int channel : {1, 5}) {
        ReaderHandle reader = run->open(channel);
        ASSERT_TRUE(reader);
        std::vector<DecodedFrame> frames;
        for (int frame = 1; frame <= 12; ++frame)
            frames.push_back(ReadFrame(reader.get(), frame));
        const int width = frames[0].width, height = frames[0].height;
        double join = 0, random = 0;
        std::srand(5);
        for (size_t i = 0; i + 1 < frames.size(); ++i) {
            join += MeanAbsoluteDifference(&frames[i].pixels[size_t(height - 1) * width], frames[i + 1].pixels.data(), width);
            const DecodedFrame& a = frames[size_t(std::rand()) % frames.size()];
            const DecodedFrame& b = frames[size_t(std::rand()) % frames.size()];
            random += MeanAbsoluteDifference(&a.pixels[size_t(std::rand() % height) * width],
                                             &b.pixels[size_t(std::rand() % height) * width], width);
        }
        EXPECT_LT(join, 0.6 * random) << "channel " << channel << ": join " << join << ", random rows " << random;
    }
}

TEST_F(TinyRun, DefectRowsLieInsideTheirFramesWithKnownTypes)
{
    ASSERT_TRUE(run->ok()) << run->error().toStdString();
    CFaultStore store;
    ASSERT_EQ(store.OpenFaultDBFile(run->summary().faultFilePath), 1);
    std::vector<_FAULT_> faults;
    ASSERT_EQ(store.QueryFaults(-1, -1, -1, faults), 1);
    ASSERT_FALSE(faults.empty());
    EXPECT_EQ(int(faults.size()), run->summary().defectRows);

    const std::set<int> types = {2, 3, 4, 7};  // spalling, crack, corrugation, depression in the seed rows
    std::map<int, int> channelOfId;
    for (const ChannelPlan& plan : run->summary().channels)
        channelOfId[plan.track.Track_ChannelID] = plan.ordinal;
    std::set<int> states;
    for (const _FAULT_& fault : faults) {
        EXPECT_TRUE(types.count(fault.FaultStandardID)) << fault.FaultStandardID;
        ASSERT_TRUE(channelOfId.count(fault.FaultChannelID)) << fault.FaultChannelID;
        EXPECT_GE(fault.FaultX, 0);
        EXPECT_GE(fault.FaultY, 0);
        EXPECT_GT(fault.FaultCx, 0);
        EXPECT_GT(fault.FaultCy, 0);
        EXPECT_LE(fault.FaultX + fault.FaultCx, 256);
        EXPECT_LE(fault.FaultY + fault.FaultCy, 200);
        ASSERT_GE(fault.FaultImage, 1);
        ASSERT_LE(fault.FaultImage, 12);
        states.insert(fault.FaultState);
        ReaderHandle reader = run->open(channelOfId[fault.FaultChannelID]);
        const DecodedFrame frame = ReadFrame(reader.get(), fault.FaultImage);
        EXPECT_EQ(fault.FaultKM, frame.record.Km);
        EXPECT_EQ(fault.FaultM, frame.record.M);
    }
    for (int state : states)
        EXPECT_TRUE(state >= 0 && state <= 2) << state;
}

TEST(SimulatorSeed, SameSeedSameBytesOtherSeedOtherBytes)
{
    const QStringList base = {"--preset", "tiny", "--channels", "2"};
    SimulatedRun first(base + QStringList{"--seed", "21"});
    SimulatedRun again(base + QStringList{"--seed", "21"});
    SimulatedRun other(base + QStringList{"--seed", "22"});
    ASSERT_TRUE(first.ok() && again.ok() && other.ok()) << first.error().toStdString();
    for (int channel = 1; channel <= 2; ++channel) {
        const QByteArray bytes = FileBytes(first.dataPath(channel));
        ASSERT_FALSE(bytes.isEmpty());
        EXPECT_EQ(bytes, FileBytes(again.dataPath(channel)));
        EXPECT_EQ(FileBytes(first.indexPath(channel)), FileBytes(again.indexPath(channel)));
        EXPECT_NE(bytes, FileBytes(other.dataPath(channel)));
    }
}

TEST(SimulatorRun, DescendingRunCountsKilometresDownFromTheStart)
{
    SimulatedRun run({"--preset", "tiny", "--channels", "1", "--descending", "--start-km", "5", "--start-m", "3", "--step-mm", "1500"});
    ASSERT_TRUE(run.ok()) << run.error().toStdString();
    ReaderHandle reader = run.open(1);
    ASSERT_TRUE(reader);
    const UniversalTrackInfo_Ex* h = reader->GetUniversalTrackInfo();
    EXPECT_EQ(h->KMDirection, 1);
    EXPECT_EQ(h->StartKm * 1000 + h->StartM, 5003);
    // 11 steps of 1.5 m down from 5.003 km: 4.9865 km, recorded as metre 986.
    EXPECT_EQ(h->EndKM * 1000 + h->EndM, 4986);
}
