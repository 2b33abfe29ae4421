#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

// A private working folder for one test: SOLVANE_HOME points into a fresh
// temporary folder, with "Data" present unless asked otherwise.
class TestHome
{
public:
    explicit TestHome(bool withData = true)
    {
        QVERIFY2(m_dir.isValid(), "temporary folder");
        m_root = m_dir.path() + QStringLiteral("/3DEriruvu");
        QDir().mkpath(m_root);
        if (withData)
            QDir().mkpath(m_root + QStringLiteral("/Data"));
        qputenv("SOLVANE_HOME", m_root.toLocal8Bit());
    }

    QString root() const { return m_root; }
    QString path(const QString &name) const { return m_root + u'/' + name; }

    // Writes bytes as they are (tests build CR LF and code-page bytes themselves).
    void write(const QString &name, const QByteArray &bytes) const
    {
        const QString p = path(name);
        QDir().mkpath(QFileInfo(p).path());
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray read(const QString &name) const
    {
        QFile f(path(name));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
};
