#pragma once

#include "pellmarmeasurements.h"

#include <QString>
#include <QStringList>

struct ScriptRecord;

// The simple script records the scan intake windows hand to a prescription
// window: the soft record's 66 lines, with the model files on lines 5 and 6,
// the e-mail choice always ";Y", line 22 always "Priority Return,0,0", and
// line breaks in top covers, options and notes made ",".

// What an intake window's boxes hold, as typed.
struct IntakeBoxTexts
{
    QString Text1; // client first name
    QString Text2; // client surname
    QString Text3; // job number
    PellmarMeasurements measurements; // Text4 to Text7, left and right
};

// A measurement box taken into the job: its leading number (a decimal comma
// read as a point) as the shortest text: "2.50" gives "2.5", "abc" "0".
QString Intake_Measurement_Text(const QString &typed);

// Puts the eight measurements into the job: through Intake_Measurement_Text,
// or as typed with a decimal comma made a point.
void Take_Intake_Measurements(ScriptRecord &job, const PellmarMeasurements &measurements, bool asNumbers = true);

// The title line of Write_CSV_Simple2: 0 the soft title, 1 the rigid one,
// anything else none.
QString Simple_Record_Title(int iType);

// The general window's record: soft title, all four file lines "None" (and
// the job's file values with them). The caller has stored the boxes.
QStringList Build_CSV_Simple1(ScriptRecord &job);

// The scanner windows' record: names, job number and measurements taken from
// the boxes, an empty model file made "None", graphics as they stand (an
// empty one gives an empty field).
QStringList Build_CSV_Simple2(ScriptRecord &job, const IntakeBoxTexts &boxes, int iType);

// Write the record to job.CsvFile, replacing what is there. The job keeps
// the values the writer changed. Throws SolvaneError when the file cannot be
// written; an older file then stays whole.
void Write_CSV_Simple1(ScriptRecord &job);
void Write_CSV_Simple2(ScriptRecord &job, const IntakeBoxTexts &boxes, int iType);
