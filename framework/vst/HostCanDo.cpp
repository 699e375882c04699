#include "framework/vst/HostCanDo.hpp"

#include "framework/basics/Exception.hpp"
#include "framework/vst/AudioEffectX.hpp"

#include <cstring>

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

    // Some hosts write their name and still answer 0: what was written counts.
    char text[kHostTextBufferSize] = {};
    if (effect->getHostProductString(text) || text[0] != 0)
    {
        text[kHostTextBufferSize - 1] = 0;
        m_hostProduct.setString(text);
    }
    char vendor[kHostTextBufferSize] = {};
    if (effect->getHostVendorString(vendor) || vendor[0] != 0)
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

bool CHostCanDo::takesEditsFromTheEditorThread() const
{
#if defined(_WIN32)
    return true;
#else
    return std::strncmp(m_hostProduct.getString(), "Ardour", 6) != 0;
#endif
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
