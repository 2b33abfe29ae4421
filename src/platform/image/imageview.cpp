#include "imageview.h"

#include "imagedocument.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRubberBand>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kTwipsPerPixel = 15.0;
}

// Paints only the part of the picture that is exposed, so a 12-megapixel
// photo shows at once at any zoom.
class ImageCanvas : public QWidget
{
public:
    explicit ImageCanvas(ImageView *view)
        : QWidget(view),
          m_view(view)
    {
        setObjectName(QStringLiteral("ImageCanvas"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().window());
        const QImage &image = m_view->document()->image();
        if (image.isNull())
            return;
        const double scale = m_view->document()->zoom() / 100.0;
        const QRectF exposed =
            QRectF(event->rect()).intersected(QRectF(0, 0, image.width() * scale, image.height() * scale));
        if (exposed.isEmpty())
            return;
        const QRectF source(exposed.x() / scale, exposed.y() / scale, exposed.width() / scale,
                            exposed.height() / scale);
        painter.drawImage(exposed, image, source);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_view->canvasPressed(event->position());
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (event->buttons() & Qt::LeftButton)
            m_view->canvasDragged(event->position());
    }
    void mouseReleaseEvent(QMouseEvent *) override { m_view->canvasReleased(); }

private:
    ImageView *m_view;
};

ImageView::ImageView(QWidget *parent)
    : QScrollArea(parent),
      m_document(new ImageDocument(this))
{
    setObjectName(QStringLiteral("ImageX1"));
    setWidget(new ImageCanvas(this));
    setWidgetResizable(false);
    connect(m_document, &ImageDocument::changed, this, &ImageView::documentChanged);
    connect(m_document, &ImageDocument::completed, this, &ImageView::completed);
    documentChanged();
}

void ImageView::documentChanged()
{
    const QImage &image = m_document->image();
    const double scale = m_document->zoom() / 100.0;
    canvas()->resize(int(std::ceil(image.width() * scale)), int(std::ceil(image.height() * scale)));
    canvas()->update();
}

QPoint ImageView::pixelAt(QPointF canvasPoint) const
{
    const QImage &image = m_document->image();
    const double scale = m_document->zoom() / 100.0;
    const int x = int(std::floor(canvasPoint.x() / scale));
    const int y = int(std::floor(canvasPoint.y() / scale));
    return {std::clamp(x, 0, std::max(0, image.width() - 1)), std::clamp(y, 0, std::max(0, image.height() - 1))};
}

void ImageView::canvasPressed(QPointF at)
{
    if (m_document->mouseSelect()) {
        if (!m_band)
            m_band = new QRubberBand(QRubberBand::Rectangle, canvas());
        m_bandOrigin = at.toPoint();
        m_band->setGeometry(QRect(m_bandOrigin, QSize()));
        m_band->show();
    }
    const QPoint pixel = pixelAt(at);
    emit pointerReport(pixel.x() * kTwipsPerPixel, pixel.y() * kTwipsPerPixel);
}

void ImageView::canvasDragged(QPointF at)
{
    if (m_band && m_band->isVisible())
        m_band->setGeometry(QRect(m_bandOrigin, at.toPoint()).normalized());
}

void ImageView::canvasReleased()
{
    if (m_band)
        m_band->hide();
}
