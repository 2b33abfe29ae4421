#include "imageburn.h"

#include "drawing.h"
#include "drawinghost.h"
#include "errors.h"
#include "graphicform.h"
#include "imagefile.h"
#include "paths.h"
#include "photocache.h"
#include "render.h"
#include "shellservices.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// The image file's width and height in pixels, as stored (no orientation
// tag applied, as the photo was placed).
QSize imagePixelSize(const QString &path)
{
    if (QFileInfo(path).isDir())
        throw SolvaneError(ErrorNumber::FileWrite,
                           path + QStringLiteral(" is a folder: the drawing cannot be saved into it."));
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && !size.isEmpty())
        return size;
    return Load_Image_File(path).size(); // reads it whole, or raises with the reason
}

// Lets the message line paint; the user's input waits until the burn is done.
void letWindowsPaint()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

bool Burn_Into_Image(DrawingHost &host, const BurnRules &rules)
{
    host.runCommand(102);
    const cad::Drawing &drawing = host.drawing();
    const QString image = host.imageFile;
    if (!rules.save || Is_Absent_Path(image) || !QFileInfo::exists(image))
        return false;

    // The export stays in memory; a bitmap an older burn left behind goes.
    const QString staleBitmap = Paths::file(QStringLiteral("TempImage.Bmp"));
    if (QFileInfo::exists(staleBitmap))
        QFile::remove(staleBitmap);

    const QSize pixels = imagePixelSize(image);
    double s = drawing.rasterScale(host.rasterEntity);
    if (s == 0.0)
        s = 1.0;
    const cad::Entity *raster = drawing.entity(host.rasterEntity);
    const QPointF corner = raster && raster->kind == cad::Kind::Raster ? raster->anchor() : QPointF(0, 0);

    host.showMessage(QStringLiteral("Rasterizing..."));
    letWindowsPaint();
    const QImage burnt = cad::exportRegion(drawing, QRectF(corner, QSizeF(pixels.width() / s, pixels.height() / s)), s);

    host.showMessage(QStringLiteral("Converting..."));
    letWindowsPaint();
    Save_Image_File(burnt, image);
    Pane_Photo_Cache().forget(image);

    if (ShellServices *shell = Shell()) {
        if (rules.reloadFoot == QLatin1String("Left"))
            shell->Load_Left_Foot();
        else if (rules.reloadFoot == QLatin1String("Right"))
            shell->Load_Right_Foot();
    }
    host.showMessage(QStringLiteral("Image Saved"));
    return true;
}

void Install_Graphic_Screen_Burn()
{
    Set_Graphic_Screen_Save([](GraphicForm &form) { Burn_Into_Image(form, {true, form.loadedFoot()}); });
}
