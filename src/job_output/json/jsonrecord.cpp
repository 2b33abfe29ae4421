#include "jsonrecord.h"

#include "numbers.h"
#include "paths.h"
#include "scriptrecord.h"
#include "textfile.h"

#include <QList>

#include <cmath>
#include <utility>

namespace json {

QString quoted(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"': out += QLatin1String("\\\""); break;
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\b': out += QLatin1String("\\b"); break;
        case u'\f': out += QLatin1String("\\f"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString number(double value)
{
    return std::isfinite(value) ? num::format0_0(value) : QStringLiteral("null");
}

QString numberText(const QString &text)
{
    return num::isNumericText(text) ? number(num::leadingNumber(text.trimmed())) : QStringLiteral("null");
}

} // namespace json

namespace {

// A value of the record: either a finished literal or an object or list of
// further values. Members keep their order, which the laboratory relies on.
struct Value
{
    enum class Kind { Literal, Object, List };
    Kind kind = Kind::Literal;
    QString literal;
    QList<std::pair<QString, Value>> items; // keys are empty inside a list

    static Value text(const QString &t) { return {Kind::Literal, json::quoted(t), {}}; }
    static Value raw(const QString &r) { return {Kind::Literal, r, {}}; }
    static Value object() { return {Kind::Object, {}, {}}; }
    static Value list() { return {Kind::List, {}, {}}; }

    Value &add(const QString &key, Value v)
    {
        items.append({key, std::move(v)});
        return *this;
    }
    Value &add(Value v) { return add(QString(), std::move(v)); }
};

// One item per line; containers open on their member's line and close on
// their own line at the member's indentation; "," after every item but the
// last of its container.
void writeValue(QStringList &lines, const QString &key, const Value &value, int depth, bool last)
{
    const QString indent(2 * depth, u' ');
    const QString head = key.isEmpty() ? indent : indent + json::quoted(key) + QLatin1String(": ");
    const QString comma = last ? QString() : QStringLiteral(",");
    if (value.kind == Value::Kind::Literal) {
        lines << head + value.literal + comma;
        return;
    }
    const bool isObject = value.kind == Value::Kind::Object;
    lines << head + (isObject ? u'{' : u'[');
    for (qsizetype i = 0; i < value.items.size(); ++i)
        writeValue(lines, value.items[i].first, value.items[i].second, depth + 1, i == value.items.size() - 1);
    lines << indent + (isObject ? u'}' : u']') + comma;
}

QString scanDataPath(const QString &path)
{
    return QStringLiteral("./") + Record_Path(path);
}

struct FootValues
{
    QString foot, size, style, eva, scanFile, graphicFile, forefootMedial, heelToDotLength, scanPosition;
    double length, thickness, archFill, rearFootPosting;
    QString topCover, topCoverBase;
};

Value nameObject(const QString &name)
{
    return Value::object().add(QStringLiteral("name"), Value::text(name));
}

Value device(const FootValues &f, const QString &notes)
{
    Value d = Value::object();
    d.add(QStringLiteral("foot"), Value::text(f.foot));
    d.add(QStringLiteral("size"), Value::raw(json::numberText(f.size)));
    d.add(QStringLiteral("style"), Value::text(f.style));
    d.add(QStringLiteral("eva"), Value::text(f.eva));
    d.add(QStringLiteral("notes"), Value::text(notes));
    d.add(QStringLiteral("scanData"),
          Value::object()
              .add(QStringLiteral("scanFile"), Value::text(scanDataPath(f.scanFile)))
              .add(QStringLiteral("graphicFile"), Value::text(scanDataPath(f.graphicFile))));
    d.add(QStringLiteral("footDimensions"),
          Value::object()
              .add(QStringLiteral("forefootMedial"), Value::raw(json::numberText(f.forefootMedial)))
              .add(QStringLiteral("heelToDotLength"), Value::raw(json::numberText(f.heelToDotLength))));
    d.add(QStringLiteral("adjustments"),
          Value::object()
              .add(QStringLiteral("length"), Value::raw(json::number(f.length)))
              .add(QStringLiteral("thickness"), Value::raw(json::number(f.thickness)))
              .add(QStringLiteral("archFill"), Value::raw(json::number(f.archFill)))
              .add(QStringLiteral("rearFootPosting"), Value::raw(json::number(f.rearFootPosting)))
              .add(QStringLiteral("scanPosition"), Value::raw(json::numberText(f.scanPosition))));
    d.add(QStringLiteral("topCovers"), Value::list().add(nameObject(f.topCover)).add(nameObject(f.topCoverBase)));
    // The laboratory's import expects these three options on every device.
    Value options = Value::list();
    options.add(nameObject(QStringLiteral("45 Deg Cutout")));
    options.add(
        nameObject(QStringLiteral("Heel Lift Ext (mm)")).add(QStringLiteral("adj"), Value::text(QStringLiteral("5"))));
    options.add(
        nameObject(QStringLiteral("1st Ray Grind (mm)")).add(QStringLiteral("adj"), Value::text(QStringLiteral("3"))));
    d.add(QStringLiteral("deviceOptions"), std::move(options));
    return d;
}

} // namespace

QStringList Json_Record_Lines(const ScriptRecord &job)
{
    const FootValues left{QStringLiteral("left"), job.FootSizeL,       job.OrthoticStyleL, job.EvaDensityL,
                          job.LeftScanFile,       job.LeftGraphicFile, job.ForefootVarusL, job.HeelDotLengthL,
                          job.ScanPositionL,      job.TemplateLengthL, job.ThicknessL,     job.ArchFillL,
                          job.RearFootPostingL,   job.TopCoverL,       job.TopCoverBaseL};
    const FootValues right{QStringLiteral("right"), job.FootSizeR,        job.OrthoticStyleR, job.EvaDensityR,
                           job.RightScanFile,       job.RightGraphicFile, job.ForefootVarusR, job.HeelDotLengthR,
                           job.ScanPositionR,       job.TemplateLengthR,  job.ThicknessR,     job.ArchFillR,
                           job.RearFootPostingR,    job.TopCoverR,        job.TopCoverBaseR};

    Value record = Value::object();
    record.add(QStringLiteral("prescriptionId"), Value::text(job.JobNumber));
    record.add(QStringLiteral("clinicPrescriptionId"), Value::text(job.ClinicJobNumber));
    record.add(QStringLiteral("podiatrist"), Value::text(job.PodiatristName));
    record.add(QStringLiteral("clinic"), Value::text(job.ClinicName));
    record.add(QStringLiteral("patient"), Value::object()
                                              .add(QStringLiteral("firstname"), Value::text(job.ClientFirstName))
                                              .add(QStringLiteral("surname"), Value::text(job.ClientSurname))
                                              .add(QStringLiteral("sex"), Value::text(job.Gender)));
    // The laboratory's import wants this member; its value has always been fixed.
    record.add(QStringLiteral("dateReceived"), Value::text(QStringLiteral("2017-12-19T00:00:00.000Z")));
    record.add(QStringLiteral("priority"),
               Value::raw(job.PriorityReturn ? QStringLiteral("true") : QStringLiteral("false")));
    record.add(QStringLiteral("dispenseDate"), Value::text(job.DispenseDate));
    record.add(QStringLiteral("pdfFileName"), Value::text(Record_Path(job.FullPdfFile)));
    record.add(QStringLiteral("devices"), Value::list().add(device(left, job.Notes)).add(device(right, job.Notes)));

    QStringList lines;
    writeValue(lines, QString(), record, 0, true);
    return lines;
}

QByteArray Json_Record_Bytes(const ScriptRecord &job)
{
    QByteArray bytes;
    for (const QString &line : Json_Record_Lines(job)) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

void Write_JSON(const ScriptRecord &job, const QString &JSONFilename)
{
    textfile::writeBytes(JSONFilename, Json_Record_Bytes(job));
}
