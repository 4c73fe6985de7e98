#include "game/route_analysis.h"

#include "map/png_file.h"
#include "render/bmp_decoder.h"
#include "terrain/terrain.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

namespace {

// "+4.2", or "+1:04.2" from a minute on; truncated like the race times.
std::string formatLoss(float seconds)
{
    const int64_t tenths = static_cast<int64_t>(std::max(0.0f, seconds) * 10.0f);
    if (tenths >= 600)
        return "+" + results::formatRaceTime(tenths * 100, true);
    return "+" + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

bool digitsAt(const std::string& text, size_t from, size_t count)
{
    for (size_t i = from; i < from + count; ++i)
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

} // namespace

uint32_t paceColour(float secondsPer100)
{
    float t = (secondsPer100 - kFastPace) / (kSlowPace - kFastPace);
    // Standing still (an infinite pace) and anything unreadable are slow.
    if (!(t < 1.0f))
        t = 1.0f;
    t = std::max(t, 0.0f);
    const auto channel = [](float v) { return static_cast<uint32_t>(std::lround(230.0f * std::min(v, 1.0f))); };
    const uint32_t red = channel(2.0f * t), green = channel(2.0f * (1.0f - t));
    return red << 16 | green << 8;
}

void addRouteColumns(SplitTable& table, const std::vector<LegRoute>& legs, const std::vector<int64_t>& splitMs)
{
    std::vector<int32_t> legMs;
    int64_t previous = 0;
    for (int64_t at : splitMs) {
        legMs.push_back(static_cast<int32_t>(std::clamp<int64_t>(at - previous, -1, std::numeric_limits<int32_t>::max())));
        previous = at;
    }
    const TimeLoss loss = timeLost(legs, legMs);
    SplitColumn fastest{"Fastest", {}, true}, lost{"Lost", {}, true};
    for (size_t i = 0; i < splitMs.size(); ++i) {
        if (i >= legs.size() || !legs[i].reachable) {
            fastest.cells.push_back({"- "});
            lost.cells.push_back({"- "});
            continue;
        }
        const LegRoute& leg = legs[i];
        const bool choice = leg.routeChoice;
        const bool worst = static_cast<int>(i) == loss.worstLeg;
        const auto ms = static_cast<int64_t>((leg.seconds + leg.turnSeconds) * 1000.0);
        fastest.cells.push_back({results::formatRaceTime(ms, true) + (choice ? "*" : " "),
                                 choice ? kRouteChoiceTextColour : 0xFFFFFFu});
        lost.cells.push_back({formatLoss(loss.perLeg[i]) + (worst ? "!" : " "), worst ? kMostLostTextColour : 0xFFFFFFu});
    }
    table.addColumn(std::move(fastest));
    table.addColumn(std::move(lost));
    table.footer = {"Lost in all: " + formatLoss(loss.total), "* route choice  ! most lost"};
}

MapImage mapAtDoubleSize(Terrain& terrain)
{
    MapImage twice;
    const int n = terrain.gridSide;
    if (n <= 0)
        return twice;
    terrain.drawMapImages(&twice);
    if (n <= 256)
        return twice;
    twice.create(2 * n, 2 * n);
    const uint8_t* from = terrain.mapImage.pixels();
    uint8_t* to = twice.pixels();
    for (int y = 0; y < 2 * n; ++y)
        for (int x = 0; x < 2 * n; ++x)
            std::memcpy(to + (static_cast<size_t>(y) * 2 * n + x) * 3,
                        from + (static_cast<size_t>(y / 2) * n + x / 2) * 3, 3);
    return twice;
}

bool loadPictureFont(const std::string& path, RgbImage& font, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes;
    if (in)
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        error = "cannot read the font " + path + ": " + std::strerror(errno ? errno : EIO);
        return false;
    }
    const BmpError decoded = decodeBmp(bytes.data(), bytes.size(), font);
    if (decoded == BmpError::None && font.width == 256 && font.height == 256)
        return true;
    error = "cannot use the font " + path + ": " +
            (decoded == BmpError::None ? "not a 256 x 256 picture"
             : decoded == BmpError::Empty ? "the file is empty"
                                          : bmpErrorMessage(decoded));
    return false;
}

std::string analysisFileName(const std::string& courseCode, const std::string& finishedUtc)
{
    std::string when = finishedUtc;
    if (!(digitsAt(when, 0, 4) && digitsAt(when, 5, 2) && digitsAt(when, 8, 2) && digitsAt(when, 11, 2) &&
          digitsAt(when, 14, 2) && digitsAt(when, 17, 2)))
        when = results::utcNow();
    return "analysis-" + (courseCode.empty() ? std::string("course") : courseCode) + "-" + when.substr(0, 10) + "-" +
           when.substr(11, 2) + when.substr(14, 2) + when.substr(17, 2) + ".png";
}

bool saveAnalysisPicture(const AnalysisPicture& picture, const std::string& path, std::string& error)
{
    const std::string part = path + ".part";
    if (!writeRgbPng(part, picture.rgb.data(), picture.width, picture.height, error)) {
        const int why = errno;
        std::remove(part.c_str());
        error = "cannot write " + path + ": " + std::strerror(why ? why : EIO);
        return false;
    }
    if (std::rename(part.c_str(), path.c_str()) != 0) {
        const int why = errno;
        std::remove(part.c_str());
        error = "cannot write " + path + ": " + std::strerror(why);
        return false;
    }
    return true;
}
