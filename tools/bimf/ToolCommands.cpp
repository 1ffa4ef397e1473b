#include "ToolCommands.h"

#include "BimfMaintenance.h"
#include "BimfReaderHandle.h"
#include "JpegCodec.h"
#include "PackOptions.h"
#include "ParseNumber.h"
#include "RbimfFile.h"
#include "WbimfFile.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/stat.h>

namespace {

std::string indexPathOf(const std::string& dataPath)
{
    std::string out(dataPath.size() + 8, '\0');
    BimfIndexPathFor(dataPath.c_str(), out.data(), out.size());
    out.resize(std::strlen(out.c_str()));
    return out;
}

// A header text field as a string: up to its first zero, never past its end.
std::string field(const char* text, size_t size) { return std::string(text, ::strnlen(text, size)); }

std::string timeText(int32_t seconds)
{
    const time_t t = seconds;
    tm local{};
    char text[32] = "?";
    if (localtime_r(&t, &local))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

long long fileSize(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 ? (long long)st.st_size : -1;
}

BimfReaderHandle openReader(const std::string& dataPath)
{
    const std::string indexPath = indexPathOf(dataPath);
    BimfReaderHandle reader(BIMFReaderReadBimfFileAndIndex(dataPath.c_str(), indexPath.c_str(), 0));
    if (!reader)
        std::fprintf(stderr, "cannot open %s: %s\n", dataPath.c_str(), BIMFLastErrorText());
    return reader;
}

bool readFile(const std::string& path, std::vector<uint8_t>* bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void printLine(const char* line, void*) { std::printf("%s\n", line); }

// A JPEG file read whole with its header; says why on stderr when it cannot be.
bool readJpeg(const std::string& path, std::vector<uint8_t>* bytes, JpegImageInfo* info)
{
    std::string why;
    if (readFile(path, bytes) && ReadJpegHeader(bytes->data(), bytes->size(), info, &why))
        return true;
    std::fprintf(stderr, "pack: %s is not a readable JPEG %s\n", path.c_str(), why.c_str());
    return false;
}

} // namespace

int CommandInfo(const std::string& dataPath)
{
    const BimfReaderHandle reader = openReader(dataPath);
    if (!reader)
        return kExitUnusable;
    const UniversalTrackInfo_Ex& h = *reader->GetUniversalTrackInfo();
    const std::string indexPath = indexPathOf(dataPath);
    std::printf("LineCode      %s\n", field(h.LineCode, sizeof h.LineCode).c_str());
    std::printf("LineName      %s\n", field(h.LineName, sizeof h.LineName).c_str());
    std::printf("SectionName   %s\n", field(h.SectionName, sizeof h.SectionName).c_str());
    std::printf("TrainNo       %s\n", field(h.TrainNo, sizeof h.TrainNo).c_str());
    std::printf("RailSide      %c\n", h.RailSide ? h.RailSide : ' ');
    std::printf("RunDirection  %d\nCarDirection  %d\nKMDirection   %d\n", h.RunDirection, h.CarDirection,
                h.KMDirection);
    std::printf("Start         %s %s  %d km %d m\n", field(h.StartRunDate, sizeof h.StartRunDate).c_str(),
                field(h.StartRunTime, sizeof h.StartRunTime).c_str(), h.StartKm, h.StartM);
    std::printf("End           %s %s  %d km %d m\n", field(h.EndRunDate, sizeof h.EndRunDate).c_str(),
                field(h.EndRunTime, sizeof h.EndRunTime).c_str(), h.EndKM, h.EndM);
    std::printf("Resolution    %d x %d\n", h.HResolution, h.VResolution);
    std::printf("FrameSize     %d x %d\n", h.HPixelNum, h.VPixelNum);
    std::printf("PhotoType     %d\n", h.PhotoType);
    std::printf("PhotoNum      %d\n", h.PhotoNum);
    std::printf("DataFile      %s (%lld bytes)\n", dataPath.c_str(), fileSize(dataPath));
    std::printf("IndexFile     %s (%lld bytes)\n", indexPath.c_str(), fileSize(indexPath));
    return kExitClean;
}

int CommandFrames(const std::string& dataPath)
{
    const BimfReaderHandle reader = openReader(dataPath);
    if (!reader)
        return kExitUnusable;
    int result = kExitClean;
    std::printf("%8s %8s %6s %4s %-19s %9s\n", "frame", "number", "km", "m", "time", "bytes");
    const int count = reader->GetUniversalTrackInfo()->PhotoNum;
    for (int i = 1; i <= count; ++i) {
        TrackImageJPG_ image{};
        if (!reader->GetTrackImage(&image, i)) {
            std::printf("frame %d: %s\n", i, BIMFLastErrorText());
            result = kExitProblems;
            continue;
        }
        std::printf("%8d %8d %6d %4d %-19s %9d\n", i, image.ImageNumber, image.Km, image.M,
                    timeText(image.CaptureTime).c_str(), image.JpgSize);
        reader->ReleaseImage(&image);
    }
    return result;
}

int CommandExtract(const std::string& dataPath, const std::string& frame, const std::string& outPath)
{
    const BimfReaderHandle reader = openReader(dataPath);
    if (!reader)
        return kExitUnusable;
    int number = 0;
    const int count = reader->GetUniversalTrackInfo()->PhotoNum;
    if (!ParseNumber(frame, 1, count, &number)) {
        std::fprintf(stderr, "frame %s is not a frame number 1..%d\n", frame.c_str(), count);
        return kExitUnusable;
    }
    TrackImageJPG_ image{};
    if (!reader->GetTrackImage(&image, number)) {
        std::printf("frame %d: %s\n", number, BIMFLastErrorText());
        return kExitProblems;
    }
    std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.pJpgData), image.JpgSize);
    reader->ReleaseImage(&image);
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", outPath.c_str());
        return kExitUnusable;
    }
    return kExitClean;
}

int CommandFind(const std::string& dataPath, const std::string& km, const std::string& m)
{
    int16_t kmValue = 0;
    int16_t mValue = 0;
    if (!ParseNumber(km, -32768, 32767, &kmValue) || !ParseNumber(m, -32768, 32767, &mValue)) {
        std::fprintf(stderr, "a position is a km and a metre value\n");
        return kExitUnusable;
    }
    const BimfReaderHandle reader = openReader(dataPath);
    if (!reader)
        return kExitUnusable;
    int count = 0;
    const int* numbers = reader->GetTrackImagesNumber(kmValue, mValue, &count);
    for (int i = 0; i < count; ++i)
        std::printf("%d\n", numbers[i]);
    if (count == 0) {
        std::fprintf(stderr, "no frame at %d km %d m\n", kmValue, mValue);
        return kExitProblems;
    }
    return kExitClean;
}

// Every frame fetched through the reader and its JPEG header held against the
// frame size the file's header declares.
static int checkFrameSizes(const std::string& dataPath)
{
    const std::string indexPath = indexPathOf(dataPath);
    BimfReaderHandle reader(BIMFReaderReadBimfFileAndIndex(dataPath.c_str(), indexPath.c_str(), 0));
    if (!reader)
        return 0;  // the format check has already said why
    const UniversalTrackInfo_Ex& h = *reader->GetUniversalTrackInfo();
    int problems = 0;
    for (int i = 1; i <= h.PhotoNum; ++i) {
        TrackImageJPG_ image{};
        if (!reader->GetTrackImage(&image, i)) {
            std::printf("frame %d: cannot be read: %s\n", i, BIMFLastErrorText());
            ++problems;
            continue;
        }
        JpegImageInfo info;
        std::string why;
        if (!ReadJpegHeader(image.pJpgData, size_t(image.JpgSize), &info, &why)) {
            std::printf("frame %d: JPEG header cannot be read: %s\n", i, why.c_str());
            ++problems;
        } else if (info.components != 1) {
            // The program decodes frames as one grey channel and shows others black.
            std::printf("frame %d: JPEG has %d colour components, frames are greyscale\n", i, info.components);
            ++problems;
        } else if (info.width != h.HPixelNum || info.height != h.VPixelNum) {
            std::printf("frame %d: image is %d x %d, the header says %d x %d\n", i, info.width, info.height,
                        h.HPixelNum, h.VPixelNum);
            ++problems;
        }
        reader->ReleaseImage(&image);
    }
    std::fprintf(stderr, "%d frames read\n", h.PhotoNum);
    return problems;
}

int CommandCheck(const std::string& dataPath)
{
    const std::string indexPath = indexPathOf(dataPath);
    const int formatProblems = BimfCheckFile(dataPath.c_str(), indexPath.c_str(), printLine, nullptr);
    if (formatProblems < 0) {
        std::fprintf(stderr, "cannot check %s: %s\n", dataPath.c_str(), BIMFLastErrorText());
        return kExitUnusable;
    }
    const int problems = formatProblems + checkFrameSizes(dataPath);
    std::fprintf(stderr, "%d problem(s)\n", problems);
    return problems == 0 ? kExitClean : kExitProblems;
}

int CommandRepair(const std::string& dataPath)
{
    const std::string indexPath = indexPathOf(dataPath);
    int notes = 0;
    const auto countingPrint = [](const char* line, void* context) {
        std::printf("%s\n", line);
        ++*static_cast<int*>(context);
    };
    const int64_t frames = BimfRebuildIndexReport(dataPath.c_str(), indexPath.c_str(), countingPrint, &notes);
    if (frames < 0) {
        std::fprintf(stderr, "cannot repair %s: %s\n", dataPath.c_str(), BIMFLastErrorText());
        return kExitUnusable;
    }
    std::fprintf(stderr, "indexed %lld frame(s) into %s\n", (long long)frames, indexPath.c_str());
    return notes == 0 ? kExitClean : kExitProblems;
}

namespace {

void fillHeader(const PackOptions& options, const JpegImageInfo& size, UniversalTrackInfo_Ex* h)
{
    BimfCopyText(h->LineName, sizeof h->LineName, options.lineName.c_str());
    BimfCopyText(h->LineCode, sizeof h->LineCode, options.lineCode.c_str());
    BimfCopyText(h->SectionName, sizeof h->SectionName, options.section.c_str());
    BimfCopyText(h->TrainNo, sizeof h->TrainNo, options.train.c_str());
    h->RailSide = options.railSide;
    h->KMDirection = options.descending ? 1 : 0;
    h->RunDirection = uint8_t(options.runDirection);
    h->CarDirection = uint8_t(options.carDirection);
    h->VResolution = int16_t(options.vResolution);
    h->HResolution = int16_t(options.hResolution);
    h->HPixelNum = int16_t(size.width);
    h->VPixelNum = int16_t(size.height);
}

void setDateTime(time_t t, char* date, size_t dateSize, char* time, size_t timeSize)
{
    tm local{};
    localtime_r(&t, &local);
    std::strftime(date, dateSize, "%Y-%m-%d", &local);
    std::strftime(time, timeSize, "%H:%M:%S", &local);
}

bool splitPosition(int64_t mm, int16_t* km, int16_t* m)
{
    int64_t k = mm / 1000000;
    int64_t rest = mm % 1000000;
    if (rest < 0) {
        --k;
        rest += 1000000;
    }
    if (k < -32768 || k > 32767)
        return false;
    *km = int16_t(k);
    *m = int16_t(rest / 1000);
    return true;
}

} // namespace

int CommandPack(const std::string& dataPath, const std::vector<std::string>& arguments)
{
    PackOptions options;
    std::string why;
    if (!options.parse(arguments, &why)) {
        std::fprintf(stderr, "pack: %s\n", why.c_str());
        return kExitUnusable;
    }
    std::vector<uint8_t> jpeg;
    JpegImageInfo first;
    if (!readJpeg(options.frames[0], &jpeg, &first))
        return kExitUnusable;
    const std::string indexPath = indexPathOf(dataPath);
    std::unique_ptr<WbimfFile> writer(BIMFWirterCreateBimfFileAndIndex(dataPath.c_str(), indexPath.c_str()));
    if (!writer) {
        std::fprintf(stderr, "pack: %s\n", BIMFLastErrorText());
        return kExitUnusable;
    }
    UniversalTrackInfo_Ex head{};
    fillHeader(options, first, &head);
    const size_t last = options.frames.size() - 1;
    const time_t endTime = options.start + time_t(last);
    if (!splitPosition(options.positionMm(0), &head.StartKm, &head.StartM)
        || !splitPosition(options.positionMm(last), &head.EndKM, &head.EndM)) {
        std::fprintf(stderr, "pack: the positions leave the km range\n");
        return kExitUnusable;
    }
    setDateTime(options.start, head.StartRunDate, sizeof head.StartRunDate, head.StartRunTime,
                sizeof head.StartRunTime);
    setDateTime(endTime, head.EndRunDate, sizeof head.EndRunDate, head.EndRunTime, sizeof head.EndRunTime);
    if (!writer->SetFileHead(&head)) {
        std::fprintf(stderr, "pack: %s\n", BIMFLastErrorText());
        return kExitUnusable;
    }
    int result = kExitClean;
    for (size_t i = 0; i <= last; ++i) {
        // The first frame's bytes are still in `jpeg` from setting the header.
        JpegImageInfo info = first;
        if (i > 0 && !readJpeg(options.frames[i], &jpeg, &info))
            return kExitUnusable;
        if (info.width != first.width || info.height != first.height) {
            std::printf("%s: image is %d x %d, the first frame %d x %d\n", options.frames[i].c_str(), info.width,
                        info.height, first.width, first.height);
            result = kExitProblems;
        }
        TrackImageJPG_ image{};
        image.pJpgData = jpeg.data();
        image.JpgSize = int32_t(jpeg.size());
        image.ImageNumber = int32_t(i + 1);
        splitPosition(options.positionMm(i), &image.Km, &image.M);
        image.CaptureTime = int32_t(options.start + time_t(i));
        if (!writer->SaveImage(&image)) {
            std::fprintf(stderr, "pack: %s\n", BIMFLastErrorText());
            return kExitUnusable;
        }
    }
    if (!writer->Final(1, head.EndRunDate, head.EndRunTime)) {
        std::fprintf(stderr, "pack: %s\n", BIMFLastErrorText());
        return kExitUnusable;
    }
    std::fprintf(stderr, "packed %zu frame(s) into %s\n", last + 1, dataPath.c_str());
    return result;
}
