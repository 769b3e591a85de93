#include "framework/atomic_file.h"

#include "framework/exceptions.h"
#include "framework/files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <unistd.h>

namespace fw {

AtomicFile::AtomicFile(std::string path)
    : path_(std::move(path))
    , file_(std::make_unique<QSaveFile>(QString::fromStdString(path_)))
{
    CheckReplaceable(path_);
    // Unbuffered, so that every write error shows at the write that meets
    // it: Qt 6.4's QSaveFile misses one that shows only when commit()
    // flushes its buffer, and would put an empty file in place.
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        Fail(file_->errorString());
}

AtomicFile::~AtomicFile() = default;

void AtomicFile::CheckReplaceable(const std::string &path)
{
    const QFileInfo target(QString::fromStdString(path));
    const auto fail = [&](const char *reason) {
        throw IOException(CannotSave(path, QCoreApplication::translate("fw", reason).toStdString()));
    };
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        fail("its folder does not exist");
    if (!folder.isWritable())
        fail("its folder cannot be written to");
    if (target.exists() && !target.isFile())
        fail("it is not a regular file");
    if (target.exists() && !(target.permissions() & QFileDevice::WriteOwner))
        fail("it is read-only");
}

void AtomicFile::Write(std::string_view bytes)
{
    // A write may stop part way (a file size limit); the next one then
    // meets the error and its reason.
    while (!writeError_ && !bytes.empty()) {
        const qint64 written = file_->write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written <= 0)
            writeError_ = std::make_unique<QString>(file_->errorString());
        else
            bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void AtomicFile::Finish()
{
    if (finished_)
        return;
    if (writeError_)
        Fail(*writeError_);
    // Some file systems report a full disk only when the data reaches it,
    // and QSaveFile ignores what its own sync says.
    if (::fsync(file_->handle()) != 0 && errno != EINVAL && errno != EROFS)
        Fail(qt_error_string(errno));
    finished_ = true;
}

void AtomicFile::Commit()
{
    Finish();
    if (!file_->commit())
        Fail(file_->errorString());
}

void AtomicFile::Fail(const QString &reason) const
{
    throw IOException(CannotSave(path_, reason.toStdString()));
}

} // namespace fw
