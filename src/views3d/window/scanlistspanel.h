#pragma once
// The main window's scan choice: a location list (`Drive1`: the home and
// data folders and the mounted volumes, as there are no drive letters
// here), the folder tree (`Dir1`) and the left and right scan lists
// (`File1` under "LEFT   FOOT", `File2` under "RIGHT   FOOT"), which always
// show the folder's ".Wrl", ".Stl" and ".Obj" files, whatever their case,
// with the buttons "Select Left Foot" (`Command2`) and "Select Right Foot"
// (`Command4`).
//
// Picking a scan sets CurrentFolder and the foot's selected and chosen
// names, shows the file's date in the status line and captions the
// top-level window "Scan File: " and the path; a double-click (or Enter)
// also loads the foot. Browsing folders never changes CurrentFolder.
//
// The lists follow their folder: scans that appear or go (an import, a
// scan, a move, files deleted after sending, another program) show without
// a click, with the pick kept where its file is still there.

#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QFileSystemWatcher;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;
class QTreeView;

class ScanListsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ScanListsPanel(QWidget *parent = nullptr);

    // Moves the folder tree (and with it both lists) to a folder; the
    // start-up sequence points it at DataFolder.
    void setFolder(const QString &folder);
    QString folder() const { return m_folder; }

    // Reads the folder again, so new and deleted scans show.
    void refresh();

    QListWidget *leftList() const { return m_file1; }
    QListWidget *rightList() const { return m_file2; }

private:
    void locationChosen(int index);
    void folderChanged(const QString &folder);
    void scanPicked(bool left, QListWidgetItem *item);
    void scanActivated(bool left, QListWidgetItem *item);
    void fillList(QListWidget *list);
    void watchFolder();

    QComboBox *m_drive1 = nullptr;
    QTreeView *m_dir1 = nullptr;
    QFileSystemModel *m_folders = nullptr;
    QListWidget *m_file1 = nullptr;
    QListWidget *m_file2 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command4 = nullptr;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer *m_refreshSoon = nullptr;
    QString m_folder;
};

// The pattern both lists show.
inline constexpr const char *kScanFilePattern = "*.Wrl;*.Stl;*.Obj";
