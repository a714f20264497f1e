#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QPdfDocument;
class QPdfView;
class QStackedWidget;
class SessionDownloadHost;
struct DrawRecord;

// Tab 1, "Último sorteo": the newest draw's prize report as the download
// host keeps it, and the operator's document when one was obtained.
class ReportTab final : public QWidget
{
    Q_OBJECT

public:
    explicit ReportTab(SessionDownloadHost &host, QWidget *parent = nullptr);

    // "06 - 27 - 33 - 34 - 39   Clave 8".
    static QString combinationText(const DrawRecord &draw);

    // The user came to the tab: while only the text shows, the panel is
    // built again from what is on disk.
    void entered();

signals:
    // No PDF viewer: the text was clicked to get one.
    void readerPageRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPrizeReport();

    SessionDownloadHost &m_host;
    QLabel *m_heading = nullptr; // Label8
    QLabel *m_numbers = nullptr; // the winning combination
    std::array<QLabel *, 8> m_winners {};
    QLabel *m_reintegro = nullptr;
    std::array<QLabel *, 8> m_label10 {}; // prize per category
    QStackedWidget *m_stack = nullptr;
    QLabel *m_text = nullptr; // Text1
    QPdfDocument *m_pdfDocument = nullptr;
    QPdfView *m_pdfView = nullptr; // WebBrowser1
};
