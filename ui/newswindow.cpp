#include "newswindow.h"

#include "fittoscreen.h"
#include "productpicture.h"
#include "web/news.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

LocalOnlyDocument::LocalOnlyDocument(const QString &baseDir, QObject *parent)
    : QTextDocument(parent)
    , m_baseDir(QDir(baseDir).canonicalPath())
{
}

QVariant LocalOnlyDocument::loadResource(int type, const QUrl &name)
{
    // Only files inside the data directory; every other address (http,
    // ftp, data of unknown size, a path out of the directory) gives nothing.
    if (m_baseDir.isEmpty() || !(name.isLocalFile() || name.scheme().isEmpty()) || !name.host().isEmpty())
        return {};
    const QString relative = name.isLocalFile() ? name.toLocalFile() : name.path();
    const QString path = QFileInfo(QDir(m_baseDir), relative).canonicalFilePath();
    if (path.isEmpty() || !path.startsWith(m_baseDir + QLatin1Char('/')))
        return {};
    return QTextDocument::loadResource(type, QUrl::fromLocalFile(path));
}

Infor::Infor(const QString &newsFile, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Infor"));
    setWindowTitle(QStringLiteral("Noticias del jefe..."));
    resize(520, 360);

    auto *outer = new QVBoxLayout(FitToScreen::scrolledContents(this));
    auto *layout = new QHBoxLayout;
    outer->addLayout(layout, 1);
    auto *picture = new QLabel;
    picture->setObjectName(QStringLiteral("Image1"));
    // Drawn at its own proportions, then made small: squeezed, its title would not fit.
    QPixmap small = ProductPicture::render(QSize(480, 300));
    const qreal dpr = small.devicePixelRatio();
    small = small.scaledToWidth(int(180 * dpr), Qt::SmoothTransformation);
    small.setDevicePixelRatio(dpr);
    picture->setPixmap(small);
    picture->setAlignment(Qt::AlignTop);
    layout->addWidget(picture);

    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(false);
    m_browser->setDocument(new LocalOnlyDocument(QFileInfo(newsFile).absolutePath(), m_browser));
    layout->addWidget(m_browser, 1);

    bool shown = false;
    if (News::worthShowing(newsFile)) {
        QFile file(newsFile);
        if (file.open(QIODevice::ReadOnly)) {
            // A news document is a page of a few kilobytes; more is not news.
            const QString text = News::documentText(file.read(1024 * 1024));
            if (Qt::mightBeRichText(text))
                m_browser->document()->setHtml(text);
            else
                m_browser->document()->setPlainText(text);
            shown = !m_browser->document()->isEmpty();
        }
    }
    if (!shown)
        m_browser->setPlainText(emptyText());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Cerrar"));
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("Cerrar"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    outer->addWidget(buttons);
    placeBesideParent();
}

QString Infor::emptyText()
{
    return QStringLiteral("No hay noticias nuevas. Quorvale sólo busca noticias al empezar si se le indica un servidor de noticias (opción --news-url).");
}

void Infor::placeBesideParent()
{
    // Over the lower right of the main window: its menu and the download
    // button stay in sight and within reach.
    const QWidget *owner = parentWidget();
    if (!owner) {
        move(0, 0);
        return;
    }
    const QRect frame = owner->frameGeometry();
    const QPoint corner = frame.bottomRight() - QPoint(width() + 24, height() + 24);
    move(std::max(corner.x(), frame.left()), std::max(corner.y(), frame.top() + 160));
}

void Infor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    emit visibilityChanged(true);
}

void Infor::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    emit visibilityChanged(false);
}
