#pragma once

#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Move Directory Location": moves the job in hand from the folder being
// worked in to another clinic's data folder (JobRelocator does the work).
// Opening it shows the job's folder (`Text1`), fills the clinics
// (`Combo1`, hidden for a single user) and takes the first as the target
// and as CurrentUser; picking a clinic does the same. "Relocate the
// Directory" (`Command3`) moves the job and closes the window when the job
// has moved; "Quit" (`Command1`) closes it; "Accept" (`Command2`) does
// nothing.
class VerifyForm : public QWidget
{
    Q_OBJECT
public:
    explicit VerifyForm(QWidget *parent = nullptr);

    // Fills the clinics from UserList up to the first empty name and picks
    // the first, which also sets RelocationFolder; hides the list for a
    // single user.
    void Load_Listbox();

    // The clinic picked; empty when the list is hidden.
    QString requiredClinic() const { return m_requiredClinic; }

private:
    void clinicChosen(const QString &clinic);
    void relocateDirectory();

    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QComboBox *m_combo1 = nullptr;
    QLabel *m_combo1Caption = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QPushButton *m_command3 = nullptr;
    QString m_requiredClinic;
};

// Teaches the window registry "VerifyForm", which the main window's "Tools"
// opens.
void Register_Relocation_Window();
