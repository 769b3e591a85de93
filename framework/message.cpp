#include "framework/message.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace fw {
namespace {

QMessageBox::StandardButton Show(
    QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok)
{
    QWidget *parent = QApplication::activeWindow();
    QMessageBox box(
        icon, parent ? parent->windowTitle() : QApplication::applicationDisplayName(), text, buttons, parent);
    if (buttons.testFlag(QMessageBox::No))
        box.setDefaultButton(QMessageBox::No);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void ShowMessage(const std::string &text)
{
    Show(QMessageBox::Information, QString::fromStdString(text));
}

void ShowWarning(const std::string &text)
{
    Show(QMessageBox::Warning, QString::fromStdString(text));
}

void ShowAbout(const std::string &title, const std::string &text)
{
    QMessageBox::about(QApplication::activeWindow(), QString::fromStdString(title), QString::fromStdString(text));
}

std::string ToolkitVersion()
{
    return qVersion();
}

bool AskToReplace(const std::string &path)
{
    // Worded as the save dialog asks of the file it saves.
    const QString text = QCoreApplication::translate("fw", "%1 already exists.\nDo you want to replace it?")
                             .arg(QFileInfo(QString::fromStdString(path)).fileName());
    return Show(QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

} // namespace fw
