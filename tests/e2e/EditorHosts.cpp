#include "EditorSession.h"

// The Linux tests drive the built host and module.
std::vector<EditorHost> editorHostsUnderTest()
{
    return {builtEditorHost()};
}
