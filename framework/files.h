#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fw {

class AtomicFile;

// Text written into a file that only appears, whole, at Close; a stream
// dropped without Close leaves the target as it was.
class TextOutputStream {
public:
    explicit TextOutputStream(std::unique_ptr<AtomicFile> file);
    ~TextOutputStream();
    TextOutputStream(const TextOutputStream &) = delete;
    TextOutputStream &operator=(const TextOutputStream &) = delete;

    // Appends the bytes as they are; adds no line end.
    void Write(std::string_view text);
    // Puts the file in place. Throws IOException naming the file and the
    // reason when anything written could not be saved; the old file stays.
    void Close();

private:
    std::unique_ptr<AtomicFile> file_;
};

// A location in the file system.
class FolderItem {
public:
    explicit FolderItem(std::string path);
    const std::string &Path() const { return path_; }
    // A stream that replaces the file at this location when closed. Throws
    // IOException naming the file and the reason when it cannot be created
    // or the location holds something other than a regular file.
    std::shared_ptr<TextOutputStream> CreateTextFile() const;

private:
    std::string path_;
};

// Writes the files whole, each a path and its bytes: all of them are
// written and synced before any is put in place, so that a failure while
// writing leaves every file as it was. Then each is renamed into place, in
// order; a rename that fails there leaves the earlier ones in place. Throws
// IOException naming the file and the reason.
void SaveFiles(const std::vector<std::pair<std::string, std::string>> &files);

// The message of a failed save: "Cannot save <path>: <reason>".
std::string CannotSave(const std::string &path, const std::string &reason);

// Shows the modal save dialog proposing `proposedName`, in the folder of the
// last save of this run. "image/png" offers PNG files and adds ".png" to a
// name without a suffix; "text/any" offers all files and keeps the name as
// typed. A name is taken as typed, double quotes and all. Gives nil when the
// user cancels.
std::shared_ptr<FolderItem> GetSaveFolderItem(std::string_view fileType, std::string_view proposedName);

// A type of file the dialog offers: its filter ("Name (*.suffix)"), and the
// suffix a name typed without one takes when it is chosen.
struct FileType {
    std::string filter;
    std::string suffix;
};
// The same dialog offering the types given.
std::shared_ptr<FolderItem> GetSaveFolderItem(const std::vector<FileType> &types, std::string_view proposedName);

} // namespace fw
