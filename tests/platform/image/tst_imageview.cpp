// The image control's view: a click reports the image pixel under the
// pointer, times 15, at any zoom and scroll.

#include "imagedocument.h"
#include "imageview.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

class TestImageView : public QObject
{
    Q_OBJECT

private slots:
    void clickReportsThePixelUnderThePointer_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("scroll");
        QTest::addColumn<QPoint>("viewportPoint");
        QTest::addColumn<QPoint>("pixel");
        QTest::newRow("100 %") << 100.0 << QPoint(0, 0) << QPoint(2, 3) << QPoint(2, 3);
        QTest::newRow("200 %") << 200.0 << QPoint(0, 0) << QPoint(41, 21) << QPoint(20, 10);
        QTest::newRow("200 % scrolled") << 200.0 << QPoint(300, 150) << QPoint(41, 21) << QPoint(170, 85);
        QTest::newRow("50 %") << 50.0 << QPoint(0, 0) << QPoint(30, 40) << QPoint(60, 80);
        QTest::newRow("100 % scrolled") << 100.0 << QPoint(120, 60) << QPoint(5, 7) << QPoint(125, 67);
    }
    void clickReportsThePixelUnderThePointer()
    {
        QFETCH(double, zoom);
        QFETCH(QPoint, scroll);
        QFETCH(QPoint, viewportPoint);
        QFETCH(QPoint, pixel);

        ImageView view;
        view.resize(200, 160);
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        view.document()->setImage(image);
        view.document()->setZoom(zoom);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.horizontalScrollBar()->setValue(scroll.x());
        view.verticalScrollBar()->setValue(scroll.y());
        QCOMPARE(view.horizontalScrollBar()->value(), scroll.x());

        QSignalSpy reports(&view, &ImageView::pointerReport);
        const QPoint onCanvas = view.canvas()->mapFrom(view.viewport(), viewportPoint);
        QTest::mouseClick(view.canvas(), Qt::LeftButton, {}, onCanvas);
        QCOMPARE(reports.count(), 1);
        QCOMPARE(reports.at(0).at(0).toDouble(), pixel.x() * 15.0);
        QCOMPARE(reports.at(0).at(1).toDouble(), pixel.y() * 15.0);
    }

    void canvasFollowsTheZoomAndCompletionIsForwarded()
    {
        ImageView view;
        QImage image(80, 60, QImage::Format_RGB32);
        image.fill(Qt::gray);
        view.document()->setImage(image);
        QCOMPARE(view.canvas()->size(), QSize(80, 60));
        view.document()->setZoom(150);
        QCOMPARE(view.canvas()->size(), QSize(120, 90));
        view.document()->setZoom(62.5);
        QCOMPARE(view.canvas()->size(), QSize(50, 38));

        QSignalSpy completed(&view, &ImageView::completed);
        view.document()->makeNegative();
        QCOMPARE(completed.count(), 1);
    }
};

QTEST_MAIN(TestImageView)
#include "tst_imageview.moc"
