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
    // created, or when the target exists but is no regular file (a folder, a
    // FIFO, a device), which must never be replaced by one.
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Appends the bytes. The first failure is kept for Commit to report.
    void Write(std::string_view bytes);
    // Puts the file in place. Throws IOException naming the file and the
    // first error met while writing, syncing or replacing.
    void Commit();

private:
    [[noreturn]] void Fail(const QString &reason) const;

    std::string path_;
    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<QString> writeError_;
};

} // namespace fw
