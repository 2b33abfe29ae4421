#include "footmodelfiles.h"

#include "footviewinterface.h"
#include "paths.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "windowregistry.h"

void Save_Missing_Model_Files(ScriptRecord &job)
{
    for (FootSide side : {FootSide::Left, FootSide::Right}) {
        QString &model = side == FootSide::Left ? job.LeftLcfFile : job.RightLcfFile;
        if (Is_Absent_Path(model) || File_Exists(model))
            continue;
        model.replace(QStringLiteral("Glm"), QStringLiteral("Lcf"), Qt::CaseSensitive);
        if (FootView *view = Loaded_Foot_View(side))
            view->Save_Model(model);
    }
}

void Close_Foot_Views()
{
    for (FootSide side : {FootSide::Left, FootSide::Right})
        Windows().unload(View_Window_Name(side));
}
