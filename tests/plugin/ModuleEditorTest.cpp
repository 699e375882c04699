// The module's entry point with an editor that fails to build.
#include <gtest/gtest.h>

#include <stdexcept>

#include "editor/EditorModule.hpp"
#include "editor/QuellorEditor.hpp"
#include "plugin/Module.hpp"
#include "plugin/Quellor.hpp"
#include "tests/plugin/ModuleTestSupport.hpp"

using namespace Vantor;
using namespace ModuleTest;

namespace
{

// An editor that fails after it registered with its effect, as editor and as view.
class CFailingEditor : public Quellor::CQuellorEditor
{
public:
    explicit CFailingEditor(Quellor::CQuellor& owner)
        : CQuellorEditor(&owner, MathTools::CRect(0, 0, 500, 158), GUI::Windowing::CWindowAttributes(),
                         Basics::CSystemString(PRESSORALITE_RESOURCES))
    {
        throw std::runtime_error("the editor cannot be built");
    }
};

void createFailingEditor(Quellor::CQuellor& effect)
{
    new CFailingEditor(effect);
}

} // namespace

// The failed editor is gone when the exception leaves its constructor: the effect, which
// the entry point then deletes, must not delete it a second time (run under ASan).
TEST(ModuleEditor, AnEditorThatFailsToBuildIsDeletedOnceWithTheEffectThatNeverReachesTheHost)
{
    Quellor::setEditorFactory(&createFailingEditor);
    struct SRestore
    {
        ~SRestore() { Quellor::setEditorFactory(nullptr); }
    } restore;
    Vst::AEffect* record = nullptr;
    EXPECT_EQ(errorBoxShownBy([&] { record = VSTPluginMain(&testHost); }),
              "Exception occurred: Caught exception in main function of Pressora. Cannot continue to load\n");
    EXPECT_EQ(record, nullptr);
}
