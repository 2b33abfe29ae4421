#include "sizechart.h"

#include "errors.h"
#include "numbers.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "textfile.h"

#include <QStringList>

namespace {
constexpr int kChartRows = 17;
constexpr double kSizes[kChartRows] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
constexpr double kLengths[kChartRows] = {100, 217, 225, 234, 240, 247, 253, 263, 270,
                                         278, 285, 294, 301, 308, 319, 326, 333};
} // namespace

void Set_Default_Sizes(ScriptRecord &job)
{
    job.SizeChartCount = kChartRows;
    job.SizeChartSizes = QVector<double>(std::begin(kSizes), std::end(kSizes));
    job.SizeChartLengths = QVector<double>(std::begin(kLengths), std::end(kLengths));
}

void Read_Size_File(ScriptRecord &job, const QString &path)
{
    const QStringList lines = textfile::readLines(path);
    auto reject = [&](const QString &why) {
        throw SolvaneError(ErrorNumber::BadFileFormat,
                           QStringLiteral("%1 is not a usable size table: %2").arg(path, why));
    };
    if (lines.isEmpty())
        reject(QStringLiteral("the file is empty"));
    QString first = lines[0];
    const int count = num::roundHalfEven(num::leadingNumber(Get_Token_Comma(first)));
    if (count <= 0)
        reject(QStringLiteral("its row count is not positive"));
    // Counted without adding to the count: a count line may say the largest number.
    if (lines.size() - 1 < count)
        reject(QStringLiteral("it has fewer rows than its count line says"));

    QVector<double> sizes, lengths;
    sizes.reserve(count);
    lengths.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString row = lines[i + 1];
        sizes << num::leadingNumber(Get_Token_Comma(row));
        lengths << num::leadingNumber(Get_Token_Comma(row));
    }
    job.SizeChartCount = count;
    job.SizeChartSizes = sizes;
    job.SizeChartLengths = lengths;
}

double Get_Template_Length(const ScriptRecord &job, double footSize)
{
    const int rows = std::min<int>({kChartRows, int(job.SizeChartSizes.size()), int(job.SizeChartLengths.size())});
    if (rows <= 0)
        return 0.0;
    const bool male = job.Gender.left(1).toUpper() == QLatin1String("M");
    int row = rows - 1; // a size above the chart takes the last row
    for (int i = 0; i < rows; ++i) {
        if (job.SizeChartSizes[i] >= footSize) {
            row = i;
            break;
        }
    }
    if (!male && row > 1)
        row = std::max(row - 2, 1);
    return job.SizeChartLengths[row];
}

QStringList Size_List_Texts(const ScriptRecord &job)
{
    QStringList texts;
    const int rows = std::min<int>(kChartRows, int(job.SizeChartSizes.size()));
    for (int i = 0; i < rows; ++i)
        texts << num::shortestText(job.SizeChartSizes[i]);
    return texts;
}
