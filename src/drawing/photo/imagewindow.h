#pragma once

#include <QMainWindow>

#include <functional>

class ImageDocument;
class ImageView;
class QLabel;
class QMenu;
class QStatusBar;

// What the two image windows share: the picture on the image control, the
// four status panels, the zoom steps and fit, "Information", "Undo",
// "Redo", "Redraw", the overwrite question before "Save", "Save As" and
// "Close". A window adds what it loads and saves and its own menus.
class ImageWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Status panel 3.
    void ShowStatus(const QString &text);
    // Panels 1, 2 and 4.
    void ShowStatusX(const QString &text);
    void ShowStatusY(const QString &text);
    void ShowStatusF(const QString &text);
    QString panelText(int panel) const; // 1 to 4

    void ZoomFit();

    ImageView *view() const { return m_view; }
    ImageDocument *document() const;

    // The menu commands, as the menus run them.
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuInfo_Click();
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuRedraw_Click();
    void zoomStep(int percent);

protected:
    struct Options
    {
        QString name; // objectName: "Brighten"
        QString caption; // the stored caption
        QString saveAsExtension; // "Tif"
    };
    explicit ImageWindow(const Options &options, QWidget *parent = nullptr);

    // Builds the menus: "File", "Edit", "View", then the window's own.
    void buildMenus();
    // Items the window puts into "File" before its "Close".
    virtual void addFileItems(QMenu *) {}
    // Menus and bar commands after "View".
    virtual void addOwnMenus() {}
    // What "Save" writes once the overwrite question had OK.
    virtual void saveImage() = 0;
    // The name "Save As" proposes.
    virtual QString saveAsName() const = 0;

    QAction *addItem(QMenu *menu, const QString &caption, const QString &name);
    // Runs a command, showing any failure it raises.
    void connectCommand(QAction *action, std::function<void()> command);
    // Where the image control sits, and the client area it sits in.
    QWidget *clientArea() const { return m_client; }
    void placeImageControl(const QRect &geometry);

    // Places the image control whenever the client area changes size.
    virtual void layoutClient();
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Options m_options;
    QWidget *m_client;
    ImageView *m_view;
    QStatusBar *m_statusBar;
    QLabel *m_panels[4];
};
