#include "framework/files.h"

#include "framework/atomic_file.h"
#include "framework/exceptions.h"
#include "framework/message.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeDatabase>

#include <utility>
#include <vector>

namespace fw {
namespace {

// Tells file types by name alone: reading a file to tell its type blocks
// forever on files such as /proc/kmsg, and is slow on network folders.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    QString type(const QFileInfo &info) const override
    {
        if (!info.isFile())
            return QFileIconProvider::type(info);
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }
};

// Qt's dialog reads a typed name holding a double quote as a list of
// quoted names, and would save `q"uote.fnt` as `uote.fnt`: such a name is
// taken as typed, with the default suffix and the question before
// replacing as for any other.
class SaveDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    // The path chosen, as typed.
    QString Chosen() const { return typed_.isEmpty() ? selectedFiles().value(0) : typed_; }

    // File types to choose from, each with the suffix that a name typed
    // without one takes when it is chosen.
    void SetTypes(const std::vector<std::pair<QString, QString>> &types)
    {
        types_ = types;
        QStringList filters;
        for (const auto &type : types)
            filters << type.first;
        setNameFilters(filters);
    }

    void accept() override
    {
        for (const auto &[filter, suffix] : types_) {
            if (filter == selectedNameFilter())
                setDefaultSuffix(suffix);
        }
        const auto *edit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        const QString text = edit ? edit->text() : QString();
        if (!text.contains(QLatin1Char('"'))) {
            typed_.clear();
            QFileDialog::accept();
            return;
        }
        QString path = directory().absoluteFilePath(text);
        if (QFileInfo(path).suffix().isEmpty() && !defaultSuffix().isEmpty())
            path += QLatin1Char('.') + defaultSuffix();
        const QFileInfo target(path);
        if (target.isDir() || (target.exists() && !AskToReplace(path.toStdString())))
            return;
        typed_ = path;
        QDialog::accept();
    }

private:
    QString typed_;
    std::vector<std::pair<QString, QString>> types_;
};

} // namespace

std::string CannotSave(const std::string &path, const std::string &reason)
{
    return QCoreApplication::translate("fw", "Cannot save %1: %2")
        .arg(QDir::toNativeSeparators(QString::fromStdString(path)), QString::fromStdString(reason))
        .toStdString();
}

TextOutputStream::TextOutputStream(std::unique_ptr<AtomicFile> file)
    : file_(std::move(file))
{
}

TextOutputStream::~TextOutputStream() = default;

void TextOutputStream::Write(std::string_view text)
{
    NotNil(file_.get()).Write(text);
}

void TextOutputStream::Close()
{
    const std::unique_ptr<AtomicFile> file = std::move(file_);
    NotNil(file.get()).Commit();
}

FolderItem::FolderItem(std::string path)
    : path_(std::move(path))
{
}

std::shared_ptr<TextOutputStream> FolderItem::CreateTextFile() const
{
    return std::make_shared<TextOutputStream>(std::make_unique<AtomicFile>(path_));
}

void SaveFiles(const std::vector<std::pair<std::string, std::string>> &files)
{
    std::vector<std::unique_ptr<AtomicFile>> written;
    for (const auto &[path, bytes] : files) {
        written.push_back(std::make_unique<AtomicFile>(path));
        written.back()->Write(bytes);
    }
    for (const auto &file : written)
        file->Finish();
    for (const auto &file : written)
        file->Commit();
}

namespace {

// The modal save dialog, its types set by `types`.
template <class Types> std::shared_ptr<FolderItem> AskWhereToSave(std::string_view proposedName, Types &&types)
{
    // Qt's own dialog everywhere, so it behaves the same on every desktop.
    NameOnlyIconProvider icons;
    SaveDialog dialog(QApplication::activeWindow());
    dialog.setIconProvider(&icons);
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    types(dialog);
    // Each save starts where the last one went, for as long as the program runs.
    static QString lastFolder;
    if (!lastFolder.isEmpty())
        dialog.setDirectory(lastFolder);
    dialog.selectFile(QString::fromUtf8(proposedName.data(), static_cast<qsizetype>(proposedName.size())));
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen().isEmpty())
        return nullptr;
    const QString chosen = dialog.Chosen();
    lastFolder = QFileInfo(chosen).absolutePath();
    return std::make_shared<FolderItem>(chosen.toStdString());
}

} // namespace

std::shared_ptr<FolderItem> GetSaveFolderItem(std::string_view fileType, std::string_view proposedName)
{
    return AskWhereToSave(proposedName, [fileType](SaveDialog &dialog) {
        if (fileType == "text/any") {
            dialog.setNameFilter(QCoreApplication::translate("fw", "All files (*)"));
            return;
        }
        const QString mimeType = QString::fromUtf8(fileType.data(), static_cast<qsizetype>(fileType.size()));
        dialog.setMimeTypeFilters({mimeType});
        dialog.setDefaultSuffix(QMimeDatabase().mimeTypeForName(mimeType).preferredSuffix());
    });
}

std::shared_ptr<FolderItem> GetSaveFolderItem(const std::vector<FileType> &types, std::string_view proposedName)
{
    return AskWhereToSave(proposedName, [&types](SaveDialog &dialog) {
        std::vector<std::pair<QString, QString>> filters;
        for (const FileType &type : types)
            filters.emplace_back(QString::fromStdString(type.filter), QString::fromStdString(type.suffix));
        dialog.SetTypes(filters);
    });
}

} // namespace fw
