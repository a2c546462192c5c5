#include "RecentFileList.h"

#include "StoredChoices.h"

#include <QFileInfo>

namespace zephyra {

namespace {

const char* const GROUP = "Recent File List";

QString Key(int i)
{
    return QString("File%1").arg(i + 1);
}
QString Absolute(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

RecentFileList::RecentFileList()
{
    QSettings settings = StoredChoices();
    settings.beginGroup(GROUP);
    for (int i = 0; i < Size; ++i) {
        const QString file = settings.value(Key(i)).toString();
        if (!file.isEmpty() && !files_.contains(file))
            files_.append(file);
    }
}

void RecentFileList::Add(const QString& path)
{
    const QString file = Absolute(path);
    files_.removeAll(file);
    files_.prepend(file);
    while (files_.size() > Size)
        files_.removeLast();
    Store();
}

void RecentFileList::Remove(const QString& path)
{
    if (files_.removeAll(Absolute(path)) > 0)
        Store();
}

void RecentFileList::Store() const
{
    QSettings settings = StoredChoices();
    settings.beginGroup(GROUP);
    for (int i = 0; i < Size; ++i) {
        if (i < files_.size())
            settings.setValue(Key(i), files_[i]);
        else
            settings.remove(Key(i));
    }
}

} // namespace zephyra
