#pragma once

#include "kit/Prompts.h"

#include <QString>
#include <QUrl>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Prompts answered from a script, recording every question asked. An
// unscripted message box answers IDOK (IDDISCARD where data would go), an
// unscripted file dialog cancels.
class CScriptedPrompts : public CPrompts {
public:
  struct Asked {
    std::string kind; // "message", "open", "save", "color", "printer", "url"
    QString text;
    QString caption; // a file dialog's start: the folder, or the proposed path
    Buttons buttons = Buttons::Ok;
  };

  std::deque<int> m_answers;                  // message box answers
  std::deque<std::optional<QString>> m_paths; // file dialog answers
  std::deque<QString> m_filters; // the types chosen in save dialogs of several (default: the first)
  std::deque<std::optional<QColor>> m_colors;
  // Builds the printer handed back by SelectPrinter; null answers "cancelled".
  std::function<std::unique_ptr<QPrinter>()> m_makePrinter;
  std::vector<Asked> m_asked;
  bool m_bUrlOpens = true; // what OpenUrl answers

  int MessageBox(QWidget *, const QString &text, const QString &caption, Buttons buttons, Icon) override {
    m_asked.push_back({"message", text, caption, buttons});
    const bool bDiscards = buttons == Buttons::SaveDiscardCancel || buttons == Buttons::DiscardCancel;
    return Pop(m_answers, bDiscards ? IDDISCARD : 1);
  }
  std::optional<QString> GetOpenFileName(QWidget *, const QString &filter, const QString &folder) override {
    m_asked.push_back({"open", filter, folder, Buttons::Ok});
    return Pop(m_paths, std::optional<QString>());
  }
  std::optional<QString> GetSaveFileName(QWidget *, const QString &filter,
                                         const QString &defaultName) override {
    m_asked.push_back({"save", filter, defaultName, Buttons::Ok});
    return Pop(m_paths, std::optional<QString>());
  }
  std::optional<QString> GetSaveFileNameOfType(QWidget *parent, const QString &filter,
                                               const QString &defaultName, QString &selectedFilter) override {
    selectedFilter = Pop(m_filters, filter.section(QStringLiteral(";;"), 0, 0));
    return GetSaveFileName(parent, filter, defaultName);
  }
  std::optional<QColor> ChooseColor(QWidget *, const QColor &initial) override {
    m_asked.push_back({"color", initial.name(), {}, Buttons::Ok});
    return Pop(m_colors, std::optional<QColor>());
  }
  std::unique_ptr<QPrinter> SelectPrinter(QWidget *) override {
    m_asked.push_back({"printer", {}, {}, Buttons::Ok});
    return m_makePrinter ? m_makePrinter() : nullptr;
  }

  bool OpenUrl(const QUrl &url) override {
    m_asked.push_back({"url", url.toString(), {}, Buttons::Ok});
    return m_bUrlOpens;
  }

  // Texts of the message boxes shown so far.
  std::vector<QString> Messages() const {
    std::vector<QString> v;
    for (const auto &a : m_asked)
      if (a.kind == "message")
        v.push_back(a.text);
    return v;
  }

private:
  template <class T> static T Pop(std::deque<T> &q, T fallback) {
    if (!q.empty()) {
      fallback = std::move(q.front());
      q.pop_front();
    }
    return fallback;
  }
};
