#pragma once

#include <QTextDocument>
#include <QWidget>

class QTextBrowser;

// The news document's text: rich text, never a script, and nothing fetched
// from outside the data directory (a remote image in the news must not tell
// anyone that it was read).
class LocalOnlyDocument final : public QTextDocument
{
    Q_OBJECT

public:
    LocalOnlyDocument(const QString &baseDir, QObject *parent = nullptr);

protected:
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QString m_baseDir;
};

// "Noticias del jefe...": the maker's news (informe.dat) in a small window
// that stays on top of the main window, over its lower right corner, with a
// button to close it and a sentence of its own when there is no news.
class Infor final : public QWidget
{
    Q_OBJECT

public:
    // newsFile is informe.dat in the data directory.
    explicit Infor(const QString &newsFile, QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }
    // What the window says when there is no news to show.
    static QString emptyText();

signals:
    void visibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void placeBesideParent();

    QTextBrowser *m_browser = nullptr;
};
