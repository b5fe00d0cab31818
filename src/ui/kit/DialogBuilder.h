#pragma once

#include "forms/DialogTemplate.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

// Horizontal and vertical dialog base units of a font, as the Windows dialog
// manager computes them: the average width of the 52 Latin letters and the
// font's height. One dialog unit is a quarter of cx and an eighth of cy.
struct DlgBaseUnits {
  int cx = 0;
  int cy = 0;
};

DlgBaseUnits DialogBaseUnits(const QFont &font);
QRect DluToPixels(const DlgBaseUnits &units, int x, int y, int cx, int cy);
// The template's font, with Arial-metric fallbacks, sized in pixels for 96 dpi.
QFont DialogFont(const std::string &face, int nPointSize);

// A text of the template (a caption, a control's text or accessible name) in
// the chosen language, looked up in the template's context.
QString TemplateText(const DlgTemplate &tmpl, const std::string &source);
inline QString TemplateCaption(const DlgTemplate &tmpl) {
  return TemplateText(tmpl, tmpl.caption);
}

// Creates the controls of a template as children of `parent`, each with the
// object name "ctl<id>" so handlers find them by id, and an accessible name.
class CDialogBuilder {
public:
  explicit CDialogBuilder(const DlgTemplate &tmpl);

  const QFont &Font() const { return m_font; }
  const DlgBaseUnits &Units() const { return m_units; }
  QRect ToPixels(int x, int y, int cx, int cy) const { return DluToPixels(m_units, x, y, cx, cy); }
  QSize DialogSize() const { return ToPixels(0, 0, m_tmpl.cx, m_tmpl.cy).size(); }
  const DlgTemplate &Template() const { return m_tmpl; }

  // Builds every control except the Custom ones, which the owner places.
  void Build(QWidget *parent) const;

private:
  const DlgTemplate &m_tmpl;
  QFont m_font;
  DlgBaseUnits m_units;
};

// The property each built control carries: its index in the template's controls.
inline constexpr const char *kTemplateIndex = "templateIndex";

inline QString CtlName(int nId) {
  return QStringLiteral("ctl%1").arg(nId);
}

// The control with the given id, or null when absent or of another type.
template <class T> T *DlgItem(const QWidget *dlg, int nId) {
  return dlg->findChild<T *>(CtlName(nId));
}
