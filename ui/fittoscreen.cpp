#include "fittoscreen.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace
{
    // Room the window manager's frame takes around a window.
    const QSize kFrameAllowance(16, 48);

    class Fitter final : public QObject
    {
    public:
        Fitter(QWidget *window, QScrollArea *area)
            : QObject(window)
            , m_window(window)
            , m_area(area)
        {
            window->installEventFilter(this);
        }

        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (watched == m_window && event->type() == QEvent::Show && !m_done) {
                m_done = true;
                fit();
            }
            return QObject::eventFilter(watched, event);
        }

    private:
        void fit()
        {
            const QScreen *screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
            if (!screen)
                return;
            const QRect free = screen->availableGeometry();
            const QSize room = (free.size() - kFrameAllowance).expandedTo(QSize(200, 150));
            // The size the window was given already, when larger, stays.
            QSize wanted = m_window->size();
            int bar = 0;
            if (m_area) {
                QWidget *contents = m_area->widget();
                wanted = wanted.boundedTo(room).expandedTo(contents->sizeHint().expandedTo(contents->minimumSizeHint()));
                // A bar in one direction takes room in the other.
                bar = m_area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_area);
            }
            QSize size = wanted.boundedTo(room);
            if (size.width() < wanted.width())
                size.setHeight(std::min(room.height(), size.height() + bar));
            if (size.height() < wanted.height())
                size.setWidth(std::min(room.width(), size.width() + bar));
            m_window->resize(size);
            // Back onto the free area when it would reach past it.
            QRect frame(m_window->pos(), size + kFrameAllowance);
            if (!free.contains(frame)) {
                frame.moveRight(std::min(frame.right(), free.right()));
                frame.moveBottom(std::min(frame.bottom(), free.bottom()));
                frame.moveLeft(std::max(frame.left(), free.left()));
                frame.moveTop(std::max(frame.top(), free.top()));
                m_window->move(frame.topLeft());
            }
        }

        QWidget *m_window;
        QScrollArea *m_area;
        bool m_done = false;
    };
}

QWidget *FitToScreen::scrolledContents(QWidget *window)
{
    auto *outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("Desplazable"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto *contents = new QWidget;
    contents->setObjectName(QStringLiteral("Contenido"));
    area->setWidget(contents);
    outer->addWidget(area);
    new Fitter(window, area);
    return contents;
}

void FitToScreen::boundToScreen(QWidget *window)
{
    new Fitter(window, nullptr);
}
