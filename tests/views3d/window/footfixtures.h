#pragma once
// Small scans on disk for the foot view tests, made by the sample generator.

#include "footviewinterface.h"
#include "footviewshared.h"
#include "samplefoot.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <QtTest>

namespace fixtures {

// What each foot view test starts from: a private working folder, a scripted
// prompter, a fresh job without scans, no measurement, the foot views
// registered, and the status texts collected. Made in init(), dropped in
// cleanup(), so no window or file outlives its test.
struct FootViewSetup
{
    TestHome home;
    std::shared_ptr<ScriptedPrompter> ui = ScriptedPrompter::install();
    QStringList statuses;

    FootViewSetup()
    {
        Set_Wait_Skipped(true);
        Set_Status_Sink([this](const QString &text) { statuses << text; });
        Job() = ScriptRecord{};
        Job().LeftScanFileName = Job().RightScanFileName = QStringLiteral("None");
        Measure_State() = mesh::MeasureSession{};
        Register_Foot_Views();
    }
    ~FootViewSetup()
    {
        Windows().reset();
        Set_Status_Sink({});
    }
    FootViewSetup(const FootViewSetup &) = delete;
    FootViewSetup &operator=(const FootViewSetup &) = delete;
};

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline mesh::Mesh smallFoot(samples::Foot foot = samples::Foot::Left)
{
    return samples::makeFoot(foot, 400).objects.front();
}

inline void writeStl(const QString &path, samples::Foot foot = samples::Foot::Left)
{
    writeBytes(path, samples::binaryStl(smallFoot(foot)));
}

// A VRML scan whose texture url is `pictureName` (the file itself is written
// only when asked, under `pictureOnDisk`).
inline void writeWrl(const QString &path, const QString &pictureName, const QString &pictureOnDisk = {})
{
    writeBytes(path, samples::vrml97Text(smallFoot(), pictureName));
    if (!pictureOnDisk.isEmpty())
        QVERIFY(samples::makeTexturePhoto(64, 32).save(QFileInfo(path).dir().filePath(pictureOnDisk), "JPG"));
}

// Chooses a menu item of a window by its control name.
inline void trigger(QWidget &window, const QString &item)
{
    auto *action = window.findChild<QAction *>(item);
    QVERIFY2(action, qPrintable(item));
    action->trigger();
}

// Presses a button of a window by its control name.
inline void press(QWidget &window, const QString &button)
{
    auto *b = window.findChild<QPushButton *>(button);
    QVERIFY2(b, qPrintable(button));
    b->click();
}

// A click (left unless told) at an exact (fractional) position of the
// widget, as a real mouse delivers it, so a pick lands on the point the test
// aims at.
inline void clickAt(QWidget *widget, const QPointF &at, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, button, button, modifiers);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, button, Qt::NoButton, modifiers);
    QCoreApplication::sendEvent(widget, &release);
}

// A level square of side 2 centred on the point: something to pick there.
inline mesh::Mesh squareAt(const mesh::Vec3 &p, double half = 1)
{
    mesh::Mesh m;
    m.positions = {{p.x - half, p.y - half, p.z},
                   {p.x + half, p.y - half, p.z},
                   {p.x + half, p.y + half, p.z},
                   {p.x - half, p.y + half, p.z}};
    m.triangles = {{0, 1, 2}, {0, 2, 3}};
    return m;
}

} // namespace fixtures
