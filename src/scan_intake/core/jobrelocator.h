#pragma once

#include "relocationdisk.h"

#include <QList>
#include <QString>
#include <QStringList>

struct ScriptRecord;

// The data folder of a clinic (user): <root>/Data/<clinic>, or the data
// root itself when no clinic is named (a single-user installation).
QString Relocation_Folder(const QString &clinic);

// The match string of a model file: the second and third "_"-separated
// parts of its file name joined by "_" ("X_Y_Z_L.Lcf" gives "Y_Z"). Empty
// when the name has no "_" (the parts would give only "_"). Folder names
// play no part.
QString Relocation_Match_String(const QString &modelFile);

// The record in `folder` whose scan lines (5 and 6) name one of `scans` by
// file name, any case: the job's own record when the job does not know its
// name (a new job number was taken since it was read). Empty when none does.
QString Record_Naming_Scans(const QString &folder, const QStringList &scans);

// The job's record named for the clinic's job number: the final ".Csv" (any
// case, kept as it is) preceded by "_" and the number made safe for a file
// name ("AB0041_Ann_Lee.Csv" and "12345" give "AB0041_Ann_Lee_12345.Csv").
// A name that already ends in that number is kept.
QString Relocated_Record_Name(const QString &recordName, const QString &clinicJobNumber);

// One file the move copies into the clinic folder.
struct RelocationFile
{
    QString source; // in the job's folder
    QString target; // in the clinic folder
    qint64 size = 0; // of the source when planned
    bool targetExists = false;
};

// What a move will do, worked out before anything is asked or touched.
struct RelocationPlan
{
    enum class Stop {
        None, // the move can go ahead
        NoModelFile, // neither model file is named
        NoMatchString, // the model file's name gives no match string
        SameFolder, // the clinic folder is the job's own folder
    };
    Stop stop = Stop::None;

    QString modelFile; // the model file the match string comes from
    QString matchString;
    QString sourceFolder; // the job's folder (CurrentFolder)
    QString targetFolder; // the clinic folder

    // Every file to copy, each once: the files whose names hold the match
    // string (any case), the record the job last read or wrote when it is in
    // the job's folder, then the files the record names that are in the
    // job's folder but were not matched, with the rest of a scan line's scan
    // beside them (scan, model, texture, photo, snapshot). The move adds the
    // record a second time when it keeps it under its old name as well.
    QList<RelocationFile> files;

    int record = -1; // the job's own record in `files`, or -1
    bool recordComplete = false; // it has the lines the rewrite needs
    // The record is renamed and rewritten: it is complete and the job names
    // a scan to take the clinic's job number from.
    bool rewriteRecord = false;

    // The job's file paths (LeftScanFile, ...) that name one of `files`.
    struct Repoint
    {
        QString ScriptRecord::*member = nullptr;
        int file = -1;
    };
    QList<Repoint> repoints;
};

// Moves the job in hand from its folder (CurrentFolder) into a clinic
// folder: its files are copied, the originals deleted on request, its
// record renamed with the clinic's job number and rewritten to name the new
// folder, and the job and the main window's folder view follow it.
// GUI-free: questions go through UI(), the main window through Shell().
class JobRelocator
{
public:
    enum class Outcome {
        Moved, // the job is in the clinic folder
        NoModelFile, // "Invalid File Selection": nothing done
        NoMatchString, // "No String to Match Files was Found": nothing done
        SameFolder, // refused, the job is there already: nothing done
        Declined, // the user would not replace the clinic folder's files: nothing done
    };

    JobRelocator(ScriptRecord &job, QString targetFolder);
    JobRelocator(const JobRelocator &) = delete;
    JobRelocator &operator=(const JobRelocator &) = delete;

    // The disk the files are copied and deleted through; tests stand in for
    // it. It must outlive the relocator.
    void setDisk(RelocationDisk &disk) { m_disk = &disk; }

    // Reads the folders and the record, changes nothing. Throws SolvaneError
    // when the job's folder or the clinic folder is missing or a folder
    // stands where a file would be copied.
    RelocationPlan plan() const;

    // The whole command:
    //  - the plan, and its stops: "Invalid File Selection", the match
    //    warning, the refusal of the job's own folder;
    //  - "Do You Want to Delete the Original Files?" (only Yes deletes);
    //  - the clinic's job number from the first named scan's name (the
    //    text before its first "_"), else asked for;
    //  - one question before any file of the clinic folder is replaced;
    //  - the record copied under its new name and rewritten
    //    (Update_CSV_File), then the other copies (on No the record under
    //    its old name as well), each written beside its target, put on the
    //    disk and put in place only when it has the source's size: a failed
    //    copy stops the move with SolvaneError before anything is deleted,
    //    and the job is left as it was;
    //  - on Yes, once the copies are on the disk, each source whose copy has
    //    its size and more than 10 bytes deleted;
    //  - the job's paths to the moved files, CurrentFolder, the main
    //    window's folder view and its user list pointed at the clinic.
    Outcome relocate();

private:
    static Outcome sayStopped(const RelocationPlan &plan);
    void takeClinicJobNumber();
    static void nameRecord(RelocationPlan &plan, const QString &clinicJobNumber);
    static void keepRecordUnderOldName(RelocationPlan &plan);
    static bool mayReplace(const RelocationPlan &plan);
    void copyAll(const RelocationPlan &plan);
    void copyInto(const RelocationFile &file) const;
    QStringList deleteVerifiedSources(const RelocationPlan &plan) const;
    void sayWhatWasLeft(const RelocationPlan &plan, const QStringList &notDeleted) const;

    ScriptRecord &m_job;
    QString m_targetFolder;
    RelocationDisk m_ownDisk;
    RelocationDisk *m_disk = &m_ownDisk;
};
