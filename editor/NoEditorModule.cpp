// The module's editor side in a build without the GUI framework: no editor
// factory is installed, so the module's effects have no editor and do not
// announce one to a host. Used only by the test library of the 32-bit build,
// which is never shipped.
#include "editor/EditorModule.hpp"

namespace Vantor::Quellor
{

void attachEditorModule() {}

void detachEditorModule() {}

} // namespace Vantor::Quellor
