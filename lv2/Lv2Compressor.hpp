#pragma once
// One instance of the LV2 edition's DSP: the compressor effect driven through
// the port layout of lv2/Ports.hpp.
//
// - The six control ports hold values in the user's units; each run turns a
//   changed one into the host value the VST path would receive
//   (Parameters::hostValueOfUser) and sets the effect's parameter with it, so
//   that the same values render the same samples.
// - The enabled port is the host's bypass: disabled, the output is the input
//   delayed by the effect's latency; each switch crossfades linearly over 64
//   samples. The effect keeps running meanwhile, so it is warm when it comes back.
// - The latency port reads 16; the level port the peak the VST editor's meter
//   shows; the gain-reduction port the largest reduction of the call, in dB.
// - The side-chain edition feeds the compressor's detector from its side-chain
//   pair (the main pair when that pair is not connected).
//
// run() allocates nothing, takes no lock and accepts any frame count.

#include <cstdint>

#include "plugin/ParameterView.hpp"
#include "plugin/Parameters.hpp"
#include "plugin/Quellor.hpp"

namespace Vantor::Quellor::Lv2
{

class CLv2Compressor final : private IParameterView
{
public:
    // Throws (std::bad_alloc, CException) when the effect cannot be made.
    CLv2Compressor(double sampleRate, bool sideChain);
    ~CLv2Compressor() override;
    CLv2Compressor(const CLv2Compressor&) = delete;
    CLv2Compressor& operator=(const CLv2Compressor&) = delete;

    // Threads: any (the host's instantiation class).
    void connectPort(std::uint32_t port, void* data);
    // Clears the delay and the blocks; the next run takes the bypass as it finds it.
    // Threads: any (the host's instantiation class).
    void activate();
    // Threads: audio.
    void run(std::uint32_t frames);

    const CQuellor& getEffect() const { return *m_effect; }

    // Frames each pass of the bypassed or crossfading path handles at most.
    static constexpr std::uint32_t kChunkFrames = 256;
    static constexpr int kDelay = CQuellor::kBlockSize;

private:
    // The meter and nothing else: called on the audio thread, it only stores.
    void parameterChanged(long index, double value) override;
    bool isSettingParameter() const override { return false; }

    void applyControls();
    // The effect over `frames` frames from `offset` on, with its side chain if it has one.
    void process(std::uint32_t offset, std::uint32_t frames);
    // Keeps the last kDelay input samples of each channel (cleaned as the effect
    // cleans them), taking `frames` new ones.
    void remember(const float* left, const float* right, std::uint32_t frames);
    // The bypassed or crossfading path; answers the largest gain reduction.
    float runFading(std::uint32_t frames, bool enabled);

    CQuellor* m_effect = nullptr;
    const bool m_sideChain;

    const float* m_inputs[2] = {};
    float* m_outputs[2] = {};
    const float* m_sideChainInputs[2] = {};
    const float* m_controls[Parameters::kCount] = {};
    const float* m_enabled = nullptr;
    float* m_latency = nullptr;
    float* m_level = nullptr;
    float* m_gainReduction = nullptr;

    // The control values last applied, bit for bit (so that a value that is not a
    // number is applied once, not at every call).
    std::uint32_t m_appliedBits[Parameters::kCount] = {};
    bool m_applied[Parameters::kCount] = {};

    // Crossfade position: kBypassFadeFrames is fully processed, 0 fully bypassed.
    int m_wetSteps = 0;
    bool m_fresh = true; // activated since the last run: take the bypass without a fade

    float m_history[2][kDelay] = {};
    float m_delayed[2][kChunkFrames] = {};
    float m_meter = 0.0f;
};

} // namespace Vantor::Quellor::Lv2
