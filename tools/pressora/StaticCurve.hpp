#pragma once
// A processor's static curve: its output level for each steady input level,
// measured by feeding a fresh instance a 1 kHz sine in both channels that steps
// from -60 to 0 dBFS, each step held until the output level settles.

#include <vector>

namespace Vantor::VstHost
{
class CVstPlugin;
}

namespace Vantor::Pressora
{

struct SCurvePoint
{
    double inputDb;  // the sine's amplitude, dBFS
    double outputDb; // the output's level (full-scale sine = 0 dBFS)
};

struct SStaticCurve
{
    static constexpr double kLowestDb = -60.0;
    static constexpr double kHighestDb = 0.0;
    static constexpr double kStepDb = 1.0;
    // A step has settled when its level moves by less than this in the rest of it.
    static constexpr double kSettledDb = 0.01;
    static constexpr double kShortestStepSeconds = 0.1;
    static constexpr double kLongestStepSeconds = 5.0;

    std::vector<SCurvePoint> points;

    // Runs the plug-in, set up and resumed, at sampleRate.
    static SStaticCurve measure(VstHost::CVstPlugin& plugin, int sampleRate);
};

} // namespace Vantor::Pressora
