#pragma once

#include "base/filechooser.h"
#include "base/urlopener.h"

class QWidget;

// The desktop's browser and open-file dialog.
class DesktopUrlOpener final : public UrlOpener
{
public:
    void open(const QUrl &address) override;
};

class DialogFileChooser final : public FileChooser
{
public:
    explicit DialogFileChooser(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    QString chooseDrawFile() override;
    QString choosePdfFile(const QString &suggestedName) override;

private:
    QWidget *m_parent;
};
