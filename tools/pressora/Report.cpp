#include "tools/pressora/Report.hpp"

#include "tools/pressora/OwnPlugin.hpp"
#include "tools/pressora/ParameterText.hpp"
#include "tools/vsthost/VstPlugin.hpp"

#include <cstdio>
#include <ostream>

namespace Vantor::Pressora
{

namespace
{

std::string decibelText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dB", value);
    return text;
}

std::string rangeText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f LU", value);
    return text;
}

} // namespace

SReportSubject SReportSubject::describe(VstHost::CVstPlugin& plugin)
{
    SReportSubject subject;
    subject.fileName = plugin.path().filename().string();
    subject.effectName = plugin.effectName();
    if (subject.effectName.empty())
    {
        subject.effectName = plugin.path().stem().string();
    }
    subject.vendor = plugin.vendorString();
    if (plugin.programCount() > 0)
    {
        subject.program = plugin.programName();
    }
    for (int i = 0; i < plugin.parameterCount(); ++i)
    {
        subject.settings.emplace_back(plugin.parameterName(i), parameterValueText(plugin, i));
    }
    subject.initialDelay = plugin.effect().initialDelay;
    subject.thresholdDb = OwnPlugin::thresholdDb(plugin);
    subject.sampleRate = static_cast<int>(plugin.sampleRate());
    return subject;
}

SReport SReport::measure(SReportSubject subject, const SStereoView& input, const SStereoView& output,
                         SStaticCurve curve)
{
    SReport report;
    const int rate = subject.sampleRate;
    report.seconds = static_cast<double>(input.frames()) / rate;
    const SAlignedPair aligned =
        alignOutput(input, output, static_cast<std::size_t>(std::max(0, subject.initialDelay)));
    report.levels = SProcessedLevels::measure(aligned.input, aligned.output, rate);
    report.inputLoudness = SLoudness::measure(input, rate);
    report.outputLoudness = SLoudness::measure(output, rate);
    report.subject = std::move(subject);
    report.curve = std::move(curve);
    return report;
}

void SReport::print(std::ostream& out) const
{
    out << "integrated loudness: input " << loudnessText(inputLoudness.integrated) << ", output "
        << loudnessText(outputLoudness.integrated) << "\n";
    out << "loudness range: input " << rangeText(inputLoudness.range) << ", output "
        << rangeText(outputLoudness.range) << "\n";
    out << "true peak: input " << truePeakText(inputLoudness.truePeakDb) << ", output "
        << truePeakText(outputLoudness.truePeakDb) << "\n";
    const SGainReduction& reduction = levels.reduction;
    out << "gain reduction: average " << decibelText(reduction.average) << ", largest "
        << decibelText(reduction.largest);
    if (reduction.compressing == false)
    {
        out << " (not compressing: the same gain for loud and quiet parts)";
    }
    out << "\n";
}

} // namespace Vantor::Pressora
