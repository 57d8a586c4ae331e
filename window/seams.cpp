#include "seams.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QWidget>

namespace velmora {

MessageAnswer QtMessageBoxes::ask(QWidget *parent, const Message &message)
{
    QMessageBox box(parent);
    box.setWindowTitle(message.title);
    box.setTextFormat(Qt::PlainText); // paths and reasons are shown as they are, never as markup
    box.setText(message.text);
    box.setIcon(message.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
    if (message.buttons == MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::Ok;
    }
    box.setStandardButtons(QMessageBox::Retry | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Retry);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    case QMessageBox::Discard:
        return MessageAnswer::Discard;
    default:
        return MessageAnswer::Cancel;
    }
}

bool QtPrintDialogs::choose(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QuitProgram::end(QWidget &window)
{
    window.close();
    // Every event loop stops, a message box's too, also before the program's own loop has started (where
    // quit() does nothing): the system may end the program while a start-up message waits.
    QCoreApplication::exit(0);
}

} // namespace velmora
