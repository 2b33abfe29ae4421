#pragma once

#include "intakevariants.h"
#include "pellmarmeasurements.h"
#include "pickupview.h"
#include "rurupickup.h"
#include "scannersettings.h"

#include <QWidget>

#include <array>
#include <vector>

class FirstKeyClears;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// One scan intake window: the client, the job number, the podiatrist and
// clinic, the gender, both foot sizes and four pairs of measurements, and
// the scanner's buttons. The six windows are this class with the rows of
// Intake_Variants(); controls keep their historic names as objectNames
// (Text4_0 is the left "Forefoot Varus" box, Combo1_1 the right size list)
// and their captions as accessible names. Creating it runs its load.
class IntakeForm : public QWidget, public PickupWindow
{
    Q_OBJECT
public:
    explicit IntakeForm(const IntakeVariant &variant, QWidget *parent = nullptr);

    const IntakeVariant &variant() const { return m_variant; }

    // Fill the podiatrist (Combo2) or clinic list (Combo3) from its file and
    // choose the first entry, which the job takes; returns that entry.
    QString Read_Podiatrists();
    QString Read_Clinics();

    // A size picked in a list: in the scanner windows the left pick selects
    // the same entry on the right.
    void Combo1_Click(int side);

    // The Ruru-Zirorur pick-up of the scan just taken (see Pick_Up_Ruru_Scan).
    PickUpOutcome Process_Left_Scan(bool scannerStopped = false);
    PickUpOutcome Process_Right_Scan(bool scannerStopped = false);

    // The eight measurement boxes as typed.
    PellmarMeasurements measurements() const;

    // The first panel of the status bar (LSR and Pellmar windows); empty
    // where the window has none.
    QString statusText() const;

    // PickupWindow: the LSR and Pellmar pick-ups' status texts (the status
    // bar's first panel, painted at once), scan names and focus.
    void ShowStatus(const QString &text) override;
    void Show_Scan_Names(const QString &left, const QString &right) override;
    void Take_Focus() override;

    // The scanner values this window loaded.
    const ScannerSettings &scannerSettings() const { return m_scanner; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    void connectBehaviour();
    void applyTabOrder();
    void Form_Load();

    void runAction(const IntakeButton &button);
    void scanRuruFoot(int side);
    void scanWithSoftware();
    // The LSR and Pellmar scans (see LsrPickup, PellmarPickup).
    void scanLsrFeet();
    void scanPellmarFoot(ScanSide side);
    // The last button: this window's fields into the job, its record and
    // the hand-over (see Run_Prepare_Script).
    void prepareScript();
    void Get_Next_Job();
    void Text8_DblClick();
    void nameCheck(QLineEdit *box, bool surname);
    void buildScanNames();

    const IntakeVariant &m_variant;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QLineEdit *m_text8 = nullptr;
    QLineEdit *m_text9 = nullptr;
    QLineEdit *m_text10 = nullptr;
    std::array<QComboBox *, 2> m_combo1{};
    QComboBox *m_combo2 = nullptr;
    QComboBox *m_combo3 = nullptr;
    std::vector<std::array<QLineEdit *, 2>> m_measurements; // rows of Measurement_Rows()
    QPushButton *m_command2 = nullptr; // "Close"
    QPushButton *m_command3 = nullptr; // "Get Next Job"
    QLabel *m_statusPanel = nullptr;
    FirstKeyClears *m_firstKeys = nullptr;
    ScannerSettings m_scanner;
    bool m_checkingName = false;
};

// Teaches the window registry ScanForm to ScanForm6, which the main window's
// "Scanner" items open, and lets the rigid prescription read the Pellmar
// rigid window's measurements while that window is loaded.
void Register_Intake_Windows();
