#include "framework/text_dialog.h"

#include "framework/dispatch.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <limits>

namespace fw {

std::optional<std::string> AskForText(const std::string &title, const std::string &label,
    const std::vector<TextChoice> &starts, const std::function<std::string(const std::string &)> &note)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("textDialog"));
    dialog.setWindowTitle(QString::fromStdString(title));
    auto *start = new QComboBox(&dialog);
    start->setObjectName(QStringLiteral("start"));
    for (const TextChoice &choice : starts)
        start->addItem(QString::fromStdString(choice.name), QString::fromStdString(choice.text));
    auto *field = new QLineEdit(&dialog);
    field->setObjectName(QStringLiteral("text"));
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setMinimumWidth(420);
    auto *said = new QLabel(&dialog);
    said->setObjectName(QStringLiteral("note"));
    said->setWordWrap(true);
    const auto update
        = [&] { Dispatch([&] { said->setText(QString::fromStdString(note(field->text().toStdString()))); }); };
    QObject::connect(field, &QLineEdit::textChanged, &dialog, update);
    QObject::connect(start, &QComboBox::activated, &dialog, [&](int index) {
        field->setText(start->itemData(index).toString());
        field->setFocus();
    });
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *form = new QFormLayout(&dialog);
    form->addRow(QCoreApplication::translate("fw", "Start from:"), start);
    form->addRow(QString::fromStdString(label), field);
    form->addRow(said);
    form->addRow(buttons);
    if (!starts.empty())
        field->setText(QString::fromStdString(starts.front().text));
    update();
    // Typing or a paste replaces the start.
    field->selectAll();
    field->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return field->text().toStdString();
}

} // namespace fw
