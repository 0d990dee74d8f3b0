// Dialogs that answer from a script and remember what they were asked.
// A dialog that comes up without a scripted answer fails the test and is
// cancelled.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "app/dialogs.h"

class ScriptedDialogs : public Dialogs {
 public:
  std::deque<std::optional<QString>> openAnswers;
  std::deque<std::optional<QString>> saveAnswers;
  std::deque<std::optional<QString>> inputAnswers;
  std::deque<std::optional<TColor>> colorAnswers;
  std::deque<std::optional<TFontTemplate>> fontAnswers;
  std::deque<TAnswer> confirmAnswers;

  std::vector<TFileDialogSpec> openRequests;
  std::vector<TFileDialogSpec> saveRequests;
  std::vector<QStringList> inputRequests;  // title, prompt, value
  std::vector<QString> messages;
  std::vector<QString> confirmations;
  std::vector<QString> modalWindows;  // object names
  // What a real message box leaves behind when it closes, if that matters.
  std::function<void()> afterMessage;

  std::optional<QString> OpenFile(const TFileDialogSpec& spec) override {
    openRequests.push_back(spec);
    return Next(openAnswers, "open");
  }
  std::optional<QString> SaveFile(const TFileDialogSpec& spec) override {
    saveRequests.push_back(spec);
    return Next(saveAnswers, "save");
  }
  std::optional<QString> InputText(const QString& title, const QString& prompt, const QString& value) override {
    inputRequests.push_back({title, prompt, value});
    return Next(inputAnswers, "input");
  }
  std::optional<TColor> PickColor(TColor) override { return Next(colorAnswers, "colour"); }
  std::optional<TFontTemplate> PickFont(const TFontTemplate&) override {
    return Next(fontAnswers, "font");
  }
  void ShowMessage(const QString& text) override {
    messages.push_back(text);
    if (afterMessage) afterMessage();
  }
  TAnswer Confirm(const QString& text) override {
    confirmations.push_back(text);
    if (confirmAnswers.empty()) {
      ADD_FAILURE() << "unexpected confirmation: " << text.toStdString();
      return TAnswer::Cancel;
    }
    const TAnswer a = confirmAnswers.front();
    confirmAnswers.pop_front();
    return a;
  }
  void RunModal(QDialog& dialog) override;

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers, const char* kind) {
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected " << kind << " dialog";
      return std::nullopt;
    }
    std::optional<T> a;
    a.swap(answers.front());
    answers.pop_front();
    return a;
  }
};
