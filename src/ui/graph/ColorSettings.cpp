#include "graph/ColorSettings.h"

#include <QDir>
#include <QFile>
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

GraphColors LoadGraphColors() {
  return ReadColorConfig(QFile::encodeName(ColorConfigPath()).toStdString());
}

QString SaveGraphColors(const GraphColors &colors) {
  const QString path = ColorConfigPath(true);
  ConfigWriteResult r = WriteColorConfig(QFile::encodeName(path).toStdString(), colors);
  if (r.bOk)
    return {};
  return path + QStringLiteral(": ") + QString::fromLocal8Bit(r.strError.c_str());
}
