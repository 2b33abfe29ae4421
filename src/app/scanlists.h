#pragma once

#include <QListWidget>

// The main window's folder list (`Dir1`): the folders below the shown one,
// with ".." to go up. Moving to a folder, from code or by the user, tells the
// scan lists to follow.
class FolderList : public QListWidget
{
    Q_OBJECT
public:
    explicit FolderList(QWidget *parent = nullptr);

    // The folder as the list reports it: no trailing separator.
    QString path() const { return m_path; }
    void setPath(const QString &folder);

signals:
    void pathChanged(const QString &folder);

private:
    void enter(QListWidgetItem *item);
    void fill();

    QString m_path;
};

// A scan list (`File1`, `File2`): the files of one folder that match a
// pattern such as "*.Wrl;*.Stl;*.Obj", whatever the case of their names.
class ScanFileList : public QListWidget
{
    Q_OBJECT
public:
    explicit ScanFileList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    QString pattern() const { return m_pattern; }
    void setPath(const QString &folder);
    void setPattern(const QString &pattern);
    // Both at once, reading the folder only once.
    void showFolder(const QString &folder, const QString &pattern);

    // Reads the folder again, so deleted or new files show.
    void refresh();

    // The chosen file's name, without its folder; empty when none is chosen.
    QString fileName() const;

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};
