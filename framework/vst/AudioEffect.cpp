#include "framework/vst/AudioEffect.hpp"

#include "framework/vst/VstStrings.hpp"

#include <cstring>

namespace Vantor::Vst
{

AudioEffect::AudioEffect(audioMasterCallback hostCallback, VstInt32 programCount, VstInt32 paramCount)
    : audioMaster(hostCallback), numPrograms(programCount), numParams(paramCount)
{
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffClass;
    cEffect.process = processClass;
    cEffect.setParameter = setParameterClass;
    cEffect.getParameter = getParameterClass;
    cEffect.processReplacing = processReplacingClass;
    cEffect.processDoubleReplacing = processDoubleReplacingClass;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = kDefaultUniqueId;
    cEffect.version = 1;
}

AudioEffect::~AudioEffect()
{
    delete editor;
}

AudioEffect* AudioEffect::fromAeffect(AEffect* effect)
{
    if (effect == nullptr || effect->magic != kEffectMagic || effect->dispatcher != dispatchEffClass)
    {
        return nullptr;
    }
    return static_cast<AudioEffect*>(effect->object);
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    auto* const text = static_cast<char*>(ptr);
    switch (opcode)
    {
    case effOpen:
        open();
        break;
    case effClose:
        close();
        break;
    case effSetProgram:
        // Hosts have been seen sending negative numbers: only real programs are selected.
        if (value >= 0 && value < numPrograms)
        {
            setProgram(static_cast<VstInt32>(value));
        }
        break;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (text != nullptr)
        {
            setProgramName(text);
        }
        break;
    case effGetProgramName:
        if (text != nullptr)
        {
            getProgramName(text);
        }
        break;
    case effGetParamLabel:
        if (text != nullptr)
        {
            getParameterLabel(index, text);
        }
        break;
    case effGetParamDisplay:
        if (text != nullptr)
        {
            getParameterDisplay(index, text);
        }
        break;
    case effGetParamName:
        if (text != nullptr)
        {
            getParameterName(index, text);
        }
        break;
    case effSetSampleRate:
        setSampleRate(opt);
        break;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        break;
    case effMainsChanged:
        if (value == 0)
        {
            suspend();
        }
        else
        {
            resume();
        }
        break;
    case effEditGetRect:
        if (editor != nullptr && ptr != nullptr)
        {
            return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
        }
        break;
    case effEditOpen:
        if (editor != nullptr)
        {
            return editor->open(ptr) ? 1 : 0;
        }
        break;
    case effEditClose:
        if (editor != nullptr)
        {
            editor->close();
        }
        break;
    case effEditIdle:
        if (editor != nullptr)
        {
            editor->idle();
        }
        break;
    case effIdentify:
        return kEffectIdentify;
    case effGetChunk:
        if (ptr != nullptr)
        {
            return getChunk(static_cast<void**>(ptr), index != 0);
        }
        break;
    case effSetChunk:
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
        break;
    }
    return 0;
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

bool AudioEffect::beginEdit(VstInt32 index)
{
    return callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffect::endEdit(VstInt32 index)
{
    return callHost(audioMasterEndEdit, index) != 0;
}

void AudioEffect::setEditor(AEffEditor* newEditor)
{
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

VstInt32 AudioEffect::getMasterVersion()
{
    if (!hasHost())
    {
        return 0;
    }
    const auto version = static_cast<VstInt32>(callHost(audioMasterVersion));
    return version == 0 ? 1 : version; // a host that answers at all is at least version 1
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
    return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
    callHost(audioMasterIdle);
}

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen)
{
    Vst::dB2string(value, text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen)
{
    Vst::Hz2string(samples, sampleRate, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen)
{
    Vst::ms2string(samples, sampleRate, text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen)
{
    Vst::float2string(value, text, maxLen);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen)
{
    Vst::int2string(value, text, maxLen);
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return audioMaster != nullptr ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::setFlag(VstInt32 flag, bool state)
{
    cEffect.flags = state ? (cEffect.flags | flag) : (cEffect.flags & ~flag);
}

// ---- record trampolines -----------------------------------------------------
// Each one finds the instance behind the record and calls its virtual. No
// exception may cross into the host: failures answer 0 or do nothing.

VstIntPtr VANTOR_VSTCALL AudioEffect::dispatchEffClass(AEffect* e, VstInt32 opcode, VstInt32 index,
                                                       VstIntPtr value, void* ptr, float opt)
{
    AudioEffect* const self = fromAeffect(e);
    if (self == nullptr)
    {
        return 0;
    }
    if (opcode == effClose)
    {
        try
        {
            self->dispatcher(opcode, index, value, ptr, opt);
        }
        catch (...)
        {
            // closing goes on: the instance is destroyed either way
        }
        delete self;
        return 1;
    }
    try
    {
        return self->dispatcher(opcode, index, value, ptr, opt);
    }
    catch (...)
    {
        return 0;
    }
}

void VANTOR_VSTCALL AudioEffect::processClass(AEffect* e, float** inputs, float** outputs,
                                              VstInt32 sampleFrames)
{
    if (AudioEffect* const self = fromAeffect(e))
    {
        try
        {
            self->process(inputs, outputs, sampleFrames);
        }
        catch (...)
        {
        }
    }
}

void VANTOR_VSTCALL AudioEffect::processReplacingClass(AEffect* e, float** inputs, float** outputs,
                                                       VstInt32 sampleFrames)
{
    if (AudioEffect* const self = fromAeffect(e))
    {
        try
        {
            self->processReplacing(inputs, outputs, sampleFrames);
        }
        catch (...)
        {
        }
    }
}

void VANTOR_VSTCALL AudioEffect::processDoubleReplacingClass(AEffect* e, double** inputs, double** outputs,
                                                             VstInt32 sampleFrames)
{
    if (AudioEffect* const self = fromAeffect(e))
    {
        try
        {
            self->processDoubleReplacing(inputs, outputs, sampleFrames);
        }
        catch (...)
        {
        }
    }
}

void VANTOR_VSTCALL AudioEffect::setParameterClass(AEffect* e, VstInt32 index, float value)
{
    if (AudioEffect* const self = fromAeffect(e))
    {
        try
        {
            self->setParameter(index, value);
        }
        catch (...)
        {
        }
    }
}

float VANTOR_VSTCALL AudioEffect::getParameterClass(AEffect* e, VstInt32 index)
{
    if (AudioEffect* const self = fromAeffect(e))
    {
        try
        {
            return self->getParameter(index);
        }
        catch (...)
        {
        }
    }
    return 0.0f;
}

} // namespace Vantor::Vst
