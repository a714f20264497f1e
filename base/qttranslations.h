#pragma once

// What installQtTranslations changes besides Qt's texts.
enum class QtSpanish
{
    // Qt's texts only: the numbers, dates and names the program writes
    // stay exactly as its own code formats them (the command line).
    TextsOnly,
    // Also the default locale, so that what Qt's own widgets and dialogs
    // format by themselves (numbers, day and month names) is Spanish too,
    // whatever the desktop's language (the window).
    TextsAndLocale,
};

// Loads Qt's own Spanish texts (the buttons of message boxes, the file and
// print dialogs, the command-line parser's help) into the running
// application. False when the translation files are not installed; the
// program then works on with Qt's English, the locale still set if asked.
bool installQtTranslations(QtSpanish what = QtSpanish::TextsOnly);
