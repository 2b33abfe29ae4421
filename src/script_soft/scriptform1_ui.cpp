#include "scriptform1_ui.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QTabWidget>

namespace SoftForm {

ButtonRow ButtonRow::build(QBoxLayout *row)
{
    ButtonRow buttons;
    auto column = [&](QPushButton *top, QPushButton *bottom) {
        auto *v = new QVBoxLayout;
        v->addWidget(top);
        v->addWidget(bottom);
        row->addLayout(v);
    };
    buttons.quit = commandButton(QStringLiteral("Command1"), QStringLiteral("QUIT"));
    buttons.quit->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    row->addWidget(buttons.quit);
    buttons.openScript = commandButton(QStringLiteral("Command9"), QStringLiteral("Open Script"));
    buttons.saveScript = commandButton(QStringLiteral("Command8"), QStringLiteral("Save Script"));
    column(buttons.openScript, buttons.saveScript);
    buttons.writeJson = commandButton(QStringLiteral("Command7"), QStringLiteral("Write JSON File"));
    buttons.writeJson->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    row->addWidget(buttons.writeJson);
    buttons.submit = commandButton(QStringLiteral("Command2"), QStringLiteral("Submit Job to Laboratory"));
    buttons.saveLocally = commandButton(QStringLiteral("Command3"), QStringLiteral("Save Job Locally"));
    column(buttons.submit, buttons.saveLocally);
    buttons.nextJob = commandButton(QStringLiteral("Command4"), QStringLiteral("Next Job"));
    buttons.nextJob->hide();
    row->addWidget(buttons.nextJob);
    row->addStretch(1);
    return buttons;
}

void ScriptForm1Ui::setupUi(QWidget *form)
{
    auto *outer = new QVBoxLayout(form);
    tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("SSTab1"));
    outer->addWidget(tabs, 1);

    const QStringList tabNames = {QStringLiteral("Job Data"), QStringLiteral("Foot Data"),
                                  QStringLiteral("Orthotic Data"), QStringLiteral("Graphics")};
    std::array<QWidget *, 4> pages{};
    for (int i = 0; i < 4; ++i) {
        pages[i] = new QWidget;
        pages[i]->setObjectName(QStringLiteral("SSTab1_Tab%1").arg(i));
        tabs->addTab(pages[i], tabNames[i]);
    }
    jobData = JobDataTab::build(pages[0]);
    footData = FootDataTab::build(pages[1]);
    orthoticData = OrthoticDataTab::build(pages[2]);
    graphics = DrawingPaneTab::build(pages[3],
                                     {DrawingPaneTab::Window::Soft, QStringLiteral("Vecad1"), QStringLiteral("Label")});

    auto *row = new QHBoxLayout;
    outer->addLayout(row);
    buttons = ButtonRow::build(row);

    // The window is kept with "Foot Data" current; the load's switch to
    // "Job Data" is then a tab change like any other.
    tabs->setCurrentIndex(1);
}

} // namespace SoftForm
