#include "tools/pressora/ReportPicture.hpp"

#include "tools/pressora/Report.hpp"

#include "framework/platform/DrawingBackend.hpp"
#include "framework/platform/ImageDecoder.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace Vantor::Pressora
{

namespace
{

using Platform::IDrawingSurface;
using Platform::makeColour;
using Platform::SFontDescription;
using Platform::SPixelPoint;
using Platform::SPixelRect;
namespace Align = Platform::TextAlignment;

// A dark theme: the programme's colours stand out, as on a studio meter.
constexpr uint32_t kBackground = makeColour(0x16, 0x19, 0x1d);
constexpr uint32_t kPanel = makeColour(0x1f, 0x23, 0x29);
constexpr uint32_t kPanelEdge = makeColour(0x2e, 0x34, 0x3c);
constexpr uint32_t kGrid = makeColour(0x2f, 0x35, 0x3e);
constexpr uint32_t kAxisText = makeColour(0x9a, 0xa3, 0xad);
constexpr uint32_t kText = makeColour(0xe6, 0xea, 0xee);
constexpr uint32_t kQuietText = makeColour(0xb4, 0xbc, 0xc5);
constexpr uint32_t kInputFill = makeColour(0x4e, 0x59, 0x67);
constexpr uint32_t kInputEdge = makeColour(0x8c, 0x99, 0xa8);
constexpr uint32_t kInputLine = makeColour(0xa9, 0xb6, 0xc4);
constexpr uint32_t kInputPeak = makeColour(0xc9, 0xd3, 0xdd, 0x90);
constexpr uint32_t kOutputFill = makeColour(0x6e, 0x4b, 0x22);
constexpr uint32_t kOutputEdge = makeColour(0xf0, 0xa0, 0x3c);
constexpr uint32_t kOutputLine = makeColour(0xff, 0xc8, 0x70);
constexpr uint32_t kOutputPeak = makeColour(0xff, 0xd8, 0x90, 0xb0);
constexpr uint32_t kReduction = makeColour(0xe5, 0x53, 0x4b);
constexpr uint32_t kReductionFill = makeColour(0xe5, 0x53, 0x4b, 0x90);
constexpr uint32_t kThreshold = makeColour(0x3f, 0xb6, 0xc9);
constexpr uint32_t kUnity = makeColour(0x6c, 0x75, 0x80);

constexpr const char* kFace = "Liberation Sans";

SFontDescription font(int size, bool bold = false)
{
    SFontDescription description;
    description.faceName = kFace;
    description.size = size;
    description.bold = bold;
    return description;
}

std::string format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// Framework text is Latin-1. Plug-ins and file names may give UTF-8 or Latin-1:
// a valid UTF-8 sequence becomes its Latin-1 character (or '?' beyond it), any
// other byte is taken as Latin-1 already.
std::string toLatin1(const std::string& text)
{
    const auto continuation = [&](std::size_t at)
    { return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = byte >= 0xC2 && byte <= 0xDF   ? 2
                                   : byte >= 0xE0 && byte <= 0xEF ? 3
                                   : byte >= 0xF0 && byte <= 0xF4 ? 4
                                                                  : 1;
        bool valid = length > 1;
        for (std::size_t k = 1; k < length; ++k)
        {
            valid = valid && continuation(i + k);
        }
        if (!valid)
        {
            result.push_back(text[i]);
            continue;
        }
        const unsigned code = ((byte & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
        result.push_back(length == 2 && code <= 0xFF ? static_cast<char>(code) : '?');
        i += length - 1;
    }
    return result;
}

class CPainter
{
public:
    explicit CPainter(IDrawingSurface& surface) : m_surface(surface) {}

    IDrawingSurface& surface() { return m_surface; }

    int textWidth(const std::string& text, const SFontDescription& face) const
    {
        Platform::SPixelSize size;
        return Platform::measureText(toLatin1(text), face, size) ? size.width : 0;
    }
    void text(const std::string& text, const SPixelRect& area, const SFontDescription& face, uint32_t colour,
              int alignment = Align::LeftCentre)
    {
        m_surface.drawText(toLatin1(text), area, face, colour, alignment);
    }
    void line(int x0, int y0, int x1, int y1, uint32_t colour, int width = 1)
    {
        m_surface.strokeLine({x0, y0}, {x1, y1}, colour, width, Platform::ELineCap::Round, true);
    }
    void crispLine(int x0, int y0, int x1, int y1, uint32_t colour)
    {
        m_surface.strokeLine({x0, y0}, {x1, y1}, colour, 1, Platform::ELineCap::Flat, false);
    }
    void dashed(int x0, int y0, int x1, int y1, uint32_t colour, int width = 1)
    {
        const double length = std::hypot(x1 - x0, y1 - y0);
        constexpr double kDash = 7.0;
        constexpr double kGap = 5.0;
        for (double at = 0.0; at < length; at += kDash + kGap)
        {
            const double end = std::min(length, at + kDash);
            const auto point = [&](double t)
            {
                return SPixelPoint{static_cast<int>(std::lround(x0 + (x1 - x0) * t / length)),
                                   static_cast<int>(std::lround(y0 + (y1 - y0) * t / length))};
            };
            m_surface.strokeLine(point(at), point(end), colour, width, Platform::ELineCap::Flat, width > 1);
        }
    }
    void fill(const SPixelRect& area, uint32_t colour) { m_surface.fillRectangle(area, colour); }
    void panel(const SPixelRect& area)
    {
        m_surface.fillRoundedRectangle(area, 10, 10, kPanel, true);
        m_surface.strokeRoundedRectangle(area, 10, 10, kPanelEdge, 1, true);
    }
    void polygon(const std::vector<SPixelPoint>& points, uint32_t colour)
    {
        m_surface.fillPolygon(points.data(), static_cast<int>(points.size()), colour, true);
    }
    void polyline(const std::vector<SPixelPoint>& points, uint32_t colour, int width)
    {
        for (std::size_t i = 1; i < points.size(); ++i)
        {
            line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, colour, width);
        }
    }
    // A short line of a colour and its name, for a legend; returns the x after it.
    int legend(int x, int y, uint32_t colour, const std::string& name, bool block)
    {
        if (block)
        {
            m_surface.fillRoundedRectangle({x, y - 6, 18, 12}, 3, 3, colour, true);
        }
        else
        {
            line(x, y, x + 18, y, colour, 2);
        }
        const SFontDescription face = font(14);
        text(name, {x + 24, y - 10, 400, 20}, face, kQuietText);
        return x + 24 + textWidth(name, face) + 22;
    }

private:
    IDrawingSurface& m_surface;
};

// A plot's area and the values at its edges.
struct SPlot
{
    SPixelRect area;
    double left = 0.0;
    double right = 1.0;
    double bottom = 0.0;
    double top = 1.0;

    int x(double value) const
    {
        return area.x + static_cast<int>(std::lround((value - left) / (right - left) * (area.width - 1)));
    }
    int y(double value) const
    {
        const double clamped = std::clamp(value, std::min(bottom, top), std::max(bottom, top));
        return area.y + static_cast<int>(std::lround((top - clamped) / (top - bottom) * (area.height - 1)));
    }
};

// A round step between time ticks, for at most about ten of them.
double timeStep(double seconds)
{
    for (const double step : {0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 15.0, 30.0, 60.0, 120.0,
                              300.0, 600.0, 1200.0, 1800.0})
    {
        if (seconds / step <= 10.0)
        {
            return step;
        }
    }
    return 3600.0;
}

std::string timeText(double seconds, double step)
{
    if (step >= 60.0 || seconds >= 60.0)
    {
        const auto whole = static_cast<long>(std::lround(seconds));
        char text[32];
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
        return text;
    }
    return format(step < 0.1 ? "%.2f s" : step < 1.0 ? "%.1f s" : "%.0f s", seconds);
}

// Horizontal grid lines and their labels every `every` units of the plot's y.
void valueGrid(CPainter& painter, const SPlot& plot, double every, const char* pattern)
{
    const double low = std::min(plot.bottom, plot.top);
    const double high = std::max(plot.bottom, plot.top);
    for (double value = std::ceil(low / every) * every; value <= high + 1e-9; value += every)
    {
        const int y = plot.y(value);
        painter.crispLine(plot.area.x, y, plot.area.right() - 1, y, kGrid);
        painter.text(format(pattern, value + 0.0), {plot.area.x - 60, y - 10, 52, 20}, font(13), kAxisText,
                     Align::RightCentre);
    }
}

void timeGrid(CPainter& painter, const SPlot& plot, bool labels)
{
    const double step = timeStep(plot.right - plot.left);
    for (double t = 0.0; t <= plot.right + 1e-9; t += step)
    {
        const int x = plot.x(t);
        painter.crispLine(x, plot.area.y, x, plot.area.y + plot.area.height - 1, kGrid);
        if (labels)
        {
            painter.text(timeText(t, step), {x - 40, plot.area.y + plot.area.height + 4, 80, 18}, font(13),
                         kAxisText, Align::CentreTop);
        }
    }
}

// The windows of a track that one pixel column of a plot covers.
struct SColumns
{
    std::size_t windows;
    int columns;
    std::pair<std::size_t, std::size_t> of(int column) const
    {
        const std::size_t first =
            windows * static_cast<std::size_t>(column) / static_cast<std::size_t>(columns);
        std::size_t last = windows * static_cast<std::size_t>(column + 1) / static_cast<std::size_t>(columns);
        return {first, std::max(last, std::min(first + 1, windows))};
    }
};

// Per pixel column, the largest value of the windows it covers.
std::vector<double> columnMaxima(const std::vector<float>& values, int columns)
{
    std::vector<double> result(static_cast<std::size_t>(columns), -1e30);
    const SColumns split{values.size(), columns};
    for (int c = 0; c < columns && !values.empty(); ++c)
    {
        const auto [first, last] = split.of(c);
        for (std::size_t w = first; w < last; ++w)
        {
            result[static_cast<std::size_t>(c)] =
                std::max<double>(result[static_cast<std::size_t>(c)], values[w]);
        }
    }
    return result;
}

std::vector<SPixelPoint> areaUnder(const SPlot& plot, const std::vector<double>& values, double base)
{
    std::vector<SPixelPoint> points;
    points.push_back({plot.area.x, plot.y(base)});
    for (std::size_t c = 0; c < values.size(); ++c)
    {
        points.push_back({plot.area.x + static_cast<int>(c), plot.y(values[c])});
    }
    points.push_back({plot.area.x + static_cast<int>(values.size()) - 1, plot.y(base)});
    return points;
}

std::vector<SPixelPoint> lineOf(const SPlot& plot, const std::vector<double>& values)
{
    std::vector<SPixelPoint> points;
    for (std::size_t c = 0; c < values.size(); ++c)
    {
        points.push_back({plot.area.x + static_cast<int>(c), plot.y(values[c])});
    }
    return points;
}

void plotTitle(CPainter& painter, const SPixelRect& panel, const std::string& title,
               const std::string& detail)
{
    const SFontDescription face = font(17, true);
    painter.text(title, {panel.x + 20, panel.y + 12, panel.width - 40, 24}, face, kText);
    painter.text(detail, {panel.x + 28 + painter.textWidth(title, face), panel.y + 13, panel.width, 24},
                 font(14), kAxisText);
}

void drawHeader(CPainter& painter, const SReport& report)
{
    const SReportSubject& subject = report.subject;
    std::string title = subject.effectName;
    if (!subject.program.empty())
    {
        title += "  -  program \"" + subject.program + "\"";
    }
    painter.text(title, {32, 18, 1100, 38}, font(30, true), kText);

    std::string plugin = "plug-in " + subject.fileName;
    if (!subject.vendor.empty())
    {
        plugin += " by " + subject.vendor;
    }
    plugin += ", latency " + std::to_string(subject.initialDelay) + " samples";
    painter.text(plugin, {34, 58, 1000, 22}, font(15), kQuietText);

    // Settings: as many as fit on two lines, then how many are left.
    const SFontDescription face = font(15);
    const int left = 34;
    const int width = SReportPicture::kWidth - 2 * left;
    int x = left;
    int line = 0;
    std::size_t shown = 0;
    const std::string separator = "   ";
    for (const auto& [name, value] : subject.settings)
    {
        std::string item = name;
        item.append(" ").append(value).append(separator);
        const int itemWidth = painter.textWidth(item, face);
        if (x + itemWidth > left + width - 120)
        {
            if (++line == 2)
            {
                break;
            }
            x = left;
        }
        const int nameWidth = painter.textWidth(name + " ", face);
        painter.text(name, {x, 84 + line * 22, nameWidth, 22}, face, kAxisText);
        painter.text(value, {x + nameWidth, 84 + line * 22, itemWidth, 22}, font(15, true), kText);
        x += itemWidth + 6;
        ++shown;
    }
    if (shown < subject.settings.size())
    {
        painter.text(format("and %.0f more", static_cast<double>(subject.settings.size() - shown)),
                     {x, 84 + 22, 200, 22}, face, kAxisText);
    }
    if (subject.settings.empty())
    {
        painter.text("no parameters", {left, 84, 400, 22}, face, kAxisText);
    }

    // The files, on the right of the title.
    const std::string channels = subject.inputChannels == 1 ? "mono" : "stereo";
    const std::string files = subject.inputName + "  ->  " + subject.outputName;
    const std::string details = format("%.0f Hz, ", subject.sampleRate) + channels + ", " +
                                timeText(report.seconds, report.seconds < 60.0 ? 0.1 : 60.0);
    painter.text(files, {SReportPicture::kWidth - 632, 22, 600, 24}, font(15, true), kText,
                 Align::RightCentre);
    painter.text(details, {SReportPicture::kWidth - 632, 46, 600, 22}, font(15), kQuietText,
                 Align::RightCentre);
}

void drawLevels(CPainter& painter, const SReport& report, const SPixelRect& panel)
{
    painter.panel(panel);
    plotTitle(painter, panel, "Level", "10 ms RMS and peak, dBFS (full-scale sine = 0)");
    const SProcessedLevels& levels = report.levels;
    SPlot plot;
    plot.area = {panel.x + 70, panel.y + 78, panel.width - 96, panel.height - 112};
    plot.right = std::max(static_cast<double>(levels.input.size()) * levels.input.windowSeconds, 0.01);
    plot.bottom = -60.0;
    double highest = 0.0;
    for (const std::vector<float>* peaks : {&levels.input.peak, &levels.output.peak})
    {
        if (!peaks->empty())
        {
            highest = std::max<double>(highest, *std::max_element(peaks->begin(), peaks->end()));
        }
    }
    plot.top = std::min(24.0, std::ceil(highest / 6.0) * 6.0);
    valueGrid(painter, plot, plot.top - plot.bottom > 66.0 ? 12.0 : 6.0, "%.0f");
    timeGrid(painter, plot, true);

    int x = panel.x + 20;
    const int y = panel.y + 56;
    x = painter.legend(x, y, kInputFill, "input RMS", true);
    x = painter.legend(x, y, kInputPeak, "input peak", false);
    x = painter.legend(x, y, kOutputEdge, "output RMS", true);
    painter.legend(x, y, kOutputPeak, "output peak", false);

    const int columns = plot.area.width;
    if (levels.input.size() == 0)
    {
        return;
    }
    const std::vector<double> inputRms = columnMaxima(levels.input.rms, columns);
    const std::vector<double> outputRms = columnMaxima(levels.output.rms, columns);
    // The output over the input: what shows of the input's area above the output's
    // is what the plug-in took away; the input's edge stays visible where the output is louder.
    painter.polygon(areaUnder(plot, inputRms, plot.bottom), kInputFill);
    painter.polygon(areaUnder(plot, outputRms, plot.bottom), kOutputFill);
    painter.polyline(lineOf(plot, columnMaxima(levels.input.peak, columns)), kInputPeak, 1);
    painter.polyline(lineOf(plot, columnMaxima(levels.output.peak, columns)), kOutputPeak, 1);
    painter.polyline(lineOf(plot, inputRms), kInputEdge, 1);
    painter.polyline(lineOf(plot, outputRms), kOutputEdge, 2);
    if (plot.top > 0.0)
    {
        painter.dashed(plot.area.x, plot.y(0.0), plot.area.right() - 1, plot.y(0.0), kReduction);
    }
}

void drawReduction(CPainter& painter, const SReport& report, const SPixelRect& panel)
{
    painter.panel(panel);
    const SGainReduction& reduction = report.levels.reduction;
    plotTitle(painter, panel, "Gain reduction", "input level minus output level, dB");
    SPlot plot;
    plot.area = {panel.x + 70, panel.y + 50, panel.width - 96, panel.height - 84};
    plot.right =
        std::max(static_cast<double>(reduction.perWindow.size()) * report.levels.input.windowSeconds, 0.01);
    double most = 0.0;
    double least = 0.0;
    for (const float value : reduction.perWindow)
    {
        most = std::max<double>(most, value);
        least = std::min<double>(least, value);
    }
    // Reduction grows downwards, as on a gain-reduction meter.
    const double step = most - least > 24.0 ? 6.0 : 3.0;
    plot.top = std::floor(least / step) * step;
    plot.bottom = std::max(6.0, std::ceil(most / step) * step);
    valueGrid(painter, plot, step, "%.0f");
    timeGrid(painter, plot, true);

    const int columns = plot.area.width;
    if (!reduction.perWindow.empty())
    {
        std::vector<double> largest = columnMaxima(reduction.perWindow, columns);
        painter.polygon(areaUnder(plot, largest, 0.0), kReductionFill);
        painter.polyline(lineOf(plot, largest), kReduction, 1);
    }
    painter.crispLine(plot.area.x, plot.y(0.0), plot.area.right() - 1, plot.y(0.0), kAxisText);
    if (reduction.measuredWindows > 0)
    {
        const int y = plot.y(reduction.average);
        painter.dashed(plot.area.x, y, plot.area.right() - 1, y, kText);
        const std::string label = format("average %.1f dB", reduction.average);
        const SFontDescription face = font(13, true);
        const int width = painter.textWidth(label, face) + 12;
        const SPixelRect box{plot.area.right() - width - 6, y + 4, width, 20};
        painter.surface().fillRoundedRectangle(box, 4, 4, makeColour(0x16, 0x19, 0x1d, 0xd8), true);
        painter.text(label, box, face, kText, Align::CentreCentre);
    }
}

void drawCurve(CPainter& painter, const SReport& report, const SPixelRect& panel)
{
    painter.panel(panel);
    plotTitle(painter, panel, "Static curve", "1 kHz sine, settled");
    SPlot plot;
    const int side = std::min(panel.width - 110, panel.height - 110);
    plot.area = {panel.x + (panel.width - side) / 2 + 20, panel.y + 52, side, side};
    plot.left = SStaticCurve::kLowestDb;
    plot.right = SStaticCurve::kHighestDb;
    double highest = 0.0;
    for (const SCurvePoint& point : report.curve.points)
    {
        highest = std::max(highest, point.outputDb);
    }
    plot.top = std::min(24.0, std::ceil(highest / 6.0) * 6.0);
    plot.bottom = plot.top - (plot.right - plot.left);
    valueGrid(painter, plot, 12.0, "%.0f");
    for (double value = plot.left; value <= plot.right + 1e-9; value += 12.0)
    {
        const int x = plot.x(value);
        painter.crispLine(x, plot.area.y, x, plot.area.y + plot.area.height - 1, kGrid);
        painter.text(format("%.0f", value), {x - 30, plot.area.y + plot.area.height + 4, 60, 18}, font(13),
                     kAxisText, Align::CentreTop);
    }
    painter.text("input, dBFS", {plot.area.x, plot.area.y + plot.area.height + 22, side, 18}, font(13),
                 kAxisText, Align::CentreTop);
    painter.text("output, dBFS", {plot.area.x + 8, plot.area.y + 6, 200, 18}, font(13), kAxisText);

    // 1:1 for reference.
    const double low = std::max(plot.left, plot.bottom);
    const double high = std::min(plot.right, plot.top);
    painter.dashed(plot.x(low), plot.y(low), plot.x(high), plot.y(high), kUnity);

    if (report.subject.thresholdDb)
    {
        const double threshold = *report.subject.thresholdDb;
        const int x = plot.x(threshold);
        painter.dashed(x, plot.area.y, x, plot.area.y + plot.area.height - 1, kThreshold, 2);
        const std::string label = format("threshold %.1f dB", threshold);
        const SFontDescription face = font(14, true);
        const int width = painter.textWidth(label, face);
        const int labelX = x + 8 + width < plot.area.right() ? x + 8 : x - 8 - width;
        painter.text(label, {labelX, plot.area.y + 8, width + 4, 20}, face, kThreshold);
    }

    // Outputs beyond the plot leave it at its edge rather than run along it.
    std::vector<SPixelPoint> points;
    for (const SCurvePoint& point : report.curve.points)
    {
        const double outside = (plot.top - point.outputDb) / (plot.top - plot.bottom);
        points.push_back({plot.x(point.inputDb),
                          plot.area.y + static_cast<int>(std::lround(std::clamp(outside, -1.0, 2.0) *
                                                                     (plot.area.height - 1)))});
    }
    painter.surface().setClip(plot.area);
    painter.polyline(points, kOutputLine, 3);
    painter.surface().resetClip();
}

std::string signedText(double value, const char* unit)
{
    return std::isfinite(value) ? format("%+.1f ", value) + unit : "-";
}

void drawNumbers(CPainter& painter, const SReport& report, const SPixelRect& panel)
{
    painter.panel(panel);
    plotTitle(painter, panel, "Loudness", "EBU R128");
    const int nameX = panel.x + 20;
    const int columnWidth = 110;
    const int inX = panel.x + 140;
    const int outX = inX + columnWidth + 10;
    const int changeX = outX + columnWidth + 10;
    int y = panel.y + 48;
    painter.text("input", {inX, y, columnWidth, 20}, font(14), kInputLine, Align::RightCentre);
    painter.text("output", {outX, y, columnWidth, 20}, font(14), kOutputLine, Align::RightCentre);
    painter.text("change", {changeX, y, columnWidth, 20}, font(14), kAxisText, Align::RightCentre);
    y += 26;

    const auto row = [&](const std::string& name, const std::string& input, const std::string& output,
                         const std::string& change, bool big)
    {
        const int height = big ? 36 : 28;
        const SFontDescription value = font(big ? 23 : 17, true);
        painter.text(name, {nameX, y, 130, height}, font(15), kQuietText);
        painter.text(input, {inX, y, columnWidth, height}, value, kText, Align::RightCentre);
        painter.text(output, {outX, y, columnWidth, height}, value, kOutputLine, Align::RightCentre);
        painter.text(change, {changeX, y, columnWidth, height}, font(big ? 19 : 15, true), kQuietText,
                     Align::RightCentre);
        y += height + 6;
    };
    const auto number = [](const std::optional<double>& lufs)
    { return lufs ? format("%.1f", *lufs) : "silent"; };
    const SLoudness& in = report.inputLoudness;
    const SLoudness& out = report.outputLoudness;
    // Changes between the numbers as shown, so that they add up.
    const auto shown = [](double value) { return std::round(value * 10.0) / 10.0; };
    const double lufsChange =
        in.integrated && out.integrated ? shown(*out.integrated) - shown(*in.integrated) : NAN;
    row("integrated", number(in.integrated), number(out.integrated), signedText(lufsChange, "LU"), true);
    for (const auto& [x, lufs] : {std::pair{inX, in.integrated}, std::pair{outX, out.integrated}})
    {
        if (lufs)
        {
            painter.text("LUFS", {x, y - 8, columnWidth, 16}, font(12), kAxisText, Align::RightCentre);
        }
    }
    y += 10;
    row("loudness range", format("%.1f LU", in.range), format("%.1f LU", out.range),
        signedText(shown(out.range) - shown(in.range), "LU"), false);
    row("true peak", truePeakText(in.truePeakDb), truePeakText(out.truePeakDb),
        signedText(shown(out.truePeakDb) - shown(in.truePeakDb), "dB"), false);

    y += 6;
    painter.crispLine(nameX, y, panel.right() - 20, y, kPanelEdge);
    y += 14;
    const SGainReduction& reduction = report.levels.reduction;
    painter.text("gain reduction", {nameX, y, 130, 28}, font(15), kQuietText);
    painter.text(format("%.1f dB", reduction.average), {inX, y, columnWidth, 28}, font(17, true), kReduction,
                 Align::RightCentre);
    painter.text(format("%.1f dB", reduction.largest), {outX, y, columnWidth, 28}, font(17, true), kReduction,
                 Align::RightCentre);
    y += 28;
    painter.text("average", {inX, y, columnWidth, 18}, font(13), kAxisText, Align::RightCentre);
    painter.text("largest", {outX, y, columnWidth, 18}, font(13), kAxisText, Align::RightCentre);
    if (reduction.compressing == false)
    {
        painter.text("not compressing: the same gain for loud and quiet parts",
                     {nameX, y + 26, panel.width - 40, 20}, font(14, true), kThreshold);
    }
    painter.text("Measured from the audio; the output aligned by the plug-in's latency (" +
                     std::to_string(report.subject.initialDelay) + " samples).",
                 {nameX, panel.y + panel.height - 30, panel.width - 40, 18}, font(12), kAxisText);
}

} // namespace

void SReportPicture::write(const SReport& report, const std::string& path)
{
    const auto surface = Platform::createDrawingSurface(kWidth, kHeight, kBackground);
    if (!surface)
    {
        throw std::runtime_error("cannot draw the report " + path + ": no drawing surface");
    }
    CPainter painter(*surface);
    drawHeader(painter, report);
    constexpr int kTop = 140;
    constexpr int kMargin = 24;
    constexpr int kRightWidth = 500;
    const int leftWidth = kWidth - 3 * kMargin - kRightWidth;
    const int rightX = kMargin * 2 + leftWidth;
    drawLevels(painter, report, {kMargin, kTop, leftWidth, 480});
    drawReduction(painter, report,
                  {kMargin, kTop + 480 + kMargin, leftWidth, kHeight - kTop - 480 - 2 * kMargin});
    drawCurve(painter, report, {rightX, kTop, kRightWidth, 480});
    drawNumbers(painter, report,
                {rightX, kTop + 480 + kMargin, kRightWidth, kHeight - kTop - 480 - 2 * kMargin});

    std::string error;
    if (!Platform::writePngFile(*surface, path, error))
    {
        throw std::runtime_error("cannot write the report " + path + ": " + error);
    }
}

} // namespace Vantor::Pressora
