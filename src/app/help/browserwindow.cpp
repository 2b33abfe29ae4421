#include "browserwindow.h"

#include "paths.h"
#include "scriptrecord.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// A page link that leads nowhere shows a note instead of an empty page.
class HelpTextBrowser : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;
    std::function<void(const QUrl &)> onMissing;

protected:
    void doSetSource(const QUrl &url, QTextDocument::ResourceType type) override
    {
        if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isFile()) {
            if (onMissing)
                onMissing(url);
            return;
        }
        QTextBrowser::doSetSource(url, type);
    }
};

QString missingText(const QString &address)
{
    return QStringLiteral("The page ") + address + QStringLiteral(" cannot be found.");
}

} // namespace

bool Is_Web_Address(const QString &address)
{
    const QString a = address.trimmed();
    return a.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
           || a.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)
           || a.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)
           || a.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
}

BrowserWindow::BrowserWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Browser"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(870, 656);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto addButton = [this](const QString &key, QStyle::StandardPixmap icon) {
        QAction *action = m_toolBar->addAction(style()->standardIcon(icon), key);
        action->setObjectName(key);
        action->setToolTip(key);
        return action;
    };
    m_back = addButton(QStringLiteral("Back"), QStyle::SP_ArrowBack);
    m_forward = addButton(QStringLiteral("Forward"), QStyle::SP_ArrowForward);
    QAction *stop = addButton(QStringLiteral("Stop"), QStyle::SP_BrowserStop);
    QAction *refresh = addButton(QStringLiteral("Refresh"), QStyle::SP_BrowserReload);
    QAction *home = addButton(QStringLiteral("Home"), QStyle::SP_DirHomeIcon);
    QAction *search = addButton(QStringLiteral("Search"), QStyle::SP_FileDialogContentsView);
    // Local help has no search page to go to.
    search->setEnabled(false);

    m_address = new QComboBox(this);
    m_address->setObjectName(QStringLiteral("cboAddress"));
    m_address->setAccessibleName(QStringLiteral("Address"));
    m_address->setEditable(true);
    m_address->setInsertPolicy(QComboBox::NoInsert);
    m_address->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QPalette pale = m_address->palette();
    pale.setColor(QPalette::Base, QColor(255, 224, 192));
    m_address->setPalette(pale);
    m_address->lineEdit()->setPalette(pale);
    m_address->setEditText(QStringLiteral("default.htm"));

    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setAccessibleName(close->text());

    auto *browser = new HelpTextBrowser(this);
    m_browser = browser;
    m_browser->setObjectName(QStringLiteral("brwWebBrowser"));
    m_browser->setAccessibleName(QStringLiteral("Page"));
    m_browser->setOpenExternalLinks(true); // web links go to the desktop's browser
    browser->onMissing = [this](const QUrl &url) {
        m_missing = QDir::toNativeSeparators(url.toLocalFile());
        m_browser->setPlainText(missingText(m_missing));
        updateCaption();
    };

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_toolBar);
    bar->addWidget(m_address, 1);
    bar->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(refresh, &QAction::triggered, m_browser, &QTextBrowser::reload);
    connect(home, &QAction::triggered, m_browser, &QTextBrowser::home);
    // Pages load at once, so there is never anything to stop but the caption.
    connect(stop, &QAction::triggered, this, &BrowserWindow::updateCaption);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        m_missing.clear();
        updateCaption();
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_address, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            Navigate(m_address->itemText(index));
    });
    // Enter is taken here: the line edit's own returnPressed fires twice in
    // a combo box (once from the edit, once from the box passing it on).
    m_address->lineEdit()->installEventFilter(this);

    setWindowTitle(QStringLiteral("Browser"));
    const QString page = Job().BrowserPage;
    if (page.trimmed().isEmpty())
        return;
    {
        const QSignalBlocker quiet(m_address);
        m_address->addItem(page);
        m_address->setEditText(page);
    }
    Navigate(page);
}

bool BrowserWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_address->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Navigate(m_address->currentText());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BrowserWindow::Navigate(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return;
    if (Is_Web_Address(text)) {
        QDesktopServices::openUrl(QUrl::fromUserInput(text));
        return;
    }

    setWindowTitle(QStringLiteral("Working..."));
    QString path = text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) ? QUrl(text).toLocalFile()
                                                                                : From_Record_Path(text);
    path = QDir::fromNativeSeparators(path);
    if (QDir::isRelativePath(path)) {
        const QUrl current = m_browser->source();
        const QString base = current.isLocalFile() ? QFileInfo(current.toLocalFile()).absolutePath() : Paths::root();
        path = QDir(base).filePath(path);
    }
    const QString found = Resolve_File_Nocase(path);
    const QUrl url = QUrl::fromLocalFile(found.isEmpty() ? path : found);
    if (url == m_browser->source()) {
        m_missing.clear();
        m_browser->reload();
    } else
        m_browser->setSource(url);
    updateCaption();
}

QString BrowserWindow::locationName() const
{
    if (!m_missing.isEmpty())
        return m_missing;
    const QString title = m_browser->documentTitle();
    if (!title.isEmpty())
        return title;
    const QUrl source = m_browser->source();
    if (source.isEmpty())
        return QStringLiteral("Browser");
    return source.isLocalFile() ? QFileInfo(source.toLocalFile()).fileName() : source.toString();
}

void BrowserWindow::updateCaption()
{
    setWindowTitle(locationName());
}
