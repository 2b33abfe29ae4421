// The behaviour of single fields of the soft window: the foot sizes, the
// gender, the extra heel depth's side and the scan files.
#include "scriptform1.h"

#include "depthform.h"
#include "scanchoice.h"
#include "scriptform1_ui.h"
#include "softfields.h"
#include "softhooks.h"

#include "numbers.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

using namespace SoftFields;

void ScriptForm1::Combo1_Click(int side)
{
    ScriptRecord &job = Job();
    SoftForm::FootDataTab &foot = ui->footData;
    const QString footLength = Take_Foot_Size(job, side, foot.footSize[side]->currentText());
    side == 0 ? Set_StylesL() : Set_StylesR();
    foot.footLength[side]->setText(footLength);
    if (side == 0) {
        // The right list follows; choosing the entry it already shows still
        // runs its choice, so both feet end up looked up alike.
        QComboBox *right = foot.footSize[1];
        const int index = foot.footSize[0]->currentIndex();
        if (right->currentIndex() == index) {
            right->setEditText(right->itemText(index));
            Combo1_Click(1);
        } else {
            right->setCurrentIndex(index);
        }
        job.FootSizeR = right->currentText();
    }
    for (int s = 0; s < 2; ++s) {
        const SizeChoiceBoxes boxes = Size_Choice_Boxes(job, s);
        foot.templateLength[s]->setText(boxes.templateLength);
        if (boxes.footLength)
            foot.footLength[s]->setText(*boxes.footLength);
    }
}

void ScriptForm1::Text5_DblClick()
{
    ScriptRecord &job = Job();
    job.Gender = job.Gender == QLatin1String("Male") ? QStringLiteral("Female") : QStringLiteral("Male");
    ui->jobData.gender->setText(job.Gender);
    showLookedUpLengths();
    const int position = job.Gender == QLatin1String("Female") ? 1 : 0;
    for (QListWidget *styles : ui->orthoticData.styles)
        if (position < styles->count())
            styles->setCurrentRow(position);
}

void ScriptForm1::Ask_Heel_Depth_Side(int side)
{
    QLineEdit *depth = ui->footData.extraHeelDepth[side];
    const QString value = num::format0_0(num::leadingNumber(num::numberBoxText(depth->text())));
    // A dialog closed without "CLOSE" changes nothing.
    if (const std::optional<QString> letter = DepthForm::Ask_Side(this))
        depth->setText(value + *letter);
}

void ScriptForm1::Choose_Scan_File(int side)
{
    Run_Command([this, side] {
        ScriptRecord &job = Job();
        Prompter::FileRequest request;
        request.title =
            side == 0 ? QStringLiteral("Select a Left Scan File") : QStringLiteral("Select a Right Scan File");
        request.folder = job.DataFolder;
        request.filter = QStringLiteral("WRL File (*.Wrl)|*.Wrl|STL File (*.Stl)|*.Stl|All Files (*.*)|*.*");
        request.defaultExtension = QStringLiteral("Wrl");
        const QString path = UI().openFile(request);
        if (path.isEmpty())
            return;
        const ScanChoice choice = Scan_Choice_For(path);
        // The view takes the STL scan first: a file it refuses ends the
        // command here, and the record keeps naming the scan the view shows.
        if (choice.importIntoView)
            Soft_Stl_Importer()(side, path);
        QString &scan = side == 0 ? job.LeftScanFile : job.RightScanFile;
        QString &graphic = side == 0 ? job.LeftGraphicFile : job.RightGraphicFile;
        scan = choice.scanFile;
        (side == 0 ? job.LeftLcfFile : job.RightLcfFile) = choice.modelFile;
        if (choice.graphic)
            graphic = *choice.graphic;
        if (choice.stlScan)
            (side == 0 ? job.StlScanFlagL : job.StlScanFlagR) = *choice.stlScan;
        ui->jobData.scanFile[side]->setText(scan);
        ui->jobData.graphicFile[side]->setText(graphic);
    });
}
