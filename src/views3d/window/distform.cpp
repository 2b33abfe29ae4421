#include "distform.h"

#include "footviewshared.h"
#include "windowregistry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Row
{
    const char *box;
    const char *label;
    std::string text;
    const char *unit;
};

QGroupBox *frame(QWidget *parent, const QString &title, const std::vector<Row> &rows)
{
    auto *group = new QGroupBox(title, parent);
    auto *grid = new QGridLayout(group);
    int r = 0;
    for (const Row &row : rows) {
        auto *label = new QLabel(QString::fromLatin1(row.label), group);
        auto *box = new QLineEdit(QString::fromStdString(row.text), group);
        box->setObjectName(QString::fromLatin1(row.box));
        box->setAlignment(Qt::AlignRight);
        label->setBuddy(box);
        grid->addWidget(label, r, 0);
        grid->addWidget(box, r, 1);
        grid->addWidget(new QLabel(QString::fromLatin1(row.unit), group), r, 2);
        ++r;
    }
    return group;
}

} // namespace

DistForm::DistForm(const mesh::Measurement &results, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("DistForm"));
    setWindowTitle(QStringLiteral("Distances"));
    setAttribute(Qt::WA_DeleteOnClose);

    const mesh::DistancesTexts t = mesh::distancesTexts(results);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        frame(this, QStringLiteral("Distance"), {{"Text1", "3D", t.text1, "mm"}, {"Text2", "2D", t.text2, "mm"}}));
    layout->addWidget(frame(this, QStringLiteral("Angle"), {{"Text6", "2D", t.text6, "deg"}}));
    layout->addWidget(
        frame(this, QStringLiteral("Components"),
              {{"Text3", "X", t.text3, "mm"}, {"Text4", "Y", t.text4, "mm"}, {"Text5", "Z", t.text5, "mm"}}));
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setAccessibleName(QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void Register_Distances_Window()
{
    if (!Windows().hasFactory(QStringLiteral("DistForm")))
        Windows().registerFactory(QStringLiteral("DistForm"), [] { return new DistForm(Measure_State().results()); });
}

void Show_Distances()
{
    Register_Distances_Window();
    Windows().unload(QStringLiteral("DistForm"));
    if (auto *form = Windows().get<DistForm>(QStringLiteral("DistForm")))
        form->exec();
}
