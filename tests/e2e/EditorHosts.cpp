// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorSession.h"

// The Linux tests drive the built host and module.
std::vector<EditorHost> editorHostsUnderTest()
{
    return {builtEditorHost()};
}
