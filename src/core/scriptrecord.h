#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The one job being prepared, and the shell's own state around it. Members
// keep the names the clinic's records and documents use, so a reader can
// find each field in both. Procedures that only compute take a
// `ScriptRecord&` so that tests can build their own; the program reaches its
// single instance through Job().
struct ScriptRecord
{
    // Job identity and users.
    QString OperatorCode;
    QString ScannerId;
    int JobCounter = 0;
    QString JobCounterText; // raw line 3 of the configuration file until converted
    // JobCounter is the one "Solvane.Cfg" holds (read, made or written back).
    // False after the file could not be read or made: a job numbered from
    // the defaults might take a number already given, and is not sent.
    bool JobCounterFromConfig = true;
    QString JobNumber;
    QString ReprocessedFromJob;
    QString ClinicJobNumber;
    QString CurrentUser;
    QString UserList;

    // Client and prescriber.
    QString ClientFirstName;
    QString ClientSurname;
    QString Gender;
    QString PodiatristName;
    QString ClinicName;
    QString DispenseDate;
    QString DispenseDateNote;

    // Ticks the records and document heads need; the windows keep them in sync.
    bool PriorityReturn = false;
    bool ConfirmBeforeManufacture = false;
    bool SendConfirmationEmail = false;

    // Folders. DataFolder and ArchiveFolder keep their trailing separator;
    // CurrentFolder has none.
    QString DataFolder;
    QString CurrentFolder;
    QString ArchiveFolder;
    QString NasFolder;
    QString ScanDestFolder;

    // Job files; "None" marks an absent file.
    QString LeftScanFileName, RightScanFileName;
    QString LeftSelectedScanFile, RightSelectedScanFile;
    QString LeftScanFile, RightScanFile;
    QString LeftLcfFile, RightLcfFile;
    QString LeftGraphicFile, RightGraphicFile;
    QString JobImageFile;
    QString CsvFile;
    QString PdfFile;
    QString FullPdfFile;
    QString PreparedCsvFile;
    QString BrowserPage;

    // Mode and hand-over flags.
    bool CastModeFlag = false;
    bool DeleteWorkingFilesFlag = false;
    bool NasModeFlag = false;
    bool PreparedCsvFlag = false;
    bool EvaScriptFlag = false;
    bool StlScanFlagL = false, StlScanFlagR = false;
    bool ObjScanFlagL = false, ObjScanFlagR = false;
    bool ScannedFlagL = false, ScannedFlagR = false;
    bool OptionQuitFlag = false;
    bool ListsLoadingFlag = false;
    bool DrawingLayersFlag = false;
    bool GraphicsTabFlag = false;
    bool BrennickFlag = false; // the "[VRML].Jpg" photo of the last loaded foot was found

    // Foot size and lengths.
    QString FootSizeL, FootSizeR;
    double TemplateLengthL = 0, TemplateLengthR = 0;
    double FootLengthL = 0, FootLengthR = 0;
    QString TemplateCodeL, TemplateCodeR;

    // Soft prescription values.
    double ThicknessL = 0, ThicknessR = 0;
    double SkiveDistanceL = 0, SkiveDistanceR = 0;
    QString SkiveAngleL, SkiveAngleR;
    double InversionRampL = 0, InversionRampR = 0;
    double EversionRampL = 0, EversionRampR = 0;
    double ArchFillL = 0, ArchFillR = 0;
    double LateralArchFillL = 0, LateralArchFillR = 0;
    double ArchHeightL = 0, ArchHeightR = 0;
    double HeelLiftL = 0, HeelLiftR = 0;
    double HeelCupL = 0, HeelCupR = 0;
    double RearFootPostingL = 0, RearFootPostingR = 0;
    double RearFootPostingLateralL = 0, RearFootPostingLateralR = 0;
    QString MetaWedgeL, MetaWedgeR;
    QString MetDomeL, MetDomeR;
    QString MetPadL, MetPadR;
    QString PfaL, PfaR;
    QString ScanPositionL, ScanPositionR;
    QString ScanDateL, ScanDateR;
    QString ScanTimeL, ScanTimeR;
    QString OrthoticStyleL, OrthoticStyleR;
    QString EvaDensityL, EvaDensityR;
    QString TopCoverL, TopCoverR;
    QString InsoleOptionsL, InsoleOptionsR;
    QString ForefootVarusL, ForefootVarusR;
    QString ForefootValgusL, ForefootValgusR;
    QString VarusLengthL, VarusLengthR;
    QString ExtraHeelDepthL, ExtraHeelDepthR;
    double ForefootElevationL = 0, ForefootElevationR = 0;
    QString HeelWidthL, HeelWidthR;
    QString MidfootWidthL, MidfootWidthR;
    QString ForefootWidthL, ForefootWidthR;
    double InsertHeightL = 0, InsertHeightR = 0;
    double InsertLengthL = 0, InsertLengthR = 0;
    QString HeelDotLengthL, HeelDotLengthR;
    QString Notes;

    // Size chart: row i is (SizeChartSizes[i], SizeChartLengths[i]).
    int SizeChartCount = 0;
    QVector<double> SizeChartSizes;
    QVector<double> SizeChartLengths;

    // Option tables, filled when the window that owns them loads its table.
    QStringList OrthoticStyleTable, EvaDensityTable, TopCoverTable, InsoleOptionTable;
    int OrthoticStyleTableCount = 0, EvaDensityTableCount = 0, TopCoverTableCount = 0, InsoleOptionTableCount = 0;
    bool TablesLoadedFlag = false;
    QStringList ShellStyleTable, ShellMaterialTable, RigidTopCoverTable, RigidInsoleOptionTable;
    int ShellStyleTableCount = 0, ShellMaterialTableCount = 0, RigidTopCoverTableCount = 0,
        RigidInsoleOptionTableCount = 0;
    bool RigidTablesLoadedFlag = false;

    // Rigid prescription values (a new job leaves them as they are).
    QString ShellStyleL, ShellStyleR;
    QString ShellMaterialL, ShellMaterialR;
    QString ShellLengthL, ShellLengthR;
    QString PeakArchHeightL, PeakArchHeightR;
    QString HeelCupMedialL, HeelCupMedialR;
    QString HeelCupLateralL, HeelCupLateralR;
    QString ArchHeightMedialL, ArchHeightMedialR;
    QString ArchHeightLateralL, ArchHeightLateralR;
    QString TopCoverBaseL, TopCoverBaseR;
    QString ArchExpansionL, ArchExpansionR;
    QString HeelExpansionL, HeelExpansionR;
    QString PfaShapeL, PfaShapeR;
    QString HeelPostWidthL, HeelPostWidthR;
    QString ForefootPostWidthL, ForefootPostWidthR;
    QString AdditionalForefootPaddingL, AdditionalForefootPaddingR;
    QString AdditionalHeelPaddingL, AdditionalHeelPaddingR;
    double MedialFlangeL = 0, MedialFlangeR = 0;
    double LateralFlangeL = 0, LateralFlangeR = 0;
    double SpecificHeelWidthL = 0, SpecificHeelWidthR = 0;
    double MedialHeelHeightL = 0, MedialHeelHeightR = 0;
    double LateralHeelHeightL = 0, LateralHeelHeightR = 0;
    double CuboidNotchL = 0, CuboidNotchR = 0;
    double FirstRayNotchL = 0, FirstRayNotchR = 0;
    double FifthRayNotchL = 0, FifthRayNotchR = 0;
    double NavicularNotchL = 0, NavicularNotchR = 0;
    double StyloidNotchL = 0, StyloidNotchR = 0;
    double CuboidShellL = 0, CuboidShellR = 0;
    double FirstRayShellL = 0, FirstRayShellR = 0;
    double FifthRayShellL = 0, FifthRayShellR = 0;
    double NavicularShellL = 0, NavicularShellR = 0;
    double StyloidShellL = 0, StyloidShellR = 0;
    double RearPostLengthL = 0, RearPostLengthR = 0;
    double HeelPostDistanceL = 0, HeelPostDistanceR = 0;
    double HeelPostMedialLengthL = 0, HeelPostMedialLengthR = 0;
    double HeelPostLateralLengthL = 0, HeelPostLateralLengthR = 0;
    double ForefootPostDistanceL = 0, ForefootPostDistanceR = 0;
    double FootPostMedialLengthL = 0, FootPostMedialLengthR = 0;
    double FootPostLateralLengthL = 0, FootPostLateralLengthR = 0;
    double HeelApertureL = 0, HeelApertureR = 0;
    double EvaMortonExtensionL = 0, EvaMortonExtensionR = 0;
    double ReverseMortonExtensionL = 0, ReverseMortonExtensionR = 0;
    double ForefootValgusWedgeL = 0, ForefootValgusWedgeR = 0;
    double ForefootVarusWedgeL = 0, ForefootVarusWedgeR = 0;
    double LateralBorderPostL = 0, LateralBorderPostR = 0;
    double PptCuboidNotchL = 0, PptCuboidNotchR = 0;
    double InversionAngleL = 0, InversionAngleR = 0;
    double EversionAngleL = 0, EversionAngleR = 0;
    double SagittalAngleL = 0, SagittalAngleR = 0;
    double HeelPostRotationL = 0, HeelPostRotationR = 0;
    bool HeelPostLateralL = false, HeelPostLateralR = false;
    bool ForefootPostLateralL = false, ForefootPostLateralR = false;
    bool TaperAngleL = false, TaperAngleR = false;
    bool EvaArchFillL = false, EvaArchFillR = false;
    bool ContouredArchFillL = false, ContouredArchFillR = false;
    bool FlatArchFillL = false, FlatArchFillR = false;

    // View, drawing and scanner state shared across windows.
    QString CurrentFoot; // "Left", "Right" or empty
    QString GraphicSelection; // "LEFT", "RIGHT", "BOTH" or empty
    QString CurrentImageFile;
    QString ScannerProgram;
    QString ScannerDataFolder;
    QString ScanBaseName;
    QString ScanWrlName;
    QString ScannerArguments;
    QString RelocationFolder;
};

// The program's single job state.
ScriptRecord &Job();
