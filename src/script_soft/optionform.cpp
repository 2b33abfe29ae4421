#include "optionform.h"

#include "optionsummary.h"
#include "softhooks.h"

#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "windowregistry.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

OptionForm::OptionForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("OptionForm"));
    setWindowTitle(QStringLiteral("Orthotic Data Selection"));

    auto *layout = new QVBoxLayout(this);
    auto *summary = new QTextEdit;
    summary->setObjectName(QStringLiteral("RichTextBox1"));
    summary->setAccessibleName(QStringLiteral("Order Summary"));
    summary->setReadOnly(true);
    summary->setAcceptRichText(false);
    QFont font(QStringLiteral("Arial"), 10);
    font.setBold(true);
    summary->setFont(font);
    QPalette palette = summary->palette();
    palette.setColor(QPalette::Base, QColor(255, 224, 192));
    summary->setPalette(palette);
    layout->addWidget(summary, 1);

    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    auto button = [&](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(caption);
        buttons->addWidget(b, 1);
        return b;
    };
    QPushButton *quit = button("Command1", QStringLiteral("Quit"));
    QPushButton *view = button("Command3", QStringLiteral("View PDF"));
    QPushButton *accept = button("Command2", QStringLiteral("Accept"));
    accept->setDefault(true);
    accept->setFocus();
    setTabOrder(accept, quit);
    setTabOrder(quit, view);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(view, &QPushButton::clicked, this, &OptionForm::viewPdf);

    // The summary is built at load, from the job as it stands then.
    QString text = Option_Summary(Job());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    summary->setPlainText(text);
    resize(360, 520);
}

void OptionForm::done(int result)
{
    // Only "Accept" goes on; Quit, the close box and Esc all stop the command.
    Job().OptionQuitFlag = result != QDialog::Accepted;
    QDialog::done(result);
}

void OptionForm::viewPdf()
{
    Run_Command([this] {
        Wait_Milliseconds(500);
        Set_Status(QStringLiteral("Opening...") + Job().PdfFile);
        Soft_Pdf_Viewer()(Job().FullPdfFile, this);
    });
}

bool OptionForm::Run_OptionForm()
{
    auto *dialog = Windows().get<OptionForm>(QStringLiteral("OptionForm"));
    if (!dialog) {
        Job().OptionQuitFlag = true;
        return true;
    }
    dialog->exec();
    Windows().unload(QStringLiteral("OptionForm"));
    return Job().OptionQuitFlag;
}
