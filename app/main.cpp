// Start-up: the application, the main window and the about box, then the
// message loop until the main window closes. Nothing is read from the command
// line and no database is opened here.

#include "app/About.h"
#include "app/EditorApplication.h"
#include "app/MainUnit.h"
#include "app/QtModalUi.h"
#include "app/QtTranslations.h"
#include "codec/CodecVfs.h"
#include "ui/DatasetHooks.h"
#include "ui/ModalUi.h"

#include <QTranslator>

int main(int argc, char **argv)
{
    torvik::app::TEditorApplication application(argc, argv);
    QTranslator qtTexts;
    torvik::app::installQtTranslations(qtTexts); // when missing, Qt's own texts stay English
    torvik::app::QtModalUi dialogs;
    torvik::ui::installModalUi(&dialogs);
    torvik::ui::installDatasetHooks();
    torvik::codec::installCodecVfs(); // before the first database is opened

    torvik::app::TMainForm mainForm;
    torvik::app::TAboutBox aboutBox(&mainForm);
    torvik::app::AboutBox = &aboutBox;
    mainForm.show();
    const int result = application.exec();
    torvik::app::AboutBox = nullptr;
    torvik::ui::installModalUi(nullptr);
    return result;
}
