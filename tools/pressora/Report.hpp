#pragma once
// The report of one render: what the plug-in did to the programme, measured from
// the audio (levels and gain reduction over time, loudness, the static curve),
// printed as text and drawn as a picture (ReportPicture.hpp).

#include "tools/pressora/LevelAnalysis.hpp"
#include "tools/pressora/Loudness.hpp"
#include "tools/pressora/StaticCurve.hpp"

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Vantor::VstHost
{
class CVstPlugin;
}

namespace Vantor::Pressora
{

// Who processed what, as the header of the picture names it.
struct SReportSubject
{
    std::string effectName; // the plug-in's own name, or its file name
    std::string vendor;
    std::string fileName;
    std::string program;                                       // empty when the plug-in has no programs
    std::vector<std::pair<std::string, std::string>> settings; // parameter name, value with its unit
    int initialDelay = 0;
    std::optional<double> thresholdDb; // PressoraLite's threshold
    std::string inputName;
    std::string outputName;
    int inputChannels = 2;
    int sampleRate = 44100;

    // Reads the plug-in as it is set up now (program, parameters, delay).
    static SReportSubject describe(VstHost::CVstPlugin& plugin);
};

struct SReport
{
    SReportSubject subject;
    double seconds = 0.0;
    SProcessedLevels levels; // the output aligned by the plug-in's delay
    SLoudness inputLoudness;
    SLoudness outputLoudness;
    SStaticCurve curve;

    // input: what the plug-in was fed (a mono file in both channels); output: what it gave back.
    static SReport measure(SReportSubject subject, const SStereoView& input, const SStereoView& output,
                           SStaticCurve curve);
    // The numbers, one a line, among them exactly one "integrated loudness: ..." line.
    void print(std::ostream& out) const;
};

} // namespace Vantor::Pressora
