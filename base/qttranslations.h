#pragma once

// Loads Qt's own Spanish texts (the buttons of message boxes, the file and
// print dialogs, the command-line parser's help) into the running
// application. False when the translation files are not installed; the
// program then works on with Qt's English.
bool installQtTranslations();
