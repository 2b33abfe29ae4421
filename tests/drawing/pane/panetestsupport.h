#pragma once

#include "drawing.h"
#include "drawingstate.h"
#include "fakeshell.h"
#include "imagefile.h"
#include "photocache.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QColor>
#include <QImage>
#include <QStringList>

#include <memory>

// A plain photo of one colour written where the program reads photos from.
inline QString writePhoto(const QString &path, QSize size, QColor colour = QColor(128, 128, 128))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    Save_Image_File(image, path);
    return path;
}

// The drawing's layers in order: rebuilding never adds one twice.
inline QStringList layerNames(const cad::Drawing &d)
{
    QStringList names;
    for (int id = 1; id <= d.layerCount(); ++id)
        names << d.layer(id)->name;
    return names;
}

// A private working folder, a scripted prompter, a fake main window, no
// window loaded, no photo kept and a male job with the size chart.
struct PaneFixture
{
    TestHome home;
    std::shared_ptr<ScriptedPrompter> prompter = ScriptedPrompter::install();
    FakeShell shell;

    PaneFixture()
    {
        Windows().reset();
        Set_Shell(&shell);
        Pane_Photo_Cache().clear();
        Drawing_State() = DrawingState();
        ScriptRecord &job = Job();
        job = ScriptRecord();
        Set_Default_Sizes(job);
        job.Gender = QStringLiteral("Male");
        job.CurrentFolder = home.path(QStringLiteral("Data"));
    }
    ~PaneFixture()
    {
        Windows().reset();
        Set_Shell(nullptr);
        Set_Prompter(nullptr);
    }

    QString photo(const QString &name, QSize size, QColor colour = QColor(128, 128, 128)) const
    {
        return writePhoto(home.path(QStringLiteral("Data/") + name), size, colour);
    }
};
