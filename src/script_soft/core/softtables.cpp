#include "softtables.h"

#include "countedsections.h"
#include "errors.h"
#include "messagetext.h"
#include "numbers.h"
#include "paths.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "textfile.h"

namespace {

const QString kTableName = QStringLiteral("Solvane.Tbl");

template <typename Record>
auto &tableOf(Record &job, SoftOptionList list)
{
    switch (list) {
    case SoftOptionList::Styles: return job.OrthoticStyleTable;
    case SoftOptionList::Densities: return job.EvaDensityTable;
    case SoftOptionList::TopCovers: return job.TopCoverTable;
    case SoftOptionList::InsoleOptions: break;
    }
    return job.InsoleOptionTable;
}

int &countOf(ScriptRecord &job, SoftOptionList list)
{
    switch (list) {
    case SoftOptionList::Styles: return job.OrthoticStyleTableCount;
    case SoftOptionList::Densities: return job.EvaDensityTableCount;
    case SoftOptionList::TopCovers: return job.TopCoverTableCount;
    case SoftOptionList::InsoleOptions: break;
    }
    return job.InsoleOptionTableCount;
}

} // namespace

const QStringList &Built_In_Option_List(SoftOptionList list)
{
    static const QStringList styles = {
        QStringLiteral("Mens (Wide)"),
        QStringLiteral("Womens Regular (Medium Width)"),
        QStringLiteral("Womens Dress (Narrow Width)"),
        QStringLiteral("Revere"),
    };
    static const QStringList densities = {
        QStringLiteral("125 white"),  QStringLiteral("190 brown"),
        QStringLiteral("220 black"),  QStringLiteral("220 white"),
        QStringLiteral("260 blue"),   QStringLiteral("260 blacks"),
        QStringLiteral("350 grey"),   QStringLiteral("350 black"),
        QStringLiteral("350 blue"),   QStringLiteral("350 red"),
        QStringLiteral("350 purple"), QStringLiteral("350 avo"),
        QStringLiteral("350 brown"),  QStringLiteral("350 purple/yellow_swill"),
        QStringLiteral("350 green"),  QStringLiteral("350 yellow"),
    };
    static const QStringList topCovers = {
        QStringLiteral("VINYL denim"),
        QStringLiteral("VINYL blue"),
        QStringLiteral("VINYL green"),
        QStringLiteral("VINYL purple"),
        QStringLiteral("VINYL cream"),
        QStringLiteral("VINYL red"),
        QStringLiteral("VINYL teal"),
        QStringLiteral("MULTIFORM 1 mm blue"),
        QStringLiteral("MULTIFORM 1 mm red"),
        QStringLiteral("MULTIFORM 1 mm multicolour"),
        QStringLiteral("MULTIFORM 1 mm black"),
        QStringLiteral("MULTIFORM 2 mm blue"),
        QStringLiteral("MULTIFORM 2 mm red"),
        QStringLiteral("MULTIFORM 2 mm green"),
        QStringLiteral("MULTIFORM 2 mm multi"),
        QStringLiteral("MULTIFORM 2 mm black"),
        QStringLiteral("MULTIFORM 2 mm purple/black"),
        QStringLiteral("MULTIFORM 3 mm blue"),
        QStringLiteral("MULTIFORM 3 mm red"),
        QStringLiteral("MULTIFORM 3 mm green"),
        QStringLiteral("MULTIFORM 3 mm black"),
        QStringLiteral("VITA brown"),
        QStringLiteral("VITA black"),
        QStringLiteral("VITA cream"),
        QStringLiteral("P.U. LINING biscuit"),
        QStringLiteral("P.U. LINING black"),
        QStringLiteral("SPENCO 1.5 mm blue"),
        QStringLiteral("SPENCO 3 mm green"),
        QStringLiteral("Cushmax 1.6 mm"),
        QStringLiteral("Cushmax 3.2 mm"),
        QStringLiteral("Ultralure 1.6 mm"),
        QStringLiteral("Ultralure 3.2 mm"),
        QStringLiteral("PPT/PORON 1.6 mm"),
        QStringLiteral("PPT/PORON 3.2 mm"),
        QStringLiteral("PPT/PORON 6 mm"),
        QStringLiteral("RESPONSE 1.5 mm blue"),
        QStringLiteral("RESPONSE 1.5 mm black"),
        QStringLiteral("RESPONSE 3 mm blue"),
        QStringLiteral("RESPONSE 3 mm black"),
        QStringLiteral("PIGSKIN LEATHER natural"),
        QStringLiteral("PIGSKIN LEATHER black"),
        QStringLiteral("PIGSKIN LEATHER tan"),
        QStringLiteral("SUEDE LEATHER tan"),
        QStringLiteral("SUEDE LEATHER black"),
    };
    static const QStringList insoleOptions = {
        QStringLiteral("None"),
        QStringLiteral("Hooks"),
        QStringLiteral("3/4 Length"),
        QStringLiteral("1st MPJ Cutout"),
        QStringLiteral("Heel Lift Ext (mm)"),
        QStringLiteral("45 Deg Cutout"),
        QStringLiteral("1st Ray Grind (mm)"),
        QStringLiteral("Sulcus Cutout"),
        QStringLiteral("Plantar Grind(mm)"),
    };
    switch (list) {
    case SoftOptionList::Styles: return styles;
    case SoftOptionList::Densities: return densities;
    case SoftOptionList::TopCovers: return topCovers;
    case SoftOptionList::InsoleOptions: break;
    }
    return insoleOptions;
}

bool Read_Tables(ScriptRecord &job)
{
    job.TablesLoadedFlag = false;
    const QString path = Resolve_Path_Nocase(Paths::root(), kTableName);
    if (path.isEmpty()) {
        UI().message(QStringLiteral("The File %1 Was Not Found").arg(Message_Path(Paths::file(kTableName))),
                     QStringLiteral("Table"), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return false;
    }
    QStringList lines;
    try {
        lines = textfile::readLines(path);
    } catch (const SolvaneError &error) {
        // The window must still open; the built-in lists stand in.
        Show_Error(error.description());
        return false;
    }
    const CountedSections parsed = Parse_Counted_Sections(lines, 4);
    for (int s = 0; s < 4; ++s) {
        const auto list = SoftOptionList(s);
        tableOf(job, list) = parsed.sections[s];
        countOf(job, list) = int(parsed.sections[s].size());
    }
    job.TablesLoadedFlag = true;
    return true;
}

QStringList Option_List_Items(const ScriptRecord &job, SoftOptionList list)
{
    if (job.TablesLoadedFlag) {
        const QStringList &table = tableOf(job, list);
        if (!table.isEmpty())
            return table;
    }
    return Built_In_Option_List(list);
}

void Choose_First_Options(ScriptRecord &job)
{
    job.OrthoticStyleL = job.OrthoticStyleR = Option_List_Items(job, SoftOptionList::Styles).value(0);
    job.EvaDensityL = job.EvaDensityR = Option_List_Items(job, SoftOptionList::Densities).value(0);
    job.TopCoverL = job.TopCoverR = Option_List_Items(job, SoftOptionList::TopCovers).value(0);
    job.InsoleOptionsL = job.InsoleOptionsR = Option_List_Items(job, SoftOptionList::InsoleOptions).value(0);
}

QString Style_Code(int stylePosition)
{
    static const QStringList codes = {QStringLiteral("M"), QStringLiteral("WA"), QStringLiteral("WD"),
                                      QStringLiteral("R"), QStringLiteral("CC")};
    return stylePosition >= 0 && stylePosition < codes.size() ? codes[stylePosition] : QString();
}

QString Template_Code(int stylePosition, const QString &footSize)
{
    return Style_Code(stylePosition) + num::format0_0Text(footSize);
}

QString Size_File_For_Style(int stylePosition)
{
    if (stylePosition < 0)
        return {};
    return Resolve_Path_Nocase(Paths::root(), QStringLiteral("FootSize%1.Dat").arg(stylePosition));
}

bool Option_Takes_Value(const QString &optionText)
{
    const QString rest = optionText.mid(1);
    return rest.contains(QLatin1String("(mm)"), Qt::CaseInsensitive)
           || rest.contains(QLatin1String("(deg)"), Qt::CaseInsensitive);
}
