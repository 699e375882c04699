#pragma once
// The compressor and the effect's audio path written out one sample at a time
// with the plain extended-precision formulas: the oracles for the block and
// vector forms.

#include <cmath>

#include "plugin/CompressorSC.hpp"

namespace QuellorTest
{

inline bool sameFloat(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

struct ReferenceCompressor
{
    using CCompressorSC = Vantor::Quellor::CCompressorSC;
    float threshold = 0.0f, slope = 1.0f, envelope = CCompressorSC::kTiny, meanSquare = 0.0f;
    float averager = 0.0f, attack = 0.0f, release = 0.0f;

    // Takes the settings (not the state) of a compressor.
    void takeSettings(const CCompressorSC& compressor)
    {
        threshold = compressor.getThreshold();
        slope = compressor.getRatio();
        attack = compressor.getAttack().getCoefficient();
        release = compressor.getRelease().getCoefficient();
        averager = compressor.getAverager().getCoefficient();
    }

    void processBlock(float* left, float* right, const float* detectorLeft, const float* detectorRight)
    {
        for (int i = 0; i < CCompressorSC::kBlockSize; ++i)
        {
            const float x = detectorLeft[i] * detectorLeft[i] + detectorRight[i] * detectorRight[i] +
                            CCompressorSC::kTiny;
            meanSquare = x + (meanSquare - x) * averager;
            float over = CCompressorSC::levelOf(meanSquare) - threshold;
            if (over < 0.0f)
            {
                over = 0.0f;
            }
            const float target = over + CCompressorSC::kTiny;
            envelope = target + (envelope - target) * (target > envelope ? attack : release);
            const float gain = CCompressorSC::gainOf(slope, envelope);
            left[i] *= gain;
            right[i] *= gain;
        }
    }
};

// The effect's audio path for finite input: a 16-sample delay through the
// blocks, the compressor on each full block, the mix ramped frame by frame and
// the master gain, in extended precision.
struct ReferenceEffect
{
    static constexpr int kBlockSize = Vantor::Quellor::CCompressorSC::kBlockSize;
    ReferenceCompressor compressor;
    float dryLeft[kBlockSize] = {}, dryRight[kBlockSize] = {};
    float wetLeft[kBlockSize] = {}, wetRight[kBlockSize] = {};
    int position = 0;
    float mix = 1.0f;
    double masterGain = 1.0;
    bool compressorOn = true;

    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int frames,
                 float mixTarget)
    {
        const float step = (mixTarget - mix) / static_cast<float>(frames);
        for (int i = 0; i < frames; ++i)
        {
            const float dryL = dryLeft[position], dryR = dryRight[position];
            const long double wetL = wetLeft[position], wetR = wetRight[position];
            dryLeft[position] = wetLeft[position] = inLeft[i];
            dryRight[position] = wetRight[position] = inRight[i];
            if (++position == kBlockSize)
            {
                if (compressorOn)
                {
                    compressor.processBlock(wetLeft, wetRight, dryLeft, dryRight);
                }
                position = 0;
            }
            mix += step;
            const long double gain = masterGain;
            outLeft[i] = static_cast<float>((dryL + (wetL - dryL) * mix) * gain);
            outRight[i] = static_cast<float>((dryR + (wetR - dryR) * mix) * gain);
        }
    }
};

} // namespace QuellorTest
