#include "qtprompter.h"

#include "messagetext.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// Messages break their lines with CR LF; a label breaks them at the LF alone
// and would show the CR.
QString shownText(QString text)
{
    return text.replace(kMessageLineBreak, QLatin1String("\n"));
}

} // namespace

QWidget *QtPrompter::parentWindow()
{
    return QApplication::activeWindow();
}

Prompter::Answer QtPrompter::message(const QString &text, const QString &title, Icon icon, Buttons buttons)
{
    QMessageBox box(parentWindow());
    box.setTextFormat(Qt::PlainText);
    box.setText(shownText(text));
    box.setWindowTitle(title);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    QMessageBox::StandardButtons set;
    QMessageBox::StandardButton escape = QMessageBox::Cancel;
    switch (buttons) {
    case Buttons::Ok:
        set = QMessageBox::Ok;
        escape = QMessageBox::Ok;
        break;
    case Buttons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        escape = QMessageBox::No;
        break;
    case Buttons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case Buttons::RetryCancel: set = QMessageBox::Retry | QMessageBox::Cancel; break;
    case Buttons::AbortRetryIgnore:
        set = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        escape = QMessageBox::Abort;
        break;
    }
    box.setStandardButtons(set);
    box.setEscapeButton(escape);
    const int result = box.exec();
    switch (result) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    case QMessageBox::Abort: return Answer::Abort;
    case QMessageBox::Ignore: return Answer::Ignore;
    default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

bool QtPrompter::numericInput(const QString &prompt, const QString &label, const QString &defaultText,
                              const QString &title, QString &entered)
{
    return textInput(prompt, label, defaultText, title.isEmpty() ? QStringLiteral("Numeric Data Input") : title,
                     entered);
}

bool QtPrompter::textInput(const QString &prompt, const QString &label, const QString &defaultText,
                           const QString &title, QString &entered)
{
    bool ok = false;
    const QString text = label.isEmpty() ? prompt : Message_Lines({prompt, label});
    const QString value =
        QInputDialog::getText(parentWindow(), title, shownText(text), QLineEdit::Normal, defaultText, &ok);
    if (ok)
        entered = value;
    return ok;
}

QString QtPrompter::openFile(const FileRequest &request)
{
    QFileDialog dialog(parentWindow(), request.title, request.folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(Dialog_Filters(request.filter));
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtPrompter::saveFile(const FileRequest &request)
{
    QFileDialog dialog(parentWindow(), request.title, request.folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(Dialog_Filters(request.filter));
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool QtPrompter::printDialog(QPrinter &printer)
{
    QPrintDialog dialog(&printer, parentWindow());
    return dialog.exec() == QDialog::Accepted;
}
