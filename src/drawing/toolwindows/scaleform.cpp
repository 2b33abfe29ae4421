#include "scaleform.h"

#include "calculatescale.h"
#include "drawinghost.h"
#include "graphicform.h"
#include "numbers.h"
#include "programhooks.h"
#include "prompter.h"
#include "scriptrecord.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

std::function<void(int, const QString &)> &softSizeHook()
{
    static std::function<void(int, const QString &)> hook;
    return hook;
}

QGroupBox *frame(QWidget *parent, QVBoxLayout *layout, const char *caption, QWidget *inside)
{
    auto *box = new QGroupBox(QString::fromLatin1(caption), parent);
    auto *boxLayout = new QHBoxLayout(box);
    inside->setParent(box);
    boxLayout->addWidget(inside);
    layout->addWidget(box);
    if (inside->accessibleName().isEmpty())
        inside->setAccessibleName(box->title());
    return box;
}

QPushButton *button(const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromLatin1(caption));
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(b->text());
    return b;
}

QLineEdit *textBox(const char *name)
{
    auto *box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

void Set_Soft_Size_List_Hook(std::function<void(int side, const QString &size)> hook)
{
    softSizeHook() = std::move(hook);
}

bool Soft_Size_List_Hook_Installed()
{
    return bool(softSizeHook());
}

ScaleForm::ScaleForm(TargetRole role, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_role(role)
{
    setWindowTitle(QStringLiteral("Calculate Scale"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *layout = new QVBoxLayout(this);
    m_footSize = textBox("Text2");
    frame(this, layout, "1. Foot Size", m_footSize);
    QPushButton *draw = button("Command5", "Draw a Reference Line");
    frame(this, layout, "2. Reference Line", draw);
    m_distance = textBox("Text1");
    frame(this, layout, "3. Actual Distance (mm)", m_distance);
    QPushButton *set = button("Command3", "Set Scale");
    frame(this, layout, "4. Set Scale", set);
    QPushButton *quit = button("Command4", "Quit");
    layout->addWidget(quit);
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    m_panel = new QLabel(bar);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    bar->addWidget(m_panel, 1);
    layout->addWidget(bar);

    connect(draw, &QPushButton::clicked, this, &ScaleForm::Command5_Click);
    connect(set, &QPushButton::clicked, this, &ScaleForm::Command3_Click);
    connect(quit, &QPushButton::clicked, this, &ScaleForm::Command4_Click);

    // The load.
    const ScriptRecord &job = Job();
    const bool left = job.CurrentFoot == QLatin1String("Left");
    const bool right = job.CurrentFoot == QLatin1String("Right");
    const QString size = left ? job.FootSizeL : right ? job.FootSizeR : QStringLiteral("0.0");
    if (role == TargetRole::GraphicScreen) {
        m_distance->setText(QStringLiteral("100.0"));
        connect(m_footSize, &QLineEdit::textChanged, this, &ScaleForm::Text2_Change);
    } else {
        // The pane proposes the foot's own length; the size is only shown.
        m_distance->setText(left    ? num::format0_0(job.FootLengthL)
                            : right ? num::format0_0(job.FootLengthR)
                                    : QStringLiteral("100.0"));
        m_footSize->setReadOnly(true);
    }
    m_footSize->setText(size);
    ShowStatus(QStringLiteral("Ready"));
}

void ScaleForm::ShowStatus(const QString &StrTxt)
{
    if (m_role == TargetRole::GraphicScreen) {
        m_panel->setText(StrTxt);
        m_panel->repaint();
    } else if (const DrawingTarget target = Find_Drawing_Target(m_role)) {
        target.host->showMessage(StrTxt);
    }
}

void ScaleForm::Text2_Change()
{
    ScriptRecord &job = Job();
    int side = -1;
    if (job.CurrentFoot == QLatin1String("Left")) {
        job.FootSizeL = m_footSize->text();
        side = 0;
    } else if (job.CurrentFoot == QLatin1String("Right")) {
        job.FootSizeR = m_footSize->text();
        side = 1;
    }
    if (side >= 0) {
        if (auto *graphic = qobject_cast<GraphicForm *>(Windows().loaded(QStringLiteral("GraphicForm"))))
            graphic->ShowStatusF(QStringLiteral("Size: ") + m_footSize->text());
        Require_Hook(Soft_Size_List_Hook_Installed(), QStringLiteral("the soft window's size list hook"));
        softSizeHook()(side, m_footSize->text());
    }
    ShowStatus(QStringLiteral("Ready"));
}

void ScaleForm::Command5_Click()
{
    const DrawingTarget target = Find_Drawing_Target(m_role);
    if (!target) {
        Say_Target_Not_Open(m_role);
        return;
    }
    Run_Command([&] {
        ShowStatus(QStringLiteral("Draw a Reference Line"));
        Start_Reference_Line(*target.host);
        ReferenceLineFlag = true;
    });
}

void ScaleForm::Command3_Click()
{
    const DrawingTarget target = Find_Drawing_Target(m_role);
    if (!target) {
        Say_Target_Not_Open(m_role);
        return;
    }
    ScaleOutcome outcome = ScaleOutcome::NoLine;
    Run_Command([&] { outcome = Set_Drawing_Scale(*target.host, ReferenceLineFlag, m_distance->text()); });
    if (outcome == ScaleOutcome::Scaled)
        close();
}

void ScaleForm::Command4_Click()
{
    if (const DrawingTarget target = Find_Drawing_Target(m_role))
        Run_Command([&] { Quit_Scale(*target.host); });
    close();
}

void Register_Scale_Forms()
{
    Register_Target_Twins<ScaleForm>(QStringLiteral("ScaleForm"), QStringLiteral("ScaleForm2"));
}
