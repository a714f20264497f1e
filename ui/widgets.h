#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

// Small builders shared by the main window's tabs. Every control carries the
// name it has always had as its objectName, so tests and screenshots find it.
namespace Widgets
{
    QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent = nullptr);
    QPushButton *namedButton(const QString &name, const QString &text);
    // Image1(index): a flat icon that does what the button beside it does.
    QToolButton *iconButton(const QWidget *styleSource, int index, int standardIcon, const QString &tip);
    // Twips of the original layout to pixels of this screen.
    int fromTwips(const QWidget *widget, int twips);

    inline const QString kValueStyle = QStringLiteral("font-weight: bold; color: #000080;");
}
