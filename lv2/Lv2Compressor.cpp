#include "lv2/Lv2Compressor.hpp"

#include <algorithm>
#include <bit>

#include "lv2/Ports.hpp"

namespace Vantor::Quellor::Lv2
{

namespace
{
// The effect's own rule for input it cannot use: silence.
float cleaned(float sample)
{
    return sample >= -CQuellor::kLoudestInput && sample <= CQuellor::kLoudestInput ? sample : 0.0f;
}
} // namespace

CLv2Compressor::CLv2Compressor(double sampleRate, bool sideChain) : m_sideChain(sideChain)
{
    // No VST host: the effect's host calls answer nothing, and it needs none.
    m_effect = new CQuellor(nullptr);
    m_effect->setSampleRate(static_cast<float>(sampleRate));
    m_effect->setParameterView(this);
    m_effect->resume();
}

CLv2Compressor::~CLv2Compressor()
{
    m_effect->setParameterView(nullptr);
    delete m_effect;
}

void CLv2Compressor::connectPort(std::uint32_t port, void* data)
{
    const int parameter = parameterOfPort(port);
    if (parameter >= 0)
    {
        m_controls[parameter] = static_cast<const float*>(data);
        return;
    }
    switch (port)
    {
    case kInputLeft:
    case kInputRight:
        m_inputs[port - kInputLeft] = static_cast<const float*>(data);
        break;
    case kOutputLeft:
    case kOutputRight:
        m_outputs[port - kOutputLeft] = static_cast<float*>(data);
        break;
    case kEnabled:
        m_enabled = static_cast<const float*>(data);
        break;
    case kLatency:
        m_latency = static_cast<float*>(data);
        break;
    case kLevel:
        m_level = static_cast<float*>(data);
        break;
    case kGainReduction:
        m_gainReduction = static_cast<float*>(data);
        break;
    case kSideChainLeft:
    case kSideChainRight:
        if (m_sideChain)
        {
            m_sideChainInputs[port - kSideChainLeft] = static_cast<const float*>(data);
        }
        break;
    default:
        break;
    }
}

void CLv2Compressor::activate()
{
    m_effect->resume();
    for (float* history : m_history)
    {
        std::fill(history, history + kDelay, 0.0f);
    }
    m_fresh = true;
}

void CLv2Compressor::parameterChanged(long index, double value)
{
    if (index == IParameterView::kMeterIndex)
    {
        m_meter = std::max(m_meter, static_cast<float>(value));
    }
}

void CLv2Compressor::applyControls()
{
    for (const Parameters::SParameter& parameter : Parameters::kTable)
    {
        const float* port = m_controls[parameter.index];
        if (port == nullptr)
        {
            continue;
        }
        const float value = *port;
        const auto bits = std::bit_cast<std::uint32_t>(value);
        if (m_applied[parameter.index] && bits == m_appliedBits[parameter.index])
        {
            continue;
        }
        m_effect->setParameter(parameter.index, Parameters::hostValueOfUser(parameter, value));
        m_applied[parameter.index] = true;
        m_appliedBits[parameter.index] = bits;
    }
}

void CLv2Compressor::process(std::uint32_t offset, std::uint32_t frames)
{
    const auto count = static_cast<Vst::VstInt32>(frames);
    float* inputs[2] = {const_cast<float*>(m_inputs[0]) + offset, const_cast<float*>(m_inputs[1]) + offset};
    float* outputs[2] = {m_outputs[0] + offset, m_outputs[1] + offset};
    if (m_sideChain && m_sideChainInputs[0] != nullptr && m_sideChainInputs[1] != nullptr)
    {
        float* sideChain[2] = {const_cast<float*>(m_sideChainInputs[0]) + offset,
                               const_cast<float*>(m_sideChainInputs[1]) + offset};
        m_effect->processAudioWithSideChain(inputs, sideChain, outputs, count);
    }
    else
    {
        m_effect->processAudio(inputs, outputs, count);
    }
}

void CLv2Compressor::remember(const float* left, const float* right, std::uint32_t frames)
{
    const float* channels[2] = {left, right};
    for (int channel = 0; channel < 2; ++channel)
    {
        float* history = m_history[channel];
        const float* input = channels[channel];
        if (frames >= static_cast<std::uint32_t>(kDelay))
        {
            std::transform(input + frames - kDelay, input + frames, history, cleaned);
        }
        else
        {
            std::copy(history + frames, history + kDelay, history);
            std::transform(input, input + frames, history + kDelay - frames, cleaned);
        }
    }
}

void CLv2Compressor::run(std::uint32_t frames)
{
    applyControls();
    if (m_latency != nullptr)
    {
        *m_latency = kLatencyFrames;
    }
    const bool enabled = m_enabled == nullptr || *m_enabled > 0.0f;
    if (m_fresh)
    {
        m_wetSteps = enabled ? kBypassFadeFrames : 0;
        m_fresh = false;
    }
    m_meter = 0.0f;
    float reduction = 0.0f;
    const bool connected = m_inputs[0] != nullptr && m_inputs[1] != nullptr && m_outputs[0] != nullptr &&
                           m_outputs[1] != nullptr;
    if (connected && enabled && m_wetSteps == kBypassFadeFrames)
    {
        // The plain path. The history is taken first: the outputs may share the inputs' buffers.
        remember(m_inputs[0], m_inputs[1], frames);
        process(0, frames);
        reduction = m_effect->getGainReduction();
    }
    else if (connected)
    {
        reduction = runFading(frames, enabled);
    }
    if (m_level != nullptr)
    {
        *m_level = m_meter;
    }
    if (m_gainReduction != nullptr)
    {
        *m_gainReduction = reduction;
    }
}

float CLv2Compressor::runFading(std::uint32_t frames, bool enabled)
{
    float reduction = 0.0f;
    for (std::uint32_t offset = 0; offset < frames;)
    {
        const std::uint32_t count = std::min(kChunkFrames, frames - offset);
        // What leaves the delay in this pass, made before the effect may overwrite the inputs.
        for (int channel = 0; channel < 2; ++channel)
        {
            const float* input = m_inputs[channel] + offset;
            float* delayed = m_delayed[channel];
            const std::uint32_t fromHistory = std::min<std::uint32_t>(count, kDelay);
            std::copy(m_history[channel], m_history[channel] + fromHistory, delayed);
            if (count > fromHistory)
            {
                std::transform(input, input + (count - kDelay), delayed + kDelay, cleaned);
            }
        }
        remember(m_inputs[0] + offset, m_inputs[1] + offset, count);
        process(offset, count);
        reduction = std::max(reduction, m_effect->getGainReduction());

        for (std::uint32_t i = 0; i < count; ++i)
        {
            if (enabled && m_wetSteps < kBypassFadeFrames)
            {
                ++m_wetSteps;
            }
            else if (!enabled && m_wetSteps > 0)
            {
                --m_wetSteps;
            }
            if (m_wetSteps == kBypassFadeFrames)
            {
                continue; // the effect's own samples
            }
            const float wet = static_cast<float>(m_wetSteps) / static_cast<float>(kBypassFadeFrames);
            for (int channel = 0; channel < 2; ++channel)
            {
                float& out = m_outputs[channel][offset + i];
                const float dry = m_delayed[channel][i];
                out = m_wetSteps == 0 ? dry : out * wet + dry * (1.0f - wet);
            }
        }
        offset += count;
    }
    return reduction;
}

} // namespace Vantor::Quellor::Lv2
