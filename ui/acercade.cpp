#include "acercade.h"

#include "fittoscreen.h"
#include "productpicture.h"

#include "base/endpoints.h"
#include "base/urlopener.h"

#include <QHash>
#include <QMouseEvent>
#include <QOperatingSystemVersion>
#include <QRegularExpression>
#include <QSysInfo>
#include <QVBoxLayout>

namespace
{
    constexpr int kPlatformId = 2;

    QString versionString(int platform, int major, int minor)
    {
        return QStringLiteral("%1.%2.%3").arg(platform).arg(major).arg(minor);
    }
}

LinkLabel::LinkLabel(const QUrl &address, QWidget *parent)
    : QLabel(parent)
    , m_address(address)
{
    // A file path means nothing to the user; the guide is named instead.
    setText(address.isLocalFile() ? QStringLiteral("Guía del usuario") : address.toString());
    setCursor(Qt::PointingHandCursor);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
    setStyleSheet(QStringLiteral("color: rgb(0, 0, 204);"));
    setToolTip(address.isLocalFile() ? QStringLiteral("Abrir la guía del usuario")
                                     : QStringLiteral("Abrir la web del programa"));
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit activated(m_address);
    QLabel::mouseReleaseEvent(event);
}

Acercade::Acercade(const Endpoints &endpoints, UrlOpener &browser, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Acercade"));
    setWindowTitle(QStringLiteral("Quorvale 1.3.80"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(ProductPicture::render(QSize(400, 250)));

    auto *system = new QLabel(systemLine(), this);
    system->setObjectName(QStringLiteral("Label4"));

    auto *link = new LinkLabel(endpoints.programPage(), this);
    link->setObjectName(QStringLiteral("Label2"));
    link->setVisible(!endpoints.programPage().isEmpty());
    connect(link, &LinkLabel::activated, this, [&browser](const QUrl &address) { browser.open(address); });

    // The table of best known reductions comes with its licence's credit.
    auto *credit = new QLabel(QStringLiteral("Tabla de reducciones: La Jolla Covering Repository, D. M. Gordon "
                                             "(CC BY 4.0)."),
                              this);
    credit->setObjectName(QStringLiteral("CreditoCoberturas"));
    credit->setWordWrap(true);

    auto *layout = new QVBoxLayout(FitToScreen::scrolledContents(this));
    layout->addWidget(picture);
    layout->addWidget(system);
    layout->addWidget(link);
    layout->addWidget(credit);
}

QString Acercade::nativeGetVersion()
{
    if (QSysInfo::kernelType() == QLatin1String("linux"))
        return versionFromKernel(QSysInfo::kernelVersion());
    const QOperatingSystemVersion os = QOperatingSystemVersion::current();
    return versionString(kPlatformId, std::max(os.majorVersion(), 0), std::max(os.minorVersion(), 0));
}

QString Acercade::versionFromKernel(const QString &kernelVersion)
{
    static const QRegularExpression release(QStringLiteral("^(\\d+)(?:\\.(\\d+))?"));
    const QRegularExpressionMatch match = release.match(kernelVersion.trimmed());
    if (!match.hasMatch())
        return versionString(kPlatformId, 0, 0);
    return versionString(kPlatformId, match.captured(1).toInt(), match.captured(2).toInt());
}

QString Acercade::versionToName(const QString &version)
{
    static const QHash<QString, QString> names {
        {QStringLiteral("2.3.0"), QStringLiteral("Windows NT 3.51")},
        {QStringLiteral("2.4.0"), QStringLiteral("Windows NT 4.0")},
        {QStringLiteral("2.5.0"), QStringLiteral("Windows 2000")},
        {QStringLiteral("2.5.1"), QStringLiteral("Windows XP")},
        {QStringLiteral("2.6.0"), QStringLiteral("Windows Vista")},
        {QStringLiteral("2.6.1"), QStringLiteral("Windows 7")},
        {QStringLiteral("2.6.2"), QStringLiteral("Windows 8")},
        {QStringLiteral("2.10.0"), QStringLiteral("Windows 10")},
    };
    return names.value(version, version);
}

QString Acercade::osVersionLine(const QString &version, bool windows)
{
    return QStringLiteral("S.O: ") + (windows ? versionToName(version) : version);
}

QString Acercade::systemLine()
{
    if (runningWindows())
        return osVersionLine(nativeGetVersion(), true);
    return QStringLiteral("S.O: ") + QSysInfo::prettyProductName();
}

bool Acercade::runningWindows()
{
    return QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows;
}
