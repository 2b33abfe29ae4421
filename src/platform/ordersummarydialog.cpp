#include "ordersummarydialog.h"

#include "prompter.h"
#include "scriptrecord.h"
#include "windowregistry.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

OrderSummaryDialog::OrderSummaryDialog(const QString &name, const QString &summary, PdfView viewPdf, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(QStringLiteral("Orthotic Data Selection"));

    auto *layout = new QVBoxLayout(this);
    auto *text = new QTextEdit;
    text->setObjectName(QStringLiteral("RichTextBox1"));
    text->setAccessibleName(QStringLiteral("Order Summary"));
    text->setReadOnly(true);
    text->setAcceptRichText(false);
    QFont font(QStringLiteral("Arial"), 10);
    font.setBold(true);
    text->setFont(font);
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, QColor(255, 224, 192));
    text->setPalette(palette);
    QString plain = summary;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text->setPlainText(plain);
    layout->addWidget(text, 1);

    auto *buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    auto button = [&](const char *objectName, const QString &caption) {
        auto *b = new QPushButton(caption);
        b->setObjectName(QString::fromLatin1(objectName));
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
    connect(view, &QPushButton::clicked, this,
            [this, viewPdf = std::move(viewPdf)] { Run_Command([&] { viewPdf(this); }); });
    resize(360, 520);
}

void OrderSummaryDialog::done(int result)
{
    Job().OptionQuitFlag = result != QDialog::Accepted;
    QDialog::done(result);
}

bool OrderSummaryDialog::Run(const QString &name)
{
    auto *dialog = Windows().get<QDialog>(name);
    if (!dialog) {
        Job().OptionQuitFlag = true;
        return true;
    }
    dialog->exec();
    Windows().unload(name);
    return Job().OptionQuitFlag;
}
