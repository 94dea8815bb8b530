#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "app/edit_tab.h"

namespace zantor {

// One control of a tab, or one dialog opened from it, and what the mouse and the keys do
// there.
struct HelpTopic {
  QString title;
  // The object names of the controls the topic describes; none for a dialog.
  QStringList controls;
  QStringList lines;
};

// Every picture of the tab and the conventions of its other controls, in the order the
// tab shows them.
std::vector<HelpTopic> OperationTopics(EditTab tab);

// The guide the help menu shows for a tab: its topics, then the menu shortcuts given as
// "key: item" lines.
QString OperationGuide(EditTab tab, const QString& tabCaption, const QStringList& shortcuts);

// The program's name and version, the toolkit's version and what the program is for.
QString AboutText();

}  // namespace zantor
