#include "plugin/Quellor.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "framework/vst/VstStrings.hpp"
#include "plugin/BlockMath.hpp"
#include "plugin/BlockMathConstants.hpp"
#include "plugin/ParameterObjects.hpp"

namespace Vantor::Quellor
{

VANTOR_DEFINE_CLASS(Vantor::Quellor::CQuellor, "CQuellor", "CVstEffect")

using Vst::VstInt32;
using Vst::VstIntPtr;

namespace
{
// The master gain carries 2 dB on top of the displayed value.
constexpr double kMasterOffsetDb = 2.0;
// Rates at or below this are taken as unusable and replaced by the default.
constexpr float kLowestSampleRate = 11025.0f;
constexpr float kDefaultSampleRate = 44100.0f;
constexpr float kMidiValueScale = 1.0f / 127.0f;

// Answers of the host-side extensions announced by "hasCockosExtensions".
constexpr VstInt32 kExtensionsAnswer = static_cast<VstInt32>(0xbeef0000u);
constexpr VstIntPtr kExtensionHandled = 0xbeef;
constexpr std::uint32_t kExtensionParameterDisplay = 7;
constexpr std::uint32_t kExtensionParameterRange = 0xdeadbef0u;
// A host's scale for the editor: index 'PreS', value 'AeCs', the factor in opt.
constexpr std::uint32_t kHostScaleIndex = 0x50726553u;
constexpr VstIntPtr kHostScaleValue = 0x41654373;
constexpr int kExtensionTextSize = 64;

constexpr VstInt32 kPinFlags = Vst::kVstPinIsActive | Vst::kVstPinIsStereo;
const char* const kInputLabels[2] = {"Left input", "Right input"};
const char* const kInputShortLabels[2] = {"L in", "R in"};
const char* const kOutputLabels[2] = {"Left output", "Right output"};
const char* const kOutputShortLabels[2] = {"L out", "R out"};

// Program names reach the host in its 24-byte buffer: at most 23 characters and the
// terminator; longer names are cut.
constexpr int kProgramNameSize = Vst::kVstMaxProgNameLen;
} // namespace

CQuellor::CQuellor(Vst::audioMasterCallback hostCallback)
    : CVstEffect(hostCallback, kNumParameters, kNumPrograms)
{
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    setUniqueID(kUniqueId);
    setInitialDelay(kBlockSize);

    createParameters();
    m_compressor.setPointer(new CCompressorSC);
    warmUpCompressor();
    loadFactoryPrograms();
}

CQuellor::~CQuellor()
{
    // The editor goes while the compressor is whole, so that it can stop being its view.
    Vst::AEffEditor* own = getEditor();
    setEditor(nullptr);
    delete own;
}

void CQuellor::createParameters()
{
    for (const Parameters::SParameter& parameter : Parameters::kTable)
    {
        m_parameters[parameter.index].setPointer(createParameterObject(parameter));
    }
}

// Primes the detector with 256 samples of 0.5 on both channels. The ratio is
// still 1:1, so the buffer passes unchanged; only the detector state moves.
void CQuellor::warmUpCompressor()
{
    m_compressor->setSampleRate(kDefaultSampleRate);
    m_compressor->setEnvelope(CCompressorSC::kTiny);
    float primer[kBlockSize];
    std::fill(std::begin(primer), std::end(primer), 0.5f);
    for (int block = 0; block < kBlockSize; ++block)
    {
        m_compressor->processBlock(primer, primer, primer, primer);
    }
    clearBlocks();
}

void CQuellor::clearBlocks()
{
    m_leavingPlain = true;
    std::fill(std::begin(m_compressedLeft), std::end(m_compressedLeft), 0.0f);
    std::fill(std::begin(m_compressedRight), std::end(m_compressedRight), 0.0f);
    std::fill(std::begin(m_dryLeft), std::end(m_dryLeft), 0.0f);
    std::fill(std::begin(m_dryRight), std::end(m_dryRight), 0.0f);
    std::fill(std::begin(m_detectorLeft), std::end(m_detectorLeft), 0.0f);
    std::fill(std::begin(m_detectorRight), std::end(m_detectorRight), 0.0f);
    m_blockPosition = 0;
}

// Fills the table from the last program to the first, so that program 0 ends up
// current with its values applied. Each record is first reset through the
// parameters, then given its factory values (Master last) and its name.
void CQuellor::loadFactoryPrograms()
{
    static constexpr int kFactoryOrder[kNumParameters] = {kThreshold, kRatio, kAttack,
                                                          kRelease,   kMix,   kMaster};
    for (int number = kNumPrograms - 1; number >= 0; --number)
    {
        curProgram.store(number, std::memory_order_relaxed);
        for (int index = 0; index < kNumParameters; ++index)
        {
            setParameter(index, m_programs[number].getValue(index));
        }
        for (int index : kFactoryOrder)
        {
            setParameter(index, kFactoryPrograms[number].values[index]);
        }
        m_programs[number].setName(kFactoryPrograms[number].name);
    }
}

// ---- parameters -------------------------------------------------------------

void CQuellor::setParameter(VstInt32 index, float value)
{
    // A value that is not a number or infinite is refused; the old one stays.
    if (!isParameter(index) || !std::isfinite(value))
    {
        return;
    }
    value = std::clamp(value, 0.0f, 1.0f);
    // The program keeps the host value; the object may hold its complement (Ratio).
    CVstParam& parameter = *m_parameters[index];
    parameter.setValue(Parameters::objectValue(Parameters::parameter(index), value));
    m_programs[curProgram.load(std::memory_order_relaxed)].setValue(index, value);

    switch (index)
    {
    case kMaster:
    {
        const long double exponent = (static_cast<double>(parameter.getRealValue()) + kMasterOffsetDb) *
                                     static_cast<long double>(kDbToNepers);
        m_masterGain.store(static_cast<double>(std::exp(exponent)), std::memory_order_relaxed);
        break;
    }
    case kThreshold:
        m_compressor->setThreshold(parameter.getRealValue());
        break;
    case kRatio:
        m_compressor->setRatio(parameter.getRealValue());
        break;
    case kAttack:
        m_compressor->getAttack().setTime(parameter.getRealValue());
        break;
    case kRelease:
        m_compressor->getRelease().setTime(parameter.getRealValue());
        break;
    default:
        break;
    }
    notifyView(index, value);
}

float CQuellor::getParameter(VstInt32 index)
{
    if (!isParameter(index))
    {
        return 0.0f;
    }
    return Parameters::hostValue(Parameters::parameter(index), m_parameters[index]->getValue());
}

void CQuellor::getParameterName(VstInt32 index, char* text)
{
    copyParameterText(index, text, &CVstParam::getName);
}

void CQuellor::getParameterLabel(VstInt32 index, char* text)
{
    copyParameterText(index, text, &CVstParam::getLabel);
}

void CQuellor::copyParameterText(VstInt32 index, char* text, void (CVstParam::*getter)(char*) const)
{
    if (text == nullptr)
    {
        return;
    }
    if (isParameter(index))
    {
        (m_parameters[index].getPointer()->*getter)(text);
    }
    else
    {
        *text = '\0';
    }
}

void CQuellor::getParameterDisplay(VstInt32 index, char* text)
{
    if (text == nullptr)
    {
        return;
    }
    if (!isParameter(index))
    {
        *text = '\0';
    }
    else if (Parameters::parameter(index).display == Parameters::EDisplay::kReciprocal)
    {
        // The ratio itself, "1.00" to "20.0", rather than its slope.
        *text = '\0';
        Vst::float2string(1.0f / m_parameters[index]->getRealValue(), text, 4);
    }
    else
    {
        m_parameters[index]->getDisplay(text);
    }
}

void CQuellor::notifyView(long index, double value)
{
    if (m_view != nullptr && !m_view->isSettingParameter())
    {
        m_view->parameterChanged(index, value);
    }
}

// ---- programs ---------------------------------------------------------------

void CQuellor::setProgram(VstInt32 program)
{
    if (isProgram(program))
    {
        applyProgram(program);
    }
}

void CQuellor::applyProgram(VstInt32 number)
{
    curProgram.store(number, std::memory_order_relaxed);
    for (int index = 0; index < kNumParameters; ++index)
    {
        setParameter(index, m_programs[number].getValue(index));
    }
}

void CQuellor::setProgramName(char* name)
{
    if (name != nullptr)
    {
        m_programs[curProgram.load(std::memory_order_relaxed)].setName(name);
    }
}

void CQuellor::getProgramName(char* name)
{
    if (name != nullptr)
    {
        std::snprintf(name, kProgramNameSize, "%s",
                      m_programs[curProgram.load(std::memory_order_relaxed)].getName());
    }
}

bool CQuellor::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text)
{
    if (!isProgram(index) || text == nullptr)
    {
        return false;
    }
    std::snprintf(text, kProgramNameSize, "%s", m_programs[index].getName());
    return true;
}

// ---- processing -------------------------------------------------------------

void CQuellor::resume()
{
    CVstEffect::resume();
    float rate = getSampleRate();
    if (!(rate > kLowestSampleRate) || std::isinf(rate)) // also replaces a rate that is no number
    {
        rate = kDefaultSampleRate;
    }
    m_workingSampleRate = rate;
    m_compressor->setSampleRate(rate);
    m_compressor->setEnvelope(CCompressorSC::kTiny);
    clearBlocks();
}

void CQuellor::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    processAudio(inputs, outputs, sampleFrames);
    CVstEffect::processReplacing(inputs, outputs, sampleFrames);
}

void CQuellor::processAudio(float** inputs, float** outputs, VstInt32 sampleFrames)
{
    processFrames<false>(inputs, nullptr, outputs, sampleFrames);
}

void CQuellor::processAudioWithSideChain(float** inputs, float** sideChain, float** outputs,
                                         VstInt32 sampleFrames)
{
    if (sideChain == nullptr || sideChain[0] == nullptr || sideChain[1] == nullptr)
    {
        // No side chain: the main pair is the detector's input, as in processAudio.
        processFrames<false>(inputs, nullptr, outputs, sampleFrames);
        return;
    }
    processFrames<true>(inputs, sideChain, outputs, sampleFrames);
}

template <bool kSideChain>
void CQuellor::processFrames(float** inputs, [[maybe_unused]] float** sideChain, float** outputs,
                             VstInt32 sampleFrames)
{
    float meter = 0.0f;
    const bool usable = sampleFrames > 0 && inputs != nullptr && outputs != nullptr && inputs[0] != nullptr &&
                        inputs[1] != nullptr && outputs[0] != nullptr && outputs[1] != nullptr;
    if (usable)
    {
        const float* inLeft = inputs[0];
        const float* inRight = inputs[1];
        float* outLeft = outputs[0];
        float* outRight = outputs[1];

        // The mix moves linearly from where it is to the Mix value at the last frame.
        const float target = m_parameters[kMix]->getRealValue();
        float mix = m_currentMix.load(std::memory_order_relaxed);
        const float step = (target - mix) / static_cast<float>(sampleFrames);
        int position = m_blockPosition;

        for (VstInt32 done = 0; done < sampleFrames;)
        {
            const double gain = m_masterGain.load(std::memory_order_relaxed);
            const int run = static_cast<int>(std::min<VstInt32>(sampleFrames - done, kBlockSize - position));
            // What leaves the block now entered it 16 samples ago. The outputs
            // are made first and written last: inputs and outputs may share buffers.
            const float leavingLeft = m_compressedLeft[position + run - 1];
            const float leavingRight = m_compressedRight[position + run - 1];
            alignas(16) float mixedLeft[kBlockSize], mixedRight[kBlockSize];
            // Where the compressed sample equals the dry one, or the mix is fully
            // wet and the difference of the two is exact, the mix gives the
            // compressed sample itself, only scaled.
            const bool scaledOnly =
                step == 0.0f && (m_leavingPlain ? mix >= 0.0f : mix == 1.0f && m_leavingModerate);
            if (!scaledOnly || !BlockMath::scaledBy(m_compressedLeft + position, m_compressedRight + position,
                                                    mixedLeft, mixedRight, run, gain))
            {
                const long double extendedGain = gain;
                for (int i = 0; i < run; ++i)
                {
                    mix += step;
                    const long double dryL = m_dryLeft[position + i], dryR = m_dryRight[position + i];
                    const long double wetL = m_compressedLeft[position + i],
                                      wetR = m_compressedRight[position + i];
                    mixedLeft[i] = static_cast<float>((dryL + (wetL - dryL) * mix) * extendedGain);
                    mixedRight[i] = static_cast<float>((dryR + (wetR - dryR) * mix) * extendedGain);
                }
            }
            BlockMath::enter(inLeft + done, inRight + done, m_dryLeft + position, m_dryRight + position,
                             m_compressedLeft + position, m_compressedRight + position, run, kLoudestInput);
            if constexpr (kSideChain)
            {
                // Read before the outputs are written: they may share the side chain's buffers.
                BlockMath::enter(sideChain[0] + done, sideChain[1] + done, m_detectorLeft + position,
                                 m_detectorRight + position, m_detectorLeft + position,
                                 m_detectorRight + position, run, kLoudestInput);
            }
            BlockMath::copyPair(mixedLeft, mixedRight, outLeft + done, outRight + done, run);
            position += run;
            done += run;

            if (position == kBlockSize)
            {
                // At exactly 0 dB the threshold switches the compressor off.
                m_leavingPlain = m_parameters[kThreshold]->getValue() == 1.0f;
                if (!m_leavingPlain)
                {
                    if constexpr (kSideChain)
                    {
                        m_compressor->processBlock(m_compressedLeft, m_compressedRight, m_detectorLeft,
                                                   m_detectorRight);
                    }
                    else
                    {
                        m_compressor->processBlock(m_compressedLeft, m_compressedRight, m_dryLeft,
                                                   m_dryRight);
                    }
                    m_leavingModerate = m_compressor->hadModerateGains();
                }
                position = 0;
                meter = std::max({meter, std::fabs(leavingLeft), std::fabs(leavingRight)});
            }
        }
        m_currentMix.store(mix, std::memory_order_relaxed);
        m_blockPosition = position;
    }
    // The blocks of this call: one logarithm, and only when something was compressed.
    const float smallestGain = m_compressor->takeSmallestGain();
    const float reduction = smallestGain < 1.0f ? -20.0f * std::log10(smallestGain) : 0.0f;
    m_gainReduction.store(reduction, std::memory_order_relaxed);
    notifyView(IParameterView::kMeterIndex, meter);
}

VstInt32 CQuellor::processEvents(Vst::VstEvents* events)
{
    CVstEffect::processEvents(events);
    // The list keeps everything received since the last processing call.
    const Midi::CMidiEventList& list = getMidiEvents();
    for (std::int32_t i = 0; i < list.getNumberOfEvents(); ++i)
    {
        const Midi::CMidiEvent* event = list.getEvent(i);
        if (event != nullptr && event->getStatus() == 0xB0)
        {
            handleControlChange(event->getValue(), event->getSubValue());
        }
    }
    return 1;
}

void CQuellor::handleControlChange(int controller, int value)
{
    if (isProgram(controller))
    {
        applyProgram(controller);
        return;
    }
    const int index = Parameters::indexOfController(controller);
    if (index >= 0)
    {
        setParameter(index, static_cast<float>(value) * kMidiValueScale);
    }
}

// ---- queries ----------------------------------------------------------------

VstInt32 CQuellor::canDo(char* text)
{
    if (text == nullptr)
    {
        return -1;
    }
    static const char* const kYes[] = {"plugAsChannelInsert", "plugAsSend", "2in2out", "receiveVstMidiEvent"};
    for (const char* capability : kYes)
    {
        if (std::strcmp(text, capability) == 0)
        {
            return 1;
        }
    }
    if (std::strcmp(text, "hasCockosExtensions") == 0)
    {
        return kExtensionsAnswer;
    }
    return -1;
}

bool CQuellor::fillPinProperties(VstInt32 index, Vst::VstPinProperties* properties,
                                 const char* const labels[2], const char* const shortLabels[2])
{
    if (properties == nullptr || index < 0 || index > 1)
    {
        return false;
    }
    Vst::vst_strncpy(properties->label, labels[index], Vst::kVstMaxLabelLen - 1);
    Vst::vst_strncpy(properties->shortLabel, shortLabels[index], Vst::kVstMaxShortLabelLen - 1);
    properties->flags = kPinFlags;
    return true;
}

bool CQuellor::getInputProperties(VstInt32 index, Vst::VstPinProperties* properties)
{
    return fillPinProperties(index, properties, kInputLabels, kInputShortLabels);
}

bool CQuellor::getOutputProperties(VstInt32 index, Vst::VstPinProperties* properties)
{
    return fillPinProperties(index, properties, kOutputLabels, kOutputShortLabels);
}

VstIntPtr CQuellor::vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    // The index arrives as a signed 32-bit number; vendor codes are unsigned.
    const auto code = static_cast<std::uint32_t>(index);
    if (code == kHostScaleIndex && value == kHostScaleValue)
    {
        // The host's scale for the editor, in opt; sent before or while the editor is open.
        if (!std::isfinite(opt) || opt <= 0.0f)
        {
            return 0;
        }
        if (m_view != nullptr)
        {
            m_view->hostScaleChanged(opt);
        }
        return 1;
    }
    if (ptr == nullptr || value < 0 || value >= kNumParameters)
    {
        return 0;
    }
    if (code == kExtensionParameterDisplay)
    {
        std::snprintf(static_cast<char*>(ptr), kExtensionTextSize, "%1f", static_cast<double>(opt));
        return kExtensionHandled;
    }
    if (code == kExtensionParameterRange)
    {
        const Parameters::SRange& range = Parameters::parameter(static_cast<int>(value)).queryRange;
        const double bounds[2] = {range.minimum, range.maximum};
        std::memcpy(ptr, bounds, sizeof bounds);
        return kExtensionHandled;
    }
    return 0;
}

} // namespace Vantor::Quellor
