#include "reporttab.h"

#include "widgets.h"

#include "core/sessiondownloadhost.h"
#include "scrutiny/categories.h"
#include "web/prizereport.h"
#include "wording/prizereportwording.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#ifdef QUORVALE_PDF_VIEWER
#include <QPdfDocument>
#include <QPdfView>
#endif

using namespace Widgets;

QString ReportTab::combinationText(const DrawRecord &draw)
{
    QStringList numbers;
    for (auto n : draw.numbers)
        numbers << QStringLiteral("%1").arg(int(n), 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1   Clave %2").arg(numbers.join(QStringLiteral(" - "))).arg(draw.clave);
}

namespace
{
    const QString kHeadingStyle = QStringLiteral("background-color: rgb(%1); font-weight: bold; padding: 4px;");
    const QString kHeadingIdle = QStringLiteral("224, 224, 224");
    const QString kHeadingBusy = QStringLiteral("255, 128, 0");
}

ReportTab::ReportTab(SessionDownloadHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    auto *layout = new QVBoxLayout(this);
    m_heading = namedLabel(QStringLiteral("Label8"), QStringLiteral("Informe"));
    m_heading->setAlignment(Qt::AlignCenter);
    m_heading->setAutoFillBackground(true);
    m_heading->setWordWrap(true);
    m_heading->setStyleSheet(kHeadingStyle.arg(kHeadingIdle));
    layout->addWidget(m_heading);
    m_numbers = namedLabel(QStringLiteral("Combinacion"), QString());
    m_numbers->setAlignment(Qt::AlignCenter);
    m_numbers->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 15pt; color: #000080;"));
    layout->addWidget(m_numbers);
    auto *prizes = new QGroupBox(QStringLiteral("Premios en Euros "));
    prizes->setObjectName(QStringLiteral("Frame4"));
    auto *grid = new QGridLayout(prizes);
    grid->setHorizontalSpacing(10);
    static const std::array<const char *, 8> captions = {
        "- 1ª Categoría (5 + 1 Aciertos): ",
        "- 2ª Categoría (5 + 0 Aciertos): ",
        "- 3ª Categoría (4 + 1 Aciertos): ",
        "- 4ª Categoría (4 + 0 Aciertos): ",
        "- 5ª Categoría (3 + 1 Aciertos): ",
        "- 6ª Categoría (3 + 0 Aciertos): ",
        "- 7ª Categoría (2 + 1 Aciertos): ",
        "- 8ª Categoría (2 + 0 Aciertos): ",
    };
    for (int i = 0; i < PrizeCategory::kCount; ++i) {
        // Two columns of four, so the document keeps most of the tab.
        const int row = i % 4;
        const int column = i / 4 * 4;
        grid->addWidget(namedLabel(QStringLiteral("Label11_%1").arg(i), QString::fromUtf8(captions[std::size_t(i)])), row, column);
        m_label10[std::size_t(i)] = namedLabel(QStringLiteral("Label10_%1").arg(i), QStringLiteral("0"));
        m_label10[std::size_t(i)]->setStyleSheet(kValueStyle);
        m_label10[std::size_t(i)]->setMinimumWidth(90);
        grid->addWidget(m_label10[std::size_t(i)], row, column + 1);
        m_winners[std::size_t(i)] = namedLabel(QStringLiteral("Ganadores_%1").arg(i), QString());
        grid->addWidget(m_winners[std::size_t(i)], row, column + 2);
    }
    m_reintegro = namedLabel(QStringLiteral("Reintegro"), QString());
    grid->addWidget(m_reintegro, 4, 0, 1, 8);
    grid->setColumnMinimumWidth(3, 24);
    grid->setColumnStretch(7, 1);
    layout->addWidget(prizes);
    m_stack = new QStackedWidget;
    m_text = namedLabel(QStringLiteral("Text1"), QString());
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setFrameShape(QFrame::StyledPanel);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->installEventFilter(this);
    m_stack->addWidget(m_text);
#ifdef QUORVALE_PDF_VIEWER
    m_pdfDocument = new QPdfDocument(this);
    m_pdfView = new QPdfView;
    m_pdfView->setObjectName(QStringLiteral("WebBrowser1"));
    m_pdfView->setDocument(m_pdfDocument);
    m_pdfView->setPageMode(QPdfView::PageMode::MultiPage);
    m_pdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_stack->addWidget(m_pdfView);
#endif
    layout->addWidget(m_stack, 1);

    connect(&m_host, &SessionDownloadHost::prizeReportChanged, this, &ReportTab::showPrizeReport);
}

void ReportTab::entered()
{
    if (m_stack->currentWidget() != m_text)
        return;
    m_heading->setText(Wording::reportUpdatingHeading());
    m_heading->setStyleSheet(kHeadingStyle.arg(kHeadingBusy));
    m_heading->repaint();
    m_host.rebuildPrizeReport();
    m_heading->setStyleSheet(kHeadingStyle.arg(kHeadingIdle));
}

void ReportTab::showPrizeReport()
{
    const PrizeReportView &view = m_host.prizeReport();
    m_heading->setText(Wording::reportHeading(view.drawDate));
    const DrawRecord newest = m_host.newestDraw();
    m_numbers->setText(newest.isZero() ? QString() : combinationText(newest));
    for (std::size_t i = 0; i < m_label10.size(); ++i) {
        m_label10[i]->setText(Wording::reportAmountText(view, int(i) + 1));
        m_winners[i]->setText(Wording::reportWinnersText(view, int(i) + 1));
    }
    const QString reintegro = Wording::reportReintegroText(view);
    m_reintegro->setText(reintegro);
    m_reintegro->setVisible(!reintegro.isEmpty());
    QString message = Wording::reportMessage(view);
#ifdef QUORVALE_PDF_VIEWER
    m_pdfDocument->close();
    if (view.showDocument) {
        if (m_pdfDocument->load(view.documentFile) == QPdfDocument::Error::None) {
            m_stack->setCurrentWidget(m_pdfView);
            return;
        }
        message = Wording::reportNotAvailableText();
    }
#endif
    m_text->setText(message);
    m_stack->setCurrentWidget(m_text);
}

bool ReportTab::eventFilter(QObject *watched, QEvent *event)
{
    // Text1: once told that no PDF viewer is there, a click leads to one.
    if (watched == m_text && event->type() == QEvent::MouseButtonRelease && m_host.readerMissing())
        emit readerPageRequested();
    return QWidget::eventFilter(watched, event);
}
