#include "lv2/Lv2Editor.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "editor/PanelLayout.hpp"
#include "editor/QuellorEditor.hpp"
#include "framework/basics/Exception.hpp"
#include "framework/gui/windowing/WindowHandle.hpp"
#include "lv2/Ports.hpp"
#include "plugin/ParameterObjects.hpp"
#include "plugin/ParameterView.hpp"

namespace Vantor::Quellor::Lv2
{

namespace
{
bool isParameter(Vst::VstInt32 index)
{
    return Parameters::isIndex(index);
}
} // namespace

// ---- the stand-in effect ------------------------------------------------------

CLv2EditorEffect::CLv2EditorEffect(const SUiHost& host)
    : AudioEffectX(nullptr, 0, Parameters::kCount), m_host(host)
{
    std::fill(std::begin(m_written), std::end(m_written), std::numeric_limits<float>::quiet_NaN());
    for (const Parameters::SParameter& parameter : Parameters::kTable)
    {
        m_parameters[parameter.index].setPointer(createParameterObject(parameter));
        setParameter(parameter.index, parameter.defaultValue);
    }
}

CLv2EditorEffect::~CLv2EditorEffect() = default;

void CLv2EditorEffect::setParameter(Vst::VstInt32 index, float value)
{
    if (isParameter(index) && std::isfinite(value))
    {
        const Parameters::SParameter& parameter = Parameters::parameter(index);
        m_parameters[index]->setValue(Parameters::objectValue(parameter, std::clamp(value, 0.0f, 1.0f)));
    }
}

float CLv2EditorEffect::getParameter(Vst::VstInt32 index)
{
    return isParameter(index)
               ? Parameters::hostValue(Parameters::parameter(index), m_parameters[index]->getValue())
               : 0.0f;
}

void CLv2EditorEffect::getParameterName(Vst::VstInt32 index, char* text)
{
    if (text != nullptr)
    {
        isParameter(index) ? m_parameters[index]->getName(text) : void(*text = '\0');
    }
}

void CLv2EditorEffect::getParameterLabel(Vst::VstInt32 index, char* text)
{
    if (text != nullptr)
    {
        isParameter(index) ? m_parameters[index]->getLabel(text) : void(*text = '\0');
    }
}

void CLv2EditorEffect::getParameterDisplay(Vst::VstInt32 index, char* text)
{
    if (text != nullptr)
    {
        isParameter(index) ? m_parameters[index]->getDisplay(text) : void(*text = '\0');
    }
}

void CLv2EditorEffect::setParameterAutomated(Vst::VstInt32 index, float value)
{
    if (!isParameter(index) || !std::isfinite(value))
    {
        return;
    }
    setParameter(index, value);
    const bool single = !m_touching[index];
    if (single)
    {
        touch(index, true);
    }
    const Parameters::SParameter& parameter = Parameters::parameter(index);
    const auto user = static_cast<float>(Parameters::userValue(parameter, getParameter(index)));
    m_written[index] = user;
    if (m_host.write != nullptr)
    {
        m_host.write(m_host.controller, controlPort(index), sizeof user, 0, &user);
    }
    if (single)
    {
        touch(index, false);
    }
}

bool CLv2EditorEffect::beginEdit(Vst::VstInt32 index)
{
    if (!isParameter(index))
    {
        return false;
    }
    if (!m_touching[index])
    {
        touch(index, true);
    }
    return m_host.touch != nullptr;
}

bool CLv2EditorEffect::endEdit(Vst::VstInt32 index)
{
    if (!isParameter(index) || !m_touching[index])
    {
        return false;
    }
    touch(index, false);
    return m_host.touch != nullptr;
}

bool CLv2EditorEffect::sizeWindow(Vst::VstInt32 width, Vst::VstInt32 height)
{
    return m_host.resize != nullptr && m_host.resize->ui_resize != nullptr &&
           m_host.resize->ui_resize(m_host.resize->handle, width, height) == 0;
}

void CLv2EditorEffect::processReplacing(float**, float**, Vst::VstInt32) {}

void CLv2EditorEffect::endAllGestures()
{
    for (int index = 0; index < Parameters::kCount; ++index)
    {
        if (m_touching[index])
        {
            touch(index, false);
        }
    }
}

void CLv2EditorEffect::touch(int index, bool grabbed)
{
    m_touching[index] = grabbed;
    if (m_host.touch != nullptr && m_host.touch->touch != nullptr)
    {
        m_host.touch->touch(m_host.touch->handle, controlPort(index), grabbed);
    }
}

float scaleFactorOf(const LV2_Options_Option* options, LV2_URID scaleKey, LV2_URID floatType, float current)
{
    if (scaleKey == 0)
    {
        return current;
    }
    for (const LV2_Options_Option* option = options; option != nullptr && option->key != 0; ++option)
    {
        if (option->key == scaleKey && option->type == floatType && option->size == sizeof(float) &&
            option->value != nullptr)
        {
            const float scale = *static_cast<const float*>(option->value);
            if (scale > 0.0f && scale < 16.0f)
            {
                current = scale;
            }
        }
    }
    return current;
}

// ---- the UI -------------------------------------------------------------------

CLv2Editor::CLv2Editor(const SUiHost& host, const char* resourceFolder, std::uintptr_t parent,
                       double hostScale)
    : m_effect(new CLv2EditorEffect(host)), m_editor(nullptr)
{
    try
    {
        GUI::Windowing::CWindowAttributes attributes;
        attributes.setBackgroundColour(GUI::Graphics::CColour(0, 0, 0));
        // The editor registers itself with the stand-in, which owns it from then on.
        m_editor =
            new CQuellorEditor(m_effect, MathTools::CRect(0, 0, Layout::kPanelWidth, Layout::kPanelHeight),
                               attributes, Basics::CSystemString(resourceFolder));
        m_editor->setHostScale(hostScale);
        // NOLINTNEXTLINE(performance-no-int-to-ptr): an X11 window id travels as a pointer.
        if (!m_editor->open(reinterpret_cast<void*>(parent)))
        {
            throw Exceptions::CException("The editor window could not be opened", "CLv2Editor::CLv2Editor");
        }
    }
    catch (...)
    {
        delete m_effect;
        throw;
    }
}

CLv2Editor::~CLv2Editor()
{
    m_effect->endAllGestures();
    m_editor->close();
    delete m_effect;
}

std::uintptr_t CLv2Editor::getWidget() const
{
    return m_editor->getWindowHandle()->getNativeHandle();
}

int CLv2Editor::getWidth() const
{
    Vst::ERect* rect = nullptr;
    return m_editor->getRect(&rect) ? rect->right - rect->left : Layout::kPanelWidth;
}

int CLv2Editor::getHeight() const
{
    Vst::ERect* rect = nullptr;
    return m_editor->getRect(&rect) ? rect->bottom - rect->top : Layout::kPanelHeight;
}

void CLv2Editor::setHostScale(double scale)
{
    m_editor->setHostScale(scale);
}

void CLv2Editor::portEvent(std::uint32_t port, std::uint32_t bufferSize, std::uint32_t format,
                           const void* buffer)
{
    if (format != 0 || bufferSize != sizeof(float) || buffer == nullptr)
    {
        return;
    }
    const float value = *static_cast<const float*>(buffer);
    if (port == kLevel)
    {
        m_editor->parameterChanged(IParameterView::kMeterIndex, value);
        return;
    }
    if (port == kGainReduction)
    {
        m_editor->setGainReduction(value);
        return;
    }
    const int index = parameterOfPort(port);
    if (index < 0)
    {
        return;
    }
    // The host's echo of what the editor itself wrote changes nothing.
    if (std::bit_cast<std::uint32_t>(value) == std::bit_cast<std::uint32_t>(m_effect->getWrittenValue(index)))
    {
        return;
    }
    const float hostValue = Parameters::hostValueOfUser(Parameters::parameter(index), value);
    m_effect->setParameter(index, hostValue);
    m_editor->parameterChanged(index, hostValue);
}

void CLv2Editor::idle()
{
    m_editor->idle();
}

} // namespace Vantor::Quellor::Lv2
