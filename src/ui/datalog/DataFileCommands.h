#pragma once

#include "files/DefaultFileName.h"
#include "files/FileResult.h"
#include "files/SpreadsheetFile.h"
#include "files/TextDataFile.h"
#include "files/WorkbookFile.h"
#include "kit/Prompts.h"
#include "records/SampleArray.h"
#include "records/SampleStore.h"
#include "records/StatData.h"

#include <QCoreApplication>
#include <QString>

#include <functional>

class QWidget;

// The dialog side of the data files, shared by the main window and the data
// logger window: the file dialogs, the wait cursor and the messages.
class CDataFileCommands {
public:
  explicit CDataFileCommands(CPrompts &prompts, LocalClock clock = LocalTimeNow);

  enum class Outcome {
    NothingToDo, // empty array: no dialog was shown
    Cancelled,
    Done,
    Failed, // the user was told why
  };

  // "Guardar como" and "Guardar seleção".
  Outcome SaveTextData(QWidget *parent, const CSampleArray &samples);
  // "Abrir" and "Importar". `beforeReplace` runs right before the store is
  // replaced, so whoever points into it can let go; it is not called when
  // the file is refused. Done means the store now holds the file's samples.
  Outcome ReadTextData(QWidget *parent, CSampleStore &store, const std::function<void()> &beforeReplace = {});
  // "Exportar para Excel" and "Exportar": the tab-separated file, or the
  // workbook when the name ends in ".xlsx" (the type chosen in the dialog
  // gives a bare name its extension).
  Outcome ExportSpreadsheet(QWidget *parent, const CSampleArray &samples, const StatData &stat,
                            SheetVariant variant);

  static QString TextFilter() { return QCoreApplication::translate("DataFile", "Data File(*.txt)"); }
  static QString SheetFilter() { return QCoreApplication::translate("DataFile", "Data File(*.xls)"); }
  static QString WorkbookFilter() {
    return QCoreApplication::translate("DataFile", "Excel Workbook(*.xlsx)");
  }

private:
  // The save dialog, with the default extension added to a bare name (and
  // the replace question asked again for the name that results).
  // With several types in `filter`, a bare name gets the chosen type's extension.
  // It starts in the folder where `kind` of file was last chosen.
  std::optional<QString> AskSavePath(QWidget *parent, const QString &filter, const char *ext,
                                     CPrompts::EFolder kind);
  std::optional<QString> AskSavePathNamed(QWidget *parent, const QString &filter, const char *ext,
                                          const QString &defaultName);
  Outcome Report(QWidget *parent, const CFileResult &res, bool bWriting);
  // Reads off the UI thread behind a progress dialog with "Cancelar".
  CTextDataContent ReadInBackground(QWidget *parent, const std::string &strPath);

  CPrompts &m_prompts;
  LocalClock m_clock;
};
