#include "relocatedrecord.h"

#include "errors.h"
#include "jobnames.h"
#include "paths.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Lines 5 to 8, as the record's writers label them.
constexpr const char *kFileLineLabels[] = {
    "Left Scan File Name",
    "Right Scan File Name",
    "Left Graphic File Name",
    "Right Graphic File Name",
};

constexpr int kPdfLine = 4;
constexpr int kFirstFileLine = 5;
constexpr int kLeftScanLine = 5;
constexpr int kRightScanLine = 6;

// "12345_Ann_Lee_L.Lcf" less "_L.Lcf", or empty when nothing would be left.
QString pdfBaseFromScan(const QString &scanName)
{
    constexpr int kScanSuffix = 6;
    return scanName.size() > kScanSuffix ? scanName.chopped(kScanSuffix) : QString();
}

} // namespace

QString Record_Line_File_Name(const QString &line)
{
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0)
        return {};
    const QString value = line.mid(comma + 1);
    if (Is_Absent_Path(value))
        return {};
    return Get_File_Name(From_Record_Path(value));
}

QStringList Relocated_Record_Lines(const QStringList &lines, const QString &folder, const QString &source)
{
    if (lines.size() < kRelocatedRecordLines)
        throw SolvaneError(ErrorNumber::IncompleteRecord,
                           QDir::toNativeSeparators(source) + QStringLiteral(" is not a complete script record"));
    auto line = [&lines](int number) { return lines[number - 1]; };
    auto inFolder = [&folder](const QString &name) { return Record_Path(Join_Path(folder, name)); };

    QStringList out = lines;

    QString pdfBase = pdfBaseFromScan(Record_Line_File_Name(line(kLeftScanLine)));
    if (pdfBase.isEmpty())
        pdfBase = pdfBaseFromScan(Record_Line_File_Name(line(kRightScanLine)));
    QString pdf;
    if (!pdfBase.isEmpty())
        pdf = inFolder(pdfBase + QStringLiteral(".Pdf"));
    else if (const QString oldPdf = Record_Line_File_Name(line(kPdfLine)); !oldPdf.isEmpty())
        pdf = inFolder(oldPdf);
    else
        pdf = QStringLiteral("None");
    out[kPdfLine - 1] = QStringLiteral("PDF File Name,") + pdf;

    for (int i = 0; i < 4; ++i) {
        const int number = kFirstFileLine + i;
        const QString name = Record_Line_File_Name(line(number));
        out[number - 1] =
            QLatin1String(kFileLineLabels[i]) + u',' + (name.isEmpty() ? QStringLiteral("None") : inFolder(name));
    }
    return out;
}

void Update_CSV_File(const QString &csvDstFile, ScriptRecord &job)
{
    const QString folder = QFileInfo(csvDstFile).path();
    const QStringList lines = Relocated_Record_Lines(textfile::readLines(csvDstFile), folder, csvDstFile);
    textfile::writeLines(csvDstFile, lines);
    job.PdfFile = Join_Path(folder, JobBaseName(job) + QStringLiteral(".Pdf"));
}
