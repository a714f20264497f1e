#pragma once

#include <QLabel>
#include <QUrl>
#include <QWidget>

class UrlOpener;
struct Endpoints;

// A label that opens an address when clicked, drawn as a link.
class LinkLabel final : public QLabel
{
    Q_OBJECT

public:
    LinkLabel(const QUrl &address, QWidget *parent = nullptr);

signals:
    void activated(const QUrl &address);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QUrl m_address;
};

// "Quorvale 1.3.80": the product picture, the system the program runs on
// and a link to the program's web site.
class Acercade final : public QWidget
{
    Q_OBJECT

public:
    Acercade(const Endpoints &endpoints, UrlOpener &browser, QWidget *parent = nullptr);

    // "platform.major.minor" of the running system. On Linux the platform is
    // 2 and major and minor come from the kernel's release.
    static QString nativeGetVersion();
    // The same for a given kernel release, such as "6.1.0-18-amd64".
    static QString versionFromKernel(const QString &kernelVersion);
    // The system's name for a version string, or the string itself.
    static QString versionToName(const QString &version);
    // Label4's text for a version string. The names are those of Windows
    // releases, so they are looked up only when the system is Windows: a
    // Linux kernel 6.1 must not read as "Windows 7".
    static QString osVersionLine(const QString &version, bool windows = runningWindows());
    // What the window shows: the version line on Windows, the system's own
    // name elsewhere ("S.O: Debian GNU/Linux 12 (bookworm)"), where a kernel
    // number read as a Windows version means nothing to anyone.
    static QString systemLine();
    static bool runningWindows();
};
