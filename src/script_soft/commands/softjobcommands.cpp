#include "softjobcommands.h"

#include "jobcommandhost.h"

#include "csveva.h"
#include "jsoncommand.h"
#include "optionform.h"
#include "optiontablepdf.h"
#include "scriptform1.h"
#include "scriptpdfs.h"
#include "scriptrecord.h"

namespace {

// The scan position signs as the prescription page prints them.
ScanPositionOptions scanPositionsOf(const ScriptForm1 &form)
{
    const ScanPositionSigns signs = form.scanPositionSigns();
    ScanPositionOptions options;
    options.leftE = signs.external[0];
    options.leftI = signs.internal[0];
    options.rightE = signs.external[1];
    options.rightI = signs.internal[1];
    return options;
}

// The soft window's side of the job commands.
class SoftHost : public JobCommandHost
{
public:
    explicit SoftHost(ScriptForm1 &form)
        : m_form(form)
    {}

    QString footSize(int side) const override { return m_form.footSize(side); }
    void saveFields() override { m_form.Save_Data(); }
    void showClientName(JobSteps::NamePart part, const QString &name) override
    {
        if (part == JobSteps::NamePart::FirstName)
            m_form.showClientFirstName(name);
        else
            m_form.showClientSurname(name);
    }
    void showPdfPath() override { m_form.showPdfPath(); }
    void showJobNumber() override { m_form.showJobNumber(); }
    void writeRecord(ScriptRecord &job) override { Write_CSV_EVA(job); }
    void writeDocuments(ScriptRecord &job, PdfCommand command) override
    {
        Write_EVA_Script_PDFs(job, command, scanPositionsOf(m_form));
    }
    bool confirmOrder() override { return !OptionForm::Run_OptionForm(); }
    // The soft window makes the record's folder the work folder.
    bool readScript(ScriptRecord &job, const QString &) override
    {
        Read_CSV_EVA(job);
        job.CurrentFolder = JobSteps::Folder_Of(job.CsvFile);
        return true;
    }
    void showOpenedScript() override { m_form.Load_Data_2(); }
    void closeWindow() override { m_form.close(); }

private:
    ScriptForm1 &m_form;
};

} // namespace

SoftJobCommandSet::SoftJobCommandSet(JobPolicy policy, std::function<void()> endProgram)
    : m_sequence(std::move(policy), std::move(endProgram))
{}

void SoftJobCommandSet::Submit_Job(ScriptForm1 &form)
{
    SoftHost host(form);
    m_sequence.Submit_Job(host);
}

void SoftJobCommandSet::Save_Job_Locally(ScriptForm1 &form)
{
    SoftHost host(form);
    m_sequence.Save_Job_Locally(host);
}

void SoftJobCommandSet::Next_Job(ScriptForm1 &form)
{
    SoftHost host(form);
    m_sequence.Next_Job(host);
}

void SoftJobCommandSet::Save_Script(ScriptForm1 &form)
{
    SoftHost host(form);
    m_sequence.Save_Script(host);
}

void SoftJobCommandSet::Open_Script(ScriptForm1 &form)
{
    SoftHost host(form);
    m_sequence.Open_Script(host);
}

void SoftJobCommandSet::Write_JSON_File(ScriptForm1 &)
{
    ::Write_JSON_File();
}

void SoftJobCommandSet::Print_Option_Table(ScriptForm1 &)
{
    ::Print_Option_Table();
}

void Install_Soft_Job_Commands()
{
    Set_Soft_Job_Commands(std::make_shared<SoftJobCommandSet>());
}
