#include "datalog/DataFileCommands.h"

#include "files/TextDataFile.h"
#include "res/DialogTemplate.h"
#include "uikit/Prompts.h"
#include "uikit/WaitCursor.h"

#include <QFileInfo>

namespace {
std::string Local8(const QString &path) {
  return QFile::encodeName(path).toStdString();
}
} // namespace

CDataFileCommands::CDataFileCommands(CPrompts &prompts, LocalClock clock)
    : m_prompts(prompts), m_clock(clock ? std::move(clock) : LocalClock(LocalTimeNow)) {}

std::optional<QString> CDataFileCommands::AskSavePath(QWidget *parent, const QString &filter,
                                                      const char *ext) {
  const QString defaultName = QString::fromStdString(DefaultFileName(m_clock(), ext));
  QString chosenType;
  std::optional<QString> path = filter.contains(QStringLiteral(";;"))
                                    ? m_prompts.GetSaveFileNameOfType(parent, filter, defaultName, chosenType)
                                    : m_prompts.GetSaveFileName(parent, filter, defaultName);
  if (!path)
    return std::nullopt;
  if (QFileInfo(*path).suffix().isEmpty()) {
    const QString chosenExt = FilterSuffix(chosenType);
    *path += chosenExt.isEmpty() ? QString::fromLatin1(ext) : chosenExt;
    // The dialog asked about the bare name; the file written is another one.
    if (QFileInfo::exists(*path) &&
        m_prompts.MessageBox(
            parent,
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(*path).fileName()),
            QStringLiteral("Confirm Save As"), CPrompts::Buttons::YesNo, CPrompts::Icon::Warning) != IDYES)
      return std::nullopt;
  }
  return path;
}

CDataFileCommands::Outcome CDataFileCommands::Report(QWidget *parent, const CFileResult &res, bool bWriting) {
  switch (res.status) {
  case CFileResult::Status::Ok:
    return Outcome::Done;
  case CFileResult::Status::Cancelled:
    return Outcome::Cancelled;
  case CFileResult::Status::WrongFormat:
    m_prompts.MessageBox(parent, QStringLiteral("Data Format is wrong!"), QStringLiteral("ERROR"));
    return Outcome::Failed;
  case CFileResult::Status::Failed:
    break;
  }
  const QString path = QFile::decodeName(QByteArray::fromStdString(res.strPath));
  const QString reason = QString::fromStdString(res.strReason);
  const QString text = bWriting
                           ? QStringLiteral("Can't write the file %1\n%2\nThe file on disk was not changed.")
                           : QStringLiteral("Can't read the file %1\n%2");
  m_prompts.MessageBox(parent, text.arg(path, reason), QStringLiteral("ERROR"), CPrompts::Buttons::Ok,
                       CPrompts::Icon::Warning);
  return Outcome::Failed;
}

CDataFileCommands::Outcome CDataFileCommands::SaveTextData(QWidget *parent, const CSampleArray &samples) {
  if (samples.IsEmpty())
    return Outcome::NothingToDo;
  std::optional<QString> path = AskSavePath(parent, TextFilter(), ".txt");
  if (!path)
    return Outcome::Cancelled;
  CWaitCursor wait;
  CFileResult res = WriteTextDataFile(Local8(*path), samples);
  wait.Restore();
  return Report(parent, res, true);
}

CDataFileCommands::Outcome CDataFileCommands::ReadTextData(QWidget *parent, CSampleStore &store,
                                                           const std::function<void()> &beforeReplace) {
  std::optional<QString> path = m_prompts.GetOpenFileName(parent, TextFilter());
  if (!path)
    return Outcome::Cancelled;
  CWaitCursor wait;
  const std::string strPath = Local8(*path);
  std::string bytes;
  CFileResult res = ReadWholeFile(strPath, bytes);
  CTextDataContent content;
  if (res.Ok()) {
    content = ParseTextData(bytes);
    content.result.strPath = strPath;
    res = content.result;
  }
  if (res.Ok()) {
    if (beforeReplace)
      beforeReplace();
    MoveIntoStore(content, store);
  }
  wait.Restore();
  return Report(parent, res, false);
}

CDataFileCommands::Outcome CDataFileCommands::ExportSpreadsheet(QWidget *parent, const CSampleArray &samples,
                                                                const StatData &stat, SheetVariant variant) {
  if (samples.IsEmpty())
    return Outcome::NothingToDo;
  CWaitCursor wait; // on while the dialog is open too
  std::optional<QString> path =
      AskSavePath(parent, SheetFilter() + QStringLiteral(";;") + WorkbookFilter(), ".xls");
  if (!path)
    return Outcome::Cancelled;
  const bool bWorkbook = QFileInfo(*path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0;
  CFileResult res = bWorkbook ? WriteWorkbookFile(Local8(*path), samples, stat)
                              : WriteSpreadsheetFile(Local8(*path), samples, stat, variant);
  wait.Restore();
  return Report(parent, res, true);
}
