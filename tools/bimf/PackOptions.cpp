#include "PackOptions.h"

#include "ParseNumber.h"

namespace {

bool parseStart(const std::string& text, time_t* start)
{
    tm local{};
    const char* end = ::strptime(text.c_str(), "%Y-%m-%d %H:%M:%S", &local);
    if (!end || *end != '\0')
        return false;
    local.tm_isdst = -1;
    *start = std::mktime(&local);
    return *start != time_t(-1);
}

} // namespace

bool PackOptions::parse(const std::vector<std::string>& arguments, std::string* why)
{
    start = std::time(nullptr);
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a.rfind("--", 0) != 0) {
            frames.push_back(a);
            continue;
        }
        if (a == "--descending") {
            descending = true;
            continue;
        }
        if (i + 1 == arguments.size()) {
            *why = a + " needs a value";
            return false;
        }
        const std::string& v = arguments[++i];
        bool ok = true;
        if (a == "--line-name")
            lineName = v;
        else if (a == "--line-code")
            lineCode = v;
        else if (a == "--section")
            section = v;
        else if (a == "--train")
            train = v;
        else if (a == "--rail-side")
            ok = v.size() == 1 && (railSide = v[0]) > 0;
        else if (a == "--run-direction")
            ok = ParseNumber(v, 0, 255, &runDirection);
        else if (a == "--car-direction")
            ok = ParseNumber(v, 0, 255, &carDirection);
        else if (a == "--v-resolution")
            ok = ParseNumber(v, 0, 32767, &vResolution);
        else if (a == "--h-resolution")
            ok = ParseNumber(v, 0, 32767, &hResolution);
        else if (a == "--start-km")
            ok = ParseNumber(v, -32768, 32767, &startKm);
        else if (a == "--start-m")
            ok = ParseNumber(v, 0, 999, &startM);
        else if (a == "--step-mm")
            ok = ParseNumber(v, 1, 1000000, &stepMm);
        else if (a == "--start")
            ok = parseStart(v, &start);
        else {
            *why = "unknown option " + a;
            return false;
        }
        if (!ok) {
            *why = "bad value for " + a + ": " + v;
            return false;
        }
    }
    if (frames.empty()) {
        *why = "no JPEG files given";
        return false;
    }
    return true;
}

int64_t PackOptions::positionMm(size_t i) const
{
    const int64_t first = (int64_t(startKm) * 1000 + startM) * 1000;
    const int64_t step = int64_t(stepMm) * int64_t(i);
    return descending ? first - step : first + step;
}
