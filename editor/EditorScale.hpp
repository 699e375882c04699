#pragma once
// The scale the editor draws at, from the places that can ask for one, first
// match wins:
//   1. PRESSORA_SCALE in the environment (for users and tests);
//   2. the user's own choice from the editor's size menu (kept in the settings file);
//   3. while the choice is Automatic (the default): the host's scale (a VST 2 host's
//      vendor call, LV2's ui:scaleFactor option);
//   4. the desktop's: the windowing system's (Xft.dpi over 96 on X11, the DPI of the
//      host window's monitor on Windows), known only once the editor has been opened;
//   5. GDK_SCALE in the environment;
//   6. 1.
// Every answer is clamped into 1..3; a value that cannot be read counts as absent.

#include <optional>
#include <string>

namespace Vantor::Quellor::EditorScale
{

struct SSources
{
    std::optional<double> environment;
    std::optional<double> user;
    std::optional<double> host;
    std::optional<double> desktop;
    std::optional<double> gdk;
};

// The scale the sources give.
double choose(const SSources& sources);

// A scale written as a number ("1.5", "2") or a percentage ("150%"); empty for text that
// is none of these, or for a value that is not positive and finite.
std::optional<double> parse(const char* text);

// A positive, finite scale handed over by a host or the system; empty otherwise (hosts
// send 0 or garbage to mean nothing).
std::optional<double> given(double scale);

// The environment's sources (PRESSORA_SCALE and GDK_SCALE) as the process has them now.
SSources fromEnvironment();

// The choices of the size menu, in its order: 100 % to 300 %, then Automatic (empty).
inline constexpr double kMenuScales[] = {1.0, 1.25, 1.5, 2.0, 2.5, 3.0};
inline constexpr int kMenuChoices = 7;
inline constexpr int kAutomaticChoice = 6;
// The menu's text of a choice ("Size: 100%" style items without the "Size: " heading).
std::string menuText(int choice);
// The choice that stands for a user scale (empty: Automatic); an unlisted scale gives -1.
int menuChoiceOf(const std::optional<double>& scale);

} // namespace Vantor::Quellor::EditorScale
