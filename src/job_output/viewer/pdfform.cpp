#include "pdfform.h"

#include "numbers.h"
#include "prompter.h"
#include "windowregistry.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

QString &PdfViewerFile()
{
    static QString path;
    return path;
}

// ---------------------------------------------------------------- Picture1

PdfPicture::PdfPicture(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setMinimumSize(200, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
}

void PdfPicture::clear()
{
    m_image = QImage();
    update();
}

void PdfPicture::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PdfPicture::setOrigin(QPoint origin)
{
    m_origin = origin;
    update();
}

void PdfPicture::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(m_origin, m_image);
}

// ---------------------------------------------------------------- PdfForm

namespace {

// A small picture for a button that has no caption: the theme's icon where
// the desktop has one, else a glyph drawn here.
QIcon buttonIcon(const char *themeName, const QString &glyph)
{
    const QIcon themed = QIcon::fromTheme(QLatin1String(themeName));
    if (!themed.isNull())
        return themed;
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

QToolButton *pictureButton(QWidget *parent, const char *name, const QString &tip, const QIcon &icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setIcon(icon);
    button->setIconSize(QSize(24, 24));
    return button;
}

QLineEdit *numberBox(QWidget *parent, const char *name, const QString &accessibleName, int width)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->setFixedWidth(width);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

QGroupBox *frame(QWidget *parent, const QString &caption, const QList<QWidget *> &controls)
{
    auto *box = new QGroupBox(caption, parent);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(4, 2, 4, 4);
    for (QWidget *control : controls)
        layout->addWidget(control);
    return box;
}

QString messageText(int result, const char *what)
{
    return QStringLiteral("iRet: ") + QString::number(result) + QLatin1String(what);
}

} // namespace

PdfForm::PdfForm(QWidget *parent)
    : QDialog(parent),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("PdfForm"));
    setWindowTitle(QStringLiteral("PDF Viewer"));
    setModal(true);
    resize(860, 980);

    QStyle *st = style();
    auto *command1 =
        pictureButton(this, "Command1", QStringLiteral("Previous page"), st->standardIcon(QStyle::SP_ArrowLeft));
    auto *command2 =
        pictureButton(this, "Command2", QStringLiteral("Next Page"), st->standardIcon(QStyle::SP_ArrowRight));
    auto *command3 =
        pictureButton(this, "Command3", QStringLiteral("Zoom In"), buttonIcon("zoom-in", QStringLiteral("+")));
    auto *command4 =
        pictureButton(this, "Command4", QStringLiteral("Zoom Out"), buttonIcon("zoom-out", QStringLiteral("\u2212")));
    auto *command5 = pictureButton(this, "Command5", QStringLiteral("Resolution (doi)"),
                                   st->standardIcon(QStyle::SP_DialogApplyButton));
    auto *command6 =
        pictureButton(this, "Command6", QStringLiteral("Reset"), st->standardIcon(QStyle::SP_BrowserReload));
    auto *command7 =
        pictureButton(this, "Command7", QStringLiteral("Exit"), st->standardIcon(QStyle::SP_DialogCloseButton));
    auto *command8 =
        pictureButton(this, "Command8", QStringLiteral("Print"), buttonIcon("document-print", QStringLiteral("P")));
    auto *command9 = pictureButton(this, "Command9", QStringLiteral("Printer setup"),
                                   buttonIcon("document-print-preview", QStringLiteral("S")));

    m_text5 = numberBox(this, "Text5", QStringLiteral("Page"), 48);
    m_text6 = numberBox(this, "Text6", QStringLiteral("Page count"), 48);
    m_text6->setReadOnly(true);
    m_text4 = numberBox(this, "Text4", QStringLiteral("Zoom"), 56);
    m_text1 = numberBox(this, "Text1", QStringLiteral("Res"), 56);

    auto *frames = new QHBoxLayout;
    frames->addWidget(frame(this, QStringLiteral("Page"), {command1, command2, m_text5, m_text6}));
    frames->addWidget(frame(this, QStringLiteral("Zoom"), {command3, command4, m_text4}));
    frames->addWidget(frame(this, QStringLiteral("Print"), {command8, command9}));
    frames->addWidget(frame(this, QStringLiteral("Reset"), {command6}));
    frames->addWidget(frame(this, QStringLiteral("Res"), {m_text1, command5}));
    frames->addWidget(frame(this, QStringLiteral("Close"), {command7}));
    frames->addStretch();

    m_hbar = new QScrollBar(Qt::Horizontal, this);
    m_hbar->setObjectName(QStringLiteral("FlatScrollBar1"));
    m_hbar->setAccessibleName(QStringLiteral("Horizontal position"));
    m_vbar = new QScrollBar(Qt::Vertical, this);
    m_vbar->setObjectName(QStringLiteral("FlatScrollBar2"));
    m_vbar->setAccessibleName(QStringLiteral("Vertical position"));
    m_picture = new PdfPicture(this);

    auto *view = new QGridLayout;
    view->setSpacing(0);
    view->addWidget(m_hbar, 0, 0);
    view->addWidget(m_picture, 1, 0);
    view->addWidget(m_vbar, 1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(view, 1);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(500);
    m_timer->setSingleShot(true);

    connect(command1, &QToolButton::clicked, this, &PdfForm::previousPage);
    connect(command2, &QToolButton::clicked, this, &PdfForm::nextPage);
    connect(command3, &QToolButton::clicked, this, [this] { zoomBy(1.1); });
    connect(command4, &QToolButton::clicked, this, [this] { zoomBy(0.9); });
    connect(command5, &QToolButton::clicked, this, [this] {
        readResolution();
        renderCurrentPage();
    });
    connect(command6, &QToolButton::clicked, this, &PdfForm::resetView);
    connect(command7, &QToolButton::clicked, this, &QDialog::reject);
    connect(command8, &QToolButton::clicked, this, &PdfForm::print);
    connect(command9, &QToolButton::clicked, this, &PdfForm::printerSetup);
    connect(m_hbar, &QScrollBar::valueChanged, this, [this](int v) { scrolled(Qt::Horizontal, v); });
    connect(m_vbar, &QScrollBar::valueChanged, this, [this](int v) { scrolled(Qt::Vertical, v); });
    // The first drawing can come before the window has its final size;
    // drawing once more after it has settled shows the page whole.
    connect(m_timer, &QTimer::timeout, this, &PdfForm::renderCurrentPage);

    // Load: open the file, count its pages and draw page 1.
    m_text1->setText(QStringLiteral("85"));
    m_text4->setText(QStringLiteral("1.00"));
    m_text5->setText(QStringLiteral("1"));
    m_zoom = 1.0;
    m_library.setZoom(1.0);
    m_dpi = num::roundHalfEven(num::leadingNumber(m_text1->text()));
    m_page = num::roundHalfEven(num::leadingNumber(m_text5->text()));

    m_result = m_library.open(PdfViewerFile());
    if (m_result == PdfLibrary::Encrypted)
        UI().message(messageText(m_result, " Encrypted?"), QStringLiteral("PDF"), Prompter::Icon::Information);
    else if (m_result > PdfLibrary::Encrypted)
        UI().message(messageText(m_result, " Error"), QStringLiteral("PDF"), Prompter::Icon::Information);
    m_pageCount = m_library.pageCount();
    m_picture->setImage(m_library.render(m_dpi, m_page, &m_result));
    if (m_result > 1)
        UI().message(messageText(m_result, " Error"), QStringLiteral("PDF"), Prompter::Icon::Information);
    updateScrollRanges();
    m_text6->setText(QString::number(m_pageCount));
    m_timer->start();
}

PdfForm::~PdfForm() = default;

QPoint PdfForm::origin() const
{
    return m_picture->origin();
}

void PdfForm::readResolution()
{
    m_dpi = num::roundHalfEven(num::leadingNumber(m_text1->text()));
}

void PdfForm::renderCurrentPage()
{
    m_picture->clear();
    m_picture->setImage(m_library.render(m_dpi, m_page, &m_result));
    updateScrollRanges();
}

void PdfForm::updateScrollRanges()
{
    // One position is ten pixels at zoom 1, so the range covers the page
    // at the current resolution whatever the zoom.
    const QSize page = m_library.pageSize(m_dpi, qBound(1, m_page, qMax(1, m_pageCount)), 1.0);
    const QSignalBlocker blockH(m_hbar);
    const QSignalBlocker blockV(m_vbar);
    m_hbar->setRange(0, (page.width() + 9) / 10);
    m_vbar->setRange(0, (page.height() + 9) / 10);
}

void PdfForm::previousPage()
{
    --m_page;
    if (m_page < 1) {
        m_page = 1;
        return;
    }
    m_text5->setText(QString::number(m_page));
    readResolution();
    renderCurrentPage();
}

void PdfForm::nextPage()
{
    ++m_page;
    if (m_page > m_pageCount) {
        m_page = m_pageCount;
        return;
    }
    m_text5->setText(QString::number(m_page));
    readResolution();
    renderCurrentPage();
}

void PdfForm::zoomBy(double factor)
{
    // The factor starts from the box, so a typed zoom counts.
    m_zoom = num::leadingNumber(m_text4->text());
    readResolution();
    m_zoom *= factor;
    m_text4->setText(num::formatFixed(m_zoom, 2));
    m_picture->clear();
    m_library.setZoom(m_zoom);
    renderCurrentPage();
}

void PdfForm::resetView()
{
    m_zoom = 1.0;
    readResolution();
    m_text4->setText(QStringLiteral("1.00"));
    m_picture->clear();
    m_library.setZoom(1.0);
    m_picture->setOrigin(QPoint(0, 0));
    renderCurrentPage();
    m_hbar->setValue(0);
    m_vbar->setValue(0);
}

void PdfForm::scrolled(Qt::Orientation orientation, int position)
{
    // One bar sets both offsets: moving it puts the other axis back to 0.
    const int offset = num::roundHalfEven(position * -10.0 * m_zoom);
    readResolution();
    m_picture->clear();
    m_picture->setOrigin(orientation == Qt::Horizontal ? QPoint(offset, 0) : QPoint(0, offset));
    renderCurrentPage();
}

void PdfForm::print()
{
    m_result = 0;
    if (m_pageCount >= 1) {
        m_printer->setDocName(QStringLiteral("Insole Script"));
        m_printer->setFromTo(1, m_pageCount);
        if (!UI().printDialog(*m_printer))
            return; // cancelled: nothing is printed
        int first = 1;
        int last = m_pageCount;
        if (m_printer->printRange() == QPrinter::PageRange && m_printer->fromPage() > 0) {
            first = qMax(1, m_printer->fromPage());
            last = qMin(m_pageCount, qMax(first, m_printer->toPage()));
        }
        m_result = m_library.print(*m_printer, first, last, QStringLiteral("Insole Script"));
    }
    if (m_result == 0)
        UI().message(QStringLiteral("Error Printing the PDf File"), QStringLiteral("Print Error"),
                     Prompter::Icon::Warning);
}

void PdfForm::printerSetup()
{
    UI().printDialog(*m_printer);
}

// ---------------------------------------------------------------- commands

void Register_Pdf_Viewer()
{
    Windows().registerFactory(QStringLiteral("PdfForm"), [] { return new PdfForm(QApplication::activeWindow()); });
}

void Show_Pdf_Viewer(const QString &path)
{
    if (!Windows().hasFactory(QStringLiteral("PdfForm")))
        Register_Pdf_Viewer();
    // Every showing is a fresh load, so a viewer left loaded is dropped first.
    Windows().unload(QStringLiteral("PdfForm"));
    PdfViewerFile() = path;
    QPointer<PdfForm> form = Windows().get<PdfForm>(QStringLiteral("PdfForm"));
    if (!form)
        return;
    form->exec();
    Windows().unload(QStringLiteral("PdfForm"));
}
