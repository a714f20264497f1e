#include "presentacion.h"

#include "fittoscreen.h"
#include "productpicture.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
    // The counter starts at 2; the tick that finds it at 39 is the 38th.
    constexpr int kOpenAt = 39;
}

Presentacion::Presentacion(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Presentacion"));
    setWindowTitle(QStringLiteral("Presentación"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(ProductPicture::render(QSize(480, 300)));

    auto *button = new QPushButton(QStringLiteral("Entrar"), this);
    button->setObjectName(QStringLiteral("Command1"));
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &Presentacion::enter);

    auto *layout = new QVBoxLayout(FitToScreen::scrolledContents(this));
    layout->addWidget(picture);
    layout->addWidget(button, 0, Qt::AlignHCenter);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(250);
    connect(m_timer, &QTimer::timeout, this, &Presentacion::tick);
    m_timer->start();
}

void Presentacion::tick()
{
    if (m_counter++ == kOpenAt)
        enter();
}

void Presentacion::enter()
{
    m_timer->stop();
    if (m_entered)
        return;
    m_entered = true;
    emit enterRequested();
}
