#pragma once

#include <QWidget>

class QAction;
class QComboBox;
class QPushButton;
class QTextBrowser;
class QToolBar;

// The help browser "Browser": an address box, a toolbar (Back, Forward,
// Stop, Refresh, Home, Search), "Close", and the page. Its load opens
// Job().BrowserPage; an empty one leaves the window empty with the address
// "default.htm". Local pages (paths, "C:\3DEriruvu\..." record paths, file
// URLs) show in the window; web addresses, typed or clicked, open in the
// desktop's browser. A page that cannot be found is said so in the window.
// The caption is the page's title, else its file name.
class BrowserWindow : public QWidget
{
    Q_OBJECT
public:
    explicit BrowserWindow(QWidget *parent = nullptr);

    // Shows the page at `address` (or hands a web address to the desktop).
    void Navigate(const QString &address);

    QString locationName() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateCaption();

    QToolBar *m_toolBar = nullptr;
    QComboBox *m_address = nullptr;
    QTextBrowser *m_browser = nullptr;
    QAction *m_back = nullptr;
    QAction *m_forward = nullptr;
    QString m_missing; // the address that could not be shown, if the last one
};

// True for addresses the desktop's browser shows: http, https, mailto, "www.".
bool Is_Web_Address(const QString &address);
