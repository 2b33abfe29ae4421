#include "vecoption.h"

#include "insolepane.h"

#include "formparts.h"
#include "scriptrecord.h"
#include "windowregistry.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QRadioButton>

namespace {
const char *const kSides[3] = {"BOTH", "LEFT", "RIGHT"};
}

VecOption::VecOption(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("VecOption"));
    setWindowTitle(QStringLiteral("Graphic Selection"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < 3; ++i) {
        const QString side = QString::fromLatin1(kSides[i]);
        m_options[std::size_t(i)] = new QRadioButton(side, this);
        m_options[std::size_t(i)]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        m_options[std::size_t(i)]->setAccessibleName(side);
        m_options[std::size_t(i)]->setChecked(Job().GraphicSelection == side);
        layout->addWidget(m_options[std::size_t(i)]);
    }
    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    QPushButton *accept = FormParts::commandButton(QStringLiteral("Command1"), QStringLiteral("Accept"));
    QPushButton *quit = FormParts::commandButton(QStringLiteral("Command2"), QStringLiteral("Quit"));
    buttons->addWidget(accept);
    buttons->addWidget(quit);
    connect(accept, &QPushButton::clicked, this, &VecOption::Accept);
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
}

void VecOption::Accept()
{
    for (int i = 0; i < 3; ++i) {
        if (m_options[std::size_t(i)]->isChecked()) {
            Job().GraphicSelection = QString::fromLatin1(kSides[i]);
            break;
        }
    }
    close();
}

void Register_Insole_Pane_Windows()
{
    Windows().registerFactory(QStringLiteral("VecOption"), []() -> QWidget * { return new VecOption; });
}
