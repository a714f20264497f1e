#pragma once

#include <QString>

// The file dialogs. Each returns an empty string when the user cancels.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    virtual QString chooseDrawFile() = 0;
    // Where to save a PDF, suggestedName offered first.
    virtual QString choosePdfFile(const QString &suggestedName)
    {
        Q_UNUSED(suggestedName);
        return {};
    }
    // Where to save a table as CSV, suggestedName offered first.
    virtual QString chooseCsvFile(const QString &suggestedName)
    {
        Q_UNUSED(suggestedName);
        return {};
    }
};
