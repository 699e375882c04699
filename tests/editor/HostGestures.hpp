#pragma once
// The touch gestures and automation of one parameter that a built plug-in sent our
// host, in order: "begin", "automate", "end".
#include "tools/vsthost/VstPlugin.hpp"

#include <string>
#include <vector>

namespace Vantor::Testing
{

inline std::vector<std::string> gestures(const VstHost::CVstPlugin& plugin, Vst::VstInt32 index)
{
    std::vector<std::string> seen;
    for (const VstHost::SHostCall& call : plugin.host().calls())
    {
        const char* name = call.opcode == Vst::audioMasterBeginEdit  ? "begin"
                           : call.opcode == Vst::audioMasterAutomate ? "automate"
                           : call.opcode == Vst::audioMasterEndEdit  ? "end"
                                                                     : nullptr;
        if (call.index == index && name != nullptr)
        {
            seen.emplace_back(name);
        }
    }
    return seen;
}

} // namespace Vantor::Testing
