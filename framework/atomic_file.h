#pragma once

#include <memory>
#include <string>
#include <string_view>

class QSaveFile;
class QString;

namespace fw {

// A file written whole or not at all: what is written goes to a temporary
// file that replaces the target only at Commit. On any failure, and when
// dropped without Commit, the target stays exactly as it was.
class AtomicFile {
public:
    // Throws IOException naming the file and the reason when it cannot be
    // created: its folder does not exist or cannot be written to, or the
    // target exists but is no regular file (a folder, a FIFO, a device),
    // which must never be replaced by one, or is read-only, which its owner
    // protected from being replaced, root included.
    explicit AtomicFile(std::string path);
    // Throws as the constructor does when the target cannot be written or
    // must not be replaced: before asking a user anything more.
    static void CheckReplaceable(const std::string &path);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Appends the bytes. The first failure is kept for Finish to report.
    void Write(std::string_view bytes);
    // Makes sure that all of it reached the disk, without putting it in
    // place yet. Throws IOException naming the file and the first error met
    // while writing or syncing.
    void Finish();
    // Puts the file in place, finishing it first. Throws IOException naming
    // the file and the first error met while writing, syncing or replacing.
    void Commit();

private:
    [[noreturn]] void Fail(const QString &reason) const;

    std::string path_;
    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<QString> writeError_;
    bool finished_ = false;
};

} // namespace fw
