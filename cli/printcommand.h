#pragma once

#include <QStringList>

class Prompter;
class Session;

namespace Cli
{
    // What is wrong with the arguments of print, found without opening any
    // file; empty when nothing is.
    QString printUsageError(const QStringList &arguments);
    // print --syndicate R (--official | --plain) --pdf FILE: the printing
    // window's job into a PDF file (A4, no margins), the calibration of
    // nums.ini moving the marks of official slips. Prints the pages written;
    // exit 1 with no file written when the syndicate has nothing to print or
    // the file cannot be written. Needs a QGuiApplication for the fonts.
    // arguments start with "print".
    int runPrint(Session &session, Prompter &prompter, const QStringList &arguments, bool json = false);
}
