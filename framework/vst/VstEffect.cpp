#include "framework/vst/VstEffect.hpp"

#include "framework/host/ApplicationInformation.hpp"
#include "framework/vst/VstStrings.hpp"

namespace Vantor::Vst
{

VANTOR_DEFINE_CLASS(Vantor::Vst::CVstEffect, "CVstEffect", "CCountedObject")

namespace
{

bool copyName(const Basics::CString& name, char* buffer)
{
    if (buffer == nullptr)
    {
        return false;
    }
    vst_strncpy(buffer, name.getString(), CVstEffect::kNameBufferSize - 1);
    return true;
}

} // namespace

CVstEffect::CVstEffect(audioMasterCallback hostCallback, VstInt32 numberOfParameters,
                       VstInt32 numberOfPrograms)
    : AudioEffectX(hostCallback, numberOfPrograms, numberOfParameters),
      m_lock(new Threading::CCriticalSection)
{
    m_lock->referenced();
    try
    {
        m_tempo.setEffect(this);
        m_midiEvents.setChannel(0);
        m_hostCanDo.setFromAudioEffectX(this);
        if (!m_hostCanDo.takesEditsFromTheEditorThread())
        {
            m_editRelay = std::make_unique<CEditRelay>(numberOfParameters);
        }
    }
    catch (...)
    {
        m_lock->dereference();
        throw;
    }
}

CVstEffect::~CVstEffect()
{
    m_lock->dereference();
}

void CVstEffect::setParameterAutomated(VstInt32 index, float value)
{
    if (m_editRelay == nullptr)
    {
        AudioEffectX::setParameterAutomated(index, value);
        return;
    }
    setParameter(index, value);
    m_editRelay->automate(index, value);
}

bool CVstEffect::beginEdit(VstInt32 index)
{
    return m_editRelay != nullptr ? m_editRelay->begin(index) : AudioEffectX::beginEdit(index);
}

bool CVstEffect::endEdit(VstInt32 index)
{
    return m_editRelay != nullptr ? m_editRelay->end(index) : AudioEffectX::endEdit(index);
}

void CVstEffect::processReplacing(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/)
{
    endProcessing();
}

void CVstEffect::processDoubleReplacing(double** /*inputs*/, double** /*outputs*/, VstInt32 /*sampleFrames*/)
{
    endProcessing();
}

void CVstEffect::endProcessing()
{
    if (m_editRelay != nullptr)
    {
        m_editRelay->deliver([this](VstInt32 opcode, VstInt32 index, float value)
                             { callHost(opcode, index, 0, nullptr, value); });
    }
    m_midiEvents.clear();
}

VstInt32 CVstEffect::processEvents(VstEvents* events)
{
    m_midiEvents.addVstEvents(events);
    return 1;
}

void CVstEffect::getProgramName(char* name)
{
    vst_strncpy(name, "Default", kVstMaxProgNameLen);
}

void CVstEffect::getParameterLabel(VstInt32 /*index*/, char* label)
{
    vst_strncpy(label, "No param", kVstMaxParamStrLen);
}

void CVstEffect::getParameterDisplay(VstInt32 /*index*/, char* text)
{
    vst_strncpy(text, "No param", kVstMaxParamStrLen);
}

void CVstEffect::getParameterName(VstInt32 /*index*/, char* text)
{
    vst_strncpy(text, "No param", kVstMaxParamStrLen);
}

bool CVstEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* text)
{
    vst_strncpy(text, "Default", kVstMaxProgNameLen);
    return true;
}

bool CVstEffect::getEffectName(char* name)
{
    return copyName(Host::CApplicationInformation::getApplicationName(), name);
}

bool CVstEffect::getVendorString(char* text)
{
    return copyName(Host::CApplicationInformation::getCompanyName(), text);
}

bool CVstEffect::getProductString(char* text)
{
    return copyName(Host::CApplicationInformation::getDescriptionString(), text);
}

void CVstEffect::setMidiChannel(VstInt32 channel)
{
    m_midiEvents.setChannel(channel);
}

} // namespace Vantor::Vst
