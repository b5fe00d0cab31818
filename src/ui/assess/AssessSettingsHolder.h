#pragma once

#include "assess/AssessSettings.h"

#include <QObject>

// The assessment settings of the live run: the "Análise" window edits them
// and the live alarm follows them. The main window owns one.
class CAssessSettingsHolder : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;

  const AssessSettings &Settings() const { return m_settings; }
  bool Beep() const { return m_bBeep; }
  void Set(const AssessSettings &settings, bool bBeep) {
    m_settings = settings;
    m_bBeep = bBeep;
    emit changed();
  }

signals:
  void changed();

private:
  AssessSettings m_settings;
  bool m_bBeep = false;
};
