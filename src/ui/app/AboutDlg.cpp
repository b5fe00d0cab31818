#include "app/AboutDlg.h"

#include "forms/Templates.h"
#include "kit/DialogBuilder.h"

#include "TarvikVersion.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

CAboutDlg::CAboutDlg(QWidget *parent) : QDialog(parent) {
  const DlgTemplate &t = AboutTemplate();
  CDialogBuilder b(t);
  b.Build(this);
  setWindowTitle(TemplateCaption(t));
  setFixedSize(b.DialogSize());
  setObjectName(QStringLiteral("aboutDlg"));
  if (auto *pic = findChild<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
    const int n = b.ToPixels(0, 0, 20, 20).width();
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
      icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    pic->setPixmap(icon.pixmap(n, n));
    pic->setAccessibleName(QStringLiteral("Tarvik"));
  }
  // The version line is composed in the template; its words are translated here.
  for (QLabel *l : findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
    if (l->text().startsWith(QStringLiteral("Tarvik, Versão ")))
      l->setText(QCoreApplication::translate("AboutDialog", "Tarvik, Versão %1")
                     .arg(QString::fromUtf8(kTarvikVersion)));
  connect(DlgItem<QPushButton>(this, IDOK), &QPushButton::clicked, this, &QDialog::accept);
}
