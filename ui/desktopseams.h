#pragma once

#include "base/dbusnotifier.h"
#include "base/filechooser.h"
#include "base/notifier.h"
#include "base/urlopener.h"

#include <memory>

class QSystemTrayIcon;
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
    QString chooseCsvFile(const QString &suggestedName) override;

private:
    QWidget *m_parent;
};

// A notice beside the clock while the window is open: the tray's balloon
// where the desktop has a tray, else the session bus's notification service.
class DesktopNotifier final : public Notifier
{
public:
    DesktopNotifier();
    ~DesktopNotifier() override;
    bool notify(const QString &title, const QString &body) override;
    QString errorString() const override { return m_error; }

private:
    std::unique_ptr<QSystemTrayIcon> m_tray;
    DBusNotifier m_bus;
    QString m_error;
};
