// The shell's tests run inside the editor's own application class, so that
// its general error handler is the one under test.

#include "app/EditorApplication.h"
#include "codec/CodecVfs.h"
#include "ui/DatasetHooks.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    torvik::app::TEditorApplication application(argc, argv);
    torvik::codec::installCodecVfs();
    torvik::ui::installDatasetHooks();
    return RUN_ALL_TESTS();
}
