#include "helpwindow.h"

#include "fittoscreen.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

void HelpFallback::show(const QUrl &address, QWidget *parent)
{
    QWidget *window = nullptr;
    if (address.isLocalFile() && address.path().endsWith(QLatin1String(".html")))
        window = new HelpWindow(address, parent);
    else
        window = new AddressBox(address, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->raise();
}

HelpWindow::HelpWindow(const QUrl &page, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Guia"));
    setWindowTitle(QStringLiteral("Guía del usuario"));
    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("TextoGuia"));
    // Only the guide's own pages and pictures are loaded; nothing from the
    // network.
    m_text->setOpenLinks(false);
    connect(m_text, &QTextBrowser::anchorClicked, this, &HelpWindow::follow);
    m_text->setSource(page);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    resize(760, 620);
    // Never larger than the screen: the text scrolls by itself.
    FitToScreen::boundToScreen(this);
}

void HelpWindow::follow(const QUrl &link)
{
    const QUrl target = m_text->source().resolved(link);
    if (target.isLocalFile()) {
        m_text->setSource(target);
        return;
    }
    HelpFallback::show(target, this);
}

AddressBox::AddressBox(const QUrl &address, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Direccion"));
    setWindowTitle(QStringLiteral("Abrir dirección"));
    auto *text = new QLabel(QStringLiteral("No se ha podido abrir un navegador. Copie esta dirección y ábrala "
                                           "en el navegador que use:"),
                            this);
    text->setWordWrap(true);
    m_address = new QLineEdit(address.toString(), this);
    m_address->setObjectName(QStringLiteral("TextoDireccion"));
    m_address->setReadOnly(true);
    m_address->setMinimumWidth(m_address->fontMetrics().horizontalAdvance(m_address->text()) / 2 + 40);
    m_address->selectAll();
    auto *copy = new QPushButton(QStringLiteral("Copiar"), this);
    copy->setObjectName(QStringLiteral("Copiar"));
    connect(copy, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(m_address->text());
        m_address->selectAll();
    });
    auto *close = new QPushButton(QStringLiteral("Cerrar"), this);
    close->setObjectName(QStringLiteral("Cerrar"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *row = new QHBoxLayout;
    row->addWidget(m_address, 1);
    row->addWidget(copy);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(row);
    layout->addLayout(buttons);
}
