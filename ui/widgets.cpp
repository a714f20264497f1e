#include "widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

QLabel *Widgets::namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton *Widgets::namedButton(const QString &name, const QString &text)
{
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    return button;
}

QToolButton *Widgets::iconButton(const QWidget *styleSource, int index, int standardIcon, const QString &tip)
{
    auto *button = new QToolButton;
    button->setObjectName(QStringLiteral("Image1_%1").arg(index));
    button->setIcon(styleSource->style()->standardIcon(QStyle::StandardPixmap(standardIcon)));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

int Widgets::fromTwips(const QWidget *widget, int twips)
{
    return twips * widget->logicalDpiY() / 1440;
}
