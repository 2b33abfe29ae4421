#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <QVector>

#include <optional>

// What the two image windows (Adjust Photo and the job sketch) compute,
// without widgets: zoom steps and fit, the information text, the click
// points and the sketch tools' shapes.
namespace photo {

// --- Zoom ------------------------------------------------------------------

struct ZoomStep
{
    QString item; // "mnuZoom150"
    QString caption; // "Zoom 150%"
    QString firstText; // shown before the zoom: "Zoom 150% ...."
    short zoom; // 150
    QString secondText; // shown after: "150%"
};

// The five fixed steps, in menu order.
const QVector<ZoomStep> &Zoom_Steps();

// The fit percentage for a picture of h x w pixels in a control of H x W
// twips: 100 x the smaller of 0.05 x H / h and 0.05 x W / w, the height's
// ratio when they are equal. None when h or w is not above 0.
std::optional<double> Zoom_Fit_Percent(double pixelHeight, double pixelWidth, float controlHeightTwips,
                                       float controlWidthTwips);
// "62.5%".
QString Zoom_Text(double percent);

// --- Information -----------------------------------------------------------

struct ImageFacts
{
    double width = 0, height = 0, bitDepth = 0, resolutionX = 0, resolutionY = 0, greyStart = 0, greyEnd = 0;
};

// The nine lines of the "Information" box, joined by CR LF.
QString Information_Text(const ImageFacts &facts);

// "1024 x 768" (each "0").
QString Size_Text(double width, double height);

// --- Clicks and shapes -----------------------------------------------------

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kDesignOffsetPixels = 8; // 120 twips

// A reported position in twips as a pixel: divided by 15, made single
// precision, then rounded half to even (22.5 gives 2, 37.5 gives 2).
int Twips_To_Pixel(double twips);

// The box (x1, y1, x2, y2) of the circle about `centre` through `onCircle`:
// centre -/+ the distance, each rounded half to even.
struct Box
{
    int x1, y1, x2, y2;
    bool operator==(const Box &) const = default;
};
Box Circle_Box(QPoint centre, QPoint onCircle);

// A colour as the sketch keeps it: red + 256 x green + 65536 x blue.
constexpr quint32 Rgb(int red, int green, int blue)
{
    return quint32(red) + 256u * quint32(green) + 65536u * quint32(blue);
}
QColor To_Colour(quint32 rgb);

// --- The sketch tools ------------------------------------------------------

enum class SketchTool { None, Line, Circle, Ellipse, Rectangle, Text };

// The clicks of the sketch window. Every click is recorded as the window
// always has (the first point while FirstClickDone is false, else the
// second while SecondClickDone is false); a chosen tool waits for the
// clicks it needs and then hands back what to draw. Choosing a tool
// replaces the one that waits; cancel() drops it.
class SketchClicks
{
public:
    struct Finished
    {
        SketchTool tool;
        QPoint first, second;
    };

    void choose(SketchTool tool);
    void cancel();
    SketchTool waiting() const { return m_tool; }

    // A click at (x, y) twips. Returns the tool to draw once it has its clicks.
    std::optional<Finished> pointerReport(double xTwips, double yTwips);

    bool FirstClickDone = false;
    bool SecondClickDone = false;
    QPoint FirstPoint, SecondPoint;

private:
    SketchTool m_tool = SketchTool::None;
    bool m_haveFirst = false;
};

} // namespace photo
