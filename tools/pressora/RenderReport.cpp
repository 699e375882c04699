// pressora render --report: the measurements of one render, printed and drawn.

#include "tools/pressora/Pressora.hpp"

#include "tools/pressora/Report.hpp"
#include "tools/pressora/ReportPicture.hpp"
#include "tools/vsthost/VstPlugin.hpp"

#include <filesystem>
#include <ostream>

namespace Vantor::Pressora
{

void CPressora::report(const SCommandLine& command, VstHost::CVstPlugin& rendered, int inputChannels,
                       const SStereoView& input, const SStereoView& output)
{
    SReportSubject subject = SReportSubject::describe(rendered);
    subject.inputName = std::filesystem::path(command.inputPath).filename().string();
    subject.outputName = std::filesystem::path(command.outputPath).filename().string();
    subject.inputChannels = inputChannels;

    // The static curve comes from an instance that has heard nothing else.
    auto fresh = loadForRendering(command, rendered.sampleRate());
    fresh->resume();
    SStaticCurve curve = SStaticCurve::measure(*fresh, subject.sampleRate);
    fresh->close();

    const SReport report = SReport::measure(std::move(subject), input, output, std::move(curve));
    report.print(m_out);
    SReportPicture::write(report, command.reportPath);
    m_out << "report: " << command.reportPath << " (" << SReportPicture::kWidth << " x "
          << SReportPicture::kHeight << ")\n";
}

} // namespace Vantor::Pressora
