#pragma once

#include <QString>

// The open-file dialog. Returns an empty string when the user cancels.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    virtual QString chooseDrawFile() = 0;
};
