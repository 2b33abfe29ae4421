#pragma once

#include <QPixmap>
#include <QUrl>
#include <QWidget>

class QLabel;
class QPushButton;

// "About VELTRANE": the logo "MasterLogo.Jpg" of the working folder as the
// window's picture (none when the file is missing), three lines of text,
// three invisible link areas over the logo that open the maker's pages in
// the desktop's browser, and "Close".
class AboutForm : public QWidget
{
    Q_OBJECT
public:
    explicit AboutForm(QWidget *parent = nullptr);

    bool hasLogo() const { return !m_logo.isNull(); }

    // The pages behind Label4, Label5 and Label6.
    static QUrl supportPage();
    static QUrl downloadsPage();
    static QUrl shopPage();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPushButton *linkArea(const QString &name, const QString &accessibleName, const QUrl &url, int row);

    QPixmap m_logo;
};
