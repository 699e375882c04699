#pragma once
// What pressora knows about our own plug-in, PressoraLite: how to recognise it,
// its standard setting and its threshold in dB.

#include <optional>
#include <string>

namespace Vantor::VstHost
{
class CVstPlugin;
}

namespace Vantor::Pressora::OwnPlugin
{

// The plug-in calls itself PressoraLite and has every parameter of its table.
bool isPressoraLite(VstHost::CVstPlugin& plugin);

// Sets the standard setting (threshold -20 dB, 4:1, attack 5 ms, release 50 ms),
// by the parameters' names; the others keep their values.
void applyStandardSetting(VstHost::CVstPlugin& plugin);
// "Threshold -20 dB, Ratio 4:1, Attack 5 ms, Release 50 ms".
std::string standardSettingText();

// The threshold in dB as the plug-in holds it now; empty for other plug-ins.
std::optional<double> thresholdDb(VstHost::CVstPlugin& plugin);

} // namespace Vantor::Pressora::OwnPlugin
