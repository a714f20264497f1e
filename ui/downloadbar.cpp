#include "downloadbar.h"

#include "downloadbutton.h"
#include "widgets.h"

#include "core/sessiondownloadhost.h"
#include "web/downloadprogress.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

using namespace Widgets;

DownloadBar::DownloadBar(SessionDownloadHost &host, QWidget *parent)
    : QFrame(parent)
    , m_host(host)
{
    setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);

    m_button = new DownloadButton;
    connect(m_button, &DownloadButton::clicked, this, &DownloadBar::downloadRequested);
    row->addWidget(m_button);

    auto *area = new QGridLayout;
    area->setHorizontalSpacing(8);
    area->addWidget(namedLabel(QStringLiteral("Label5"), QStringLiteral("Estado de la transferencia:")), 0, 0);
    m_statusLabel = namedLabel(QStringLiteral("Label6"), QString());
    m_statusLabel->setStyleSheet(kValueStyle);
    m_statusLabel->setMinimumWidth(200);
    area->addWidget(m_statusLabel, 0, 1);
    area->addWidget(namedLabel(QStringLiteral("Label57"), QStringLiteral("Datos:")), 1, 0);
    m_byteCount = namedLabel(QStringLiteral("Label58"), QStringLiteral("0 Bytes"));
    area->addWidget(m_byteCount, 1, 1);
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, int(DownloadStage::Finished));
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(14);
    m_progress->setMinimumWidth(160);
    // Keeps its place while hidden, so the labels do not jump.
    QSizePolicy keepPlace = m_progress->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keepPlace);
    m_progress->setVisible(false);
    area->addWidget(m_progress, 2, 0, 1, 2);
    row->addLayout(area, 1);

    auto *news = namedButton(QStringLiteral("Command6"), QStringLiteral("Ver mensaje"));
    connect(news, &QPushButton::clicked, this, &DownloadBar::newsRequested);
    row->addWidget(news, 0, Qt::AlignVCenter);
}

void DownloadBar::render(bool running)
{
    m_statusLabel->setText(downloadActivityText(m_host.activity()));
    m_byteCount->setText(receivedBytesText(m_host.receivedBytes(), m_host.bytesComplete()));
    // One step of the bar a stage, full with the finished session.
    const int stage = int(m_host.stage());
    m_progress->setValue(stage);
    // Shown while a session runs, and full with the finished one.
    m_progress->setVisible(running || stage > 0);
    // Whatever the session does, the button is at rest until the pointer
    // comes back over it.
    m_button->setImage(DownloadButton::kRestImage);
}
