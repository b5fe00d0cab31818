#pragma once

#include "files/RememberedFolders.h"

#include <QColor>
#include <QString>

#include <map>
#include <memory>
#include <optional>

class QPrinter;
class QUrl;
class QWidget;

// Every question the program asks the user goes through this interface: the
// Qt implementation shows real dialogs, tests install a scripted one. Texts
// and captions are passed exactly as the user must see them.
class CPrompts {
public:
  // SaveDiscardCancel and DiscardCancel ask before data is thrown away: the
  // buttons say what they do ("Guardar…", "Descartar", "Cancelar").
  // RecoverDiscardCancel offers an interrupted run back: "Recuperar" (IDYES),
  // "Descartar", "Cancelar" (asked again at the next start).
  enum class Buttons {
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
    SaveDiscardCancel,
    DiscardCancel,
    RecoverDiscardCancel
  };
  // Answers of those questions, beside IDOK, IDCANCEL, IDYES and IDNO.
  static constexpr int IDSAVE = 100;
  static constexpr int IDDISCARD = 101;
  enum class Icon { None, Information, Warning, Error, Question };

  virtual ~CPrompts() = default;

  // Returns IDOK, IDCANCEL, IDYES or IDNO (forms/DialogTemplate.h), IDSAVE or
  // IDDISCARD; closing the box answers IDCANCEL.
  virtual int MessageBox(QWidget *parent, const QString &text, const QString &caption,
                         Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;

  // Filter as "Data File(*.txt)", starting in `folder` (empty: the current
  // one). Empty optional: the user cancelled.
  virtual std::optional<QString> GetOpenFileName(QWidget *parent, const QString &filter,
                                                 const QString &folder) = 0;
  // A save dialog that asks before replacing an existing file.
  virtual std::optional<QString> GetSaveFileName(QWidget *parent, const QString &filter,
                                                 const QString &defaultName) = 0;
  // The same for a filter of several types ("A(*.a);;B(*.b)"), also telling
  // which entry the user chose. Unless overridden: the first entry.
  virtual std::optional<QString> GetSaveFileNameOfType(QWidget *parent, const QString &filter,
                                                       const QString &defaultName, QString &selectedFilter);

  virtual std::optional<QColor> ChooseColor(QWidget *parent, const QColor &initial) = 0;

  // A configured printer, or null when the user cancelled.
  virtual std::unique_ptr<QPrinter> SelectPrinter(QWidget *parent) = 0;

  // The folder each kind of file was last chosen in, for its next dialog to
  // start there; empty until one was chosen, or when it is gone since.
  using EFolder = EFolderKind;
  QString LastFolder(EFolder kind) const;
  // Remembers the folder of `path`, a file just chosen for `kind`.
  void RememberFolder(EFolder kind, const QString &path);
  // Keeps the folders in the settings file `settingsPath` too, so that they
  // outlive this run of the program. Without it they last as long as this object.
  void KeepFoldersIn(const QString &settingsPath);

  // Opens a document (the user manual) with the desktop's viewer; false when
  // nothing could open it. Real dialogs and scripted prompts alike pass here.
  virtual bool OpenUrl(const QUrl &url);

private:
  std::map<EFolder, QString> m_lastFolders;
  QString m_settingsPath;
};

// Real dialogs.
class CQtPrompts : public CPrompts {
public:
  // The folders of the file dialogs are kept in the program's settings file.
  CQtPrompts();
  int MessageBox(QWidget *parent, const QString &text, const QString &caption, Buttons buttons,
                 Icon icon) override;
  std::optional<QString> GetOpenFileName(QWidget *parent, const QString &filter,
                                         const QString &folder) override;
  std::optional<QString> GetSaveFileName(QWidget *parent, const QString &filter,
                                         const QString &defaultName) override;
  std::optional<QString> GetSaveFileNameOfType(QWidget *parent, const QString &filter,
                                               const QString &defaultName, QString &selectedFilter) override;
  std::optional<QColor> ChooseColor(QWidget *parent, const QColor &initial) override;
  std::unique_ptr<QPrinter> SelectPrinter(QWidget *parent) override;
};

// ".xlsx" of the filter entry "Excel Workbook(*.xlsx)"; empty when it names no extension.
QString FilterSuffix(const QString &filterEntry);
