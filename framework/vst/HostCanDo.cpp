#include "framework/vst/HostCanDo.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/vst/AudioEffectX.hpp"

namespace Vantor::Vst
{

namespace
{

constexpr const char* kCapabilityTexts[CHostCanDo::kNumberOfCapabilities] = {
    "sendVstEvents",
    "sendVstMidiEvent",
    "sendVstTimeInfo",
    "receiveVstEvents",
    "receiveVstMidiEvent",
    "receiveVstTimeInfo",
    "reportConnectionChanges",
    "acceptIOChanges",
    "sizeWindow",
    "asyncProcessing",
    "offline",
    "supplyIdle",
    "supportShell",
    "editFile",
    "closeFileSelector",
    "startStopProcess",
};

// Hosts assume 64-character buffers and some write more: ask with a large,
// zeroed one.
constexpr int kHostTextBufferSize = 256;

} // namespace

CHostCanDo::CHostCanDo()
{
    reset();
}

CHostCanDo::CHostCanDo(AudioEffectX* effect) : CHostCanDo()
{
    setFromAudioEffectX(effect);
}

void CHostCanDo::setFromAudioEffectX(AudioEffectX* effect)
{
    if (effect == nullptr)
    {
        throw Exceptions::CException("Effect is NULL", "CHostCanDo::setFromAudioEffectX(AudioEffectX *)");
    }
    reset();
    for (int i = 0; i < kNumberOfCapabilities; ++i)
    {
        m_capabilities[i] = effect->canHostDo(kCapabilityTexts[i]);
    }

    char text[kHostTextBufferSize] = {};
    if (effect->getHostProductString(text))
    {
        text[kHostTextBufferSize - 1] = 0;
        m_hostProduct.setString(text);
    }
    char vendor[kHostTextBufferSize] = {};
    if (effect->getHostVendorString(vendor))
    {
        vendor[kHostTextBufferSize - 1] = 0;
        m_hostVendor.setString(vendor);
    }
    m_hostVendorVersion = effect->getHostVendorVersion();
}

bool CHostCanDo::canDo(ECapability capability) const
{
    return capability >= 0 && capability < kNumberOfCapabilities && m_capabilities[capability];
}

const char* CHostCanDo::getCapabilityText(ECapability capability)
{
    return capability >= 0 && capability < kNumberOfCapabilities ? kCapabilityTexts[capability] : nullptr;
}

void CHostCanDo::reset()
{
    for (bool& capability : m_capabilities)
    {
        capability = false;
    }
    m_hostProduct.setString(" ");
    m_hostVendor.setString(" ");
    m_hostVendorVersion = 0;
}

} // namespace Vantor::Vst
