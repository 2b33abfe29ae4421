#pragma once

#include "runandwait.h"
#include "standin.h"

#include <QImage>

#include <functional>

// The scanner programs, played by the stand-in: each run writes what it is
// told (copies of the small fixtures) and logs that it ran.
class ScannerStandin
{
public:
    ScannerStandin(const QString &root, const QString &name)
        : m_program(Standin::install(root + QStringLiteral("/External"), name)),
          m_log(root + QStringLiteral("/standin.log"))
    {}

    // A run that writes `writes` ("target<source") as `mode` says.
    std::function<void()> run(const QStringList &writes, const QString &mode = QStringLiteral("ok")) const
    {
        return [this, writes, mode] {
            Standin::configure(m_log, mode, writes);
            Run_And_Wait(m_program, {});
        };
    }

    int runs() const { return int(Standin::readLog(m_log).size()); }

    static QString fixture(const QString &name)
    {
        return qEnvironmentVariable("SOLVANE_TEST_SOURCE_DIR") + QStringLiteral("/tests/scan_intake/fixtures/") + name;
    }

    // A small photo, as the scanners' cameras leave one.
    static QString photo(const QString &folder)
    {
        const QString path = folder + QStringLiteral("/photo.jpg");
        QImage image(16, 8, QImage::Format_RGB32);
        image.fill(QColor(200, 160, 130));
        image.save(path, "JPG", 90);
        return path;
    }

private:
    QString m_program;
    QString m_log;
};
