#include "footinfo.h"

#include "blocklibrary.h"
#include "drawing.h"
#include "drawinghost.h"
#include "drawingsetup.h"
#include "numbers.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "sizechart.h"

bool Load_Template(DrawingHost &host)
{
    const ScriptRecord &job = Job();
    QString size;
    QString outline;
    if (job.CurrentFoot == QLatin1String("Left")) {
        size = job.FootSizeL;
        outline = QStringLiteral("Right_Unit.Vec");
    } else if (job.CurrentFoot == QLatin1String("Right")) {
        size = job.FootSizeR;
        outline = QStringLiteral("Left_Unit.Vec");
    } else {
        host.showMessage(QStringLiteral("No Template Size Data was Found"));
        return false;
    }
    const double templateLength = Get_Template_Length(job, num::leadingNumber(size));
    cad::Drawing &d = host.drawing();
    d.setCurrentLayer(d.addLayer(QStringLiteral("Insole"), Drawing_Layer_Colour(host.kind(), 1)));
    Insert_Foot_Block(host, Block_File_Path(outline), 0.0, 0.0, 0.0, templateLength);
    host.redraw();
    host.runCommand(102);
    return true;
}

void Foot_Info()
{
    const ScriptRecord &job = Job();
    double templateLength = 0;
    double footLength = 0;
    QString size;
    if (job.CurrentFoot == QLatin1String("Left")) {
        templateLength = job.TemplateLengthL;
        footLength = job.FootLengthL;
        size = job.FootSizeL;
    } else if (job.CurrentFoot == QLatin1String("Right")) {
        templateLength = job.TemplateLengthR;
        footLength = job.FootLengthR;
        size = job.FootSizeR;
    } else {
        return;
    }
    const QString text = QStringLiteral("Template Length:   ") + num::format0_0(templateLength)
                         + QStringLiteral(" mm\r\n") + QStringLiteral("Foot Length:   ") + num::format0_0(footLength)
                         + QStringLiteral(" mm\r\n") + QStringLiteral("Foot Size:   ") + size;
    UI().message(text, QStringLiteral("Solvane"), Prompter::Icon::None, Prompter::Buttons::Ok);
}
