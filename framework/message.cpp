#include "framework/message.h"

#include <QApplication>
#include <QMessageBox>

namespace fw {
namespace {

void Show(QMessageBox::Icon icon, const std::string &text)
{
    QWidget *parent = QApplication::activeWindow();
    QMessageBox box(icon, parent ? parent->windowTitle() : QApplication::applicationDisplayName(),
        QString::fromStdString(text), QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void ShowMessage(const std::string &text)
{
    Show(QMessageBox::Information, text);
}

void ShowWarning(const std::string &text)
{
    Show(QMessageBox::Warning, text);
}

} // namespace fw
