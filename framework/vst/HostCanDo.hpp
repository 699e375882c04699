#pragma once

#include "framework/basics/String.hpp"

#include <cstdint>

namespace Vantor::Vst
{

class AudioEffectX;

// A cache of what the host says it can do, with its product, vendor and
// version. Filled once (usually while the effect is built) and only read
// afterwards, so it can be consulted from any thread.
class CHostCanDo
{
public:
    // The capabilities asked for, in the order they are asked.
    enum ECapability
    {
        kSendVstEvents,
        kSendVstMidiEvent,
        kSendVstTimeInfo,
        kReceiveVstEvents,
        kReceiveVstMidiEvent,
        kReceiveVstTimeInfo,
        kReportConnectionChanges,
        kAcceptIOChanges,
        kSizeWindow,
        kAsyncProcessing,
        kOffline,
        kSupplyIdle,
        kSupportShell,
        kEditFile,
        kCloseFileSelector,
        kStartStopProcess,
        kNumberOfCapabilities
    };

    // Everything false, texts " ", version 0.
    CHostCanDo();
    // Empty, then filled from the effect's host (see setFromAudioEffectX).
    explicit CHostCanDo(AudioEffectX* effect);
    virtual ~CHostCanDo() = default;

    // Empties the cache, then asks the host about every capability (a
    // positive answer counts as yes) and for its product, vendor and vendor
    // version. A null effect throws CException ("Effect is NULL").
    void setFromAudioEffectX(AudioEffectX* effect);

    // Whether the host said yes; false for an unknown capability.
    bool canDo(ECapability capability) const;
    const Basics::CString& getHostProduct() const { return m_hostProduct; }
    const Basics::CString& getHostVendor() const { return m_hostVendor; }
    std::int32_t getHostVendorVersion() const { return m_hostVendorVersion; }

    // Whether the editor's edits (begin-edit, automate, end-edit) may go to the host
    // from the editor's thread. Not for Ardour on Linux (7.3 at least): it runs VST 2
    // editors on a thread of its own and, once a begin-edit has started a touch,
    // records each automated value there with a tempo map that thread was never
    // given, and crashes. Its process thread has one: the effect relays the edits
    // to the processing call there (CEditRelay).
    bool takesEditsFromTheEditorThread() const;

    // The text the host is asked with, e.g. "sizeWindow"; null for an unknown capability.
    static const char* getCapabilityText(ECapability capability);

private:
    void reset();

    bool m_capabilities[kNumberOfCapabilities];
    Basics::CString m_hostProduct;
    Basics::CString m_hostVendor;
    std::int32_t m_hostVendorVersion = 0;
};

} // namespace Vantor::Vst
