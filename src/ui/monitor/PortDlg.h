#pragma once

#include <QDialog>

#include <optional>

class CPrompts;
class QLineEdit;

// Shows the dialog modally with `nPreset`; the number on OK, nothing on "Anular".
std::optional<int> AskPortNumber(CPrompts &prompts, QWidget *parent, int nPreset);

// "Porta": the number of the port to open by hand.
class CPort : public QDialog {
  Q_OBJECT
public:
  static constexpr unsigned kMaxPort = 256;

  explicit CPort(CPrompts &prompts, QWidget *parent = nullptr);

  unsigned m_nPort = 0; // set by the caller before showing, read after OK

  int exec() override;
  void accept() override;
  // Writes m_nPort into the edit; exec() does it first.
  void OnInitDialog();

private:
  CPrompts &m_prompts;
  QLineEdit *m_pEdit = nullptr;
};
