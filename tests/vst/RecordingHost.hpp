#pragma once
// A scriptable stand-in for a VST host: records every callback and answers
// through a replaceable function. Only one host is active at a time.

#include "framework/vst/VstAbi.hpp"

#include <functional>
#include <vector>

namespace Vantor::Vst::Testing
{

struct HostCall
{
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

class RecordingHost
{
public:
    RecordingHost() { current() = this; }
    ~RecordingHost() { current() = nullptr; }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    static VstIntPtr VANTOR_VSTCALL callback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                             VstIntPtr value, void* ptr, float opt)
    {
        RecordingHost* host = current();
        if (host == nullptr)
        {
            return 0;
        }
        const HostCall call{effect, opcode, index, value, ptr, opt};
        host->calls.push_back(call);
        return host->answer ? host->answer(call) : 0;
    }

    std::vector<HostCall> callsWith(VstInt32 opcode) const
    {
        std::vector<HostCall> found;
        for (const HostCall& call : calls)
        {
            if (call.opcode == opcode)
            {
                found.push_back(call);
            }
        }
        return found;
    }

    std::vector<HostCall> calls;
    std::function<VstIntPtr(const HostCall&)> answer;

private:
    static RecordingHost*& current()
    {
        static RecordingHost* host = nullptr;
        return host;
    }
};

// Calls the effect's dispatcher the way a host does.
inline VstIntPtr dispatch(AEffect* record, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f)
{
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

} // namespace Vantor::Vst::Testing
