#include "trimpanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The panel's stored layout is in twips; the screen has 15 to a pixel.
constexpr int px(int twips)
{
    return twips / 15;
}
} // namespace

TrimPanel::TrimPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Trim"), parent)
{
    setObjectName(QStringLiteral("Frame2"));
    setAutoFillBackground(true);
    resize(px(3375), px(1455));

    auto step = [this](const QString &name, const QString &caption, int top, int button) {
        connect(this->button(name, caption, 1920, top, 495, 255), &QPushButton::clicked, this, [this, button] {
            if (m_steps)
                m_steps->choose(button);
        });
    };
    auto move = [this](const QString &name, const QString &caption, int left, int top, int width,
                       void (mesh::TrimPlaneState::*change)(const mesh::TrimSteps &)) {
        // Only the moves write the height box; the tilts leave it as it is.
        const bool height = caption == QLatin1String("Up") || caption == QLatin1String("Down");
        connect(button(name, caption, left, top, width, 255), &QPushButton::clicked, this, [this, change, height] {
            if (!m_steps)
                return;
            (m_plane.*change)(*m_steps);
            if (height)
                m_height->setText(heightText());
            emit planeChanged();
        });
    };
    move(QStringLiteral("Command12"), QStringLiteral("Up"), 120, 240, 855, &mesh::TrimPlaneState::up);
    move(QStringLiteral("Command15"), QStringLiteral("Down"), 120, 720, 855, &mesh::TrimPlaneState::down);
    move(QStringLiteral("Command16"), QStringLiteral("N"), 1200, 240, 495, &mesh::TrimPlaneState::north);
    move(QStringLiteral("Command18"), QStringLiteral("W"), 960, 480, 495, &mesh::TrimPlaneState::west);
    move(QStringLiteral("Command19"), QStringLiteral("E"), 1440, 480, 495, &mesh::TrimPlaneState::east);
    move(QStringLiteral("Command17"), QStringLiteral("S"), 1200, 720, 495, &mesh::TrimPlaneState::south);
    step(QStringLiteral("Command2"), QStringLiteral("20"), 240, 20);
    step(QStringLiteral("Command3"), QStringLiteral("10"), 480, 10);
    step(QStringLiteral("Command4"), QStringLiteral("5"), 720, 5);
    step(QStringLiteral("Command5"), QStringLiteral("1"), 960, 1);

    // The height box only shows the height; what is typed in it is not read.
    m_height = new QLineEdit(this);
    m_height->setObjectName(QStringLiteral("Text5"));
    m_height->setAccessibleName(QStringLiteral("Height"));
    m_height->setAlignment(Qt::AlignCenter);
    m_height->setStyleSheet(QStringLiteral("background-color: rgb(255, 224, 192);"));
    m_height->setGeometry(px(120), px(480), px(855), px(270));

    m_cutAbove = new QCheckBox(QStringLiteral("Cut Above"), this);
    m_cutAbove->setObjectName(QStringLiteral("Check1"));
    m_cutAbove->setGeometry(px(360), px(1080), px(1215), px(255));

    connect(button(QStringLiteral("Command13"), QStringLiteral("Trim"), 2400, 240, 735, 495), &QPushButton::clicked,
            this, &TrimPanel::trimRequested);
    connect(button(QStringLiteral("Command14"), QStringLiteral("Close"), 2400, 720, 735, 495), &QPushButton::clicked,
            this, &TrimPanel::closeRequested);
    hide();
}

QPushButton *TrimPanel::button(const QString &name, const QString &caption, int left, int top, int width, int height)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    b->setGeometry(px(left), px(top), px(width), px(height));
    return b;
}

void TrimPanel::openWith(mesh::TrimSteps &steps)
{
    m_steps = &steps;
    m_plane.init(steps);
    m_cutAbove->setChecked(false);
    m_height->setText(heightText());
}

bool TrimPanel::cutAbove() const
{
    return m_cutAbove->isChecked();
}

QString TrimPanel::heightText() const
{
    return QString::fromStdString(m_plane.heightText());
}

void TrimPanel::finish()
{
    hide();
    m_cutAbove->setChecked(false);
}
