#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QString>

#include <deque>

// The picture of an image window: the image, its zoom, its undo history and
// its drawing pen, with the facts the windows show and the adjustments and
// drawing they offer. No widgets: ImageView shows it.
//
// Every change that a user may take back is preceded by recordUndoStep(),
// which the windows call themselves (a zoom step records one too). The
// history keeps the picture and the zoom of each step; the pictures share
// their pixels until one is changed, so a zoom step costs nothing, and the
// pixels the history holds are bounded (the oldest steps go first).
class ImageDocument : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kDefaultHistoryLimit = 512LL * 1024 * 1024;

    explicit ImageDocument(QObject *parent = nullptr);

    // --- The picture --------------------------------------------------------
    // Reads the file (format by content, no orientation tag applied) and
    // starts afresh: zoom 100 %, no history. Raises SolvaneError when the
    // file cannot be read; the picture then stays as it was.
    void load(const QString &path);
    // Writes the picture in the format of the file's suffix (JPEG at quality
    // 90) so that a failure leaves an older file whole; raises SolvaneError.
    void save(const QString &path) const;
    // A picture of the caller's own, shown at 100 % with no history.
    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }

    // --- What "Information" tells -------------------------------------------
    int pixelWidth() const { return m_image.width(); }
    int pixelHeight() const { return m_image.height(); }
    // 24 for RGB32, 32 with an alpha channel, 8 for grey or indexed, 1 for
    // two-colour pictures.
    int bitDepth() const;
    // Dots per inch from the picture's dots per metre.
    int resolutionX() const;
    int resolutionY() const;
    int greyRangeStart() const { return 0; }
    int greyRangeEnd() const { return 255; }

    // --- Undo ----------------------------------------------------------------
    void recordUndoStep();
    // Each returns false, changing nothing, when there is no step to go to.
    bool undo();
    bool redo();
    int undoSteps() const { return int(m_undo.size()); }
    int redoSteps() const { return int(m_redo.size()); }
    // The bytes of the pictures the history holds that the present picture
    // does not share.
    qint64 historyBytes() const;
    void setHistoryLimit(qint64 bytes);

    // --- View settings -------------------------------------------------------
    double zoom() const { return m_zoom; } // percent
    void setZoom(double percent);
    int penWidth() const { return m_penWidth; }
    void setPenWidth(int pixels); // kept within 1 to 4
    bool mouseSelect() const { return m_mouseSelect; }
    void setMouseSelect(bool on) { m_mouseSelect = on; }

    // --- Adjustments of the whole picture (each reports completed()) ---------
    void scaleBrightness(double factor);
    void convertToGreyscale();
    void makeNegative();
    void sharpen();
    void mirror();
    void repair();
    // Shows the picture again.
    void redraw();

    // --- Drawing in a colour with the pen width (each reports completed()) ---
    void drawLine(QPoint from, QPoint to, const QColor &colour);
    // From a corner by a width and height, either of which may be negative.
    void drawRectangle(QPoint corner, int width, int height, const QColor &colour);
    // In the box of two corners.
    void drawEllipse(QPoint corner1, QPoint corner2, const QColor &colour);
    // The text's top left corner at `at`; `size` in points on a 96 dpi screen.
    void drawText(QPoint at, const QString &text, const QString &family, int size, const QColor &colour);

signals:
    // The picture or the zoom changed: the view shows it again.
    void changed();
    // An adjustment, a drawing or a redraw has finished.
    void completed();

private:
    struct Step
    {
        QImage image;
        double zoom;
    };

    // Moves the present picture onto `to` and takes the last of `from`.
    bool stepBetween(std::deque<Step> &from, std::deque<Step> &to);
    void replaceImage(QImage image);
    void trimHistory();
    template <typename Paint>
    void paint(Paint &&paintOn);

    QImage m_image;
    double m_zoom = 100;
    int m_penWidth = 1;
    bool m_mouseSelect = false;
    qint64 m_historyLimit = kDefaultHistoryLimit;
    std::deque<Step> m_undo, m_redo;
};
