#include "editor/EditorModule.hpp"

#include "editor/QuellorEditor.hpp"
#include "framework/gui/windowing/GuiLifetime.hpp"
#include "plugin/Module.hpp"
#include "plugin/Quellor.hpp"

namespace Vantor::Quellor
{

void createEditor(CQuellor& effect)
{
    GUI::Windowing::CWindowAttributes attributes;
    attributes.setBackgroundColour(GUI::Graphics::CColour(0, 0, 0));
    // The editor registers itself with the effect, which owns it from then on.
    new CQuellorEditor(&effect, MathTools::CRect(0, 0, 500, 158), attributes);
}

void attachEditorModule()
{
    try
    {
        GUI::startGuiFramework();
    }
    catch (...)
    {
        // Texts then draw with whatever font the editor finds; the effect still works.
    }
    setEditorFactory(&createEditor);
}

void detachEditorModule()
{
    setEditorFactory(nullptr);
    try
    {
        GUI::shutdownGuiFramework();
    }
    catch (...)
    {
    }
}

} // namespace Vantor::Quellor
