#include "kit/SettingsFile.h"

#include "graph/ColorConfig.h"

#include <QDir>
#include <QStandardPaths>

QString ColorConfigPath(bool bCreateFolder) {
  const QString name = QString::fromLatin1(kColorConfigName);
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (dir.isEmpty())
    return name;
  if (bCreateFolder)
    QDir().mkpath(dir);
  return dir + QLatin1Char('/') + name;
}
