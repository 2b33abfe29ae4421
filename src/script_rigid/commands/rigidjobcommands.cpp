#include "rigidjobcommands.h"

#include "jobcommandhost.h"
#include "optionform_rigid.h"
#include "rigidjobwindow.h"

#include "prompter.h"
#include "rigidgrid.h"
#include "rigidrecord.h"
#include "scriptpdfs.h"
#include "scriptrecord.h"

namespace {

// The rigid window's side of the shared job commands.
class RigidHost : public JobCommandHost
{
public:
    explicit RigidHost(RigidJobWindow &window)
        : m_window(window)
    {}

    // The grid sets the job's sizes whenever its size row changes, so the
    // test looks at the job before the grid is saved.
    QString footSize(int side) const override { return side == 0 ? Job().FootSizeL : Job().FootSizeR; }
    void saveFields() override
    {
        m_window.saveGrid();
        m_window.saveFields();
    }
    void showClientName(JobSteps::NamePart part, const QString &name) override
    {
        if (part == JobSteps::NamePart::FirstName)
            m_window.showClientFirstName(name);
        else
            m_window.showClientSurname(name);
    }
    void showPdfPath() override { m_window.showPdfPath(); }
    void showJobNumber() override { m_window.showJobNumber(); }
    void takePdfPathBack() override { Job().PdfFile = m_window.pdfPathShown(); }
    void writeRecord(ScriptRecord &job) override { Write_CSV_Rigid(job); }
    void writeDocuments(ScriptRecord &job, PdfCommand command) override { Write_Rigid_Script_PDFs(job, command); }
    bool confirmOrder() override { return !OptionForm_Rigid::Run_OptionForm_Rigid(); }
    // The work folder stays where it is; the record is shown as it was
    // saved, without the presets of a new grid.
    bool readScript(ScriptRecord &job, const QString &path) override { return Read_Csv_Rigid(job, path); }
    void showOpenedScript() override
    {
        m_window.rebuildGrid();
        m_window.loadFields();
    }
    void closeWindow() override { m_window.closeWindow(); }

private:
    RigidJobWindow &m_window;
};

} // namespace

RigidJobCommandSet::RigidJobCommandSet(JobPolicy policy, std::function<void()> endProgram)
    : m_sequence(std::move(policy), std::move(endProgram))
{}

void RigidJobCommandSet::Submit_Job(RigidJobWindow &window)
{
    RigidHost host(window);
    m_sequence.Submit_Job(host);
}

void RigidJobCommandSet::Save_Job_Locally(RigidJobWindow &window)
{
    RigidHost host(window);
    m_sequence.Save_Job_Locally(host);
}

void RigidJobCommandSet::Next_Job(RigidJobWindow &window)
{
    RigidHost host(window);
    m_sequence.Next_Job(host);
}

void RigidJobCommandSet::New_Grid(RigidJobWindow &window)
{
    Set_Default(Job());
    window.rebuildGrid();
}

void RigidJobCommandSet::Upload_To_Database(RigidJobWindow &)
{
    UI().message(QStringLiteral("Temporary Database File Information"), QString(), Prompter::Icon::None);
}

void RigidJobCommandSet::Save_Script(RigidJobWindow &window)
{
    RigidHost host(window);
    m_sequence.Save_Script(host);
}

void RigidJobCommandSet::Open_Script(RigidJobWindow &window)
{
    RigidHost host(window);
    m_sequence.Open_Script(host);
}
