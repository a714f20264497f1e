#include "creamenu.h"

#include "core/syndicatecreation.h"
#include "fittoscreen.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

namespace
{
    constexpr int kMarks = 18;

    // A corner of a slip behind the "x" marks that appear one by one.
    class SlipCorner final : public QWidget
    {
    public:
        explicit SlipCorner(QWidget *parent)
            : QWidget(parent)
        {
            setFixedSize(150, 200);
        }

        static QPoint cellCentre(int column, int row) { return {18 + column * 23, 16 + row * 19}; }

    protected:
        void paintEvent(QPaintEvent *) override
        {
            QPainter p(this);
            p.fillRect(rect(), QColor(255, 240, 236));
            const QColor red(200, 32, 48);
            p.setPen(QPen(red, 2));
            p.drawRect(rect().adjusted(1, 1, -2, -2));
            QFont font = p.font();
            font.setPixelSize(9);
            p.setFont(font);
            p.setPen(red);
            for (int column = 0; column < 6; ++column) {
                for (int row = 0; row < 10; ++row) {
                    const int n = column * 10 + row;
                    if (n < 1 || n > 54)
                        continue;
                    const QPoint c = cellCentre(column, row);
                    const QRect cell(c.x() - 9, c.y() - 8, 18, 16);
                    p.drawRect(cell);
                    p.drawText(cell, Qt::AlignCenter, QString::number(n));
                }
            }
        }
    };

    // Cells the marks fall on: three bets of a slip being filled in.
    constexpr std::array<std::pair<int, int>, kMarks> kMarkCells {{
        {0, 3},
        {1, 2},
        {2, 5},
        {3, 3},
        {4, 7},
        {0, 8},
        {1, 6},
        {2, 1},
        {3, 9},
        {5, 2},
        {4, 4},
        {1, 9},
        {2, 8},
        {3, 6},
        {5, 4},
        {0, 5},
        {4, 1},
        {5, 0},
    }};
}

Creamenu::Creamenu(SyndicateCreation &creation, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_creation(creation)
{
    setObjectName(QStringLiteral("Creamenu"));
    setWindowTitle(QStringLiteral("Menú creación"));

    auto *picture = new SlipCorner(this);
    picture->setObjectName(QStringLiteral("Image1"));
    for (int i = 0; i < kMarks; ++i) {
        auto *mark = new QLabel(QStringLiteral("x"), picture);
        mark->setObjectName(QStringLiteral("Label1_%1").arg(i));
        QFont font = mark->font();
        font.setBold(true);
        font.setPixelSize(16);
        mark->setFont(font);
        mark->setStyleSheet(QStringLiteral("color: rgb(24, 48, 160); background: transparent;"));
        mark->setAlignment(Qt::AlignCenter);
        const QPoint centre = SlipCorner::cellCentre(kMarkCells[std::size_t(i)].first,
                                                     kMarkCells[std::size_t(i)].second);
        mark->setGeometry(centre.x() - 9, centre.y() - 9, 18, 18);
        mark->hide();
        m_marks.append(mark);
    }

    auto *question = new QLabel(QStringLiteral("SELECCIONE UN MODO DE APUESTA:"), this);
    question->setObjectName(QStringLiteral("Label2"));
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);

    auto *simple = new QCheckBox(QStringLiteral("Sencilla"), this);
    simple->setObjectName(QStringLiteral("Check1_1"));
    auto *multiple = new QCheckBox(QStringLiteral("Múltiple"), this);
    multiple->setObjectName(QStringLiteral("Check1_0"));
    connect(simple, &QCheckBox::clicked, this, [this] { choose(0); });
    connect(multiple, &QCheckBox::clicked, this, &Creamenu::showMultipleOptions);

    m_optionsFrame = new QFrame(this);
    m_optionsFrame->setObjectName(QStringLiteral("Shape2"));
    m_optionsFrame->setFrameShape(QFrame::Box);
    auto *optionsLayout = new QVBoxLayout(m_optionsFrame);
    static const std::array<int, 6> combinations {6, 21, 56, 126, 252, 462};
    for (int k = 1; k <= 6; ++k) {
        auto *option = new QRadioButton(
            QStringLiteral("%1 números (%2 apuestas)").arg(k + 5).arg(combinations[std::size_t(k - 1)]),
            m_optionsFrame);
        option->setObjectName(QStringLiteral("Option1_%1").arg(k));
        connect(option, &QRadioButton::clicked, this, [this, k] { choose(k); });
        optionsLayout->addWidget(option);
        m_options.append(option);
    }
    m_optionsFrame->hide();

    auto *reduction = new QPushButton(QStringLiteral("Reducción…"), this);
    reduction->setObjectName(QStringLiteral("Reduccion"));
    reduction->setToolTip(QStringLiteral("Las menos apuestas que garantizan un premio con sus números, guardadas como peñas."));
    connect(reduction, &QPushButton::clicked, this, [this] {
        emit reductionChosen();
        close();
    });

    auto *choices = new QVBoxLayout;
    choices->addWidget(question);
    choices->addWidget(simple);
    choices->addWidget(multiple);
    choices->addWidget(m_optionsFrame);
    choices->addWidget(reduction, 0, Qt::AlignLeft);
    choices->addStretch(1);
    auto *layout = new QHBoxLayout(FitToScreen::scrolledContents(this));
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addLayout(choices, 1);
    setMinimumHeight(260);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &Creamenu::revealNext);
    m_timer->start();
}

void Creamenu::revealNext()
{
    if (m_revealed < m_marks.size())
        m_marks.at(m_revealed)->show();
    if (++m_revealed >= m_marks.size())
        m_timer->stop();
}

void Creamenu::showMultipleOptions(bool shown)
{
    m_optionsFrame->setVisible(shown);
}

void Creamenu::choose(int multipleSize)
{
    m_creation.setMultipleSize(multipleSize);
    emit creationChosen();
    close();
}
