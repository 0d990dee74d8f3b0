// Dialogs that answer from a script and remember what they were asked.
// A dialog that comes up without a scripted answer fails the test and is
// cancelled. `whileShown` runs while each dialog is up, as if the user
// had not answered yet.
#pragma once

#include <gtest/gtest.h>

#include <QString>
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
  std::deque<bool> askAnswers;

  std::vector<TFileDialogSpec> openRequests;
  std::vector<TFileDialogSpec> saveRequests;
  struct InputRequest {
    QString title, prompt, value;
  };
  std::vector<InputRequest> inputRequests;
  std::vector<QString> messages;
  std::vector<QString> confirmations;
  std::vector<QString> questions;  // asked with Yes and No
  std::vector<QString> modalWindows;  // object names
  std::function<void()> whileShown;

  std::optional<QString> OpenFile(const TFileDialogSpec& spec) override {
    openRequests.push_back(spec);
    Shown();
    return Next(openAnswers, "open");
  }
  std::optional<QString> SaveFile(const TFileDialogSpec& spec) override {
    saveRequests.push_back(spec);
    Shown();
    return Next(saveAnswers, "save");
  }
  std::optional<QString> InputText(const QString& title, const QString& prompt,
                                   const QString& value) override {
    inputRequests.push_back({title, prompt, value});
    Shown();
    return Next(inputAnswers, "input");
  }
  std::optional<TColor> PickColor(TColor) override {
    Shown();
    return Next(colorAnswers, "colour");
  }
  std::optional<TFontTemplate> PickFont(const TFontTemplate&) override {
    Shown();
    return Next(fontAnswers, "font");
  }
  void ShowMessage(const QString& text) override {
    messages.push_back(text);
    Shown();
  }
  TAnswer Confirm(const QString& text) override {
    confirmations.push_back(text);
    Shown();
    if (confirmAnswers.empty()) {
      ADD_FAILURE() << "unexpected confirmation: " << text.toStdString();
      return TAnswer::Cancel;
    }
    const TAnswer a = confirmAnswers.front();
    confirmAnswers.pop_front();
    return a;
  }
  bool Ask(const QString& text) override {
    questions.push_back(text);
    Shown();
    if (askAnswers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text.toStdString();
      return false;
    }
    const bool yes = askAnswers.front();
    askAnswers.pop_front();
    return yes;
  }
  void RunModal(QDialog& dialog) override;

 private:
  void Shown() {
    if (whileShown) whileShown();
  }
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
