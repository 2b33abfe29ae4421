#include "intakevariants.h"

namespace {

// The scanner windows start alike: the left size, the client, the lists and
// the gender, the right size, the left boxes, the right boxes, then "Close",
// the first scan button and "Get Next Job".
QStringList scannerTabOrder(const QStringList &tail)
{
    QStringList order = {QStringLiteral("Combo1_0"), QStringLiteral("Text1"),   QStringLiteral("Text2"),
                         QStringLiteral("Text3"),    QStringLiteral("Combo2"),  QStringLiteral("Combo3"),
                         QStringLiteral("Text8"),    QStringLiteral("Combo1_1")};
    for (int side = 0; side < 2; ++side)
        for (const MeasurementRow &row : Measurement_Rows())
            order << row.family + u'_' + QString::number(side);
    order << QStringLiteral("Command2") << QStringLiteral("Command4") << QStringLiteral("Command3");
    return order + tail;
}

QStringList generalTabOrder()
{
    QStringList order = {QStringLiteral("Text1"), QStringLiteral("Text2"), QStringLiteral("Text3")};
    for (int side = 0; side < 2; ++side) {
        order << QStringLiteral("Combo1_") + QString::number(side);
        for (const MeasurementRow &row : Measurement_Rows())
            order << row.family + u'_' + QString::number(side);
    }
    order << QStringLiteral("Command2") << QStringLiteral("Command4") << QStringLiteral("Command5")
          << QStringLiteral("Command1") << QStringLiteral("Command3") << QStringLiteral("Combo3")
          << QStringLiteral("Combo2") << QStringLiteral("Text8");
    return order;
}

IntakeButton button(const char *name, const char *caption, IntakeAction action)
{
    return {QString::fromLatin1(name), QString::fromLatin1(caption), action};
}

std::vector<IntakeVariant> makeVariants()
{
    using A = IntakeAction;
    const IntakeButton scanLeft = button("Command4", "Scan Left", A::ScanLeft);
    const IntakeButton scanRight = button("Command6", "Scan Right", A::ScanRight);
    const IntakeButton pellmarLeft = button("Command4", "Scan Left Foot", A::ScanLeftFoot);
    const IntakeButton pellmarRight = button("Command5", "Scan Right Foot", A::ScanRightFoot);
    const IntakeButton resetFlags = button("Command1", "Reset Flags", A::ResetFlags);
    const QString surname = QStringLiteral("Surname");
    const QString eva = QStringLiteral("EVA");
    const QString rigid = QStringLiteral("Rigid");
    auto t = [](std::initializer_list<const char *> names) {
        QStringList out;
        for (const char *n : names)
            out << QString::fromLatin1(n);
        return out;
    };

    std::vector<IntakeVariant> v;
    v.push_back({QStringLiteral("ScanForm"),
                 QStringLiteral("Scanner Data"),
                 IntakeScanner::General,
                 QStringLiteral("SurName"),
                 false,
                 {button("Command4", "Scan Foot", A::ScanFoot)},
                 button("Command1", "Save Script", A::Prepare),
                 QString(),
                 {button("Command5", "Unzip File", A::UnzipFile)},
                 generalTabOrder()});
    v.push_back({QStringLiteral("ScanForm2"),
                 QStringLiteral("Ruru-Zirorur Data (EVA)"),
                 IntakeScanner::RuruZirorur,
                 surname,
                 false,
                 {scanLeft, scanRight},
                 button("Command5", "Prepare Script", A::Prepare),
                 eva,
                 {},
                 scannerTabOrder(t({"Text9", "Command6", "Text10", "Command5"}))});
    v.push_back({QStringLiteral("ScanForm3"),
                 QStringLiteral("Ruru-Zirorur Data (Rigid)"),
                 IntakeScanner::RuruZirorur,
                 surname,
                 true,
                 {scanLeft, scanRight},
                 button("Command7", "Prepare Rigid Script", A::Prepare),
                 rigid,
                 {},
                 scannerTabOrder(t({"Text9", "Command6", "Text10", "Command7"}))});
    v.push_back({QStringLiteral("ScanForm4"),
                 QStringLiteral("LSR Scanner (EVA)"),
                 IntakeScanner::Lsr,
                 surname,
                 false,
                 {button("Command4", "Scan Feet", A::ScanFeet)},
                 button("Command7", "Prepare Script", A::Prepare),
                 eva,
                 {},
                 scannerTabOrder(t({"Text9", "Text10", "Command7"}))});
    v.push_back({QStringLiteral("ScanForm5"),
                 QStringLiteral("Pellmar Scanner (EVA)"),
                 IntakeScanner::Pellmar,
                 surname,
                 false,
                 {pellmarLeft, pellmarRight},
                 button("Command7", "Prepare Script", A::Prepare),
                 eva,
                 {resetFlags},
                 scannerTabOrder(t({"Text9", "Text10", "Command5", "Command7", "Command1"}))});
    v.push_back({QStringLiteral("ScanForm6"),
                 QStringLiteral("Pellmar Scanner (Rigid)"),
                 IntakeScanner::Pellmar,
                 surname,
                 true,
                 {pellmarLeft, pellmarRight},
                 button("Command8", "Prepare Script", A::Prepare),
                 rigid,
                 {resetFlags},
                 scannerTabOrder(t({"Text9", "Text10", "Command5", "Command8", "Command1"}))});
    return v;
}

} // namespace

const std::vector<IntakeVariant> &Intake_Variants()
{
    static const std::vector<IntakeVariant> variants = makeVariants();
    return variants;
}

const IntakeVariant *Intake_Variant(const QString &window)
{
    for (const IntakeVariant &variant : Intake_Variants())
        if (variant.window == window)
            return &variant;
    return nullptr;
}

const std::vector<MeasurementRow> &Measurement_Rows()
{
    static const std::vector<MeasurementRow> rows = {
        {QStringLiteral("Text4"), QStringLiteral("Forefoot Varus"), QStringLiteral("Label4"), QStringLiteral("deg"),
         QStringLiteral("Label11")},
        {QStringLiteral("Text5"), QStringLiteral("Forefoot Valgus"), QStringLiteral("Label5"), QStringLiteral("deg"),
         QStringLiteral("Label12")},
        {QStringLiteral("Text6"), QStringLiteral("Heel to Varus Length"), QStringLiteral("Label6"),
         QStringLiteral("mm"), QStringLiteral("Label13")},
        {QStringLiteral("Text7"), QStringLiteral("Heel to Dot Length"), QStringLiteral("Label7"), QStringLiteral("mm"),
         QStringLiteral("Label14")},
    };
    return rows;
}
