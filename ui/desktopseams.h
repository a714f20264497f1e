#pragma once

#include "base/dbusnotifier.h"
#include "base/filechooser.h"
#include "base/notifier.h"
#include "base/urlopener.h"

#include <QDesktopServices>

#include <functional>
#include <memory>

class QSystemTrayIcon;
class QWidget;

// The desktop's browser and open-file dialog. Where the desktop cannot open
// an address, the guide opens in a window of the program and any other
// address is shown to be copied (ui/helpwindow.h).
class DesktopUrlOpener final : public UrlOpener
{
public:
    using Launcher = std::function<bool(const QUrl &)>;
    // launch is the desktop's opener, replaced by tests.
    explicit DesktopUrlOpener(Launcher launch = &QDesktopServices::openUrl)
        : m_launch(std::move(launch))
    {}
    void setParent(QWidget *parent) { m_parent = parent; }
    void open(const QUrl &address) override;

private:
    Launcher m_launch;
    QWidget *m_parent = nullptr;
};

class DialogFileChooser final : public FileChooser
{
public:
    explicit DialogFileChooser(QWidget *parent = nullptr)
        : m_parent(parent)
    {}
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
