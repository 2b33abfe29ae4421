#pragma once

#include <QString>

// What the scan pick-ups ask of the foot views and of the intake window that
// runs them. The program joins them to the real "Left Foot" / "Right Foot"
// windows; tests give fakes that record the calls.

enum class ScanSide { Left, Right };

inline QString Scan_Side_Name(ScanSide side) // "Left", "Right": titles and captions
{
    return side == ScanSide::Left ? QStringLiteral("Left") : QStringLiteral("Right");
}

inline QChar Scan_Side_Letter(ScanSide side) // "L", "R": file names
{
    return side == ScanSide::Left ? QLatin1Char('L') : QLatin1Char('R');
}

// One foot view. Every procedure that touches a file raises an exception
// derived from std::exception when it fails, its what() the reason.
class PickupView
{
public:
    virtual ~PickupView() = default;

    // Shows the scan (VRML) in place of the view's model, framed whole.
    virtual void Load_Model_File(const QString &path) = 0;
    // "Left Foot: " / "Right Foot: " and the path.
    virtual void Set_Caption(const QString &path) = 0;
    // The views' "Smooth": shading only, the vertices stay where they are.
    virtual void Smooth() = 0;
    // Shown without blocking, restored when minimised.
    virtual void Show_Normal() = 0;
    // The model as loaded becomes what "Undo All" brings back.
    virtual void Write_Initial_Snapshot() = 0;
    // The model as a ".Lcf" file.
    virtual void Save_Model(const QString &path) = 0;
    // Turned to the sole, brightened and zoomed.
    virtual void ViewBottom() = 0;
    // The window captured (and kept as its picture) and saved as JPEG at 90.
    virtual void Save_Capture(const QString &jpegPath) = 0;
};

// The two views, created when first asked for.
class PickupViews
{
public:
    virtual ~PickupViews() = default;
    virtual PickupView &Foot_View(ScanSide side) = 0;
};

// The intake window that runs a pick-up.
class PickupWindow
{
public:
    virtual ~PickupWindow() = default;
    // Panel 1 of the window's own status bar, painted at once.
    virtual void ShowStatus(const QString &text) = 0;
    // The scan-name boxes (Text9, Text10), as the names were typed.
    virtual void Show_Scan_Names(const QString &left, const QString &right) = 0;
    // The focus comes back to the window when the scans are in.
    virtual void Take_Focus() = 0;
};
