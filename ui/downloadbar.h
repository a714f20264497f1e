#pragma once

#include <QFrame>

class QLabel;
class QProgressBar;
class DownloadButton;
class SessionDownloadHost;

// The download area above the tabs: the button (Picture2), the transfer's
// state (Label6), the bytes received (Label58), the progress (ProgressBar1)
// and the news button (Command6).
class DownloadBar final : public QFrame
{
    Q_OBJECT

public:
    explicit DownloadBar(SessionDownloadHost &host, QWidget *parent = nullptr);

    // What the host says, with the bar shown while a session runs.
    void render(bool running);

signals:
    void downloadRequested();
    void newsRequested();

private:
    SessionDownloadHost &m_host;
    DownloadButton *m_button = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_statusLabel = nullptr;
    QLabel *m_byteCount = nullptr;
};
