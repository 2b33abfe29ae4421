#include "aboutform.h"

#include "paths.h"

#include <QDesktopServices>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 360;

QLabel *textLine(QWidget *parent, const QString &name, const QString &text, int top, bool bold)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    if (bold) {
        font.setPointSize(12);
        font.setBold(true);
    }
    label->setFont(font);
    label->setGeometry(10, top, kWidth - 20, bold ? 28 : 22);
    return label;
}

} // namespace

AboutForm::AboutForm(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About VELTRANE"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);

    // A missing or unreadable logo leaves the window plain.
    const QString logoPath = Resolve_Path_Nocase(Paths::root(), QStringLiteral("MasterLogo.Jpg"));
    if (!logoPath.isEmpty()) {
        QImageReader reader(logoPath);
        reader.setAutoTransform(false);
        m_logo = QPixmap::fromImage(reader.read());
    }

    textLine(this, QStringLiteral("Label1"), QStringLiteral("SOLVANE                3D Foot Mesh Viewer"), 220, true);
    textLine(this, QStringLiteral("Label2"), QStringLiteral("Veltrane Orthotic Systems Ltd."), 256, false);
    textLine(this, QStringLiteral("Label3"), QStringLiteral("Version 2.08h              March 2019"), 282, false);

    linkArea(QStringLiteral("Label4"), QStringLiteral("Support web site"), supportPage(), 0);
    linkArea(QStringLiteral("Label5"), QStringLiteral("Downloads"), downloadsPage(), 1);
    linkArea(QStringLiteral("Label6"), QStringLiteral("Supplies shop"), shopPage(), 2);

    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setAccessibleName(close->text());
    close->setGeometry(kWidth - 100, kHeight - 40, 88, 28);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

QUrl AboutForm::supportPage()
{
    return QUrl(QStringLiteral("https://www.veltrane.example/support"));
}
QUrl AboutForm::downloadsPage()
{
    return QUrl(QStringLiteral("https://www.veltrane.example/downloads"));
}
QUrl AboutForm::shopPage()
{
    return QUrl(QStringLiteral("https://shop.veltrane.example/"));
}

QPushButton *AboutForm::linkArea(const QString &name, const QString &accessibleName, const QUrl &url, int row)
{
    // Invisible over the logo, but still a button: reachable by keyboard and
    // named for screen readers.
    auto *area = new QPushButton(this);
    area->setObjectName(name);
    area->setAccessibleName(accessibleName);
    area->setToolTip(url.toString());
    area->setFlat(true);
    area->setCursor(Qt::PointingHandCursor);
    area->setStyleSheet(QStringLiteral("QPushButton { background: transparent; border: none; }"));
    area->setGeometry(kWidth - 200, 30 + row * 50, 180, 44);
    connect(area, &QPushButton::clicked, this, [url] { QDesktopServices::openUrl(url); });
    return area;
}

void AboutForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (m_logo.isNull())
        return;
    const QPixmap fitted = m_logo.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawPixmap((width() - fitted.width()) / 2, (height() - fitted.height()) / 2, fitted);
}
