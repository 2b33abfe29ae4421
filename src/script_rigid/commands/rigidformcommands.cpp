#include "rigidformcommands.h"

#include "rigidhooks.h"
#include "rigidjobcommands.h"
#include "rigidjobwindow.h"
#include "scriptform2.h"

namespace {

// The rigid window's face for its job buttons.
class FormWindow : public RigidJobWindow
{
public:
    explicit FormWindow(ScriptForm2 &form)
        : m_form(form)
    {}

    void saveGrid() override { m_form.Save_Grid(); }
    void saveFields() override { m_form.Save_Data_Rigid(); }
    void loadFields() override { m_form.Load_Data_2(); }
    void rebuildGrid() override
    {
        m_form.Rebuild_Grid();
        m_form.ClickedRow = m_form.ClickedColumn = 1;
    }
    void showClientFirstName(const QString &name) override { m_form.showClientFirstName(name); }
    void showClientSurname(const QString &name) override { m_form.showClientSurname(name); }
    void showPdfPath() override { m_form.showPdfPath(); }
    QString pdfPathShown() const override { return m_form.pdfPathShown(); }
    void showJobNumber() override { m_form.showJobNumber(); }
    void closeWindow() override { m_form.close(); }

private:
    ScriptForm2 &m_form;
};

// The window's buttons call the command set through its face.
class FormCommands : public RigidJobCommands
{
public:
    explicit FormCommands(std::shared_ptr<RigidJobCommandSet> commands)
        : m_commands(std::move(commands))
    {}

    void Submit_Job(ScriptForm2 &form) override { run(form, &RigidJobCommandSet::Submit_Job); }
    void Save_Job_Locally(ScriptForm2 &form) override { run(form, &RigidJobCommandSet::Save_Job_Locally); }
    void Next_Job(ScriptForm2 &form) override { run(form, &RigidJobCommandSet::Next_Job); }
    void New_Grid(ScriptForm2 &form) override { run(form, &RigidJobCommandSet::New_Grid); }
    void Upload_To_Database(ScriptForm2 &form) override { run(form, &RigidJobCommandSet::Upload_To_Database); }
    void Save_Script(ScriptForm2 &form) override { run(form, &RigidJobCommandSet::Save_Script); }
    void Open_Script(ScriptForm2 &form) override { run(form, &RigidJobCommandSet::Open_Script); }

private:
    void run(ScriptForm2 &form, void (RigidJobCommandSet::*command)(RigidJobWindow &))
    {
        FormWindow window(form);
        ((*m_commands).*command)(window);
    }

    std::shared_ptr<RigidJobCommandSet> m_commands;
};

} // namespace

void Install_Rigid_Job_Commands(std::shared_ptr<RigidJobCommandSet> commands)
{
    Set_Rigid_Job_Commands(std::make_shared<FormCommands>(std::move(commands)));
}

void Install_Rigid_Job_Commands()
{
    Install_Rigid_Job_Commands(std::make_shared<RigidJobCommandSet>());
}
