#include "app/one_line_notifier.h"

#include <algorithm>
#include <cstdio>

namespace zantor {

namespace {

void Print(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  std::fprintf(stderr, "zantor5editor: %s\n", text.c_str());
}

}  // namespace

void OneLineNotifier::ShowMessage(const std::string& text) {
  Print(subject.empty() ? text : subject + ": " + text);
}

void OneLineNotifier::ReportError(const std::string& text) { Print(text); }

}  // namespace zantor
