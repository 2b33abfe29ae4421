#include "depthform.h"

#include "windowregistry.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QString DepthForm::HeelDepthSide;

DepthForm::DepthForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DepthForm"));
    setWindowTitle(QStringLiteral("Extra Heel Depth"));
    auto *layout = new QVBoxLayout(this);
    const QStringList captions = {QStringLiteral("Lateral"), QStringLiteral("Medial"), QStringLiteral("Both")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *option = new QRadioButton(captions[i]);
        option->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        option->setAccessibleName(captions[i]);
        layout->addWidget(option);
    }
    auto *close = new QPushButton(QStringLiteral("CLOSE"));
    close->setObjectName(QStringLiteral("Command1"));
    close->setAccessibleName(QStringLiteral("CLOSE"));
    close->setDefault(true);
    layout->addWidget(close);
    connect(close, &QPushButton::clicked, this, &DepthForm::closeWithChoice);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    findChild<QRadioButton *>(QStringLiteral("Option1"))->setChecked(true);
}

void DepthForm::closeWithChoice()
{
    const char *letters[] = {"L", "M", "B"};
    HeelDepthSide.clear();
    for (int i = 0; i < 3; ++i) {
        if (findChild<QRadioButton *>(QStringLiteral("Option%1").arg(i + 1))->isChecked()) {
            HeelDepthSide = QString::fromLatin1(letters[i]);
            break;
        }
    }
    accept();
}

std::optional<QString> DepthForm::Ask_Side(QWidget *over)
{
    auto *dialog = Windows().get<DepthForm>(QStringLiteral("DepthForm"));
    if (!dialog)
        return std::nullopt;
    dialog->setParent(over, dialog->windowFlags());
    const bool closed = dialog->exec() == QDialog::Accepted;
    Windows().unload(QStringLiteral("DepthForm"));
    if (!closed)
        return std::nullopt;
    return HeelDepthSide;
}
