#include "datalog/DataFileCommands.h"

#include "files/TextDataFile.h"
#include "forms/DialogTemplate.h"
#include "forms/UiTexts.h"
#include "kit/Prompts.h"
#include "kit/Tr.h"
#include "kit/WaitCursor.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <thread>

namespace {
std::string Local8(const QString &path) {
  return QFile::encodeName(path).toStdString();
}
} // namespace

CDataFileCommands::CDataFileCommands(CPrompts &prompts, LocalClock clock)
    : m_prompts(prompts), m_clock(clock ? std::move(clock) : LocalClock(LocalTimeNow)) {}

std::optional<QString> CDataFileCommands::AskSavePath(QWidget *parent, const QString &filter, const char *ext,
                                                      CPrompts::EFolder kind) {
  QString defaultName = QString::fromStdString(DefaultFileName(m_clock(), ext));
  if (const QString folder = m_prompts.LastFolder(kind); !folder.isEmpty())
    defaultName = QDir(folder).filePath(defaultName); // where this kind of file went last
  std::optional<QString> path = AskSavePathNamed(parent, filter, ext, defaultName);
  if (path)
    m_prompts.RememberFolder(kind, *path);
  return path;
}

std::optional<QString> CDataFileCommands::AskSavePathNamed(QWidget *parent, const QString &filter,
                                                           const char *ext, const QString &defaultName) {
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
            QCoreApplication::translate("DataFile", "%1 already exists.\nDo you want to replace it?")
                .arg(QFileInfo(*path).fileName()),
            QCoreApplication::translate("DataFile", "Confirm Save As"), CPrompts::Buttons::YesNo,
            CPrompts::Icon::Warning) != IDYES)
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
    m_prompts.MessageBox(parent, QCoreApplication::translate("DataFile", "Data Format is wrong!"),
                         QCoreApplication::translate("DataFile", "ERROR"));
    return Outcome::Failed;
  case CFileResult::Status::Failed:
    break;
  }
  const QString path = QFile::decodeName(QByteArray::fromStdString(res.strPath));
  const QString reason = QString::fromStdString(res.strReason);
  const QString text =
      bWriting ? QCoreApplication::translate("DataFile",
                                             "Can't write the file %1\n%2\nThe file on disk was not changed.")
               : QCoreApplication::translate("DataFile", "Can't read the file %1\n%2");
  m_prompts.MessageBox(parent, text.arg(path, reason), QCoreApplication::translate("DataFile", "ERROR"),
                       CPrompts::Buttons::Ok, CPrompts::Icon::Warning);
  return Outcome::Failed;
}

CDataFileCommands::Outcome CDataFileCommands::SaveTextData(QWidget *parent, const CSampleArray &samples) {
  if (samples.IsEmpty())
    return Outcome::NothingToDo;
  std::optional<QString> path = AskSavePath(parent, TextFilter(), ".txt", CPrompts::EFolder::Save);
  if (!path)
    return Outcome::Cancelled;
  CWaitCursor wait;
  CFileResult res = WriteTextDataFile(Local8(*path), samples);
  wait.Restore();
  return Report(parent, res, true);
}

CDataFileCommands::Outcome CDataFileCommands::ReadTextData(QWidget *parent, CSampleStore &store,
                                                           const std::function<void()> &beforeReplace) {
  std::optional<QString> path =
      m_prompts.GetOpenFileName(parent, TextFilter(), m_prompts.LastFolder(CPrompts::EFolder::Open));
  if (!path)
    return Outcome::Cancelled;
  m_prompts.RememberFolder(CPrompts::EFolder::Open, *path);
  CTextDataContent content = ReadInBackground(parent, Local8(*path));
  if (content.result.Ok()) {
    if (beforeReplace)
      beforeReplace();
    MoveIntoStore(content, store);
  }
  if (const std::string skipped = SkippedLinesMessage(content); content.result.Ok() && !skipped.empty())
    m_prompts.MessageBox(parent, QString::fromStdString(skipped),
                         QCoreApplication::translate("DataFile", "Tip"), CPrompts::Buttons::Ok,
                         CPrompts::Icon::Warning);
  return Report(parent, content.result, false);
}

CTextDataContent CDataFileCommands::ReadInBackground(QWidget *parent, const std::string &strPath) {
  // The file is read on a thread of its own into a store of its own; the
  // window keeps answering and shows how far it got. Cancelling is honoured
  // even when the reading has just ended: nothing is replaced then.
  std::atomic<std::size_t> nDone{0}, nTotal{0};
  std::atomic<bool> bCancel{false}, bFinished{false};
  CTextDataContent content;
  std::thread worker([&] {
    content = ReadTextDataContent(strPath, [&](std::size_t d, std::size_t t) {
      nDone = d;
      nTotal = t;
      return !bCancel.load();
    });
    bFinished = true;
  });
  QProgressDialog progress(QCoreApplication::translate("DataFile", "A abrir %1…")
                               .arg(QFileInfo(QFile::decodeName(strPath.c_str())).fileName()),
                           TrIn("MessageBox", kButtonCancel), 0, 1000, parent);
  progress.setObjectName(QStringLiteral("openProgress"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  QObject::connect(&progress, &QProgressDialog::canceled, [&] { bCancel = true; });
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(30);
  const QPointer<QWidget> pWindow = parent ? parent->window() : nullptr;
  const bool bShown = pWindow && pWindow->isVisible();
  QObject::connect(&poll, &QTimer::timeout, [&] {
    // a window closed under the open (the program told to end) waits for no file
    if (progress.wasCanceled() || (bShown && (!pWindow || !pWindow->isVisible()))) {
      bCancel = true;
      loop.quit();
    }
    const std::size_t t = nTotal.load();
    if (t > 0)
      progress.setValue(
          static_cast<int>(1000.0 * static_cast<double>(nDone.load()) / static_cast<double>(t)));
    if (bFinished.load())
      loop.quit();
  });
  poll.start();
  loop.exec();
  if (!bFinished.load())
    bCancel = true; // the loop was ended from outside: the application is quitting
  worker.join();
  if (bCancel.load()) {
    content.samples.RemoveAll();
    content.result.status = CFileResult::Status::Cancelled;
  }
  return content;
}

CDataFileCommands::Outcome CDataFileCommands::ExportSpreadsheet(QWidget *parent, const CSampleArray &samples,
                                                                const StatData &stat, SheetVariant variant) {
  if (samples.IsEmpty())
    return Outcome::NothingToDo;
  CWaitCursor wait; // on while the dialog is open too
  std::optional<QString> path = AskSavePath(parent, SheetFilter() + QStringLiteral(";;") + WorkbookFilter(),
                                            ".xls", CPrompts::EFolder::Export);
  if (!path)
    return Outcome::Cancelled;
  const bool bWorkbook = QFileInfo(*path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0;
  CFileResult res = bWorkbook ? WriteWorkbookFile(Local8(*path), samples, stat)
                              : WriteSpreadsheetFile(Local8(*path), samples, stat, variant);
  wait.Restore();
  return Report(parent, res, true);
}
