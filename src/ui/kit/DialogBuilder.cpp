#include "kit/DialogBuilder.h"

#include "kit/Mnemonics.h"
#include "kit/Tr.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>

namespace {
int MulDiv(int a, int b, int c) {
  // Windows' MulDiv rounds half away from zero.
  long long p = static_cast<long long>(a) * b;
  return static_cast<int>(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
}
} // namespace

QString TemplateText(const DlgTemplate &tmpl, const std::string &source) {
  return TrIn(tmpl.context, source);
}

DlgBaseUnits DialogBaseUnits(const QFont &font) {
  QFontMetrics fm(font);
  int width = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(width / 26 + 1) / 2, fm.height()};
}

QRect DluToPixels(const DlgBaseUnits &u, int x, int y, int cx, int cy) {
  return QRect(MulDiv(x, u.cx, 4), MulDiv(y, u.cy, 8), MulDiv(cx, u.cx, 4), MulDiv(cy, u.cy, 8));
}

QFont DialogFont(const std::string &face, int nPointSize) {
  QFont f;
  f.setFamilies({QString::fromStdString(face), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  f.setPixelSize(MulDiv(nPointSize, 96, 72));
  return f;
}

CDialogBuilder::CDialogBuilder(const DlgTemplate &tmpl)
    : m_tmpl(tmpl), m_font(DialogFont(tmpl.font, tmpl.nPointSize)), m_units(DialogBaseUnits(m_font)) {}

void CDialogBuilder::Build(QWidget *parent) const {
  parent->setFont(m_font);
  std::vector<QWidget *> frames;
  QList<QAbstractButton *> buttons;
  for (const DlgControl &c : m_tmpl.controls) {
    const QString text = TemplateText(m_tmpl, c.text);
    QWidget *w = nullptr;
    switch (c.kind) {
    case CtlKind::Static:
    case CtlKind::StaticCenter:
    case CtlKind::StaticRight: {
      auto *l = new QLabel(text, parent);
      l->setAlignment(c.kind == CtlKind::Static         ? Qt::AlignLeft | Qt::AlignTop
                      : c.kind == CtlKind::StaticCenter ? Qt::AlignHCenter | Qt::AlignTop
                                                        : Qt::AlignRight | Qt::AlignTop);
      w = l;
      break;
    }
    case CtlKind::Picture:
      w = new QLabel(parent);
      break;
    case CtlKind::Edit:
    case CtlKind::EditReadOnly: {
      auto *e = new QLineEdit(text, parent);
      e->setReadOnly(c.kind == CtlKind::EditReadOnly);
      w = e;
      break;
    }
    case CtlKind::Button:
    case CtlKind::DefButton: {
      auto *b = new QPushButton(text, parent);
      b->setDefault(c.kind == CtlKind::DefButton);
      b->setAutoDefault(false);
      w = b;
      break;
    }
    case CtlKind::GroupBox:
      w = new QGroupBox(text, parent);
      frames.push_back(w);
      break;
    case CtlKind::RadioButton:
      w = new QRadioButton(text, parent);
      break;
    case CtlKind::CheckBox:
      w = new QCheckBox(text, parent);
      break;
    case CtlKind::ComboDropList:
    case CtlKind::ComboDropDown: {
      auto *cb = new QComboBox(parent);
      cb->setEditable(c.kind == CtlKind::ComboDropDown);
      w = cb;
      break;
    }
    case CtlKind::ListView: {
      auto *t = new QTreeWidget(parent);
      t->setRootIsDecorated(false);
      t->setUniformRowHeights(true);
      t->setSelectionBehavior(QAbstractItemView::SelectRows);
      t->header()->setStretchLastSection(false);
      w = t;
      break;
    }
    case CtlKind::ScrollBarV:
      w = new QScrollBar(Qt::Vertical, parent);
      break;
    case CtlKind::ScrollBarH:
      w = new QScrollBar(Qt::Horizontal, parent);
      break;
    case CtlKind::Progress:
      w = new QProgressBar(parent);
      break;
    case CtlKind::Custom:
      continue;
    }
    QRect r = ToPixels(c.x, c.y, c.cx, c.cy);
    if (c.kind == CtlKind::ComboDropList || c.kind == CtlKind::ComboDropDown)
      r.setHeight(w->sizeHint().height()); // the template's height is the open list's
    w->setGeometry(r);
    if (c.id >= 0)
      w->setObjectName(CtlName(c.id));
    const std::string &name = c.strAccessibleName.empty() ? c.text : c.strAccessibleName;
    if (!name.empty())
      w->setAccessibleName(TemplateText(m_tmpl, name));
    if (c.bHidden)
      w->hide();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
      buttons << b;
    // Lets an owner that rearranges the controls find each one's template entry.
    w->setProperty(kTemplateIndex, static_cast<int>(&c - m_tmpl.controls.data()));
  }
  for (QWidget *f : frames)
    f->lower();                   // frames stay behind the controls they surround
  AssignButtonMnemonics(buttons); // the accessible names keep the plain texts
}
