#include "editor/flash/FlashSettings.h"

#include "editor/model/flash/ProgrammerCheck.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace corvane {

namespace {

const QString kProgrammerKey = QStringLiteral("flash/programmer");
const QString kPortKey = QStringLiteral("flash/port");
const QString kBaudKey = QStringLiteral("flash/baud");
const QString kBitclockKey = QStringLiteral("flash/bitclock");

// Opening anything but a regular file (or none yet) could block or fail.
bool IsSafeToOpen(const QString& path)
{
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

std::string Text(const QSettings& settings, const QString& key, const std::string& fallback)
{
    const QVariant value = settings.value(key);
    if (!value.isValid() || value.typeId() != QMetaType::QString) {
        return fallback;
    }
    return value.toString().left(1024).toStdString();
}

} // namespace

QString FlashSettings::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           QCoreApplication::organizationName() + u'/' + QCoreApplication::applicationName() +
           QStringLiteral(".conf");
}

ProgrammerChoice FlashSettings::read()
{
    const QString path = filePath();
    if (!IsSafeToOpen(path)) {
        return {};
    }
    const QSettings settings(path, QSettings::IniFormat);
    ProgrammerChoice raw;
    raw.programmer = Text(settings, kProgrammerKey, raw.programmer);
    const ProgrammerChoice defaults = DefaultChoice(raw.programmer);
    raw.port = Text(settings, kPortKey, {});
    raw.baud = Text(settings, kBaudKey, defaults.baud);
    raw.bitclock = Text(settings, kBitclockKey, defaults.bitclock);
    return CheckedChoice(raw, [](std::string_view id) { return IsProgrammerId(id); });
}

void FlashSettings::write(const ProgrammerChoice& choice)
{
    const QString path = filePath();
    if (!IsSafeToOpen(path)) {
        return;
    }
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(kProgrammerKey, QString::fromStdString(choice.programmer));
    settings.setValue(kPortKey, QString::fromStdString(choice.port));
    settings.setValue(kBaudKey, QString::fromStdString(choice.baud));
    settings.setValue(kBitclockKey, QString::fromStdString(choice.bitclock));
}

} // namespace corvane
