#pragma once

#include "paths.h"
#include "recordingpdfwriter.h"
#include "scriptrecord.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStringList>

#include <algorithm>
#include <tuple>

// A filled-in job for the document tests: every printed field holds a value
// of its own, so a value in the wrong cell shows.
inline ScriptRecord sampleJob()
{
    ScriptRecord j;
    j.JobNumber = QStringLiteral("AB0042");
    j.ClientFirstName = QStringLiteral("Ann");
    j.ClientSurname = QStringLiteral("Lee");
    j.Gender = QStringLiteral("Female");
    j.PodiatristName = QStringLiteral("Dr Foot");
    j.ClinicName = QStringLiteral("Walk Well;12 High St;Townsville");
    j.DispenseDate = QStringLiteral("05/03/2026");
    j.DispenseDateNote = QStringLiteral("(urgent)");
    j.CurrentFolder = Paths::dataFolderPrefix() + QStringLiteral("clinic");
    j.PdfFile = j.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee.Pdf");
    j.FullPdfFile = j.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee_L.Pdf");
    j.LeftScanFile = j.CurrentFolder + QStringLiteral("/Lee_Ann_L.Wrl");
    j.RightScanFile = j.CurrentFolder + QStringLiteral("/Lee_Ann_R.Wrl");
    j.LeftLcfFile = j.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee_L.Lcf");
    j.RightLcfFile = j.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee_R.Lcf");
    j.LeftGraphicFile = QStringLiteral("None");
    j.RightGraphicFile = QStringLiteral("None");
    j.JobImageFile.clear();

    j.FootSizeL = QStringLiteral("7");
    j.FootSizeR = QStringLiteral("7.5");
    j.TemplateCodeL = QStringLiteral("T7L");
    j.TemplateCodeR = QStringLiteral("T7R");
    j.EvaDensityL = QStringLiteral("Medium");
    j.EvaDensityR = QStringLiteral("Firm");
    j.ScanPositionL = QStringLiteral("-4");
    j.ScanPositionR = QStringLiteral("2");
    j.OrthoticStyleL = QStringLiteral("Sport");
    j.OrthoticStyleR = QStringLiteral("Dress");
    j.ThicknessL = 3;
    j.ThicknessR = 4.25;
    j.SkiveDistanceL = 12;
    j.SkiveAngleL = QStringLiteral("0");
    j.SkiveAngleR = QStringLiteral("7.5");
    j.InversionRampL = 2;
    j.EversionRampR = 1.5;
    j.MetaWedgeL = QStringLiteral("-2.5");
    j.MetaWedgeR = QStringLiteral("3");
    j.RearFootPostingL = 4;
    j.RearFootPostingLateralR = -0.04;
    j.PfaL = QStringLiteral("PfaL");
    j.PfaR = QStringLiteral("PfaR");
    j.MetDomeL = QStringLiteral("0");
    j.MetDomeR = QStringLiteral("Small");
    j.MetPadL = QStringLiteral("Pad");
    j.MetPadR = QStringLiteral("0");
    j.ArchFillL = 1;
    j.LateralArchFillR = 2;
    j.ArchHeightL = 18;
    j.HeelCupR = 14;
    j.HeelLiftL = 3;
    j.ForefootVarusL = QStringLiteral("5");
    j.ForefootVarusR = QStringLiteral("0");
    j.ForefootValgusL = QStringLiteral("2");
    j.HeelDotLengthL = QStringLiteral("150");
    j.HeelDotLengthR = QStringLiteral("0");
    j.VarusLengthL = QStringLiteral("95");
    j.VarusLengthR = QStringLiteral("long");
    j.TopCoverL = QStringLiteral("Poly\r\nFoam");
    j.TopCoverR = QStringLiteral("Vinyl");
    j.InsoleOptionsL = QStringLiteral("A1;B2;C3;");
    j.InsoleOptionsR = QStringLiteral("Wide;");
    j.Notes = QStringLiteral("Wide fit;Left only");
    j.ScanDateL = QStringLiteral("01/03/2026");
    j.ScanTimeL = QStringLiteral("09:10:11");
    j.ScanDateR = QStringLiteral("02/03/2026");
    j.ScanTimeR = QStringLiteral("10:11:12");
    return j;
}

// The texts of one row of a recorded page, left to right, as "x:text".
inline QStringList row(const RecordingPdfWriter &w, int y, int page = 1)
{
    QStringList out;
    for (const RecordingPdfWriter::Call &c : w.textsAt(y, page))
        out << QString::number(c.x()) + u':' + c.text;
    return out;
}

// How far a recorded text reaches, one blank included, in the font it was
// drawn with.
inline int reachWithBlank(const RecordingPdfWriter::Call &c)
{
    RecordingPdfWriter measure;
    measure.Pdf_Set_Font(c.font);
    measure.Pdf_Set_Font_Size(c.size);
    measure.Pdf_Set_Bold(c.bold);
    return c.x() + measure.Pdf_Text_Width(c.text + u' ');
}

// The texts of a recorded document that run into the next text of their
// row, as "page/y: text|next": what follows a text starts one blank after
// it at the least.
inline QStringList runTogether(const RecordingPdfWriter &w)
{
    QStringList out;
    QList<RecordingPdfWriter::Call> texts = w.texts();
    std::stable_sort(texts.begin(), texts.end(), [](const auto &a, const auto &b) {
        return std::tuple(a.page, a.y(), a.x()) < std::tuple(b.page, b.y(), b.x());
    });
    for (qsizetype i = 1; i < texts.size(); ++i) {
        const RecordingPdfWriter::Call &before = texts[i - 1];
        const RecordingPdfWriter::Call &next = texts[i];
        if (before.page == next.page && before.y() == next.y() && !before.text.isEmpty()
            && reachWithBlank(before) > next.x())
            out << QStringLiteral("%1/%2: %3|%4").arg(next.page).arg(next.y()).arg(before.text, next.text);
    }
    return out;
}

// A small JPEG of one colour at `path`, its folder made.
inline QString saveJpeg(const QString &path, QColor colour = Qt::red)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path, "JPEG", 90);
    return path;
}
