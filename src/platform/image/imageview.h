#pragma once

#include <QScrollArea>

class ImageDocument;
class QRubberBand;

// The image control's face: its document's picture in a scroll area,
// painted at zoom / 100. A click reports the image pixel under the pointer
// times 15 ("twips", fifteen to the pixel, as the windows expect), at any
// zoom and scroll. With mouse select on, a drag also shows the rectangle it
// spans.
class ImageView : public QScrollArea
{
    Q_OBJECT
public:
    explicit ImageView(QWidget *parent = nullptr);

    ImageDocument *document() const { return m_document; }

    // The image pixel under a point of the canvas (clamped to the picture).
    QPoint pixelAt(QPointF canvasPoint) const;
    // The widget the picture is painted on (tests click on it).
    QWidget *canvas() const { return widget(); }

signals:
    void pointerReport(double xTwips, double yTwips);
    // After every adjustment, drawing and redraw of the document.
    void completed();

private:
    friend class ImageCanvas;
    void canvasPressed(QPointF at);
    void canvasDragged(QPointF at);
    void canvasReleased();
    void documentChanged();

    ImageDocument *m_document;
    QRubberBand *m_band = nullptr;
    QPoint m_bandOrigin;
};
