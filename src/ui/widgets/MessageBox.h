#pragma once

#include <QMessageBox>

namespace widgets {

// Breaks a message into lines after "、" and "。" (and "！", "？"), so that
// a line holds at most maxChars characters wherever the text allows: a
// phrase is never split, and the text's own line ends stay. Japanese has no
// spaces, so without this a box would wrap in the middle of a word.
QString breakAtPhrases(const QString& text, int maxChars = 30);

// A message box with the program's title whose text is broken at phrases
// and which is wide enough for its longest line, so that Qt does not wrap
// it once more. Returns the button pressed.
QMessageBox::StandardButton
showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

} // namespace widgets
