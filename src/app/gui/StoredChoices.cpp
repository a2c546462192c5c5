#include "StoredChoices.h"

#include "ConfigPath.h"
#include "FileNames.h"
#include "ProgramNames.h"

#include <QFileInfo>

namespace zephyra {

namespace {

// Where earlier versions kept the choices; read once, never written or removed.
void TakeOverFormerChoices(QSettings& choices)
{
    const QSettings former(ORGANIZATION, PROGRAM_TITLE);
    for (const QString& key : former.allKeys())
        choices.setValue(key, former.value(key));
}

} // namespace

QSettings StoredChoices()
{
    const QString file = FileNameFromBytes(DefaultConfigLocation(std::nullopt).choices.c_str());
    if (!QFileInfo::exists(file)) {
        QSettings choices(file, QSettings::IniFormat);
        TakeOverFormerChoices(choices);
    }
    return QSettings(file, QSettings::IniFormat);
}

} // namespace zephyra
