#include "kit/Prompts.h"

#include "files/IniFile.h"
#include "forms/DialogTemplate.h"
#include "forms/UiTexts.h"
#include "kit/SettingsFile.h"
#include "kit/Tr.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include <utility>

int CQtPrompts::MessageBox(QWidget *parent, const QString &text, const QString &caption, Buttons buttons,
                           Icon icon) {
  QMessageBox box(parent);
  box.setText(text);
  box.setWindowTitle(caption);
  switch (icon) {
  case Icon::None:
    box.setIcon(QMessageBox::NoIcon);
    break;
  case Icon::Information:
    box.setIcon(QMessageBox::Information);
    break;
  case Icon::Warning:
    box.setIcon(QMessageBox::Warning);
    break;
  case Icon::Error:
    box.setIcon(QMessageBox::Critical);
    break;
  case Icon::Question:
    box.setIcon(QMessageBox::Question);
    break;
  }
  switch (buttons) {
  case Buttons::Ok:
    box.setStandardButtons(QMessageBox::Ok);
    break;
  case Buttons::OkCancel:
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    break;
  case Buttons::YesNo:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    break;
  case Buttons::YesNoCancel:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    break;
  case Buttons::SaveDiscardCancel:
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    break;
  case Buttons::DiscardCancel:
    box.setStandardButtons(QMessageBox::Discard | QMessageBox::Cancel);
    break;
  case Buttons::RecoverDiscardCancel:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::Discard | QMessageBox::Cancel);
    break;
  }
  // Labels of our own, each with its Alt letter, whatever Qt's catalogue says.
  const std::pair<QMessageBox::StandardButton, TrText> labels[] = {
      {QMessageBox::Ok, kButtonOk},     {QMessageBox::Yes, kButtonYes},
      {QMessageBox::No, kButtonNo},     {QMessageBox::Cancel, TrText{"MessageBox", kButtonCancel}},
      {QMessageBox::Save, kButtonSave}, {QMessageBox::Discard, kButtonDiscard},
  };
  for (const auto &[which, text] : labels)
    if (QAbstractButton *b = box.button(which))
      b->setText(Tr(text));
  if (buttons == Buttons::RecoverDiscardCancel)
    box.button(QMessageBox::Yes)->setText(Tr(kButtonRecover));
  // Enter, like Escape and the window's close button, throws nothing away.
  if (buttons == Buttons::SaveDiscardCancel || buttons == Buttons::DiscardCancel ||
      buttons == Buttons::RecoverDiscardCancel)
    box.setDefaultButton(QMessageBox::Cancel);
  switch (box.exec()) {
  case QMessageBox::Ok:
    return IDOK;
  case QMessageBox::Yes:
    return IDYES;
  case QMessageBox::No:
    return IDNO;
  case QMessageBox::Save:
    return IDSAVE;
  case QMessageBox::Discard:
    return IDDISCARD;
  default:
    return IDCANCEL;
  }
}

std::optional<QString> CQtPrompts::GetOpenFileName(QWidget *parent, const QString &filter,
                                                   const QString &folder) {
  QString path = QFileDialog::getOpenFileName(parent, QString(), folder, filter);
  if (path.isEmpty())
    return std::nullopt;
  return path;
}

std::optional<QString> CQtPrompts::GetSaveFileName(QWidget *parent, const QString &filter,
                                                   const QString &defaultName) {
  // The Qt dialog asks before replacing an existing file.
  QString path = QFileDialog::getSaveFileName(parent, QString(), defaultName, filter);
  if (path.isEmpty())
    return std::nullopt;
  return path;
}

std::optional<QString> CPrompts::GetSaveFileNameOfType(QWidget *parent, const QString &filter,
                                                       const QString &defaultName, QString &selectedFilter) {
  selectedFilter = filter.section(QStringLiteral(";;"), 0, 0);
  return GetSaveFileName(parent, filter, defaultName);
}

std::optional<QString> CQtPrompts::GetSaveFileNameOfType(QWidget *parent, const QString &filter,
                                                         const QString &defaultName,
                                                         QString &selectedFilter) {
  QFileDialog dlg(parent);
  dlg.setAcceptMode(QFileDialog::AcceptSave); // asks before replacing an existing file
  dlg.setNameFilter(filter);
  dlg.selectFile(defaultName);
  // Choosing another type gives the name that type's extension.
  QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&dlg](const QString &entry) {
    const QStringList names = dlg.selectedFiles();
    const QString suffix = FilterSuffix(entry);
    if (!names.isEmpty() && !suffix.isEmpty())
      dlg.selectFile(QFileInfo(names.first()).completeBaseName() + suffix);
  });
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
    return std::nullopt;
  selectedFilter = dlg.selectedNameFilter();
  return dlg.selectedFiles().first();
}

QString FilterSuffix(const QString &filterEntry) {
  const qsizetype at = filterEntry.indexOf(QStringLiteral("(*."));
  const qsizetype end = filterEntry.indexOf(QLatin1Char(')'), at);
  if (at < 0 || end < 0)
    return {};
  return filterEntry.mid(at + 2, end - at - 2);
}

std::optional<QColor> CQtPrompts::ChooseColor(QWidget *parent, const QColor &initial) {
  QColor c = QColorDialog::getColor(initial, parent);
  if (!c.isValid())
    return std::nullopt;
  return c;
}

std::unique_ptr<QPrinter> CQtPrompts::SelectPrinter(QWidget *parent) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  // Who printed to a file last time is offered the same folder again.
  if (const QString folder = LastFolder(EFolder::Print); !folder.isEmpty())
    printer->setOutputFileName(QDir(folder).filePath(QStringLiteral("tarvik.pdf")));
  QPrintDialog dlg(printer.get(), parent);
  if (dlg.exec() != QDialog::Accepted)
    return nullptr;
  if (!printer->outputFileName().isEmpty())
    RememberFolder(EFolder::Print, printer->outputFileName());
  return printer;
}

CQtPrompts::CQtPrompts() {
  KeepFoldersIn(ColorConfigPath());
}

QString CPrompts::LastFolder(EFolder kind) const {
  QString folder;
  if (const auto it = m_lastFolders.find(kind); it != m_lastFolders.end())
    folder = it->second;
  else if (!m_settingsPath.isEmpty())
    folder = QFile::decodeName(
        QByteArray::fromStdString(CIniFile::Load(QFile::encodeName(m_settingsPath).toStdString())
                                      .Get(kFolderSection, kFolderKeys[static_cast<size_t>(kind)])
                                      .value_or(std::string())));
  // A folder removed since (or on a stick pulled out) would leave the dialog nowhere.
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void CPrompts::RememberFolder(EFolder kind, const QString &path) {
  const QString folder = QFileInfo(path).absolutePath();
  m_lastFolders[kind] = folder;
  // A line break would split the settings line; such a folder lasts this run only.
  if (m_settingsPath.isEmpty() || folder.contains(QLatin1Char('\n')) || folder.contains(QLatin1Char('\r')))
    return;
  const std::string strPath = QFile::encodeName(m_settingsPath).toStdString();
  CIniFile ini = CIniFile::Load(strPath);
  ini.Set(kFolderSection, kFolderKeys[static_cast<size_t>(kind)], QFile::encodeName(folder).toStdString());
  QDir().mkpath(QFileInfo(m_settingsPath).absolutePath());
  std::string strError;
  ini.Save(strPath, strError); // not kept: the next start opens elsewhere, nothing is lost
}

void CPrompts::KeepFoldersIn(const QString &settingsPath) {
  m_settingsPath = settingsPath;
}

bool CPrompts::OpenUrl(const QUrl &url) {
  return QDesktopServices::openUrl(url);
}
