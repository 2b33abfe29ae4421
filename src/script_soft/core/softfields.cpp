#include "softfields.h"

#include "jobnames.h"
#include "numbers.h"
#include "scriptrecord.h"
#include "sizechart.h"

#include <cmath>

namespace SoftFields {

QString Whole(double value)
{
    return num::formatFixed(value, 0);
}

PfaShown Show_Pfa(QString &pfa)
{
    PfaShown shown;
    if (pfa.endsWith(u'S'))
        shown.cShape = false;
    else if (pfa.endsWith(u'C'))
        shown.cShape = true;
    pfa = num::format0_0(num::leadingNumber(pfa));
    shown.number = pfa;
    return shown;
}

QString Take_Pfa(const QString &comboText, bool sChosen, bool cChosen)
{
    const QString number = num::numberBoxText(comboText);
    if (sChosen)
        return number + u'S';
    if (cChosen)
        return number + u'C';
    return number;
}

ScanPositionShown Show_Scan_Position(QString &scanPosition)
{
    ScanPositionShown shown;
    shown.external = scanPosition.startsWith(u'-');
    scanPosition = num::format0_0(std::fabs(num::leadingNumber(scanPosition)));
    shown.size = scanPosition;
    return shown;
}

QString Take_Scan_Position(const QString &boxText, bool internalChosen)
{
    QString size = num::numberBoxText(boxText).trimmed();
    if (size.startsWith(u'-') || size.startsWith(u'+'))
        size.remove(0, 1);
    return internalChosen ? size : QStringLiteral("-") + size;
}

const QStringList &Met_Dome_Items()
{
    static const QStringList items = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                      QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("S"),
                                      QStringLiteral("M"), QStringLiteral("L")};
    return items;
}

const QStringList &Met_Pad_Items()
{
    static const QStringList items = {QStringLiteral("0"), QStringLiteral("S"), QStringLiteral("M"),
                                      QStringLiteral("L")};
    return items;
}

const QStringList &Thickness_Items()
{
    static const QStringList items = {QStringLiteral("1.5"), QStringLiteral("2.0"), QStringLiteral("3.0"),
                                      QStringLiteral("4.0"), QStringLiteral("5.0"), QStringLiteral("6.0"),
                                      QStringLiteral("7.0"), QStringLiteral("8.0")};
    return items;
}

const QStringList &Pfa_Items()
{
    static const QStringList items = {QStringLiteral("0.0"), QStringLiteral("1.0"), QStringLiteral("2.0"),
                                      QStringLiteral("3.0"), QStringLiteral("4.0"), QStringLiteral("5.0"),
                                      QStringLiteral("6.0"), QStringLiteral("7.0"), QStringLiteral("8.0")};
    return items;
}

int Met_Dome_Position(const QString &code)
{
    const qsizetype i = Met_Dome_Items().indexOf(code);
    return i > 0 ? int(i) : 0;
}

int Met_Pad_Position(const QString &code)
{
    const qsizetype i = Met_Pad_Items().indexOf(code);
    return i > 0 ? int(i) : 0;
}

QString Show_Notes(QString &notes)
{
    notes.replace(u';', QLatin1String("\r\n"));
    return notes;
}

QString Take_Notes(const QString &boxText)
{
    QString notes = boxText;
    notes.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    notes.replace(u'\n', QLatin1String("\r\n"));
    return notes;
}

QString Joined_Selection(const QStringList &selectedTexts)
{
    QString joined;
    for (const QString &text : selectedTexts)
        joined += text + u';';
    return joined;
}

void Derive_Lengths(ScriptRecord &job)
{
    job.TemplateLengthL = Get_Template_Length(job, num::leadingNumber(job.FootSizeL));
    job.FootLengthL = Foot_Length_For(job.TemplateLengthL);
    job.TemplateLengthR = Get_Template_Length(job, num::leadingNumber(job.FootSizeR));
    job.FootLengthR = Foot_Length_For(job.TemplateLengthR);
}

LengthTexts Length_Texts(const ScriptRecord &job, int side)
{
    const QString &size = side == 0 ? job.FootSizeL : job.FootSizeR;
    if (num::leadingNumber(size) <= 0)
        return {QStringLiteral("0"), QStringLiteral("0")};
    return side == 0 ? LengthTexts{Whole(job.TemplateLengthL), Whole(job.FootLengthL)}
                     : LengthTexts{Whole(job.TemplateLengthR), Whole(job.FootLengthR)};
}

QString Take_Foot_Size(ScriptRecord &job, int side, const QString &size)
{
    if (side == 0) {
        job.FootSizeL = size;
        job.TemplateLengthL = Get_Template_Length(job, num::leadingNumber(size));
        job.FootLengthL = Foot_Length_For(job.TemplateLengthL);
        job.FootLengthR = Foot_Length_For(job.TemplateLengthR);
        return Whole(job.FootLengthL);
    }
    job.FootSizeR = size;
    job.TemplateLengthR = Get_Template_Length(job, num::leadingNumber(size));
    job.FootLengthR = Foot_Length_For(job.TemplateLengthR);
    return Whole(job.FootLengthR);
}

SizeChoiceBoxes Size_Choice_Boxes(const ScriptRecord &job, int side)
{
    const LengthTexts texts = Length_Texts(job, side);
    if (num::leadingNumber(side == 0 ? job.FootSizeL : job.FootSizeR) > 0)
        return {texts.templateLength, std::nullopt};
    return {texts.templateLength, texts.footLength};
}

void New_Script_Defaults(ScriptRecord &job)
{
    job.ClientFirstName = QStringLiteral("FirstName");
    job.ClientSurname = QStringLiteral("Surname");
    job.JobNumber = Make_Job_Number(job);
    job.ReprocessedFromJob.clear();
    job.ScanPositionL = job.ScanPositionR = QStringLiteral("0");
    job.Gender = QStringLiteral("Male");
    job.ClinicJobNumber.clear();
    job.PriorityReturn = false;
    job.ConfirmBeforeManufacture = false;
    job.SendConfirmationEmail = true;
    job.ThicknessL = job.ThicknessR = 1.5;
    Name_Job_Files_For_New_Script(job);
    Set_New_Script_Scan_Times(job);
    job.Notes = QStringLiteral("None");
    for (QString *field :
         {&job.ForefootVarusL, &job.ForefootValgusL, &job.VarusLengthL, &job.ExtraHeelDepthL, &job.HeelDotLengthL,
          &job.ForefootVarusR, &job.ForefootValgusR, &job.VarusLengthR, &job.ExtraHeelDepthR, &job.HeelDotLengthR})
        field->clear();
    job.DispenseDate = Default_Dispense_Date();
    job.DispenseDateNote = QStringLiteral("(default)");
}

} // namespace SoftFields
