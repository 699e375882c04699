#pragma once
// The plug-in module's editor side, run by its load and unload hooks.

namespace Vantor::Quellor
{

class CQuellor;

// At load: makes the GUI framework's shared objects (opening no display: that waits
// for the first effEditOpen) and gives every new effect its editor. Never throws.
void attachEditorModule();
// At unload, when the host has closed every effect and with it every editor: releases
// the GUI framework's shared objects and lets go of the display. Never throws.
void detachEditorModule();
// The editor of one effect: 500 x 158 at the origin on a black background.
void createEditor(CQuellor& effect);

} // namespace Vantor::Quellor
