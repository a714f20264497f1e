#pragma once

#include <QDialog>
#include <QUrl>
#include <QWidget>

class QLineEdit;
class QTextBrowser;

// What the program shows when the desktop cannot open an address (no
// browser, no launcher): the user guide in a window of its own, and any
// other address in a box where it can be read, selected and copied.
namespace HelpFallback
{
    // The guide (a local HTML file) in a HelpWindow, anything else in an
    // AddressBox; both non-modal, deleted when closed.
    void show(const QUrl &address, QWidget *parent);
}

// "Guía del usuario": the installed guia.html, its pictures beside it. Links
// inside the guide are followed here; any other shows its address.
class HelpWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(const QUrl &page, QWidget *parent = nullptr);

private:
    void follow(const QUrl &link);

    QTextBrowser *m_text;
};

// An address the desktop could not open, selectable, with "Copiar".
class AddressBox final : public QDialog
{
    Q_OBJECT

public:
    explicit AddressBox(const QUrl &address, QWidget *parent = nullptr);

private:
    QLineEdit *m_address;
};
