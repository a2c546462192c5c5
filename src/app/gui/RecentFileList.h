#pragma once
#include <QString>
#include <QStringList>

namespace zephyra {

// The most recently opened or saved documents, newest first, kept in the program's settings
// (StoredChoices) so that the File menu shows them next time.
class RecentFileList {
public:
    static constexpr int Size = 4;

    RecentFileList(); // reads the stored list
    [[nodiscard]] const QStringList& Files() const { return files_; }
    // Puts a path at the head (absolute, no duplicates) and stores the list.
    void Add(const QString& path);
    // Drops a path that could not be opened.
    void Remove(const QString& path);

private:
    void Store() const;
    QStringList files_;
};

} // namespace zephyra
