#pragma once

#include "framework/host/ApplicationInformation.hpp"
#include "framework/vst/VstAbi.hpp"

namespace Vantor::Quellor
{

class CQuellor;

// Gives each new effect its editor (which registers itself with the effect). The
// plug-in module installs one when it is loaded; without one, as in the effect's
// own tests and benchmarks, effects have no editor and need no display.
using EditorFactory = void (*)(CQuellor& effect);
void setEditorFactory(EditorFactory factory);

// The process-wide set-up of the library, run by the platform's load hook with
// the library's own module: fills the application information (company,
// product and description texts, version, registry key, legal notice, the
// library's folder and instance). Never throws.
void attachModule(Host::ModuleInstance instance);
// The matching tear-down, run by the unload hook: releases the application
// information and shuts the class registry down without a report. Never throws.
void detachModule();

// The entry point's work: asks the host for its version (no host: null),
// creates the effect and its editor and answers the effect's record. Any exception ends in the
// platform's error box (the one message this product ever shows a user) and null: nothing
// ever reaches the host.
Vst::AEffect* createEffect(Vst::audioMasterCallback audioMaster);

} // namespace Vantor::Quellor

// The exported entry point (the module also exports it as "main").
extern "C"
#if defined(_WIN32)
    __declspec(dllexport)
#else
    __attribute__((visibility("default")))
#endif
        Vantor::Vst::AEffect* VANTOR_VSTCALL VSTPluginMain(Vantor::Vst::audioMasterCallback audioMaster);
