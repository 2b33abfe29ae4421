#include "gridform.h"

#include "footview.h"
#include "footviewinterface.h"
#include "footviewport.h"
#include "footviewshared.h"
#include "windowregistry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

QString Grid_Window_Name(FootSide side)
{
    return side == FootSide::Left ? QStringLiteral("GridForm1") : QStringLiteral("GridForm2");
}

void Register_Grid_Windows()
{
    for (FootSide side : {FootSide::Left, FootSide::Right}) {
        if (!Windows().hasFactory(Grid_Window_Name(side)))
            Windows().registerFactory(Grid_Window_Name(side), [side] { return new GridForm(side); });
    }
}

GridForm::GridForm(FootSide side, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_side(side)
{
    setObjectName(Grid_Window_Name(side));
    setWindowTitle(QStringLiteral("Change Grid"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto make = [this](QWidget *holder, const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, holder);
        b->setObjectName(name);
        b->setAccessibleName(caption);
        return b;
    };
    auto mover = [this, make](QWidget *holder, const QString &name, const QString &caption, mesh::GridButton what) {
        QPushButton *b = make(holder, name, caption);
        connect(b, &QPushButton::clicked, this, [this, what] { press(what); });
        return b;
    };

    auto *stepFrame = new QGroupBox(QStringLiteral("Step"), this);
    auto *stepColumn = new QVBoxLayout(stepFrame);
    const std::pair<const char *, int> steps[] = {
        {"Command10", 20}, {"Command11", 10}, {"Command12", 5}, {"Command13", 1}};
    for (const auto &[name, value] : steps) {
        QPushButton *b = make(stepFrame, QString::fromLatin1(name), QString::number(value));
        connect(b, &QPushButton::clicked, this, [this, value] { m_state.chooseStep(value); });
        stepColumn->addWidget(b);
    }

    // A cross of Up, Left, Right and Down, with In above Out beside it.
    auto *moveFrame = new QGroupBox(QStringLiteral("Move"), this);
    auto *cross = new QGridLayout(moveFrame);
    cross->addWidget(mover(moveFrame, QStringLiteral("Command3"), QStringLiteral("Up"), mesh::GridButton::MoveUp), 0,
                     1);
    cross->addWidget(mover(moveFrame, QStringLiteral("Command1"), QStringLiteral("Left"), mesh::GridButton::MoveLeft),
                     1, 0);
    cross->addWidget(mover(moveFrame, QStringLiteral("Command2"), QStringLiteral("Right"), mesh::GridButton::MoveRight),
                     1, 2);
    cross->addWidget(mover(moveFrame, QStringLiteral("Command4"), QStringLiteral("Down"), mesh::GridButton::MoveDown),
                     2, 1);
    cross->addWidget(mover(moveFrame, QStringLiteral("Command5"), QStringLiteral("In"), mesh::GridButton::MoveIn), 0,
                     3);
    cross->addWidget(mover(moveFrame, QStringLiteral("Command6"), QStringLiteral("Out"), mesh::GridButton::MoveOut), 1,
                     3);

    auto *rotateFrame = new QGroupBox(QStringLiteral("Rotate"), this);
    auto *turns = new QHBoxLayout(rotateFrame);
    turns->addWidget(
        mover(rotateFrame, QStringLiteral("Command9"), QStringLiteral("Left"), mesh::GridButton::TurnLeft));
    turns->addWidget(
        mover(rotateFrame, QStringLiteral("Command8"), QStringLiteral("Right"), mesh::GridButton::TurnRight));

    QPushButton *close = make(this, QStringLiteral("Command7"), QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QGridLayout(this);
    layout->addWidget(stepFrame, 0, 0, 3, 1);
    layout->addWidget(moveFrame, 0, 1);
    layout->addWidget(rotateFrame, 1, 1);
    layout->addWidget(close, 2, 1, Qt::AlignRight | Qt::AlignBottom);

    // Load: the grid shows; the step starts at 20.
    Foot_View(side).Grid_On();
}

void GridForm::press(mesh::GridButton button)
{
    // The window belongs to its view: a view that has closed takes its grid
    // window with it, so the view is always loaded here.
    FootView *view = Loaded_Foot_View(m_side);
    if (!view)
        return;
    m_state.press(button, view->viewport()->grid(), Grid_Plane());
    view->Redraw();
}
