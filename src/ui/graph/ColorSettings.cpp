#include "graph/ColorSettings.h"

#include <QFile>

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
