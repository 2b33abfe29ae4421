#include "jsoncommand.h"

#include "jsonrecord.h"
#include "paths.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

#include <QDir>

void Write_JSON_File()
{
    Run_Command([] {
        Prompter::FileRequest request;
        request.title = QStringLiteral("Select a JSON File");
        request.folder = Paths::dataRoot();
        request.fileName = QStringLiteral("Test_File");
        request.filter = QStringLiteral("JSON File (*.Json)|*.Json|All Files (*.*)|*.*");
        request.defaultExtension = QStringLiteral("Json");
        const QString path = UI().saveFile(request);
        if (path.isEmpty())
            return;
        Set_Status(QStringLiteral("Writing Job...") + QDir::toNativeSeparators(path));
        Write_JSON(Job(), path);
    });
}
