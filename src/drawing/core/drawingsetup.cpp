#include "drawingsetup.h"

#include "blocklibrary.h"
#include "drawing.h"
#include "drawingstate.h"
#include "errors.h"
#include "jobnames.h"
#include "numbers.h"
#include "paths.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "sizechart.h"

#include <QFileInfo>

#include <optional>

namespace {

enum class Side { None, Left, Right, Both };

constexpr double kGraphicRasterScale = 480.0;

Side sideOf(DrawingHostKind kind, const ScriptRecord &job)
{
    if (kind == DrawingHostKind::Graphic) {
        if (job.CurrentFoot == QLatin1String("Left"))
            return Side::Left;
        if (job.CurrentFoot == QLatin1String("Right"))
            return Side::Right;
        return Side::None;
    }
    if (job.GraphicSelection == QLatin1String("LEFT"))
        return Side::Left;
    if (job.GraphicSelection == QLatin1String("RIGHT"))
        return Side::Right;
    if (job.GraphicSelection == QLatin1String("BOTH"))
        return Side::Both;
    return Side::None;
}

QString defaultJobDrawingFile(DrawingHostKind kind)
{
    const ScriptRecord &job = Job();
    const JobKind jobKind = kind == DrawingHostKind::Rigid ? JobKind::Rigid : JobKind::Soft;
    return Join_Path(job.CurrentFolder, JobFileStem(JobBaseName(job), jobKind) + QStringLiteral(".Vec"));
}

QString drawingFile(DrawingHostKind kind, const SetUpHooks &hooks)
{
    const ScriptRecord &job = Job();
    QString fromScan;
    if (job.CurrentFoot == QLatin1String("Left"))
        fromScan = Drawing_File_For_Scan(job.LeftScanFile);
    else if (job.CurrentFoot == QLatin1String("Right"))
        fromScan = Drawing_File_For_Scan(job.RightScanFile);
    if (!fromScan.isEmpty())
        return fromScan;
    if (kind == DrawingHostKind::Graphic)
        return QStringLiteral("Default.Vec");
    return hooks.jobDrawingFile ? hooks.jobDrawingFile() : defaultJobDrawingFile(kind);
}

// Step 12: the four layers, whatever any flag says, each added only when
// this drawing lacks it.
void ensureLayers(DrawingHost &host)
{
    cad::Drawing &d = host.drawing();
    int ids[4];
    for (int i = 0; i < 4; ++i) {
        const QString name = QString::fromLatin1(kDrawingLayerNames[i]);
        ids[i] = d.layerId(name);
        if (!ids[i])
            ids[i] = d.addLayer(name, Drawing_Layer_Colour(host.kind(), i));
    }
    DrawingState &state = Drawing_State();
    state.ImageLayer = ids[0];
    state.InsoleLayer = ids[1];
    state.ClientLayer = ids[2];
    state.ScaleLayer = ids[3];
    if (host.kind() != DrawingHostKind::Graphic)
        Job().DrawingLayersFlag = true;
}

// Step 14, 1 to 3: "Image" current and locked (the photo is not dragged by
// accident), the layers ordered "Image" at the back to "Scale" in front.
void orderLayers(cad::Drawing &d)
{
    d.setCurrentLayer(QStringLiteral("Image"));
    for (int i = 0; i < 4; ++i)
        if (cad::Layer *layer = d.modifyLayer(d.layerId(QString::fromLatin1(kDrawingLayerNames[i]))))
            layer->order = 3 - i;
    if (cad::Layer *image = d.modifyLayer(d.layerId(QStringLiteral("Image"))))
        image->locked = true;
}

} // namespace

int Drawing_Layer_Colour(DrawingHostKind kind, int layerIndex)
{
    static constexpr int colours[4] = {1, 1, 1, 4};
    if (layerIndex == 2 && kind == DrawingHostKind::Graphic)
        return 7;
    return layerIndex >= 0 && layerIndex < 4 ? colours[layerIndex] : 7;
}

QString Drawing_File_For_Scan(const QString &scanFile)
{
    if (Is_Absent_Path(scanFile))
        return {};
    const QString name = Get_File_Name(scanFile);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot > 0 ? scanFile.left(scanFile.size() - (name.size() - dot)) : scanFile;
    return stem + QStringLiteral(".Vec");
}

SetUpEnd Set_Up_Drawing(DrawingHost &host, const SetUpHooks &hooks)
{
    ScriptRecord &job = Job();
    DrawingState &state = Drawing_State();
    cad::Drawing &drawing = host.drawing();
    const DrawingHostKind kind = host.kind();
    const bool pane = kind != DrawingHostKind::Graphic;

    // Steps 1 to 6: what the control's settings leave visible is the background.
    drawing.setBackground(pane ? QColor(255, 255, 255) : QColor(216, 223, 243));

    // Steps 7 to 9.
    Read_Block_Library(state);
    Set_Text_Style(host, QStringLiteral("Standard"));
    Set_Dim_Scale(host, QStringLiteral("Standard"), 2.0);

    // Step 10: the pane's lines.
    if (pane) {
        host.showX(QString());
        host.showY(QString());
        host.showSize(QString());
        host.showMessage(QStringLiteral("Ready"));
    }

    // Steps 11 and 12.
    state.DrawingFile = drawingFile(kind, hooks);
    ensureLayers(host);

    // Step 13: the pane's default side and job sketch.
    if (pane) {
        if (job.GraphicSelection.isEmpty()) {
            if (job.CurrentFoot == QLatin1String("Left"))
                job.GraphicSelection = QStringLiteral("LEFT");
            else if (job.CurrentFoot == QLatin1String("Right"))
                job.GraphicSelection = QStringLiteral("RIGHT");
        }
        if (hooks.jobSketch)
            hooks.jobSketch();
    }

    // Step 14: the photo of one side.
    std::optional<SolvaneError> unreadablePhoto;
    const Side side = sideOf(kind, job);
    if (side != Side::None) {
        const int layerBefore = drawing.currentLayer();
        orderLayers(drawing);
        QString image;
        double rasterScale = kGraphicRasterScale;
        if (side == Side::Both) {
            host.showSize(QString());
            image = job.JobImageFile;
        } else {
            const bool left = side == Side::Left;
            QString &size = left ? job.FootSizeL : job.FootSizeR;
            if (!pane && hooks.mainWindowFootSize)
                size = hooks.mainWindowFootSize(left);
            host.showSize(QStringLiteral("Size: ") + size);
            double &templateLength = left ? job.TemplateLengthL : job.TemplateLengthR;
            templateLength = Get_Template_Length(job, num::leadingNumber(size));
            (left ? job.FootLengthL : job.FootLengthR) = Foot_Length_For(templateLength);
            if (pane)
                rasterScale = templateLength * 3 / 480;
            image = left ? job.LeftGraphicFile : job.RightGraphicFile;
        }

        if (pane) {
            const bool absent = Is_Absent_Path(image);
            if (absent || (kind == DrawingHostKind::Rigid && !File_Exists(image))) {
                // The drawing stays as it was, its current layer included:
                // what the user draws next must not land on the locked photo
                // layer, where it could not be picked again.
                drawing.setCurrentLayer(layerBefore);
                return SetUpEnd::ImageTestFailed;
            }
            Delete_Entities(host);
        }

        // A path that names no file places nothing, as the control always did.
        host.rasterEntity = 0;
        host.imageFile = image;
        job.CurrentImageFile = image;
        if (!Is_Absent_Path(image) && File_Exists(image)) {
            try {
                host.rasterEntity =
                    hooks.loadPhoto ? drawing.addRasterImage(hooks.loadPhoto(image), image, QPointF(0, 0), rasterScale)
                                    : drawing.addRaster(image, QPointF(0, 0), rasterScale);
            } catch (const SolvaneError &error) {
                unreadablePhoto = error;
            }
        }
    }

    // Steps 15 to 19 (the display setting of step 15 has no visible part).
    drawing.setCurrentLayer(QStringLiteral("Client"));
    host.redraw();
    host.runCommand(102);
    if (!pane)
        host.runCommand(104);
    state.PickX = 0;
    state.PickY = 0;
    Read_Drawing_Extents(drawing, state);
    // An empty drawing keeps the height it had, so text stays visible.
    const double height = (state.DrawingTop - state.DrawingBottom) * 0.05;
    if (height > 0)
        drawing.setDefaultTextHeight(height);

    // Step 20.
    if (!pane)
        host.setCaption(QStringLiteral("Graphic Screen: ") + job.CurrentFoot + QStringLiteral(" Foot"));

    if (unreadablePhoto)
        throw *unreadablePhoto;
    return SetUpEnd::Finished;
}

void Delete_Entities(DrawingHost &host)
{
    cad::Drawing &d = host.drawing();
    if (d.count() <= 0)
        return;
    d.eraseAll();
    host.redraw();
}

void Read_Drawing_Extents(const cad::Drawing &drawing, DrawingState &state)
{
    if (drawing.count() == 0) {
        state.DrawingBottom = 0;
        state.DrawingTop = 0;
        return;
    }
    const QRectF box = drawing.extents(); // y up: top() is the lowest y
    state.DrawingBottom = box.top();
    state.DrawingTop = box.bottom();
}

void Set_Text_Style(DrawingHost &host, const QString &style)
{
    cad::Drawing &d = host.drawing();
    const int id = d.addTextStyle(style);
    d.modifyTextStyle(id)->fontFile = QStringLiteral("Simplex.Vcf");
    Read_Drawing_Extents(d, Drawing_State());
    d.modifyTextStyle(id)->size = 0.05;
}

void Set_Dim_Scale(DrawingHost &host, const QString &style, double sc)
{
    cad::Drawing &d = host.drawing();
    for (double &size : d.modifyDimStyle(d.addDimStyle(style))->sizes)
        size *= sc;
}

void Set_Text_Scale(DrawingHost &host, const QString &style, double sc)
{
    cad::Drawing &d = host.drawing();
    d.modifyTextStyle(d.addTextStyle(style))->size *= sc;
}

cad::Handle Insert_Foot_Block(DrawingHost &host, const QString &blockFile, double x, double y, double z, double scale)
{
    Q_UNUSED(z);
    cad::Drawing &d = host.drawing();
    const cad::Handle inserted = d.insertBlock(d.loadBlockFile(blockFile), QPointF(x, y), scale);
    if (!inserted)
        throw SolvaneError(
            ErrorNumber::BadFileFormat,
            QStringLiteral("Cannot insert the block %1: %2").arg(blockFile, cad::expansionLimitProblem()));
    return inserted;
}

void On_Drawing_Pick(DrawingHost &host, double x, double y)
{
    DrawingState &state = Drawing_State();
    if (!state.PickFlag) {
        state.PickX = x;
        state.PickY = y;
        state.PickFlag = true;
    }
    On_Drawing_Pointer(host, x, y);
}

void On_Drawing_Pointer(DrawingHost &host, double x, double y)
{
    host.showX(num::formatFixed(x, 2));
    host.showY(num::formatFixed(y, 2));
}

void On_Drawing_Measure(DrawingHost &host, double total, double last)
{
    host.showMessage(QStringLiteral("Length: ") + num::format0_0(last) + QStringLiteral("   Total: ")
                     + num::format0_0(total));
}
